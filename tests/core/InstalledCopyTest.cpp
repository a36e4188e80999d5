// Where an installed copy keeps the reader's files: the settings under the
// XDG config folder, everything else under the XDG data folder, read from
// there first and from the installed files second; a copy that is not
// installed keeps its files beside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/Settings.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class InstalledCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(setup_.File("installed"), "");
    WriteFile(setup_.File("lectora.ini"), "[MainWindow]\r\nLanguage=1\r\nTextFromVerse=1\r\n");
  }
  TSettings Open(bool readOnly = false) {
    return TSettings(setup_.Path(), "lectora", config_.Path(), readOnly, data_.Path());
  }

  TempDir setup_;
  TempDir config_;
  TempDir data_;
};

TEST(InstalledCopyRuleTest, PackageFoldersAndTheMarkerMakeAnInstalledCopy) {
  TempDir plain;
  TempDir marked;
  WriteFile(marked.File("installed"), "");
  const struct {
    std::string Folder;
    bool Installed;
  } cases[] = {
      {"/usr/share/lectora/", true},
      {"/usr/local/share/lectora", true},
      {"/opt/lectora/share/lectora/", true},
      {"/usrx/lectora/", false},
      {plain.Path(), false},
      {marked.Path(), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Folder);
    EXPECT_EQ(TSettings::IsInstalledCopy(c.Folder), c.Installed);
  }
}

TEST_F(InstalledCopyTest, TheUsersFilesGoToTheXdgFoldersAndComeBackFromThere) {
  {
    TSettings settings = Open();
    EXPECT_TRUE(settings.InstalledCopy());
    EXPECT_FALSE(settings.RunningFromCD());
    EXPECT_FALSE(settings.FirstRun());  // the installed settings are the first run's
    EXPECT_EQ(settings.UserFolder(), data_.Path() + "lectora/");
    // The installed defaults are read while the user has none.
    EXPECT_EQ(settings.Ini().ReadInteger("MainWindow", "TextFromVerse", 0), 1);
    settings.Ini().WriteInteger("MainWindow", "Language", 2);
    settings.Ini().UpdateFile();
  }
  EXPECT_EQ(ReadFile(setup_.File("lectora.ini")),
            "[MainWindow]\r\nLanguage=1\r\nTextFromVerse=1\r\n");
  const std::string userIni = config_.Path() + "lectora/lectora.ini";
  ASSERT_TRUE(fs::exists(userIni));
  TSettings again = Open();
  EXPECT_EQ(again.Ini().ReadInteger("MainWindow", "Language", 0), 2);
  EXPECT_EQ(again.Ini().ReadInteger("MainWindow", "TextFromVerse", 0), 1);
  EXPECT_EQ(again.Ini().FileName(), userIni);
}

TEST_F(InstalledCopyTest, PathsOfTheSetupFolderMapIntoTheUserFolder) {
  TSettings settings = Open();
  const std::string history = setup_.File("KJV/VerseHistory.txt");
  const std::string user = data_.Path() + "lectora/KJV/VerseHistory.txt";
  EXPECT_EQ(settings.WritePath(history), user);
  EXPECT_EQ(settings.WritePath("/elsewhere/file.txt"), "/elsewhere/file.txt");
  // The installed file until the user has a copy of his own.
  EXPECT_EQ(settings.ReadPath(history), history);
  fs::create_directories(data_.Path() + "lectora/KJV");
  WriteFile(user, "John 3:16\r\n");
  EXPECT_EQ(settings.ReadPath(history), user);
}

TEST_F(InstalledCopyTest, AnUnwritableUserFolderSavesNothingAndSaysSo) {
  // A data folder below a plain file can never be created.
  WriteFile(data_.File("file"), "");
  TSettings settings(setup_.Path(), "lectora", config_.Path(), false, data_.File("file/sub"));
  EXPECT_TRUE(settings.RunningFromCD());
  EXPECT_TRUE(settings.UserFolderUnwritable());
  settings.Ini().WriteInteger("MainWindow", "Language", 2);
  settings.Ini().UpdateFile();
  EXPECT_FALSE(fs::exists(config_.Path() + "lectora/lectora.ini"));
  EXPECT_EQ(settings.Ini().ReadInteger("MainWindow", "TextFromVerse", 0), 1);
}

TEST(NotInstalledCopyTest, TheSettingsStayBesideTheProgram) {
  TempDir setup;
  TempDir config;
  TempDir data;
  WriteFile(setup.File("lectora.ini"), "[MainWindow]\r\nLanguage=2\r\n");
  {
    TSettings settings(setup.Path(), "lectora", config.Path(), false, data.Path());
    EXPECT_FALSE(settings.InstalledCopy());
    EXPECT_EQ(settings.UserFolder(), setup.Path());
    EXPECT_EQ(settings.Ini().ReadInteger("MainWindow", "Language", 0), 2);
    EXPECT_EQ(settings.WritePath(setup.File("KJV/x.txt")), setup.File("KJV/x.txt"));
    settings.Ini().WriteInteger("MainWindow", "Language", 0);
  }
  EXPECT_EQ(ReadFile(setup.File("lectora.ini")), "[MainWindow]\r\nLanguage=0\r\n");
  EXPECT_TRUE(fs::is_empty(data.Path()));
  EXPECT_FALSE(fs::exists(config.Path() + "lectora"));
  // Read-only: the old behaviour, nothing written anywhere.
  TSettings readOnly(setup.Path(), "lectora", config.Path(), true, data.Path());
  EXPECT_TRUE(readOnly.RunningFromCD());
  EXPECT_FALSE(readOnly.UserFolderUnwritable());
}

}  // namespace
}  // namespace lectora
