#include "tools/notes/NoteEdit.h"

#include <QKeyEvent>
#include <QMimeData>
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
  QTextEdit::keyPressEvent(event);
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
