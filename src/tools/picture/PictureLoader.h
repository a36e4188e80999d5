// Reads one picture file for the picture window through Qt's image readers
// (JPEG by libjpeg-turbo, PNG, and whatever else the installed plug-ins
// read). The file's size and the picture's dimensions are checked before
// anything is decoded, so a huge or hostile file is refused cheaply.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

namespace lectora {

class TPictureLoader {
 public:
  // A picture file larger than this is refused unread.
  static constexpr std::int64_t kMaxFileBytes = 20LL * 1024 * 1024;
  // Larger pictures (in pixels, width times height) are refused undecoded.
  static constexpr std::int64_t kMaxPixels = 40LL * 1000 * 1000;

  // Decodes `path` into `image`. False with `error` set (a sentence for the
  // reader naming the file) when the file is missing, too large, not a
  // picture or damaged; `image` is then null.
  static bool Load(const QString& path, QImage& image, QString& error);
};

}  // namespace lectora
