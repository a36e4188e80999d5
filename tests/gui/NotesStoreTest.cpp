// The notes store on its own files: records and external files of long
// notes, damaged stores (an index past the data file, a marker without its
// file, an external file that is not RTF), the read-only store, and the
// crash test: the writing stopped after every possible byte count leaves
// each note as it was or as it was saved, never a mix, and a store that
// takes the next change.
#include "tools/notes/NotesStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/BinaryFile.h"
#include "store/LIFileStream.h"
#include "store/LectoraError.h"
#include "store/rtf/RtfWriter.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

std::string Note(const std::string& text) { return "{\\rtf1\\ansi " + text + "}"; }
std::string LongNote(char letter) {
  return Note(std::string(TNotesStore::kMaxRecordNote + 1000, letter));
}

class NotesStoreTest : public ::testing::Test {
 protected:
  std::string Folder() const { return setup_.File("Notes/"); }
  test::TempDir setup_;
};

TEST_F(NotesStoreTest, ShortNotesLiveInTheirRecord) {
  {
    TNotesStore store(Folder(), false);
    EXPECT_TRUE(fs::exists(Folder() + "N.ibf"));
    EXPECT_EQ(store.Load(12), EnsureRtf(""));  // no note: an empty Verdana document
    store.Save(12, Note("twelve"));
    store.Save(3, Note("three"));
    EXPECT_TRUE(store.HasNote(12));
    EXPECT_FALSE(store.HasNote(4));
    EXPECT_EQ(store.Load(12), Note("twelve"));
    // The changes wait in the journal until the store closes.
    EXPECT_TRUE(fs::exists(Folder() + "N.ibj"));
  }
  EXPECT_FALSE(fs::exists(Folder() + "N.ibj"));
  TNotesStore again(Folder(), false);
  EXPECT_EQ(again.Load(3), Note("three"));
  EXPECT_EQ(again.Load(12), Note("twelve"));
}

TEST_F(NotesStoreTest, ErasingRemovesTheRecord) {
  TNotesStore store(Folder(), false);
  store.Save(7, Note("seven"));
  store.Save(7, "");
  EXPECT_FALSE(store.HasNote(7));
  store.Save(8, Note("eight"));
  store.Erase(8);
  EXPECT_FALSE(store.HasNote(8));
}

TEST_F(NotesStoreTest, LongNotesLiveInTheirOwnFile) {
  TNotesStore store(Folder(), false);
  const std::string note = LongNote('x');
  ASSERT_GE(note.size(), 65536u);
  store.Save(40, note);
  EXPECT_EQ(test::ReadFile(Folder() + "40.rtf"), note);
  TNotesStore reader(Folder(), true);
  EXPECT_EQ(reader.Load(40), note);
  // The record holds the marker only.
  std::string record = test::ReadFile(Folder() + "N.ibf");
  EXPECT_NE(record.find(TNotesStore::kMarker), std::string::npos);
  EXPECT_EQ(record.find("xxxx"), std::string::npos);
  store.Save(40, Note("short again"));
  EXPECT_FALSE(fs::exists(Folder() + "40.rtf"));
  EXPECT_EQ(store.Load(40), Note("short again"));
}

TEST_F(NotesStoreTest, ExactlyTheRecordLimitStaysInTheRecord) {
  TNotesStore store(Folder(), false);
  const std::string note = Note(std::string(TNotesStore::kMaxRecordNote - 13, 'y'));
  ASSERT_EQ(note.size(), TNotesStore::kMaxRecordNote);
  store.Save(2, note);
  EXPECT_FALSE(fs::exists(Folder() + "2.rtf"));
  EXPECT_EQ(store.Load(2), note);
}

TEST_F(NotesStoreTest, DamagedStores) {
  {
    TNotesStore store(Folder(), false);
    store.Save(1, Note("one"));
    store.Save(2, std::string(TNotesStore::kMarker));  // a marker whose file is gone
    store.Save(3, LongNote('z'));
    store.Save(4, Note("four"));
  }
  test::WriteFile(Folder() + "3.rtf", "plain {text}\r\nof an editor");
  {
    TLIFileStream index(Folder() + "N.ibp", OpenMode::ReadWrite);
    index.WriteEntry(4, 1 << 24);  // past the end of the data file
  }
  TNotesStore store(Folder(), false);
  EXPECT_EQ(store.Load(2), "");  // shown as an empty note
  EXPECT_EQ(store.Load(3), EnsureRtf("plain {text}\r\nof an editor"));
  try {
    store.Load(4);
    ADD_FAILURE() << "a record past the end was read";
  } catch (const LectoraError& error) {
    EXPECT_NE(std::string(error.what()).find("N.ibf"), std::string::npos) << error.what();
  }
  // Saving over the damaged record mends it and leaves the others.
  store.Save(4, Note("four again"));
  EXPECT_EQ(store.Load(4), Note("four again"));
  EXPECT_EQ(store.Load(1), Note("one"));
}

TEST_F(NotesStoreTest, ReadOnlyStoreCreatesAndChangesNothing) {
  {
    TNotesStore reader(Folder(), true);
    EXPECT_TRUE(reader.ReadOnly());
    EXPECT_EQ(reader.Load(5), EnsureRtf(""));
    EXPECT_THROW(reader.Save(5, Note("five")), LectoraError);
  }
  EXPECT_FALSE(fs::exists(Folder()));
  { TNotesStore(Folder(), false).Save(5, Note("five")); }
  TNotesStore reader(Folder(), true);
  EXPECT_EQ(reader.Load(5), Note("five"));
  EXPECT_THROW(reader.Erase(5), LectoraError);
  EXPECT_EQ(reader.Load(5), Note("five"));
}

TEST_F(NotesStoreTest, ChangeCutShortInTheSessionIsFinishedBeforeTheNext) {
  const std::string seven = Note("seven, saved when the writing stopped");
  const std::size_t entry = 17 + seven.size();  // the journal entry of that change
  struct Stop {
    std::int64_t Limit;
    const char* Name;
    bool SevenSaved;  // whether the change had reached the journal whole
  };
  const Stop stops[] = {{static_cast<std::int64_t>(entry) - 5, "in the journal", false},
                        {static_cast<std::int64_t>(entry) + 5, "in the record", true}};
  for (const Stop& stop : stops) {
    SCOPED_TRACE(stop.Name);
    fs::remove_all(Folder());
    {
      TNotesStore store(Folder(), false);
      store.Save(7, Note("seven before"));
      BinaryFile::SetWriteLimit(stop.Limit);
      EXPECT_THROW(store.Save(7, seven), LectoraError);
      BinaryFile::SetWriteLimit(-1);
      store.Save(8, Note("eight"));
      EXPECT_EQ(store.Load(7), stop.SevenSaved ? seven : Note("seven before"));
    }
    TNotesStore reader(Folder(), true);
    EXPECT_EQ(reader.Load(7), stop.SevenSaved ? seven : Note("seven before"));
    EXPECT_EQ(reader.Load(8), Note("eight"));
    EXPECT_FALSE(fs::exists(Folder() + "N.ibj"));
  }
}

// ---- the crash test ----

struct CrashCase {
  const char* Name;
  std::int32_t Note;
  std::function<void(TNotesStore&)> Change;
  std::string After;  // Load(Note) once the change is done
};

class NotesStoreCrash : public NotesStoreTest {
 protected:
  // Notes 5, 7 and 9 (9 in its own file) and the free block of a deleted 6.
  void MakeBaseline() {
    fs::remove_all(baseline_.File("Notes"));
    TNotesStore store(baseline_.File("Notes/"), false);
    store.Save(5, Note("five, which no change touches"));
    store.Save(6, Note("six, deleted to leave a free block behind"));
    store.Save(7, Note("seven as it was before the change"));
    store.Save(9, LongNote('n'));
    store.Erase(6);
  }
  void Restore() {
    fs::remove_all(Folder());
    fs::copy(baseline_.File("Notes"), Folder(), fs::copy_options::recursive);
  }
  void Run(const CrashCase& c) {
    MakeBaseline();
    Restore();
    const std::string before = TNotesStore(Folder(), true).Load(c.Note);
    const std::string five = Note("five, which no change touches");
    const std::string nine = LongNote('n');
    int stops = 0;
    // Every byte of a short note's change (under 200 bytes), then samples
    // through a long note's own file.
    for (std::int64_t limit = 0;; limit += limit < 400 ? 1 : (limit < 1500 ? 13 : 1499)) {
      Restore();
      bool done = false;
      {
        TNotesStore store(Folder(), false);
        BinaryFile::SetWriteLimit(limit);
        try {
          c.Change(store);
          done = true;
        } catch (const LectoraError&) {
          ++stops;  // the program died here
        }
        BinaryFile::SetWriteLimit(-1);
      }
      TNotesStore store(Folder(), false);  // the next start
      const std::string now = store.Load(c.Note);
      ASSERT_TRUE(now == before || now == c.After)
          << c.Name << ": a mix after " << limit << " bytes: " << now.substr(0, 80);
      if (c.Note != 5) {
        ASSERT_EQ(store.Load(5), five) << limit;
      }
      if (c.Note != 9) {
        ASSERT_EQ(store.Load(9), nine) << limit;
      }
      if (done || limit % 16 == 0) {
        store.Save(11, Note("the store takes the next change"));
        ASSERT_EQ(store.Load(11), Note("the store takes the next change")) << limit;
      }
      if (done) break;
      ASSERT_LT(limit, 400000) << c.Name << " never completed";
    }
    EXPECT_GT(stops, 20) << c.Name;
  }
  test::TempDir baseline_;
};

TEST_F(NotesStoreCrash, EveryStopLeavesTheOldOrTheNewNote) {
  const std::string shorter = Note("seven, shorter");
  const std::string longer = Note("seven rewritten with rather more text than it had before");
  const std::string external = LongNote('L');
  const std::string fresh = Note("a new note of twelve");
  const CrashCase cases[] = {
      {"shorter", 7, [&](TNotesStore& s) { s.Save(7, shorter); }, shorter},
      {"longer", 7, [&](TNotesStore& s) { s.Save(7, longer); }, longer},
      {"to its own file", 7, [&](TNotesStore& s) { s.Save(7, external); }, external},
      {"back from its file", 9, [&](TNotesStore& s) { s.Save(9, shorter); }, shorter},
      {"erased", 7, [](TNotesStore& s) { s.Erase(7); }, EnsureRtf("")},
      {"new", 12, [&](TNotesStore& s) { s.Save(12, fresh); }, fresh},
  };
  for (const CrashCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Run(c);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace lectora
