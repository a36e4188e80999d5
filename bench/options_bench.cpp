// Benchmarks of the options dialog and the interface languages on the real
// program with three King James windows: opening the options dialog (laid
// out and painted), and switching the interface language while the options
// and range dialogs are open, until every caption is replaced.
// Targets (median, offscreen): under 50 ms each.
// Usage: options_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "GuiBench.h"
#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"
#include "settings/OptionValues.h"
#include "tools/options/Options.h"
#include "tools/range/RangeForm1.h"

namespace {

using namespace lectora;

constexpr int kKingJames = 8;

// Runs `measure` on a started program with three King James windows.
template <typename Measure>
void WithProgram(benchmark::State& state, Measure measure) {
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt", "English"})) {
    state.SkipWithError("no King James module or languages: run make data, or pass --runtime DIR");
    return;
  }
  const bench::TRuntimeSetup setup("options", {{"KJVSN", "KJVSN"},
                                               {"Bulgarian", "Bulgarian"},
                                               {"English", "English"},
                                               {"Macedonian", "Macedonian"}});
  const std::unique_ptr<TProgram> program = bench::StartProgram(setup.Path());
  TLectora2Form1& window = program->Window();
  for (int i = 0; i < 3; ++i) window.OpenTranslation(kKingJames);
  QApplication::processEvents();
  measure(*program, *window.findChild<TOptions*>());
}

void BM_OpenOptionsDialog(benchmark::State& state) {
  WithProgram(state, [&state](TProgram&, TOptions& dialog) {
    for (auto _ : state) {
      dialog.Prepare();
      dialog.repaint();
      dialog.reject();
    }
  });
}
BENCHMARK(BM_OpenOptionsDialog)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SwitchLanguageWithDialogsOpen(benchmark::State& state) {
  WithProgram(state, [&state](TProgram& program, TOptions& dialog) {
    dialog.Prepare();
    program.RangeDialog().ShowRange();
    int language = 0;
    for (auto _ : state) {
      language = language == 1 ? 2 : 1;  // English and Macedonian in turn
      program.Options().SetLanguage(language);
    }
    program.RangeDialog().reject();
    dialog.reject();
  });
}
BENCHMARK(BM_SwitchLanguageWithDialogsOpen)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return lectora::bench::RunGuiBenchmarks(argc, argv); }
