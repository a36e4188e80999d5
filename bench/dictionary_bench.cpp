// Benchmark of the dictionary window on the two shipped dictionaries
// (Strong's and Nave's, built by `make data`), in the real program,
// offscreen: LookUpWord from the call until the explanation is painted,
// alternating a Strong's number and a Nave's topic so that every look-up
// switches the dictionary; and a headword typed letter by letter into the
// list's edit field, each key until the list and the explanation are
// painted. Targets (median): under 5 ms each.
// Usage: dictionary_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/Program.h"
#include "display/BibleComboBox.h"
#include "display/BibleRichEdit1.h"
#include "display/LargeListBox.h"
#include "mainwindow/Lectora2Form1.h"
#include "tools/dictionary/Dic_Form1.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

std::string runtimeDir = "build/run";

// A setup folder with the runtime folder's dictionaries, linked.
class TBenchSetup {
 public:
  TBenchSetup() {
    root_ = fs::temp_directory_path() / ("lectora-dicbench-" + std::to_string(::getpid()));
    fs::create_directories(root_);
    const fs::path runtime = fs::absolute(runtimeDir);
    for (const char* file : {"BibleStructure.txt", "Abrevs.txt"}) {
      fs::copy_file(runtime / file, root_ / file, fs::copy_options::overwrite_existing);
    }
    fs::create_directory_symlink(runtime / "Dictionaries", root_ / "Dictionaries");
  }
  ~TBenchSetup() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  TBenchSetup(const TBenchSetup&) = delete;
  TBenchSetup& operator=(const TBenchSetup&) = delete;
  std::string Path() const { return root_.string() + "/"; }

 private:
  fs::path root_;
};

bool HaveDictionaries(benchmark::State& state) {
  const fs::path folder = fs::path(runtimeDir) / "Dictionaries";
  if (fs::exists(folder / "Strong.ind") && fs::exists(folder / "Nave.ind")) return true;
  state.SkipWithError("no shipped dictionaries: run make data, or pass --runtime DIR");
  return false;
}

TProgram::TStartOptions StartOptions(const TBenchSetup& setup) {
  TProgram::TStartOptions options;
  options.SetupFolder = setup.Path();
  options.ConfigHome = setup.Path() + "config";
  options.ScriptedDialogs = true;
  options.ReadOnlySetup = true;
  return options;
}

void ShowMainWindow(TProgram& program) {
  program.Window().resize(1200, 800);
  program.Window().show();
  program.Window().FormShow();
}

void BM_LookUpWordAcrossTheShippedDictionaries(benchmark::State& state) {
  if (!HaveDictionaries(state)) return;
  TBenchSetup setup;
  TProgram program(StartOptions(setup));
  ShowMainWindow(program);
  TDic_Form1& dic = program.DictionaryWindow();
  dic.LookUpWord("7225");
  QApplication::processEvents();
  const char* words[] = {"7225", "AARON", "26", "LAMB"};
  std::size_t next = 0;
  std::int64_t explained = 0;
  for (auto _ : state) {
    dic.LookUpWord(words[next]);
    next = (next + 1) % std::size(words);
    if (dic.ExplanationCount() > 0) ++explained;
  }
  state.counters["dictionaries"] = dic.Catalogue().Count();
  state.counters["explained"] =
      benchmark::Counter(static_cast<double>(explained), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LookUpWordAcrossTheShippedDictionaries)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One key typed into the list's edit field, as the reader types: the list
// moves to the word, the explanation is read, and both are painted.
void BM_TypingAHeadwordLetterByLetter(benchmark::State& state) {
  if (!HaveDictionaries(state)) return;
  TBenchSetup setup;
  TProgram program(StartOptions(setup));
  ShowMainWindow(program);
  TDic_Form1& dic = program.DictionaryWindow();
  dic.LookUpWord("AARON");
  QApplication::processEvents();
  auto* edit = dic.findChild<TLargeListBox*>(QStringLiteral("LargeListBox1"))
                   ->ComboBox()
                   ->findChild<QLineEdit*>();
  if (edit == nullptr) {
    state.SkipWithError("the list has no edit field");
    return;
  }
  const std::string word = "JERUSALEM";
  std::size_t typed = word.size();
  std::int64_t explained = 0;
  for (auto _ : state) {
    if (typed == word.size()) {
      state.PauseTiming();
      edit->clear();
      QApplication::processEvents();
      typed = 0;
      state.ResumeTiming();
    }
    const QString key(QChar::fromLatin1(word[typed++]));
    QKeyEvent press(QEvent::KeyPress, key.at(0).unicode(), Qt::NoModifier, key);
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key.at(0).unicode(), Qt::NoModifier, key);
    QApplication::sendEvent(edit, &release);
    QApplication::processEvents();
    if (dic.ExplanationCount() > 0) ++explained;
  }
  state.counters["explained"] =
      benchmark::Counter(static_cast<double>(explained), benchmark::Counter::kAvgIterations);
  state.SetLabel(edit->text().toStdString() + " / " + dic.windowTitle().toStdString());
}
BENCHMARK(BM_TypingAHeadwordLetterByLetter)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
