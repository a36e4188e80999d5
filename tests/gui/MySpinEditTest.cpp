#include "settings/MySpinEdit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <climits>

namespace lectora {
namespace {

class MySpinEditTest : public testing::Test {
 protected:
  void SetUp() override {
    window_.resize(300, 100);
    spin_ = new TMySpinEdit(&window_);
    other_ = new QLineEdit(&window_);
    other_->move(0, 50);
    spin_->SetMinValue(1);
    spin_->SetMaxValue(150);
    spin_->FixValue(5);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
  void Wheel(int delta) {
    QWheelEvent event(QPointF(5, 5), spin_->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(spin_, &event);
  }
  QWidget window_;
  TMySpinEdit* spin_ = nullptr;
  QLineEdit* other_ = nullptr;
};

TEST_F(MySpinEditTest, ValueReadsTheTextOrMinValue) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"42", 42}, {" 7 ", 7}, {"+3", 3},  {"-2", -2},
               {"", 1},    {"abc", 1}, {"1.5", 1}, {"99999999999", 1}};
  for (const auto& c : cases) {
    spin_->setText(QString::fromLatin1(c.text));
    EXPECT_EQ(spin_->Value(), c.value) << c.text;
  }
}

struct CheckCase {
  int min, max, written;
  const char* text;
};

// The value check without limit events: clamp, or leave alone when the limits
// are crossed.
TEST_F(MySpinEditTest, WritingAValueChecksItAgainstTheLimits) {
  const CheckCase cases[] = {{1, 150, 20, "20"},    {1, 150, 0, "1"},     {1, 150, 151, "150"},
                             {1, 150, -9, "1"},     {1, 150, 150, "150"}, {7, 7, 3, "7"},
                             {7, 7, 100, "7"},      {10, 5, 99, "99"},    {10, 5, -3, "-3"},
                             {-5, 5, INT_MIN, "-5"}};
  for (const CheckCase& c : cases) {
    spin_->SetMinValue(c.min);
    spin_->SetMaxValue(c.max);
    spin_->SetValue(c.written);
    EXPECT_EQ(spin_->text(), QString::fromLatin1(c.text))
        << c.min << ".." << c.max << " <- " << c.written;
  }
}

TEST_F(MySpinEditTest, LimitEventsReplaceTheClamp) {
  int mins = 0;
  int maxes = 0;
  spin_->OnMin = [&] { ++mins; };
  spin_->SetValue(0);
  EXPECT_EQ(spin_->text(), QStringLiteral("5"));  // the handler did nothing
  EXPECT_EQ(mins, 1);

  spin_->OnMax = [&] {
    ++maxes;
    spin_->FixValue(1);  // wraps around, as the chapter field does
  };
  spin_->SetValue(151);
  EXPECT_EQ(spin_->text(), QStringLiteral("1"));
  EXPECT_EQ(maxes, 1);
  EXPECT_EQ(mins, 1);
}

TEST_F(MySpinEditTest, AHandlerThatWritesOutOfRangeAgainIsNotRaisedForever) {
  int calls = 0;
  spin_->OnMin = [&] {
    ++calls;
    spin_->SetValue(-100);
  };
  spin_->SetValue(0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(spin_->text(), QStringLiteral("1"));
}

TEST_F(MySpinEditTest, FixValueRaisesNoChangeAndSetValueDoes) {
  QSignalSpy changed(spin_, &QLineEdit::textChanged);
  spin_->FixValue(500);  // unchecked
  EXPECT_EQ(spin_->text(), QStringLiteral("500"));
  EXPECT_EQ(changed.count(), 0);
  spin_->SetValue(9);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(MySpinEditTest, ArrowKeysAndButtonHalvesStepByIncrement) {
  spin_->setFocus();
  QTest::keyClick(spin_, Qt::Key_Up);
  EXPECT_EQ(spin_->Value(), 6);
  QTest::keyClick(spin_, Qt::Key_Down);
  QTest::keyClick(spin_, Qt::Key_Down);
  EXPECT_EQ(spin_->Value(), 4);

  QWidget* button = spin_->SpinButton();
  EXPECT_EQ(button->width(), TMySpinEdit::kButtonWidth);
  EXPECT_EQ(button->geometry().right(), spin_->width() - 1 - 2);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(7, 2));
  EXPECT_EQ(spin_->Value(), 5);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(7, button->height() - 2));
  EXPECT_EQ(spin_->Value(), 4);

  // The main window's fields count down on the upper half.
  spin_->SetIncrement(-1);
  QTest::keyClick(spin_, Qt::Key_Up);
  EXPECT_EQ(spin_->Value(), 3);
}

TEST_F(MySpinEditTest, StepsStopAtTheEndsOfTheIntRange) {
  spin_->SetMinValue(INT_MIN);
  spin_->SetMaxValue(INT_MAX);
  spin_->SetIncrement(INT_MAX);
  spin_->FixValue(INT_MAX - 1);
  spin_->UpClick();
  EXPECT_EQ(spin_->Value(), INT_MAX);
  spin_->FixValue(INT_MIN + 1);
  spin_->DownClick();
  EXPECT_EQ(spin_->Value(), INT_MIN);
}

TEST_F(MySpinEditTest, ReadOnlyEditDoesNotStep) {
  spin_->setReadOnly(true);
  spin_->setFocus();
  QTest::keyClick(spin_, Qt::Key_Up);
  QTest::mouseClick(spin_->SpinButton(), Qt::LeftButton, Qt::NoModifier, QPoint(7, 2));
  Wheel(120);
  EXPECT_EQ(spin_->Value(), 5);
}

TEST_F(MySpinEditTest, WheelForwardStepsUpAndBackwardDown) {
  Wheel(120);
  EXPECT_EQ(spin_->Value(), 6);
  Wheel(-120);
  Wheel(-240);
  EXPECT_EQ(spin_->Value(), 4);
  Wheel(0);  // a gesture's opening event carries no turn
  EXPECT_EQ(spin_->Value(), 4);
  spin_->MouseWheelHandler(0);  // a zero delta counts as forward
  EXPECT_EQ(spin_->Value(), 5);
}

TEST_F(MySpinEditTest, OnlyNumberCharactersCanBeTyped) {
  spin_->setFocus();
  spin_->clear();
  QTest::keyClicks(spin_, QStringLiteral("1a2b-+ x"));
  EXPECT_EQ(spin_->text(), QStringLiteral("12-+"));
  const QString separator = QLocale().decimalPoint();
  QTest::keyClicks(spin_, separator);
  EXPECT_EQ(spin_->text(), QStringLiteral("12-+") + separator);
  QTest::keyClick(spin_, Qt::Key_Backspace);
  EXPECT_EQ(spin_->text(), QStringLiteral("12-+"));
}

TEST_F(MySpinEditTest, WithTheEditorOffNothingTypedChangesTheText) {
  spin_->SetEditorEnabled(false);
  spin_->setFocus();
  spin_->end(false);
  QTest::keyClicks(spin_, QStringLiteral("34"));
  QTest::keyClick(spin_, Qt::Key_Backspace);
  QTest::keyClick(spin_, Qt::Key_Home);
  QTest::keyClick(spin_, Qt::Key_Delete);
  EXPECT_EQ(spin_->text(), QStringLiteral("5"));
  QTest::keyClick(spin_, Qt::Key_Up);  // stepping still works
  EXPECT_EQ(spin_->text(), QStringLiteral("6"));
}

TEST_F(MySpinEditTest, PastedNonNumberReadsAsMinValue) {
  QApplication::clipboard()->setText(QStringLiteral("Genesis"));
  spin_->setFocus();
  spin_->selectAll();
  QTest::keyClick(spin_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(spin_->text(), QStringLiteral("Genesis"));
  EXPECT_EQ(spin_->Value(), 1);
}

TEST_F(MySpinEditTest, PasteAndCutAreRefusedWithTheEditorOff) {
  QApplication::clipboard()->setText(QStringLiteral("77"));
  spin_->SetEditorEnabled(false);
  spin_->setFocus();
  spin_->selectAll();
  QTest::keyClick(spin_, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(spin_, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(spin_->text(), QStringLiteral("5"));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("77"));
}

TEST_F(MySpinEditTest, LeavingWithAValueOutsideTheLimitsChecksIt) {
  int mins = 0;
  spin_->OnMin = [&] { ++mins; };
  spin_->setFocus();
  spin_->setText(QStringLiteral("400"));
  other_->setFocus();
  EXPECT_EQ(spin_->text(), QStringLiteral("150"));

  spin_->setFocus();
  spin_->setText(QStringLiteral("0"));
  other_->setFocus();
  EXPECT_EQ(mins, 1);  // raised once, not once per look at the value
}

TEST_F(MySpinEditTest, EnteringByKeyboardSelectsTheText) {
  spin_->FixValue(123);
  other_->setFocus();
  spin_->deselect();
  spin_->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(spin_->selectedText(), QStringLiteral("123"));

  other_->setFocus();
  spin_->SetAutoSelect(false);
  spin_->deselect();
  spin_->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(spin_->selectedText(), QString());
}

TEST_F(MySpinEditTest, HeightIsAtLeastTheTextWithItsFrame) {
  const int fontHeight = spin_->fontMetrics().height();
  EXPECT_GE(spin_->MinHeight(), fontHeight + 6);
  spin_->resize(100, 5);
  EXPECT_GE(spin_->height(), spin_->MinHeight());
}

}  // namespace
}  // namespace lectora
