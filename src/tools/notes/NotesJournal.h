// The redo journal of the notes store. The record files are rewritten in
// place (their format fixes that), so a change is first appended whole to
// "N.ibj" beside them and flushed; only then are the record files touched.
// One flush per change: the record files are flushed and the journal
// removed only at a checkpoint (the store's closing, or a journal grown
// long). A journal found at the next opening means the program died before
// a checkpoint: Replay repeats its changes in order on whatever part of
// them had reached the files, so a note is found either as it was or as it
// was saved, never as a mix. An entry cut short fails its checksum and ends
// the journal: the files were not touched for it yet.
//
// Entry layout: "LNJ1", i32 record, u8 1 = delete, u32 payload length, the
// payload, u32 FNV-1a checksum of the entry before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

  // Appends `change` whole and flushes it. Throws LectoraError naming the
  // journal when it cannot be written.
  void Append(const TNoteChange& change) const;
  // The journal's complete entries in order, up to the first one that is
  // cut short or damaged; empty when there is no journal.
  std::vector<TNoteChange> ReadAll() const;
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
