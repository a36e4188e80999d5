// Benchmarks of the search panel on the real King James module (built by
// `make data`), in the real main window, offscreen:
// - Enter in the search box with `love` (about 280 verses, excerpts on)
//   until the verse list is filled and two Bible windows have been marked
//   and repainted. Target (median): under 20 ms.
// - ListBox2 filled with 3,000 references and scrolled through twenty
//   pages, each page painted. Target: under 15 ms.
// Usage: searchpanel_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "GuiBench.h"
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

using namespace lectora;

bool HaveKingJames(benchmark::State& state) {
  if (bench::RuntimeHas({"KJVSN/BibleTitles.txt"})) return true;
  state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
  return false;
}

// The program on `setup` with two King James windows at John 3:16 and the
// excerpts of option 12 on. Nothing of the run is written.
std::unique_ptr<TProgram> StartWithTwoWindows(const bench::TRuntimeSetup& setup) {
  std::unique_ptr<TProgram> program = bench::StartProgram(setup.Path());
  TLectora2Form1& window = program->Window();
  window.OpenTranslation(8);
  window.OpenTranslation(8);
  window.findChild<TOptionValues*>()->SetOption(TOptionValues::kTextFromVerse, true);
  program->Navigator().GoToReference("John 3:16");
  QApplication::processEvents();
  return program;
}

void BM_EnterInTheSearchBox(benchmark::State& state) {
  if (!HaveKingJames(state)) return;
  const bench::TRuntimeSetup setup("searchbench", {{"KJVSN", "KJVSN"}});
  auto program = StartWithTwoWindows(setup);
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
    // The windows' pending paints belong to the search too.
    QApplication::processEvents();
  }
  state.counters["verses"] = list->model()->rowCount();
  state.counters["windows"] = static_cast<double>(window.BibleWindows().size());
}
BENCHMARK(BM_EnterInTheSearchBox)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FillAndScrollThreeThousandReferences(benchmark::State& state) {
  if (!HaveKingJames(state)) return;
  const bench::TRuntimeSetup setup("searchbench", {{"KJVSN", "KJVSN"}});
  auto program = StartWithTwoWindows(setup);
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

int main(int argc, char** argv) { return lectora::bench::RunGuiBenchmarks(argc, argv); }
