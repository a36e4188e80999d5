// The translations `make data` builds, read back from the runtime folder
// (LECTORA_RUNTIME_DIR, else build/run/ of the source tree): word lists in
// the order of their alphabets, searches typed on a US keyboard layout, and
// a chapter of the run-on Russian text. Skipped when the texts are not
// built.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "modules/CliSearchCommands.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/KeyboardLayoutQuery.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "store/StoreContext.h"
#include "store/TranslationTable.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

constexpr int kSerbian = 5;
constexpr int kRussian = 6;
constexpr int kGreek = 10;

std::string RuntimeDir() {
  const char* dir = std::getenv("LECTORA_RUNTIME_DIR");
  std::string path = dir != nullptr && *dir != '\0' ? dir : test::SourceDir() + "build/run";
  if (path.back() != '/') path += '/';
  return path;
}

class USLayout : public IKeyboardLayoutQuery {
 public:
  std::optional<std::uint32_t> ActiveLayout() const override { return 0x04090409; }
};

class ShippedTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runtime_ = RuntimeDir();
    for (const char* folder : {"RU", "Srb", "Gr"}) {
      if (!std::filesystem::exists(runtime_ + folder + "/BibleTitles.txt")) {
        GTEST_SKIP() << "the texts are not built (make data)";
      }
    }
    // Read-only: the runtime folder's settings file stays as it is.
    settings_ = std::make_unique<TSettings>(runtime_, "lectora", config_.File("config"), true);
    standard_.Load(runtime_, nullptr);
    context_.Settings = settings_.get();
    context_.Standard = &standard_;
    context_.Messages = &messages_;
  }

  std::unique_ptr<TBible> Open(int translation) {
    auto bible = std::make_unique<TBible>(translation, context_);
    EXPECT_TRUE(bible->Loaded()) << "translation " << translation;
    return bible;
  }

  static std::string Word(const TBible& bible, int index) {
    std::string word;
    bible.WordAt(index, word);
    return CodePageToUtf8(word, bible.Language.CodePage());
  }

  // The verse count of a search for `utf8`.
  static std::string SearchCount(const TBible& bible, const std::string& utf8) {
    TSearchCommandOptions options;
    options.Arguments = {utf8};
    std::ostringstream out;
    RunSearchCommand(bible, options, out);
    std::istringstream lines(out.str());
    std::string line;
    while (std::getline(lines, line)) {
      if (line.rfind("Verses: ", 0) == 0) return line.substr(8);
    }
    return "";
  }

  std::string runtime_;
  test::TempDir config_;
  std::unique_ptr<TSettings> settings_;
  TStandardStructure standard_;
  test::RecordingMessages messages_;
  TStoreContext context_;
};

TEST_F(ShippedTextsTest, WordListsFollowTheirAlphabets) {
  struct Case {
    int translation;
    std::string first, last;
    std::vector<std::string> run;  // consecutive words somewhere inside
  };
  const std::vector<Case> cases = {
      {kRussian, "а", "ящике", {"жизнь", "жизнью", "жил"}},
      // Serbian љ after л, ш last.
      {kSerbian, "а", "шчињати", {"љубав", "љубави", "љубављу"}},
      // The Greek list starts with the Strong's numbers (digits sort
      // before letters) and ends with ω.
      {kGreek, "1", "ωφθησαν", {"αγαπη", "αγαπηθησεται", "αγαπην"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("translation " + std::to_string(c.translation));
    const std::unique_ptr<TBible> bible = Open(c.translation);
    const int count = bible->WordCount();
    ASSERT_GT(count, 1000);
    EXPECT_EQ(Word(*bible, 0), c.first);
    EXPECT_EQ(Word(*bible, count - 1), c.last);
    std::string word;
    std::string wanted;
    ASSERT_TRUE(Utf8ToCodePage(c.run[0], bible->Language.CodePage(), wanted));
    const int at = bible->FindWord(wanted);
    for (std::size_t i = 0; i < c.run.size(); ++i) {
      EXPECT_EQ(Word(*bible, at + static_cast<int>(i)), c.run[i]);
    }
    // The whole list ascends by the language's collation. (Equal neighbours
    // occur in Serbian only: the fixed case table leaves Ђ and Ћ, so
    // "Ђаво" and "ђаво" are two entries of equal weight.)
    std::string previous, current;
    bible->WordAt(0, previous);
    for (int i = 1; i < count; ++i) {
      bible->WordAt(i, current);
      ASSERT_LE(bible->Language.Compare(previous, current), 0)
          << Word(*bible, i - 1) << " before " << Word(*bible, i);
      previous = current;
    }
  }
}

TEST_F(ShippedTextsTest, CyrillicSearchTypedOnAUSLayout) {
  struct Case {
    int translation;
    std::string keys;  // as typed on the US layout
    std::string word;
    std::string verses;
  };
  const std::vector<Case> cases = {
      {kRussian, "k.,jdm", "любовь", "65"},
      // Serbian љ is on the key of q, у on u.
      {kSerbian, "qubav", "љубав", "104"},
  };
  const USLayout us;
  for (const Case& c : cases) {
    const std::unique_ptr<TBible> bible = Open(c.translation);
    std::string typed = c.keys;
    for (char& key : typed) bible->Language.TranslateKey(key, &us);
    const std::string utf8 = CodePageToUtf8(typed, bible->Language.CodePage());
    EXPECT_EQ(utf8, c.word);
    EXPECT_EQ(SearchCount(*bible, utf8), c.verses) << c.word;
  }
}

TEST_F(ShippedTextsTest, GreekSearchWithOrWithoutAccents) {
  const std::unique_ptr<TBible> bible = Open(kGreek);
  for (const char* word : {"ἀγάπη", "αγάπη", "αγαπη", "ΑΓΑΠΗ"}) {
    EXPECT_EQ(SearchCount(*bible, word), "56") << word;
  }
}

TEST_F(ShippedTextsTest, ARunOnRussianChapterReadsVerseByVerse) {
  EXPECT_TRUE(TranslationInfo(kRussian).RunOn);
  const std::unique_ptr<TBible> bible = Open(kRussian);
  constexpr int kJohn = 54;
  const int position = bible->BookPosition[kJohn];
  ASSERT_GT(position, 0);
  const auto& counts = bible->Books[kJohn].VerseCounts;
  ASSERT_GE(counts.size(), 3u);
  EXPECT_EQ(counts[2], 36);
  const int first = bible->VerseNumber(position, 3, 1);
  std::string text;
  for (int v = 1; v <= counts[2]; ++v) {
    bible->ReadVerse(first + v - 1, text);
    EXPECT_FALSE(text.empty()) << "John 3:" << v;
  }
  bible->ReadVerse(first + 15, text);
  EXPECT_EQ(CodePageToUtf8(text, 1251).rfind("Ибо так возлюбил Бог мир", 0), 0u);
  bible->ReadVerse(first + 35, text);
  EXPECT_EQ(CodePageToUtf8(text, 1251).rfind("Верующий в Сына имеет жизнь вечную", 0), 0u);
}

}  // namespace
}  // namespace lectora
