// Benchmarks of the word search on a generated Bible-size module: queries
// answered from the concordance alone, queries whose word order reads verse
// texts, and the first 100 result lines with their excerpts. The words are
// picked from the module's own concordance (the most frequent ones and a
// rare one), so the figures do not depend on the generator's vocabulary.
// They print figures; they do not pass or fail. Targets (medians):
// concordance-only queries < 0.2 ms, word order or a phrase < 5 ms, 100
// result lines < 5 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "BibleSourceGenerator.h"
#include "modules/ModuleCompiler.h"
#include "search/QueryParser.h"
#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/StoreSession.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

constexpr int kKjvTranslation = 8;  // folder "KJVSN", language 5
constexpr int kFrequentWords = 4;

// A temporary setup folder holding the generated source and the compiled
// module; removed at exit.
class TBenchSetup {
 public:
  TBenchSetup() {
    std::random_device random;
    do {
      root_ = fs::temp_directory_path() / ("lectora-search-bench-" + std::to_string(random()));
    } while (!fs::create_directory(root_));
    fs::create_directories(root_ / "source");
    fs::create_directories(root_ / "config");
    bench::GenerateBibleSource((root_ / "source").string());
    for (const char* name : {"BibleStructure.txt", "Abrevs.txt"}) {
      fs::copy_file(fs::path(LECTORA_SOURCE_DIR) / "data" / name, root_ / name);
    }
    TModuleCompiler::Compile((root_ / "source").string(), (root_ / "KJVSN").string(), 5, false);

    TStoreSessionOptions options;
    options.SetupFolder = root_.string();
    options.ProgramName = "search_bench";
    options.ConfigHome = (root_ / "config").string();
    session_ = std::make_unique<TStoreSession>(options);
    Bible = &session_->Bibles().Open(kKjvTranslation);
    PickWords();
  }
  ~TBenchSetup() {
    Bible = nullptr;
    session_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  TBible* Bible = nullptr;            // owned by the session
  std::vector<std::string> Frequent;  // the most frequent words, most frequent first
  std::string Rare;                   // a word of a handful of verses

 private:
  void PickWords() {
    std::vector<std::pair<int, int>> byCount;  // (count, word index)
    byCount.reserve(static_cast<std::size_t>(Bible->WordCount()));
    for (int i = 0; i < Bible->WordCount(); ++i)
      byCount.emplace_back(Bible->ConcordanceCount(i), i);
    std::sort(byCount.begin(), byCount.end(), std::greater<>());
    for (int i = 0; i < kFrequentWords && i < static_cast<int>(byCount.size()); ++i) {
      Bible->WordAt(byCount[static_cast<std::size_t>(i)].second, Frequent.emplace_back());
    }
    for (const auto& [count, index] : byCount) {
      if (count <= 5) {
        Bible->WordAt(index, Rare);
        break;
      }
    }
  }

  fs::path root_;
  std::unique_ptr<TStoreSession> session_;
};

TBenchSetup& Setup() {
  static TBenchSetup setup;
  return setup;
}

void RunQuery(benchmark::State& state, const std::string& query, int wordOrder) {
  const TBible& bible = *Setup().Bible;
  TSearchContext search;
  search.WordOrder = wordOrder;
  std::size_t found = 0;
  for (auto _ : state) {
    std::unique_ptr<TSearchNode> root = BuildQuery(query, bible, search);
    found = root ? root->List->Count() : 0;
    benchmark::DoNotOptimize(found);
  }
  state.counters["verses"] = static_cast<double>(found);
  state.SetLabel(query);
}

void ResultLines100(benchmark::State& state, const std::string& query) {
  const TBible& bible = *Setup().Bible;
  TSearchContext search;
  const std::unique_ptr<TSearchNode> root = BuildQuery(query, bible, search);
  if (!root || root->List->Count() < 100) {
    state.SkipWithError("the query finds fewer than 100 verses");
    return;
  }
  std::string line;
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (int i = 1; i <= 100; ++i) {
      root->ResultLine(i, false, line);
      bytes += line.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetLabel(query);
}

void RegisterAll() {
  const TBenchSetup& setup = Setup();
  const std::vector<std::string>& w = setup.Frequent;
  const auto query = [](const char* name, const std::string& text, int wordOrder) {
    benchmark::RegisterBenchmark(name, RunQuery, text, wordOrder)->Unit(benchmark::kMicrosecond);
  };
  query("FrequentWord", w[0], 0);
  query("RareWord", setup.Rare, 0);
  query("AndAnywhere", w[0] + " " + w[1], 0);
  query("AndInOrder", w[0] + " " + w[1], 1);
  query("AndAsPhrase", w[0] + " " + w[1], 2);
  query("OrOfThree", w[0] + "/" + w[1] + "/" + w[2], 0);
  query("Without", w[0] + "_" + w[1], 0);
  query("Brackets", "(" + w[1] + "/" + w[2] + ")_" + w[3], 0);
  query("QuotedPhraseOfFour", "\"" + w[0] + " " + w[1] + " " + w[2] + " " + w[3] + "\"", 0);
  benchmark::RegisterBenchmark("ResultLines100", ResultLines100, w[0])
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
