// Benchmarks of the Bible text store on a generated Bible-size module:
// compiling it, reading the 176 verses of its longest chapter, and parsing
// a typed and a misspelled reference. They print figures; they do not pass
// or fail. Targets: compile < 3 s, the chapter < 1 ms, a reference < 20 µs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "BibleSourceGenerator.h"
#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/StoreSession.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

constexpr int kKjvTranslation = 8;  // folder "KJVSN", language 5

// A temporary setup folder holding the generated source, the shared files
// and the compiled module; removed at exit.
class TBenchSetup {
 public:
  TBenchSetup() {
    std::random_device random;
    do {
      root_ = fs::temp_directory_path() / ("lectora-bench-" + std::to_string(random()));
    } while (!fs::create_directory(root_));
    fs::create_directories(root_ / "source");
    fs::create_directories(root_ / "config");
    Source = bench::GenerateBibleSource((root_ / "source").string());
    for (const char* name : {"BibleStructure.txt", "Abrevs.txt"}) {
      fs::copy_file(fs::path(LECTORA_SOURCE_DIR) / "data" / name, root_ / name);
    }
    TModuleCompiler::Compile(SourceDir(), (root_ / "KJVSN").string(), 5, false);

    TStoreSessionOptions options;
    options.SetupFolder = root_.string();
    options.ProgramName = "store_bench";
    options.ConfigHome = (root_ / "config").string();
    session_ = std::make_unique<TStoreSession>(options);
    Bible = &session_->Bibles().Open(kKjvTranslation);
  }
  ~TBenchSetup() {
    Bible = nullptr;
    session_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string SourceDir() const { return (root_ / "source").string(); }
  std::string ScratchModule() const { return (root_ / "scratch").string(); }

  bench::TGeneratedSource Source;
  TBible* Bible = nullptr;  // owned by the session

 private:
  fs::path root_;
  std::unique_ptr<TStoreSession> session_;
};

TBenchSetup& Setup() {
  static TBenchSetup setup;
  return setup;
}

void BM_CompileBible(benchmark::State& state) {
  TBenchSetup& setup = Setup();
  TModuleCompileReport report;
  for (auto _ : state) {
    report = TModuleCompiler::Compile(setup.SourceDir(), setup.ScratchModule(), 5, false);
  }
  state.counters["verses"] = report.VerseCount;
  state.counters["words"] = report.WordCount;
}
BENCHMARK(BM_CompileBible)->Unit(benchmark::kMillisecond);

void BM_ReadChapter176(benchmark::State& state) {
  const TBible& bible = *Setup().Bible;
  const int position = bible.BookPosition[22];
  std::string text;
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (int verse = 1; verse <= 176; ++verse) {
      bible.GetVerse(position, 118, verse, text);
      bytes += text.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["verses"] = 176;
}
BENCHMARK(BM_ReadChapter176)->Unit(benchmark::kMicrosecond);

void ParseReference(benchmark::State& state, const char* typed) {
  const TBible& bible = *Setup().Bible;
  const std::string text = typed;
  int position = 0, chapter = 0, verse = 0;
  for (auto _ : state) {
    const bool found = bible.ParseReference(text, position, chapter, verse);
    benchmark::DoNotOptimize(found);
  }
  if (position != bible.BookPosition[22] || chapter != 118 || verse != 12) {
    state.SkipWithError("the reference was not read as Psalms 118:12");
  }
}
BENCHMARK_CAPTURE(ParseReference, Abbreviation, "Ps 118:12")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ParseReference, MisspelledName, "Psalmz 118:12")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
