#include "display/HistoryFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct RealCase {
  double value;
  const char* text;
};

class HistoryRealTest : public testing::TestWithParam<RealCase> {};

TEST_P(HistoryRealTest, FormatsTwentyThreeCharactersAndReadsBack) {
  const RealCase c = GetParam();
  const std::string text = THistoryFile::FormatReal(c.value);
  EXPECT_EQ(text, c.text);
  EXPECT_EQ(text.size(), 23u);
  double back = -1;
  ASSERT_TRUE(THistoryFile::ParseReal(text, back));
  EXPECT_EQ(THistoryFile::FormatReal(back), text);
  EXPECT_NEAR(back, c.value, std::fabs(c.value) * 1e-14);
}

INSTANTIATE_TEST_SUITE_P(Values, HistoryRealTest,
                         testing::Values(RealCase{45123.4567890123, " 4.51234567890123E+0004"},
                                         RealCase{0.0, " 0.00000000000000E+0000"},
                                         RealCase{-0.0, " 0.00000000000000E+0000"},
                                         RealCase{1.0, " 1.00000000000000E+0000"},
                                         RealCase{-2.5, "-2.50000000000000E+0000"},
                                         RealCase{0.000123, " 1.23000000000000E-0004"},
                                         RealCase{1e300, " 1.00000000000000E+0300"},
                                         RealCase{45678.999999999999, " 4.56790000000000E+0004"}));

TEST(HistoryRealTest, NonFiniteValuesAreWrittenAsZero) {
  EXPECT_EQ(THistoryFile::FormatReal(NAN), " 0.00000000000000E+0000");
  EXPECT_EQ(THistoryFile::FormatReal(INFINITY), " 0.00000000000000E+0000");
}

TEST(HistoryRealTest, ParsesOtherRealSpellingsAndRejectsNonNumbers) {
  struct {
    const char* text;
    bool ok;
    double value;
  } const cases[] = {
      {"  45123.5", true, 45123.5},
      {"+1E2", true, 100},
      {"-.5", true, -0.5},
      {"7", true, 7},
      {"1e+0004", true, 1e4},
      {"", false, 0},
      {"abc", false, 0},
      {"1.5x", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"0x10", false, 0},
      {"1E", false, 0},
      {".", false, 0},
      {"1E+9999", false, 0},
      {"--1", false, 0},
  };
  for (const auto& c : cases) {
    double value = 12345;
    EXPECT_EQ(THistoryFile::ParseReal(c.text, value), c.ok) << c.text;
    EXPECT_DOUBLE_EQ(value, c.ok ? c.value : 12345) << c.text;
  }
}

THistoryFile Sample() {
  THistoryFile file;
  file.Sorted = 2;
  file.BoxText = "\xC1\xE8\xF2\xE8\xE5 1:1";  // Cyrillic, Windows-1251
  file.Entries = {
      {45123.25, 1, "Gen 1:1"}, {45124.5, 65535, "\xC9\xEE\xE0\xED 3:16"}, {45100.125, 0, "love"}};
  return file;
}

TEST(HistoryFileTest, WritesTheDocumentedLayout) {
  const std::string bytes = Sample().Format();
  EXPECT_EQ(bytes,
            "2\r\n\xC1\xE8\xF2\xE8\xE5 1:1\r\n"
            " 4.51232500000000E+0004 1\r\nGen 1:1\r\n"
            " 4.51245000000000E+0004 65535\r\n\xC9\xEE\xE0\xED 3:16\r\n"
            " 4.51001250000000E+0004 0\r\nlove\r\n");
}

TEST(HistoryFileTest, RoundTripKeepsOrderTextsNumbersAndTimes) {
  TempDir dir;
  const THistoryFile original = Sample();
  original.Save(dir.File("sub/folder/VerseHistory.txt"));
  THistoryFile back;
  ASSERT_EQ(back.Load(dir.File("sub/folder/VerseHistory.txt")), THistoryFile::TLoadState::Complete);
  EXPECT_EQ(back.Sorted, 2);
  EXPECT_EQ(back.BoxText, original.BoxText);
  ASSERT_EQ(back.Entries.size(), original.Entries.size());
  for (std::size_t i = 0; i < back.Entries.size(); ++i) {
    EXPECT_EQ(back.Entries[i].Text, original.Entries[i].Text);
    EXPECT_EQ(back.Entries[i].Index, original.Entries[i].Index);
    EXPECT_DOUBLE_EQ(back.Entries[i].Time, original.Entries[i].Time);
  }
}

TEST(HistoryFileTest, LineBreaksInsideTextsCannotShiftTheLayout) {
  THistoryFile file;
  file.BoxText = "a\r\nb";
  file.Entries = {{1, 1, "x\ny"}, {2, 2, "z"}};
  THistoryFile back;
  ASSERT_TRUE(back.Parse(file.Format()));
  EXPECT_EQ(back.BoxText, "a  b");
  ASSERT_EQ(back.Entries.size(), 2u);
  EXPECT_EQ(back.Entries[0].Text, "x y");
  EXPECT_EQ(back.Entries[1].Text, "z");
}

// Damaged files: the entries before the damage are kept, and Parse says
// whether anything was left unread.
TEST(HistoryFileTest, DamagedFilesKeepTheEntriesReadSoFar) {
  struct {
    const char* name;
    std::string bytes;
    bool complete;
    std::size_t entries;
    int sorted;
  } const cases[] = {
      {"empty", "", true, 0, 1},
      {"order only", "0\r\n", true, 0, 0},
      {"order not a number", "x\r\nbox\r\n 1.0E+0000 1\r\na\r\n", false, 1, 1},
      {"order out of range", "3\r\nbox\r\n 1.0E+0000 1\r\na\r\n 2.0E+0000 2\r\nb\r\n", false, 2, 1},
      {"truncated inside a time", "2\r\nbox\r\n 1.0E+0000 1\r\na\r\n 2.5E+00", false, 1, 2},
      {"text line missing", "1\r\nbox\r\n 1.0E+0000 1\r\na\r\n 2.0E+0000 2\r\n", false, 1, 1},
      {"time not a number", "1\r\nbox\r\n 1.0E+0000 1\r\na\r\nabc 2\r\nb\r\n", false, 1, 1},
      {"verse not a number", "1\r\nbox\r\n 1.0E+0000 x\r\na\r\n", false, 0, 1},
      {"verse missing", "1\r\nbox\r\n 1.0E+0000 1\r\na\r\n 2.0E+0000\r\nb\r\n", false, 1, 1},
      {"verse too large", "1\r\nbox\r\n 1.0E+0000 65536\r\na\r\n", false, 0, 1},
      {"verse negative", "1\r\nbox\r\n 1.0E+0000 -1\r\na\r\n", false, 0, 1},
      {"blank lines at the end", "1\r\nbox\r\n 1.0E+0000 1\r\na\r\n\r\n  \r\n", true, 1, 1},
      {"text after a blank line", "1\r\nbox\r\n 1.0E+0000 1\r\na\r\n\r\nmore\r\n", false, 1, 1},
      {"LF line ends", "1\nbox\n 1.0E+0000 1\na\n 2.0E+0000 2\nb", true, 2, 1},
      {"binary junk", std::string("\0\xFF\x01\n\n", 5), false, 0, 1},
  };
  for (const auto& c : cases) {
    THistoryFile file;
    file.Sorted = 0;
    EXPECT_EQ(file.Parse(c.bytes), c.complete) << c.name;
    EXPECT_EQ(file.Entries.size(), c.entries) << c.name;
    EXPECT_EQ(file.Sorted, c.sorted) << c.name;
  }
}

TEST(HistoryFileTest, LoadTellsMissingCompleteDamagedAndUnreadableApart) {
  TempDir dir;
  THistoryFile file;
  EXPECT_EQ(file.Load(dir.File("absent.txt")), THistoryFile::TLoadState::Missing);
  WriteFile(dir.File("good.txt"), "1\r\n\r\n 1.0E+0000 1\r\na\r\n");
  EXPECT_EQ(file.Load(dir.File("good.txt")), THistoryFile::TLoadState::Complete);
  WriteFile(dir.File("bad.txt"), "9\r\n\r\n 1.0E+0000 1\r\na\r\n");
  EXPECT_EQ(file.Load(dir.File("bad.txt")), THistoryFile::TLoadState::Damaged);
  EXPECT_EQ(file.Entries.size(), 1u);
  std::filesystem::create_directories(dir.File("folder.txt"));
  EXPECT_EQ(file.Load(dir.File("folder.txt")), THistoryFile::TLoadState::Unreadable);
  EXPECT_TRUE(file.Entries.empty());
}

TEST(HistoryFileTest, KeepCopyReusesAnEqualCopyAndNeverOverwritesAnother) {
  TempDir dir;
  const std::string name = dir.File("VerseHistory.txt");
  WriteFile(name, "first damage");
  const THistoryFile::TKeptCopy first = THistoryFile::KeepCopy(name);
  EXPECT_EQ(first.FileName, name + ".bak");
  EXPECT_TRUE(first.Created);
  EXPECT_EQ(ReadFile(name + ".bak"), "first damage");
  const THistoryFile::TKeptCopy again = THistoryFile::KeepCopy(name);
  EXPECT_EQ(again.FileName, name + ".bak");
  EXPECT_FALSE(again.Created);
  WriteFile(name, "second damage");
  const THistoryFile::TKeptCopy second = THistoryFile::KeepCopy(name);
  EXPECT_EQ(second.FileName, name + ".1.bak");
  EXPECT_TRUE(second.Created);
  EXPECT_EQ(ReadFile(name + ".bak"), "first damage");
  EXPECT_EQ(ReadFile(name + ".1.bak"), "second damage");
  EXPECT_TRUE(THistoryFile::KeepCopy(dir.File("absent.txt")).FileName.empty());
}

TEST(HistoryFileTest, ReadsTheVerseNumberAndIgnoresTheRestOfTheLine) {
  THistoryFile file;
  ASSERT_TRUE(file.Parse("0\r\n\r\n 4.5E+0004 31102 extra\r\nRev 22:21\r\n"));
  ASSERT_EQ(file.Entries.size(), 1u);
  EXPECT_EQ(file.Entries[0].Index, 31102);
  EXPECT_DOUBLE_EQ(file.Entries[0].Time, 45000);
  EXPECT_EQ(file.Entries[0].Text, "Rev 22:21");
  EXPECT_EQ(file.Sorted, 0);
}

TEST(HistoryFileTest, MissingFileLoadsNothing) {
  TempDir dir;
  THistoryFile file;
  EXPECT_EQ(file.Load(dir.File("absent.txt")), THistoryFile::TLoadState::Missing);
  EXPECT_TRUE(file.Entries.empty());
}

TEST(HistoryFileTest, SaveBlockedByAFileThrows) {
  TempDir dir;
  WriteFile(dir.File("blocker"), "x");
  EXPECT_THROW(Sample().Save(dir.File("blocker/sub/VerseHistory.txt")), LectoraError);
  EXPECT_EQ(ReadFile(dir.File("blocker")), "x");
}

TEST(HistoryFileTest, FailedSaveThrowsAndLeavesTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write into read-only folders";
  TempDir dir;
  const std::string name = dir.File("locked/Search_List.txt");
  WriteFile(name, "old");
  ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0555), 0);
  EXPECT_THROW(Sample().Save(name), LectoraError);
  EXPECT_EQ(ReadFile(name), "old");
  ::chmod(dir.File("locked").c_str(), 0755);
}

}  // namespace
}  // namespace lectora
