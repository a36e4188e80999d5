// Benchmark of opening the range dialog from the menu bar's Range1 command
// with a 66-book module active: the list rebuilt from the stored range,
// the selector set, the dialog laid out and painted, then closed again.
// The module is made up by BibleSourceGenerator and compiled once.
// Target (median, offscreen): under 30 ms.
// Usage: range_bench [benchmark options]
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <filesystem>
#include <memory>
#include <string>

#include "BibleSourceGenerator.h"
#include "GuiBench.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"
#include "modules/ModuleCompiler.h"
#include "tools/range/RangeForm1.h"

#ifndef LECTORA_SOURCE_DIR
#error "LECTORA_SOURCE_DIR must name the source folder"
#endif

namespace {

namespace fs = std::filesystem;
using namespace lectora;

constexpr int kEnglish = 9;  // "ASV", language 5

void BM_OpenRangeDialog(benchmark::State& state) {
  const fs::path root =
      fs::temp_directory_path() / ("lectora-range-bench-" + std::to_string(::getpid()));
  fs::create_directories(root / "source");
  for (const char* file : {"BibleStructure.txt", "Abrevs.txt"}) {
    fs::copy_file(fs::path(LECTORA_SOURCE_DIR) / "data" / file, root / file);
  }
  const bench::TGeneratedSource source = bench::GenerateBibleSource((root / "source").string());
  TModuleCompiler::Compile((root / "source").string() + "/", (root / "ASV").string(), 5, false);
  {
    const std::unique_ptr<TProgram> started = bench::StartProgram(root.string() + "/");
    TProgram& program = *started;
    TLectora2Form1& window = program.Window();
    window.OpenTranslation(kEnglish);
    QApplication::processEvents();
    QAction& range1 = program.Actions().Get(QStringLiteral("Range1"));
    TRangeForm1& dialog = program.RangeDialog();
    for (auto _ : state) {
      range1.trigger();
      dialog.repaint();
      benchmark::DoNotOptimize(dialog.CheckListBox1()->count());
      dialog.reject();
    }
    state.counters["books"] = dialog.CheckListBox1()->count();
    state.counters["generated"] = source.Books;
  }
  std::error_code ignored;
  fs::remove_all(root, ignored);
}
BENCHMARK(BM_OpenRangeDialog)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return lectora::bench::RunGuiBenchmarks(argc, argv); }
