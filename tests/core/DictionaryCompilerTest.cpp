// The dictionary compiler: the five files it writes, byte for byte where the
// format is fixed, and the source faults it refuses without writing anything.
#include "modules/DictionaryCompiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "search/DicList.h"
#include "store/BinaryFile.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"
#include "store/TextRoutines.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::TestDataDir;
using test::WriteFile;

const char* const kSuffixes[] = {".ind", ".ibf", ".ibp", "C.ibf", "C.ibp"};

std::string Cp1251(const std::string& utf8) { return Utf8ToCodePageLossy(utf8, 1251); }

std::vector<std::string> Headwords(const TDicList& list) {
  std::vector<std::string> words;
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    std::string word;
    list.Get(i, word);
    words.push_back(CodePageToUtf8(word, 1251));
  }
  return words;
}

TEST(DictionaryCompilerTest, BulgarianSourceGivesSortedHeadwordsAndExplanations) {
  TempDir dir;
  const std::string base = dir.File("Dictionaries/Bg");
  const TDictionaryCompileReport report =
      TDictionaryCompiler::Compile(TestDataDir() + "dict-bg/source.tsv", base, "Библейски речник");
  EXPECT_EQ(report.HeadwordCount, 5);
  EXPECT_EQ(report.ExplanationCount, 7);
  const TDicList list(base + ".ind");
  // The list shows each headword as its first explanation spells it.
  EXPECT_EQ(Headwords(list), (std::vector<std::string>{"Авраам", "Бог", "Вяра", "Ева", "Любов"}));
  EXPECT_EQ(CodePageToUtf8(list.Title(), 1251), "Библейски речник");
  // A text that does not begin with its headword gets it in front.
  std::int32_t god = -1;
  ASSERT_TRUE(list.Find(Cp1251("бог"), god));
  const std::vector<std::uint16_t> records = list.ExplanationList(god);
  ASSERT_EQ(records.size(), 1u);
  std::string text;
  list.ReadString(records[0], text);
  EXPECT_EQ(CodePageToUtf8(text, 1251), "Бог Творецът на небето и земята.");
  // A text that begins with its headword in another case is kept as it is.
  std::int32_t love = -1;
  ASSERT_TRUE(list.Find(Cp1251("ЛЮБОВ"), love));
  list.ReadString(list.ExplanationList(love).at(0), text);
  EXPECT_EQ(CodePageToUtf8(text, 1251), "Любов, първата от добродетелите.");
}

TEST(DictionaryCompilerTest, FilesFollowTheRecordAndIndexLayout) {
  TempDir dir;
  const std::string base = dir.File("En");
  TDictionaryCompiler::Compile(TestDataDir() + "dict-en/source.tsv", base + ".ind", "English");
  for (const char* suffix : kSuffixes) EXPECT_TRUE(fs::exists(base + suffix)) << suffix;
  EXPECT_FALSE(fs::exists(base + ".ind.ind"));

  const std::string ibf = ReadFile(base + ".ibf");
  const std::string ibp = ReadFile(base + ".ibp");
  const std::string ind = ReadFile(base + ".ind");
  EXPECT_EQ(ibf.substr(0, 4), std::string(4, '\xFF'));  // no free blocks
  EXPECT_EQ(ibp.size(), 4u * 9);                        // title + 8 explanations
  ASSERT_EQ(ind.size(), 32u + 4 * 6);
  const auto* indBytes = reinterpret_cast<const std::uint8_t*>(ind.data());
  const std::string letters = "AaBbGgPpEeFfIiTtHhZzOoNnLlRrDd";
  for (int c = 0; c < 256; ++c) {
    const bool set = (indBytes[c / 8] >> (c % 8)) & 1;
    EXPECT_EQ(set, letters.find(static_cast<char>(c)) != std::string::npos) << c;
  }
  // Each offset points at the headword at the start of its first record's
  // payload; the offsets ascend by the lower-case headwords.
  const char* const expected[] = {"Abba", "Agape", "Faith", "Lord", "Zealot", "Zion"};
  const int firstRecord[] = {2, 1, 4, 8, 7, 3};
  for (int i = 0; i < 6; ++i) {
    const std::int32_t offset = GetLE32(indBytes + 32 + 4 * i);
    const std::int32_t block =
        GetLE32(reinterpret_cast<const std::uint8_t*>(ibp.data()) + 4 * firstRecord[i]);
    EXPECT_EQ(offset, block + 2) << expected[i];
    EXPECT_EQ(ibf.substr(static_cast<std::size_t>(offset), std::string(expected[i]).size()),
              expected[i]);
  }
  // Explanation lists: u16 count, then u16 record numbers in file order.
  TRFileStream lists(base + "C.ibp", OpenMode::Read, base + "C.ibf");
  ASSERT_EQ(lists.Count(), 6);
  std::string faith;
  lists.ReadString(2, faith);
  EXPECT_EQ(faith, std::string("\x03\x00\x04\x00\x05\x00\x06\x00", 8));
}

TEST(DictionaryCompilerTest, SourceFormattingIsForgiven) {
  TempDir dir;
  const std::string source = dir.File("s.tsv");
  // Byte order mark, CRLF, blank lines, blanks around fields, a headword of
  // exactly 32 characters, a headword with a blank, case-variant repeats.
  const std::string longWord(32, 'w');
  WriteFile(source, "\xEF\xBB\xBF  Holy Spirit \t Holy Spirit, the third person.\r\n\r\n" +
                        longWord + "\t" + longWord + "w continues\r\n" +
                        "holy spirit\tsecond\n\nHOLY SPIRIT\tHoly Spirit: third");
  const TDictionaryCompileReport report =
      TDictionaryCompiler::Compile(source, dir.File("D"), "Title");
  EXPECT_EQ(report.HeadwordCount, 2);
  EXPECT_EQ(report.ExplanationCount, 4);
  const TDicList list(dir.File("D.ind"));
  EXPECT_EQ(Headwords(list), (std::vector<std::string>{"Holy Spirit", longWord}));
  std::int32_t index = -1;
  ASSERT_TRUE(list.Find("holy SPIRIT", index));
  std::vector<std::string> texts;
  for (const std::uint16_t record : list.ExplanationList(index)) {
    std::string text;
    list.ReadString(record, text);
    texts.push_back(text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Holy Spirit, the third person.", "holy spirit second",
                                             "Holy Spirit: third"}));
  std::string record;
  list.ReadString(2, record);
  EXPECT_EQ(record, longWord + " " + longWord + "w continues");  // a longer word is no match
}

struct BadSource {
  const char* Name;
  std::string Text;
  int Line;
  const char* Message;
};

TEST(DictionaryCompilerTest, SourceFaultsNameTheLineAndWriteNothing) {
  const BadSource cases[] = {
      {"no tab", "Abba\tFather\nAgape the love\n", 2, "expected a headword"},
      {"empty headword", "Abba\tFather\n  \tnothing\n", 2, "empty headword"},
      {"long headword", std::string(33, 'a') + "\ttext\n", 1, "longer than 32"},
      {"outside 1251", "Abba\tFather\nAbba\tFather\n日本\tJapan\n", 3, "Windows-1251"},
      {"bad utf-8", "Ab\xC3\tFather\n", 1, "malformed UTF-8"},
      {"bad utf-8 in text", "Abba\tFa\xFFther\n", 1, "at byte 8"},
      {"empty text", "Abba\t  \n", 1, "empty explanation"},
      {"control character",
       "Ab\x01"
       "ba\tFather\n",
       1, "control character"},
      {"run-on headword", "New Moon\tNew Moon, a feast.\nNew\tthe opposite of old\n", 2, "runs on"},
      {"long text", "Abba\t" + std::string(65536, 'x') + "\n", 1, "longer than 65535"},
      {"nothing", "\r\n\n", 0, "no explanation"},
  };
  for (const BadSource& c : cases) {
    TempDir dir;
    const std::string source = dir.File("s.tsv");
    WriteFile(source, c.Text);
    try {
      TDictionaryCompiler::Compile(source, dir.File("out/D"), "Title");
      ADD_FAILURE() << c.Name << ": no error";
    } catch (const LectoraError& error) {
      EXPECT_EQ(error.File(), source) << c.Name;
      EXPECT_EQ(error.Line(), c.Line) << c.Name;
      EXPECT_NE(error.Message().find(c.Message), std::string::npos)
          << c.Name << ": " << error.what();
    }
    std::error_code ignored;
    EXPECT_FALSE(fs::exists(dir.File("out/D.ind"), ignored)) << c.Name;
    EXPECT_FALSE(fs::exists(dir.File("out/D.ibf"), ignored)) << c.Name;
  }
}

TEST(DictionaryCompilerTest, FailedBuildLeavesTheOlderDictionaryWhole) {
  TempDir dir;
  const std::string base = dir.File("D");
  TDictionaryCompiler::Compile(TestDataDir() + "dict-en/source.tsv", base, "English");
  std::vector<std::string> before;
  for (const char* suffix : kSuffixes) before.push_back(ReadFile(base + suffix));
  const std::string bad = dir.File("bad.tsv");
  WriteFile(bad, "Abba\tFather\nbroken line\n");
  EXPECT_THROW(TDictionaryCompiler::Compile(bad, base, "English"), LectoraError);
  EXPECT_THROW(TDictionaryCompiler::Compile(dir.File("missing.tsv"), base, "English"),
               LectoraError);
  EXPECT_THROW(TDictionaryCompiler::Compile(TestDataDir() + "dict-en/source.tsv", base, ""),
               LectoraError);
  EXPECT_THROW(TDictionaryCompiler::Compile(TestDataDir() + "dict-en/source.tsv", base, "日本"),
               LectoraError);
  for (std::size_t k = 0; k < before.size(); ++k) {
    EXPECT_EQ(ReadFile(base + kSuffixes[k]), before[k]) << kSuffixes[k];
  }
  std::size_t entries = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 5u + 1u);  // the five files and bad.tsv: no build folder left

  // A good build replaces it.
  const std::string good = dir.File("good.tsv");
  WriteFile(good, "Moses\tMoses, the lawgiver.\n");
  TDictionaryCompiler::Compile(good, base, "Names");
  const TDicList list(base + ".ind");
  EXPECT_EQ(Headwords(list), (std::vector<std::string>{"Moses"}));
  EXPECT_EQ(list.Title(), "Names");
}

}  // namespace
}  // namespace lectora
