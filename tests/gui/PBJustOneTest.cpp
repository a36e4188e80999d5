#include "mainwindow/PBJustOne.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "support/TestSupport.h"

namespace lectora {
namespace {

using TResult = TPBJustOne::TResult;

// A name no real program and no other test uses.
QString UniqueServiceName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("org.darsel.LectoraTest.p%1n%2").arg(::getpid()).arg(++counter);
}

TPBJustOne::TOptions LocalOptions(const QString& name, const test::TempDir& dir) {
  TPBJustOne::TOptions options;
  options.ServiceName = name;
  options.Transport = TPBJustOne::TTransport::LocalSocket;
  options.LocalFolder = QString::fromStdString(dir.Path());
  options.TimeoutMs = 500;
  return options;
}

TEST(PBJustOneLocal, SecondInstanceActivatesTheFirstAndMustEnd) {
  test::TempDir dir;
  const auto options = LocalOptions(UniqueServiceName(), dir);
  TPBJustOne first(options);
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First) << first.LastError().toStdString();
  EXPECT_FALSE(first.UsesBus());
  EXPECT_TRUE(QFile::exists(first.LockFileName()));
  EXPECT_TRUE(QFile::exists(first.SocketFileName()));

  TPBJustOne second(options);
  EXPECT_EQ(second.Check(), TResult::Second);
  EXPECT_TRUE(second.LastError().isEmpty()) << second.LastError().toStdString();
  ASSERT_TRUE(activated.wait(2000));
  EXPECT_EQ(activated.count(), 1);
  // The answer is kept: asking again neither re-checks nor activates again.
  EXPECT_EQ(second.Check(), TResult::Second);
  EXPECT_FALSE(activated.wait(100));
}

TEST(PBJustOneLocal, TheNameIsFreeAgainWhenTheFirstEnds) {
  test::TempDir dir;
  const auto options = LocalOptions(UniqueServiceName(), dir);
  QString lockName;
  {
    TPBJustOne first(options);
    ASSERT_EQ(first.Check(), TResult::First);
    lockName = first.LockFileName();
  }
  EXPECT_FALSE(QFile::exists(lockName));
  TPBJustOne next(options);
  EXPECT_EQ(next.Check(), TResult::First);
}

TEST(PBJustOneLocal, FilesGoToTheRuntimeFolderElseTheTemporaryFolder) {
  test::TempDir runtime;
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
  TPBJustOne::TOptions options;
  options.ServiceName = UniqueServiceName();

  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path()));
  const QString inRuntime = TPBJustOne(options).LockFileName();
  qunsetenv("XDG_RUNTIME_DIR");
  const QString inTemp = TPBJustOne(options).SocketFileName();
  if (wasSet) qputenv("XDG_RUNTIME_DIR", saved);

  EXPECT_TRUE(inRuntime.startsWith(QString::fromStdString(runtime.Path())))
      << inRuntime.toStdString();
  EXPECT_TRUE(inRuntime.endsWith(QStringLiteral(".lock")));
  EXPECT_TRUE(inTemp.startsWith(QDir::tempPath())) << inTemp.toStdString();
  EXPECT_TRUE(inTemp.endsWith(QStringLiteral(".socket")));
}

// A process that held the lock and listened on the socket, then died without
// cleaning up, leaves both files behind.
void LeaveStaleFiles(const std::string& lockName, const std::string& socketName) {
  QLockFile lock(QString::fromStdString(lockName));
  lock.setStaleLockTime(0);
  if (!lock.tryLock(0)) std::_Exit(1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketName.c_str(), sizeof(address.sun_path) - 1);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) std::_Exit(2);
  if (::listen(fd, 1) != 0) std::_Exit(3);
  std::_Exit(0);
}

TEST(PBJustOneLocal, LocksAndSocketsOfACrashedProcessAreTakenOver) {
  test::TempDir dir;
  const auto options = LocalOptions(UniqueServiceName(), dir);
  const TPBJustOne probe(options);
  const std::string lockName = probe.LockFileName().toStdString();
  const std::string socketName = probe.SocketFileName().toStdString();
  GTEST_FLAG_SET(death_test_style, "fast");
  EXPECT_EXIT(LeaveStaleFiles(lockName, socketName), testing::ExitedWithCode(0), "");
  ASSERT_TRUE(QFile::exists(probe.LockFileName()));
  ASSERT_TRUE(QFile::exists(probe.SocketFileName()));

  TPBJustOne first(options);
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First) << first.LastError().toStdString();
  EXPECT_TRUE(first.LastError().isEmpty()) << first.LastError().toStdString();
  TPBJustOne second(options);
  EXPECT_EQ(second.Check(), TResult::Second);
  EXPECT_TRUE(activated.wait(2000));
}

TEST(PBJustOneLocal, ALiveSocketIsAskedBeforeItIsEverRemoved) {
  test::TempDir dir;
  const auto options = LocalOptions(UniqueServiceName(), dir);
  TPBJustOne first(options);
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First);
  // Someone removed the lock file under the running instance.
  ASSERT_TRUE(QFile::remove(first.LockFileName()));

  TPBJustOne second(options);
  EXPECT_EQ(second.Check(), TResult::Second);
  EXPECT_TRUE(activated.wait(2000));
  EXPECT_TRUE(QFile::exists(first.SocketFileName()));
  // The first instance still answers on its socket.
  TPBJustOne third(options);
  EXPECT_EQ(third.Check(), TResult::Second);
  EXPECT_TRUE(activated.wait(2000));
}

TEST(PBJustOneLocal, AHeldLockWithoutListenerStillEndsTheSecondProcess) {
  test::TempDir dir;
  auto options = LocalOptions(UniqueServiceName(), dir);
  options.TimeoutMs = 150;
  const TPBJustOne probe(options);
  QLockFile held(probe.LockFileName());
  ASSERT_TRUE(held.tryLock(0));

  TPBJustOne second(options);
  EXPECT_EQ(second.Check(), TResult::Second);
  EXPECT_FALSE(second.LastError().isEmpty());
}

TEST(PBJustOneLocal, OnlyTheActivateLineActivates) {
  test::TempDir dir;
  TPBJustOne first(LocalOptions(UniqueServiceName(), dir));
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First);

  QLocalSocket client;
  client.connectToServer(first.SocketFileName());
  ASSERT_TRUE(client.waitForConnected(1000));
  client.write("Nonsense\nActivate now\n");
  client.flush();
  EXPECT_FALSE(activated.wait(200));
  client.write("Activate\n");
  client.flush();
  EXPECT_TRUE(activated.wait(2000));
  EXPECT_EQ(activated.count(), 1);
}

TEST(PBJustOneLocal, AnOverlongRequestIsCutOff) {
  test::TempDir dir;
  TPBJustOne first(LocalOptions(UniqueServiceName(), dir));
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First);

  QLocalSocket client;
  QSignalSpy closed(&client, &QLocalSocket::disconnected);
  client.connectToServer(first.SocketFileName());
  ASSERT_TRUE(client.waitForConnected(1000));
  client.write(QByteArray(4096, 'x'));
  client.flush();
  EXPECT_TRUE(closed.wait(2000));
  EXPECT_EQ(activated.count(), 0);
}

// The program's own choice: the bus when one answers, else the socket; a
// second instance ends either way.
TEST(PBJustOneAuto, UsesTheBusWhenThereIsOneElseTheSocket) {
  test::TempDir dir;
  const QString name = UniqueServiceName();
  auto options = LocalOptions(name, dir);
  options.Transport = TPBJustOne::TTransport::Auto;
  options.BusConnectionName = name + QStringLiteral(".a");
  TPBJustOne first(options);
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First);
  const bool busThere = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
                        QDBusConnection::sessionBus().isConnected();
  EXPECT_EQ(first.UsesBus(), busThere);
  EXPECT_EQ(QFile::exists(first.SocketFileName()), !busThere);

  options.BusConnectionName = name + QStringLiteral(".b");
  TPBJustOne second(options);
  EXPECT_EQ(second.Check(), TResult::Second);
  if (activated.count() == 0) activated.wait(2000);
  EXPECT_EQ(activated.count(), 1);
}

// ---- on the session bus (run under dbus-run-session by ctest) ----

class PBJustOneDBus : public testing::Test {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
      GTEST_SKIP() << "no session bus (DBUS_SESSION_BUS_ADDRESS unset); "
                      "ctest runs these under dbus-run-session";
    }
    if (!QDBusConnection::sessionBus().isConnected()) {
      GTEST_SKIP() << "the session bus does not answer";
    }
  }

  TPBJustOne::TOptions BusOptions(const QString& name, const QString& connection) {
    TPBJustOne::TOptions options;
    options.ServiceName = name;
    options.Transport = TPBJustOne::TTransport::DBus;
    options.BusConnectionName = connection;
    options.TimeoutMs = 2000;
    return options;
  }
};

TEST_F(PBJustOneDBus, SecondInstanceActivatesTheFirstOverTheBus) {
  const QString name = UniqueServiceName();
  TPBJustOne first(BusOptions(name, name + QStringLiteral(".a")));
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First) << first.LastError().toStdString();
  EXPECT_TRUE(first.UsesBus());
  // Nothing of the socket fallback is created beside the bus.
  EXPECT_FALSE(QFile::exists(first.LockFileName()));

  TPBJustOne second(BusOptions(name, name + QStringLiteral(".b")));
  EXPECT_EQ(second.Check(), TResult::Second);
  EXPECT_TRUE(second.LastError().isEmpty()) << second.LastError().toStdString();
  if (activated.count() == 0) activated.wait(2000);
  EXPECT_EQ(activated.count(), 1);
}

TEST_F(PBJustOneDBus, TheObjectOffersTheInterfaceAndActivate) {
  const QString name = UniqueServiceName();
  TPBJustOne first(BusOptions(name, name + QStringLiteral(".a")));
  QSignalSpy activated(&first, &TPBJustOne::ActivateRequested);
  ASSERT_EQ(first.Check(), TResult::First);

  QDBusConnection client =
      QDBusConnection::connectToBus(QDBusConnection::SessionBus, name + QStringLiteral(".c"));
  const QDBusMessage introspect = client.call(
      QDBusMessage::createMethodCall(name, QStringLiteral("/Lectora"),
                                     QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                     QStringLiteral("Introspect")),
      QDBus::BlockWithGui, 2000);
  ASSERT_EQ(introspect.type(), QDBusMessage::ReplyMessage)
      << introspect.errorMessage().toStdString();
  const QString xml = introspect.arguments().value(0).toString();
  EXPECT_TRUE(xml.contains(QStringLiteral("org.darsel.Lectora.DdeServerConv1")));
  EXPECT_TRUE(xml.contains(QStringLiteral("\"Activate\"")));

  const QDBusMessage call = client.call(
      QDBusMessage::createMethodCall(name, QStringLiteral("/Lectora"),
                                     QStringLiteral("org.darsel.Lectora.DdeServerConv1"),
                                     QStringLiteral("Activate")),
      QDBus::BlockWithGui, 2000);
  EXPECT_EQ(call.type(), QDBusMessage::ReplyMessage) << call.errorMessage().toStdString();
  EXPECT_EQ(activated.count(), 1);
  QDBusConnection::disconnectFromBus(name + QStringLiteral(".c"));
}

TEST_F(PBJustOneDBus, TheNameIsReleasedWhenTheFirstEnds) {
  const QString name = UniqueServiceName();
  {
    TPBJustOne first(BusOptions(name, name + QStringLiteral(".a")));
    ASSERT_EQ(first.Check(), TResult::First);
  }
  TPBJustOne next(BusOptions(name, name + QStringLiteral(".b")));
  EXPECT_EQ(next.Check(), TResult::First) << next.LastError().toStdString();
}

}  // namespace
}  // namespace lectora
