// The notes window's editor (RichEdit1): a QTextEdit whose copies go
// through the window, so that the clipboard watcher can be told to ignore
// them, and carry the selection as Rich Text beside Qt's own formats.
#pragma once

#include <QTextEdit>
#include <functional>

namespace lectora {

class TNoteEdit : public QTextEdit {
  Q_OBJECT

 public:
  explicit TNoteEdit(QWidget* parent = nullptr);

  // Run instead of the editor's own Ctrl+C and Ctrl+X (the window's copy
  // and cut); unset, the editor copies by itself.
  std::function<void()> CopyCommand;
  std::function<void()> CutCommand;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Ctrl+B, Ctrl+I and Ctrl+U switch bold, italic and underline; true when
  // `event` was one of them.
  bool FormatKey(const QKeyEvent& event);
  QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace lectora
