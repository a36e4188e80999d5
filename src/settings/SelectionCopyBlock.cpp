#include "settings/SelectionCopyBlock.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace lectora {

bool SelectWithoutCopy(QLineEdit& edit, QKeyEvent* event) {
  const bool rightToLeft = edit.layoutDirection() == Qt::RightToLeft;
  if (event->matches(QKeySequence::SelectAll)) {
    edit.selectAll();
  } else if (event->matches(QKeySequence::SelectNextChar)) {
    rightToLeft ? edit.cursorBackward(true) : edit.cursorForward(true);
  } else if (event->matches(QKeySequence::SelectPreviousChar)) {
    rightToLeft ? edit.cursorForward(true) : edit.cursorBackward(true);
  } else if (event->matches(QKeySequence::SelectNextWord)) {
    rightToLeft ? edit.cursorWordBackward(true) : edit.cursorWordForward(true);
  } else if (event->matches(QKeySequence::SelectPreviousWord)) {
    rightToLeft ? edit.cursorWordForward(true) : edit.cursorWordBackward(true);
  } else if (event->matches(QKeySequence::SelectStartOfLine) ||
             event->matches(QKeySequence::SelectStartOfBlock) ||
             event->matches(QKeySequence::SelectStartOfDocument)) {
    edit.home(true);
  } else if (event->matches(QKeySequence::SelectEndOfLine) ||
             event->matches(QKeySequence::SelectEndOfBlock) ||
             event->matches(QKeySequence::SelectEndOfDocument)) {
    edit.end(true);
  } else {
    return false;
  }
  event->accept();
  return true;
}

TSelectionCopyWatch::TSelectionCopyWatch() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard->supportsSelection()) {
    watch_ = QObject::connect(clipboard, &QClipboard::selectionChanged, [this] { copied_ = true; });
  }
}

TSelectionCopyWatch::~TSelectionCopyWatch() {
  QObject::disconnect(watch_);
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (copied_ && clipboard->ownsSelection()) clipboard->clear(QClipboard::Selection);
}

}  // namespace lectora
