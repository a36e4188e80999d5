// The redo journal of the notes store. The record files are rewritten in
// place (their format fixes that), so a change is first written whole into
// "N.ibj" beside them and flushed; only then are the record files touched,
// and the journal is removed when they are flushed too. A journal found at
// the next opening means the program died in between: Replay repeats the
// change on whatever part of it had reached the files, so a note is found
// either as it was or as it was saved, never as a mix. A journal cut short
// fails its checksum and is dropped: the files were not touched yet.
//
// Journal layout: "LNJ1", i32 record, u8 1 = delete, u32 payload length,
// the payload, u32 FNV-1a checksum of everything before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lectora {

struct TNoteChange {
  std::int32_t Record = 0;
  bool Delete = false;
  std::string Payload;  // the record's new bytes (at most 65535)
};

class TNotesJournal {
 public:
  // `fileName` is the journal's path; nothing is opened yet.
  explicit TNotesJournal(std::string fileName) : fileName_(std::move(fileName)) {}

  // Writes `change` whole and flushes it. Throws LectoraError naming the
  // journal when it cannot be written.
  void Write(const TNoteChange& change) const;
  // The journal's change; nullopt when there is none or it is incomplete.
  std::optional<TNoteChange> Read() const;
  void Remove() const;
  const std::string& FileName() const { return fileName_; }

  // Applies `change` to the record files `indexFile`/`dataFile` from any
  // state an interrupted application of it left: record `change.Record`'s
  // index entry is reset first (its old block is given up), free blocks
  // that overlap a live record or each other are cut from the free list,
  // then the record is written. Throws LectoraError when the files cannot
  // be written.
  static void Replay(const std::string& indexFile, const std::string& dataFile,
                     const TNoteChange& change);

 private:
  std::string fileName_;
};

}  // namespace lectora
