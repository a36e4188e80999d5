#include "display/BibleComboBox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "display/HistoryContext.h"
#include "display/HistoryFile.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::RecordingMessages;
using test::TempDir;
using test::WriteFile;

class BibleComboBoxTest : public testing::Test {
 protected:
  BibleComboBoxTest() : context_(&messages_), box_(context_) {}

  std::vector<std::string> Texts() const { return box_.Items(); }

  RecordingMessages messages_;
  THistoryContext context_;
  TBibleComboBox box_;
};

struct PositionCase {
  TSorted order;
  std::string text;
  std::uint16_t index;
  double time;
  int expected;
};

// The list holds a/1/10, c/3/30, e/5/50, g/7/70 (text/verse/time), which is
// sorted in all three orders.
TEST_F(BibleComboBoxTest, InsertPositionBisectsThePresentOrder) {
  const PositionCase cases[] = {
      {TSorted::byText, "0", 0, 0, 0},    {TSorted::byText, "a", 0, 0, 0},
      {TSorted::byText, "b", 0, 0, 1},    {TSorted::byText, "c", 0, 0, 1},
      {TSorted::byText, "d", 0, 0, 2},    {TSorted::byText, "f", 0, 0, 3},
      {TSorted::byText, "g", 0, 0, 3},    {TSorted::byText, "h", 0, 0, 4},
      {TSorted::byText, "\xE0", 0, 0, 4},  // bytes compare unsigned
      {TSorted::byText, "A", 0, 0, 0},     // case-sensitive: "A" < "a"
      {TSorted::byTime, "", 0, 5, 0},     {TSorted::byTime, "", 0, 30, 1},
      {TSorted::byTime, "", 0, 31, 2},    {TSorted::byTime, "", 0, 69.9, 3},
      {TSorted::byTime, "", 0, 71, 4},    {TSorted::byIndex, "", 0, 0, 0},
      {TSorted::byIndex, "", 4, 0, 2},    {TSorted::byIndex, "", 7, 0, 3},
      {TSorted::byIndex, "", 8, 0, 4},
  };
  box_.Insert(0, 1, "a", 10);
  box_.Insert(1, 3, "c", 30);
  box_.Insert(2, 5, "e", 50);
  box_.Insert(3, 7, "g", 70);
  for (const PositionCase& c : cases) {
    box_.SetSorted(c.order);
    EXPECT_EQ(box_.InsertPosition(c.text, c.index, c.time), c.expected)
        << static_cast<int>(c.order) << " " << c.text << " " << c.index << " " << c.time;
  }
}

TEST_F(BibleComboBoxTest, InsertPositionOfShortLists) {
  box_.SetSorted(TSorted::byTime);
  EXPECT_EQ(box_.InsertPosition("x", 0, 5), 0);
  box_.Insert(0, 0, "x", 5);
  EXPECT_EQ(box_.InsertPosition("y", 0, 4), 0);
  EXPECT_EQ(box_.InsertPosition("y", 0, 5), 0);
  EXPECT_EQ(box_.InsertPosition("y", 0, 6), 1);
  box_.Insert(1, 0, "y", 8);
  EXPECT_EQ(box_.InsertPosition("z", 0, 7), 1);
  EXPECT_EQ(box_.InsertPosition("z", 0, 9), 2);
}

TEST_F(BibleComboBoxTest, ByTimeRevisitMovesTheEntryToTheEnd) {
  box_.Add(10, "Gen 1:1", 100);
  box_.Add(20, "Exo 2:2", 101);
  box_.Add(30, "Lev 3:3", 102);
  box_.Add(99, "Gen 1:1", 103);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Exo 2:2", "Lev 3:3", "Gen 1:1"}));
  EXPECT_EQ(box_.Indexes(), (std::vector<std::uint16_t>{20, 30, 99}));
  EXPECT_EQ(box_.Times(), (std::vector<double>{101, 102, 103}));
  EXPECT_EQ(box_.ItemIndex(), 2);
  EXPECT_EQ(box_.CurrentTime(), 103);
  // A middle entry moves to the end as well; revisiting the last stays.
  box_.Add(20, "Lev 3:3", 104);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Exo 2:2", "Gen 1:1", "Lev 3:3"}));
  box_.Add(21, "Lev 3:3", 105);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Exo 2:2", "Gen 1:1", "Lev 3:3"}));
  EXPECT_EQ(box_.Indexes().back(), 21);
}

TEST_F(BibleComboBoxTest, ByTextRevisitStaysWhereItsTextSorts) {
  box_.SetSorted(TSorted::byText);
  box_.Add(3, "c", 1);
  box_.Add(1, "a", 2);
  box_.Add(2, "b", 3);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "b", "c"}));
  box_.Add(7, "a", 9);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(box_.Times(), (std::vector<double>{9, 3, 1}));
  EXPECT_EQ(box_.Indexes(), (std::vector<std::uint16_t>{7, 2, 3}));
  EXPECT_EQ(box_.ItemIndex(), 0);
}

TEST_F(BibleComboBoxTest, ByIndexRevisitWithALargerNumberStaysInTheList) {
  box_.SetSorted(TSorted::byIndex);
  box_.Add(1, "a", 1);
  box_.Add(2, "b", 2);
  box_.Add(3, "c", 3);
  box_.Add(9, "a", 4);  // sorts past the end: moves to the last place
  EXPECT_EQ(Texts(), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(box_.Indexes(), (std::vector<std::uint16_t>{2, 3, 9}));
  EXPECT_EQ(box_.ItemIndex(), 2);
}

TEST_F(BibleComboBoxTest, AddIgnoresEmptyTextAndLeavesTheEditAlone) {
  QSignalSpy changed(&box_, &TODComboBox::Changed);
  box_.Add(1, "", 5);
  EXPECT_EQ(box_.Count(), 0);
  box_.SetTextQuiet("typed text");
  box_.SetSelStart(3);
  box_.Add(1, "other", 5);
  EXPECT_EQ(box_.Text(), "typed text");
  EXPECT_EQ(box_.SelStart(), 3);
  EXPECT_EQ(box_.ItemIndex(), 0);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(BibleComboBoxTest, InsertClampsThePosition) {
  box_.Insert(5, 1, "end", 1);
  box_.Insert(-3, 2, "front", 2);
  box_.Insert(1, 3, "middle", 3);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"front", "middle", "end"}));
  EXPECT_EQ(box_.Indexes(), (std::vector<std::uint16_t>{2, 3, 1}));
}

TEST_F(BibleComboBoxTest, SortingIsASelectionSortOfAllThreeArrays) {
  box_.Insert(0, 30, "b", 3);
  box_.Insert(1, 10, "c", 1);
  box_.Insert(2, 20, "a", 2);
  box_.SetTextQuiet("c");
  box_.SetSorted(TSorted::byText);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(box_.Indexes(), (std::vector<std::uint16_t>{20, 30, 10}));
  EXPECT_EQ(box_.Times(), (std::vector<double>{2, 3, 1}));
  EXPECT_EQ(box_.ItemIndex(), 2);
  box_.SetSorted(TSorted::byIndex);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(box_.ItemIndex(), 0);
  box_.SetSorted(TSorted::byTime);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(box_.Times(), (std::vector<double>{1, 2, 3}));
}

TEST_F(BibleComboBoxTest, BackAndNextStepInTimeOrderAndChainTheOldHandlers) {
  QToolButton back;
  QToolButton next;
  std::vector<std::string> log;
  QSignalSpy changed(&box_, &TODComboBox::Changed);
  box_.SetBackButton(&back, [&] {
    log.push_back("back handler sees " + box_.Text() + " after " + std::to_string(changed.count()) +
                  " changes");
  });
  box_.SetNextButton(&next, [&] { log.push_back("next handler sees " + box_.Text()); });
  box_.SetSorted(TSorted::byText);
  box_.Add(1, "b", 20);
  box_.Add(2, "a", 30);
  box_.Add(3, "c", 10);  // newest visit... is the oldest time: c 10, b 20, a 30
  EXPECT_EQ(box_.CurrentTime(), 10);
  EXPECT_FALSE(back.isEnabled());  // Back from the oldest
  EXPECT_TRUE(next.isEnabled());
  EXPECT_EQ(box_.NextIndex(), 1);  // "b" sorts at 1

  QTest::mouseClick(&next, Qt::LeftButton);
  EXPECT_EQ(box_.Text(), "b");
  EXPECT_EQ(box_.CurrentTime(), 20);
  EXPECT_EQ(changed.count(), 1);
  QTest::mouseClick(&next, Qt::LeftButton);
  EXPECT_EQ(box_.Text(), "a");
  EXPECT_FALSE(next.isEnabled());  // Next from the newest
  EXPECT_TRUE(back.isEnabled());
  QTest::mouseClick(&back, Qt::LeftButton);
  EXPECT_EQ(box_.Text(), "b");
  EXPECT_EQ(box_.ItemIndex(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"next handler sees b", "next handler sees a",
                                           "back handler sees b after 2 changes"}));
  EXPECT_EQ(changed.count(), 3);

  // Clear leaves the buttons as they were until the next update.
  box_.Clear();
  EXPECT_TRUE(back.isEnabled());
  EXPECT_TRUE(next.isEnabled());
  box_.UpdateButtons();
  EXPECT_FALSE(back.isEnabled());
  EXPECT_FALSE(next.isEnabled());
}

TEST_F(BibleComboBoxTest, EqualTimesGiveTheFirstEntry) {
  box_.Insert(0, 0, "x", 5);
  box_.Insert(1, 0, "y", 5);
  box_.Insert(2, 0, "z", 7);
  box_.SetItemIndex(2);
  box_.Change();
  EXPECT_EQ(box_.CurrentTime(), 7);
  EXPECT_EQ(box_.PrevIndex(), 0);
  EXPECT_EQ(box_.NextIndex(), -1);
}

TEST_F(BibleComboBoxTest, AttachingAnotherButtonDetachesTheFirst) {
  QToolButton first;
  QToolButton second;
  int calls = 0;
  box_.Add(0, "a", 1);
  box_.Add(0, "b", 2);
  box_.SetBackButton(&first, [&] { ++calls; });
  box_.SetBackButton(&second, [&] { calls += 10; });
  QTest::mouseClick(&first, Qt::LeftButton);
  EXPECT_EQ(calls, 0);
  QTest::mouseClick(&second, Qt::LeftButton);
  EXPECT_EQ(calls, 10);
  EXPECT_EQ(box_.Text(), "a");
}

// The six items of the main window's menus and the five of the dictionary's.
TEST_F(BibleComboBoxTest, PopupMenuItemsByPosition) {
  QMenu menu;
  for (const char* caption : {"text", "time", "verse"}) menu.addAction(caption);
  menu.addSeparator();
  menu.addAction("delete");
  menu.addAction("count");
  box_.Add(5, "b", 1);
  box_.Add(1, "a", 2);
  box_.SetPopupMenu(&menu);
  const QList<QAction*> items = menu.actions();
  EXPECT_TRUE(items[1]->isChecked());
  items[2]->trigger();
  EXPECT_EQ(box_.Sorted(), TSorted::byIndex);
  EXPECT_TRUE(items[2]->isChecked());
  EXPECT_FALSE(items[1]->isChecked());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "b"}));
  items[0]->trigger();
  EXPECT_EQ(box_.Sorted(), TSorted::byText);
  items[5]->trigger();
  ASSERT_EQ(messages_.Messages.size(), 1u);
  EXPECT_EQ(messages_.Messages[0], context_.CountText1 + " 2 " + context_.CountText2);
  EXPECT_EQ(messages_.Messages[0].substr(0, 8), "\xD1\xEF\xE8\xF1\xFA\xEA\xFA\xF2");  // Списъкът
  items[4]->trigger();
  EXPECT_EQ(box_.Count(), 0);
  EXPECT_EQ(box_.Text(), "");
}

TEST_F(BibleComboBoxTest, PopupMenuWithoutTheVerseItem) {
  QMenu menu;
  menu.addAction("text");
  menu.addAction("time");
  menu.addAction("-");
  menu.addAction("delete");
  menu.addAction("count");
  box_.Add(0, "a", 1);
  box_.SetPopupMenu(&menu);
  const QList<QAction*> items = menu.actions();
  items[2]->trigger();  // the separator does nothing
  EXPECT_EQ(box_.Sorted(), TSorted::byTime);
  items[4]->trigger();
  EXPECT_EQ(messages_.Messages.size(), 1u);
  EXPECT_EQ(box_.Count(), 1);
  items[3]->trigger();
  EXPECT_EQ(box_.Count(), 0);
}

TEST_F(BibleComboBoxTest, SaveAndLoadRoundTrip) {
  TempDir dir;
  box_.SetSorted(TSorted::byText);
  box_.Add(31102, "\xCE\xF2\xEA\xF0 22:21", 45123.5123456789);
  box_.Add(1, "Gen 1:1", 45000.25);
  box_.Add(0, "love", 44000.75);
  box_.SetTextQuiet("box text");
  const std::string name = dir.File("ORT/VerseHistory.txt");
  ASSERT_TRUE(box_.SaveToFile(name));
  EXPECT_EQ(ReadFile(name).substr(0, 13), "0\r\nbox text\r\n");

  TBibleComboBox back(context_);
  back.LoadFromFile(name);
  EXPECT_EQ(back.Sorted(), TSorted::byText);
  EXPECT_EQ(back.Items(), box_.Items());
  EXPECT_EQ(back.Indexes(), box_.Indexes());
  ASSERT_EQ(back.Times().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(back.Times()[i], box_.Times()[i], 1e-9);
  EXPECT_NEAR(back.CurrentTime(), 45123.5123456789, 1e-9);  // the latest
  EXPECT_EQ(back.Text(), "");                               // line 2 is ignored
  EXPECT_TRUE(messages_.Messages.empty());
}

TEST_F(BibleComboBoxTest, LoadingDamagedFilesKeepsWhatWasRead) {
  TempDir dir;
  struct {
    const char* name;
    std::string bytes;
    std::size_t entries;
  } const cases[] = {
      {"empty.txt", "", 0},
      {"truncated.txt", "1\r\n\r\n 2.0E+0000 7\r\nfirst\r\n 3.0E+00", 1},
      {"bad_time.txt", "1\r\n\r\n 2.0E+0000 7\r\nfirst\r\nnot-a-time 3\r\nsecond\r\n", 1},
      {"bad_verse.txt", "1\r\n\r\n 2.0E+0000 7\r\nfirst\r\n 3.0E+0000 v\r\nsecond\r\n", 1},
      {"no_text.txt", "1\r\n\r\n 2.0E+0000 7\r\n", 0},
  };
  for (const auto& c : cases) {
    WriteFile(dir.File(c.name), c.bytes);
    box_.Add(1, "stale", 1);
    box_.LoadFromFile(dir.File(c.name));
    EXPECT_EQ(box_.Count(), static_cast<int>(c.entries)) << c.name;
    EXPECT_EQ(box_.Times().size(), c.entries) << c.name;
    if (c.entries == 1) {
      EXPECT_EQ(box_.Items()[0], "first") << c.name;
    }
  }
  box_.Add(1, "stale", 1);
  box_.LoadFromFile(dir.File("missing.txt"));
  EXPECT_EQ(box_.Count(), 0);
  EXPECT_EQ(box_.CurrentTime(), 0);
}

TEST_F(BibleComboBoxTest, AFileWithADamagedOrderLineIsReadAndNeverLost) {
  TempDir dir;
  const std::string name = dir.File("ORT/VerseHistory.txt");
  const std::string original =
      "7\r\nJohn 3:16\r\n 4.50000000000000E+0004 100\r\nGen 1:1\r\n"
      " 4.60000000000000E+0004 200\r\nJohn 3:16\r\n";
  WriteFile(name, original);
  box_.SetSorted(TSorted::byText);
  box_.LoadFromFile(name);
  // The entries are read in the default order.
  EXPECT_EQ(box_.Sorted(), TSorted::byTime);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Gen 1:1", "John 3:16"}));
  EXPECT_EQ(box_.Indexes(), (std::vector<std::uint16_t>{100, 200}));
  // A copy of the file as it was stands beside it, and the user hears of it
  // once.
  EXPECT_EQ(ReadFile(name + ".bak"), original);
  ASSERT_EQ(messages_.Messages.size(), 1u);
  EXPECT_NE(messages_.Messages[0].find("VerseHistory.txt.bak"), std::string::npos);

  // The next visit and the save replace the file with a readable one.
  box_.Add(300, "Rev 22:21", 47000);
  ASSERT_TRUE(box_.SaveToFile(name));
  TBibleComboBox back(context_);
  back.LoadFromFile(name);
  EXPECT_EQ(back.Items(), (std::vector<std::string>{"Gen 1:1", "John 3:16", "Rev 22:21"}));
  EXPECT_EQ(ReadFile(name + ".bak"), original);
  EXPECT_EQ(messages_.Messages.size(), 1u);
}

TEST_F(BibleComboBoxTest, ReloadingTheSameDamagedFileSaysSoOnce) {
  TempDir dir;
  const std::string name = dir.File("Search_List.txt");
  WriteFile(name, "1\r\n\r\n 2.0E+0000 0\r\nlove\r\nnot-a-time 0\r\nfaith\r\n");
  box_.LoadFromFile(name);
  box_.LoadFromFile(name);
  EXPECT_EQ(box_.Count(), 1);
  EXPECT_EQ(messages_.Messages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(name + ".1.bak"));
}

TEST_F(BibleComboBoxTest, APartlyReadFileThatCannotBeCopiedIsNotReplaced) {
  TempDir dir;
  const std::string name = dir.File("VerseHistory.txt");
  const std::string original = "1\r\n\r\n 2.0E+0000 7\r\nfirst\r\n 3.0E+0000 v\r\nsecond\r\n";
  WriteFile(name, original);
  // A folder where the copy would go blocks it.
  std::filesystem::create_directories(name + ".bak");
  for (int n = 1; n < THistoryFile::kMaxCopies; ++n) {
    std::filesystem::create_directories(name + "." + std::to_string(n) + ".bak");
  }
  box_.LoadFromFile(name);
  EXPECT_EQ(box_.Count(), 1);
  box_.Add(9, "third", 9);
  EXPECT_FALSE(box_.SaveToFile(name));
  EXPECT_EQ(ReadFile(name), original);
  ASSERT_EQ(messages_.Messages.size(), 1u);
  EXPECT_EQ(messages_.Messages[0], "The list can't be saved.");
  // Another file of the same list saves as usual.
  EXPECT_TRUE(box_.SaveToFile(dir.File("other.txt")));
}

TEST_F(BibleComboBoxTest, ACompleteFileIsReplacedWithoutACopy) {
  TempDir dir;
  const std::string name = dir.File("VerseHistory.txt");
  WriteFile(name, "1\r\n\r\n 2.0E+0000 7\r\nfirst\r\n\r\n");
  box_.LoadFromFile(name);
  EXPECT_TRUE(box_.SaveToFile(name));
  EXPECT_FALSE(std::filesystem::exists(name + ".bak"));
  EXPECT_TRUE(messages_.Messages.empty());
}

TEST_F(BibleComboBoxTest, FailedSaveShowsOneMessagePerRunAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write into read-only folders";
  TempDir dir;
  const std::string name = dir.File("locked/VerseHistory.txt");
  WriteFile(name, "old");
  ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0555), 0);
  box_.Add(1, "Gen 1:1", 5);
  EXPECT_FALSE(box_.SaveToFile(name));
  EXPECT_FALSE(box_.SaveToFile(name));
  EXPECT_FALSE(box_.SaveToFile(dir.File("locked/sub/Search_List.txt")));
  ::chmod(dir.File("locked").c_str(), 0755);
  EXPECT_EQ(messages_.Messages, (std::vector<std::string>{"The list can't be saved."}));
  EXPECT_EQ(ReadFile(name), "old");
  EXPECT_EQ(box_.Count(), 1);
  EXPECT_TRUE(box_.SaveToFile(name));
}

// Also as root: a file where the folder should be, and a folder where the
// file should be.
TEST_F(BibleComboBoxTest, SaveIntoAnImpossiblePlaceFailsOnceAndLosesNothing) {
  TempDir dir;
  WriteFile(dir.File("blocker"), "not a folder");
  WriteFile(dir.File("VerseHistory.txt/keep.txt"), "kept");
  box_.Add(1, "Gen 1:1", 5);
  EXPECT_FALSE(box_.SaveToFile(dir.File("blocker/VerseHistory.txt")));
  EXPECT_FALSE(box_.SaveToFile(dir.File("VerseHistory.txt")));
  EXPECT_EQ(messages_.Messages, (std::vector<std::string>{"The list can't be saved."}));
  EXPECT_EQ(ReadFile(dir.File("blocker")), "not a folder");
  EXPECT_EQ(ReadFile(dir.File("VerseHistory.txt/keep.txt")), "kept");
  EXPECT_EQ(box_.Count(), 1);
  EXPECT_TRUE(context_.SaveErrorShown);
  // Another list of the same run stays silent too.
  TBibleComboBox other(context_);
  EXPECT_FALSE(other.SaveToFile(dir.File("blocker/Search_List.txt")));
  EXPECT_EQ(messages_.Messages.size(), 1u);
}

TEST(BibleComboBoxTimeTest, ConvertsLocalDateTimes) {
  struct {
    QDateTime time;
    double days;
  } const cases[] = {
      {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0},
      {QDateTime(QDate(1899, 12, 31), QTime(12, 0)), 1.5},
      {QDateTime(QDate(2023, 7, 15), QTime(18, 0)), 45122.75},
      {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(TBibleComboBox::TimeOf(c.time), c.days) << c.days;
    EXPECT_EQ(TBibleComboBox::DateTimeOf(c.days), c.time) << c.days;
  }
  const QDateTime now = QDateTime::currentDateTime();
  EXPECT_EQ(TBibleComboBox::DateTimeOf(TBibleComboBox::TimeOf(now)), now);
  EXPECT_FALSE(TBibleComboBox::DateTimeOf(NAN).isValid());
  EXPECT_FALSE(TBibleComboBox::DateTimeOf(1e300).isValid());
}

}  // namespace
}  // namespace lectora
