#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "modules/ImpReader.h"
#include "modules/SwordBibleImporter.h"
#include "modules/SwordBookNames.h"
#include "modules/SwordDictionaryImporter.h"
#include "search/DicList.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"
#include "store/StandardStructure.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

constexpr int kKjvStrong = 8;  // "KJVSN\", English, Strong's numbers

std::string ImpData(const std::string& name) { return test::TestDataDir() + name; }

// ---- the IMP reader ----

TEST(ImpReader, ReadsKeysTextsAndLines) {
  TImpReader reader("$$$[ Heading ]\n\n$$$Genesis 1:1\r\nIn the\nbeginning\n\n$$$Genesis 1:2\n",
                    "x.imp");
  TImpEntry entry;
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(entry.Key, "[ Heading ]");
  EXPECT_EQ(entry.Text, "");
  EXPECT_EQ(entry.Line, 1);
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(entry.Key, "Genesis 1:1");
  EXPECT_EQ(entry.Text, "In the\nbeginning");
  EXPECT_EQ(entry.Line, 3);
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(entry.Key, "Genesis 1:2");
  EXPECT_EQ(entry.Text, "");
  EXPECT_EQ(entry.Line, 7);
  EXPECT_FALSE(reader.Next(entry));
  EXPECT_FALSE(reader.Next(entry));
}

TEST(ImpReader, EmptyFileAndByteOrderMark) {
  TImpEntry entry;
  TImpReader empty("", "x.imp");
  EXPECT_FALSE(empty.Next(entry));
  TImpReader marked("\xEF\xBB\xBF$$$A\nb\n", "x.imp");
  ASSERT_TRUE(marked.Next(entry));
  EXPECT_EQ(entry.Key, "A");
  EXPECT_EQ(entry.Text, "b");
}

struct ReaderFault {
  const char* Text;
  int Line;
  const char* Message;  // a part of the message
};

const ReaderFault kReaderFaults[] = {
    {"text\n$$$A\nb\n", 1, "before the first"},
    {"$$$A\nb\n$$$\nc\n", 3, "empty"},
    {"$$$A\nb\nc", 3, "cut short"},
    {"$$$A\nb\xC3\n", 2, "UTF-8"},
    {std::string_view("$$$A\nb\0c\n", 10).data(), 2, "NUL"},
};

TEST(ImpReader, FaultsNameTheLine) {
  for (std::size_t i = 0; i < std::size(kReaderFaults); ++i) {
    const ReaderFault& fault = kReaderFaults[i];
    const std::string text = i == 4 ? std::string("$$$A\nb\0c\n", 10) : std::string(fault.Text);
    TImpReader reader(text, "x.imp");
    TImpEntry entry;
    try {
      while (reader.Next(entry)) {
      }
      ADD_FAILURE() << "no error for case " << i;
    } catch (const LectoraError& error) {
      EXPECT_EQ(error.File(), "x.imp") << i;
      EXPECT_EQ(error.Line(), fault.Line) << i;
      EXPECT_NE(error.Message().find(fault.Message), std::string::npos) << error.what();
    }
  }
}

TEST(ImpReader, MissingFileThrows) {
  TempDir dir;
  EXPECT_THROW(TImpReader(dir.File("absent.imp")), LectoraError);
}

// ---- the book table ----

TEST(SwordBookNames, SwordNamesOsisNamesAndOurNames) {
  const struct {
    const char* Name;
    int Number;
  } cases[] = {{"Genesis", 1},
               {"I Samuel", 9},
               {"2Kgs", 12},
               {"psalms", 22},
               {"Song of  Solomon", 25},
               {"Hosea", 35},
               {"Joel", 36},
               {"Malachi", 46},
               {"Matthew", 51},
               {"John", 54},
               {"James", 56},
               {"III John", 61},
               {"Romans", 63},
               {"Revelation of John", 77},
               {"Rev", 77},
               {"1 Corinthians", 64}};
  for (const auto& c : cases) {
    const TSwordBook* book = FindSwordBook(c.Name);
    ASSERT_NE(book, nullptr) << c.Name;
    EXPECT_EQ(book->Number, c.Number) << c.Name;
  }
  EXPECT_EQ(FindSwordBook("Hezekiah"), nullptr);
  EXPECT_EQ(FindSwordBook(""), nullptr);
  ASSERT_NE(SwordBookOfNumber(22), nullptr);
  EXPECT_EQ(SwordBookOfNumber(22)->Short, "Ps");
  EXPECT_EQ(SwordBookOfNumber(79), nullptr);
}

// ---- Bible: source files ----

TEST(SwordBibleImporter, WritesBooksAndVersesInModuleMarkup) {
  TempDir dir;
  const TSwordImportReport report =
      ConvertSwordBible(ImpData("imp-bible/snippet.imp"), dir.File("src"), 1252);
  EXPECT_EQ(ReadFile(dir.File("src/books.tsv")),
            "1\tThe First Book of Moses, called Genesis\tGenesis\tGen\n"
            "12\t2 Kings\t2 Kings\t2 Kgs\n"
            "22\tPsalms\tPsalms\tPs\n"
            "54\tJohn\tJohn\tJn\n");
  EXPECT_EQ(ReadFile(dir.File("src/verses.tsv")),
            "1\t1\t1\tIn the beginning <7225> God <430> created <1254> the heaven <8064> and "
            "<853> the earth <776>.\n"
            "1\t1\t2\tAnd the earth <776> was without form; and darkness |was| upon the face of "
            "the deep.\n"
            "1\t1\t3\t\xC2\xB6"
            "And God <430> said, Let there be light: and there was light.{light: Heb. \"or\"}\n"
            "1\t2\t1\tThus the heavens [and the earth] were finished \xE2\x80\x94 all the host of "
            "them.\n"
            "12\t1\t1\tThen Moab rebelled against Israel after the death of Ahab.\n"
            "22\t1\t1\t\\A Psalm of David.\\ Blessed |is| the man.\n"
            "22\t1\t2\tBut his delight |is| in the law.\n"
            "22\t2\t1\t\\A Psalm <4210>.\\ LORD <3068>, how are they increased!\n"
            "54\t1\t1\tIn the beginning <746> was the Word <3056>.{Word: Gr. logos}\n"
            "54\t1\t3\tAll things were made by him.\n");
  EXPECT_EQ(report.BookCount, 4);
  EXPECT_EQ(report.VerseCount, 10);
  EXPECT_EQ(report.SkippedEntries, 6);
  EXPECT_EQ(report.MalformedEntries, 0);
  EXPECT_EQ(report.Counts.StrongNumbers, 12);
  EXPECT_EQ(report.Counts.Paragraphs, 1);
  EXPECT_EQ(report.Counts.Titles, 2);
  EXPECT_EQ(report.Counts.ReplacedMarkup, 2);
  EXPECT_EQ(report.Counts.CodePage.Transliterated, 5);
}

TEST(SwordBibleImporter, MalformedMarkupIsCountedAndTheTextKept) {
  TempDir dir;
  const TSwordImportReport report =
      ConvertSwordBible(ImpData("imp-bible/malformed.imp"), dir.File("src"), 1252);
  EXPECT_EQ(ReadFile(dir.File("src/verses.tsv")),
            "1\t1\t1\tIn the beginning <7225>\n"
            "1\t1\t2\tAnd the earth was |without form|\n");
  EXPECT_EQ(report.MalformedEntries, 2);
  EXPECT_EQ(report.Counts.MalformedMarkup, 3);
  ASSERT_EQ(report.Warnings.size(), 2u);
  EXPECT_NE(report.Warnings[0].find("malformed.imp:1:"), std::string::npos) << report.Warnings[0];
  EXPECT_NE(report.Warnings[1].find("malformed.imp:3:"), std::string::npos) << report.Warnings[1];
}

struct BadBible {
  const char* File;
  int Line;
  const char* Message;  // a part of the message
};

const BadBible kBadBibles[] = {
    {"unknown-book.imp", 3, "unknown book \"Hezekiah\""},
    {"verse-out-of-order.imp", 5, "comes after verse 1:3"},
    {"chapter-gap.imp", 3, "chapter 3 follows chapter 1"},
    {"chapter-back.imp", 5, "chapter 1 follows chapter 2"},
    {"book-again.imp", 5, "appears again"},
    {"not-a-reference.imp", 3, "is not a reference"},
    {"text-before-key.imp", 1, "before the first"},
    {"verse-over-255.imp", 1, "over 255"},
    {"no-verses.imp", 4, "no verse"},
    {"empty-chapter.imp", 3, "chapter 1 has no verse"},
    {"truncated.imp", 4, "cut short"},
    {"bad-utf8.imp", 2, "UTF-8"},
};

class BadBibleInput : public ::testing::TestWithParam<BadBible> {};

TEST_P(BadBibleInput, NamesTheLineAndWritesNothing) {
  const BadBible& bad = GetParam();
  TempDir dir;
  const std::string file = ImpData(std::string("imp-bad/") + bad.File);
  try {
    ConvertSwordBible(file, dir.File("src"), 1252);
    ADD_FAILURE() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), file);
    EXPECT_EQ(error.Line(), bad.Line) << error.what();
    EXPECT_NE(error.Message().find(bad.Message), std::string::npos) << error.what();
  }
  EXPECT_FALSE(fs::exists(dir.File("src")));
  // Through the module compiler too: no module folder appears.
  EXPECT_THROW(ImportSwordBible(file, dir.File("KJVSN"), kKjvStrong), LectoraError);
  EXPECT_FALSE(fs::exists(dir.File("KJVSN")));
}

INSTANTIATE_TEST_SUITE_P(Files, BadBibleInput, ::testing::ValuesIn(kBadBibles),
                         [](const auto& info) {
                           std::string name = info.param.File;
                           name = name.substr(0, name.find('.'));
                           for (char& c : name) c = c == '-' ? '_' : c;
                           return name;
                         });

TEST(SwordBibleImporter, MissingFileAndBadTranslationNumber) {
  TempDir dir;
  EXPECT_THROW(ConvertSwordBible(dir.File("absent.imp"), dir.File("src"), 1252), LectoraError);
  EXPECT_THROW(ImportSwordBible(ImpData("imp-bible/snippet.imp"), dir.File("M"), 12), LectoraError);
  EXPECT_THROW(ImportSwordBible(ImpData("imp-bible/snippet.imp"), dir.File("M"), -1), LectoraError);
  EXPECT_FALSE(fs::exists(dir.File("M")));
}

// ---- Bible: end to end ----

class SwordBibleModule : public ::testing::Test {
 protected:
  void SetUp() override { session_ = test::OpenStoreSession(dir_, test::PlainStandardText()); }

  TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
};

TEST_F(SwordBibleModule, ImportedVersesReadBackInTheCodePage) {
  const TSwordImportReport report =
      ImportSwordBible(ImpData("imp-bible/snippet.imp"), dir_.File("KJVSN"), kKjvStrong);
  EXPECT_EQ(report.Module.BookCount, 4);
  EXPECT_EQ(report.Module.VerseCount, 11);  // John 1:2 is an empty verse

  TBible bible(kKjvStrong, session_->Context());
  ASSERT_FALSE(bible.Path.empty());
  EXPECT_EQ(bible.BookCount, 4);
  EXPECT_EQ(bible.VerseTotal, 11);
  EXPECT_EQ(bible.Books[1].Name, "Genesis");
  EXPECT_EQ(bible.Books[1].AltName, "Gen");
  EXPECT_EQ(bible.Books[1].Title, "The First Book of Moses, called Genesis");
  EXPECT_EQ(bible.Books[12].Name, "2 Kings");

  std::string text;
  bible.ReadVerse(1, text);
  EXPECT_EQ(text,
            "In the beginning <7225> God <430> created <1254> the heaven <8064> and <853> the "
            "earth <776>.");
  bible.GetVerse(bible.BookPosition[1], 1, 3, text);
  EXPECT_EQ(text,
            "\xB6"
            "And God <430> said, Let there be light: and there was light.{light: Heb. \"or\"}");
  bible.GetVerse(bible.BookPosition[1], 2, 1, text);
  EXPECT_EQ(text, "Thus the heavens [and the earth] were finished \x97 all the host of them.");
  bible.GetVerse(bible.BookPosition[22], 2, 1, text);
  EXPECT_EQ(text, "\\A Psalm <4210>.\\ LORD <3068>, how are they increased!");
  bible.GetVerse(bible.BookPosition[54], 1, 2, text);
  EXPECT_EQ(text, "");
  bible.GetVerse(bible.BookPosition[54], 1, 3, text);
  EXPECT_EQ(text, "All things were made by him.");
}

TEST_F(SwordBibleModule, AFailedImportLeavesTheOldModule) {
  ImportSwordBible(ImpData("imp-bible/snippet.imp"), dir_.File("KJVSN"), kKjvStrong);
  const std::string before = ReadFile(dir_.File("KJVSN/CompactText.bin"));
  ASSERT_FALSE(before.empty());
  EXPECT_THROW(ImportSwordBible(ImpData("imp-bad/chapter-gap.imp"), dir_.File("KJVSN"), kKjvStrong),
               LectoraError);
  EXPECT_EQ(ReadFile(dir_.File("KJVSN/CompactText.bin")), before);
}

// ---- dictionaries ----

TEST(SwordDictionaryImporter, StrongsMergeHasHebrewThenGreek) {
  TempDir dir;
  const TSwordDictionaryReport report = MergeStrongsDictionaries(
      ImpData("imp-dict/hebrew.imp"), ImpData("imp-dict/greek.imp"), dir.File("strong.tsv"));
  EXPECT_EQ(ReadFile(dir.File("strong.tsv")),
            "1\t'b 'ab awb A primitive word; father - {chief} father.\n"
            "1\tA A al'-fah the first letter of the alphabet: --Alpha.\n"
            "2\t'ab (Chaldee); corresponding to H1: - father.\n"
            "7225\tre'shiyth the first, in place, time, order or rank / \"beginning\" / chief\n"
            "3056\tlogos logos from G3004; something said.\n");
  EXPECT_EQ(report.HeadwordCount, 4);
  EXPECT_EQ(report.ExplanationCount, 5);
  EXPECT_EQ(report.SkippedEntries, 1);  // G9999 has no text
  ASSERT_EQ(report.Warnings.size(), 1u);
  EXPECT_NE(report.Warnings[0].find("greek.imp:5:"), std::string::npos) << report.Warnings[0];
  EXPECT_EQ(report.Counts.ReplacedMarkup, 2);
  EXPECT_EQ(report.Counts.CodePage.Transliterated, 8);  // אב, Α, λόγος
  EXPECT_EQ(report.Counts.CodePage.Approximated, 4);    // â, ê, î, ó
}

TEST(SwordDictionaryImporter, TopicNamesAreKeptCutAndSeparatedFromTheText) {
  TempDir dir;
  const TSwordDictionaryReport report =
      ConvertSwordDictionaries({ImpData("imp-dict/nave.imp")}, dir.File("nave.tsv"));
  EXPECT_EQ(ReadFile(dir.File("nave.tsv")),
            "AARON\tAARON: - Lineage of Ex 6:16-20; Jos 21:4 - Marriage of Ex 6:23\n"
            "ABBA\tABBA: - Father Mr 14:36; Ro 8:15\n"
            "BETH-EL-APHRAH (R. V.) APHRAH\tBETH-EL-APHRAH (R. V.) APHRAH: - See APHRAH\n"
            "HOLY SPIRIT\tHOLY SPIRIT: - Comforter Joh 14:16\n");
  EXPECT_EQ(report.ShortenedHeadwords, 1);
  EXPECT_EQ(report.Counts.CodePage.Approximated, 5);  // the arrows
}

TEST(SwordDictionaryImporter, CompiledDictionaryFindsItsHeadwords) {
  TempDir dir;
  const TSwordDictionaryReport report =
      ImportSwordDictionary({ImpData("imp-dict/hebrew.imp"), ImpData("imp-dict/greek.imp")},
                            dir.File("Dictionaries/Strong"), "Strong's");
  EXPECT_EQ(report.Dictionary.HeadwordCount, 4);
  EXPECT_EQ(report.Dictionary.ExplanationCount, 5);
  EXPECT_TRUE(fs::exists(dir.File("Dictionaries/Strong.ind")));

  const TSwordDictionaryReport nave =
      ImportSwordDictionary({ImpData("imp-dict/nave.imp")}, dir.File("Dictionaries/Nave"), "Nave");
  EXPECT_EQ(nave.Dictionary.HeadwordCount, 4);
}

TEST(SwordDictionaryImporter, BadInputNamesTheLineAndWritesNothing) {
  TempDir dir;
  EXPECT_THROW(ConvertSwordDictionaries({ImpData("imp-bad/truncated.imp")}, dir.File("d.tsv")),
               LectoraError);
  EXPECT_FALSE(fs::exists(dir.File("d.tsv")));
  WriteFile(dir.File("empty.imp"), "$$$00001\n\n");
  try {
    ConvertSwordDictionaries({dir.File("empty.imp")}, dir.File("d.tsv"));
    ADD_FAILURE() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir.File("d.tsv"));
  }
  EXPECT_FALSE(fs::exists(dir.File("d.tsv")));
  EXPECT_THROW(ImportSwordDictionary({dir.File("empty.imp")}, dir.File("D/x"), "X"), LectoraError);
  EXPECT_FALSE(fs::exists(dir.File("D/x.ind")));
}

}  // namespace
}  // namespace lectora
