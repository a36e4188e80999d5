#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "modules/ModuleCompiler.h"
#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"
#include "store/StandardStructure.h"
#include "store/VerseList.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using Verses = std::vector<std::uint16_t>;

constexpr int kBulgarian = 0;  // "ORT\", language 0, Windows-1251
constexpr int kEnglish = 9;    // "ASV\", language 5, Windows-1252

// search-en: Genesis 1:1-8 are verses 1-8, Exodus 1:1-2 are 9-10, Psalms
// 1:1-3 are 11-13.
class BibleSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TModuleCompiler::Compile(test::TestDataDir() + "search-en", dir_.File("ASV"), 5, false);
    TModuleCompiler::Compile(test::TestDataDir() + "search-bg", dir_.File("ORT"), 0, false);
    session_ = test::OpenStoreSession(dir_, test::PlainStandardText());
    english_ = std::make_unique<TBible>(kEnglish, session_->Context());
    bulgarian_ = std::make_unique<TBible>(kBulgarian, session_->Context());
    ASSERT_TRUE(english_->Loaded());
    ASSERT_TRUE(bulgarian_->Loaded());
  }

  static VerseListPtr List(const Verses& verses) {
    VerseListPtr list = NewVerseList();
    list->Items = verses;
    return list;
  }

  Verses Filter(const std::vector<std::string>& words, int mode, const Verses& verses) {
    TSearchContext search;
    search.SearchWords = words;
    VerseListPtr list = List(verses);
    english_->PhraseFilter(list, mode, search);
    return list->Items;
  }

  test::TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
  std::unique_ptr<TBible> english_;
  std::unique_ptr<TBible> bulgarian_;
};

std::string Cp1251(const std::string& utf8) {
  std::string text;
  EXPECT_TRUE(Utf8ToCodePage(utf8, 1251, text)) << utf8;
  return text;
}

TEST_F(BibleSearchTest, FindWholeWordAtTheEdgesOfTheText) {
  const struct {
    const char* word;
    const char* text;
    int english;
  } cases[] = {
      {"sun", "sun", 1},     {"sun", "the sun", 5},   {"sun", "sun.", 1}, {"sun", "sunny sun", 7},
      {"sun", "sunsun", 0},  {"sun", "unsun sun", 7}, {"aa", "aaa", 0},   {"aa", "aaa aa", 5},
      {"sun", "1sun2", 2},  // digits are no letters
      {"sunny", "sun", 0},   {"sun", "", 0},          {"", "sun", 0},     {"", "", 0},
      {"sun", "\xE0sun", 2},  // a Cyrillic letter is no English letter
  };
  for (const auto& c : cases) {
    EXPECT_EQ(english_->FindWholeWord(c.word, c.text), c.english) << c.word << " in " << c.text;
  }
  EXPECT_EQ(bulgarian_->FindWholeWord("sun", "\xE0sun"), 0);
  EXPECT_EQ(bulgarian_->FindWholeWord("sun", "sunny sun"), 1);  // Latin is no Bulgarian letter
  EXPECT_EQ(bulgarian_->FindWholeWord(Cp1251("бог"), Cp1251("бога и бог")), 8);
}

TEST_F(BibleSearchTest, PhraseFilterFollowsTheWordOrder) {
  const Verses bothWords = {1, 2, 3, 4, 5, 8, 9, 13};
  const struct {
    const char* name;
    std::vector<std::string> words;
    int mode;
    Verses in;
    Verses out;
  } cases[] = {
      {"anywhere", {"sun", "moon"}, 0, bothWords, bothWords},
      {"one word", {"sun"}, 2, bothWords, bothWords},
      {"unknown mode", {"sun", "moon"}, 7, bothWords, bothWords},
      {"in order", {"sun", "moon"}, 1, bothWords, {1, 3, 4, 5, 8, 9, 13}},
      {"as a phrase", {"sun", "moon"}, 2, bothWords, {3, 4, 5, 8}},
      {"three in order", {"sun", "moon", "stars"}, 1, {1, 3, 5, 8, 13}, {3, 5, 8, 13}},
      {"three as a phrase", {"sun", "moon", "and"}, 2, {1, 3, 5, 8, 13}, {3, 5, 8}},
      {"first word missing", {"king", "sun", "moon"}, 2, {3, 8}, {8}},
      {"first word missing in order", {"king", "moon"}, 1, {3, 8}, {8}},
      {"word must end", {"sun", "moo"}, 2, {4}, {}},
      {"word must end in order", {"sun", "moo"}, 1, {4}, {}},
      {"verse text is lower-cased", {"the", "sun"}, 2, {1, 2}, {1, 2}},
      {"markup is not removed", {"the", "sun"}, 2, {10}, {10}},
      {"a verse outside the module", {"sun", "moon"}, 1, {3, 500}, {3}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Filter(c.words, c.mode, c.in), c.out) << c.name;
  }
}

// Serbian letters lie all over Windows-1251, Љ/љ and Ј/ј among the bytes
// 0x80..0xBF; each verse reads only as a phrase once lower-cased.
TEST_F(BibleSearchTest, PhraseFilterLowerCasesEveryLetterOfTheCodePage) {
  constexpr int kSerbian = 5;  // "Srb\", language 2
  TModuleCompiler::Compile(test::TestDataDir() + "search-sr", dir_.File("Srb"), 2, false);
  TBible serbian(kSerbian, session_->Context());
  ASSERT_TRUE(serbian.Loaded());
  const struct {
    const char* words;
    Verses out;
  } cases[] = {
      {"бог је љубав", {1}},          {"љубав је", {1}},  {"господ даде дан", {2}},
      {"даде дан и господ узе", {2}}, {"господ је", {3}},
  };
  for (const auto& c : cases) {
    TSearchContext search;
    std::string word;
    for (const char ch : Cp1251(c.words) + " ") {
      if (ch != ' ') {
        word += ch;
      } else {
        search.SearchWords.push_back(word);
        word.clear();
      }
    }
    VerseListPtr list = List({1, 2, 3});
    serbian.PhraseFilter(list, 2, search);
    EXPECT_EQ(list->Items, c.out) << c.words;
  }
}

// A long list is tested over the module's text read in one piece; it must
// find what reading verse by verse finds, and fail as loudly on damage.
TEST_F(BibleSearchTest, LongListsFindWhatShortListsFind) {
  std::string verses;
  for (int v = 1; v <= 300; ++v) {
    verses += "1\t" + std::to_string((v - 1) / 100 + 1) + "\t" + std::to_string((v - 1) % 100 + 1) +
              (v % 3 == 0 ? "\tAnd the |Sun|, Moon stood still.\n" : "\tThe moon and the sun.\n");
  }
  test::WriteFile(dir_.File("long/books.tsv"), "1\tThe First Book of Moses\tGenesis\tGen\n");
  test::WriteFile(dir_.File("long/verses.tsv"), verses);
  TModuleCompiler::Compile(dir_.File("long"), dir_.File("ASV"), 5, false);
  TBible bible(kEnglish, session_->Context());
  ASSERT_EQ(bible.VerseTotal, 300);
  TSearchContext search;
  search.SearchWords = {"sun", "moon"};
  Verses all, every3rd;
  for (std::uint16_t v = 1; v <= 300; ++v) {
    all.push_back(v);
    if (v % 3 == 0) every3rd.push_back(v);
  }
  VerseListPtr longList = List(all);
  bible.PhraseFilter(longList, 2, search);
  EXPECT_EQ(longList->Items, every3rd);
  VerseListPtr shortList = List({1, 2, 3, 299, 300});
  bible.PhraseFilter(shortList, 2, search);
  EXPECT_EQ(shortList->Items, (Verses{3, 300}));

  // A module read from a truncated text file reports the damage either way.
  const std::string data = test::ReadFile(dir_.File("ASV/CompactText.bin"));
  test::WriteFile(dir_.File("ASV/CompactText.bin"), data.substr(0, data.size() / 2));
  TBible damaged(kEnglish, session_->Context());
  longList = List(all);
  EXPECT_THROW(damaged.PhraseFilter(longList, 1, search), LectoraError);
  shortList = List({299, 300});
  EXPECT_THROW(damaged.PhraseFilter(shortList, 1, search), LectoraError);
}

TEST_F(BibleSearchTest, PhraseFilterLeavesANullListAlone) {
  TSearchContext search;
  search.SearchWords = {"sun", "moon"};
  VerseListPtr none;
  english_->PhraseFilter(none, 2, search);
  EXPECT_EQ(none, nullptr);
}

TEST_F(BibleSearchTest, FilterByBooksKeepsTheSelectedBooks) {
  const Verses all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  const struct {
    const char* name;
    std::vector<int> unselected;
    Verses in;
    Verses out;
  } cases[] = {
      {"everything", {}, all, all},
      {"no Exodus", {2}, all, {1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13}},
      {"only Psalms", {1, 2}, all, {11, 12, 13}},
      {"nothing", {1, 2, 22}, all, {}},
      {"books the module lacks", {3, 4, 5, 87}, all, all},
      {"beyond the last verse", {1, 2}, {12, 14, 900}, {12, 14, 900}},
      {"unsorted list", {1, 22}, {12, 3, 9, 10, 1}, {9, 10}},
      {"empty", {2}, {}, {}},
  };
  for (const auto& c : cases) {
    std::array<bool, 88> selected;
    selected.fill(true);
    for (const int book : c.unselected) selected[book] = false;
    VerseListPtr list = List(c.in);
    english_->FilterByBooks(list, selected);
    EXPECT_EQ(list->Items, c.out) << c.name;
  }
  std::array<bool, 88> none{};
  VerseListPtr missing;
  english_->FilterByBooks(missing, none);
  EXPECT_EQ(missing, nullptr);
}

}  // namespace
}  // namespace lectora
