// Benchmark of a move with three Bible windows on the real King James module
// (built by `make data`): the chapter changes in the book box and every
// window shows, lays out and paints its chapter. The three windows are on
// three translation slots that read the same module files, so that each of
// them is refreshed (windows of one translation share a single refresh).
// Target (median, offscreen): under 15 ms.
// Usage: mainwindow_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <memory>
#include <string>

#include "GuiBench.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/Navigator.h"

namespace {

using namespace lectora;

// Translation slots 8, 9 and 6 all hold the King James module.
bench::TRuntimeSetup KingJamesThreeTimes() {
  return bench::TRuntimeSetup("bench", {{"KJVSN", "KJVSN"}, {"ASV", "KJVSN"}, {"RU", "KJVSN"}});
}

// Starts the program on `setupFolder`, opens `translations` in that order
// (the last is the active one) and measures moves between Psalm 119 (176
// verses) and John 3 until every window is laid out and painted.
void MeasureMoves(benchmark::State& state, const std::string& setupFolder,
                  std::initializer_list<int> translations, bool leftPanel = true) {
  const std::unique_ptr<TProgram> program = bench::StartProgram(setupFolder);
  TLectora2Form1& window = program->Window();
  // The left panel as the first run shows it, or hidden as it was before the
  // panel had a search page (the earlier figures were measured so).
  program->Actions().Get(QStringLiteral("ToolButton12")).setChecked(leftPanel);
  for (int translation : translations) window.OpenTranslation(translation);
  QApplication::processEvents();
  const char* const places[] = {"Psalms 119:100", "John 3:16"};
  int turn = 0;
  for (auto _ : state) {
    program->Navigator().GoToReference(places[turn++ % 2]);
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
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt"})) {
    state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
    return;
  }
  const bench::TRuntimeSetup setup = KingJamesThreeTimes();
  MeasureMoves(state, setup.Path(), {6, 9, 8});
}
BENCHMARK(BM_MoveWithThreeWindows)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MoveWithThreeWindowsPanelHidden(benchmark::State& state) {
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt"})) {
    state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
    return;
  }
  const bench::TRuntimeSetup setup = KingJamesThreeTimes();
  MeasureMoves(state, setup.Path(), {6, 9, 8}, false);
}
BENCHMARK(BM_MoveWithThreeWindowsPanelHidden)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The windows of the first run: the King James, the Russian Synodal (run on)
// and the Greek New Testament, each its own module in its own numbering.
void BM_MoveWithFirstRunWindows(benchmark::State& state) {
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt", "RU/BibleTitles.txt", "Gr/BibleTitles.txt"})) {
    state.SkipWithError("the texts are not built: run make data, or pass --runtime DIR");
    return;
  }
  const bench::TRuntimeSetup setup("bench-first", {{"KJVSN", "KJVSN"}, {"RU", "RU"}, {"Gr", "Gr"}});
  // The King James last, so that it is the active window whose book names
  // the references are read with; the Greek window empties at Psalm 119.
  MeasureMoves(state, setup.Path(), {10, 6, 8});
}
BENCHMARK(BM_MoveWithFirstRunWindows)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return lectora::bench::RunGuiBenchmarks(argc, argv); }
