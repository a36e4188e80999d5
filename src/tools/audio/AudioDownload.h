// Fetches one chapter recording from the audio web server into the audio
// folder. The transfer runs in a local event loop (the window keeps
// painting, and the progress label shows the running byte count); the bytes
// go to a temporary file beside the target that is renamed over it only
// when the whole body arrived with a success status, so a failed, reset or
// oversized transfer leaves no half file behind.
#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;

namespace lectora {

class TAudioDownload : public QObject {
  Q_OBJECT

 public:
  // The largest recording accepted: a chapter of an hour's reading at
  // 128 kbit/s is under 60 MB.
  static constexpr qint64 kDefaultMaxBytes = qint64{64} << 20;
  // A transfer that receives nothing for this long is given up.
  static constexpr int kStallTimeoutMs = 30000;

  explicit TAudioDownload(QObject* parent = nullptr);

  // The label that shows the progress (watched, not owned; may be null).
  void SetProgressLabel(QLabel* label) { label_ = label; }
  void SetMaxBytes(qint64 bytes) { maxBytes_ = bytes; }
  qint64 MaxBytes() const { return maxBytes_; }

  // The address of `name` under `base` (the server's address, with or
  // without a trailing "/"): base + "/bible/bg/" + name.
  static QUrl AddressOf(const QString& base, const QString& name);

  // Fetches `url` into `target`, creating its folder. True when the whole
  // body arrived with a 2xx status and `target` now holds it; false (and
  // `target` untouched) otherwise, with LastError saying why.
  bool Fetch(const QUrl& url, const QString& target);
  const QString& LastError() const { return lastError_; }

 private:
  void ShowProgress(const QString& text);

  QNetworkAccessManager* manager_;
  QPointer<QLabel> label_;
  qint64 maxBytes_ = kDefaultMaxBytes;
  QString lastError_;
};

}  // namespace lectora
