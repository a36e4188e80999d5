#include "display/ODComboBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "display/CBListBox.h"
#include "display/CDEdit.h"

namespace lectora {
namespace {

// The base box has no public way to fill its entries; its subclasses do.
class TTestComboBox : public TODComboBox {
 public:
  using TODComboBox::TODComboBox;
  void SetEntries(std::vector<std::string> entries) {
    items_ = std::move(entries);
    ItemsChanged();
  }
};

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> entries;
  for (int i = 0; i < count; ++i) entries.push_back("entry " + std::to_string(i));
  return entries;
}

// A shown, active window holding one box 150 pixels wide at (20, 60).
class ODComboBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    window_.resize(300, 300);
    box_ = new TTestComboBox(&window_);
    box_->setGeometry(20, 60, 150, box_->height());
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
  void Drop() {
    box_->DropButtonClick();
    ASSERT_NE(box_->List(), nullptr);
    ASSERT_TRUE(box_->List()->isVisible());
  }
  // The middle of visible row `row` of the list.
  QPoint RowCenter(int row) const {
    return QPoint(20, 1 + row * box_->RowHeight() + box_->RowHeight() / 2);
  }

  QWidget window_;
  TTestComboBox* box_ = nullptr;
};

TEST(ODComboBoxSizeTest, FontSizeSetsBoxAndRowHeights) {
  for (const int points : {8, 9, 10, 12, 15}) {
    TTestComboBox box;
    QFont font = box.font();
    font.setPointSize(points);
    box.setFont(font);
    EXPECT_EQ(box.height(), points * 3 / 2 + 6) << points;
    EXPECT_EQ(box.RowHeight(), points * 3 / 2 + 3) << points;
  }
  TTestComboBox box;
  box.resize(10, box.height());
  EXPECT_EQ(box.width(), TODComboBox::kMinimumWidth);
  EXPECT_EQ(box.DropDownCount(), 8);
}

TEST(ODComboBoxSizeTest, DropButtonIsTwentyWideAtTheRightWithABlackTriangle) {
  TTestComboBox box;
  QFont font = box.font();
  font.setPointSize(12);
  box.setFont(font);  // height 24, button 20 x 20 inside the border
  box.resize(120, box.height());
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  const QRect button = box.Button()->geometry();
  EXPECT_EQ(button.width(), 20);
  EXPECT_EQ(button.right(), box.width() - 3);
  const QImage image = box.Button()->grab().toImage();
  const int x0 = (image.width() - 7) / 2;
  const int y0 = image.height() * 3 / 8;
  const QColor black(Qt::black);
  // Corners (x0, y0), (x0 + 8, y0), ((2 x0 + 8) div 2, y0 + 4) and inside.
  EXPECT_EQ(image.pixelColor(x0, y0), black);
  EXPECT_EQ(image.pixelColor(x0 + 8, y0), black);
  EXPECT_EQ(image.pixelColor((2 * x0 + 8) / 2, y0 + 4), black);
  EXPECT_EQ(image.pixelColor(x0 + 4, y0 + 2), black);
  EXPECT_NE(image.pixelColor(x0 + 4, y0 + 6), black);
  EXPECT_NE(image.pixelColor(x0 - 2, y0), black);
  EXPECT_NE(image.pixelColor(x0 + 4, y0 - 2), black);
  EXPECT_NE(image.pixelColor(x0, y0 + 3), black);
}

TEST_F(ODComboBoxTest, ListOpensBelowTheBoxWithTheHeightRule) {
  struct {
    int entries;
    int dropDownCount;
    int rows;
  } const cases[] = {{0, 8, 1}, {3, 8, 3}, {8, 8, 8}, {20, 8, 8}, {20, 5, 5}};
  for (const auto& c : cases) {
    box_->SetEntries(Numbered(c.entries));
    box_->SetDropDownCount(c.dropDownCount);
    QSignalSpy dropped(box_, &TODComboBox::DroppedDown);
    Drop();
    const QRect list = box_->List()->geometry();
    const QPoint boxTop = box_->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(list.top(), boxTop.y() + box_->height() + 1) << c.entries;
    EXPECT_EQ(list.left(), boxTop.x());
    EXPECT_EQ(list.width(), box_->width());
    EXPECT_EQ(list.height(), c.rows * box_->RowHeight() + 2) << c.entries;
    EXPECT_EQ(box_->List()->HasScrollBar(), c.entries > c.rows) << c.entries;
    EXPECT_EQ(dropped.count(), 1);
    box_->DropButtonClick();  // a second click hides it
    EXPECT_FALSE(box_->List()->isVisible());
  }
}

TEST_F(ODComboBoxTest, DropUpOpensAboveTheBox) {
  box_->SetEntries(Numbered(4));
  box_->SetDropUp(true);
  Drop();
  const int height = 4 * box_->RowHeight() + 2;
  EXPECT_EQ(box_->List()->geometry().top(), box_->mapToGlobal(QPoint(0, 0)).y() - height - 2);
}

TEST_F(ODComboBoxTest, OpeningSelectsTheEntryEqualToTheText) {
  box_->SetEntries(Numbered(30));
  box_->SetText("entry 17");
  Drop();
  EXPECT_EQ(box_->List()->Selected(), 17);
  EXPECT_LE(box_->List()->TopRow(), 17);
  EXPECT_GT(box_->List()->TopRow() + box_->List()->VisibleRows(), 17);
  box_->DropButtonClick();
  box_->SetText("not listed");
  Drop();
  EXPECT_EQ(box_->List()->Selected(), -1);
}

TEST_F(ODComboBoxTest, MovingOverTheListSelectsTheRowUnderThePointer) {
  box_->SetEntries(Numbered(5));
  Drop();
  TCBListBox* list = box_->List();
  for (const int row : {2, 0, 4, 1}) {
    QTest::mouseMove(list, RowCenter(row));
    EXPECT_EQ(list->Selected(), row);
  }
  // The first and the last pixel line of a row belong to it.
  QTest::mouseMove(list, QPoint(20, 1 + 3 * box_->RowHeight()));
  EXPECT_EQ(list->Selected(), 3);
  QTest::mouseMove(list, QPoint(20, 1 + 4 * box_->RowHeight() - 1));
  EXPECT_EQ(list->Selected(), 3);
}

TEST_F(ODComboBoxTest, TheScrollBarStripDoesNotSelect) {
  box_->SetEntries(Numbered(20));
  Drop();
  TCBListBox* list = box_->List();
  ASSERT_TRUE(list->HasScrollBar());
  QTest::mouseMove(list, RowCenter(1));
  ASSERT_EQ(list->Selected(), 1);
  const int strip = list->ScrollStripWidth();
  EXPECT_GT(strip, 2);
  QTest::mouseMove(list, QPoint(list->width() - strip + 1, RowCenter(4).y()));
  EXPECT_EQ(list->Selected(), 1);
  // Scrolled, the pointer's row counts from the first visible entry.
  list->ScrollBar()->setValue(5);
  QTest::mouseMove(list, RowCenter(2));
  EXPECT_EQ(list->Selected(), 7);
}

TEST_F(ODComboBoxTest, ClickingARowPicksItAndFiresChange) {
  box_->SetEntries(Numbered(5));
  QSignalSpy changed(box_, &TODComboBox::Changed);
  Drop();
  QTest::mouseClick(box_->List(), Qt::LeftButton, {}, RowCenter(3));
  EXPECT_FALSE(box_->List()->isVisible());
  EXPECT_EQ(box_->ItemIndex(), 3);
  EXPECT_EQ(box_->Text(), "entry 3");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_TRUE(box_->Edit()->hasFocus());
  EXPECT_EQ(box_->Edit()->selectedText(), QString("entry 3"));
}

// While the list is shown, the popup receives every press; one outside it
// arrives with a position outside the list.
TEST_F(ODComboBoxTest, PressOutsideHidesTheList) {
  box_->SetEntries(Numbered(5));
  Drop();
  TCBListBox* list = box_->List();
  QTest::mouseClick(list, Qt::LeftButton, {},
                    list->mapFromGlobal(window_.mapToGlobal(QPoint(250, 250))));
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(box_->ItemIndex(), -1);
  EXPECT_FALSE(list->testAttribute(Qt::WA_NoMouseReplay));
}

TEST_F(ODComboBoxTest, PressOnTheDropButtonWhileShownHidesWithoutReopening) {
  box_->SetEntries(Numbered(5));
  QSignalSpy dropped(box_, &TODComboBox::DroppedDown);
  Drop();
  TCBListBox* list = box_->List();
  const QPoint onButton = list->mapFromGlobal(box_->Button()->mapToGlobal(QPoint(10, 5)));
  QTest::mousePress(list, Qt::LeftButton, {}, onButton);
  EXPECT_FALSE(list->isVisible());
  EXPECT_TRUE(list->testAttribute(Qt::WA_NoMouseReplay));  // the button never sees it
  EXPECT_TRUE(box_->Edit()->hasFocus());
  // A click the button does get (the list already hidden) opens it again.
  QTest::mouseClick(box_->Button(), Qt::LeftButton);
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(list->testAttribute(Qt::WA_NoMouseReplay));
  // And a click on the button while shown closes it.
  box_->Button()->click();
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(dropped.count(), 2);
}

TEST_F(ODComboBoxTest, PressInTheEditWhileShownHidesAndSelectsAll) {
  box_->SetEntries(Numbered(5));
  box_->SetText("typed");
  box_->Edit()->setCursorPosition(2);
  Drop();
  TCBListBox* list = box_->List();
  QTest::mousePress(list, Qt::LeftButton, {},
                    list->mapFromGlobal(box_->Edit()->mapToGlobal(QPoint(5, 5))));
  EXPECT_FALSE(list->isVisible());
  EXPECT_TRUE(list->testAttribute(Qt::WA_NoMouseReplay));
  EXPECT_EQ(box_->Edit()->selectedText(), QString("typed"));
  EXPECT_TRUE(box_->Edit()->hasFocus());
  // The same when the press reaches the edit field itself.
  box_->Edit()->setCursorPosition(2);
  Drop();
  QTest::mousePress(box_->Edit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(box_->Edit()->selectedText(), QString("typed"));
  QTest::mouseRelease(box_->Edit(), Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(ODComboBoxTest, FirstPressAfterFocusSelectsAllLaterPressesDoNot) {
  box_->SetText("some text");
  auto* other = new QLineEdit(&window_);
  other->setGeometry(20, 200, 100, 20);
  other->show();
  other->setFocus();
  QTest::mouseClick(box_->Edit(), Qt::LeftButton, {}, QPoint(3, 5));
  EXPECT_TRUE(box_->Edit()->hasFocus());
  EXPECT_EQ(box_->Edit()->selectedText(), QString("some text"));
  QTest::mouseClick(box_->Edit(), Qt::LeftButton, {}, QPoint(3, 5));
  EXPECT_TRUE(box_->Edit()->selectedText().isEmpty());
}

TEST_F(ODComboBoxTest, UpAndDownStepThroughTheEntries) {
  box_->SetEntries(Numbered(3));
  QSignalSpy changed(box_, &TODComboBox::Changed);
  box_->Edit()->setFocus();
  QTest::keyClick(box_->Edit(), Qt::Key_Up);  // no selection: nothing
  EXPECT_EQ(box_->ItemIndex(), -1);
  EXPECT_EQ(changed.count(), 0);
  QTest::keyClick(box_->Edit(), Qt::Key_Down);
  EXPECT_EQ(box_->ItemIndex(), 0);
  EXPECT_EQ(box_->Text(), "entry 0");
  QTest::keyClick(box_->Edit(), Qt::Key_Down);
  QTest::keyClick(box_->Edit(), Qt::Key_Down);
  EXPECT_EQ(box_->ItemIndex(), 2);
  EXPECT_EQ(changed.count(), 3);
  QTest::keyClick(box_->Edit(), Qt::Key_Down);  // last entry: unchanged
  EXPECT_EQ(box_->ItemIndex(), 2);
  EXPECT_EQ(box_->Text(), "entry 2");
  EXPECT_EQ(changed.count(), 3);
  QTest::keyClick(box_->Edit(), Qt::Key_Up);
  EXPECT_EQ(box_->ItemIndex(), 1);
  EXPECT_EQ(box_->Text(), "entry 1");
  QTest::keyClick(box_->Edit(), Qt::Key_Up);
  QTest::keyClick(box_->Edit(), Qt::Key_Up);  // first entry: unchanged
  EXPECT_EQ(box_->ItemIndex(), 0);
}

TEST_F(ODComboBoxTest, KeysTypedWhileTheListIsShownReachTheEditField) {
  box_->SetEntries(Numbered(3));
  std::string seen;
  box_->OnKeyPress = [&seen](char& key) { seen += key; };
  box_->Edit()->setFocus();
  QTest::mouseClick(box_->Button(), Qt::LeftButton);
  ASSERT_TRUE(box_->IsDroppedDown());
  // The keys go to the window as the window system delivers them; the
  // shown list is the popup that receives them first.
  QWindow* window = window_.windowHandle();
  QTest::keyClick(window, 'j');
  QTest::keyClick(window, 'n');
  EXPECT_EQ(box_->Text(), "jn");
  EXPECT_EQ(seen, "jn");
  EXPECT_TRUE(box_->IsDroppedDown());
  QTest::keyClick(window, Qt::Key_Backspace);
  EXPECT_EQ(box_->Text(), "j");

  QSignalSpy changed(box_, &TODComboBox::Changed);
  QTest::keyClick(window, Qt::Key_Down);
  EXPECT_EQ(box_->ItemIndex(), 0);
  EXPECT_EQ(box_->Text(), "entry 0");
  EXPECT_EQ(box_->List()->Selected(), 0);
  QTest::keyClick(window, Qt::Key_Down);
  QTest::keyClick(window, Qt::Key_Down);
  QTest::keyClick(window, Qt::Key_Down);  // the last entry stays
  EXPECT_EQ(box_->Text(), "entry 2");
  QTest::keyClick(window, Qt::Key_Up);
  EXPECT_EQ(box_->Text(), "entry 1");
  EXPECT_EQ(box_->List()->Selected(), 1);
  EXPECT_EQ(changed.count(), 4);  // three steps down, one up

  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_FALSE(box_->IsDroppedDown());
  EXPECT_TRUE(box_->Edit()->hasFocus());
  QTest::keyClick(window, 'x');
  EXPECT_EQ(box_->Text(), "entry 1x");
}

// Under Xvfb (ctest gui_tests_x11), where the selection clipboard exists.
TEST_F(ODComboBoxTest, SelectingWithKeysOrMouseLeavesTheSelectionClipboardOnX11) {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard->supportsSelection()) {
    GTEST_SKIP() << "needs a selection clipboard (QT_QPA_PLATFORM=xcb under xvfb-run)";
  }
  TCDEdit* edit = box_->Edit();
  box_->SetTextQuiet("secret words here");
  edit->setFocus();
  struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* selected;
  } const selecting[] = {
      {Qt::Key_End, Qt::ShiftModifier, "secret words here"},
      {Qt::Key_Left, Qt::ShiftModifier, "secret words her"},
      {Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier, "secret words "},
      {Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier, "secret words here"},
      {Qt::Key_Home, Qt::ShiftModifier, ""},
      {Qt::Key_Right, Qt::ShiftModifier, "s"},
      {Qt::Key_A, Qt::ControlModifier, "secret words here"},
  };
  for (const auto& c : selecting) {
    clipboard->setText(QStringLiteral("before"), QClipboard::Selection);
    if (std::string(c.selected).empty()) edit->setCursorPosition(0);
    if (c.key == Qt::Key_End) edit->setCursorPosition(0);
    QTest::keyClick(edit, c.key, c.modifiers);
    EXPECT_EQ(edit->selectedText().toStdString(), c.selected) << c.key;
    EXPECT_EQ(clipboard->text(QClipboard::Selection), QStringLiteral("before")) << c.key;
  }
  // Whatever else the field does with a selection, the text never gets out.
  const QPoint left(2, edit->height() / 2);
  const QPoint right(edit->width() - 2, edit->height() / 2);
  QTest::mousePress(edit, Qt::LeftButton, {}, left);
  QTest::mouseMove(edit, right);
  QTest::mouseRelease(edit, Qt::LeftButton, {}, right);
  QTest::mouseDClick(edit, Qt::LeftButton, {}, left);
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Insert);
  EXPECT_FALSE(clipboard->text(QClipboard::Selection).contains(QStringLiteral("secret")));
  EXPECT_FALSE(clipboard->text(QClipboard::Selection).contains(QStringLiteral("words")));
}

TEST_F(ODComboBoxTest, EnterWhileShownPicksTheHighlightedRowOrReachesTheField) {
  box_->SetEntries(Numbered(3));
  std::string seen;
  box_->OnKeyPress = [&seen](char& key) { seen += key; };
  box_->Edit()->setFocus();
  QTest::mouseClick(box_->Button(), Qt::LeftButton);
  // A move to where the pointer already is would not count as a move.
  QTest::mouseMove(box_->List(), RowCenter(0));
  QTest::mouseMove(box_->List(), RowCenter(2));
  ASSERT_EQ(box_->List()->Selected(), 2);
  QTest::keyClick(window_.windowHandle(), Qt::Key_Return);
  EXPECT_FALSE(box_->IsDroppedDown());
  EXPECT_EQ(box_->Text(), "entry 2");
  EXPECT_EQ(seen, "");

  box_->SetTextQuiet("typed");
  QTest::mouseClick(box_->Button(), Qt::LeftButton);
  ASSERT_TRUE(box_->IsDroppedDown());
  ASSERT_EQ(box_->List()->Selected(), -1);
  QTest::keyClick(window_.windowHandle(), Qt::Key_Return);
  EXPECT_FALSE(box_->IsDroppedDown());
  EXPECT_EQ(seen, "\r");
}

TEST_F(ODComboBoxTest, SettingItemIndexWritesTheTextWithoutChange) {
  box_->SetEntries(Numbered(3));
  QSignalSpy changed(box_, &TODComboBox::Changed);
  box_->SetItemIndex(1);
  EXPECT_EQ(box_->Text(), "entry 1");
  box_->SetItemIndex(7);
  EXPECT_EQ(box_->ItemIndex(), -1);
  EXPECT_EQ(box_->Text(), "entry 1");
  box_->SetTextQuiet("quiet");
  EXPECT_EQ(changed.count(), 0);
  box_->SetText("loud");
  EXPECT_EQ(changed.count(), 1);
  QTest::keyClicks(box_->Edit(), "ab");
  EXPECT_EQ(changed.count(), 3);
}

TEST_F(ODComboBoxTest, NothingCanBeCopiedOutOfTheEdit) {
  QClipboard* clipboard = QApplication::clipboard();
  // A plain line edit copies here, so the check below can fail.
  QLineEdit plain("plain");
  plain.selectAll();
  plain.copy();
  ASSERT_EQ(clipboard->text(), QString("plain"));

  clipboard->setText("before");
  box_->SetText("secret");
  box_->Edit()->setFocus();
  box_->Edit()->selectAll();
  QTest::keyClick(box_->Edit(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(box_->Edit(), Qt::Key_Insert, Qt::ControlModifier);
  QTest::keyClick(box_->Edit(), Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(box_->Edit(), Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(clipboard->text(), QString("before"));
  EXPECT_EQ(box_->Text(), "secret");
  // Pasting in still works.
  box_->Edit()->selectAll();
  QTest::keyClick(box_->Edit(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box_->Text(), "before");
}

TEST_F(ODComboBoxTest, RightClickShowsOnlyTheBoxMenu) {
  QTest::mouseClick(box_->Edit(), Qt::RightButton, {}, QPoint(5, 5));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                          box_->Edit()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(box_->Edit(), &event);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  QMenu menu;
  menu.addAction("one");
  box_->SetPopupMenu(&menu);
  QApplication::sendEvent(box_->Edit(), &event);
  EXPECT_EQ(QApplication::activePopupWidget(), &menu);
  menu.hide();
}

TEST_F(ODComboBoxTest, KeyPressHandlerMayReplaceOrSwallowKeys) {
  std::string seen;
  box_->OnKeyPress = [&seen](char& key) {
    seen.push_back(key);
    if (key == 'q') key = 0;
    if (key == 'w') key = '\xE2';  // Cyrillic "в" in Windows-1251
  };
  box_->Edit()->setFocus();
  QTest::keyClicks(box_->Edit(), "aqw");
  QTest::keyClick(box_->Edit(), Qt::Key_Return);
  EXPECT_EQ(seen, "aqw\r");
  EXPECT_EQ(box_->Text(), "a\xE2");
  EXPECT_EQ(box_->Edit()->text(), QString::fromUtf8("a\xD0\xB2"));
}

}  // namespace
}  // namespace lectora
