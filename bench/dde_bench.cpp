// Benchmarks of the bus interface, the clipboard capture and the on-top
// viewer link, with three Bible windows on the real King James module
// (built by `make data`), the three on translation slots that read the same
// files so that each is refreshed:
// - SetBook over the session bus until every window has moved and the reply
//   is back (target: under 20 ms);
// - Request("SetVerse") round trip (target: under 2 ms);
// - a copied reference until every window shows it (target: under 50 ms);
// - a move until the viewer has received the passage (target: under 30 ms),
//   the viewer being a recorder on its own bus connection.
// Needs a session bus: dbus-run-session -- dde_bench [--runtime DIR]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <cstdio>
#include <memory>
#include <string>

#include "GuiBench.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/PBJustOne.h"
#include "navigation/Navigator.h"
#include "tools/dde/DdeServer.h"
#include "tools/dde/OnTopClient.h"

namespace {

using namespace lectora;

const QString kService = QStringLiteral("org.darsel.LectoraBench");
const char* const kPlaces[] = {"Psalms 119:100", "John 3:16"};

// Counts the viewer's GoToPos calls.
class TViewerRecorder : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.darsel.Floatpane.DdeServerConv1")

 public:
  int Positions = 0;

 public Q_SLOTS:
  void SetLetters(const QString&) {}
  void SetCaption(const QString&) {}
  void SetFont(const QString&) {}
  void SetFontSize(const QString&) {}
  void SetFontCharSet(const QString&) {}
  void SetText(const QString&) {}
  void GoToPos(const QString&) { ++Positions; }
  void Restore() {}
};

// The program with three windows, serving the interface on the bus.
struct TServed {
  bench::TRuntimeSetup Setup{"bench-dde", {{"KJVSN", "KJVSN"}, {"ASV", "KJVSN"}, {"RU", "KJVSN"}}};
  std::unique_ptr<TProgram> Program = bench::StartProgram(Setup.Path());
  std::unique_ptr<TPBJustOne> JustOne;
  QDBusConnection Client{QString()};

  bool Serve() {
    for (int translation : {6, 9, 8}) Program->Window().OpenTranslation(translation);
    TPBJustOne::TOptions options;
    options.ServiceName = kService;
    options.Transport = TPBJustOne::TTransport::DBus;
    options.BusConnectionName = QStringLiteral("bench-server");
    JustOne = std::make_unique<TPBJustOne>(options);
    if (JustOne->Check() != TPBJustOne::TResult::First || !JustOne->UsesBus()) return false;
    JustOne->SetItems(&Program->DdeServer());
    Client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("bench-c"));
    QApplication::processEvents();
    return Client.isConnected();
  }
  ~TServed() {
    if (JustOne) JustOne->SetItems(nullptr);
    QDBusConnection::disconnectFromBus(QStringLiteral("bench-c"));
  }
  QDBusMessage Call(const QString& method, const QString& argument) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/Lectora"),
                                       QStringLiteral("org.darsel.Lectora.DdeServerConv1"), method);
    call << argument;
    return Client.call(call, QDBus::BlockWithGui, 5000);
  }
};

bool Ready(benchmark::State& state) {
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt"})) {
    state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
    return false;
  }
  if (!QDBusConnection::sessionBus().isConnected()) {
    state.SkipWithError("no session bus: run under dbus-run-session");
    return false;
  }
  return true;
}

void BM_SetBookOverTheBus(benchmark::State& state) {
  if (!Ready(state)) return;
  TServed served;
  if (!served.Serve()) return state.SkipWithError("the bus name is taken");
  int turn = 0;
  for (auto _ : state) {
    const QDBusMessage reply =
        served.Call(QStringLiteral("SetBook"), QString::fromLatin1(kPlaces[turn++ % 2]));
    if (reply.type() != QDBusMessage::ReplyMessage) return state.SkipWithError("no reply");
    // The paints the move left pending belong to it.
    QApplication::processEvents();
  }
  state.counters["windows"] = static_cast<double>(served.Program->Window().BibleWindows().size());
}
BENCHMARK(BM_SetBookOverTheBus)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RequestSetVerse(benchmark::State& state) {
  if (!Ready(state)) return;
  TServed served;
  if (!served.Serve()) return state.SkipWithError("the bus name is taken");
  served.Call(QStringLiteral("SetBook"), QStringLiteral("John 3:16"));
  for (auto _ : state) {
    const QDBusMessage reply = served.Call(QStringLiteral("Request"), QStringLiteral("SetVerse"));
    benchmark::DoNotOptimize(reply.arguments().value(0).toString().size());
  }
}
BENCHMARK(BM_RequestSetVerse)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

void BM_CopiedReference(benchmark::State& state) {
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt"})) {
    return state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
  }
  const bench::TRuntimeSetup setup("bench-clip",
                                   {{"KJVSN", "KJVSN"}, {"ASV", "KJVSN"}, {"RU", "KJVSN"}});
  const std::unique_ptr<TProgram> program = bench::StartProgram(setup.Path());
  for (int translation : {6, 9, 8}) program->Window().OpenTranslation(translation);
  int turn = 0;
  for (auto _ : state) {
    QApplication::clipboard()->setText(QString::fromLatin1(kPlaces[turn++ % 2]));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_CopiedReference)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ViewerFollowsAMove(benchmark::State& state) {
  if (!Ready(state)) return;
  TServed served;
  if (!served.Serve()) return state.SkipWithError("the bus name is taken");
  TViewerRecorder viewer;
  QDBusConnection bus =
      QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("bench-viewer"));
  bus.registerObject(QStringLiteral("/Floatpane"), &viewer, QDBusConnection::ExportAllSlots);
  if (!bus.registerService(QStringLiteral("org.darsel.Floatpane"))) {
    return state.SkipWithError("org.darsel.Floatpane is taken");
  }
  std::FILE* file = std::fopen((served.Setup.Path() + "floatpane").c_str(), "w");
  if (file != nullptr) std::fclose(file);
  served.Program->OnTop().Connect();
  int turn = 0;
  for (auto _ : state) {
    const int before = viewer.Positions;
    served.Program->Navigator().GoToReference(kPlaces[turn++ % 2]);
    while (viewer.Positions < before + 2)
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  bus.unregisterService(QStringLiteral("org.darsel.Floatpane"));
  QDBusConnection::disconnectFromBus(QStringLiteral("bench-viewer"));
}
BENCHMARK(BM_ViewerFollowsAMove)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return lectora::bench::RunGuiBenchmarks(argc, argv); }

#include "dde_bench.moc"
