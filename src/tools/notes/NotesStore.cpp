#include "tools/notes/NotesStore.h"

#include <cstdio>
#include <exception>
#include <filesystem>

#include "store/AtomicFile.h"
#include "store/BinaryFile.h"
#include "store/LectoraError.h"
#include "store/RFileStream.h"
#include "store/rtf/RtfWriter.h"
#include "tools/notes/NoteFiles.h"

namespace lectora {

namespace {

// A journal this long is folded into the record files: the next start
// never replays more than this.
constexpr std::size_t kCheckpointBytes = std::size_t{1} << 20;

}  // namespace

TNotesStore::TNotesStore(std::string folder, bool readOnly)
    : folder_(std::move(folder)), readOnly_(readOnly), journal_(folder_ + "N.ibj") {
  if (!readOnly_) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    try {
      Recover();
    } catch (const std::exception&) {
      // The journal stays for the next change or start; the store opens as it is.
      interrupted_ = true;
    }
  }
  Open();
}

TNotesStore::~TNotesStore() {
  if (readOnly_ || interrupted_ || journalBytes_ == 0) return;
  try {
    Checkpoint();
  } catch (const std::exception&) {
    // The journal stays; the next start replays it.
  }
}

void TNotesStore::Checkpoint() {
  // The changes reach the disk before the journal that could redo them goes.
  FlushFile(DataFileName());
  FlushFile(IndexFileName());
  journal_.Remove();
  journalBytes_ = 0;
}

void TNotesStore::Open() {
  records_ = TRFileStream::CreateNamed(folder_ + "N.ibf",
                                       readOnly_ ? OpenMode::Read : OpenMode::ReadWrite);
}

void TNotesStore::Recover() {
  for (const TNoteChange& change : journal_.ReadAll()) {
    TNotesJournal::Replay(IndexFileName(), DataFileName(), change);
  }
  // All done; an entry cut short had not touched the files yet.
  FlushFile(DataFileName());
  FlushFile(IndexFileName());
  journal_.Remove();
}

bool TNotesStore::Failed() const { return records_->Failed(); }
std::int32_t TNotesStore::Count() const { return records_->Count(); }

bool TNotesStore::HasNote(std::int32_t n) const { return records_->RecordLength(n) > 0; }

std::string TNotesStore::ExternalFileName(std::int32_t n) const {
  return folder_ + std::to_string(n) + ".rtf";
}

std::string TNotesStore::Load(std::int32_t n) const {
  std::string record;
  records_->ReadString(n, record);
  if (record != kMarker) return EnsureRtf(record);
  const std::string name = ExternalFileName(n);
  if (!BinaryFile::Exists(name)) return {};
  std::string text;
  if (!ReadWholeFile(name, text)) throw LectoraError(name, 0, "cannot read the note");
  return EnsureRtf(text);
}

void TNotesStore::RequireWritable() const {
  if (readOnly_) throw LectoraError(DataFileName(), 0, "the notes are open for reading only");
  if (records_->Failed())
    throw LectoraError(DataFileName(), 0, "the notes file could not be opened");
}

void TNotesStore::Save(std::int32_t n, const std::string& rtf) {
  if (rtf.empty()) {
    Erase(n);
    return;
  }
  RequireWritable();
  const std::string external = ExternalFileName(n);
  if (rtf.size() <= kMaxRecordNote) {
    Apply(TNoteChange{n, false, rtf});
    std::remove(external.c_str());  // a longer version of the note, now replaced
    return;
  }
  // The file is complete on the disk before any record points at it.
  ReplaceFileFlushed(external, rtf);
  Apply(TNoteChange{n, false, std::string(kMarker)});
}

void TNotesStore::Erase(std::int32_t n) {
  RequireWritable();
  Apply(TNoteChange{n, true, {}});
  std::remove(ExternalFileName(n).c_str());
}

void TNotesStore::Apply(const TNoteChange& change) {
  if (interrupted_) {
    // An earlier change failed half-way: it is completed first, from the
    // journal, before the files take another.
    records_.reset();
    try {
      Recover();
    } catch (const LectoraError&) {
      Open();
      throw;
    }
    Open();
    interrupted_ = false;
  }
  // Set until the change is in place: a journal entry cut short, or a
  // change half applied, is finished from the journal before the next one.
  interrupted_ = true;
  journal_.Append(change);
  journalBytes_ += change.Payload.size() + 32;
  try {
    if (change.Delete) {
      records_->DeleteRecord(change.Record);
    } else {
      records_->WriteRecord(change.Record, change.Payload.data(),
                            static_cast<std::uint16_t>(change.Payload.size()));
    }
  } catch (const LectoraError&) {
    // Half applied, or the old record was damaged: the journal's repair
    // path puts the change in place from whatever state the files are in.
    records_.reset();
    try {
      TNotesJournal::Replay(IndexFileName(), DataFileName(), change);
    } catch (const LectoraError&) {
      Open();
      throw;  // the journal stays and completes the change at the next start
    }
    Open();
  }
  interrupted_ = false;
  if (journalBytes_ > kCheckpointBytes) Checkpoint();
}

}  // namespace lectora
