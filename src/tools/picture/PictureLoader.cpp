#include "tools/picture/PictureLoader.h"

#include <QFileInfo>
#include <QImageReader>

namespace lectora {

namespace {

constexpr int kMegabyte = 1024 * 1024;

}  // namespace

bool TPictureLoader::Load(const QString& path, QImage& image, QString& error) {
  image = QImage();
  const QFileInfo file(path);
  if (!file.isFile()) {
    error = QStringLiteral("The picture %1 cannot be shown: the file does not exist.").arg(path);
    return false;
  }
  if (file.size() > kMaxFileBytes) {
    error = QStringLiteral(
                "The picture %1 cannot be shown: the file has %2 MB, more than the %3 MB "
                "a picture may have.")
                .arg(path)
                .arg(file.size() / kMegabyte)
                .arg(kMaxFileBytes / kMegabyte);
    return false;
  }
  QImageReader reader(path);
  // The decoder's own bound, for a file whose header understates the size.
  reader.setAllocationLimit(static_cast<int>(kMaxPixels * 4 / kMegabyte));
  const QSize size = reader.size();
  if (size.isValid() && static_cast<std::int64_t>(size.width()) * size.height() > kMaxPixels) {
    error = QStringLiteral("The picture %1 cannot be shown: %2 × %3 pixels are too many.")
                .arg(path)
                .arg(size.width())
                .arg(size.height());
    return false;
  }
  if (!reader.read(&image)) {
    error = QStringLiteral("The picture %1 cannot be shown: %2.").arg(path, reader.errorString());
    image = QImage();
    return false;
  }
  return true;
}

}  // namespace lectora
