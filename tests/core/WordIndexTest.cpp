#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/BinaryFile.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "store/TextRoutines.h"
#include "store/VerseList.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::Cp1251;
using test::Entries32;
using test::Words16;

using Verses = std::vector<std::uint16_t>;

constexpr int kBulgarian = test::TSampleModules::kBulgarian;
constexpr int kEnglish = test::TSampleModules::kEnglish;

// The Bulgarian sample's word list, sorted by hand in alphabet order.
const char* const kBulgarianWords[] = {
    "беше",     "благ",   "благословен", "бог",    "бога",      "бъде",    "в",        "велик",
    "води",     "господ", "господа",     "да",     "душата",    "е",       "зелени",   "земята",
    "и",        "ме",     "ми",          "мой",    "моя",       "на",      "началото", "небето",
    "нужда",    "няма",   "освежава",    "остана", "пази",      "пасбища", "пастир",   "пейте",
    "по",       "прави",  "празна",      "при",    "простите",  "пуста",   "пътеки",   "рече",
    "светлина", "сила",   "сътвори",     "тихи",   "успокоява", "хвалете", "царува"};
constexpr int kBulgarianWordCount = sizeof kBulgarianWords / sizeof kBulgarianWords[0];

class WordIndexTest : public ::testing::Test {
 protected:
  std::unique_ptr<TBible> Open(int translation) {
    auto bible = std::make_unique<TBible>(translation, context_);
    EXPECT_TRUE(bible->Loaded());
    return bible;
  }

  test::TSampleModules modules_;
  test::TempDir& dir_ = modules_.Dir();
  TStoreContext& context_ = modules_.Context();
};

TEST_F(WordIndexTest, BulgarianWordListIsInAlphabetOrder) {
  const auto bible = Open(kBulgarian);
  ASSERT_EQ(bible->WordCount(), kBulgarianWordCount);
  std::string word;
  for (int i = 0; i < kBulgarianWordCount; ++i) {
    bible->WordAt(i, word);
    EXPECT_EQ(word, Cp1251(kBulgarianWords[i])) << i;
  }
  for (const int outside : {-1, kBulgarianWordCount, 1 << 30}) {
    word = "stale";
    bible->WordAt(outside, word);
    EXPECT_EQ(word, "") << outside;
  }
}

// Every word finds itself, typed in any case, in both modules.
TEST_F(WordIndexTest, EveryWordFindsItsOwnIndexInAnyCase) {
  for (const int translation : {kEnglish, kBulgarian}) {
    const auto bible = Open(translation);
    ASSERT_GT(bible->WordCount(), 10);
    std::string word;
    for (int i = 0; i < bible->WordCount(); ++i) {
      bible->WordAt(i, word);
      EXPECT_EQ(bible->FindWord(word), i) << word;
      EXPECT_EQ(bible->FindWord(UpperCase1251(word)), i) << word;
    }
  }
}

TEST_F(WordIndexTest, FindWordGivesTheInsertPositionOfUnknownWords) {
  const struct {
    const char* word;  // UTF-8
    int expected;
  } cases[] = {
      {"бод", 5},                    // between "бога" (4) and "бъде" (5)
      {"богатство", 5},              // longer than "бога": after it
      {"бо", 3},                     // a prefix of "бог" sorts before it
      {"ГОСПОДИ", 11},               // after "господа"
      {"а", -1},                     // before the first word
      {"z", -1},                     // Latin letters sort before the alphabet
      {"яма", kBulgarianWordCount},  // after the last word
      {"царувам", kBulgarianWordCount},
      {"МОЯ", 20},
      {"беше", 0},
      {"царува", kBulgarianWordCount - 1},
  };
  const auto bible = Open(kBulgarian);
  for (const auto& c : cases) {
    EXPECT_EQ(bible->FindWord(Cp1251(c.word)), c.expected) << c.word;
  }
}

TEST_F(WordIndexTest, GetConcordanceFindsWordsRegardlessOfCase) {
  const struct {
    int translation;
    const char* word;  // UTF-8
    Verses verses;
  } cases[] = {
      {kBulgarian, "ГОСПОД", {4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16}},
      {kBulgarian, "гОсПоД", {4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16}},
      {kBulgarian, "Бог", {1, 3}},
      {kBulgarian, "бога", {13}},
      {kBulgarian, "води", {6, 8}},
      {kBulgarian, "Е", {4, 9, 14, 15, 16}},
      {kBulgarian, "светлина", {3, 14}},
      {kEnglish, "EARTH", {1, 2, 4, 13}},
      {kEnglish, "Light", {3}},
      {kEnglish, "levi", {7, 8}},
  };
  for (const auto& c : cases) {
    const auto bible = Open(c.translation);
    const std::string word = c.translation == kBulgarian ? Cp1251(c.word) : c.word;
    VerseListPtr list = NewVerseList();
    list->Items = {999};
    ASSERT_TRUE(bible->GetConcordance(word, list)) << c.word;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Items, c.verses) << c.word;
    EXPECT_EQ(bible->ConcordanceCount(bible->FindWord(word)), c.verses.size()) << c.word;
  }
}

TEST_F(WordIndexTest, GetConcordanceOfAnUnknownWordLeavesTheListAlone) {
  const auto bible = Open(kBulgarian);
  for (const std::string& word :
       {Cp1251("бод"), Cp1251("а"), Cp1251("яма"), Cp1251("бо"), std::string()}) {
    VerseListPtr list = NewVerseList();
    list->Items = {7};
    const TVerseList* before = list.get();
    EXPECT_FALSE(bible->GetConcordance(word, list)) << word;
    EXPECT_EQ(list.get(), before);
    EXPECT_EQ(list->Items, Verses{7});
    VerseListPtr none;
    EXPECT_FALSE(bible->GetConcordance(word, none));
    EXPECT_EQ(none, nullptr);
  }
}

// The count field and the list agree for every word, and every list is an
// ascending run of the module's verse numbers.
TEST_F(WordIndexTest, CountsAndListsAgreeForEveryWord) {
  for (const int translation : {kEnglish, kBulgarian}) {
    const auto bible = Open(translation);
    for (int i = 0; i < bible->WordCount(); ++i) {
      const VerseListPtr list = bible->ReadConcordance(i);
      ASSERT_NE(list, nullptr);
      ASSERT_FALSE(list->Items.empty()) << i;
      EXPECT_EQ(bible->ConcordanceCount(i), list->Count()) << i;
      EXPECT_GE(list->Items.front(), 1);
      EXPECT_LE(list->Items.back(), bible->VerseTotal);
      for (std::size_t k = 1; k < list->Items.size(); ++k) {
        EXPECT_LT(list->Items[k - 1], list->Items[k]);
      }
    }
    EXPECT_EQ(bible->ConcordanceCount(-1), 0);
    EXPECT_EQ(bible->ConcordanceCount(bible->WordCount()), 0);
    EXPECT_TRUE(bible->ReadConcordance(bible->WordCount())->Items.empty());
  }
}

TEST_F(WordIndexTest, ModuleWithoutWordFilesHasAnEmptyWordList) {
  std::filesystem::remove(dir_.File("ORT/WordList.txt"));
  std::filesystem::remove(dir_.File("ORT/WordPoint.bin"));
  const auto bible = Open(kBulgarian);
  EXPECT_EQ(bible->WordCount(), 0);
  EXPECT_EQ(bible->FindWord(Cp1251("бог")), -1);
  VerseListPtr list;
  EXPECT_FALSE(bible->GetConcordance(Cp1251("бог"), list));
  EXPECT_EQ(list, nullptr);
}

TEST_F(WordIndexTest, MissingConcordanceFilesAreNamedInTheError) {
  for (const char* name : {"Conc.bin", "ConcP.bin"}) {
    SCOPED_TRACE(name);
    const std::string file = dir_.File(std::string("ORT/") + name);
    const std::string saved = test::ReadFile(file);
    std::filesystem::remove(file);
    const auto bible = Open(kBulgarian);
    try {
      bible->ReadConcordance(0);
      ADD_FAILURE() << "no error";
    } catch (const LectoraError& error) {
      EXPECT_EQ(error.File(), file);
    }
    EXPECT_THROW(bible->ConcordanceCount(0), LectoraError);
    VerseListPtr list;
    EXPECT_THROW(bible->GetConcordance(Cp1251("бог"), list), LectoraError);
    EXPECT_EQ(list, nullptr);
    // A failed open is not remembered: the file is found once it is back.
    test::WriteFile(file, saved);
    EXPECT_EQ(bible->ReadConcordance(3)->Items, (Verses{1, 3}));
  }
}

// Crafted concordance files: offsets and counts that leave the file give
// empty lists, never a read beyond it.
TEST_F(WordIndexTest, DamagedConcordanceEntriesGiveEmptyLists) {
  // Conc.bin in 16-bit units: {1, 2} at 0, a count of 9 at 3, {7} at 6 ending
  // exactly at the end of the file, a count of 7 at 7.
  test::WriteFile(dir_.File("ORT/Conc.bin"), Words16({2, 1, 2, 9, 3, 4, 1, 7}));
  test::WriteFile(dir_.File("ORT/ConcP.bin"),
                  Entries32({0, 3, 1000, -1, 6, 7, 8, 0x7FFFFFFF, -7}) + std::string(2, '\0'));
  const struct {
    int index;
    Verses verses;
  } cases[] = {
      {0, {1, 2}}, {1, {}},  {2, {}}, {3, {}}, {4, {7}},
      {5, {}},     {6, {}},  {7, {}}, {8, {}}, {9, {}},  // a partial entry reads as -1
      {10, {}},    {-1, {}},
  };
  const auto bible = Open(kBulgarian);
  for (const auto& c : cases) {
    const VerseListPtr list = bible->ReadConcordance(c.index);
    ASSERT_NE(list, nullptr) << c.index;
    EXPECT_EQ(list->Items, c.verses) << c.index;
    EXPECT_EQ(bible->ConcordanceCount(c.index), c.verses.size()) << c.index;
  }
  VerseListPtr list;
  ASSERT_TRUE(bible->GetConcordance(Cp1251("благ"), list));  // word 1: count 9 runs past
  EXPECT_TRUE(list->Items.empty());
}

TEST_F(WordIndexTest, TruncatedConcordanceListReadsAsEmpty) {
  // A count of 1 followed by a single byte of its element.
  test::WriteFile(dir_.File("ORT/Conc.bin"), std::string("\x01\x00\x05", 3));
  test::WriteFile(dir_.File("ORT/ConcP.bin"), Entries32({0, 1}));
  const auto bible = Open(kBulgarian);
  EXPECT_TRUE(bible->ReadConcordance(0)->Items.empty());
  EXPECT_EQ(bible->ConcordanceCount(0), 0);
  EXPECT_TRUE(bible->ReadConcordance(1)->Items.empty());  // odd byte, no header
}

}  // namespace
}  // namespace lectora
