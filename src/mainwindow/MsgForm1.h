// The program's one dialog for notices (ShowInfo) and yes/no questions
// (AskYesNo): a word-wrapped centred text above the buttons "ДА" and "НЕ",
// captioned like the main window. Tests script it: once scripted it shows
// nothing, records each text it would have shown and answers from a queue.
#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <deque>

class QLabel;
class QPushButton;

namespace lectora {

class TMsgForm1 : public QDialog {
  Q_OBJECT

 public:
  // What a scripted dialog would have shown.
  struct TShown {
    QString Text;
    QString Caption;
    bool Question = false;  // AskYesNo rather than ShowInfo
    bool DefaultNo = false;
  };

  explicit TMsgForm1(QWidget* parent = nullptr);

  // The window whose caption the dialog takes when shown (the main window);
  // watched, not owned. Without one the application's display name is used.
  void SetCaptionSource(QWidget* source) { captionSource_ = source; }

  // Shows `text` modally with the OK button alone.
  void ShowInfo(const QString& text);
  // Asks `text` modally; true for "ДА". `defaultNo` makes "НЕ" the default
  // button (Enter answers no).
  bool AskYesNo(const QString& text, bool defaultNo = false);
  // Shows `text` with the buttons as they are set; returns the modal result
  // (QDialog::Accepted or Rejected).
  int T(const QString& text);

  // From now on nothing is shown: texts are recorded and questions take the
  // queued answers in order, "НЕ" when the queue is empty.
  void SetScripted(bool scripted) { scripted_ = scripted; }
  bool Scripted() const { return scripted_; }
  // Queues the answer to a later question; makes the dialog scripted.
  void QueueAnswer(bool yes);
  const QList<TShown>& Shown() const { return shown_; }
  void ClearShown() { shown_.clear(); }

  QLabel* Label1() const { return label1_; }
  QPushButton* Button1() const { return button1_; }
  QPushButton* Button2() const { return button2_; }

 private:
  QString CaptionText() const;

  QLabel* label1_;
  QPushButton* button1_;
  QPushButton* button2_;
  QPointer<QWidget> captionSource_;
  bool scripted_ = false;
  bool question_ = false;
  std::deque<bool> answers_;
  QList<TShown> shown_;
};

}  // namespace lectora
