// libFuzzer target of the word-search query language: any bytes are parsed
// against a small compiled module, the result list is checked to be sorted
// and the query text and result lines are written. The first byte chooses
// the word order (0..2) and whether Exodus is left out of the range; the
// rest is the query. A crash, a sanitizer report or a broken list is a
// finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "modules/ModuleCompiler.h"
#include "search/QueryParser.h"
#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/StoreSession.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

constexpr int kEnglish = 9;  // folder "ASV", language 5
constexpr int kExodus = 2;

// The module every input is searched in, compiled once into a temporary
// setup folder that is removed at exit.
class TFuzzModule {
 public:
  TFuzzModule() {
    std::random_device random;
    do {
      root_ = fs::temp_directory_path() / ("lectora-query-fuzz-" + std::to_string(random()));
    } while (!fs::create_directory(root_));
    TModuleCompiler::Compile((fs::path(LECTORA_SOURCE_DIR) / "tests/data/search-en").string(),
                             (root_ / "ASV").string(), 5, false);
    // One chapter of 30 verses per book, and no abbreviations.
    std::ofstream standard(root_ / "BibleStructure.txt");
    for (int b = 1; b <= TStandardStructure::kBooks; ++b) standard << "1 30\n";
    standard.close();
    std::ofstream(root_ / "Abrevs.txt").close();
    TStoreSessionOptions options;
    options.SetupFolder = root_.string();
    options.ProgramName = "query_fuzz";
    options.ConfigHome = (root_ / "config").string();
    session_ = std::make_unique<TStoreSession>(options);
    Bible = &session_->Bibles().Open(kEnglish);
    if (!Bible->Loaded()) std::abort();
  }
  ~TFuzzModule() {
    Bible = nullptr;
    session_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  TBible* Bible = nullptr;  // owned by the session

 private:
  fs::path root_;
  std::unique_ptr<TStoreSession> session_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TFuzzModule module;
  if (size == 0) return 0;
  TSearchContext search;
  search.WordOrder = data[0] % 3;
  search.SelectedBooks[kExodus] = (data[0] & 4) == 0;
  const std::string_view query(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::unique_ptr<TSearchNode> root = BuildQuery(query, *module.Bible, search);
  if (!root) return 0;
  const auto& items = root->List->Items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] < 1 || items[i] > module.Bible->VerseTotal) std::abort();
    if (i > 0 && items[i - 1] >= items[i]) std::abort();
    if (!search.SelectedBooks[kExodus] && (items[i] == 9 || items[i] == 10)) std::abort();
  }
  std::string text;
  root->QueryText(text);
  for (std::size_t i = 1; i <= items.size(); ++i) {
    root->ResultLine(static_cast<int>(i), (data[0] & 8) != 0, text);
    if (text.empty()) std::abort();
  }
  return 0;
}
