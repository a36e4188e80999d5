// The notes window's notes: saving and loading them on every move, and the
// window's showing and closing with its "NoteBook" placement.
#include <QCloseEvent>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <exception>

#include "app/InterfaceTexts.h"
#include "display/QtText.h"
#include "navigation/Navigator.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/WindowPlacement.h"
#include "tools/notes/NoteEdit.h"
#include "tools/notes/NoteForm1.h"
#include "tools/notes/NotesStore.h"
#include "tools/notes/RtfTextDocument.h"

namespace lectora {

namespace {

constexpr const char* kSection = "NoteBook";
constexpr int kMessageCharset = 204;  // the message tables are Windows-1251

QString ErrorText(const std::exception& error) { return QString::fromUtf8(error.what()); }

}  // namespace

void TNoteForm1::SetNote(std::int32_t n) {
  if (n == currentNote_) {
    // The place was shown again (a window became active): saved, not reloaded.
    SaveNote(n);
    return;
  }
  if (SwitchNote(currentNote_, n)) currentNote_ = n;
}

bool TNoteForm1::SwitchNote(std::int32_t oldNote, std::int32_t newNote) {
  if (!isVisible()) return true;
  if (!SaveNote(oldNote)) return false;
  LoadNote(newNote);
  RichEdit1->document()->setModified(false);
  return true;
}

bool TNoteForm1::SaveNote(std::int32_t n) {
  QTextDocument& document = *RichEdit1->document();
  if (!isVisible() || !document.isModified() || store_->ReadOnly()) return true;
  try {
    if (document.toPlainText().isEmpty()) {
      store_->Erase(n);
    } else {
      store_->Save(n, SaveRtfDocument(document));
    }
  } catch (const std::exception& error) {
    // The stored note is the one before this edit; the edit stays in the
    // editor, to be saved at the next move.
    Tell(Notice("NoteNotSaved", "The note could not be saved: %1. It stays in the notes window.")
             .arg(ErrorText(error)));
    return false;
  }
  document.setModified(false);
  return true;
}

void TNoteForm1::ClearEditor() {
  QTextDocument& document = *RichEdit1->document();
  document.setUndoRedoEnabled(false);
  document.clear();
  document.setUndoRedoEnabled(true);
}

QString TNoteForm1::Notice(const char* key, const char* english) const {
  return DecodeCharset(s_.Texts.TranslateOr(key, english), kMessageCharset);
}

void TNoteForm1::LoadNote(std::int32_t n) {
  std::string rtf;
  try {
    rtf = store_->Load(n);
  } catch (const std::exception& error) {
    Tell(Notice("NoteUnreadable", "The note cannot be read: %1").arg(ErrorText(error)));
  }
  if (rtf.empty()) {
    ClearEditor();
  } else {
    LoadRtfDocument(*RichEdit1->document(), rtf);
  }
  RichEdit1->moveCursor(QTextCursor::Start);
}

void TNoteForm1::ShowNotes(bool restore) {
  show();
  if (restore && (isMinimized() || isMaximized())) showNormal();
  raise();
  SetNote(s_.Navigator.Place().StandardNumber);
}

void TNoteForm1::SaveOnExit() {
  if (!isVisible() || s_.Settings.RunningFromCD()) return;
  WritePlacement();
  SaveNote(currentNote_);
}

void TNoteForm1::ReadPlacement() {
  TWindowPlacement placement;
  s_.Settings.Ini().ReadWindow(kSection, placement);
  if (placement.PositionStored && placement.Width > 0 && placement.Height > 0) {
    setGeometry(placement.Left, placement.Top, placement.Width, placement.Height);
  }
}

void TNoteForm1::WritePlacement() {
  TWindowPlacement placement;
  placement.WindowState = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
  placement.Left = frame.x();
  placement.Top = frame.y();
  placement.Width = frame.width();
  placement.Height = frame.height();
  s_.Settings.Ini().WriteWindow(kSection, placement);
}

void TNoteForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A window restored from minimised was never hidden: its note stays as
  // it is, edits included.
  if (event->spontaneous() || RichEdit1->document()->isModified()) return;
  ReadPlacement();
  setWindowTitle(DecodeCharset(s_.Texts.Translate("NoteForm1"), kMessageCharset));
  RichEdit1->document()->setModified(false);
  LoadNote(currentNote_);
  if (store_->ReadOnly() && !readOnlyTold_) {
    readOnlyTold_ = true;
    Tell(Notice("NotesReadOnly",
                "The notes are shown but cannot be changed: the folder %1 cannot be written.")
             .arg(QString::fromStdString(store_->Folder())));
  }
}

void TNoteForm1::closeEvent(QCloseEvent* event) {
  if (!s_.Settings.RunningFromCD()) {
    WritePlacement();
    if (!SaveNote(currentNote_)) {
      event->ignore();  // the unsaved note stays on screen, not lost
      return;
    }
  }
  QWidget::closeEvent(event);
}

}  // namespace lectora
