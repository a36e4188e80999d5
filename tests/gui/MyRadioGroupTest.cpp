#include "settings/MyRadioGroup.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "settings/MyRadio.h"

namespace lectora {
namespace {

QStringList Numbered(int count) {
  QStringList items;
  for (int i = 0; i < count; ++i) items << QStringLiteral("Item %1").arg(i);
  return items;
}

class MyRadioGroupTest : public testing::Test {
 protected:
  void SetUp() override {
    group_.setTitle(QStringLiteral(u"Книги"));
    group_.resize(216, 130);
    group_.SetItems({QStringLiteral(u"Всички книги"), QStringLiteral(u"Стария завет"),
                     QStringLiteral(u"Новия завет")});
    group_.Loaded();
    group_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&group_));
  }
  QPoint LabelCentre(int i) { return group_.Button(i)->Label()->rect().center(); }
  TMyRadioGroup group_;
};

TEST_F(MyRadioGroupTest, OneButtonPerItemWithItsCaption) {
  ASSERT_EQ(group_.ButtonCount(), 3);
  EXPECT_EQ(group_.Button(1)->Caption(), QStringLiteral(u"Стария завет"));
  EXPECT_EQ(group_.Button(1)->parentWidget(), &group_);
  EXPECT_EQ(group_.ItemIndex(), -1);
}

TEST_F(MyRadioGroupTest, ItemIndexOutsideTheButtonsChangesNothing) {
  group_.SetItemIndex(1);
  ASSERT_TRUE(group_.Button(1)->isChecked());
  for (const int bad : {-1, 3, 100, -7}) {
    group_.SetItemIndex(bad);
    EXPECT_EQ(group_.ItemIndex(), 1) << bad;
    EXPECT_TRUE(group_.Button(1)->isChecked()) << bad;
  }
}

TEST_F(MyRadioGroupTest, SettingItemIndexRaisesNoClickButAUserClickDoes) {
  QSignalSpy spy(&group_, &TMyRadioGroup::OnClick);
  group_.SetItemIndex(2);
  EXPECT_EQ(spy.count(), 0);
  EXPECT_TRUE(group_.Button(2)->isChecked());

  QTest::mouseClick(group_.Button(0)->Label(), Qt::LeftButton, Qt::NoModifier, LabelCentre(0));
  EXPECT_EQ(group_.ItemIndex(), 0);
  EXPECT_TRUE(group_.Button(0)->isChecked());
  EXPECT_FALSE(group_.Button(2)->isChecked());
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).value<TMyRadio*>(), group_.Button(0));

  QTest::mouseClick(group_.Button(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(group_.ItemIndex(), 1);
  EXPECT_EQ(spy.count(), 2);
}

TEST_F(MyRadioGroupTest, RebuildKeepsStateDropsExtraButtonsAndKeepsTheStoredIndex) {
  group_.SetItemIndex(1);
  QPointer<TMyRadio> kept = group_.Button(0);
  QPointer<TMyRadio> dropped = group_.Button(2);
  group_.SetItems({QStringLiteral("A"), QStringLiteral("B")});
  ASSERT_EQ(group_.ButtonCount(), 2);
  EXPECT_EQ(group_.Button(0), kept.data());
  EXPECT_TRUE(dropped.isNull());
  EXPECT_EQ(group_.Button(0)->Caption(), QStringLiteral("A"));
  EXPECT_EQ(group_.ItemIndex(), 1);
  EXPECT_TRUE(group_.Button(1)->isChecked());

  group_.SetItems({QStringLiteral("Only")});
  EXPECT_EQ(group_.ItemIndex(), 1);
  EXPECT_FALSE(group_.Button(0)->isChecked());
  group_.SetItems({});
  EXPECT_EQ(group_.ButtonCount(), 0);
  group_.SetColumns(3);  // nothing to arrange, nothing to divide
}

TEST_F(MyRadioGroupTest, AClickedChoiceSurvivesTheItemsBeingRefilled) {
  // The interface language empties the items and adds them again; the
  // user's choice must come back with its button.
  QTest::mouseClick(group_.Button(2)->Label(), Qt::LeftButton, Qt::NoModifier, LabelCentre(2));
  ASSERT_EQ(group_.ItemIndex(), 2);
  QSignalSpy spy(&group_, &TMyRadioGroup::OnClick);
  group_.SetItems({});
  group_.SetItems({QStringLiteral("All books")});
  group_.SetItems({QStringLiteral("All books"), QStringLiteral("Old Testament"),
                   QStringLiteral("New Testament")});
  EXPECT_EQ(group_.ItemIndex(), 2);
  EXPECT_TRUE(group_.Button(2)->isChecked());
  EXPECT_FALSE(group_.Button(0)->isChecked());
  EXPECT_EQ(spy.count(), 0);
}

TEST_F(MyRadioGroupTest, AHandlerMayRebuildTheGroupFromTheClick) {
  QObject::connect(&group_, &TMyRadioGroup::OnClick, &group_,
                   [this] { group_.SetItems({QStringLiteral("X")}); });
  QTest::mouseClick(group_.Button(2)->Label(), Qt::LeftButton, Qt::NoModifier, LabelCentre(2));
  EXPECT_EQ(group_.ButtonCount(), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(MyRadioGroupTest, ColumnsBelowOneAreStoredAsOne) {
  group_.SetColumns(0);
  EXPECT_EQ(group_.Columns(), 1);
  group_.SetColumns(-4);
  EXPECT_EQ(group_.Columns(), 1);
}

struct ArrangeCase {
  int width, height, count, columns;
  int rows, columnWidth;
};

// left = column * column width + 8; top = row * row height + h + row height
// div 2, with row height = (height - 2h) div rows and h the font height.
TEST_F(MyRadioGroupTest, ArrangesButtonsInColumnsAndRows) {
  const ArrangeCase cases[] = {
      {216, 130, 5, 2, 3, 100}, {216, 130, 3, 1, 3, 200}, {200, 160, 7, 3, 3, 61},
      {120, 90, 4, 4, 1, 26},   {216, 130, 2, 5, 1, 40},
  };
  const int h = QFontMetrics(group_.font()).height();
  for (const ArrangeCase& c : cases) {
    group_.resize(c.width, c.height);
    group_.SetColumns(c.columns);
    group_.SetItems(Numbered(c.count));
    const int rowHeight = (c.height - 2 * h) / c.rows;
    for (int i = 0; i < c.count; ++i) {
      const QRect g = group_.Button(i)->geometry();
      const int column = i % c.columns;
      const int row = i / c.columns;
      EXPECT_EQ(g.left(), column * c.columnWidth + 8) << c.count << "/" << c.columns << " #" << i;
      EXPECT_EQ(g.top(), row * rowHeight + h + rowHeight / 2) << c.count << " #" << i;
      EXPECT_EQ(g.width(), c.columnWidth);
    }
  }
}

TEST_F(MyRadioGroupTest, FiveItemsInTwoColumnsPutTheFifthAtColumnZeroRowTwo) {
  group_.SetColumns(2);
  group_.SetItems(Numbered(5));
  const QRect first = group_.Button(0)->geometry();
  const QRect second = group_.Button(1)->geometry();
  const QRect third = group_.Button(2)->geometry();
  const QRect fifth = group_.Button(4)->geometry();
  EXPECT_EQ(fifth.left(), first.left());
  EXPECT_GT(second.left(), first.left());
  EXPECT_EQ(fifth.top() - first.top(), 2 * (third.top() - first.top()));
  EXPECT_GT(third.top(), first.top());
}

TEST_F(MyRadioGroupTest, ResizeRearranges) {
  group_.SetColumns(2);
  group_.resize(416, 130);
  EXPECT_EQ(group_.Button(1)->x(), 200 + 8);
}

// A click on the caption of a checked radio unchecks it; on an unchecked one
// checks it.
TEST(MyRadioTest, CaptionClickTogglesBothWays) {
  QWidget parent;
  auto* radio = new TMyRadio(&parent);
  auto* other = new TMyRadio(&parent);
  radio->setGeometry(0, 0, 150, 20);
  other->setGeometry(0, 30, 150, 20);
  radio->SetCaption(QStringLiteral(u"Първи"));
  other->SetCaption(QStringLiteral(u"Втори"));
  other->setChecked(true);
  parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
  const QPoint centre = radio->Label()->rect().center();
  QSignalSpy clicked(radio, &QAbstractButton::clicked);

  QTest::mouseClick(radio->Label(), Qt::LeftButton, Qt::NoModifier, centre);
  EXPECT_TRUE(radio->isChecked());
  EXPECT_FALSE(other->isChecked());
  EXPECT_EQ(clicked.count(), 1);

  QTest::mouseClick(radio->Label(), Qt::LeftButton, Qt::NoModifier, centre);
  EXPECT_FALSE(radio->isChecked());
  EXPECT_TRUE(radio->autoExclusive());
  EXPECT_EQ(clicked.count(), 1);
}

TEST(MyRadioTest, BlanksOnlyWithAParentAndNameAsDefaultCaption) {
  TMyRadio orphan;
  orphan.SetCaption(QStringLiteral("Caption"));
  EXPECT_EQ(orphan.text(), QString());

  QWidget parent;
  auto* radio = new TMyRadio(&parent);
  radio->setObjectName(QStringLiteral("RadioButton1"));
  radio->resize(150, 30);
  radio->Loaded();
  EXPECT_EQ(radio->Caption(), QStringLiteral("RadioButton1"));
  EXPECT_FALSE(radio->text().isEmpty());
  EXPECT_TRUE(radio->text().trimmed().isEmpty());
  EXPECT_EQ(radio->Label()->y(), (30 - radio->Label()->height()) / 2);
  EXPECT_EQ(radio->Label()->x(), 31);
}

}  // namespace
}  // namespace lectora
