// Benchmarks of the options dialog and the interface languages on the real
// program with three King James windows: opening the options dialog (laid
// out and painted), and switching the interface language while the options
// and range dialogs are open, until every caption is replaced.
// Targets (median, offscreen): under 50 ms each.
// Usage: options_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"
#include "settings/OptionValues.h"
#include "tools/options/Options.h"
#include "tools/range/RangeForm1.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

std::string runtimeDir = "build/run";
constexpr int kKingJames = 8;

// A setup folder with the runtime's data, the language folders and the King
// James module; removed at the end.
class TBenchSetup {
 public:
  TBenchSetup()
      : root_(fs::temp_directory_path() / ("lectora-options-" + std::to_string(::getpid()))) {
    const fs::path runtime = fs::absolute(runtimeDir);
    fs::create_directories(root_);
    for (const char* file : {"BibleStructure.txt", "Abrevs.txt"}) {
      fs::copy_file(runtime / file, root_ / file);
    }
    for (const char* folder : {"KJVSN", "Bulgarian", "English", "Macedonian"}) {
      fs::create_directory_symlink(runtime / folder, root_ / folder);
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

// Runs `measure` on a started program with three King James windows.
template <typename Measure>
void WithProgram(benchmark::State& state, Measure measure) {
  const fs::path runtime = fs::absolute(runtimeDir);
  if (!fs::exists(runtime / "KJVSN" / "BibleTitles.txt") || !fs::exists(runtime / "English")) {
    state.SkipWithError("no King James module or languages: run make data, or pass --runtime DIR");
    return;
  }
  TBenchSetup setup;
  TProgram::TStartOptions options;
  options.SetupFolder = setup.Path();
  options.ConfigHome = setup.Path() + "config";
  options.ScriptedDialogs = true;
  options.ReadOnlySetup = true;
  TProgram program(options);
  TLectora2Form1& window = program.Window();
  window.resize(1200, 800);
  window.show();
  window.FormShow();
  for (int i = 0; i < 3; ++i) window.OpenTranslation(kKingJames);
  QApplication::processEvents();
  measure(program, *window.findChild<TOptions*>());
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
