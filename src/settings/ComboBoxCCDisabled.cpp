#include "settings/ComboBoxCCDisabled.h"

#include <QChildEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace lectora {
namespace {

bool IsCopy(QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
    return false;
  }
  return static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
}

}  // namespace

TComboBoxCCDisabled::TComboBoxCCDisabled(QWidget* parent) : QComboBox(parent) { setEditable(true); }

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
  if (watched == lineEdit() && ComboWndProc(event)) return true;
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
