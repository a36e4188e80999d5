#include "display/CDEdit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "display/ODComboBox.h"
#include "display/QtText.h"
#include "settings/SelectionCopyBlock.h"
#include "store/CodePage.h"

namespace lectora {

namespace {

// The key that types control character `c`, for a handler that replaced a
// typed character by Enter, Escape or Backspace.
int KeyOfControl(char c) {
  switch (c) {
    case '\r':
      return Qt::Key_Return;
    case '\x1b':
      return Qt::Key_Escape;
    case '\b':
      return Qt::Key_Backspace;
    case '\t':
      return Qt::Key_Tab;
    default:
      return 0;
  }
}

}  // namespace

TCDEdit::TCDEdit(TODComboBox* box) : QLineEdit(box), box_(box) {
  setFrame(false);
  setFocusPolicy(Qt::StrongFocus);
  setDragEnabled(false);
}

void TCDEdit::keyPressEvent(QKeyEvent* event) {
  // Nothing may be copied out of the field.
  if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
    event->accept();
    return;
  }
  // The line edit would copy a selection made with the keys into the
  // selection clipboard; the same moves made through its functions do not.
  if (SelectWithoutCopy(*this, event)) return;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && event->key() == Qt::Key_Up) {
    box_->EditKeyUp();
    event->accept();
    return;
  }
  if (plain && event->key() == Qt::Key_Down) {
    box_->EditKeyDown();
    event->accept();
    return;
  }

  const QString typed = event->text();
  if (box_->OnKeyPress && typed.size() == 1) {
    const char16_t unit = typed[0].unicode();
    const int byte =
        unit < 128 ? unit : UnicodeToCodePage(unit, CodePageOfCharset(box_->Charset()));
    if (byte >= 0) {
      const char before = static_cast<char>(byte);
      char key = before;
      box_->OnKeyPress(key);
      if (key == 0) {
        event->accept();
        return;
      }
      if (key != before) {
        const auto b = static_cast<unsigned char>(key);
        if (b >= 32 && b != 127) {
          if (!isReadOnly()) insert(DecodeCharset(std::string(1, key), box_->Charset()));
          event->accept();
          return;
        }
        const int replacement = KeyOfControl(key);
        if (replacement == 0) {
          event->accept();
          return;
        }
        QKeyEvent replaced(QEvent::KeyPress, replacement, Qt::NoModifier, QString(QChar(b)));
        PassKey(&replaced);
        event->setAccepted(replaced.isAccepted());
        return;
      }
    }
  }
  PassKey(event);
}

void TCDEdit::PassKey(QKeyEvent* event) {
  // Any other key the line edit handles while text is selected may still
  // copy it into the selection clipboard; such a copy is taken back at once.
  const TSelectionCopyWatch watch;
  QLineEdit::keyPressEvent(event);
}

void TCDEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  SelectAllOnClick = true;
}

void TCDEdit::mousePressEvent(QMouseEvent* event) {
  if (box_->IsDroppedDown()) {
    box_->EditPressWhileDropped();
    event->accept();
    return;
  }
  if (event->button() == Qt::RightButton && box_->PopupMenu() == nullptr) {
    event->accept();
    return;
  }
  QLineEdit::mousePressEvent(event);
  if (SelectAllOnClick) {
    SelectAllOnClick = false;
    selectAll();
  }
}

void TCDEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The base class would copy the selection into the selection clipboard.
  if (event->button() == Qt::LeftButton) {
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TCDEdit::contextMenuEvent(QContextMenuEvent* event) {
  // Only the box's own menu, never the line edit's (it offers Copy).
  if (QMenu* menu = box_->PopupMenu()) menu->popup(event->globalPos());
  event->accept();
}

}  // namespace lectora
