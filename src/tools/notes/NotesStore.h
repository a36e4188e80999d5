// The notes store: one Rich Text note per standard verse number in the
// record files "N.ibf"/"N.ibp" of the setup folder's "Notes" folder,
// record n holding the note of standard verse n. A note of 65,536 bytes or
// more lives in "<n>.rtf" beside them and its record holds only the marker
// "$External$file$$". A record that does not start with "{\rtf" is an older
// plain-text note, shown through EnsureRtf.
//
// No note is ever lost: each change goes through a redo journal
// (NotesJournal.h), the file of a long note is written completely before
// its marker, and a change that fails leaves the old note in place. Plain
// C++ (no Qt), so the crash tests drive it directly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "tools/notes/NotesJournal.h"

namespace lectora {

class TRFileStream;

class TNotesStore {
 public:
  static constexpr std::string_view kMarker = "$External$file$$";
  // Notes up to this size stay in their record.
  static constexpr std::size_t kMaxRecordNote = 65535;

  // Opens the store in `folder` (with its trailing "/"). Writable: creates
  // the folder and the files when missing and first completes a change an
  // earlier run left in its journal. `readOnly`: creates and changes
  // nothing; a missing store reads as empty. Never throws: a store that
  // cannot be opened is Failed() and reads as empty.
  TNotesStore(std::string folder, bool readOnly);
  // Checkpoints a writable store whose changes all went through: the record
  // files are flushed and the journal removed.
  ~TNotesStore();
  TNotesStore(const TNotesStore&) = delete;
  TNotesStore& operator=(const TNotesStore&) = delete;

  bool ReadOnly() const { return readOnly_; }
  bool Failed() const;
  // Index entries (the highest standard number with a record, plus one).
  std::int32_t Count() const;
  // True when record `n` is not empty (a marker counts).
  // Throws LectoraError naming the file when the record is damaged.
  bool HasNote(std::int32_t n) const;
  // The Rich Text of note `n` for the editor: the record through
  // EnsureRtf (an empty one gives an empty Verdana document), or the
  // external file's text (through EnsureRtf when it is not RTF). Empty when
  // the marker's file is missing. Throws LectoraError naming the file when
  // the record or the external file is damaged or unreadable.
  std::string Load(std::int32_t n) const;
  // Stores `rtf` as note `n`; an empty `rtf` erases it. Throws LectoraError
  // naming the file when it cannot be stored; the old note is then kept.
  // REQUIRES: !ReadOnly().
  void Save(std::int32_t n, const std::string& rtf);
  // Removes note `n` (record and external file). Throws as Save.
  void Erase(std::int32_t n);

  const std::string& Folder() const { return folder_; }
  std::string ExternalFileName(std::int32_t n) const;
  std::string DataFileName() const { return folder_ + "N.ibf"; }
  std::string IndexFileName() const { return folder_ + "N.ibp"; }

 private:
  void Open();
  void Recover();
  // Journals `change` and applies it; checkpoints a long journal.
  void Apply(const TNoteChange& change);
  void Checkpoint();
  void RequireWritable() const;

  std::string folder_;
  bool readOnly_;
  TNotesJournal journal_;
  std::unique_ptr<TRFileStream> records_;
  // Bytes appended to the journal since the last checkpoint.
  std::size_t journalBytes_ = 0;
  // A change failed half-way: the journal must stay for the next start.
  bool interrupted_ = false;
};

}  // namespace lectora
