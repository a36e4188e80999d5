#include "tools/notes/NoteEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "tools/notes/RtfTextDocument.h"

namespace lectora {

TNoteEdit::TNoteEdit(QWidget* parent) : QTextEdit(parent) {}

void TNoteEdit::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::Copy && CopyCommand) {
    CopyCommand();
    event->accept();
    return;
  }
  if (event == QKeySequence::Cut && CutCommand && !isReadOnly()) {
    CutCommand();
    event->accept();
    return;
  }
  if (FormatKey(*event)) {
    event->accept();
    return;
  }
  QTextEdit::keyPressEvent(event);
}

bool TNoteEdit::event(QEvent* event) {
  // The main window's own Ctrl+B (the book box) reaches its tool windows
  // too; in the editor the formatting keys come first.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!isReadOnly() && key.modifiers() == Qt::ControlModifier &&
        (key.key() == Qt::Key_B || key.key() == Qt::Key_I || key.key() == Qt::Key_U)) {
      event->accept();
      return true;
    }
  }
  return QTextEdit::event(event);
}

bool TNoteEdit::FormatKey(const QKeyEvent& event) {
  if (isReadOnly() || event.modifiers() != Qt::ControlModifier) return false;
  // The keys a rich edit control has always had: bold, italic, underline
  // of the selection, or of what is typed next.
  QTextCharFormat format;
  const QTextCharFormat current = currentCharFormat();
  switch (event.key()) {
    case Qt::Key_B:
      format.setFontWeight(current.fontWeight() > QFont::Normal ? QFont::Normal : QFont::Bold);
      break;
    case Qt::Key_I:
      format.setFontItalic(!current.fontItalic());
      break;
    case Qt::Key_U:
      format.setFontUnderline(!current.fontUnderline());
      break;
    default:
      return false;
  }
  mergeCurrentCharFormat(format);
  return true;
}

QMimeData* TNoteEdit::createMimeDataFromSelection() const {
  QMimeData* data = QTextEdit::createMimeDataFromSelection();
  QTextDocument selection;
  selection.setDefaultFont(document()->defaultFont());
  QTextCursor(&selection).insertFragment(textCursor().selection());
  const std::string rtf = SaveRtfDocument(selection);
  const QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
  for (const char* type : {"text/rtf", "text/richtext", "application/rtf"}) {
    data->setData(QString::fromLatin1(type), bytes);
  }
  return data;
}

}  // namespace lectora
