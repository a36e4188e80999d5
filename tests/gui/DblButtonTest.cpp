#include "settings/DblButton.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "settings/DnButton.h"
#include "settings/UpButton.h"

namespace lectora {
namespace {

struct LayoutCase {
  int width, height;
  QRect up, dn;
};

TEST(DblButtonTest, HalvesSplitTheHeightWithAOnePixelGap) {
  const LayoutCase cases[] = {
      {40, 40, QRect(0, 0, 40, 20), QRect(0, 21, 40, 19)},
      {17, 21, QRect(0, 0, 17, 10), QRect(0, 11, 17, 10)},
      {30, 3, QRect(0, 0, 30, 1), QRect(0, 2, 30, 1)},
  };
  TDblButton button;
  EXPECT_EQ(button.size(), QSize(40, 40));
  // A hidden widget gets its resize events when it is shown.
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  for (const LayoutCase& c : cases) {
    button.resize(c.width, c.height);
    EXPECT_EQ(button.UpButton()->geometry(), c.up) << c.width << "x" << c.height;
    EXPECT_EQ(button.DnButton()->geometry(), c.dn) << c.width << "x" << c.height;
  }
}

TEST(DblButtonTest, ArrowPolygonsFollowTheButtonSize) {
  EXPECT_EQ(TUpButton::Arrow(40, 20), QPolygon({QPoint(19, 3), QPoint(34, 15), QPoint(3, 15)}));
  EXPECT_EQ(TDnButton::Arrow(40, 19), QPolygon({QPoint(3, 2), QPoint(35, 2), QPoint(19, 14)}));
  EXPECT_EQ(TUpButton::Arrow(17, 10), QPolygon({QPoint(7, 3), QPoint(11, 5), QPoint(3, 5)}));
}

TEST(DblButtonTest, ArrowsArePaintedInTheFigureColour) {
  TDblButton button;
  button.SetFigColor(Qt::red);
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  const QImage image = button.grab().toImage();
  ASSERT_EQ(image.size(), QSize(40, 40));
  // Upper arrow: (19,3) (34,15) (3,15); lower, from y 21: (3,2) (35,2) (19,14).
  EXPECT_EQ(image.pixelColor(19, 12), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(19, 15), QColor(Qt::red));  // on the outline
  EXPECT_NE(image.pixelColor(5, 5), QColor(Qt::red));
  EXPECT_NE(image.pixelColor(33, 5), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(19, 21 + 6), QColor(Qt::red));
  EXPECT_NE(image.pixelColor(5, 21 + 12), QColor(Qt::red));
  EXPECT_NE(image.pixelColor(19, 21 + 17), QColor(Qt::red));

  button.SetFigColor(Qt::blue);
  const QImage blue = button.grab().toImage();
  EXPECT_EQ(blue.pixelColor(19, 12), QColor(Qt::blue));
  EXPECT_EQ(button.UpButton()->FigColor(), QColor(Qt::blue));
  EXPECT_EQ(button.DnButton()->FigColor(), QColor(Qt::blue));
}

TEST(DblButtonTest, HalvesRaiseTheirOwnClickEvents) {
  TDblButton button;
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  QSignalSpy up(&button, &TDblButton::OnUpClick);
  QSignalSpy dn(&button, &TDblButton::OnDnClick);
  QTest::mouseClick(button.UpButton(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
  EXPECT_EQ(up.count(), 1);
  EXPECT_EQ(dn.count(), 0);
  QTest::mouseClick(button.DnButton(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
  EXPECT_EQ(dn.count(), 1);

  button.SetEnabled(false);
  QTest::mouseClick(button.UpButton(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
  EXPECT_EQ(up.count(), 1);
  EXPECT_FALSE(button.UpButton()->isEnabled());
  EXPECT_FALSE(button.DnButton()->isEnabled());
}

TEST(DblButtonTest, FlatAndHintsApplyToEachHalf) {
  TDblButton button;
  EXPECT_FALSE(button.UpButton()->autoRaise());
  button.SetFlat(true);
  EXPECT_TRUE(button.Flat());
  EXPECT_TRUE(button.UpButton()->autoRaise());
  EXPECT_TRUE(button.DnButton()->autoRaise());
  button.SetUpHint(QStringLiteral(u"Първа глава"));
  button.SetDnHint(QStringLiteral(u"Последна глава"));
  EXPECT_EQ(button.UpButton()->toolTip(), QStringLiteral(u"Първа глава"));
  EXPECT_EQ(button.DnHint(), QStringLiteral(u"Последна глава"));
}

}  // namespace
}  // namespace lectora
