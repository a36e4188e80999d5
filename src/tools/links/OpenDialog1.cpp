#include "tools/links/OpenDialog1.h"

#include <QFileDialog>
#include <QFileInfo>
#include <utility>

namespace lectora {

std::optional<QString> TOpenDialog1::Execute(QWidget* parent, const TOpenFileRequest& request) {
  if (scripted_) {
    requests_.push_back(request);
    if (answers_.empty()) return std::nullopt;
    const TAnswer answer = answers_.front();
    answers_.pop_front();
    if (!answer.Chosen) return std::nullopt;
    return answer.FileName;
  }
  QFileDialog dialog(parent, request.Caption);
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setSizeGripEnabled(true);
  if (!request.HelpTopic.isEmpty()) dialog.setProperty("helpTopic", request.HelpTopic);
  const QFileInfo preset(request.FileName);
  const QString folder = !request.Folder.isEmpty() ? request.Folder : preset.absolutePath();
  if (!request.FileName.isEmpty() || !request.Folder.isEmpty()) dialog.setDirectory(folder);
  if (!request.FileName.isEmpty()) dialog.selectFile(preset.fileName());
  if (!request.Filter.isEmpty()) dialog.setNameFilters(request.Filter.split(QStringLiteral(";;")));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

void TOpenDialog1::QueueAnswer(const std::optional<QString>& fileName) {
  scripted_ = true;
  answers_.push_back({fileName.has_value(), fileName.value_or(QString())});
}

}  // namespace lectora
