#include "tools/audio/QtAudioFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace lectora {

namespace {

// The help topic of the dialog while it asks for a chapter recording; the
// link dialog's own topic comes back with the next dialog.
constexpr int kAudioHelpContext = 49;

}  // namespace

QString TQtAudioFileDialog::QtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters.push_back(parts[i]);
  return filters.join(QStringLiteral(";;"));
}

QString TQtAudioFileDialog::ChooseFile(const QString& folder, const QString& fileName,
                                       const QString& filter) {
  QFileDialog dialog(parent_, QString(), folder);
  dialog.setObjectName(QStringLiteral("AudioOpenDialog"));
  dialog.setAccessibleName(QFileDialog::tr("Open"));
  dialog.setProperty("helpContext", kAudioHelpContext);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A name that is not there yet may be chosen: it is downloaded.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QtFilter(filter));
  dialog.selectFile(fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::cleanPath(dialog.selectedFiles().constFirst());
}

}  // namespace lectora
