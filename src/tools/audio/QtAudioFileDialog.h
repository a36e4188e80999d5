// The chapter recording's open dialog on QFileDialog. A file that does not
// exist may be named: the program then offers to download it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "tools/audio/AudioFileDialog.h"

namespace lectora {

class TQtAudioFileDialog : public IAudioFileDialog {
 public:
  // `parent` (watched, not owned) is the dialog's window.
  explicit TQtAudioFileDialog(QWidget* parent) : parent_(parent) {}

  QString ChooseFile(const QString& folder, const QString& fileName,
                     const QString& filter) override;

  // "Audio files (*.mp3)|*.mp3" as QFileDialog writes filters.
  static QString QtFilter(const QString& filter);

 private:
  QPointer<QWidget> parent_;
};

}  // namespace lectora
