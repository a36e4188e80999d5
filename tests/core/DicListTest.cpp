// The headword index (TIStream) and the dictionary list over it (TDicList):
// sorted reads, the headword search with its insert positions, and damaged
// or missing files.
#include "search/DicList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/DictionaryCompiler.h"
#include "search/IStream.h"
#include "store/BinaryFile.h"
#include "store/LectoraError.h"
#include "store/RFileStream.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::TempDir;
using test::TestDataDir;
using test::WriteFile;

std::string I32(std::int32_t value) {
  std::uint8_t bytes[4];
  PutLE32(bytes, value);
  return std::string(reinterpret_cast<const char*>(bytes), 4);
}

std::string LetterHeader(const std::string& letters) {
  std::string header(32, '\0');
  for (const char c : letters) {
    const auto b = static_cast<unsigned char>(c);
    header[b / 8] = static_cast<char>(header[b / 8] | (1 << (b % 8)));
  }
  return header;
}

// Writes `base`.ibf/.ibp with `records` (record 0 the title) and `base`.ind
// with `letters` and offsets pointing at the payload of `headwordRecords`.
void WriteDictionary(const std::string& base, const std::string& letters,
                     const std::vector<std::string>& records,
                     const std::vector<int>& headwordRecords) {
  {
    TRFileStream stream(base + ".ibp", OpenMode::ReadWrite, base + ".ibf");
    for (std::size_t i = 0; i < records.size(); ++i) {
      stream.WriteRecord(static_cast<std::int32_t>(i), records[i].data(),
                         static_cast<std::uint16_t>(records[i].size()));
    }
  }
  const std::string index = ReadFile(base + ".ibp");
  std::string ind = LetterHeader(letters);
  for (const int record : headwordRecords) {
    const auto* entry = reinterpret_cast<const std::uint8_t*>(index.data() + 4 * record);
    ind += I32(GetLE32(entry) + 2);
  }
  WriteFile(base + ".ind", ind);
}

std::string CompileEnglish(const TempDir& dir) {
  const std::string base = dir.File("Dictionaries/En");
  TDictionaryCompiler::Compile(TestDataDir() + "dict-en/source.tsv", base, "English");
  return base + ".ind";
}

TEST(DicListTest, ListsHeadwordsInSortedOrderWithTitleAndArticles) {
  TempDir dir;
  const TDicList list(CompileEnglish(dir));
  const std::vector<std::string> expected = {"Abba", "Agape", "Faith", "Lord", "Zealot", "Zion"};
  ASSERT_EQ(list.Count(), static_cast<std::int32_t>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    std::string word;
    std::string key;
    list.Get(static_cast<std::int32_t>(i), word);
    list.Key(static_cast<std::int32_t>(i), key);
    EXPECT_EQ(word, expected[i]);
    EXPECT_EQ(key, word);
  }
  std::string outside = "x";
  list.Get(-1, outside);
  EXPECT_EQ(outside, "");
  list.Get(list.Count(), outside);
  EXPECT_EQ(outside, "");
  EXPECT_EQ(list.Title(), "English");
  std::string article;
  list.ReadString(1, article);
  EXPECT_EQ(article, "Agape, the love of God for man.");
}

struct FindCase {
  const char* Word;
  bool Found;
  std::int32_t Index;
};

TEST(DicListTest, FindAnswersFoundOrInsertPosition) {
  TempDir dir;
  const TDicList list(CompileEnglish(dir));
  // Headwords: 0 Abba, 1 Agape, 2 Faith, 3 Lord, 4 Zealot, 5 Zion.
  const FindCase cases[] = {
      {"", true, 0},         {"abba", true, 0},  {"ABBA", true, 0},   {"Agape", true, 1},
      {"faith", true, 2},    {"zion", true, 5},  {"Aaron", false, 0},  // before the first
      {"Bob", false, 2},                                               // between Agape and Faith
      {"Lo", false, 3},                           // a prefix sorts before its word
      {"Zeal", false, 4},                         // between Lord and Zealot
      {"Zionist", false, 6},                      // after the last: hi + 1
      {"Zzz", false, 6},     {"Mark", false, 0},  // "M" is no letter of this dictionary
      {"1abba", false, 0},
  };
  for (const FindCase& c : cases) {
    std::int32_t index = -7;
    EXPECT_EQ(list.Find(c.Word, index), c.Found) << c.Word;
    EXPECT_EQ(index, c.Index) << c.Word;
    EXPECT_EQ(list.IndexOf(c.Word), c.Index) << c.Word;
  }
}

TEST(DicListTest, LettersCoverHeadwordsAndTheirCasePartners) {
  TempDir dir;
  const TDicList list(CompileEnglish(dir));
  const TCharSet letters = list.Letters();
  for (const char c : std::string("AaBbZzFfTtLl"))
    EXPECT_TRUE(letters.test(static_cast<unsigned char>(c))) << c;
  for (const char c : std::string("Mm ,1"))
    EXPECT_FALSE(letters.test(static_cast<unsigned char>(c))) << c;
  EXPECT_TRUE(list.HasLettersOf("Ore"));
  EXPECT_TRUE(list.HasLettersOf(""));
  EXPECT_FALSE(list.HasLettersOf("Moses"));
}

TEST(DicListTest, HeadwordLongerThan32IsReadAs32) {
  TempDir dir;
  const std::string base = dir.File("Long");
  const std::string longWord(40, 'a');
  WriteDictionary(base, "ab", {"Title", longWord + ", long", "b, short"}, {1, 2});
  const TDicList list(base + ".ind");
  std::string word;
  list.Get(0, word);
  EXPECT_EQ(word, std::string(32, 'a'));
  std::int32_t index = -1;
  EXPECT_TRUE(list.Find(std::string(32, 'a'), index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(list.Find(longWord, index));  // more than the index can hold
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(list.Find("b", index));
  EXPECT_EQ(index, 1);
}

TEST(DicListTest, MissingOrEmptyIndexFindsNothing) {
  TempDir dir;
  const std::string base = dir.File("Empty");
  WriteDictionary(base, "ab", {"Title", "ab, x"}, {});
  {  // header only: letters but no headwords
    const TDicList list(base + ".ind");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.HasLettersOf("ab"));
    std::int32_t index = -1;
    EXPECT_FALSE(list.Find("ab", index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(list.Find("", index));
  }
  std::remove((base + ".ind").c_str());
  const TDicList missing(base + ".ind");
  EXPECT_EQ(missing.Count(), 0);
  EXPECT_FALSE(missing.HasLettersOf("a"));
  std::int32_t index = -1;
  EXPECT_FALSE(missing.Find("ab", index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(missing.Title(), "Title");  // the articles are still there
}

TEST(DicListTest, TruncatedIndexKeepsOnlyWholeEntries) {
  TempDir dir;
  const std::string base = dir.File("Cut");
  WriteDictionary(base, "abc", {"Title", "a, 1", "b, 2", "c, 3"}, {1, 2, 3});
  const std::string ind = ReadFile(base + ".ind");

  WriteFile(base + ".ind", ind.substr(0, 20));  // inside the letter set
  const TDicList headerCut(base + ".ind");
  EXPECT_EQ(headerCut.Count(), 0);
  EXPECT_FALSE(headerCut.HasLettersOf("a"));

  WriteFile(base + ".ind", ind.substr(0, 32 + 4 * 2 + 3));  // inside the third entry
  const TDicList entryCut(base + ".ind");
  ASSERT_EQ(entryCut.Count(), 2);
  std::string word;
  entryCut.Get(1, word);
  EXPECT_EQ(word, "b");
  std::int32_t index = -1;
  EXPECT_FALSE(entryCut.Find("c", index));
  EXPECT_EQ(index, 2);
}

TEST(DicListTest, OffsetsOutsideTheDataFileReadAsEmptyWords) {
  TempDir dir;
  const std::string base = dir.File("Far");
  WriteDictionary(base, "ab", {"Title", "ab, x"}, {1});
  const auto dataSize = static_cast<std::int32_t>(ReadFile(base + ".ibf").size());
  // Entries: a good one, the last byte of the file, beyond the end, negative.
  WriteFile(base + ".ind", LetterHeader("ab,x") + ReadFile(base + ".ind").substr(32) +
                               I32(dataSize - 1) + I32(dataSize + 1000) + I32(-5));
  const TDicList list(base + ".ind");
  ASSERT_EQ(list.Count(), 4);
  std::vector<std::string> words(4);
  for (std::int32_t i = 0; i < 4; ++i) list.Get(i, words[static_cast<std::size_t>(i)]);
  EXPECT_EQ(words, (std::vector<std::string>{"ab,", "x", "", ""}));
}

TEST(DicListTest, FindOverDamagedOffsetsEnds) {
  TempDir dir;
  const std::string base = dir.File("Junk");
  WriteDictionary(base, "ab", {"Title", "ab"}, {});
  std::string ind = LetterHeader("ab");
  for (int i = 0; i < 1000; ++i) ind += I32(i % 2 == 0 ? 1 << 30 : -1);
  WriteFile(base + ".ind", ind);
  const TDicList list(base + ".ind");
  std::int32_t index = -1;
  // Every headword reads as "", which sorts before any word.
  EXPECT_FALSE(list.Find("ab", index));
  EXPECT_EQ(index, 1000);
}

TEST(DicListTest, MissingArticleFilesReadAsEmpty) {
  TempDir dir;
  const std::string base = dir.File("Gone");
  WriteDictionary(base, "ab", {"Title", "ab, x"}, {1});
  std::remove((base + ".ibf").c_str());
  const TDicList list(base + ".ind");
  EXPECT_EQ(list.Count(), 1);
  std::string word = "x";
  list.Get(0, word);
  EXPECT_EQ(word, "");
  EXPECT_EQ(list.Title(), "");
  std::string article = "x";
  list.ReadString(1, article);
  EXPECT_EQ(article, "");
}

TEST(DicListTest, ExplanationListsInFileOrder) {
  TempDir dir;
  const TDicList list(CompileEnglish(dir));
  std::int32_t faith = -1;
  ASSERT_TRUE(list.Find("faith", faith));
  const std::vector<std::uint16_t> records = list.ExplanationList(faith);
  ASSERT_EQ(records.size(), 3u);
  std::vector<std::string> texts;
  for (const std::uint16_t record : records) {
    std::string text;
    list.ReadString(record, text);
    texts.push_back(text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Faith, the assurance of things hoped for.",
                                             "Faith Trust in God and in his word.",
                                             "FAITH (3), the body of belief."}));
  EXPECT_TRUE(list.ExplanationList(list.Count()).empty());  // no such record
  EXPECT_TRUE(list.ExplanationList(-1).empty());
}

TEST(DicListTest, MissingOrDamagedExplanationListFile) {
  TempDir dir;
  const std::string ind = CompileEnglish(dir);
  const TDicList list(ind);
  const std::string dataName = list.ExplanationDataFileName();
  const std::string indexName = list.ExplanationIndexFileName();
  EXPECT_EQ(indexName, dir.File("Dictionaries/EnC.ibp"));
  {  // a count larger than the record holds
    TRFileStream lists(indexName, OpenMode::ReadWrite, dataName);
    const char shortList[] = {5, 0, 1, 0, 2, 0};
    lists.WriteRecord(0, shortList, sizeof shortList);
    const char oneByte[] = {1};
    lists.WriteRecord(1, oneByte, sizeof oneByte);
  }
  for (const std::int32_t headword : {0, 1}) {
    try {
      list.ExplanationList(headword);
      ADD_FAILURE() << "no error for headword " << headword;
    } catch (const LectoraError& error) {
      EXPECT_EQ(error.File(), dataName);
      EXPECT_NE(std::string(error.what()).find("explanation list " + std::to_string(headword)),
                std::string::npos);
    }
  }
  std::remove(dataName.c_str());
  std::remove(indexName.c_str());
  EXPECT_TRUE(list.ExplanationList(2).empty());
}

TEST(DicListTest, IndFileOfAddsTheExtensionOnce) {
  EXPECT_EQ(TDicList::IndFileOf("dir/Bg"), "dir/Bg.ind");
  EXPECT_EQ(TDicList::IndFileOf("dir/Bg.ind"), "dir/Bg.ind");
  EXPECT_EQ(TDicList::IndFileOf("Bg.v2"), "Bg.v2.ind");
}

}  // namespace
}  // namespace lectora
