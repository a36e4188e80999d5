#include "modules/ModuleCompiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/LIFileStream.h"
#include "store/LectoraError.h"
#include "store/RFileStream.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string U16(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
  }
  return out;
}

std::string I32(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) {
    const auto bits = static_cast<unsigned>(v);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((bits >> shift) & 0xFF);
  }
  return out;
}

struct Source {
  Source(std::string books, std::string verses, std::string links = "", std::string diff = "")
      : Books(std::move(books)),
        Verses(std::move(verses)),
        Links(std::move(links)),
        Diff(std::move(diff)) {}
  std::string Books;
  std::string Verses;
  std::string Links;  // written only when not empty
  std::string Diff;   // written only when not empty
};

void WriteSource(const std::string& folder, const Source& source) {
  WriteFile(folder + "books.tsv", source.Books);
  WriteFile(folder + "verses.tsv", source.Verses);
  if (!source.Links.empty()) WriteFile(folder + "links.tsv", source.Links);
  if (!source.Diff.empty()) WriteFile(folder + "_Diff_.txt", source.Diff);
}

// Verses 1..6: "In the beginning", (skipped), "Ok", "\God\ |said|",
// "Amen ~ amen", (empty).
const Source kTinySource = {"1\tThe First Book\tGenesis\tGen\n40\tMatthew's Gospel\tMatthew\t\n",
                            "1\t1\t1\tIn the beginning\n"
                            "1\t1\t3\tOk\r\n"
                            "1\t2\t1\t\\God\\ |said|\n"
                            "\n"
                            "40\t1\t1\tAmen ~ amen\n"
                            "40\t1\t2\t\n",
                            "", ""};

std::vector<std::string> ModuleFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ModuleCompiler, WritesTitlesStructureAndTextOfATinySource) {
  TempDir dir;
  WriteSource(dir.File("src/"), kTinySource);
  const TModuleCompileReport report =
      TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
  EXPECT_EQ(report.BookCount, 2);
  EXPECT_EQ(report.VerseCount, 6);
  EXPECT_EQ(report.WordCount, 7);
  EXPECT_EQ(report.LinkedVerses, 0);

  const std::string mod = dir.File("mod/");
  EXPECT_EQ(ReadFile(mod + "BibleTitles.txt"),
            "2 1 40\r\nThe First Book\r\nMatthew's Gospel\r\nGenesis\r\nMatthew\r\nGen\r\n"
            "Matthew\r\n");
  EXPECT_EQ(ReadFile(mod + "BibleStructure.csv"), "2 3 1\r\n1 2\r\n");
  EXPECT_EQ(ReadFile(mod + "CompactPoint.bin"), I32({4, -1, 22, 28, 42, -1}));
  EXPECT_EQ(ReadFile(mod + "CompactText.bin"), I32({-1}) + U16({16}) + "In the beginning" +
                                                   U16({2}) + std::string("Ok\0\0", 4) + U16({12}) +
                                                   "\\God\\ |said|" + U16({11}) + "Amen ~ amen");
  EXPECT_EQ(ModuleFiles(mod),
            (std::vector<std::string>{"BibleStructure.csv", "BibleTitles.txt", "CompactPoint.bin",
                                      "CompactText.bin", "Conc.bin", "ConcP.bin", "WordList.txt",
                                      "WordPoint.bin"}));
}

TEST(ModuleCompiler, CompactTextIsWhatTheRecordStreamWrites) {
  TempDir dir;
  Source source = kTinySource;
  // Long and short records, a skipped verse in the middle, an empty last one.
  source.Verses += "40\t1\t5\t" + std::string(300, 'x') + "\n40\t1\t6\ta\n40\t1\t7\t\n";
  WriteSource(dir.File("src/"), source);
  TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);

  const std::vector<std::string> verses = {"In the beginning",    "",  "Ok", "\\God\\ |said|",
                                           "Amen ~ amen",         "",  "",   "",
                                           std::string(300, 'x'), "a", ""};
  {
    TRFileStream stream(dir.File("ref.point"), OpenMode::ReadWrite, dir.File("ref.text"));
    ASSERT_FALSE(stream.Failed());
    for (std::size_t i = 0; i < verses.size(); ++i) {
      if (!verses[i].empty()) {
        stream.WriteRecord(static_cast<std::int32_t>(i), verses[i].data(),
                           static_cast<std::uint16_t>(verses[i].size()));
      }
    }
  }
  // The stream writes no entry for a trailing empty record; the module's
  // index has one entry per verse.
  TLIFileStream(dir.File("ref.point"), OpenMode::ReadWrite)
      .WriteEntry(static_cast<std::int32_t>(verses.size() - 1), -1);

  EXPECT_EQ(ReadFile(dir.File("mod/CompactText.bin")), ReadFile(dir.File("ref.text")));
  EXPECT_EQ(ReadFile(dir.File("mod/CompactPoint.bin")), ReadFile(dir.File("ref.point")));
}

TEST(ModuleCompiler, WordListAndConcordanceOfATinySource) {
  TempDir dir;
  WriteSource(dir.File("src/"), kTinySource);
  TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
  EXPECT_EQ(ReadFile(dir.File("mod/WordList.txt")),
            "amen\r\nbeginning\r\ngod\r\nin\r\nok\r\nsaid\r\nthe\r\n");
  EXPECT_EQ(ReadFile(dir.File("mod/WordPoint.bin")), I32({0, 6, 17, 22, 26, 30, 36}));
  // "amen" twice in verse 5 is listed once.
  EXPECT_EQ(ReadFile(dir.File("mod/Conc.bin")), U16({1, 5, 1, 1, 1, 4, 1, 1, 1, 3, 1, 4, 1, 1}));
  EXPECT_EQ(ReadFile(dir.File("mod/ConcP.bin")), I32({0, 2, 4, 6, 8, 10, 12}));
}

struct WordCase {
  const char* Name;
  int Language;
  bool Strong;
  std::string Verses;    // verses.tsv of book 1, UTF-8
  std::string WordList;  // expected, in the code page
  std::string Conc;      // expected Conc.bin
};

void PrintTo(const WordCase& c, std::ostream* os) { *os << c.Name; }

class ModuleCompilerWords : public ::testing::TestWithParam<WordCase> {};

TEST_P(ModuleCompilerWords, ListsTheWordsInCollationOrder) {
  const WordCase& c = GetParam();
  TempDir dir;
  WriteSource(dir.File("src/"), {"1\tTitle\tName\tAlt\n", c.Verses, "", ""});
  TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), c.Language, c.Strong);
  EXPECT_EQ(ReadFile(dir.File("mod/WordList.txt")), c.WordList);
  if (!c.Conc.empty()) {
    EXPECT_EQ(ReadFile(dir.File("mod/Conc.bin")), c.Conc);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModuleCompilerWords,
    ::testing::Values(
        // Mixed case is one word; Latin letters are no Bulgarian letters.
        WordCase{"BulgarianMixedCase", 0, false,
                 "1\t1\t1\tБог каза: Ябълка!\n1\t1\t2\tБОГ и бог, zebra ябълка\n",
                 "\xE1\xEE\xE3\r\n\xE8\r\n\xEA\xE0\xE7\xE0\r\n\xFF\xE1\xFA\xEB\xEA\xE0\r\n",
                 U16({2, 1, 2, 1, 2, 1, 1, 2, 1, 2})},
        // Romanian: "ă" and "â" (bytes 227, 226) sort right after "a", and
        // "ş" (186) after "s", not in byte order.
        WordCase{"RomanianAlphabet", 4, false, "1\t1\t1\tbun âne ăla apă sus şi tu\n",
                 "ap\xE3\r\n\xE3la\r\n\xE2ne\r\nbun\r\nsus\r\n\xBAi\r\ntu\r\n", ""},
        // Markup vanishes inside words; "~" and blanks split them; a
        // footnote's words count; digits only with Strong's numbers.
        WordCase{"MarkupWithoutStrong", 5, false,
                 "1\t1\t1\t¶\\Wo\\rd |it|alic{note} a~b <430> (x)y\n",
                 "a\r\nb\r\nitalicnote\r\nword\r\nxy\r\n", ""},
        WordCase{"StrongNumbers", 5, true, "1\t1\t1\tGod <430> said <559>, God<430>\n",
                 "430\r\n559\r\ngod\r\ngod430\r\nsaid\r\n", U16({1, 1, 1, 1, 1, 1, 1, 1, 1, 1})}),
    [](const ::testing::TestParamInfo<WordCase>& info) { return std::string(info.param.Name); });

TEST(ModuleCompiler, WritesLinksAscendingWithoutDuplicates) {
  TempDir dir;
  Source source = kTinySource;
  source.Links = "1\t1\t3\t40:1:1 1:1:1\t40:1:1\n1\t1\t1\t1:2:1\n1 \t1\t3\t1:1:2\n";
  WriteSource(dir.File("src/"), source);
  const TModuleCompileReport report =
      TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
  EXPECT_EQ(report.LinkedVerses, 2);
  EXPECT_EQ(ReadFile(dir.File("mod/Links.bin")), U16({1, 4, 3, 1, 2, 5}));
  EXPECT_EQ(ReadFile(dir.File("mod/LinksP.bin")), I32({0, -1, 2, -1, -1, -1}));
}

TEST(ModuleCompiler, CopiesAValidDiffFile) {
  TempDir dir;
  Source source = kTinySource;
  source.Diff = "19 9 22 1 -21\r\n1 2 0 0 -1\n\n";
  WriteSource(dir.File("src/"), source);
  TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
  EXPECT_EQ(ReadFile(dir.File("mod/_Diff_.txt")), source.Diff);
}

struct ErrorCase {
  const char* Name;
  Source Files;
  const char* File;  // the file the error names
  int Line;
  const char* Fragment;  // part of the message
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.Name; }

class ModuleCompilerErrors : public ::testing::TestWithParam<ErrorCase> {};

const std::string kBooks = "1\tGenesis\tGenesis\tGen\n2\tExodus\tExodus\tEx\n";
const std::string kVerses = "1\t1\t1\ta\n1\t2\t1\tb\n2\t1\t1\tc\n";

TEST_P(ModuleCompilerErrors, NamesFileAndLineAndWritesNothing) {
  const ErrorCase& c = GetParam();
  TempDir dir;
  WriteSource(dir.File("src/"), c.Files);
  try {
    TModuleCompiler::Compile(dir.File("src"), dir.File("out/mod"), 5, false);
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir.File("src/") + c.File) << error.what();
    EXPECT_EQ(error.Line(), c.Line) << error.what();
    EXPECT_NE(error.Message().find(c.Fragment), std::string::npos) << error.what();
  }
  EXPECT_FALSE(fs::exists(dir.File("out/mod")));
  EXPECT_TRUE(!fs::exists(dir.File("out")) || fs::is_empty(dir.File("out")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModuleCompilerErrors,
    ::testing::Values(
        ErrorCase{"BooksTooFewFields",
                  {"1\tGenesis\tGenesis\tGen\n2\tExodus\tEx\n", kVerses},
                  "books.tsv",
                  2,
                  "four tab-separated fields"},
        ErrorCase{"BooksTooManyFields",
                  {"1\tG\tG\tG\tG\n", kVerses},
                  "books.tsv",
                  1,
                  "four tab-separated fields"},
        ErrorCase{
            "BookNumberTooLarge", {"1\tG\tG\tG\n88\tX\tX\tX\n", kVerses}, "books.tsv", 2, "1..87"},
        ErrorCase{
            "BookListedTwice", {kBooks + "1\tG\tG\tG\n", kVerses}, "books.tsv", 3, "listed twice"},
        ErrorCase{
            "EmptyBookName", {"1\tGenesis\t \tGen\n", kVerses}, "books.tsv", 1, "name is empty"},
        ErrorCase{"TitleOutsideCodePage",
                  {"1\tG\tG\tG\n\n2\tИзход\tExodus\tEx\n", kVerses},
                  "books.tsv",
                  3,
                  "column 3: the character \"И\" (U+0418) is not in code page"},
        ErrorCase{"NoBooks", {"\n", kVerses}, "books.tsv", 0, "no book"},
        ErrorCase{"VerseWithoutTabs",
                  {kBooks, "1\t1\t1\ta\n1 1 2 b\n"},
                  "verses.tsv",
                  2,
                  "separated by tabs"},
        ErrorCase{"BookNotListed",
                  {kBooks, "1\t1\t1\ta\n3\t1\t1\tb\n"},
                  "verses.tsv",
                  2,
                  "book 3 is not in books.tsv"},
        ErrorCase{"VerseOutOfOrder",
                  {kBooks, "1\t1\t1\ta\n1\t1\t3\tb\n1\t1\t2\tc\n"},
                  "verses.tsv",
                  3,
                  "out of order"},
        ErrorCase{
            "VerseTwice", {kBooks, "1\t1\t1\ta\n1\t1\t1\tb\n"}, "verses.tsv", 2, "out of order"},
        ErrorCase{"ChapterBack",
                  {kBooks, "1\t1\t1\ta\n1\t2\t1\tb\n1\t1\t2\tc\n"},
                  "verses.tsv",
                  3,
                  "out of order"},
        ErrorCase{"BookBack",
                  {kBooks, "1\t1\t1\ta\n2\t1\t1\tb\n1\t2\t1\tc\n"},
                  "verses.tsv",
                  3,
                  "out of order"},
        ErrorCase{"ChapterSkipped",
                  {kBooks, "1\t1\t1\ta\n1\t3\t1\tb\n"},
                  "verses.tsv",
                  2,
                  "chapter 2 is missing"},
        ErrorCase{"BookStartsAtChapter2",
                  {kBooks, "1\t1\t1\ta\n2\t2\t1\tb\n"},
                  "verses.tsv",
                  2,
                  "chapter 1 is missing"},
        ErrorCase{"BookSkipped",
                  {"1\tG\tG\tG\n2\tE\tE\tE\n3\tL\tL\tL\n", "1\t1\t1\ta\n3\t1\t1\tb\n"},
                  "verses.tsv",
                  2,
                  "book 2 (books.tsv line 2) has no verses"},
        ErrorCase{"LastBookEmpty",
                  {kBooks, "1\t1\t1\ta\n"},
                  "verses.tsv",
                  0,
                  "book 2 (books.tsv line 2) has no verses"},
        ErrorCase{"VerseZero", {kBooks, "1\t1\t0\ta\n"}, "verses.tsv", 1, "1..255"},
        ErrorCase{"Verse256", {kBooks, "1\t1\t256\ta\n"}, "verses.tsv", 1, "1..255"},
        ErrorCase{"ChapterNotANumber", {kBooks, "1\tone\t1\ta\n"}, "verses.tsv", 1, "chapter"},
        ErrorCase{"TextOutsideCodePage",
                  {kBooks, "1\t1\t1\ta\n1\t2\t1\tsay \xCE\xB1!\n"},
                  "verses.tsv",
                  2,
                  "column 11: the character \"\xCE\xB1\" (U+03B1) is not in code page 1252"},
        ErrorCase{"MalformedUtf8",
                  {kBooks, "1\t1\t1\tab\xC3(\n"},
                  "verses.tsv",
                  1,
                  "column 9: malformed UTF-8"},
        ErrorCase{"LinkToMissingVerse",
                  {kBooks, kVerses, "1\t1\t1\t2:1:1 1:1:2\n"},
                  "links.tsv",
                  1,
                  "linked verse 1:1:2 is not in the module"},
        ErrorCase{"LinkToMissingBook",
                  {kBooks, kVerses, "1\t1\t1\t2:1:1\n2\t1\t1\t5:1:1\n"},
                  "links.tsv",
                  2,
                  "not in the module"},
        ErrorCase{"LinkFromMissingVerse",
                  {kBooks, kVerses, "1\t3\t1\t2:1:1\n"},
                  "links.tsv",
                  1,
                  "verse 1:3:1 is not in the module"},
        ErrorCase{"LinkMalformed",
                  {kBooks, kVerses, "1\t1\t1\t2:1\n"},
                  "links.tsv",
                  1,
                  "is not a reference"},
        ErrorCase{"LinkWithoutTargets",
                  {kBooks, kVerses, "1\t1\t1\t \n"},
                  "links.tsv",
                  1,
                  "no linked verse"},
        ErrorCase{"DiffFourNumbers",
                  {kBooks, kVerses, "", "19 9 22 1 -21\n19 9 22 1\n"},
                  "_Diff_.txt",
                  2,
                  "five integers"},
        ErrorCase{"DiffSixNumbers",
                  {kBooks, kVerses, "", "19 9 22 1 -21 0\n"},
                  "_Diff_.txt",
                  1,
                  "five integers"},
        ErrorCase{"DiffBookOutOfRange",
                  {kBooks, kVerses, "", "87 9 22 1 -21\n"},
                  "_Diff_.txt",
                  1,
                  "five integers"},
        ErrorCase{"DiffDeltaOutOfRange",
                  {kBooks, kVerses, "", "19 9 22 1 -129\n"},
                  "_Diff_.txt",
                  1,
                  "five integers"},
        ErrorCase{
            "DiffText", {kBooks, kVerses, "", "19 9 x 1 1\n"}, "_Diff_.txt", 1, "five integers"}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.Name); });

TEST(ModuleCompiler, MissingSourceFileIsAnError) {
  TempDir dir;
  WriteFile(dir.File("src/books.tsv"), kBooks);
  try {
    TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir.File("src/verses.tsv"));
  }
  EXPECT_FALSE(fs::exists(dir.File("mod")));
}

TEST(ModuleCompiler, UnknownLanguageIsAnError) {
  TempDir dir;
  WriteSource(dir.File("src/"), {kBooks, kVerses, "", ""});
  EXPECT_THROW(TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 9, false), LectoraError);
  EXPECT_THROW(TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), -1, false), LectoraError);
  EXPECT_FALSE(fs::exists(dir.File("mod")));
}

TEST(ModuleCompiler, RefusesMoreThan65535Verses) {
  TempDir dir;
  std::string verses;
  for (int chapter = 1; chapter <= 258; ++chapter) {
    for (int verse = 1; verse <= 255; ++verse) {
      verses += "1\t" + std::to_string(chapter) + "\t" + std::to_string(verse) + "\tw\n";
    }
  }
  WriteSource(dir.File("src/"), {"1\tG\tG\tG\n", verses, "", ""});
  try {
    TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.Line(), 65536);
    EXPECT_NE(error.Message().find("65535"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(dir.File("mod")));
}

TEST(ModuleCompiler, AFailedRebuildLeavesTheModuleUntouched) {
  TempDir dir;
  Source source = kTinySource;
  source.Links = "1\t1\t1\t1:1:3\n";
  WriteSource(dir.File("src/"), source);
  TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
  const std::vector<std::string> before = ModuleFiles(dir.File("mod"));
  const std::string text = ReadFile(dir.File("mod/CompactText.bin"));

  WriteFile(dir.File("src/verses.tsv"), "1\t1\t1\tchanged\n1\t1\t1\ttwice\n");
  EXPECT_THROW(TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false), LectoraError);
  EXPECT_EQ(ModuleFiles(dir.File("mod")), before);
  EXPECT_EQ(ReadFile(dir.File("mod/CompactText.bin")), text);
  // No build folder is left beside the module.
  EXPECT_EQ(ModuleFiles(dir.Path()), (std::vector<std::string>{"mod", "src"}));
}

TEST(ModuleCompiler, ARebuildReplacesModuleFilesAndKeepsOthers) {
  TempDir dir;
  Source source = kTinySource;
  source.Links = "1\t1\t1\t1:1:3\n";
  source.Diff = "1 1 1 0 0\n";
  WriteSource(dir.File("src/"), source);
  TModuleCompiler::Compile(dir.File("src/"), dir.File("mod/"), 5, false);
  WriteFile(dir.File("mod/VerseHistory.txt"), "history");

  fs::remove(dir.File("src/links.tsv"));
  fs::remove(dir.File("src/_Diff_.txt"));
  WriteFile(dir.File("src/verses.tsv"), "1\t1\t1\tnew\n40\t1\t1\ttext\n");
  TModuleCompiler::Compile(dir.File("src"), dir.File("mod"), 5, false);
  EXPECT_EQ(ReadFile(dir.File("mod/BibleStructure.csv")), "1 1\r\n1 1\r\n");
  EXPECT_EQ(ReadFile(dir.File("mod/WordList.txt")), "new\r\ntext\r\n");
  EXPECT_FALSE(fs::exists(dir.File("mod/Links.bin")));
  EXPECT_FALSE(fs::exists(dir.File("mod/LinksP.bin")));
  EXPECT_FALSE(fs::exists(dir.File("mod/_Diff_.txt")));
  EXPECT_EQ(ReadFile(dir.File("mod/VerseHistory.txt")), "history");
  EXPECT_EQ(ModuleFiles(dir.Path()), (std::vector<std::string>{"mod", "src"}));
}

TEST(ModuleCompiler, CompilesTheKingJamesSample) {
  TempDir dir;
  const TModuleCompileReport report =
      TModuleCompiler::Compile(test::TestDataDir() + "kjv-sample", dir.File("KJVSN"), 5, true);
  EXPECT_EQ(report.BookCount, 3);
  EXPECT_EQ(report.VerseCount, 31 + 302 + 51 + 25 + 36);
  EXPECT_GT(report.WordCount, 1000);
  EXPECT_EQ(report.LinkedVerses, 13);
  EXPECT_EQ(ReadFile(dir.File("KJVSN/BibleTitles.txt")).substr(0, 10), "3 1 22 54\r");
}

}  // namespace
}  // namespace lectora
