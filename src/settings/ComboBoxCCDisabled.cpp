#include "settings/ComboBoxCCDisabled.h"

#include "settings/AccessibleName.h"

#include <QChildEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include "settings/SelectionCopyBlock.h"

namespace lectora {
namespace {

bool IsCopy(QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
    return false;
  }
  return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
}

}  // namespace

TComboBoxCCDisabled::TComboBoxCCDisabled(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  FollowToolTip(*this);
}

bool TComboBoxCCDisabled::ComboWndProc(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && !popupMenu_;
    case QEvent::ContextMenu:
      if (popupMenu_) popupMenu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
      if (!IsCopy(event)) return false;
      event->accept();
      return true;
    default:
      return false;
  }
}

bool TComboBoxCCDisabled::eventFilter(QObject* watched, QEvent* event) {
  QLineEdit* edit = lineEdit();
  if (watched != edit || edit == nullptr) return QComboBox::eventFilter(watched, event);
  if (ComboWndProc(event)) return true;
  // Nothing may reach the X11 selection clipboard either: the release that
  // ends a mouse selection would copy it, and so would a selecting key.
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    return true;
  }
  if (event->type() == QEvent::KeyPress && !passingKey_) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (SelectWithoutCopy(*edit, key)) return true;
    const TSelectionCopyWatch watch;
    passingKey_ = true;
    QCoreApplication::sendEvent(edit, event);
    passingKey_ = false;
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

void TComboBoxCCDisabled::childEvent(QChildEvent* event) {
  QComboBox::childEvent(event);
  // The edit part is still being built when it is added; watching every new
  // child and acting only on the current edit part covers a replaced one.
  if (event->added()) event->child()->installEventFilter(this);
}

void TComboBoxCCDisabled::keyPressEvent(QKeyEvent* event) {
  if (IsCopy(event)) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void TComboBoxCCDisabled::contextMenuEvent(QContextMenuEvent* event) {
  if (lineEdit() != nullptr) {
    ComboWndProc(event);
    return;
  }
  QComboBox::contextMenuEvent(event);
}

}  // namespace lectora
