#include "mainwindow/PBJustOne.h"

#include <unistd.h>

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include "ddeserverconv1adaptor.h"
#include "tools/dde/DdeServerItems.h"

namespace lectora {

namespace {

const QString kInterface = QStringLiteral("org.darsel.Lectora.DdeServerConv1");
const QByteArray kActivateLine = QByteArrayLiteral("Activate\n");
// A request is one short line; anything longer is not ours.
constexpr qsizetype kMaxRequestBytes = 256;

enum class TConnect { Delivered, Refused, Failed };

}  // namespace

TPBJustOne::TPBJustOne(QObject* parent) : TPBJustOne(TOptions(), parent) {}

TPBJustOne::TPBJustOne(TOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {}

TPBJustOne::~TPBJustOne() {
  if (ownsBusName_) {
    QDBusConnection bus = Bus();
    bus.unregisterObject(options_.ObjectPath);
    if (bus.interface() != nullptr) bus.interface()->unregisterService(options_.ServiceName);
  }
  if (!options_.BusConnectionName.isEmpty() && usesBus_) {
    QDBusConnection::disconnectFromBus(options_.BusConnectionName);
  }
  // The socket goes before the lock, so that a process that gets the lock
  // never finds a socket that is about to vanish.
  if (server_ != nullptr) server_->close();
  if (lock_) lock_->unlock();
}

QDBusConnection TPBJustOne::Bus() const {
  if (options_.BusConnectionName.isEmpty()) return QDBusConnection::sessionBus();
  return QDBusConnection::connectToBus(QDBusConnection::SessionBus, options_.BusConnectionName);
}

QString TPBJustOne::LockFileName() const {
  QString folder = options_.LocalFolder;
  if (folder.isEmpty()) folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::tempPath();
  // The user id keeps users apart in a shared temporary folder.
  return QDir(folder).filePath(options_.ServiceName + QLatin1Char('-') +
                               QString::number(::getuid()) + QStringLiteral(".lock"));
}

QString TPBJustOne::SocketFileName() const {
  QString name = LockFileName();
  name.chop(int(sizeof(".lock") - 1));
  return name + QStringLiteral(".socket");
}

TPBJustOne::TResult TPBJustOne::Check() {
  if (result_ != TResult::NotChecked) return result_;
  if (options_.Transport != TTransport::LocalSocket) result_ = CheckBus();
  if (result_ == TResult::NotChecked && options_.Transport != TTransport::DBus) {
    result_ = CheckLocal();
  }
  // Only a bus forced by a test can leave it unchecked: nothing to share
  // with, so this process runs.
  if (result_ == TResult::NotChecked) result_ = TResult::First;
  return result_;
}

TPBJustOne::TResult TPBJustOne::CheckBus() {
  QDBusConnection bus = Bus();
  if (!bus.isConnected() || bus.interface() == nullptr) {
    lastError_ = QStringLiteral("no session bus: ") + bus.lastError().message();
    return TResult::NotChecked;
  }
  // The object is served before the name is taken, so that a request that
  // arrives right after finds it.
  new TDdeServerConv1Adaptor(this);
  const bool registered = bus.registerObject(options_.ObjectPath, this);
  QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
      bus.interface()->registerService(options_.ServiceName,
                                       QDBusConnectionInterface::DontQueueService,
                                       QDBusConnectionInterface::DontAllowReplacement);
  if (!reply.isValid()) {
    if (registered) bus.unregisterObject(options_.ObjectPath);
    lastError_ = QStringLiteral("session bus refused the name: ") + reply.error().message();
    return TResult::NotChecked;
  }
  usesBus_ = true;
  if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
    ownsBusName_ = true;
    if (!registered) lastError_ = QStringLiteral("object path already in use on the bus");
    return TResult::First;
  }
  if (registered) bus.unregisterObject(options_.ObjectPath);
  QDBusMessage call = QDBusMessage::createMethodCall(options_.ServiceName, options_.ObjectPath,
                                                     kInterface, QStringLiteral("Activate"));
  // Events keep flowing while waiting, so a first instance in this very
  // process (as in tests) can answer.
  const QDBusMessage answer = bus.call(call, QDBus::BlockWithGui, options_.TimeoutMs);
  if (answer.type() == QDBusMessage::ErrorMessage) {
    lastError_ = QStringLiteral("the running instance did not answer: ") + answer.errorMessage();
  }
  return TResult::Second;
}

namespace {

// One attempt, or attempts until `timeoutMs` is over while nobody listens.
TConnect SendActivate(const QString& socketName, int timeoutMs, QString& error) {
  const QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (socket.waitForConnected(std::max(1, std::min(timeoutMs, 1000)))) {
      socket.write(kActivateLine);
      const bool written = socket.waitForBytesWritten(std::max(1, timeoutMs));
      socket.disconnectFromServer();
      if (written || socket.bytesToWrite() == 0) return TConnect::Delivered;
      error = QStringLiteral("request not delivered: ") + socket.errorString();
      return TConnect::Failed;
    }
    const QLocalSocket::LocalSocketError failure = socket.error();
    error = socket.errorString();
    const bool refused = failure == QLocalSocket::ConnectionRefusedError ||
                         failure == QLocalSocket::ServerNotFoundError;
    if (!refused) return TConnect::Failed;
    if (deadline.hasExpired()) return TConnect::Refused;
    QThread::msleep(50);
  }
}

}  // namespace

TPBJustOne::TResult TPBJustOne::CheckLocal() {
  lock_ = std::make_unique<QLockFile>(LockFileName());
  // The lock is held for the program's whole life; only a lock whose
  // process is gone counts as stale.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(100)) {
    const QLockFile::LockError error = lock_->error();
    lock_.reset();
    if (error == QLockFile::LockFailedError) {
      QString sendError;
      if (SendActivate(SocketFileName(), options_.TimeoutMs, sendError) != TConnect::Delivered) {
        lastError_ = QStringLiteral("the running instance did not answer: ") + sendError;
      }
      return TResult::Second;
    }
    // Without a lock the socket alone must tell whether another instance runs.
    lastError_ = QStringLiteral("cannot create the lock file ") + LockFileName();
  }
  // A socket file may be left by a crashed process, or (its lock removed by
  // someone) still be served by a running instance: ask before removing it.
  const QString socketName = SocketFileName();
  if (QFileInfo::exists(socketName)) {
    QString sendError;
    const TConnect sent = SendActivate(socketName, 0, sendError);
    if (sent == TConnect::Delivered) {
      if (lock_) lock_->unlock();
      lock_.reset();
      return TResult::Second;
    }
    if (sent == TConnect::Refused) QLocalServer::removeServer(socketName);
  }
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &TPBJustOne::AcceptLocalConnection);
  if (!server_->listen(socketName)) {
    // The program still runs; it only cannot be activated by a later start.
    lastError_ = QStringLiteral("cannot listen on ") + socketName + QStringLiteral(": ") +
                 server_->errorString();
  }
  return TResult::First;
}

void TPBJustOne::AcceptLocalConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto readRequest = [this, socket]() {
      while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxRequestBytes);
        if (line == kActivateLine) Activate();
      }
      if (socket->bytesAvailable() > kMaxRequestBytes) socket->abort();
    };
    connect(socket, &QLocalSocket::readyRead, this, readRequest);
    // Bytes that came with the connection do not signal again.
    if (socket->bytesAvailable() > 0) readRequest();
  }
}

void TPBJustOne::Activate() { Q_EMIT ActivateRequested(); }

void TPBJustOne::Poke(const QString& item, const QString& text) {
  if (items_ != nullptr) items_->Poke(item, text);
}

QString TPBJustOne::Request(const QString& item) {
  QString text;
  if (items_ != nullptr && !items_->Request(item, text) && calledFromDBus()) {
    sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("unknown item: ") + item.left(64));
  }
  return text;
}

}  // namespace lectora
