#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/StandardStructure.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;

constexpr int kCyrillic = 0;  // "ORT\", language 0
constexpr int kEnglish = 9;   // "ASV\", language 5

// Windows-1251 spellings used below.
#define BYT "\xC1\xFB\xF2"                  // Быт
#define BYTIE_LOWER "\xE1\xFB\xF2\xE8\xE5"  // бытие
#define TSAR_LOWER "\xF6\xE0\xF0"           // цар
#define ISHOD "\xC8\xF1\xF5\xEE\xE4"        // Исход
#define PSAL "\xCF\xF1\xE0\xEB"             // Псал
#define PS "\xCF\xF1"                       // Пс

// "Ex" is deliberately missing, so that it is matched against the names.
const char* const kAbbreviations =
    "Gen=1\r\n" BYT "=1\r\nJn=54\r\n1 \xD6\xE0\xF0=9\r\n" PS "=22\r\nPs=22\r\n";

class BibleReferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TModuleCompiler::Compile(test::TestDataDir() + "module-en", dir_.File("ASV"), 5, false);
    TModuleCompiler::Compile(test::TestDataDir() + "module-ru", dir_.File("ORT"), 0, false);
    session_ = test::OpenStoreSession(dir_, test::PlainStandardText(), kAbbreviations);
  }

  TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
};

struct FindCase {
  int translation;
  std::string text;
  int position;
  std::string rest;
};

TEST_F(BibleReferencesTest, FindBookRemovesTheRecognisedPart) {
  TBible english(kEnglish, session_->Context());
  TBible cyrillic(kCyrillic, session_->Context());
  const FindCase cases[] = {
      {kEnglish, "Gen 3:16", 1, " 3:16"},      // abbreviation
      {kEnglish, "Genesis 3", 1, " 3"},        // the whole name
      {kEnglish, "Exo 2:1", 2, " 2:1"},        // prefix of the name
      {kEnglish, "Ex 2:1", 2, " 2:1"},         // Exodus 2/2 beats Ezekiel 1/2
      {kEnglish, "Ezr 1:1", 5, " 1:1"},        // Ezra 3/3 beats Ezekiel 2/3
      {kEnglish, "Ez 1:1", 4, " 1:1"},         // Ezekiel and Ezra tie: the earlier
      {kEnglish, "Exodos 1", -1, "Exodos 1"},  // 4 of 6 is not enough ...
      {kEnglish, "Exoduz 1", 2, "z 1"},        // ... 5 of 6 is
      {kEnglish, "Jn 3:16", 0, " 3:16"},       // abbreviation of a book not held
      {kEnglish, "Gexx 1:1", -1, "Gexx 1:1"},  // half the letters agree
      {kEnglish, "E 1:1", -1, "E 1:1"},        // one letter is never enough
      {kEnglish, "3:16", -1, "3:16"},         {kEnglish, "", -1, ""},
      {kCyrillic, BYT " 1:1", 1, " 1:1"},     {kCyrillic, "1 \xD6\xE0\xF0 1:1", 3, " 1:1"},
      {kCyrillic, ISHOD " 2:1", 2, " 2:1"},   {kCyrillic, PSAL " 1:2", 4, " 1:2"},
  };
  for (const FindCase& c : cases) {
    const TBible& bible = c.translation == kEnglish ? english : cyrillic;
    std::string text = c.text;
    EXPECT_EQ(bible.FindBook(text), c.position) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
  }
}

struct ParseCase {
  int translation;
  std::string text;
  bool result;
  bool bookFound;
  int position;  // -1: left as it was
  int chapter;
  int verse;
};

TEST_F(BibleReferencesTest, ParseReference) {
  TBible english(kEnglish, session_->Context());
  TBible cyrillic(kCyrillic, session_->Context());
  const ParseCase cases[] = {
      {kEnglish, "Gen 3:16", true, true, 1, 3, 16},
      {kEnglish, "gen 3:16", true, true, 1, 3, 16},
      {kEnglish, "Psalms 3:16", true, true, 3, 3, 16},
      {kEnglish, "  psalms   2 : 2 ", true, true, 3, 2, 2},
      {kEnglish, "psalms2:1", true, true, 3, 2, 1},
      {kEnglish, "Psalms", true, true, 3, 1, 1},
      {kEnglish, "Psalms 23", true, true, 3, 23, 1},
      {kEnglish, "Psalms 2:", true, true, 3, 2, 1},
      {kEnglish, "Psalms 2:1-3", true, true, 3, 2, 1},
      {kEnglish, "Ex 2:1", true, true, 2, 2, 1},
      {kEnglish, "Jn 3:16", true, true, 0, 3, 16},
      {kEnglish, "5", true, false, -1, 1, 5},  // a lone number is the verse
      {kEnglish, "3:16", true, false, -1, 3, 16},
      {kEnglish, "Qq 3:4a", false, false, -1, 3, 4},
      {kEnglish, "Qq", false, false, -1, 1, 1},
      {kEnglish, "", false, false, -1, 1, 1},
      {kEnglish, "Gen 99999999999:1", true, true, 1, 2147483647, 1},
      {kCyrillic, BYT " 1:3", true, true, 1, 1, 3},
      {kCyrillic, BYTIE_LOWER " 2:1", true, true, 1, 2, 1},
      {kCyrillic, "1" TSAR_LOWER "1:1", true, true, 3, 1, 1},
      {kCyrillic, "  1 " TSAR_LOWER " 1 : 1", true, true, 3, 1, 1},
      {kCyrillic, PS " 1:2", true, true, 4, 1, 2},
  };
  for (const ParseCase& c : cases) {
    const TBible& bible = c.translation == kEnglish ? english : cyrillic;
    int position = -1, chapter = -1, verse = -1;
    session_->Context().BookFound = !c.bookFound;
    EXPECT_EQ(bible.ParseReference(c.text, position, chapter, verse), c.result) << c.text;
    EXPECT_EQ(session_->Context().BookFound, c.bookFound) << c.text;
    EXPECT_EQ(position, c.position) << c.text;
    EXPECT_EQ(chapter, c.chapter) << c.text;
    EXPECT_EQ(verse, c.verse) << c.text;
  }
}

TEST_F(BibleReferencesTest, ParsingATypedReferenceIsQuick) {
  // 77 books, so that a fuzzy match scores many names.
  std::string titles = "77";
  for (int b = 1; b <= 77; ++b) titles += " " + std::to_string(b);
  titles += "\r\n";
  for (int form = 0; form < 3; ++form) {
    for (int b = 1; b <= 77; ++b) titles += "Booktitle" + std::string(1, 'a' + b % 26) + "x\r\n";
  }
  std::string structure;
  for (int b = 1; b <= 77; ++b) structure += "1 1\r\n";
  test::WriteFile(dir_.File("VUL/BibleTitles.txt"), titles);
  test::WriteFile(dir_.File("VUL/BibleStructure.csv"), structure);
  TBible bible(11, session_->Context());
  ASSERT_EQ(bible.BookCount, 77);
  int position = 0, chapter = 0, verse = 0;
  constexpr int kRounds = 2000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) {
    bible.ParseReference(i % 2 ? "booktitlez 12:3" : "Gen 1:1", position, chapter, verse);
  }
  const auto each = (std::chrono::steady_clock::now() - start) / kRounds;
  EXPECT_EQ(position, 25);  // 'a' + 25 % 26 is the first "z"
  EXPECT_LT(each, std::chrono::microseconds(20));
}

}  // namespace
}  // namespace lectora
