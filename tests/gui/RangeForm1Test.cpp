// The range dialog through the real main window: the Range1 command, the
// quick selector, a hand check, Clear, OK and Cancel, the choice kept
// across showings and restarts, and the searches it limits.
#include "tools/range/RangeForm1.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>
#include <memory>
#include <string>
#include "MainWindowDriver.h"

#include "app/ActionRegistry.h"
#include "mainwindow/Lectora2Form1.h"
#include "modules/ModuleCompiler.h"
#include "search/QueryParser.h"
#include "search/SearchContext.h"
#include "settings/MyRadioGroup.h"
#include "store/Bible.h"
#include "support/TestSupport.h"
#include "tools/help/HelpForm1.h"
#include "tools/help/HelpService.h"

namespace lectora {
namespace {

constexpr int kWholeBible = 9;  // "ASV": books 1..78, "grace" in every one
constexpr int kKingJames = 8;   // "KJVSN": Genesis (1), Psalms (22), John (54)
constexpr int kBooks = 78;      // Genesis to Revelation (77) and the Prayer of Manasseh

// Books 1..78, each one chapter of two verses; the first verse of every
// book holds "grace", so that a search of it hits both testaments.
void WriteWholeBibleSource(const std::string& folder) {
  std::string books;
  std::string verses;
  for (int book = 1; book <= kBooks; ++book) {
    // Names of letters only: a digit would read as a chapter number.
    const std::string name = std::string("Liber") + char('A' + book / 26) + char('a' + book % 26);
    books.append(std::to_string(book)).append("\tThe book ").append(name);
    books.append("\t").append(name).append("\t").append(name).append("\n");
    verses += std::to_string(book) + "\t1\t1\tgrace and peace\n";
    verses += std::to_string(book) + "\t1\t2\tand the word\n";
  }
  test::WriteFile(folder + "books.tsv", books);
  test::WriteFile(folder + "verses.tsv", verses);
}

class RangeForm1Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    modules_ = new test::TempDir;
    const std::string source = modules_->File("source/");
    WriteWholeBibleSource(source);
    TModuleCompiler::Compile(source, modules_->File("ASV"), 5, false);
    TModuleCompiler::Compile(test::TestDataDir() + "kjv-sample", modules_->File("KJVSN"), 5, true);
  }
  static void TearDownTestSuite() {
    delete modules_;
    modules_ = nullptr;
  }

  void SetUp() override {
    test::CopySharedData(setup_.Path());
    for (const char* folder : {"KJVSN", "ASV"}) {
      std::filesystem::copy(modules_->File(folder), setup_.File(folder),
                            std::filesystem::copy_options::recursive);
    }
    std::filesystem::copy(test::SourceDir() + "data/help", setup_.File("help"),
                          std::filesystem::copy_options::recursive);
    Start();
  }

  void Start() {
    window_ = test::MainWindowDriver::Start(setup_.Path(), config_.Path());
    if (window_->BibleWindows().empty()) window_->OpenTranslation(kWholeBible);
  }
  void Restart() {
    window_->close();
    window_.reset();
    Start();
  }

  TRangeForm1& Dialog() { return window_->Program().RangeDialog(); }
  TSearchContext& Search() { return window_->Program().Search(); }
  TBible& Bible() { return *window_->ActiveBible(); }

  // Range1 as the reader chooses it from the menu bar.
  TRangeForm1& Open() {
    window_->Program().Actions().Get(QStringLiteral("Range1")).trigger();
    EXPECT_TRUE(Dialog().isVisible());
    return Dialog();
  }
  static void Choose(TRangeForm1& dialog, int item) {
    QTest::mouseClick(dialog.RadioGroup1()->Button(item), Qt::LeftButton);
  }
  static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // The book numbers of the checked lines, in list order.
  std::vector<int> CheckedBooks() {
    std::vector<int> books;
    QListWidget* list = Dialog().CheckListBox1();
    for (int line = 0; line < list->count(); ++line) {
      if (list->item(line)->checkState() == Qt::Checked)
        books.push_back(Bible().BookOrder[line + 1]);
    }
    return books;
  }
  // The book numbers of the verses a search of `query` finds.
  std::vector<int> FoundBooks(const char* query) {
    std::vector<int> books;
    std::unique_ptr<TSearchNode> root = BuildQuery(query, Bible(), Search());
    if (root == nullptr) return books;
    for (std::uint16_t verse : root->List->Items) {
      int position = 0;
      int chapter = 0;
      int number = 0;
      Bible().VerseToRef(verse, position, chapter, number);
      books.push_back(Bible().BookOrder[position]);
    }
    return books;
  }
  static std::vector<int> Books(int first, int last) {
    std::vector<int> books;
    for (int book = first; book <= last; ++book) books.push_back(book);
    return books;
  }
  // The Old Testament of the module: 1..50 and the Prayer of Manasseh.
  static std::vector<int> OldTestament() {
    std::vector<int> books = Books(1, 50);
    books.push_back(78);
    return books;
  }

  static inline test::TempDir* modules_ = nullptr;
  test::TempDir setup_;
  test::TempDir config_;
  std::unique_ptr<test::MainWindowDriver> window_;
};

TEST_F(RangeForm1Test, NewTestamentChecksItsBooksAndLimitsTheSearch) {
  ASSERT_EQ(Bible().BookCount, kBooks);
  EXPECT_EQ(FoundBooks("grace"), Books(1, kBooks));  // both testaments before
  TRangeForm1& dialog = Open();
  EXPECT_EQ(dialog.CheckListBox1()->count(), kBooks);
  EXPECT_EQ(dialog.CheckListBox1()->item(50)->text(), QStringLiteral("LiberBz"));
  EXPECT_EQ(CheckedBooks(), Books(1, kBooks));
  EXPECT_EQ(dialog.RadioGroup1()->ItemIndex(), TRangeForm1::kAllBooks);
  Choose(dialog, TRangeForm1::kNewTestament);
  EXPECT_EQ(CheckedBooks(), Books(51, 77));
  EXPECT_EQ(dialog.RadioGroup1()->ItemIndex(), TRangeForm1::kNewTestament);
  QSignalSpy confirmed(&dialog, &TRangeForm1::RangeConfirmed);
  Click(dialog.Button1());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(confirmed.count(), 1);
  EXPECT_EQ(Search().SearchRangeType, TRangeForm1::kNewTestament);
  // Books the module lacks (79..87) keep what they were.
  for (int book = 1; book <= 87; ++book) {
    EXPECT_EQ(Search().SelectedBooks[book], book >= 51 && book != 78) << "book " << book;
  }
  EXPECT_EQ(FoundBooks("grace"), Books(51, 77));
}

TEST_F(RangeForm1Test, SelectorItemsCheckTheirBooks) {
  TRangeForm1& dialog = Open();
  const struct {
    int item;
    std::vector<int> books;
  } cases[] = {
      {TRangeForm1::kOldTestament, OldTestament()},
      {TRangeForm1::kAllBooks, Books(1, kBooks)},
      {TRangeForm1::kNewTestament, Books(51, 77)},
      {TRangeForm1::kSelectedBooks, Books(51, 77)},  // leaves the checks alone
  };
  for (const auto& c : cases) {
    Choose(dialog, c.item);
    EXPECT_EQ(CheckedBooks(), c.books) << "item " << c.item;
    EXPECT_EQ(dialog.RadioGroup1()->ItemIndex(), c.item);
  }
  Click(dialog.Button2());
}

TEST_F(RangeForm1Test, CheckingALineByHandSwitchesToSelectedBooks) {
  TRangeForm1& dialog = Open();
  Choose(dialog, TRangeForm1::kOldTestament);
  QListWidget* list = dialog.CheckListBox1();
  list->setFocus();
  list->setCurrentRow(53);  // book 54
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(list->item(53)->checkState(), Qt::Checked);
  EXPECT_EQ(dialog.RadioGroup1()->ItemIndex(), TRangeForm1::kSelectedBooks);
  EXPECT_TRUE(dialog.RadioGroup1()->Button(TRangeForm1::kSelectedBooks)->isChecked());
  Click(dialog.Button1());
  std::vector<int> expected = Books(1, 50);
  expected.push_back(54);
  expected.push_back(78);
  EXPECT_EQ(FoundBooks("grace"), expected);
  EXPECT_EQ(Search().SearchRangeType, TRangeForm1::kSelectedBooks);
}

TEST_F(RangeForm1Test, ClearThenOkExcludesEveryBook) {
  TRangeForm1& dialog = Open();
  Click(dialog.Button3());
  EXPECT_TRUE(CheckedBooks().empty());
  EXPECT_EQ(dialog.RadioGroup1()->ItemIndex(), TRangeForm1::kSelectedBooks);
  Click(dialog.Button1());
  for (int book = 1; book <= kBooks; ++book) EXPECT_FALSE(Search().SelectedBooks[book]);
  EXPECT_TRUE(FoundBooks("grace").empty());
  EXPECT_TRUE(FoundBooks("grace / word").empty());
}

TEST_F(RangeForm1Test, CancelAndClosingStoreNothing) {
  for (const bool byCancel : {true, false}) {
    TRangeForm1& dialog = Open();
    QSignalSpy confirmed(&dialog, &TRangeForm1::RangeConfirmed);
    Choose(dialog, TRangeForm1::kNewTestament);
    byCancel ? Click(dialog.Button2()) : static_cast<void>(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(confirmed.count(), 0);
    EXPECT_EQ(Search().SearchRangeType, TRangeForm1::kAllBooks);
    EXPECT_EQ(FoundBooks("grace"), Books(1, kBooks));
    // The next showing starts again from what is stored.
    Open();
    EXPECT_EQ(CheckedBooks(), Books(1, kBooks));
    EXPECT_EQ(dialog.RadioGroup1()->ItemIndex(), TRangeForm1::kAllBooks);
    Click(dialog.Button2());
  }
}

TEST_F(RangeForm1Test, ReopeningAndRestartingShowTheConfirmedChoice) {
  TRangeForm1& dialog = Open();
  Choose(dialog, TRangeForm1::kOldTestament);
  QListWidget* list = dialog.CheckListBox1();
  list->setFocus();
  list->setCurrentRow(2);  // book 3 out
  QTest::keyClick(list, Qt::Key_Space);
  Click(dialog.Button1());
  std::vector<int> expected = OldTestament();
  expected.erase(expected.begin() + 2);
  Open();
  EXPECT_EQ(CheckedBooks(), expected);
  EXPECT_EQ(Dialog().RadioGroup1()->ItemIndex(), TRangeForm1::kSelectedBooks);
  Click(Dialog().Button2());

  Restart();
  ASSERT_EQ(Bible().BookCount, kBooks);
  Open();
  EXPECT_EQ(CheckedBooks(), expected);
  EXPECT_EQ(Dialog().RadioGroup1()->ItemIndex(), TRangeForm1::kSelectedBooks);
  Click(Dialog().Button2());
  EXPECT_EQ(FoundBooks("grace"), expected);
}

TEST_F(RangeForm1Test, BooksTheModuleLacksKeepTheirValues) {
  Choose(Open(), TRangeForm1::kNewTestament);
  Click(Dialog().Button1());
  window_->OpenTranslation(kKingJames);
  ASSERT_EQ(Bible().TranslationNumber, kKingJames);
  TRangeForm1& dialog = Open();
  ASSERT_EQ(dialog.CheckListBox1()->count(), 3);
  EXPECT_EQ(CheckedBooks(), std::vector<int>{54});
  Choose(dialog, TRangeForm1::kAllBooks);
  Click(dialog.Button1());
  for (int book : {1, 22, 51, 54, 77}) EXPECT_TRUE(Search().SelectedBooks[book]) << book;
  for (int book : {2, 21, 23, 50}) EXPECT_FALSE(Search().SelectedBooks[book]) << book;
}

TEST_F(RangeForm1Test, HelpButtonOpensTheRangePage) {
  TRangeForm1& dialog = Open();
  Click(dialog.Button4());
  THelpForm1* help = window_->Program().Help().Window();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->Browser()->source().fragment(), QStringLiteral("Range"));
  Click(dialog.Button2());
}

TEST_F(RangeForm1Test, TakesTheCyrillicFontOfTheSettings) {
  const QString designFamily = Open().font().family();
  Click(Dialog().Button2());
  window_->close();
  window_.reset();
  // A Bulgarian translation's font, kept from an earlier run.
  std::string ini = test::ReadFile(setup_.File("lectora.ini"));
  ini += "[ORT\\Font]\r\nFontName=DejaVu Serif\r\n";
  test::WriteFile(setup_.File("lectora.ini"), ini);
  Start();
  EXPECT_EQ(Open().font().family(), QStringLiteral("DejaVu Serif"));
  EXPECT_NE(designFamily, QStringLiteral("DejaVu Serif"));
  Click(Dialog().Button2());
}

TEST_F(RangeForm1Test, ControlsCarryTheDesignTextsAndNames) {
  TRangeForm1& dialog = Open();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Област за търсене"));
  EXPECT_TRUE(dialog.Button1()->isDefault());
  EXPECT_EQ(dialog.Button3()->text(), QStringLiteral("&Чисти"));
  EXPECT_EQ(dialog.RadioGroup1()->Items(),
            QStringList({QStringLiteral("Всички книги"), QStringLiteral("Стария завет"),
                         QStringLiteral("Новия завет"), QStringLiteral("Избрани книги")}));
  for (QWidget* control : std::initializer_list<QWidget*>{
           dialog.CheckListBox1(), dialog.RadioGroup1(), dialog.Button1(), dialog.Button2(),
           dialog.Button3(), dialog.Button4(), dialog.RadioGroup1()->Button(3)}) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
  }
  Click(dialog.Button2());
}

}  // namespace
}  // namespace lectora
