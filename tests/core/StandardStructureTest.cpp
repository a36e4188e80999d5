#include "store/StandardStructure.h"

#include <gtest/gtest.h>

#include <string>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;

// 86 books; book b has (b % 3) + 1 chapters of 10 + b verses each, except
// book 1 with chapters of 3, 2 and 255 verses.
std::string SampleStructure(const char* lineEnd = "\n") {
  std::string text = std::string("3 3 2 255") + lineEnd;
  for (int b = 2; b <= TStandardStructure::kBooks; ++b) {
    const int chapters = b % 3 + 1;
    text += std::to_string(chapters);
    for (int c = 0; c < chapters; ++c) text += " " + std::to_string(10 + b);
    text += lineEnd;
  }
  return text;
}

TEST(StandardStructure, CountsAndRunningTotals) {
  TStandardStructure standard;
  standard.LoadFromText(SampleStructure(), "BibleStructure.txt");
  EXPECT_EQ(standard.ChapterCount(1), 3);
  EXPECT_EQ(standard.VerseCount(1, 3), 255);
  EXPECT_EQ(standard.VerseCount(1, 4), 0);
  EXPECT_EQ(standard.VerseCount(87, 1), 0);
  std::int32_t expected = 260;
  EXPECT_EQ(standard.StandardLast()[0], 0);
  EXPECT_EQ(standard.StandardLast()[1], 260);
  for (int b = 2; b <= TStandardStructure::kBooks; ++b) {
    expected += (b % 3 + 1) * (10 + b);
    EXPECT_EQ(standard.StandardLast()[b], expected) << "book " << b;
  }
  EXPECT_EQ(standard.Total(), expected);
}

TEST(StandardStructure, NumberingBothWays) {
  TStandardStructure standard;
  standard.LoadFromText(SampleStructure("\r\n"), "BibleStructure.txt");
  EXPECT_EQ(standard.StandardNumber(1, 1, 1), 1);
  EXPECT_EQ(standard.StandardNumber(1, 2, 1), 4);
  EXPECT_EQ(standard.StandardNumber(1, 0, 2), 2);  // chapter <= 1 adds nothing
  EXPECT_EQ(standard.StandardNumber(2, 1, 1), 261);
  // Every reference of every book maps back to itself.
  for (int b = 1; b <= TStandardStructure::kBooks; ++b) {
    for (int c = 1; c <= standard.ChapterCount(b); ++c) {
      for (int v = 1; v <= standard.VerseCount(b, c); ++v) {
        int book = 0, chapter = 0, verse = 0;
        standard.StandardToRef(standard.StandardNumber(b, c, v), book, chapter, verse);
        ASSERT_EQ(book, b);
        ASSERT_EQ(chapter, c);
        ASSERT_EQ(verse, v);
      }
    }
  }
  // Past the end: a place beyond the last chapter of the last book.
  int book = 0, chapter = 0, verse = 0;
  standard.StandardToRef(standard.Total() + 5, book, chapter, verse);
  EXPECT_EQ(book, 86);
  EXPECT_EQ(chapter, standard.ChapterCount(86));
  EXPECT_EQ(verse, standard.VerseCount(86, chapter) + 5);
}

struct BadStructure {
  const char* name;
  std::string text;
  int line;
};

class StandardStructureErrors : public ::testing::TestWithParam<BadStructure> {};

TEST_P(StandardStructureErrors, NameFileAndLineAndKeepOldData) {
  TStandardStructure standard;
  standard.LoadFromText(SampleStructure(), "BibleStructure.txt");
  try {
    standard.LoadFromText(GetParam().text, "Damaged.txt");
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), "Damaged.txt");
    EXPECT_EQ(error.Line(), GetParam().line);
  }
  EXPECT_EQ(standard.VerseCount(1, 3), 255);  // the old structure stays
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    StructureTexts, StandardStructureErrors,
    ::testing::Values(BadStructure{"NotANumber", Replace(SampleStructure(), "3 3 2", "3 3x 2"), 1},
                      BadStructure{"Comma", Replace(SampleStructure(), "3 3 2", "3 3,2"), 1},
                      BadStructure{"CountAbove255", Replace(SampleStructure(), "255", "256"), 1},
                      BadStructure{"Negative", Replace(SampleStructure(), "3 3 2", "3 -3 2"), 1},
                      BadStructure{"EndsEarly", "3 3 2 255\n2 12 12\n", 3},
                      BadStructure{"Empty", "", 1},
                      BadStructure{"TrailingNumbers", SampleStructure() + "7\n", 87}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StandardStructure, MissingFileIsReportedAndThrows) {
  TempDir dir;
  test::RecordingMessages messages;
  TStandardStructure standard;
  EXPECT_THROW(standard.Load(dir.Path(), &messages), LectoraError);
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0], "File not found: " + dir.File("BibleStructure.txt"));
}

TEST(StandardStructure, LoadsTheSetupFolderFile) {
  TempDir dir;
  test::WriteFile(dir.File("BibleStructure.txt"), SampleStructure("\r\n"));
  TStandardStructure standard;
  standard.Load(dir.Path(), nullptr);
  EXPECT_EQ(standard.ChapterCount(86), 86 % 3 + 1);
}

}  // namespace
}  // namespace lectora
