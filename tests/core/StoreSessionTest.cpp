#include "store/StoreSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "modules/ModuleCompiler.h"
#include "store/LectoraError.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;

constexpr int kEnglish = 9;  // "ASV\", language 5

TStoreSessionOptions OptionsFor(const TempDir& dir, IMessageService* messages = nullptr) {
  TStoreSessionOptions options;
  options.SetupFolder = dir.Path();
  options.ConfigHome = dir.File("config");
  options.Messages = messages;
  return options;
}

// A shared file missing or damaged: the session is not created, the error
// names the file (and the line), and a missing file is also shown.
struct BrokenSetup {
  const char* name;
  bool writeStandard;
  bool writeAbbreviations;
  const char* standardText;
  const char* faultyFile;
  int line;
  bool shown;
};

class StoreSessionBrokenSetup : public ::testing::TestWithParam<BrokenSetup> {};

TEST_P(StoreSessionBrokenSetup, ThrowsNamingTheFile) {
  const BrokenSetup& c = GetParam();
  TempDir dir;
  if (c.writeStandard) {
    test::WriteFile(dir.File("BibleStructure.txt"), std::string(c.standardText).empty()
                                                        ? test::PlainStandardText()
                                                        : std::string(c.standardText));
  }
  if (c.writeAbbreviations) test::WriteFile(dir.File("Abrevs.txt"), "Gen=1\n");
  test::RecordingMessages messages;
  try {
    TStoreSession session(OptionsFor(dir, &messages));
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir.File(c.faultyFile));
    EXPECT_EQ(error.Line(), c.line);
    if (c.shown) {
      EXPECT_EQ(error.Message(), "File not found: " + dir.File(c.faultyFile));
      EXPECT_EQ(messages.Messages, std::vector<std::string>{error.Message()});
    } else {
      EXPECT_TRUE(messages.Messages.empty());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    All, StoreSessionBrokenSetup,
    ::testing::Values(BrokenSetup{"NoStandardStructure", false, true, "", "BibleStructure.txt", 0,
                                  true},
                      BrokenSetup{"NoAbbreviations", true, false, "", "Abrevs.txt", 0, true},
                      BrokenSetup{"NothingAtAll", false, false, "", "BibleStructure.txt", 0, true},
                      BrokenSetup{"DamagedStandardStructure", true, true, "1 30\n1 x\n",
                                  "BibleStructure.txt", 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

class StoreSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TModuleCompiler::Compile(test::TestDataDir() + "module-en", dir_.File("ASV"), 5, false);
    test::WriteFile(dir_.File("BibleStructure.txt"), test::PlainStandardText());
    test::WriteFile(dir_.File("Abrevs.txt"), "Gen=1\nJn=54\n");
  }

  TempDir dir_;
};

TEST_F(StoreSessionTest, OpensAModuleThroughItsSlots) {
  TStoreSessionOptions options = OptionsFor(dir_);
  options.SetupFolder.pop_back();  // without the trailing "/"
  TStoreSession session(options);
  EXPECT_EQ(session.Settings().SetupFolder(), dir_.Path());
  EXPECT_EQ(session.Standard().ChapterCount(1), 1);
  EXPECT_EQ(session.Abbreviations().BookByAbbreviation("jn"), 54);
  EXPECT_EQ(session.Context().Settings, &session.Settings());
  EXPECT_EQ(session.Context().Standard, &session.Standard());
  EXPECT_EQ(session.Context().Abbreviations, &session.Abbreviations());

  TBible& bible = session.Bibles().Open(kEnglish);
  ASSERT_TRUE(bible.Loaded());
  EXPECT_EQ(bible.Path, dir_.File("ASV/"));
  EXPECT_EQ(session.Bibles()[kEnglish], &bible);
  std::string text;
  bible.ReadVerse(1, text);
  EXPECT_FALSE(text.empty());
  // The abbreviation table of the session resolves typed references.
  int position = 0, chapter = 0, verse = 0;
  EXPECT_TRUE(bible.ParseReference("Gen 1:2", position, chapter, verse));
  EXPECT_EQ(bible.BookOrder[position], 1);
  EXPECT_EQ(verse, 2);
}

TEST_F(StoreSessionTest, OpenModulesSaveTheirSettingsWhenTheSessionEnds) {
  {
    TStoreSession session(OptionsFor(dir_));
    TBible& bible = session.Bibles().Open(kEnglish);
    ASSERT_TRUE(bible.Loaded());
    bible.Bookmarks = {"Gen 1:1"};
  }
  TStoreSession again(OptionsFor(dir_));
  EXPECT_EQ(again.Bibles().Open(kEnglish).Bookmarks, std::vector<std::string>{"Gen 1:1"});
}

TEST_F(StoreSessionTest, ReadOnlySetupLeavesNoSettingsFile) {
  TStoreSessionOptions options = OptionsFor(dir_);
  options.ReadOnlySetup = true;
  options.ProgramName = "lectora-cli";
  {
    TStoreSession session(options);
    EXPECT_TRUE(session.Settings().RunningFromCD());
    session.Bibles().Open(kEnglish).Bookmarks = {"Gen 1:1"};
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("lectora-cli.ini")));
}

// The services reach the modules whether given at construction or set
// later, as the program does once its dialogs exist.
TEST(StoreSessionServices, ReachTheModulesGivenEarlyOrLate) {
  for (const bool late : {false, true}) {
    SCOPED_TRACE(late ? "set later" : "in the options");
    TempDir dir;
    test::CopySharedData(dir.Path());
    test::RecordingMessages messages;
    test::ScriptedDriveDialog dialog;  // cancels
    TStoreSessionOptions options = OptionsFor(dir);
    if (!late) {
      options.Messages = &messages;
      options.DriveDialog = &dialog;
    }
    TStoreSession session(options);
    if (late) {
      session.SetMessages(&messages);
      session.SetDriveDialog(&dialog);
    }
    EXPECT_EQ(session.Context().Messages, &messages);
    // No module in the folder: the drive dialog is asked for another root.
    EXPECT_FALSE(session.Bibles().Open(kEnglish).Loaded());
    EXPECT_EQ(dialog.Calls, 1);
  }
}

}  // namespace
}  // namespace lectora
