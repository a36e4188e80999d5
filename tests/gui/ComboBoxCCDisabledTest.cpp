#include "settings/ComboBoxCCDisabled.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace lectora {
namespace {

class ComboBoxCCDisabledTest : public testing::Test {
 protected:
  void SetUp() override {
    combo_.addItems({QStringLiteral(u"Битие 1:1"), QStringLiteral(u"Изход 3:14")});
    combo_.setEditText(QStringLiteral(u"Йоан 3:16"));
    combo_.show();
    combo_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&combo_));
    ASSERT_NE(combo_.lineEdit(), nullptr);
    QApplication::clipboard()->setText(QStringLiteral("before"));
  }
  // Sends a context menu request to the edit part, as a right click does;
  // returns whether anything took it.
  bool RequestMenu() {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            combo_.lineEdit()->mapToGlobal(QPoint(5, 5)));
    event.setAccepted(false);
    return QApplication::sendEvent(combo_.lineEdit(), &event);
  }
  TComboBoxCCDisabled combo_;
};

TEST_F(ComboBoxCCDisabledTest, CopyNeverReachesTheClipboard) {
  combo_.setFocus();
  combo_.lineEdit()->selectAll();
  QTest::keyClick(&combo_, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(combo_.lineEdit(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(combo_.lineEdit(), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  // Ordinary editing still works.
  QTest::keyClick(combo_.lineEdit(), Qt::Key_End);
  QTest::keyClicks(combo_.lineEdit(), QStringLiteral("7"));
  EXPECT_EQ(combo_.currentText(), QStringLiteral(u"Йоан 3:167"));
}

// Under Xvfb (ctest gui_tests_x11), where the selection clipboard exists.
TEST_F(ComboBoxCCDisabledTest, SelectionsStayOutOfTheSelectionClipboardOnX11) {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard->supportsSelection()) {
    GTEST_SKIP() << "needs a selection clipboard (QT_QPA_PLATFORM=xcb under xvfb-run)";
  }
  QLineEdit* edit = combo_.lineEdit();
  combo_.setFocus();
  clipboard->setText(QStringLiteral("before"), QClipboard::Selection);
  edit->setCursorPosition(0);
  QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(edit->selectedText(), QStringLiteral(u"Йоан 3:16"));
  QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(QClipboard::Selection), QStringLiteral("before"));
  const QPoint left(2, edit->height() / 2);
  const QPoint right(edit->width() - 2, edit->height() / 2);
  QTest::mousePress(edit, Qt::LeftButton, {}, left);
  QTest::mouseMove(edit, right);
  QTest::mouseRelease(edit, Qt::LeftButton, {}, right);
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(clipboard->text(QClipboard::Selection).contains(QStringLiteral(u"Йоан")));
  // Typing still reaches the field.
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, QStringLiteral("7"));
  EXPECT_TRUE(combo_.currentText().endsWith(QStringLiteral("7")));
}

TEST_F(ComboBoxCCDisabledTest, RightButtonPassesOnlyWithAPopupMenu) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  EXPECT_TRUE(combo_.ComboWndProc(&press));
  QMouseEvent left(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                   Qt::LeftButton, Qt::NoModifier);
  EXPECT_FALSE(combo_.ComboWndProc(&left));

  EXPECT_TRUE(RequestMenu());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no system menu

  QMenu menu;
  menu.addAction(QStringLiteral("Own"));
  combo_.SetPopupMenu(&menu);
  EXPECT_FALSE(combo_.ComboWndProc(&press));
  RequestMenu();
  EXPECT_TRUE(menu.isVisible());
  menu.close();
}

TEST_F(ComboBoxCCDisabledTest, AReplacedEditPartIsFilteredToo) {
  combo_.setLineEdit(new QLineEdit);
  combo_.lineEdit()->setText(QStringLiteral("new"));
  combo_.lineEdit()->selectAll();
  QTest::keyClick(combo_.lineEdit(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  EXPECT_TRUE(RequestMenu());
}

}  // namespace
}  // namespace lectora
