#include "settings/MyCheckBox.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace lectora {
namespace {

struct BlankCase {
  int labelWidth;
  int blankWidth;
  int expected;
};

// (label width div blank width) + 1, and never a division by zero.
TEST(BlankCaptionTest, CountsBlanksToSpanTheLabel) {
  const BlankCase cases[] = {{0, 4, 1},  {3, 4, 1},   {4, 4, 2},    {41, 4, 11},
                             {40, 5, 9}, {10, 0, 11}, {10, -3, 11}, {-5, 4, 1}};
  for (const BlankCase& c : cases) {
    const QString blanks = BlankCaption(c.labelWidth, c.blankWidth);
    EXPECT_EQ(blanks.size(), c.expected) << c.labelWidth << " / " << c.blankWidth;
    EXPECT_EQ(blanks.trimmed(), QString());
  }
}

class MyCheckBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    box_ = new TMyCheckBox(&window_);
    box_->setGeometry(10, 10, 200, 24);
    box_->SetCaption(QStringLiteral(u"Показвай стиховете"));
    box_->Loaded();
    window_.resize(300, 100);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }
  QWidget window_;
  TMyCheckBox* box_ = nullptr;
};

TEST_F(MyCheckBoxTest, CaptionLivesInTheLabelAndTheNativeTextIsBlanks) {
  EXPECT_EQ(box_->Caption(), QStringLiteral(u"Показвай стиховете"));
  EXPECT_EQ(box_->Label()->text(), box_->Caption());
  const int blank = box_->fontMetrics().horizontalAdvance(QLatin1Char(' '));
  EXPECT_EQ(box_->text(), BlankCaption(box_->Label()->width(), blank));
  EXPECT_GT(box_->Label()->width(), 0);
}

TEST_F(MyCheckBoxTest, LabelSitsRightOfTheBoxAndCentredOnEveryResize) {
  for (const int height : {24, 40, 17}) {
    box_->resize(200, height);
    EXPECT_EQ(box_->Label()->x(), height + 1) << height;
    EXPECT_EQ(box_->Label()->y(), (height - box_->Label()->height()) / 2) << height;
  }
}

TEST_F(MyCheckBoxTest, ClickOnTheLabelTogglesAndRaisesClicked) {
  QSignalSpy clicked(box_, &QAbstractButton::clicked);
  const QPoint centre = box_->Label()->rect().center();
  QTest::mouseClick(box_->Label(), Qt::LeftButton, Qt::NoModifier, centre);
  EXPECT_TRUE(box_->isChecked());
  QTest::mouseClick(box_->Label(), Qt::LeftButton, Qt::NoModifier, centre);
  EXPECT_FALSE(box_->isChecked());
  EXPECT_EQ(clicked.count(), 2);
  // Other buttons leave it alone.
  QTest::mouseClick(box_->Label(), Qt::RightButton, Qt::NoModifier, centre);
  EXPECT_FALSE(box_->isChecked());
}

TEST_F(MyCheckBoxTest, DisabledBoxIgnoresItsLabel) {
  box_->setEnabled(false);
  QTest::mouseClick(box_->Label(), Qt::LeftButton, Qt::NoModifier, box_->Label()->rect().center());
  EXPECT_FALSE(box_->isChecked());
}

}  // namespace
}  // namespace lectora
