// The search panel of the real main window, driven through its controls:
// Enter in the search box, the word-order choice, the links view flipping
// with the word list's clicks, the three copy commands, Paste with hostile
// clipboard texts, the Bible window's find command, and what survives a
// restart.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <memory>
#include "MainWindowDriver.h"

#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/CDEdit.h"
#include "display/LargeListBox.h"
#include "display/MyListBox.h"
#include "display/ODComboBox.h"
#include "display/TextFrag.h"
#include "mainwindow/Lectora2Form1.h"
#include "modules/ModuleCompiler.h"
#include "search/SearchContext.h"
#include "settings/MyRadioGroup.h"
#include "settings/OptionValues.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"
#include "tools/range/RangeForm1.h"
#include "tools/search/SearchPage.h"
#include "tools/search/SearchService.h"

namespace lectora {
namespace {

constexpr int kKingJames = 8;  // "KJVSN": Genesis 1, Psalms 1-23, John 1-3, with links

class SearchPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
  }

  // The program with one King James window open at `reference`.
  std::unique_ptr<test::MainWindowDriver> Start(const char* reference = "Genesis 1:1") {
    auto window = test::MainWindowDriver::Start(setup_.Path(), config_.Path());
    if (window->BibleWindows().empty()) window->OpenTranslation(kKingJames);
    // The result lines carry excerpts (option 12, "TextFromVerse").
    window->Window().findChild<TOptionValues*>()->SetOption(TOptionValues::kTextFromVerse, true);
    Go(*window, reference);
    return window;
  }

  template <typename T>
  static T& Control(test::MainWindowDriver& window, const char* name) {
    T* control = window.Window().findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *control;
  }
  static TLargeListBox& Box(test::MainWindowDriver& w) {
    return Control<TLargeListBox>(w, "LargeListBox1");
  }
  static QListView& List(test::MainWindowDriver& w) { return Control<QListView>(w, "ListBox2"); }
  static TSearchPage& Page(test::MainWindowDriver& w) {
    return Control<TSearchPage>(w, "TabSheet1");
  }
  // Label1 of the status line (the message dialog has a Label1 of its own).
  static QString Label(test::MainWindowDriver& w) {
    QLabel* label = w.Window().statusBar()->findChild<QLabel*>(QStringLiteral("Label1"));
    return label != nullptr ? label->text() : QStringLiteral("<no Label1>");
  }
  static int Rows(test::MainWindowDriver& w) { return List(w).model()->rowCount(); }
  static QString Row(test::MainWindowDriver& w, int row) {
    return List(w).model()->index(row, 0).data().toString();
  }

  static void Go(test::MainWindowDriver& window, const char* reference) {
    TODComboBox& box = window.BookBox();
    box.SetTextQuiet("");
    QTest::keyClicks(box.Edit(), reference);
    QTest::keyClick(box.Edit(), Qt::Key_Return);
  }

  // Types `text` into the emptied search box and presses Enter.
  static void Search(test::MainWindowDriver& window, const QString& text) {
    TCDEdit* edit = Box(window).ComboBox()->Edit();
    Box(window).ComboBox()->SetTextQuiet("");
    edit->setFocus();
    // Key by key, as typed; letters without a key code of their own (the
    // Cyrillic ones) come as text only.
    for (const QChar c : text) {
      if (c.unicode() < 128) {
        QTest::keyClick(edit, c.toLatin1());
      } else {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &release);
      }
    }
    QTest::keyClick(edit, Qt::Key_Return);
  }

  static void ClickRow(QAbstractItemView& view, int row,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect rect = view.visualRect(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, rect.center());
  }

  // Clicks the selected word of the word list again.
  static void ClickSelectedWord(test::MainWindowDriver& window) {
    TLargeListBox& box = Box(window);
    ASSERT_GE(box.ItemIndex(), 0);
    ClickRow(*box.RowList(), box.ItemIndex() - box.TopIndex());
  }

  // True when the window shows `word` as a run of its own in the mark colour.
  static bool Marks(const TBibleForm1& window, const std::string& word) {
    const std::vector<TTextFrag>& fragments = window.BRichEdit1->Fragments();
    return std::any_of(fragments.begin(), fragments.end(), [&](const TTextFrag& fragment) {
      return fragment.Text == word && fragment.Font.Color == QColor(0xFF, 0x00, 0x00);
    });
  }

  static std::string AppearIn(test::MainWindowDriver& window) {
    return window.Program().Texts().Translate("AppearIn");
  }

  test::TempDir setup_;
  test::TempDir config_;
};

TEST_F(SearchPanelTest, EnterListsTheVersesWithExcerptsAndClickingOneMovesThere) {
  auto window = Start();
  window->OpenTranslation(kKingJames);  // a second window on Genesis 1
  ASSERT_EQ(window->BibleWindows().size(), 2U);
  for (TBibleForm1* bibleWindow : window->BibleWindows()) {
    EXPECT_FALSE(Marks(*bibleWindow, "light"));
  }
  const int history = Box(*window).ComboBox()->Count();
  Search(*window, QStringLiteral("light"));
  EXPECT_EQ(Label(*window), QStringLiteral("light | 17"));
  ASSERT_EQ(Rows(*window), 17);
  EXPECT_TRUE(Row(*window, 0).startsWith(QStringLiteral("Genesis 1:3 ")))
      << Row(*window, 0).toStdString();
  EXPECT_TRUE(Row(*window, 0).contains(QStringLiteral("light"))) << Row(*window, 0).toStdString();
  EXPECT_EQ(Box(*window).ComboBox()->Count(), history + 1);
  EXPECT_NE(Box(*window).ComboBox()->IndexOf("light"), -1);
  // Every window marks the words of the query.
  for (TBibleForm1* bibleWindow : window->BibleWindows()) {
    EXPECT_TRUE(Marks(*bibleWindow, "light"));
  }
  ClickRow(List(*window), 2);
  EXPECT_EQ(window->CurrentReference(), "Genesis 1:5");
  // The list follows the reader: the verse reached is the one selected.
  Go(*window, "John 1:4");
  const QModelIndexList selected = List(*window).selectionModel()->selectedIndexes();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_TRUE(selected.first().data().toString().startsWith(QStringLiteral("John 1:4")));
}

TEST_F(SearchPanelTest, ARangeConfirmedInTheDialogSearchesAgain) {
  auto window = Start();
  Search(*window, QStringLiteral("light"));
  ASSERT_EQ(Rows(*window), 17);
  window->Program().Actions().Get(QStringLiteral("Range1")).trigger();
  TRangeForm1& dialog = window->Program().RangeDialog();
  ASSERT_TRUE(dialog.isVisible());
  QTest::mouseClick(dialog.RadioGroup1()->Button(TRangeForm1::kNewTestament), Qt::LeftButton);
  QTest::mouseClick(dialog.Button1(), Qt::LeftButton);
  // Only the Gospel's verses are left, without another Enter, although the
  // query was typed (which leaves the word list's change ignored).
  ASSERT_GT(Rows(*window), 0);
  ASSERT_LT(Rows(*window), 17);
  for (int row = 0; row < Rows(*window); ++row) {
    EXPECT_TRUE(Row(*window, row).startsWith(QStringLiteral("John ")))
        << Row(*window, row).toStdString();
  }
  EXPECT_EQ(Label(*window), QStringLiteral("light | %1").arg(Rows(*window)));
}

TEST_F(SearchPanelTest, TurningExcerptsOffRebuildsTheListUnderItsTitle) {
  auto window = Start();
  Search(*window, QStringLiteral("light"));
  ASSERT_TRUE(Row(*window, 0).contains(QStringLiteral("light")));
  auto* options = window->Window().findChild<TOptionValues*>();
  options->SetOption(TOptionValues::kTextFromVerse, false);
  EXPECT_EQ(Row(*window, 0), QStringLiteral("Genesis 1:3"));
  EXPECT_EQ(Label(*window), QStringLiteral("light | 17"));
  options->SetOption(TOptionValues::kAbrev, true);
  EXPECT_NE(Row(*window, 0), QStringLiteral("Genesis 1:3"));
  EXPECT_TRUE(Row(*window, 0).endsWith(QStringLiteral(" 1:3"))) << Row(*window, 0).toStdString();
}

TEST_F(SearchPanelTest, TypingSearchesOnlyOnEnterAndPickingAnotherWordSearchesIt) {
  auto window = Start();
  TCDEdit* edit = Box(*window).ComboBox()->Edit();
  edit->setFocus();
  QTest::keyClicks(edit, "light");
  EXPECT_GE(Box(*window).ItemIndex(), 0);  // the word is selected ...
  EXPECT_EQ(Label(*window), QString());    // ... and waits for Enter
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(Label(*window), QStringLiteral("light | 17"));
  // A click on the word before it in the list searches that word.
  const int before = Box(*window).ItemIndex() - 1 - Box(*window).TopIndex();
  ASSERT_GE(before, 0);
  // A row shows the word and its count.
  const std::string row = Box(*window).RowList()->Text(before);
  const std::string word = row.substr(0, row.find(' '));
  ClickRow(*Box(*window).RowList(), before);
  EXPECT_TRUE(Label(*window).startsWith(QString::fromStdString(word) + QStringLiteral(" | ")))
      << word << " / " << Label(*window).toStdString();
  // The verse list follows the Up and Down keys as it follows clicks.
  Search(*window, QStringLiteral("light"));
  ClickRow(List(*window), 0);
  const std::string first = window->CurrentReference();
  List(*window).setFocus();
  QTest::keyClick(&List(*window), Qt::Key_Down);
  EXPECT_NE(window->CurrentReference(), first);
}

TEST_F(SearchPanelTest, EveryControlOfThePanelHasAnAccessibleName) {
  auto window = Start();
  for (const char* name : {"ComboBox2", "Button1", "LargeListBox1", "ListBox2", "BitBtn1",
                           "PageControl1", "HistoryBox"}) {
    QWidget* inPanel =
        Control<QWidget>(*window, "Panel3").findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(inPanel, nullptr) << name;
    EXPECT_FALSE(inPanel->accessibleName().isEmpty()) << name;
  }
  EXPECT_FALSE(Page(*window).Label1->accessibleName().isEmpty());
}

TEST_F(SearchPanelTest, TheWordOrderChoiceSearchesAgainAndSurvivesARestart) {
  {
    auto window = Start();
    Search(*window, QStringLiteral("darkness light"));
    QComboBox& order = *Page(*window).ComboBox2;
    ASSERT_EQ(order.count(), 3);
    const QString anyOrder = Label(*window);
    EXPECT_TRUE(anyOrder.startsWith(QStringLiteral("darkness light | "))) << anyOrder.toStdString();
    order.setCurrentIndex(1);  // in this order: "light ... darkness" no longer counts
    const QString inOrder = Label(*window);
    order.setCurrentIndex(2);  // as a phrase: nowhere
    EXPECT_EQ(Label(*window), QStringLiteral("darkness light | 0"));
    EXPECT_NE(anyOrder, inOrder);
    EXPECT_NE(inOrder, Label(*window));
    window->close();
  }
  auto window = Start();
  EXPECT_EQ(Page(*window).ComboBox2->currentIndex(), 2);
  EXPECT_EQ(window->Program().WordSearch().Order(), 2);
  // The last search runs again at the start, with the order it had.
  EXPECT_EQ(Label(*window), QStringLiteral("darkness light | 0"));
}

TEST_F(SearchPanelTest, TheLinksViewFlipsWithEachClickOfTheWord) {
  auto window = Start("Genesis 1:1");
  Search(*window, QStringLiteral("light"));
  // The tool bar may keep the button in its overflow menu: its command.
  QAction& links = window->Program().Actions().Get(QStringLiteral("ToolButton15"));
  ASSERT_TRUE(links.isVisible());
  const QString refVers = QString::fromStdString(window->Program().Texts().Translate("RefVers"));
  const QColor normal = List(*window).palette().color(QPalette::Base);
  links.trigger();  // on: the links of Genesis 1:1
  EXPECT_EQ(Label(*window), refVers + QStringLiteral(" | 3"));
  ASSERT_EQ(Rows(*window), 3);
  EXPECT_EQ(Row(*window, 0), QStringLiteral("Psalms 8:3"));
  EXPECT_EQ(List(*window).palette().color(QPalette::Base), QColor(0xE9, 0xFF, 0xE6));
  ClickSelectedWord(*window);  // back to the search
  EXPECT_EQ(Label(*window), QStringLiteral("light | 17"));
  EXPECT_EQ(List(*window).palette().color(QPalette::Base), normal);
  ClickSelectedWord(*window);  // and to the links again
  EXPECT_EQ(Label(*window), refVers + QStringLiteral(" | 3"));
  // In the links view a double click moves, and the list follows the move.
  const QRect rect = List(*window).visualRect(List(*window).model()->index(2, 0));
  QSignalSpy spy(&List(*window), &QAbstractItemView::doubleClicked);
  // The view takes a double click as the second press on the row pressed.
  QTest::mousePress(List(*window).viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseRelease(List(*window).viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(List(*window).viewport(), Qt::LeftButton, {}, rect.center());
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(window->CurrentReference(), "John 1:1");
  EXPECT_EQ(Label(*window), refVers + QStringLiteral(" | 1"));
  Go(*window, "Genesis 1:2");  // a verse without links: an empty green list
  EXPECT_EQ(Label(*window), refVers + QStringLiteral(" | 0"));
  EXPECT_EQ(Rows(*window), 0);
  EXPECT_EQ(List(*window).palette().color(QPalette::Base), QColor(0xE9, 0xFF, 0xE6));
  EXPECT_EQ(List(*window).toolTip().toStdString(),
            window->Program().Texts().Translate("ListHint2"));
  links.trigger();  // off: the search of the box
  EXPECT_EQ(Label(*window), QStringLiteral("light | 17"));
  EXPECT_EQ(List(*window).toolTip().toStdString(),
            window->Program().Texts().Translate("ListHint1"));
}

TEST_F(SearchPanelTest, CopyListWritesEachBookAndChapterOnce) {
  struct Case {
    const char* query;
    const char* references;
  };
  const Case cases[] = {
      {"loveth", " Psalms 11:5,7; John 3:35"},
      {"light", " Genesis 1:3,4,5,15,16,17,18; Psalms 4:6, 18:28; John 1:4,5,7,8,9, 3:19,20,21"},
  };
  auto window = Start();
  for (const Case& c : cases) {
    Search(*window, QString::fromLatin1(c.query));
    Page(*window).Copy1->trigger();
    const std::string expected =
        std::string("\"") + c.query + "\" " + AppearIn(*window) + " " + c.references;
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), expected);
  }
}

TEST_F(SearchPanelTest, CopyMarkedCopiesTheSelectedVersesOrOnlyTheHeader) {
  auto window = Start("Genesis 1:1");  // not in the list: nothing selected
  Search(*window, QStringLiteral("loveth"));
  ASSERT_EQ(Rows(*window), 3);
  EXPECT_TRUE(List(*window).selectionModel()->selectedIndexes().isEmpty());
  QApplication::clipboard()->setText(QStringLiteral("before"));
  // The menu offers it only with a selection; the command itself copies
  // the header alone.
  Page(*window).PopupMenu1->popup(QPoint(0, 0));
  EXPECT_FALSE(Page(*window).Copy3->isEnabled());
  Page(*window).PopupMenu1->hide();
  Page(*window).Copy3Click();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            "\"loveth\" " + AppearIn(*window) + " ");
  // Rows 1 and 3 selected with Ctrl: two verses with their lines.
  ClickRow(List(*window), 0, Qt::ControlModifier);
  ClickRow(List(*window), 2, Qt::ControlModifier);
  EXPECT_TRUE(Page(*window).Copy3->isEnabled());
  Page(*window).Copy3->trigger();
  const QString text = QApplication::clipboard()->text();
  EXPECT_TRUE(text.contains(QStringLiteral("Psalms 11:5 "))) << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("Psalms 11:7 "))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("John 3:35 "))) << text.toStdString();
}

TEST_F(SearchPanelTest, CopyAllPutsPlainTextAndRichTextOnTheClipboard) {
  auto window = Start();
  Search(*window, QStringLiteral("loveth"));
  Page(*window).Copy2->trigger();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  const QString text = data->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("\"loveth\" "))) << text.toStdString();
  for (const char* part : {"Psalms 11:5 ", "Psalms 11:7 ", "John 3:35 ", "The Father"}) {
    EXPECT_TRUE(text.contains(QString::fromLatin1(part))) << part;
  }
  const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
  EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rtf.left(40).toStdString();
  EXPECT_TRUE(rtf.contains("John 3:35")) << rtf.toStdString();
  // Copy4 of the word list's menu copies the search box text alone.
  Page(*window).Copy4->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("loveth"));
  EXPECT_FALSE(Page(*window).Dictionary2->isEnabled());
}

TEST_F(SearchPanelTest, AnEmptyResultShowsCountZeroAndAddsNoHistory) {
  auto window = Start();
  const int history = Box(*window).ComboBox()->Count();
  Search(*window, QStringLiteral("zzzz"));
  EXPECT_EQ(Label(*window), QStringLiteral("zzzz | 0"));
  EXPECT_EQ(Rows(*window), 0);
  EXPECT_EQ(Box(*window).ComboBox()->Count(), history);
}

TEST_F(SearchPanelTest, ASearchInAnotherLanguagesLettersFindsNothing) {
  auto window = Start();
  Search(*window, QStringLiteral("light"));
  ASSERT_EQ(Rows(*window), 17);
  ASSERT_TRUE(Marks(*window->ActiveBibleWindow(), "light"));
  for (const QString& text : {QStringLiteral("любов"), QStringLiteral("light любов")}) {
    Search(*window, text);
    EXPECT_EQ(window->Program().WordSearch().SearchRoot(), nullptr) << text.toStdString();
    EXPECT_EQ(Label(*window), QString()) << text.toStdString();
    EXPECT_EQ(Rows(*window), 0);
    EXPECT_FALSE(Marks(*window->ActiveBibleWindow(), "light")) << text.toStdString();
  }
}

TEST_F(SearchPanelTest, PasteTakesAnyClipboardTextWithoutHarm) {
  struct Case {
    const char* name;
    QString text;
    const char* label;  // the status line after Paste
  };
  const Case cases[] = {
      {"1 MB of brackets", QString(1 << 20, u'('), ""},
      {"1 MB of words", QStringLiteral("a ").repeated(1 << 19), ""},
      {"control characters", QStringLiteral("\x01\x02\x1b\x7f"), ""},
      {"line ends between words", QStringLiteral("light\r\nloveth"), "light loveth | 0"},
      {"an open bracket", QStringLiteral("((light"), "light | 17"},
      {"closing brackets", QStringLiteral("light))"), "light)) | 0"},
      {"an open quote", QStringLiteral("\"light"), "light | 17"},
      {"only operators", QStringLiteral("/_+-\"\")("), ")( | 0"},
  };
  auto window = Start("Psalms 1:1");
  for (const Case& c : cases) {
    QApplication::clipboard()->setText(c.text);
    Page(*window).Button1->click();
    EXPECT_EQ(Label(*window).toStdString(), c.label) << c.name;
    if (std::string_view(c.label) == "light | 17") {
      // Open first found: the first verse of the result.
      EXPECT_EQ(window->CurrentReference(), "Genesis 1:3") << c.name;
    }
  }
}

TEST_F(SearchPanelTest, TheFindCommandOfABibleWindowSearchesAndShowsThePanel) {
  auto window = Start("Genesis 1:3");
  Control<QToolButton>(*window, "BitBtn1").click();
  EXPECT_FALSE(Control<QWidget>(*window, "Panel3").isVisible());
  EXPECT_FALSE(window->Program().Actions().Get(QStringLiteral("ToolButton12")).isChecked());
  Control<QTabWidget>(*window, "PageControl1").setCurrentIndex(1);
  TBibleForm1* bibleWindow = window->ActiveBibleWindow();
  ASSERT_NE(bibleWindow, nullptr);
  const std::string& content = bibleWindow->BRichEdit1->Content();
  const std::size_t at = content.find("light");
  ASSERT_NE(at, std::string::npos);
  int visible = 0;  // selection indices skip line ends
  for (std::size_t i = 0; i < at; ++i) visible += content[i] != '\r' && content[i] != '\n';
  bibleWindow->BRichEdit1->SetSelStart(visible);
  bibleWindow->BRichEdit1->SetSelLength(6);  // the word and the blank after it
  bibleWindow->Find1Click();
  EXPECT_TRUE(Control<QWidget>(*window, "Panel3").isVisible());
  EXPECT_EQ(Control<QTabWidget>(*window, "PageControl1").currentIndex(), 0);
  EXPECT_EQ(Label(*window), QStringLiteral("light | 17"));
  EXPECT_EQ(Box(*window).Text(), "light");
}

// A Cyrillic module in the slot of the Synodal text ("ORT").
class SearchPanelCyrillicTest : public SearchPanelTest {
 protected:
  static void SetUpTestSuite() {
    cyrillic_ = new test::TempDir;
    TModuleCompiler::Compile(test::TestDataDir() + "module-ru", cyrillic_->File("ORT"), 0, false);
  }
  static void TearDownTestSuite() {
    delete cyrillic_;
    cyrillic_ = nullptr;
  }
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    std::filesystem::copy(cyrillic_->File("ORT"), setup_.File("ORT"),
                          std::filesystem::copy_options::recursive);
  }
  std::unique_ptr<test::MainWindowDriver> StartCyrillic() {
    auto window = test::MainWindowDriver::Start(setup_.Path(), config_.Path());
    window->OpenTranslation(0);
    return window;
  }
  static inline test::TempDir* cyrillic_ = nullptr;
};

TEST_F(SearchPanelCyrillicTest, LettersTheAlphabetLacksAreTakenInTheirPlainForm) {
  auto window = StartCyrillic();
  ASSERT_NE(window->ActiveBible(), nullptr);
  Search(*window, QStringLiteral("небо"));
  const QString plain = Label(*window);
  EXPECT_TRUE(plain.startsWith(QStringLiteral("небо | "))) << plain.toStdString();
  EXPECT_NE(plain, QStringLiteral("небо | 0"));
  Search(*window, QStringLiteral("нёбо"));  // with Ё, which no word of the list has
  EXPECT_EQ(Label(*window), plain);
}

TEST_F(SearchPanelCyrillicTest, KeysTypedUnderALatinLayoutBecomeTheModulesLetters) {
  auto window = StartCyrillic();
  // The layout is unknown offscreen, so "AutoKeybd" translates every key.
  TCDEdit* edit = Box(*window).ComboBox()->Edit();
  Box(*window).ComboBox()->SetTextQuiet("");
  edit->setFocus();
  QTest::keyClicks(edit, "f");
  ASSERT_EQ(edit->text().size(), 1);
  EXPECT_GE(edit->text()[0].unicode(), 0x400) << edit->text().toStdString();
}

}  // namespace
}  // namespace lectora
