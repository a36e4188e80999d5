#include "display/LargeListBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>

#include "display/CDEdit.h"
#include "display/HistoryContext.h"
#include "search/LargeStringList.h"
#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

// A sorted list of lower-case words; rows show "word (n)", keys the word.
class TWordList : public TLargeStringList {
 public:
  explicit TWordList(int count) {
    for (int i = 0; i < count; ++i) {
      char word[16];
      std::snprintf(word, sizeof word, "word%05d", i * 2);
      Words.emplace_back(word);
    }
  }
  std::int32_t Count() const override { return static_cast<std::int32_t>(Words.size()); }
  void Get(std::int32_t index, std::string& text) const override {
    ++GetCalls;
    if (FailGet) throw LectoraError("WordList.txt", 0, "damaged");
    text = index >= 0 && index < Count() ? Words[index] + " (" + std::to_string(index) + ")" : "";
  }
  std::int32_t IndexOf(const std::string& text) const override {
    ++IndexOfCalls;
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    return static_cast<std::int32_t>(std::lower_bound(Words.begin(), Words.end(), lower) -
                                     Words.begin());
  }
  void Key(std::int32_t index, std::string& text) const override {
    text = index >= 0 && index < Count() ? Words[index] : "";
  }

  std::vector<std::string> Words;
  mutable int GetCalls = 0;
  mutable int IndexOfCalls = 0;
  bool FailGet = false;
};

std::string Word(int i) {
  char word[16];
  std::snprintf(word, sizeof word, "word%05d", i * 2);
  return word;
}

class LargeListBoxTest : public testing::Test {
 protected:
  LargeListBoxTest() : context_(&messages_), box_(context_) {
    box_.resize(200, 300);
    box_.show();
    box_.activateWindow();
  }
  void SetUp() override {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box_));
    visible_ = box_.VisibleCount();
    ASSERT_GE(visible_, 5);
  }
  // Types `text` into the box as the user would, replacing what is there.
  void Type(const std::string& text) {
    box_.ComboBox()->Edit()->setFocus();
    box_.ComboBox()->Edit()->clear();
    QTest::keyClicks(box_.ComboBox()->Edit(), QString::fromStdString(text));
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < box_.RowList()->count(); ++i) rows.push_back(box_.RowList()->Text(i));
    return rows;
  }
  QPoint RowCenter(int row) const {
    const int h = box_.RowList()->RowHeight();
    return QPoint(20, row * h + h / 2);
  }

  test::RecordingMessages messages_;
  THistoryContext context_;
  TLargeListBox box_;
  int visible_ = 0;
};

TEST_F(LargeListBoxTest, EmptySourceIsNotSearchedAndTypingLeavesRowsEmpty) {
  TWordList empty(0);
  QSignalSpy changed(&box_, &TLargeListBox::Changed);
  box_.SetList(&empty);
  EXPECT_EQ(empty.IndexOfCalls, 0);
  Type("abc");
  EXPECT_EQ(changed.count(), 3);
  EXPECT_EQ(box_.RowList()->count(), 0);
  EXPECT_EQ(box_.ItemIndex(), -1);
  Type("");  // also an empty text: nothing can be selected
  EXPECT_EQ(box_.ItemIndex(), -1);
  EXPECT_EQ(box_.Text(), "");
}

TEST_F(LargeListBoxTest, NoSourceOnlyReportsTheChange) {
  QSignalSpy changed(&box_, &TLargeListBox::Changed);
  Type("xy");
  EXPECT_EQ(changed.count(), 2);
  EXPECT_EQ(box_.RowList()->count(), 0);
}

TEST_F(LargeListBoxTest, FetchesOnlyTheVisibleRows) {
  TWordList words(12000);
  box_.SetList(&words);
  EXPECT_EQ(box_.RowList()->count(), visible_);
  EXPECT_LE(words.GetCalls, 2 * visible_);
  words.GetCalls = 0;
  box_.ScrollBar()->setValue(5000);
  EXPECT_EQ(box_.TopIndex(), 5000);
  EXPECT_EQ(words.GetCalls, visible_);
  EXPECT_EQ(box_.RowList()->Text(0), Word(5000) + " (5000)");
  EXPECT_EQ(box_.ScrollBar()->maximum(), 12000 - visible_);
  EXPECT_EQ(box_.ScrollBar()->pageStep(), visible_ - 1);
}

TEST_F(LargeListBoxTest, AShorterSourceCutsTheScrollRangeToItsOwn) {
  TWordList words(500);
  box_.SetList(&words);
  box_.ScrollBar()->setValue(400);
  ASSERT_EQ(box_.TopIndex(), 400);

  // A source that fits the view: nothing is left to scroll, the wheel over
  // the rows and the bar's own keys leave the three entries in place.
  TWordList few(3);
  box_.SetList(&few);
  EXPECT_EQ(box_.ScrollBar()->maximum(), 0);
  EXPECT_EQ(box_.TopIndex(), 0);
  ASSERT_EQ(box_.RowList()->count(), 3);
  QWidget* viewport = box_.RowList()->viewport();
  QWheelEvent wheel(QPointF(20, 20), viewport->mapToGlobal(QPointF(20, 20)), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &wheel);
  QTest::keyClick(box_.ScrollBar(), Qt::Key_PageDown);
  EXPECT_EQ(box_.TopIndex(), 0);
  EXPECT_EQ(box_.RowList()->count(), 3);
  EXPECT_EQ(box_.RowList()->Text(0), Word(0) + " (0)");

  TWordList exact(visible_);
  box_.SetList(&exact);
  EXPECT_EQ(box_.ScrollBar()->maximum(), 0);
  TWordList longer(visible_ + 5);
  box_.SetList(&longer);
  EXPECT_EQ(box_.ScrollBar()->maximum(), 5);
  box_.SetList(nullptr);
  EXPECT_EQ(box_.ScrollBar()->maximum(), 0);
}

TEST_F(LargeListBoxTest, TypingAKeySelectsItWithTheLeastScrolling) {
  TWordList words(1000);
  box_.SetList(&words);
  const int v = visible_ - 1;
  Type(Word(500));
  EXPECT_EQ(box_.ItemIndex(), 500);
  EXPECT_EQ(box_.TopIndex(), 500 - v);  // the entry is the last row
  EXPECT_EQ(box_.RowList()->currentRow(), v);
  box_.SetText(Word(500 - v + 1));  // already in view: no scrolling
  EXPECT_EQ(box_.TopIndex(), 500 - v);
  box_.SetText(Word(100));  // above the view: it becomes the first row
  EXPECT_EQ(box_.TopIndex(), 100);
  EXPECT_EQ(box_.RowList()->currentRow(), 0);
}

TEST_F(LargeListBoxTest, PrefixThatIsNotAKeySelectsNothingButScrolls) {
  TWordList words(1000);
  box_.SetList(&words);
  // "word0050" sorts before "word00500" (entry 250).
  Type("word0050");
  EXPECT_EQ(box_.ItemIndex(), -1);
  EXPECT_EQ(box_.TopIndex(), 250 - (visible_ - 1));
  EXPECT_EQ(box_.Text(), "word0050");
  EXPECT_FALSE(box_.RowList()->currentItem() != nullptr &&
               box_.RowList()->currentItem()->isSelected());

  box_.SetScrollType(TScrollType::stTop);
  Type("word0070");  // entry 350
  EXPECT_EQ(box_.ItemIndex(), -1);
  EXPECT_EQ(box_.TopIndex(), 349);  // one row above the found entry
  EXPECT_EQ(box_.RowList()->Text(1), Word(350) + " (350)");
}

TEST_F(LargeListBoxTest, TopScrollingStopsAtTheEnd) {
  TWordList words(100);
  box_.SetScrollType(TScrollType::stTop);
  box_.SetList(&words);
  Type(Word(99));
  EXPECT_EQ(box_.ItemIndex(), 99);
  EXPECT_EQ(box_.TopIndex(), 100 - visible_);
  Type("zzz");  // after the last entry
  EXPECT_EQ(box_.ItemIndex(), -1);
  EXPECT_EQ(box_.TopIndex(), 100 - visible_);
  EXPECT_EQ(box_.RowList()->count(), visible_);
}

TEST_F(LargeListBoxTest, TextAfterTheLastEntryStaysWithinTheScrollRange) {
  TWordList words(100);
  box_.SetList(&words);
  Type("zzz");
  EXPECT_EQ(box_.ItemIndex(), -1);
  EXPECT_EQ(box_.TopIndex(), box_.ScrollBar()->maximum());
  EXPECT_EQ(box_.TopIndex(), box_.ScrollBar()->value());
}

TEST_F(LargeListBoxTest, OtherLetterCaseSelectsAndTakesTheKeysLetters) {
  TWordList words(100);
  box_.SetList(&words);
  Type("WORD00020");
  EXPECT_EQ(box_.ItemIndex(), 10);
  EXPECT_EQ(box_.Text(), "word00020");
}

TEST_F(LargeListBoxTest, ClickingAnEntryAfterATrailingBlankAppendsIt) {
  TWordList words(100);
  box_.SetList(&words);
  QSignalSpy clicks(&box_, &TLargeListBox::Click);
  box_.SetText("alpha ");
  EXPECT_EQ(box_.ItemIndex(), -1);
  const int top = box_.TopIndex();
  QTest::mouseClick(box_.RowList()->viewport(), Qt::LeftButton, {}, RowCenter(2));
  EXPECT_EQ(box_.ItemIndex(), top + 2);
  EXPECT_EQ(box_.Text(), "alpha " + Word(top + 2));
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks[0][0].value<QWidget*>(), box_.RowList());
  EXPECT_EQ(context_.LastRowClickSender, box_.RowList());
  // Without the blank the entry replaces the text; so does "/" append.
  box_.SetClearText("beta");
  QTest::mouseClick(box_.RowList()->viewport(), Qt::LeftButton, {}, RowCenter(3));
  EXPECT_EQ(box_.Text(), Word(top + 3));
  box_.SetClearText("a/");
  QTest::mouseClick(box_.RowList()->viewport(), Qt::LeftButton, {}, RowCenter(1));
  EXPECT_EQ(box_.Text(), "a/" + Word(top + 1));
  // A single blank is not a query to extend.
  box_.SetClearText(" ");
  box_.SetClearText("x");
  EXPECT_EQ(box_.Text(), "x");
}

TEST_F(LargeListBoxTest, SetClearTextKeepsTheCaretAndReportsNothing) {
  QSignalSpy changed(&box_, &TLargeListBox::Changed);
  box_.SetClearText("abcdef");
  box_.ComboBox()->SetSelStart(2);
  box_.SetClearText("uvwxyz");
  EXPECT_EQ(box_.ComboBox()->SelStart(), 2);
  EXPECT_EQ(box_.ComboBox()->SelLength(), 0);
  EXPECT_EQ(changed.count(), 0);
  box_.SetText("uvwxyz");  // the same text: no change either
  EXPECT_EQ(changed.count(), 0);
  box_.SetText("other");
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(LargeListBoxTest, DownOnTheLastRowScrollsByOneUpAtTheTopDoesNothing) {
  TWordList words(1000);
  box_.SetList(&words);
  QSignalSpy selected(&box_, &TLargeListBox::ChangeItemIndex);
  const int last = visible_ - 1;
  QTest::mouseClick(box_.RowList()->viewport(), Qt::LeftButton, {}, RowCenter(last));
  ASSERT_EQ(box_.ItemIndex(), last);
  ASSERT_EQ(box_.TopIndex(), 0);
  QTest::keyClick(box_.RowList(), Qt::Key_Down);
  EXPECT_EQ(box_.TopIndex(), 1);
  EXPECT_EQ(box_.ItemIndex(), last + 1);
  EXPECT_EQ(box_.RowList()->currentRow(), last);
  EXPECT_EQ(box_.Text(), Word(last + 1));
  QTest::keyClick(box_.RowList(), Qt::Key_Up);  // inside the rows: no scrolling
  EXPECT_EQ(box_.TopIndex(), 1);
  EXPECT_EQ(box_.ItemIndex(), last);
  EXPECT_EQ(selected.count(), 3);

  QTest::mouseClick(box_.RowList()->viewport(), Qt::LeftButton, {}, RowCenter(0));
  ASSERT_EQ(box_.ItemIndex(), 1);
  QTest::keyClick(box_.RowList(), Qt::Key_Up);  // first row, not at the top
  EXPECT_EQ(box_.TopIndex(), 0);
  EXPECT_EQ(box_.ItemIndex(), 0);
  QTest::keyClick(box_.RowList(), Qt::Key_Up);  // first row at the top
  EXPECT_EQ(box_.TopIndex(), 0);
  EXPECT_EQ(box_.ItemIndex(), 0);
}

TEST_F(LargeListBoxTest, DownOnTheLastEntryStopsAtTheScrollMaximum) {
  TWordList words(100);
  box_.SetList(&words);
  Type(Word(99));
  ASSERT_EQ(box_.TopIndex(), box_.ScrollBar()->maximum());
  box_.RowList()->setFocus();
  QTest::keyClick(box_.RowList(), Qt::Key_Down);
  EXPECT_EQ(box_.TopIndex(), box_.ScrollBar()->maximum());
  EXPECT_EQ(box_.ItemIndex(), 99);
}

TEST_F(LargeListBoxTest, KeyPressesReachTheHandlerFromBoxAndRows) {
  TWordList words(100);
  box_.SetList(&words);
  std::string keys;
  box_.OnKeyPress = [&keys](char& key) {
    keys.push_back(key);
    if (key == '\r') key = 0;
  };
  Type("w");
  QTest::keyClick(box_.RowList(), Qt::Key_Return);
  EXPECT_EQ(keys, "w\r");
  QSignalSpy doubles(&box_, &TLargeListBox::DblClick);
  QWidget* viewport = box_.RowList()->viewport();
  QTest::mouseClick(viewport, Qt::LeftButton, {}, RowCenter(1));
  QMouseEvent second(QEvent::MouseButtonDblClick, RowCenter(1), viewport->mapToGlobal(RowCenter(1)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &second);
  EXPECT_EQ(doubles.count(), 1);
}

TEST_F(LargeListBoxTest, ScrollBarStandsForTheWholeSource) {
  TWordList words(500);
  box_.SetList(&words);
  box_.ScrollBar()->setValue(120);
  EXPECT_EQ(box_.TopIndex(), 120);
  EXPECT_EQ(box_.RowList()->Text(0), Word(120) + " (120)");
  const QRect bar = box_.ScrollBar()->geometry();
  EXPECT_EQ(bar.top(), box_.ComboBox()->height() + 2);
  EXPECT_EQ(bar.right(), box_.ComboBox()->width() - 1);
  EXPECT_EQ(bar.height(), box_.RowList()->height() - 1);
}

TEST_F(LargeListBoxTest, DamagedSourceIsReportedOnce) {
  TWordList words(100);
  words.FailGet = true;
  box_.SetList(&words);
  box_.ScrollBar()->setValue(3);
  box_.ScrollBar()->setValue(4);
  EXPECT_EQ(messages_.Messages.size(), 1u);
  EXPECT_EQ(box_.RowList()->count(), 0);
}

TEST_F(LargeListBoxTest, ReplacingTheSourceClearsStaleRows) {
  TWordList words(100);
  box_.SetList(&words);
  ASSERT_GT(box_.RowList()->count(), 0);
  box_.SetList(nullptr);
  EXPECT_EQ(box_.RowList()->count(), 0);
}

}  // namespace
}  // namespace lectora
