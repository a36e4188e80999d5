// The open dialog that asks for a chapter recording nobody found: the
// program shows a file dialog, tests answer with a file name of their own.
#pragma once

#include <QString>

namespace lectora {

class IAudioFileDialog {
 public:
  virtual ~IAudioFileDialog() = default;
  // Asks for a file in `folder`, proposing `fileName`, showing the files of
  // `filter` (the "Caption (*.mp3)|*.mp3" form of the design). Returns the
  // chosen path, which need not exist, or an empty string when the reader
  // cancels.
  virtual QString ChooseFile(const QString& folder, const QString& fileName,
                             const QString& filter) = 0;
};

}  // namespace lectora
