#include "DdeTestSupport.h"

#include <unistd.h>

#include <QDBusConnectionInterface>
#include <atomic>
#include <filesystem>

#include "support/SampleModules.h"

namespace lectora::test {

namespace {

namespace fs = std::filesystem;

// The compiled sample, made once per run.
const std::string& CompiledKingJames() {
  static test::TempDir* modules = [] {
    auto* dir = new test::TempDir;
    test::InstallSampleModule(test::kKingJamesSample, dir->File("KJVSN"));
    return dir;
  }();
  static const std::string folder = modules->File("KJVSN");
  return folder;
}

}  // namespace

TDdeSetup::TDdeSetup() {
  test::CopySharedData(setup_.Path());
  for (const char* name : {"KJVSN", "ASV"}) {
    fs::copy(CompiledKingJames(), setup_.File(name), fs::copy_options::recursive);
  }
}

std::unique_ptr<MainWindowDriver> TDdeSetup::Start() {
  return MainWindowDriver::Start(setup_.Path(), config_.Path());
}

void TDdeSetup::PutViewerFile() { test::WriteFile(setup_.File("floatpane"), ""); }

TFakeFloatpane::TFakeFloatpane() {
  static std::atomic<int> counter{0};
  connectionName_ = QStringLiteral("fake-floatpane-%1").arg(++counter);
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_);
  if (!bus.isConnected()) return;
  bus.registerObject(QStringLiteral("/Floatpane"), this, QDBusConnection::ExportAllSlots);
  registered_ = bus.registerService(QStringLiteral("org.darsel.Floatpane"));
}

TFakeFloatpane::~TFakeFloatpane() {
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_);
  bus.unregisterService(QStringLiteral("org.darsel.Floatpane"));
  bus.unregisterObject(QStringLiteral("/Floatpane"));
  QDBusConnection::disconnectFromBus(connectionName_);
}

void TFakeFloatpane::Record(const char* method, const QString& argument) {
  Calls.push_back(argument.isNull() ? QString::fromLatin1(method)
                                    : QString::fromLatin1(method) + QLatin1Char(':') + argument);
}

QStringList TFakeFloatpane::Methods() const {
  QStringList methods;
  for (const QString& call : Calls) methods.push_back(call.section(QLatin1Char(':'), 0, 0));
  return methods;
}

QString UniqueDdeServiceName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("org.darsel.LectoraDdeTest.p%1n%2").arg(::getpid()).arg(++counter);
}

QDBusMessage CallDde(QDBusConnection& client, const QString& service, const QString& method,
                     const QVariantList& arguments) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(service, QStringLiteral("/Lectora"),
                                     QStringLiteral("org.darsel.Lectora.DdeServerConv1"), method);
  call.setArguments(arguments);
  return client.call(call, QDBus::BlockWithGui, 20000);
}

}  // namespace lectora::test
