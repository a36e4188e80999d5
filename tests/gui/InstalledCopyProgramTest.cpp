// The real program on an installed copy: the verse history and the
// settings go to the reader's XDG folders and come back from there after a
// restart, the installed folder is never written, and a data folder that
// cannot be written is said once while the program goes on.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <filesystem>
#include <string>

#include "MainWindowDriver.h"
#include "display/BibleComboBox.h"
#include "mainwindow/MsgForm1.h"
#include "navigation/Navigator.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

constexpr int kKingJames = 8;

// Every file under `folder`, relative, sorted.
std::vector<std::string> FilesUnder(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class InstalledCopyProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
    test::WriteFile(setup_.File("installed"), "");
  }
  std::unique_ptr<test::MainWindowDriver> Start(const std::string& dataHome) {
    return test::MainWindowDriver::Start(setup_.Path(), config_.Path(), false, nullptr, dataHome);
  }

  test::TempDir setup_;
  test::TempDir config_;
  test::TempDir data_;
};

TEST_F(InstalledCopyProgramTest, TheReadersFilesLiveInTheXdgFoldersAcrossARestart) {
  const std::vector<std::string> installed = FilesUnder(setup_.Path());
  {
    auto driver = Start(data_.Path());
    driver->OpenTranslation(kKingJames);
    driver->Program().Navigator().GoToReference("Genesis 1:3");
    driver->close();
  }
  EXPECT_EQ(FilesUnder(setup_.Path()), installed);
  EXPECT_TRUE(fs::exists(data_.Path() + "lectora/KJVSN/VerseHistory.txt"));
  EXPECT_TRUE(fs::exists(config_.Path() + "lectora/lectora.ini"));

  auto driver = Start(data_.Path());
  driver->OpenTranslation(kKingJames);
  const auto& items = driver->VerseHistory().Items();
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const std::string& item) {
    return item.find("1:3") != std::string::npos;
  })) << "the verse history was not read back";
}

TEST_F(InstalledCopyProgramTest, AnUnwritableDataFolderIsSaidOnceAndNothingIsWritten) {
  test::WriteFile(data_.File("file"), "");
  const std::vector<std::string> installed = FilesUnder(setup_.Path());
  {
    auto driver = Start(data_.File("file/sub"));
    QApplication::processEvents();
    // The test's setup folder has no language files, which is told too.
    const QString folder = QString::fromStdString(data_.File("file/sub"));
    const auto& shown = driver->Program().MessageDialog().Shown();
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                            [&](const auto& notice) { return notice.Text.contains(folder); }),
              1);
    driver->OpenTranslation(kKingJames);
    driver->Program().Navigator().GoToReference("Genesis 1:3");
    driver->close();
  }
  EXPECT_EQ(FilesUnder(setup_.Path()), installed);
  EXPECT_FALSE(fs::exists(config_.Path() + "lectora/lectora.ini"));
}

}  // namespace
}  // namespace lectora
