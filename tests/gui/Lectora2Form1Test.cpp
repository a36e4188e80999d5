// The real main window driven through its controls: the spin edits, the
// history buttons, the bookmark, windows of differently numbered
// translations, and the settings written at exit and read at the next start.
#include "mainwindow/Lectora2Form1.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRect>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include "MainWindowDriver.h"

#include "app/ActionRegistry.h"
#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/CDEdit.h"
#include "display/ODComboBox.h"
#include "mainwindow/CDDriveForm1.h"
#include "settings/MySpinEdit.h"
#include "store/Bible.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

constexpr int kKingJames = 8;  // "KJVSN": Genesis 1, Psalms 1-23, John 1-3
constexpr int kShifted = 9;    // "ASV": its Psalm 3:1 is the standard Psalm 3:2

class Lectora2Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
    test::InstallSampleModule(test::kShiftedSample, setup_.File("ASV"));
  }

  std::unique_ptr<test::MainWindowDriver> Start(bool readOnly = false) {
    return test::MainWindowDriver::Start(setup_.Path(), config_.Path(), readOnly);
  }

  // Types a reference into the book box and presses Enter. Visits are
  // told apart by their times: a reader never moves twice in a millisecond.
  static void Go(test::MainWindowDriver& window, const char* reference) {
    QTest::qWait(2);
    TODComboBox& box = window.BookBox();
    box.SetTextQuiet("");
    QTest::keyClicks(box.Edit(), reference);
    QTest::keyClick(box.Edit(), Qt::Key_Return);
  }

  test::TempDir setup_;
  test::TempDir config_;
};

TEST_F(Lectora2Form1Test, FirstRunOpensNoWindowAndDisablesNavigation) {
  auto window = Start();
  EXPECT_TRUE(window->BibleWindows().empty());
  EXPECT_FALSE(window->BookBox().isEnabled());
  EXPECT_FALSE(window->ChapterSpin().isEnabled());
  EXPECT_FALSE(window->GotoMenu().menuAction()->isVisible());
  window->OpenTranslation(kKingJames);
  EXPECT_TRUE(window->BookBox().isEnabled());
  EXPECT_TRUE(window->GotoMenu().menuAction()->isVisible());
  EXPECT_TRUE(window->TranslationAction(kKingJames).isChecked());
  EXPECT_TRUE(window->Window().findChild<QWidget*>(QStringLiteral("Panel3"))->isVisible());
  window->Program().Actions().Get(QStringLiteral("CloseAll1")).trigger();
  EXPECT_TRUE(window->BibleWindows().empty());
  EXPECT_FALSE(window->ChapterSpin().isEnabled());
  EXPECT_FALSE(window->BookBox().isEnabled());
  EXPECT_FALSE(window->TranslationAction(kKingJames).isChecked());
  EXPECT_FALSE(window->Window().findChild<QWidget*>(QStringLiteral("Panel3"))->isVisible());
}

TEST_F(Lectora2Form1Test, VerticalTilingPutsWindowsSideBySideAndSurvivesARestart) {
  const auto sideBySide = [](test::MainWindowDriver& window) {
    const std::vector<TBibleForm1*> windows = window.BibleWindows();
    EXPECT_EQ(windows.size(), 2u);
    if (windows.size() != 2) return false;
    const QRect a = windows[0]->parentWidget()->geometry();
    const QRect b = windows[1]->parentWidget()->geometry();
    return a.top() == b.top() && a.height() == b.height() && !a.intersects(b);
  };
  {
    auto window = Start();
    window->OpenTranslation(kKingJames);
    window->OpenTranslation(kShifted);
    window->Program().Actions().Get(QStringLiteral("Tile3")).trigger();
    EXPECT_TRUE(sideBySide(*window));
    window->Program().Actions().Get(QStringLiteral("Tile2")).trigger();
    EXPECT_FALSE(sideBySide(*window));
    window->Program().Actions().Get(QStringLiteral("Tile3")).trigger();
    window->close();
  }
  auto window = Start();
  EXPECT_TRUE(sideBySide(*window));
}

TEST_F(Lectora2Form1Test, SpinEditsStepAcrossChaptersAndBooks) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  struct Step {
    const char* from;
    bool chapter;  // the chapter spin, else the verse spin
    bool toLower;  // toward lower numbers (the spin's upper half: increment -1)
    const char* to;
  };
  const Step steps[] = {
      {"John 1:5", true, true, "Psalms 23:5"},      // chapter 1 down: previous book's last
      {"Psalms 23:6", true, false, "John 1:6"},     // past the last chapter: next book
      {"Genesis 1:3", true, true, "Genesis 1:3"},   // book 1, chapter 1: stays
      {"John 3:36", true, false, "John 3:36"},      // the module's last book: stays
      {"Psalms 2:1", false, true, "Psalms 1:6"},    // verse 1 down: previous chapter's last
      {"Psalms 1:6", false, false, "Psalms 2:1"},   // past the last verse: next chapter
      {"Genesis 1:1", false, true, "Genesis 1:1"},  // the first verse of the module
      {"John 3:36", false, false, "John 3:36"},     // the last verse of the module
  };
  for (const Step& step : steps) {
    Go(*window, step.from);
    ASSERT_EQ(window->CurrentReference(), step.from);
    TMySpinEdit& spin = step.chapter ? window->ChapterSpin() : window->VerseSpin();
    step.toLower ? spin.UpClick() : spin.DownClick();
    EXPECT_EQ(window->CurrentReference(), step.to) << "from " << step.from;
    EXPECT_EQ(window->ActiveBibleWindow()->ShownVerse(), window->VerseSpin().Value());
  }
}

TEST_F(Lectora2Form1Test, TypedDigitsWaitForEnter) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "Psalms 1:1");
  TMySpinEdit& chapter = window->ChapterSpin();
  chapter.setFocus();
  chapter.selectAll();
  QTest::keyClicks(&chapter, "12");
  EXPECT_EQ(window->CurrentReference(), "Psalms 1:1");
  QTest::keyClick(&chapter, Qt::Key_Return);
  EXPECT_EQ(window->CurrentReference(), "Psalms 12:1");
}

TEST_F(Lectora2Form1Test, BookmarkFollowsTheReaderOneVerseAtATime) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "Genesis 1:1");
  TBibleForm1* bibleWindow = window->ActiveBibleWindow();
  ASSERT_NE(bibleWindow, nullptr);
  bibleWindow->AddBookmark1Click();
  ASSERT_EQ(window->BookmarkMenu().actions().size(), 2);
  window->VerseSpin().DownClick();  // to 1:2
  EXPECT_EQ(window->BookmarkMenu().actions()[1]->text(), QStringLiteral("Genesis 1:2"));
  EXPECT_EQ(bibleWindow->Bible()->Bookmarks, std::vector<std::string>{"Genesis 1:2"});
  Go(*window, "Genesis 1:5");  // a jump leaves it behind
  EXPECT_EQ(window->BookmarkMenu().actions()[1]->text(), QStringLiteral("Genesis 1:2"));
  window->BookmarkMenu().actions()[1]->trigger();
  EXPECT_EQ(window->CurrentReference(), "Genesis 1:2");
}

TEST_F(Lectora2Form1Test, BackDoesNotRecordTheMoveTheNextMoveDoes) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:16");
  Go(*window, "John 1:1");
  TBibleComboBox& history = window->VerseHistory();
  const int entries = history.Count();
  ASSERT_TRUE(window->BackButton().isEnabled());
  window->BackButton().click();
  EXPECT_EQ(window->CurrentReference(), "John 3:16");
  EXPECT_EQ(history.Count(), entries);
  EXPECT_TRUE(window->NextButton().isEnabled());
  QTest::qWait(2);
  window->VerseSpin().DownClick();  // John 3:17 is recorded again
  EXPECT_EQ(window->CurrentReference(), "John 3:17");
  EXPECT_EQ(history.Count(), entries + 1);
  EXPECT_NE(history.IndexOf("John 3:17"), -1);
}

TEST_F(Lectora2Form1Test, WindowsOfDifferentlyNumberedTranslationsShowTheSameVerse) {
  auto window = Start();
  window->OpenTranslation(kShifted);
  window->OpenTranslation(kKingJames);  // the active one now
  Go(*window, "Psalms 3:2");
  TBibleForm1* shifted = nullptr;
  for (TBibleForm1* bibleWindow : window->BibleWindows()) {
    if (bibleWindow->TranslationNumber() == kShifted) shifted = bibleWindow;
  }
  ASSERT_NE(shifted, nullptr);
  EXPECT_EQ(shifted->ShownBook(), 22);
  EXPECT_EQ(shifted->ShownChapter(), 3);
  EXPECT_EQ(shifted->ShownVerse(), 1);
  // And back: in the shifted window its 3:1 is the King James 3:2.
  window->WindowArea().setActiveSubWindow(window->WindowArea().subWindowList().first());
  ASSERT_EQ(window->ActiveBibleWindow(), shifted);
  Go(*window, "Psalms 3:4");
  for (TBibleForm1* bibleWindow : window->BibleWindows()) {
    if (bibleWindow->TranslationNumber() == kKingJames) {
      EXPECT_EQ(bibleWindow->ShownVerse(), 5);
    }
  }
}

TEST_F(Lectora2Form1Test, OfTwoWindowsOnOneTranslationOnlyTheFirstMoves) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 1:1");
  window->OpenTranslation(kKingJames);
  const std::vector<TBibleForm1*> windows = window->BibleWindows();
  ASSERT_EQ(windows.size(), 2u);
  Go(*window, "Psalms 23:1");
  EXPECT_EQ(windows[0]->ShownBook(), 22);
  EXPECT_EQ(windows[1]->ShownBook(), 54);
}

TEST_F(Lectora2Form1Test, ThreeWindowsComeBackAfterARestart) {
  {
    auto window = Start();
    window->OpenTranslation(kKingJames);
    window->OpenTranslation(kShifted);
    window->OpenTranslation(kKingJames);
    Go(*window, "John 3:16");
    window->close();
  }
  ASSERT_TRUE(std::filesystem::exists(setup_.File("lectora.ini")));
  EXPECT_TRUE(std::filesystem::exists(setup_.File("KJVSN/VerseHistory.txt")));
  auto window = Start();
  const std::vector<TBibleForm1*> windows = window->BibleWindows();
  ASSERT_EQ(windows.size(), 3u);
  std::vector<int> order;
  order.reserve(windows.size());
  for (TBibleForm1* bibleWindow : windows) order.push_back(bibleWindow->TranslationNumber());
  EXPECT_EQ(order, (std::vector<int>{kKingJames, kShifted, kKingJames}));
  EXPECT_EQ(window->CurrentReference(), "John 3:16");
  EXPECT_EQ(window->ActiveBibleWindow()->ShownChapter(), 3);
  // The verse history of the last run came back with it.
  EXPECT_NE(window->VerseHistory().IndexOf("John 3:16"), -1);
}

TEST_F(Lectora2Form1Test, NothingIsWrittenWhenTheSetupCannotBeWritten) {
  {
    auto window = Start(/*readOnly=*/true);
    window->OpenTranslation(kKingJames);
    Go(*window, "John 3:16");
    window->close();
  }
  EXPECT_FALSE(std::filesystem::exists(setup_.File("lectora.ini")));
  EXPECT_FALSE(std::filesystem::exists(setup_.File("KJVSN/VerseHistory.txt")));
  EXPECT_FALSE(std::filesystem::exists(setup_.File("KJVSN/Search_List.txt")));
}

TEST_F(Lectora2Form1Test, ClosingWindowsKeepsTheChecksAndHistoriesRight) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:16");
  QMdiArea& area = window->WindowArea();
  area.activeSubWindow()->close();
  QApplication::processEvents();
  ASSERT_EQ(window->BibleWindows().size(), 1u);
  EXPECT_TRUE(window->TranslationAction(kKingJames).isChecked());
  EXPECT_TRUE(window->ChapterSpin().isEnabled());
  area.subWindowList().last()->close();
  QApplication::processEvents();
  EXPECT_TRUE(window->BibleWindows().empty());
  EXPECT_FALSE(window->TranslationAction(kKingJames).isChecked());
  EXPECT_FALSE(window->ChapterSpin().isEnabled());
  // With no window left nothing would save the verse history at exit.
  EXPECT_NE(test::ReadFile(setup_.File("KJVSN/VerseHistory.txt")).find("John 3:16"),
            std::string::npos);
}

TEST_F(Lectora2Form1Test, RandomVerseStaysInsideTheModule) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  const int total = window->ActiveBible()->VerseTotal;
  for (int i = 0; i < 50; ++i) {
    window->GoToRandomVerse();
    EXPECT_GE(window->CurrentVerseNumber(), 1);
    EXPECT_LE(window->CurrentVerseNumber(), total);
  }
}

// The window of `number` among the open ones, or null.
TBibleForm1* WindowOf(test::MainWindowDriver& window, int number) {
  for (TBibleForm1* bibleWindow : window.BibleWindows()) {
    if (bibleWindow->TranslationNumber() == number) return bibleWindow;
  }
  return nullptr;
}

void Activate(test::MainWindowDriver& window, TBibleForm1* bibleWindow) {
  for (QMdiSubWindow* sub : window.WindowArea().subWindowList()) {
    if (sub->widget() == bibleWindow) window.WindowArea().setActiveSubWindow(sub);
  }
  ASSERT_EQ(window.ActiveBibleWindow(), bibleWindow);
}

TEST_F(Lectora2Form1Test, DifferentlyNumberedWindowsStayTogetherThroughStepsAndRestarts) {
  {
    auto window = Start();
    window->OpenTranslation(kShifted);
    window->OpenTranslation(kKingJames);
    Go(*window, "Psalms 3:2");
    TBibleForm1* shifted = WindowOf(*window, kShifted);
    ASSERT_NE(shifted, nullptr);
    // The shifted window keeps its own place, not the King James numbers.
    EXPECT_EQ(shifted->Verse, 1);
    Activate(*window, shifted);
    EXPECT_EQ(window->VerseSpin().Value(), 1);
    EXPECT_EQ(window->CurrentReference(), "Psalms 3:1");
    EXPECT_EQ(window->VerseHistory().Text(), "Psalms 3:1");
    window->VerseSpin().DownClick();  // one verse on
    EXPECT_EQ(window->CurrentReference(), "Psalms 3:2");
    EXPECT_EQ(WindowOf(*window, kKingJames)->ShownVerse(), 3);
    EXPECT_EQ(shifted->ShownVerse(), 2);
    window->close();
  }
  auto window = Start();
  TBibleForm1* shifted = WindowOf(*window, kShifted);
  TBibleForm1* kingJames = WindowOf(*window, kKingJames);
  ASSERT_NE(shifted, nullptr);
  ASSERT_NE(kingJames, nullptr);
  EXPECT_EQ(shifted->ShownVerse(), 2);
  EXPECT_EQ(kingJames->ShownVerse(), 3);
  Activate(*window, kingJames);
  EXPECT_EQ(window->VerseSpin().Value(), 3);
  window->VerseSpin().DownClick();
  EXPECT_EQ(kingJames->ShownVerse(), 4);
  EXPECT_EQ(shifted->ShownVerse(), 3);
}

TEST_F(Lectora2Form1Test, KeysThatDoNotEditTheVerseLeaveTheNextCommandAlone) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:16");
  TMySpinEdit& verse = window->VerseSpin();
  verse.setFocus();
  for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Shift, Qt::Key_Alt, Qt::Key_Left, Qt::Key_Right}) {
    QTest::keyClick(&verse, key);
    window->Program().Actions().Get(QStringLiteral("First2")).trigger();
    EXPECT_EQ(window->CurrentReference(), "John 3:1") << "after key " << key;
    Go(*window, "John 3:16");
  }
  // A typed digit still waits for Enter.
  QTest::keyClick(&verse, Qt::Key_5);
  EXPECT_EQ(window->CurrentReference(), "John 3:16");
}

TEST_F(Lectora2Form1Test, TheBookBoxTakesEveryReferenceForm) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  const std::pair<const char*, const char*> cases[] = {
      {"john3 16", "John 3:16"},  {"john 3 16", "John 3:16"}, {"ps23:4", "Psalms 23:4"},
      {"gen 1:3", "Genesis 1:3"}, {"jo 1", "John 1:1"},
  };
  for (const auto& [typed, reached] : cases) {
    Go(*window, typed);
    EXPECT_EQ(window->CurrentReference(), reached) << typed;
  }
  // A bare book-name start is still completed at the blank.
  window->BookBox().SetTextQuiet("");
  QTest::keyClicks(window->BookBox().Edit(), "psa ");
  EXPECT_EQ(window->BookBox().Text(), "Psalms ");
}

TEST_F(Lectora2Form1Test, TheVerseHistoryFieldFollowsTheReader) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:16");
  EXPECT_EQ(window->VerseHistory().Text(), "John 3:16");
  Go(*window, "John 1:1");
  EXPECT_EQ(window->VerseHistory().Text(), "John 1:1");
}

TEST_F(Lectora2Form1Test, ATranslationThatIsNotInstalledLeavesNoWindowAndNoCheck) {
  auto window = Start();
  window->Program().DriveDialog().QueueAnswer(std::nullopt);
  window->TranslationAction(6).trigger();  // "RU" is not in the setup folder
  EXPECT_TRUE(window->BibleWindows().empty());
  EXPECT_TRUE(window->WindowArea().subWindowList().isEmpty());
  EXPECT_FALSE(window->TranslationAction(6).isChecked());
  EXPECT_FALSE(window->BookBox().isEnabled());
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:16");
  EXPECT_EQ(window->CurrentReference(), "John 3:16");
}

TEST_F(Lectora2Form1Test, AnImpossibleTypedChapterIsClampedWhenTheFieldIsLeft) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "Psalms 1:1");
  TMySpinEdit& chapter = window->ChapterSpin();
  chapter.setFocus();
  chapter.selectAll();
  QTest::keyClicks(&chapter, "99");
  window->VerseSpin().setFocus();  // as Tab does
  EXPECT_EQ(chapter.Value(), 23);
  EXPECT_EQ(window->CurrentReference(), "Psalms 1:1");
  QTest::keyClick(&chapter, Qt::Key_Return);
  EXPECT_EQ(window->CurrentReference(), "Psalms 23:1");
}

TEST_F(Lectora2Form1Test, KeysReleasedInTheVerseFieldReachTheText) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  Go(*window, "John 3:16");
  TBibleRichEdit1& text = *window->ActiveBibleWindow()->BRichEdit1;
  text.SetSelLength(0);
  QTest::keyClick(&window->VerseSpin(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(text.SelLength(), text.VisibleLength());
}

TEST_F(Lectora2Form1Test, TheLayoutOfTheLastRunComesBack) {
  {
    auto window = Start();
    window->OpenTranslation(kKingJames);
    window->Window().WindowSettings();
    window->Find<TODComboBox>("BookBox").setFixedWidth(200);
    window->close();
  }
  auto window = Start();
  EXPECT_EQ(window->BookBox().width(), 200);
  EXPECT_NE(test::ReadFile(setup_.File("lectora.ini")).find("CmBB1Width=140"), std::string::npos);
}

TEST_F(Lectora2Form1Test, CtrlBGoesToTheBookBoxFromTheTextAndTheFields) {
  auto window = Start();
  window->OpenTranslation(kKingJames);
  window->Window().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window->Window()));
  TBibleRichEdit1& text = *window->ActiveBibleWindow()->BRichEdit1;
  QTest::mouseClick(&text, Qt::LeftButton, {}, QPoint(40, 40));
  for (QWidget* from :
       {static_cast<QWidget*>(&text), static_cast<QWidget*>(&window->VerseSpin())}) {
    from->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(window->BookBox().Edit()->hasFocus() || window->BookBox().hasFocus())
        << from->objectName().toStdString();
    EXPECT_EQ(window->BookBox().Edit()->selectedText(), QStringLiteral("Genesis"));
  }
}

}  // namespace
}  // namespace lectora
