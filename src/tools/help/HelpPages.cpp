#include "tools/help/HelpPages.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace lectora {

THelpPages::THelpPages(const QString& folder) : folder_(QDir::cleanPath(folder)) {
  const QDir dir(folder_);
  found_ = dir.exists(QString::fromLatin1(kContentsPage));
  const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
  for (const QString& page : pages) ReadAnchors(dir.filePath(page));
}

void THelpPages::ReadAnchors(const QString& fileName) {
  QFile file(fileName);
  // A page that cannot be read offers no topics; the others still answer.
  if (!file.open(QIODevice::ReadOnly)) return;
  const QString html = QString::fromUtf8(file.readAll());
  static const QRegularExpression anchor(
      QString::fromLatin1(R"re(<a\s+(?:[^>]*\s)?name\s*=\s*"([^"]+)")re"),
      QRegularExpression::CaseInsensitiveOption);
  for (auto match = anchor.globalMatch(html); match.hasNext();) {
    const QString topic = match.next().captured(1);
    if (!anchors_.contains(topic)) anchors_.insert(topic, fileName);
  }
}

QUrl THelpPages::Contents() const {
  return QUrl::fromLocalFile(QDir(folder_).filePath(QString::fromLatin1(kContentsPage)));
}

QUrl THelpPages::TopicUrl(const QString& topic) const {
  const auto found = anchors_.constFind(topic);
  if (topic.isEmpty() || found == anchors_.constEnd()) return Contents();
  QUrl url = QUrl::fromLocalFile(found.value());
  url.setFragment(topic);
  return url;
}

}  // namespace lectora
