#include "store/Abbreviations.h"

#include <gtest/gtest.h>

#include <string>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;

struct SplitCase {
  std::string text;
  std::string bookPart;
};

class SplitBookPartTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitBookPartTest, CutsBeforeTheChapter) {
  EXPECT_EQ(SplitBookPart(GetParam().text), GetParam().bookPart);
}

INSTANTIATE_TEST_SUITE_P(BookParts, SplitBookPartTest,
                         ::testing::Values(SplitCase{"Gen 3:16", "Gen"}, SplitCase{"Gen3", "Gen"},
                                           SplitCase{"1 Cor 13:4", "1 Cor"},
                                           SplitCase{"1Cor", "1Cor"}, SplitCase{"12:5", "1"},
                                           SplitCase{"7", "7"}, SplitCase{"John   ", "John"},
                                           SplitCase{"   ", ""}, SplitCase{"", ""},
                                           // 1251 bytes of "Быт 1:1"
                                           SplitCase{"\xC1\xFB\xF2 1:1", "\xC1\xFB\xF2"}));

// Windows-1251: "Быт", "Исх", "1 Цар".
const std::string kByt = "\xC1\xFB\xF2";
const std::string kIsh = "\xC8\xF1\xF5";
const std::string kTsar = "1 \xD6\xE0\xF0";

std::string SampleText() {
  return "Gen=1\r\n" + kByt + "=1\r\nExod=2\r\n\r\n" + kIsh + "=2\r\n" + kTsar +
         "=9\r\nPs= 22 \r\nps=23\r\nJn=54";
}

TEST(Abbreviations, LookupIgnoresCaseIncludingCyrillic) {
  TAbbreviations table;
  table.LoadFromText(SampleText(), "Abrevs.txt");
  EXPECT_EQ(table.Count(), 8u);
  struct {
    std::string name;
    int book;
  } const cases[] = {
      {"Gen", 1},
      {"GEN", 1},
      {"gen", 1},
      {"\xE1\xFB\xF2", 1},  // "быт"
      {"\xC1\xDB\xD2", 1},  // "БЫТ"
      {"\xE8\xF1\xF5", 2},  // "исх"
      {"1 \xF6\xE0\xF0", 9},
      {"Jn", 54},
      {"Ps", 22},  // the earlier of two spellings of one name answers
      {"Ge", -1},
      {"Gene", -1},
      {"1Cor", -1},
      {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(table.BookByAbbreviation(c.name), c.book) << c.name;
}

struct BadLine {
  const char* name;
  std::string text;
  int line;
};

class AbbreviationErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(AbbreviationErrors, NameFileAndLineAndKeepOldTable) {
  TAbbreviations table;
  table.LoadFromText("Gen=1\n", "Abrevs.txt");
  try {
    table.LoadFromText(GetParam().text, "Abrevs.txt");
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), "Abrevs.txt");
    EXPECT_EQ(error.Line(), GetParam().line);
  }
  EXPECT_EQ(table.BookByAbbreviation("gen"), 1);
}

INSTANTIATE_TEST_SUITE_P(AbbreviationLines, AbbreviationErrors,
                         ::testing::Values(BadLine{"NoEquals", "Gen=1\r\nExod 2\r\n", 2},
                                           BadLine{"NotANumber", "Gen=1\nExod=two\n", 2},
                                           BadLine{"BookZero", "Gen=0\n", 1},
                                           BadLine{"BookAbove87", "\nGen=88\n", 2},
                                           BadLine{"EmptyName", "Gen=1\n=3\n", 2},
                                           BadLine{"TwoNumbers", "Gen=1 2\n", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Abbreviations, MissingFileIsReportedAndThrows) {
  TempDir dir;
  test::RecordingMessages messages;
  TAbbreviations table;
  try {
    table.Load(dir.Path(), &messages);
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.Message(), "File not found: " + dir.File("Abrevs.txt"));
  }
  EXPECT_EQ(messages.Messages,
            std::vector<std::string>{"File not found: " + dir.File("Abrevs.txt")});
}

TEST(Abbreviations, LoadsTheSetupFolderFile) {
  TempDir dir;
  test::WriteFile(dir.File("Abrevs.txt"), SampleText());
  TAbbreviations table;
  table.Load(dir.Path(), nullptr);
  EXPECT_EQ(table.BookByAbbreviation("EXOD"), 2);
}

}  // namespace
}  // namespace lectora
