// Benchmarks of the history controls: one scroll step of the large list box
// over a 12,000-word source (the rows fetch only what fits), and adding a
// visit to a history list of 1,000 entries. They print figures; they do not
// pass or fail. Targets (medians): a scroll step < 1 ms, an Add < 100 us.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/BibleComboBox.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "search/LargeStringList.h"

namespace {

using namespace lectora;

// A sorted in-memory word list standing in for a concordance.
class TMemoryWordList : public TLargeStringList {
 public:
  explicit TMemoryWordList(int count) {
    for (int i = 0; i < count; ++i) {
      char word[24];
      std::snprintf(word, sizeof word, "word%06d", i);
      words_.emplace_back(word);
    }
  }
  std::int32_t Count() const override { return static_cast<std::int32_t>(words_.size()); }
  void Get(std::int32_t index, std::string& text) const override {
    text = index >= 0 && index < Count() ? words_[index] + " 12" : std::string();
  }
  std::int32_t IndexOf(const std::string& text) const override {
    return static_cast<std::int32_t>(std::lower_bound(words_.begin(), words_.end(), text) -
                                     words_.begin());
  }
  void Key(std::int32_t index, std::string& text) const override {
    text = index >= 0 && index < Count() ? words_[index] : std::string();
  }

 private:
  std::vector<std::string> words_;
};

// state.range(0) = 1: the rows are also painted at once, as the screen would.
void BM_LargeListBoxScrollStep(benchmark::State& state) {
  const bool paint = state.range(0) != 0;
  THistoryContext context;
  TMemoryWordList words(12000);
  TLargeListBox box(context);
  box.resize(220, 600);
  box.show();
  QApplication::processEvents();
  box.SetList(&words);
  const int maximum = std::max(1, box.ScrollBar()->maximum());
  int position = 0;
  for (auto _ : state) {
    position = position + 1 > maximum ? 0 : position + 1;
    box.ScrollBar()->setValue(position);
    if (paint) box.RowList()->viewport()->repaint();
    benchmark::DoNotOptimize(box.TopIndex());
  }
  state.counters["rows"] = box.RowList()->count();
}
BENCHMARK(BM_LargeListBoxScrollStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_BibleComboBoxAdd(benchmark::State& state) {
  THistoryContext context;
  TBibleComboBox box(context);
  const int entries = 1000;
  for (int i = 0; i < entries; ++i) {
    box.Add(static_cast<std::uint16_t>(i + 1), "Reference " + std::to_string(i), 45000.0 + i);
  }
  std::vector<std::string> texts;
  for (int i = 0; i < entries; ++i) texts.push_back("Reference " + std::to_string(i));
  double time = 46000;
  int next = 0;
  // Revisits in time order: each one moves an entry from somewhere in the
  // list to its end, the common case of the verse history.
  for (auto _ : state) {
    box.Add(static_cast<std::uint16_t>(next + 1), texts[static_cast<std::size_t>(next)], time);
    time += 0.001;
    next = (next + 7) % entries;
  }
  state.counters["entries"] = box.Count();
}
BENCHMARK(BM_BibleComboBoxAdd)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
