#include "tools/dde/OnTopClient.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace lectora {

namespace {

const QString kInterface = QStringLiteral("org.darsel.Floatpane.DdeServerConv1");

}  // namespace

TOnTopClient::TOnTopClient(const QString& setupFolder, QObject* parent)
    : TOnTopClient(setupFolder, TOptions(), parent) {}

TOnTopClient::TOnTopClient(const QString& setupFolder, TOptions options, QObject* parent)
    : QObject(parent),
      options_(std::move(options)),
      programFile_(QDir(setupFolder).filePath(QStringLiteral("floatpane"))) {
  startTimer_.setSingleShot(true);
  QDBusConnection bus = Bus();
  if (!bus.isConnected()) return;
  watcher_ = new QDBusServiceWatcher(
      options_.ServiceName, bus,
      QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
      this);
  connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this,
          &TOnTopClient::ServiceRegistered);
  connect(watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          &TOnTopClient::ServiceUnregistered);
}

TOnTopClient::~TOnTopClient() = default;

QDBusConnection TOnTopClient::Bus() const {
  if (options_.BusConnectionName.isEmpty()) return QDBusConnection::sessionBus();
  return QDBusConnection::connectToBus(QDBusConnection::SessionBus, options_.BusConnectionName);
}

void TOnTopClient::Connect() {
  if (!QFileInfo(programFile_).isFile()) {
    if (NotFound) NotFound();
    return;
  }
  if (connected_) {
    Restore();
    return;
  }
  QDBusConnection bus = Bus();
  if (!bus.isConnected() || bus.interface() == nullptr || startTimer_.isActive()) return;
  // The bus daemon answers this, never the viewer.
  if (bus.interface()->isServiceRegistered(options_.ServiceName).value()) {
    SetConnected(true);
    return;
  }
  // Nothing is remembered when the viewer cannot start or never appears.
  if (QProcess::startDetached(programFile_, {})) startTimer_.start(options_.StartTimeoutMs);
}

void TOnTopClient::ServiceRegistered() {
  if (!startTimer_.isActive()) return;
  startTimer_.stop();
  SetConnected(true);
}

void TOnTopClient::ServiceUnregistered() { SetConnected(false); }

void TOnTopClient::SetConnected(bool connected) {
  if (connected_ == connected) return;
  connected_ = connected;
  Q_EMIT ConnectedChanged(connected);
  if (connected && SendActive) SendActive();
}

void TOnTopClient::Restore() {
  if (connected_) Send(QStringLiteral("Restore"), {});
}

void TOnTopClient::Close() {
  if (!connected_) return;
  Send(QStringLiteral("Close"), {});
  SetConnected(false);
}

void TOnTopClient::Poke(const QString& item, const QString& text) {
  if (connected_) Send(item, {text});
}

void TOnTopClient::Send(const QString& method, const QVariantList& arguments) {
  QDBusMessage message =
      QDBusMessage::createMethodCall(options_.ServiceName, options_.ObjectPath, kInterface, method);
  message.setArguments(arguments);
  // A viewer that went away must not be started again by a poke.
  message.setAutoStartService(false);
  Bus().send(message);
}

}  // namespace lectora
