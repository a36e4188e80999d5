#include "store/Bible.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "store/BibleSet.h"
#include "store/FileCheck.h"
#include "store/LectoraError.h"
#include "store/StandardStructure.h"
#include "store/TranslationTable.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;
using test::WriteFile;

constexpr int kCyrillic = 0;  // "ORT\", language 0
constexpr int kEnglish = 9;   // "ASV\", language 5

// The standard versification of these tests: the books of the sample module
// with its own counts, every other book 10 chapters of 30 verses.
std::string StandardText() {
  std::string text;
  for (int b = 1; b <= TStandardStructure::kBooks; ++b) {
    if (b == 1 || b == 22)
      text += "2 3 2\n";
    else if (b == 2)
      text += "2 2 1\n";
    else if (b == 33)
      text += "1 2\n";
    else
      text += "10 30 30 30 30 30 30 30 30 30 30\n";
  }
  return text;
}

// Genesis (1), Exodus (2), Psalms (22) and Ezekiel (33), 15 verses.
const char* const kTitles =
    "4 1 2 22 33\r\n"
    "The First Book of Moses\r\nThe Second Book of Moses\r\nThe Psalms\r\nEzekiel the Prophet\r\n"
    "Genesis\r\nExodus\r\nPsalms\r\nEzekiel\r\n"
    "Gen\r\nExod\r\nPs\r\nEzek\r\n";
const char* const kStructure = "2 3 2\r\n2 2 1\r\n2 3 2\r\n1 2\r\n";

class BibleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session_ = test::OpenStoreSession(dir_, StandardText());
    session_->SetMessages(&messages_);
    session_->SetDriveDialog(&dialog_);
  }

  // Writes a module of the sample books into `folder` (a full path with "/").
  static void WriteModule(const std::string& folder, const std::string& titles = kTitles,
                          const std::string& structure = kStructure) {
    WriteFile(folder + "BibleTitles.txt", titles);
    WriteFile(folder + "BibleStructure.csv", structure);
  }

  TempDir dir_;
  test::RecordingMessages messages_;
  test::ScriptedDriveDialog dialog_;
  std::unique_ptr<TStoreSession> session_;
};

TEST_F(BibleTest, LoadsTitlesStructureAndFiles) {
  WriteModule(dir_.File("ASV/"));
  WriteFile(dir_.File("ASV/LinksP.bin"), "");
  TBible bible(kEnglish, session_->Context());
  ASSERT_TRUE(bible.Loaded());
  EXPECT_EQ(bible.Path, dir_.File("ASV/"));
  EXPECT_EQ(bible.DefaultPath, bible.Path);
  EXPECT_EQ(bible.BookCount, 4);
  EXPECT_EQ(bible.VerseTotal, 15);
  EXPECT_EQ(bible.BookOrder[3], 22);
  EXPECT_EQ(bible.BookPosition[33], 4);
  EXPECT_EQ(bible.BookPosition[3], 0);
  const TBook& psalms = bible.Books[22];
  EXPECT_EQ(psalms.Title, "The Psalms");
  EXPECT_EQ(psalms.Name, "Psalms");
  EXPECT_EQ(psalms.AltName, "Ps");
  EXPECT_EQ(psalms.MatchName, "Psalms");
  EXPECT_EQ(psalms.VerseCounts, (std::vector<std::uint8_t>{3, 2}));
  EXPECT_EQ(psalms.LastVerse, 13);
  EXPECT_EQ(bible.Books[1].LastVerse, 5);
  EXPECT_FALSE(bible.NoLinks);
  ASSERT_NE(bible.Words, nullptr);
  EXPECT_EQ(dialog_.Calls, 0);
  EXPECT_EQ(dialog_.LastPreset, "");
}

TEST_F(BibleTest, TitlesWithPlainLineFeedsAndNoFinalLineEnd) {
  std::string titles = kTitles;
  for (std::size_t at; (at = titles.find('\r')) != std::string::npos;) titles.erase(at, 1);
  titles.pop_back();
  WriteModule(dir_.File("ASV/"), titles, "2 3 2 2 2 1\n2 3 2 1 2");
  TBible bible(kEnglish, session_->Context());
  EXPECT_EQ(bible.Books[33].AltName, "Ezek");
  EXPECT_EQ(bible.VerseTotal, 15);
  EXPECT_TRUE(bible.NoLinks);
}

TEST_F(BibleTest, VerseNumbersRoundTripOverTheWholeModule) {
  WriteModule(dir_.File("ASV/"));
  TBible bible(kEnglish, session_->Context());
  EXPECT_EQ(bible.VerseNumber(1, 1, 1), 1);
  EXPECT_EQ(bible.VerseNumber(1, 2, 1), 1 + 3);
  EXPECT_EQ(bible.VerseNumber(1, 0, 2), 2);  // chapter <= 1 adds no counts
  EXPECT_EQ(bible.VerseNumber(2, 1, 1), 6);
  int expected = 0;
  for (int p = 1; p <= bible.BookCount; ++p) {
    const TBook& book = bible.Books[bible.BookOrder[p]];
    for (int c = 1; c <= static_cast<int>(book.VerseCounts.size()); ++c) {
      for (int v = 1; v <= book.VerseCounts[c - 1]; ++v) {
        const int number = bible.VerseNumber(p, c, v);
        ASSERT_EQ(number, ++expected);
        int position = 0, chapter = 0, verse = 0;
        bible.VerseToRef(number, position, chapter, verse);
        ASSERT_EQ(position, p);
        ASSERT_EQ(chapter, c);
        ASSERT_EQ(verse, v);
      }
    }
  }
  EXPECT_EQ(expected, bible.VerseTotal);
  // Too large: a verse beyond the last chapter of the last book.
  int position = 0, chapter = 0, verse = 0;
  bible.VerseToRef(bible.VerseTotal + 3, position, chapter, verse);
  EXPECT_EQ(position, 4);
  EXPECT_EQ(chapter, 1);
  EXPECT_EQ(verse, 5);
  // Places the module does not have never wrap into real verse numbers.
  EXPECT_EQ(bible.VerseNumber(0, 1, 1), 0);
  EXPECT_EQ(bible.VerseNumber(5, 1, 1), 0);
  EXPECT_EQ(bible.VerseNumber(1, 1, 70000), 0xFFFF);
}

TEST_F(BibleTest, WithoutDiffTheStandardMappingKeepsTheReference) {
  WriteModule(dir_.File("ASV/"));
  TBible bible(kEnglish, session_->Context());
  for (int number = 1; number <= bible.VerseTotal; ++number) {
    int position = 0, chapter = 0, verse = 0;
    bible.VerseToRef(number, position, chapter, verse);
    const int book = bible.BookOrder[position];
    const std::int32_t standard = bible.ToStandard(book, chapter, verse);
    ASSERT_EQ(standard, session_->Standard().StandardNumber(book, chapter, verse));
    ASSERT_EQ(bible.FromStandard(standard), number);
  }
  // Book 19 is not in the module.
  EXPECT_EQ(bible.FromStandard(session_->Standard().StandardNumber(19, 2, 3)), 0);
}

TEST_F(BibleTest, DiffMapsChapterAndVerseBothWays) {
  // Book 19: chapter 9 runs on into what the standard counts as chapter 10;
  // a second record later in the chapter overrides the first.
  std::string titles = "1 19\r\nJudith\r\nJudith\r\nJdt\r\n";
  std::string structure = "10 30 30 30 30 30 30 30 30 40 20\r\n";
  WriteModule(dir_.File("ASV/"), titles, structure);
  WriteFile(dir_.File("ASV/_Diff_.txt"), "19 9 22 1 -21\r\n\r\n19 9 35 1 -20\r\n19 2 5 0 1\r\n");
  TBible bible(kEnglish, session_->Context());
  EXPECT_EQ(bible.DiffToStandard[19].size(), 3u);
  EXPECT_EQ(bible.ToStandard(19, 9, 25), session_->Standard().StandardNumber(19, 10, 4));
  EXPECT_EQ(bible.ToStandard(19, 9, 22), session_->Standard().StandardNumber(19, 10, 1));
  EXPECT_EQ(bible.ToStandard(19, 9, 21), session_->Standard().StandardNumber(19, 9, 21));
  EXPECT_EQ(bible.ToStandard(19, 9, 36), session_->Standard().StandardNumber(19, 10, 16));
  EXPECT_EQ(bible.ToStandard(19, 8, 25), session_->Standard().StandardNumber(19, 8, 25));

  int book = 19, chapter = 10, verse = 1;
  bible.StandardToOwnRef(book, chapter, verse);
  EXPECT_EQ(book, 19);
  EXPECT_EQ(chapter, 9);
  EXPECT_EQ(verse, 22);
  EXPECT_EQ(bible.FromStandard(session_->Standard().StandardNumber(19, 10, 4)),
            bible.VerseNumber(1, 9, 25));
  EXPECT_EQ(bible.FromStandard(session_->Standard().StandardNumber(19, 9, 21)),
            bible.VerseNumber(1, 9, 21));
  EXPECT_EQ(bible.FromStandard(session_->Standard().StandardNumber(19, 10, 16)),
            bible.VerseNumber(1, 9, 36));
}

struct BadFile {
  const char* name;
  const char* file;  // the module file to replace
  std::string text;
  int line;
};

class BibleFileErrors : public BibleTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BibleFileErrors, NameTheFileAndLineAndSaveNothing) {
  WriteModule(dir_.File("ASV/"));
  WriteFile(dir_.File(std::string("ASV/") + GetParam().file), GetParam().text);
  try {
    TBible bible(kEnglish, session_->Context());
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir_.File(std::string("ASV/") + GetParam().file));
    EXPECT_EQ(error.Line(), GetParam().line) << error.what();
  }
  EXPECT_FALSE(session_->Settings().Ini().SectionExists("ASV\\Font"));
}

INSTANTIATE_TEST_SUITE_P(
    ModuleFiles, BibleFileErrors,
    ::testing::Values(
        BadFile{"TitlesCountNotANumber", "BibleTitles.txt", "four 1 2\r\n", 1},
        BadFile{"TitlesBookAbove87", "BibleTitles.txt", "1 88\r\nA\r\nA\r\nA\r\n", 1},
        BadFile{"TitlesBookZero", "BibleTitles.txt", "1 0\r\nA\r\nA\r\nA\r\n", 1},
        BadFile{"TitlesBookTwice", "BibleTitles.txt", "2 1 1\r\nA\r\nB\r\nA\r\nB\r\nA\r\nB\r\n", 1},
        BadFile{"TitlesTooFewNumbers", "BibleTitles.txt", "3 1 2\r\n", 1},
        BadFile{"TitlesTooFewLines", "BibleTitles.txt", "2 1 2\r\nA\r\nB\r\nA\r\nB\r\nA\r\n", 7},
        BadFile{"TitlesEmpty", "BibleTitles.txt", "", 1},
        BadFile{"StructureNotANumber", "BibleStructure.csv", "2 3 2\r\n2 2 1\r\n2 3 2.5\r\n1 2\r\n",
                3},
        BadFile{"StructureCommas", "BibleStructure.csv", "2,3,2\r\n", 1},
        BadFile{"StructureAbove255", "BibleStructure.csv", "2 3 2\r\n2 2 256\r\n2 3 2\r\n1 2\r\n",
                2},
        BadFile{"StructureTooShort", "BibleStructure.csv", "2 3 2\r\n2 2 1\r\n2 3", 3},
        BadFile{"StructureTooLong", "BibleStructure.csv", "2 3 2\r\n2 2 1\r\n2 3 2\r\n1 2\r\n9\r\n",
                5},
        BadFile{"DiffFourNumbers", "_Diff_.txt", "22 1 1 0 0\r\n22 1 1 0\r\n", 2},
        BadFile{"DiffBook87", "_Diff_.txt", "87 1 1 0 0\r\n", 1},
        BadFile{"DiffDeltaTooLarge", "_Diff_.txt", "22 1 1 0 128\r\n", 1},
        BadFile{"DiffStandardBelowZero", "_Diff_.txt", "22 1 1 -2 0\r\n", 1},
        BadFile{"DiffNotANumber", "_Diff_.txt", "\r\n22 1 x 0 0\r\n", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BibleTest, MissingModuleIsUnavailableAndSavesNothing) {
  {
    TBible bible(kEnglish, session_->Context());
    EXPECT_FALSE(bible.Loaded());
    EXPECT_EQ(bible.Path, "");
    EXPECT_EQ(bible.Words, nullptr);
    EXPECT_EQ(bible.BookCount, 0);
    std::string text = "x";
    bible.ReadVerse(1, text);
    EXPECT_EQ(text, "");
    bible.ReferenceText(1, false, text);
    EXPECT_EQ(text, "");
  }
  EXPECT_EQ(dialog_.Calls, 1);  // asked, and cancelled
  EXPECT_FALSE(session_->Settings().Ini().SectionExists("ASV\\Font"));
  EXPECT_FALSE(session_->Settings().Ini().SectionExists("ASV\\BookMarks"));
  EXPECT_TRUE(messages_.Messages.empty());
}

TEST_F(BibleTest, ModuleUnderTheRememberedRootThenOneFoundThroughTheDialog) {
  const std::string media = dir_.Path() + "media";
  const std::string disc = dir_.Path() + "disc";
  WriteModule(media + "/ASV/");
  WriteModule(disc + "/ORT/");
  session_->Settings().Registry().WriteRegValue("SetupPath", media);

  TBible english(kEnglish, session_->Context());
  EXPECT_EQ(english.Path, media + "/ASV/");
  EXPECT_EQ(english.DefaultPath, dir_.File("ASV/"));
  EXPECT_EQ(dialog_.Calls, 0);

  dialog_.Answer = disc;
  TBible cyrillic(kCyrillic, session_->Context());
  EXPECT_EQ(cyrillic.Path, disc + "/ORT/");
  EXPECT_EQ(dialog_.Calls, 1);
  EXPECT_EQ(dialog_.LastPreset, media);
  std::string root;
  session_->Settings().Registry().ReadRegValue("SetupPath", root);
  EXPECT_EQ(root, disc);

  // A root chosen where the module is not is not remembered.
  dialog_.Answer = dir_.Path() + "elsewhere";
  TBible missing(3, session_->Context());
  EXPECT_FALSE(missing.Loaded());
  session_->Settings().Registry().ReadRegValue("SetupPath", root);
  EXPECT_EQ(root, disc);
}

TEST_F(BibleTest, BookmarksAndFontComeFromAndReturnToTheSettings) {
  TMyIniFile& ini = session_->Settings().Ini();
  TFontInfo stored;
  stored.Name = "DejaVu Serif";
  stored.Size = 14;
  stored.CharSet = 0;
  ini.WriteFont("ORT\\Font", stored);
  ini.WriteSection("ORT\\BookMarks", {"Gen 1:1", "Ps 2:1"});
  WriteModule(dir_.File("ORT/"));
  {
    TBible bible(kCyrillic, session_->Context());
    EXPECT_EQ(bible.Font.Name, "DejaVu Serif");
    EXPECT_EQ(bible.Font.Size, 14);
    EXPECT_EQ(bible.Font.CharSet, 204);  // forced to the language's
    EXPECT_EQ(bible.Bookmarks, (std::vector<std::string>{"Gen 1:1", "Ps 2:1"}));
    bible.Bookmarks = {"Exod 2:1"};
    bible.Font.Size = 16;
  }
  EXPECT_EQ(ini.ReadSection("ORT\\BookMarks"), std::vector<std::string>{"Exod 2:1"});
  EXPECT_EQ(ini.ReadInteger("ORT\\Font", "FontSize", 0), 16);
  EXPECT_EQ(ini.ReadInteger("ORT\\Font", "CharSet", 0), 204);
}

TEST_F(BibleTest, DefaultFontIsVerdana) {
  WriteModule(dir_.File("ASV/"));
  TBible bible(kEnglish, session_->Context());
  EXPECT_EQ(bible.Font.Name, "Verdana");
  EXPECT_EQ(bible.Font.CharSet, 0);
}

TEST_F(BibleTest, ChapterWordInTheLanguagesCodePage) {
  TBible cyrillic(kCyrillic, session_->Context());
  std::string word;
  cyrillic.ChapterWord(22, word);
  EXPECT_EQ(word, "  \xCF\xF1\xE0\xEB\xEE\xEC ");  // "  Псалом " in Windows-1251
  cyrillic.ChapterWord(1, word);
  EXPECT_EQ(word, "\xC3\xEB\xE0\xE2\xE0 ");  // "Глава "
  TBible english(kEnglish, session_->Context());
  english.ChapterWord(22, word);
  EXPECT_EQ(word, "Psalm ");
  english.ChapterWord(23, word);
  EXPECT_EQ(word, "Chapter ");
  EXPECT_FALSE(english.HasStrongNumbers());
  EXPECT_TRUE(TBible(8, session_->Context()).HasStrongNumbers());
}

TEST(TranslationTable, FoldersShortNamesAndLanguages) {
  const struct {
    int number;
    const char* folder;
    const char* shortName;
    int language;
  } expected[] = {{0, "ORT", "Synod", 0}, {1, "bgnew", "", 0},    {2, "Veren", "Veren", 0},
                  {3, "38", "bg38", 0},   {4, "Tzrg", "bg14", 0}, {5, "Srb", "Srb", 2},
                  {6, "RU", "Rus", 3},    {7, "ROM", "Rom", 4},   {8, "KJVSN", "KJVSn", 5},
                  {9, "ASV", "ASV", 5},   {10, "Gr", "GrNt", 6},  {11, "VUL", "Vulg", 7}};
  for (const auto& e : expected) {
    EXPECT_EQ(TranslationFolderName(e.number), e.folder);
    EXPECT_EQ(std::string(TranslationInfo(e.number).Folder), std::string(e.folder) + "\\");
    EXPECT_STREQ(TranslationInfo(e.number).ShortName, e.shortName);
    EXPECT_EQ(TranslationInfo(e.number).Language, e.language);
  }
  EXPECT_TRUE(TranslationInfo(6).RunOn);
  EXPECT_TRUE(TranslationInfo(10).Strong);
  EXPECT_EQ(TranslationInfo(1).HelpTopic, 53);
  EXPECT_THROW(TranslationInfo(12), LectoraError);
}

TEST_F(BibleTest, BibleSetSlotsAndCyrillicFontName) {
  TBibleSet bibles(session_->Context());
  EXPECT_EQ(bibles.CyrillicFontName(session_->Settings().Ini()), "");
  session_->Settings().Ini().WriteString("38\\Font", "FontName", "Liberation Serif");
  session_->Settings().Ini().WriteString("Tzrg\\Font", "FontName", "Other");
  EXPECT_EQ(bibles.CyrillicFontName(session_->Settings().Ini()), "Liberation Serif");

  WriteModule(dir_.File("ASV/"));
  WriteModule(dir_.File("bgnew/"));
  EXPECT_EQ(bibles[9], nullptr);
  TBible& english = bibles.Open(kEnglish);
  EXPECT_EQ(&bibles.Open(kEnglish), &english);
  EXPECT_EQ(bibles[9], &english);
  EXPECT_EQ(bibles.CyrillicFontName(session_->Settings().Ini()), "Liberation Serif");
  session_->Settings().Ini().WriteString("bgnew\\Font", "FontName", "DejaVu Sans");
  bibles.Open(1).Font.Name = "Chosen";  // "bgnew\", Cyrillic: its own font counts
  EXPECT_EQ(bibles.CyrillicFontName(session_->Settings().Ini()), "Chosen");
  bibles.Close(kEnglish);
  EXPECT_EQ(bibles[9], nullptr);
  EXPECT_TRUE(session_->Settings().Ini().SectionExists("ASV\\Font"));  // saved when closed
  bibles.CloseAll();
  EXPECT_EQ(bibles[1], nullptr);
  EXPECT_THROW(bibles.Open(12), LectoraError);
}

TEST(FileCheck, ReportsAMissingFileAndHaltsOnlyWhenAsked) {
  TempDir dir;
  test::RecordingMessages messages;
  WriteFile(dir.File("here.txt"), "x");
  EXPECT_TRUE(CheckFile(dir.File("here.txt"), true, &messages));
  EXPECT_FALSE(CheckFile(dir.File("gone.txt"), false, &messages));
  EXPECT_FALSE(CheckFile(dir.File("gone.txt"), false, nullptr));
  EXPECT_THROW(CheckFile(dir.Path(), true, nullptr), LectoraError);  // a folder is no file
  EXPECT_EQ(messages.Messages, std::vector<std::string>{"File not found: " + dir.File("gone.txt")});
}

}  // namespace
}  // namespace lectora
