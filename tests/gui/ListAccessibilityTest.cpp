// The self-drawn lists and boxes as a screen reader sees them, read through
// Qt's accessibility interfaces in the running test.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

#include "display/BibleComboBox.h"
#include "display/CBListBox.h"
#include "display/CDEdit.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "search/LargeStringList.h"

namespace lectora {
namespace {

class TNumbers : public TLargeStringList {
 public:
  explicit TNumbers(int count) : count_(count) {}
  std::int32_t Count() const override { return count_; }
  void Get(std::int32_t index, std::string& text) const override { Key(index, text); }
  std::int32_t IndexOf(const std::string& text) const override {
    for (int i = 0; i < count_; ++i) {
      std::string key;
      Key(i, key);
      if (key >= text) return i;
    }
    return count_;
  }
  void Key(std::int32_t index, std::string& text) const override {
    char word[16];
    std::snprintf(word, sizeof word, "w%05d", index);
    text = word;
  }

 private:
  int count_;
};

QString Name(QAccessibleInterface* iface) { return iface->text(QAccessible::Name); }

TEST(ListAccessibilityTest, TheLargeListBoxRowsAreAListOfTheirEntries) {
  THistoryContext context;
  TLargeListBox box(context);
  box.setToolTip(QStringLiteral("Words of the translation"));
  box.resize(200, 300);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  TNumbers words(5000);
  box.SetList(&words);
  box.ScrollBar()->setValue(100);

  QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(box.RowList());
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->role(), QAccessible::List);
  EXPECT_EQ(Name(rows), QStringLiteral("Words of the translation"));
  EXPECT_EQ(rows->text(QAccessible::Description), QStringLiteral("5000"));
  ASSERT_EQ(rows->childCount(), box.RowList()->count());
  ASSERT_GE(rows->childCount(), 5);

  // A click on the third row selects entry 102.
  const int h = box.RowList()->RowHeight();
  QTest::mouseClick(box.RowList()->viewport(), Qt::LeftButton, {}, QPoint(20, 2 * h + h / 2));
  ASSERT_EQ(box.ItemIndex(), 102);
  QAccessibleInterface* third = rows->child(2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->role(), QAccessible::ListItem);
  EXPECT_EQ(Name(third), QStringLiteral("w00102"));
  EXPECT_EQ(third->text(QAccessible::Description), QStringLiteral("103 / 5000"));
  EXPECT_TRUE(third->state().selected);
  EXPECT_FALSE(rows->child(1)->state().selected);
  EXPECT_EQ(rows->indexOfChild(third), 2);
  EXPECT_EQ(third->parent(), rows);
  EXPECT_EQ(rows->text(QAccessible::Value), QStringLiteral("w00102"));
  EXPECT_EQ(rows->childAt(third->rect().center().x(), third->rect().center().y()), third);

  // The rows follow the view; the same row interface tells the new entry.
  box.ScrollBar()->setValue(4000);
  EXPECT_EQ(Name(rows->child(2)), QStringLiteral("w04002"));
  EXPECT_FALSE(rows->child(2)->state().selected);
  // The box on top carries the control's name too.
  EXPECT_EQ(Name(QAccessible::queryAccessibleInterface(box.ComboBox())),
            QStringLiteral("Words of the translation"));
  EXPECT_EQ(box.ComboBox()->Edit()->accessibleName(), QStringLiteral("Words of the translation"));
}

TEST(ListAccessibilityTest, TheHistoryBoxIsAComboBoxWithItsEntriesAndState) {
  THistoryContext context;
  QWidget window;
  window.resize(300, 300);
  auto* box = new TBibleComboBox(context, &window);
  box->setGeometry(20, 20, 150, box->height());
  box->setToolTip(QStringLiteral("Opened verses"));
  box->Add(1, "Gen 1:1", 1);
  box->Add(2, "John 3:16", 2);
  box->Add(3, "Rev 22:21", 3);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  QAccessibleInterface* combo = QAccessible::queryAccessibleInterface(box);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->role(), QAccessible::ComboBox);
  EXPECT_EQ(Name(combo), QStringLiteral("Opened verses"));
  EXPECT_TRUE(combo->state().collapsed);
  ASSERT_EQ(combo->childCount(), 2);
  EXPECT_EQ(combo->child(0)->object(), box->Edit());
  EXPECT_EQ(Name(combo->child(0)), QStringLiteral("Opened verses"));
  EXPECT_FALSE(Name(combo->child(1)).isEmpty());  // the drop button

  box->Edit()->setFocus();
  QTest::keyClick(box->Edit(), Qt::Key_Up);
  EXPECT_EQ(combo->text(QAccessible::Value), QStringLiteral("John 3:16"));

  // The action opens the list; its rows are the entries.
  QAccessibleActionInterface* actions = combo->actionInterface();
  ASSERT_NE(actions, nullptr);
  actions->doAction(QAccessibleActionInterface::showMenuAction());
  ASSERT_TRUE(box->IsDroppedDown());
  EXPECT_TRUE(combo->state().expanded);
  ASSERT_EQ(combo->childCount(), 3);
  QAccessibleInterface* list = combo->child(2);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::List);
  EXPECT_EQ(Name(list), QStringLiteral("Opened verses"));
  ASSERT_EQ(list->childCount(), 3);
  EXPECT_EQ(Name(list->child(0)), QStringLiteral("Gen 1:1"));
  EXPECT_EQ(Name(list->child(2)), QStringLiteral("Rev 22:21"));
  EXPECT_TRUE(list->child(1)->state().selected);
  EXPECT_FALSE(list->child(0)->state().selected);
  EXPECT_EQ(combo->focusChild(), list);
  // A key typed while the list is shown moves the highlight with the value.
  QTest::keyClick(window.windowHandle(), Qt::Key_Down);
  EXPECT_TRUE(list->child(2)->state().selected);
  EXPECT_EQ(combo->text(QAccessible::Value), QStringLiteral("Rev 22:21"));
  actions->doAction(QAccessibleActionInterface::showMenuAction());
  EXPECT_FALSE(box->IsDroppedDown());
  EXPECT_TRUE(combo->state().collapsed);
}

TEST(ListAccessibilityTest, AnOwnersNameIsKeptAndHintsFollowTheInterfaceLanguage) {
  THistoryContext context;
  TBibleComboBox box(context);
  box.setToolTip(QStringLiteral(u"Отворени стихове"));
  EXPECT_EQ(box.accessibleName(), QStringLiteral(u"Отворени стихове"));
  box.setToolTip(QStringLiteral("Opened verses"));
  EXPECT_EQ(box.accessibleName(), QStringLiteral("Opened verses"));
  box.setAccessibleName(QStringLiteral("Verse history"));
  box.setToolTip(QStringLiteral("Other hint"));
  EXPECT_EQ(box.accessibleName(), QStringLiteral("Verse history"));
}

}  // namespace
}  // namespace lectora
