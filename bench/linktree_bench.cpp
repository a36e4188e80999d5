// Benchmark of the user link tree with 5,000 nodes (folders of ten links,
// three levels, Cyrillic captions and long links): reading "LinkTree.txt"
// into the tree control as the program does at start (file, parse,
// widget items), and the parse alone. Target (median): loading under 50 ms.
// Usage: linktree_bench [benchmark options]
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "store/AtomicFile.h"
#include "store/LinkTreeFile.h"
#include "tools/links/LinkOutline.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

constexpr int kNodes = 5000;

std::vector<TLinkTreeNode> Tree() {
  std::vector<TLinkTreeNode> nodes;
  for (int i = 0; static_cast<int>(nodes.size()) < kNodes; ++i) {
    nodes.push_back({1, "Папка " + std::to_string(i), ""});
    for (int j = 0; j < 10 && static_cast<int>(nodes.size()) < kNodes; ++j) {
      nodes.push_back({2, "Връзка " + std::to_string(j), ""});
      nodes.push_back({3, "Глава " + std::to_string(j),
                       "https://example.org/library/book-" + std::to_string(i) + "/chapter-" +
                           std::to_string(j) + ".html"});
    }
  }
  nodes.resize(kNodes);
  return nodes;
}

// The file, written once into a temporary folder removed at exit.
class TTreeFile {
 public:
  TTreeFile() {
    folder_ = fs::temp_directory_path() / ("lectora-linktree-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    Name = (folder_ / "LinkTree.txt").string();
    Bytes = FormatLinkTree(Tree());
    WriteFileAtomically(Name, Bytes);
  }
  ~TTreeFile() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Name;
  std::string Bytes;

 private:
  fs::path folder_;
};

TTreeFile& File() {
  static TTreeFile file;
  return file;
}

void BM_LoadLinkTree(benchmark::State& state) {
  TLinkOutline tree;
  tree.resize(300, 600);
  tree.show();
  for (auto _ : state) {
    tree.LoadFromFile(File().Name);
    QApplication::processEvents();
    if (tree.topLevelItemCount() == 0) state.SkipWithError("empty tree");
  }
  state.counters["nodes"] = static_cast<double>(tree.ItemCount());
}
BENCHMARK(BM_LoadLinkTree)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_ParseLinkTree(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseLinkTree(File().Bytes));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * File().Bytes.size()));
}
BENCHMARK(BM_ParseLinkTree)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
