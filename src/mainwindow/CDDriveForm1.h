// The drive dialog: asked by the module loader for the folder under which the
// module folders lie (the Windows original chose a CD-ROM drive letter).
// Tests script it like the message dialog: nothing is shown, the preset is
// recorded and the queued answer is returned.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>

#include "store/DriveDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lectora {

class TCDDriveForm1 : public QDialog, public IDriveDialog {
  Q_OBJECT

 public:
  explicit TCDDriveForm1(QWidget* parent = nullptr);

  // The window whose caption the dialog takes when shown; watched, not owned.
  void SetCaptionSource(QWidget* source) { captionSource_ = source; }

  // Shows the dialog modally, preset to `rememberedRoot` (a local 8-bit
  // path, may be empty). Returns the chosen folder without a trailing "/"
  // ("/" itself stays), or nullopt on Cancel or an empty choice.
  std::optional<std::string> ChooseRoot(const std::string& rememberedRoot) override;

  // Scripting for tests: nothing is shown; each question takes the next
  // queued answer (nullopt = Cancel; Cancel when the queue is empty).
  void QueueAnswer(std::optional<QString> folder);
  bool Scripted() const { return scripted_; }
  // The presets the scripted dialog was asked with, in order.
  const QStringList& Presets() const { return presets_; }

  QLabel* Label1() const { return label1_; }
  QLineEdit* FolderEdit() const { return folderEdit_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }

  // The folder as returned: trimmed, without a trailing "/"; nullopt when
  // empty.
  static std::optional<std::string> NormalizedRoot(const QString& folder);

 private:
  void Browse();
  void UpdateOk();

  QLabel* label1_;
  QLineEdit* folderEdit_;
  QPushButton* browseButton_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  QPointer<QWidget> captionSource_;
  bool scripted_ = false;
  std::deque<std::optional<QString>> answers_;
  QStringList presets_;
};

}  // namespace lectora
