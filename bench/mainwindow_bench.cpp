// Benchmark of a move with three Bible windows on the real King James module
// (built by `make data`): the chapter changes in the book box and every
// window shows and lays out its chapter. The three windows are on three
// translation slots that read the same module files, so that each of them
// is refreshed (windows of one translation share a single refresh).
// Target (median, offscreen): under 15 ms.
// Usage: mainwindow_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/Navigator.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

std::string runtimeDir = "build/run";

// A setup folder whose translation slots 8, 9 and 6 all hold the King
// James module, linked rather than copied.
class TBenchSetup {
 public:
  TBenchSetup() {
    root_ = fs::temp_directory_path() / ("lectora-bench-" + std::to_string(::getpid()));
    fs::create_directories(root_);
    const fs::path runtime = fs::absolute(runtimeDir);
    for (const char* file : {"BibleStructure.txt", "Abrevs.txt"}) {
      fs::copy_file(runtime / file, root_ / file);
    }
    for (const char* folder : {"KJVSN", "ASV", "RU"}) {
      fs::create_directory_symlink(runtime / "KJVSN", root_ / folder);
    }
  }
  ~TBenchSetup() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  std::string Path() const { return root_.string() + "/"; }

 private:
  fs::path root_;
};

// Starts the program on `setupFolder` (nothing of the run is kept), opens
// `translations` in that order (the last is the active one) and measures
// moves between Psalm 119 (176 verses) and John 3 until every window is
// laid out and painted.
void MeasureMoves(benchmark::State& state, const std::string& setupFolder,
                  std::initializer_list<int> translations, bool leftPanel = true) {
  TProgram::TStartOptions options;
  options.SetupFolder = setupFolder;
  options.ConfigHome = setupFolder + "config";
  options.ScriptedDialogs = true;
  options.ReadOnlySetup = true;
  TProgram program(options);
  TLectora2Form1& window = program.Window();
  window.resize(1200, 800);
  window.show();
  window.FormShow();
  // The left panel as the first run shows it, or hidden as it was before the
  // panel had a search page (the earlier figures were measured so).
  program.Actions().Get(QStringLiteral("ToolButton12")).setChecked(leftPanel);
  for (int translation : translations) window.OpenTranslation(translation);
  QApplication::processEvents();
  const char* const places[] = {"Psalms 119:100", "John 3:16"};
  int turn = 0;
  for (auto _ : state) {
    program.Navigator().GoToReference(places[turn++ % 2]);
    for (TBibleForm1* bibleWindow : window.BibleWindows()) {
      benchmark::DoNotOptimize(bibleWindow->BRichEdit1->BoxCount());
    }
    // The paints the move left pending belong to it: until they have run
    // the reader does not see the new place.
    QApplication::processEvents();
  }
  state.counters["windows"] = static_cast<double>(window.BibleWindows().size());
}

void BM_MoveWithThreeWindows(benchmark::State& state) {
  if (!fs::exists(fs::path(runtimeDir) / "KJVSN" / "BibleTitles.txt")) {
    state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
    return;
  }
  TBenchSetup setup;
  MeasureMoves(state, setup.Path(), {6, 9, 8});
}
BENCHMARK(BM_MoveWithThreeWindows)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MoveWithThreeWindowsPanelHidden(benchmark::State& state) {
  if (!fs::exists(fs::path(runtimeDir) / "KJVSN" / "BibleTitles.txt")) {
    state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
    return;
  }
  TBenchSetup setup;
  MeasureMoves(state, setup.Path(), {6, 9, 8}, false);
}
BENCHMARK(BM_MoveWithThreeWindowsPanelHidden)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The windows of the first run: the King James, the Russian Synodal (run on)
// and the Greek New Testament, each its own module in its own numbering.
void BM_MoveWithFirstRunWindows(benchmark::State& state) {
  const fs::path runtime = fs::absolute(runtimeDir);
  for (const char* folder : {"KJVSN", "RU", "Gr"}) {
    if (!fs::exists(runtime / folder / "BibleTitles.txt")) {
      state.SkipWithError("the texts are not built: run make data, or pass --runtime DIR");
      return;
    }
  }
  const fs::path root =
      fs::temp_directory_path() / ("lectora-bench-first-" + std::to_string(::getpid()));
  fs::create_directories(root);
  for (const char* file : {"BibleStructure.txt", "Abrevs.txt"}) {
    fs::copy_file(runtime / file, root / file, fs::copy_options::overwrite_existing);
  }
  for (const char* folder : {"KJVSN", "RU", "Gr"}) {
    fs::create_directory_symlink(runtime / folder, root / folder);
  }
  // The King James last, so that it is the active window whose book names
  // the references are read with; the Greek window empties at Psalm 119.
  MeasureMoves(state, root.string() + "/", {10, 6, 8});
  std::error_code ignored;
  fs::remove_all(root, ignored);
}
BENCHMARK(BM_MoveWithFirstRunWindows)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--runtime") runtimeDir = argv[i + 1];
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
