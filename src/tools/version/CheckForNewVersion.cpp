#include "tools/version/CheckForNewVersion.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMutexLocker>
#include <QTcpSocket>
#include <algorithm>

namespace lectora {

namespace {

// The socket is read in short waits, so that a stop request is seen soon.
constexpr int kReadSliceMs = 100;
constexpr qint64 kBlockBytes = 128;

QDateTime RunningProgramTime() {
  return QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
}

}  // namespace

TCheckForNewVersion::TCheckForNewVersion(TOptions options, QObject* parent)
    : QThread(parent), options_(std::move(options)) {
  address_ = SplitCheckAddress(options_.Address);
  if (!options_.ProgramTime) options_.ProgramTime = RunningProgramTime;
  start();
}

TCheckForNewVersion::~TCheckForNewVersion() {
  stopping_ = true;
  {
    const QMutexLocker lock(&mutex_);
    resumed_.wakeAll();
  }
  wait();
}

void TCheckForNewVersion::Suspend() { suspended_ = true; }

void TCheckForNewVersion::Resume() {
  const QMutexLocker lock(&mutex_);
  suspended_ = false;
  resumed_.wakeAll();
}

bool TCheckForNewVersion::WaitWhileSuspended() {
  QMutexLocker lock(&mutex_);
  while (suspended_ && !stopping_) resumed_.wait(&mutex_);
  return !stopping_;
}

void TCheckForNewVersion::run() {
  if (address_.Host.isEmpty()) return;
  head_ = FetchHead();
  const std::optional<QDateTime> server = LastModified(head_);
  if (!server || !WaitWhileSuspended()) return;
  // Whole seconds, as the server's date has them.
  QDateTime program = options_.ProgramTime();
  program = program.addMSecs(-program.time().msec());
  newVersion_ = IsNewVersion(*server, program);
  running_ = false;
}

QByteArray TCheckForNewVersion::FetchHead() {
  QByteArray head;
  if (!WaitWhileSuspended()) return head;
  const QDeadlineTimer deadline(options_.AnswerTimeoutMs);
  QTcpSocket socket;
  const QString host = address_.Host.section(QLatin1Char(':'), 0, 0);
  socket.connectToHost(host, address_.Port, QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
  if (!socket.waitForConnected(std::min(options_.ConnectTimeoutMs, options_.AnswerTimeoutMs))) {
    return head;
  }
  socket.write(HeadRequest(address_));
  while (head.size() < kMaxHeadBytes && !head.contains("\r\n\r\n")) {
    if (!WaitWhileSuspended() || deadline.hasExpired()) return {};
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(kReadSliceMs)) {
      if (socket.state() != QAbstractSocket::ConnectedState) break;
      continue;
    }
    head += socket.read(std::min(kBlockBytes, kMaxHeadBytes - head.size()));
  }
  return head;
}

}  // namespace lectora
