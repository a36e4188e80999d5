// A record file: a data file of variable-length records with a free-space
// list, and a TLIFileStream index whose entry i holds record i's offset.
// Carries verse texts, dictionaries, notes and audio marks; the word list is a
// plain text file read through the same class with ReadLine.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/BinaryFile.h"
#include "store/LIFileStream.h"

namespace lectora {

class IMessageService;

class TRFileStream {
 public:
  // Opens the index on `indexFileName` and the data file on `dataFileName`
  // with `mode`. In a write mode a missing index is created empty and a
  // missing data file is created holding the head FF FF FF FF. Never throws
  // for a file that cannot be opened: Failed() is set instead. `messages`
  // (may be null, not owned) receives "Free space list error". Open mode
  // Write is taken as ReadWrite: rewriting records needs the free list.
  TRFileStream(const std::string& indexFileName, OpenMode mode, const std::string& dataFileName,
               IMessageService* messages = nullptr);
  // The pair named after `fileName` with its extension replaced by ".ibp"
  // (index) and ".ibf" (data).
  static std::unique_ptr<TRFileStream> CreateNamed(const std::string& fileName, OpenMode mode,
                                                   IMessageService* messages = nullptr);
  TRFileStream(const TRFileStream&) = delete;
  TRFileStream& operator=(const TRFileStream&) = delete;

  bool Failed() const { return failed_; }
  // Number of index entries; 0 when Failed().
  std::int32_t Count() const;
  // Payload length of record `i`; 0 when there is no record or Failed().
  // Throws LectoraError naming the data file and the record when its offset
  // lies inside the head or beyond the end of the data file.
  std::uint16_t RecordLength(std::int32_t i) const;
  // The payload of record `i` (empty for no record or when Failed()). Throws
  // LectoraError naming the data file when the record runs past its end.
  std::vector<std::uint8_t> ReadRecord(std::int32_t i) const;
  // The payload as an 8-bit string; empty when Failed() or no record.
  void ReadString(std::int32_t i, std::string& s) const;
  // For an index over a text file: the bytes from entry i's offset up to, not
  // including, the first CR, or to the end of the file. Empty when Failed()
  // or the entry is < 0. Throws LectoraError when the offset lies beyond the
  // end of the file.
  void ReadLine(std::int32_t i, std::string& s) const;
  // Replaces record `i` with `length` bytes of `buffer`; length 0 deletes.
  // REQUIRES: `buffer` holds `length` bytes. Throws LectoraError naming the
  // data file when the stream is Failed(), read-only, `i` < 0, or the old
  // record is damaged (see ReadRecord). A damaged free list is reported
  // through the message service and given up, never written through.
  void WriteRecord(std::int32_t i, const void* buffer, std::uint16_t length);
  // Frees record `i`'s block into the free list and sets entry i to -1;
  // nothing happens when there is no record. Throws as WriteRecord does.
  void DeleteRecord(std::int32_t i);

  const std::string& DataFileName() const { return dataFileName_; }
  const std::string& IndexFileName() const { return indexFileName_; }

 private:
  // One free block as a list walk sees it; `space` is its usable size with
  // the 4-byte minimum applied.
  struct FreeBlock {
    std::int64_t offset = 0;
    std::int64_t space = 0;
    std::int32_t next = -1;
  };

  void RequireWritable(std::int32_t i) const;
  // Record i's block offset, -1 when there is none; throws for an offset
  // inside the head.
  std::int64_t RecordOffset(std::int32_t i) const;
  template <class Buffer>
  void ReadPayload(std::int32_t i, Buffer& out) const;
  // Reads the free block at `offset` into `block`; false when it is not a
  // sound member of the list walked so far (outside the file, seen before).
  bool ReadFreeBlock(std::int64_t offset, std::int64_t fileSize,
                     std::unordered_set<std::int64_t>& seen, FreeBlock& block) const;
  // Returns the offset of a block with room for `length` payload bytes,
  // taken from the free list (first fit) or at the end of the file.
  std::int64_t Allocate(std::uint16_t length);
  // Shows "Free space list error" and gives the whole list up.
  void DropDamagedList();
  std::int32_t ReadLink(std::int64_t position) const;
  void WriteLink(std::int64_t position, std::int32_t value);
  [[noreturn]] void ThrowDamaged(std::int32_t i, std::int64_t offset,
                                 const std::string& what) const;

  std::string indexFileName_;
  std::string dataFileName_;
  std::unique_ptr<TLIFileStream> index_;
  std::unique_ptr<BinaryFile> data_;
  IMessageService* messages_;
  bool failed_ = false;
};

}  // namespace lectora
