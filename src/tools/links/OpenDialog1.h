// The file-open dialog of the link dialog (its Browse button), which the
// chapter audio borrows to let the reader find a missing file. Tests script
// it: once scripted it shows nothing, records each request and answers
// from a queue.
#pragma once

#include <QList>
#include <QString>
#include <deque>
#include <optional>

class QWidget;

namespace lectora {

// What one showing asks for; every field may be empty.
struct TOpenFileRequest {
  QString Caption;    // the window title; empty = the toolkit's own
  QString FileName;   // preset in the name field
  QString Folder;     // shown first; empty = the folder of FileName
  QString Filter;     // Qt name filters, ";;"-separated ("Audio files (*.mp3)")
  QString HelpTopic;  // the help topic F1 opens while the dialog is shown
};

class TOpenDialog1 {
 public:
  // Shows a resizable file-open dialog modal to `parent` (may be null) for
  // an existing file; the chosen file's absolute path, or nullopt when the
  // reader cancels. Scripted: answers from the queue (nullopt when empty).
  std::optional<QString> Execute(QWidget* parent, const TOpenFileRequest& request);

  void SetScripted(bool scripted) { scripted_ = scripted; }
  bool Scripted() const { return scripted_; }
  // Queues the answer to a later showing (nullopt = cancel); makes the
  // dialog scripted.
  void QueueAnswer(const std::optional<QString>& fileName);
  // The requests of the scripted showings, oldest first.
  const QList<TOpenFileRequest>& Requests() const { return requests_; }

 private:
  struct TAnswer {
    bool Chosen = false;  // false = cancel
    QString FileName;
  };

  bool scripted_ = false;
  std::deque<TAnswer> answers_;
  QList<TOpenFileRequest> requests_;
};

}  // namespace lectora
