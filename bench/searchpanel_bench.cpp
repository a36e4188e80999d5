// Benchmarks of the search panel on the real King James module (built by
// `make data`), in the real main window, offscreen:
// - Enter in the search box with `love` (about 280 verses, excerpts on)
//   until the verse list is filled and two Bible windows have been marked
//   and repainted. Target (median): under 20 ms.
// - ListBox2 filled with 3,000 references and scrolled through twenty
//   pages, each page painted. Target: under 15 ms.
// Usage: searchpanel_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QAbstractItemModel>
#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"
#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/CDEdit.h"
#include "display/LargeListBox.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "tools/search/SearchService.h"
#include "tools/search/VerseListModel.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

std::string runtimeDir = "build/run";

// A setup folder with the King James module of the runtime folder, linked.
class TBenchSetup {
 public:
  TBenchSetup() {
    root_ = fs::temp_directory_path() / ("lectora-searchbench-" + std::to_string(::getpid()));
    fs::create_directories(root_);
    const fs::path runtime = fs::absolute(runtimeDir);
    for (const char* file : {"BibleStructure.txt", "Abrevs.txt"}) {
      fs::copy_file(runtime / file, root_ / file, fs::copy_options::overwrite_existing);
    }
    fs::create_directory_symlink(runtime / "KJVSN", root_ / "KJVSN");
  }
  ~TBenchSetup() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  std::string Path() const { return root_.string() + "/"; }

 private:
  fs::path root_;
};

bool HaveKingJames(benchmark::State& state) {
  if (fs::exists(fs::path(runtimeDir) / "KJVSN" / "BibleTitles.txt")) return true;
  state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
  return false;
}

// The program on `setup` with two King James windows at John 3:16 and the
// excerpts of option 12 on. Nothing of the run is written.
std::unique_ptr<TProgram> StartProgram(const TBenchSetup& setup) {
  TProgram::TStartOptions options;
  options.SetupFolder = setup.Path();
  options.ConfigHome = setup.Path() + "config";
  options.ScriptedDialogs = true;
  options.ReadOnlySetup = true;
  auto program = std::make_unique<TProgram>(options);
  TLectora2Form1& window = program->Window();
  window.resize(1200, 800);
  window.show();
  window.FormShow();
  window.OpenTranslation(8);
  window.OpenTranslation(8);
  window.findChild<TOptionValues*>()->SetOption(TOptionValues::kTextFromVerse, true);
  program->Navigator().GoToReference("John 3:16");
  QApplication::processEvents();
  return program;
}

void BM_EnterInTheSearchBox(benchmark::State& state) {
  if (!HaveKingJames(state)) return;
  TBenchSetup setup;
  auto program = StartProgram(setup);
  TLectora2Form1& window = program->Window();
  auto* box = window.findChild<TLargeListBox*>(QStringLiteral("LargeListBox1"));
  auto* list = window.findChild<QListView*>(QStringLiteral("ListBox2"));
  TCDEdit* edit = box->ComboBox()->Edit();
  for (auto _ : state) {
    box->ComboBox()->SetTextQuiet("love");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(edit, &enter);
    list->repaint();
    for (TBibleForm1* bibleWindow : window.BibleWindows()) {
      benchmark::DoNotOptimize(bibleWindow->BRichEdit1->BoxCount());
    }
  }
  state.counters["verses"] = list->model()->rowCount();
  state.counters["windows"] = static_cast<double>(window.BibleWindows().size());
}
BENCHMARK(BM_EnterInTheSearchBox)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FillAndScrollThreeThousandReferences(benchmark::State& state) {
  if (!HaveKingJames(state)) return;
  TBenchSetup setup;
  auto program = StartProgram(setup);
  TLectora2Form1& window = program->Window();
  auto* list = window.findChild<QListView*>(QStringLiteral("ListBox2"));
  auto* model = qobject_cast<TVerseListModel*>(list->model());
  const TBible& bible = *program->Active().Bible();
  const int step = std::max(1, bible.VerseTotal / 3000);
  for (auto _ : state) {
    // What ShowList does for a list without excerpts, then twenty pages.
    std::vector<std::string> lines(3000);
    for (int i = 0; i < 3000; ++i) bible.ReferenceText(1 + i * step, false, lines[i]);
    model->SetLines(lines, bible.Language.Charset());
    list->repaint();
    QScrollBar* bar = list->verticalScrollBar();
    for (int page = 1; page <= 20; ++page) {
      bar->setValue(page * bar->maximum() / 20);
      list->repaint();
    }
  }
  state.counters["rows"] = model->rowCount();
}
BENCHMARK(BM_FillAndScrollThreeThousandReferences)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
