#include "tools/audio/ChapterFileFinder.h"

#include <QDir>
#include <QFileInfo>

#include "store/AudioNames.h"
#include "tools/audio/AudioDownload.h"
#include "tools/audio/AudioFileDialog.h"

namespace lectora {

namespace {

QString WithSlash(QString folder) {
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}

bool IsFile(const QString& path) { return QFileInfo(path).isFile(); }

}  // namespace

TChapterFileFinder::TChapterFileFinder(IAudioFileDialog& dialog, TAudioDownload& download,
                                       THooks hooks)
    : dialog_(dialog), download_(download), hooks_(std::move(hooks)) {}

void TChapterFileFinder::SetAudioFolder(const QString& folder) { folder_ = WithSlash(folder); }

QString TChapterFileFinder::SearchFolder() const {
  return folder_.isEmpty() ? WithSlash(defaultFolder_) : folder_;
}

QString TChapterFileFinder::Existing(int position, int chapter) const {
  const QString folder = SearchFolder();
  QString bulgarian = folder + QString::fromStdString(BulgarianStyleName(position, chapter));
  if (IsFile(bulgarian)) return bulgarian;
  QString english = folder + QString::fromStdString(EnglishStyleName(position, chapter));
  if (IsFile(english)) return english;
  return {};
}

QString TChapterFileFinder::Find(int position, int chapter) {
  if (position < 1 || position > kAudioBooks) return {};
  QString path = Existing(position, chapter);
  return path.isEmpty() ? Ask(position, chapter) : path;
}

QString TChapterFileFinder::Ask(int position, int chapter) {
  const QString folder = SearchFolder();
  const QString english = QString::fromStdString(EnglishStyleName(position, chapter));
  const QString picked = dialog_.ChooseFile(folder, english, kFilter);
  QString path;
  if (!picked.isEmpty()) {
    // A name that is not there is fetched into the place the reader chose.
    if (IsFile(picked) || OfferDownload(QFileInfo(picked).fileName(), picked)) path = picked;
  } else if (OfferDownload(english, folder + english)) {
    path = folder + english;
  }
  if (!path.isEmpty()) FollowFile(path, position, chapter);
  return path;
}

void TChapterFileFinder::FollowFile(const QString& path, int position, int chapter) {
  const QFileInfo file(path);
  QDir folder = file.absoluteDir();
  // A file of the Bulgarian style lies in its book's folder below the
  // audio folder.
  if (file.fileName() == QString::fromStdString(BulgarianStyleFileName(position, chapter))) {
    folder.cdUp();
  }
  SetAudioFolder(folder.absolutePath());
}

bool TChapterFileFinder::OfferDownload(const QString& name, const QString& target) {
  const QString server = hooks_.ServerAddress ? hooks_.ServerAddress() : QString();
  if (server.isEmpty()) return false;
  const QString question = hooks_.DownloadQuestion ? hooks_.DownloadQuestion() : QString();
  if (!hooks_.AskYesNo || !hooks_.AskYesNo(question)) return false;
  if (download_.Fetch(TAudioDownload::AddressOf(server, name), target)) return true;
  if (hooks_.ShowInfo) hooks_.ShowInfo(name + QStringLiteral(": ") + download_.LastError());
  return false;
}

}  // namespace lectora
