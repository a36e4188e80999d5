// The on-top viewer: one window on the session bus as org.darsel.Floatpane,
// object /Floatpane, fed by the reader. A second start only brings the
// running viewer forward. The placement is kept in
// $XDG_CONFIG_HOME/Darsel/Floatpane.ini. --frameless leaves out the frame.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

#include "FloatpaneWindow.h"
#include "floatpaneadaptor.h"

namespace {

const QString kService = QStringLiteral("org.darsel.Floatpane");
const QString kPath = QStringLiteral("/Floatpane");

QString PlacementFile() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::home().filePath(QStringLiteral(".config"));
  QDir folder(QDir(config).filePath(QStringLiteral("Darsel")));
  if (!folder.exists() && !folder.mkpath(QStringLiteral("."))) return {};
  return folder.filePath(QStringLiteral("Floatpane.ini"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Floatpane"));
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) {
    std::fprintf(stderr, "floatpane: no session bus\n");
    return 1;
  }
  lectora::TFloatpaneWindow window(
      PlacementFile(), QApplication::arguments().contains(QStringLiteral("--frameless")));
  new TFloatpaneAdaptor(&window);
  bus.registerObject(kPath, &window);
  const auto reply =
      bus.interface()->registerService(kService, QDBusConnectionInterface::DontQueueService,
                                       QDBusConnectionInterface::DontAllowReplacement);
  if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
    // Another viewer runs: it comes forward instead.
    bus.call(QDBusMessage::createMethodCall(kService, kPath,
                                            QStringLiteral("org.darsel.Floatpane.DdeServerConv1"),
                                            QStringLiteral("Restore")),
             QDBus::Block, 2000);
    return 0;
  }
  window.show();
  return QApplication::exec();
}
