#include "tools/audio/AudioDownload.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

namespace lectora {

TAudioDownload::TAudioDownload(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

QUrl TAudioDownload::AddressOf(const QString& base, const QString& name) {
  QString address = base;
  while (address.endsWith(QLatin1Char('/'))) address.chop(1);
  return QUrl(address + QStringLiteral("/bible/bg/") + name);
}

void TAudioDownload::ShowProgress(const QString& text) {
  if (label_ == nullptr) return;
  label_->setText(text);
  label_->setAccessibleDescription(text);
  label_->repaint();
}

bool TAudioDownload::Fetch(const QUrl& url, const QString& target) {
  lastError_.clear();
  QDir().mkpath(QFileInfo(target).absolutePath());
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly)) {
    lastError_ = file.errorString();
    return false;
  }
  if (label_ != nullptr) label_->show();
  ShowProgress(QStringLiteral("0"));
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, QCoreApplication::applicationName());
  request.setTransferTimeout(kStallTimeoutMs);
  QNetworkReply* reply = manager_->get(request);
  qint64 total = 0;
  const auto take = [&] {
    const QByteArray block = reply->readAll();
    total += block.size();
    if (total > maxBytes_) {
      lastError_ = QStringLiteral("more than %1 bytes").arg(maxBytes_);
      reply->abort();
      return;
    }
    if (file.write(block) != block.size()) {
      lastError_ = file.errorString();
      reply->abort();
      return;
    }
    ShowProgress(QString::number(total));
  };
  QEventLoop loop;
  connect(reply, &QNetworkReply::readyRead, &loop, take);
  connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (lastError_.isEmpty()) take();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (lastError_.isEmpty() && reply->error() != QNetworkReply::NoError) {
    lastError_ = reply->errorString();
  } else if (lastError_.isEmpty() && (status < 200 || status > 299)) {
    lastError_ = QStringLiteral("HTTP status %1").arg(status);
  }
  reply->deleteLater();
  const bool ok = lastError_.isEmpty() && file.commit();
  if (!ok) {
    file.cancelWriting();
    if (lastError_.isEmpty()) lastError_ = file.errorString();
  }
  if (ok) ShowProgress(QStringLiteral("Done"));
  if (label_ != nullptr) label_->hide();
  return ok;
}

}  // namespace lectora
