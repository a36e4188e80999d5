// Checks of the files shipped in the setup folder: the standard versification
// "BibleStructure.txt" and the abbreviation table "Abrevs.txt". They are parsed
// here with a few lines of their own, so that a fault in the files is not
// hidden by (or blamed on) the readers of the program.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::SourceDir;

constexpr int kStandardBooks = 86;
constexpr int kLastRealBook = 78;

// The lines of `text`, which must all end in CR LF; a bare CR or LF, or a last
// line without its CR LF, is reported through `fault`.
std::vector<std::string> SplitCrLfLines(const std::string& text, std::string& fault) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      fault = "the last line does not end in CR LF";
      return lines;
    }
    std::string line = text.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos) {
      fault = "a bare CR or LF in line " + std::to_string(lines.size() + 1);
      return lines;
    }
    lines.push_back(std::move(line));
    start = end + 2;
  }
  return lines;
}

bool IsDecimal(const std::string& token) {
  if (token.empty() || token.size() > 6) return false;
  for (char c : token) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// ---- the standard structure ----

struct Structure {
  std::vector<std::vector<int>> verseCounts;  // [book - 1][chapter - 1]
  std::string fault;                          // empty when the file parsed
};

Structure LoadStructure() {
  Structure result;
  const std::string text = ReadFile(SourceDir() + "data/BibleStructure.txt");
  if (text.empty()) {
    result.fault = "missing or empty";
    return result;
  }
  for (unsigned char c : text) {
    if (c >= 128 || (c < 32 && c != '\r' && c != '\n')) {
      result.fault = "a byte that is not printable ASCII: " + std::to_string(c);
      return result;
    }
  }
  const std::vector<std::string> lines = SplitCrLfLines(text, result.fault);
  if (!result.fault.empty()) return result;
  for (const std::string& line : lines) {
    std::vector<int> numbers;
    std::size_t at = 0;
    while (at < line.size()) {
      if (line[at] == ' ' || line[at] == '\t') {
        ++at;
        continue;
      }
      const std::size_t end = line.find_first_of(" \t", at);
      const std::string token = line.substr(at, end - at);
      if (!IsDecimal(token)) {
        result.fault = "not a decimal number: \"" + token + "\"";
        return result;
      }
      numbers.push_back(std::stoi(token));
      at = end == std::string::npos ? line.size() : end;
    }
    if (numbers.empty() || numbers[0] != static_cast<int>(numbers.size()) - 1) {
      result.fault = "line " + std::to_string(result.verseCounts.size() + 1) +
                     " does not hold its chapter count and exactly that many verse counts";
      return result;
    }
    result.verseCounts.emplace_back(numbers.begin() + 1, numbers.end());
  }
  return result;
}

class ShippedDataStructureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { structure_ = new Structure(LoadStructure()); }
  static void TearDownTestSuite() {
    delete structure_;
    structure_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(structure_->fault, "") << "BibleStructure.txt"; }

  static const std::vector<int>& Book(int bookNumber) {
    return structure_->verseCounts.at(bookNumber - 1);
  }

  static Structure* structure_;
};

Structure* ShippedDataStructureTest::structure_ = nullptr;

TEST_F(ShippedDataStructureTest, HoldsOneLinePerStandardBook) {
  EXPECT_EQ(structure_->verseCounts.size(), static_cast<std::size_t>(kStandardBooks));
}

TEST_F(ShippedDataStructureTest, ReservedBooksHaveNoChaptersAndRealBooksHaveSome) {
  ASSERT_EQ(structure_->verseCounts.size(), static_cast<std::size_t>(kStandardBooks));
  for (int book = 1; book <= kStandardBooks; ++book) {
    if (book > kLastRealBook) {
      EXPECT_TRUE(Book(book).empty()) << "reserved book " << book;
    } else {
      EXPECT_FALSE(Book(book).empty()) << "book " << book;
    }
  }
}

TEST_F(ShippedDataStructureTest, EveryChapterHasOneToTwoHundredFiftyFiveVerses) {
  for (std::size_t book = 0; book < structure_->verseCounts.size(); ++book) {
    const std::vector<int>& chapters = structure_->verseCounts[book];
    for (std::size_t chapter = 0; chapter < chapters.size(); ++chapter) {
      EXPECT_GE(chapters[chapter], 1) << "book " << book + 1 << " chapter " << chapter + 1;
      EXPECT_LE(chapters[chapter], 255) << "book " << book + 1 << " chapter " << chapter + 1;
    }
  }
}

TEST_F(ShippedDataStructureTest, AllVersesFitSixteenBitVerseNumbers) {
  std::int64_t total = 0;
  for (const std::vector<int>& chapters : structure_->verseCounts) {
    for (int verses : chapters) total += verses;
  }
  EXPECT_GT(total, 30000);  // the whole Bible with the deuterocanonical books
  EXPECT_LT(total, 65535);
}

// Chapter counts that pin each book to its number: a book in the wrong place
// shows up as a wrong count of one of its neighbours.
TEST_F(ShippedDataStructureTest, ChapterCountsFollowTheBookNumbers) {
  const std::vector<std::pair<int, int>> bookChapters = {
      {1, 50},  {2, 40},  {5, 34},  {9, 31},  {10, 24}, {11, 22}, {12, 25}, {13, 29},  {14, 36},
      {15, 10}, {16, 13}, {17, 9},  {18, 14}, {19, 16}, {20, 10}, {21, 42}, {22, 151}, {23, 31},
      {24, 12}, {25, 8},  {26, 19}, {27, 51}, {28, 66}, {29, 52}, {30, 5},  {31, 1},   {32, 5},
      {33, 48}, {34, 14}, {35, 14}, {36, 3},  {39, 4},  {46, 4},  {47, 16}, {48, 15},  {49, 7},
      {50, 16}, {51, 28}, {52, 16}, {53, 24}, {54, 21}, {55, 28}, {56, 5},  {57, 5},   {59, 5},
      {62, 1},  {63, 16}, {64, 16}, {65, 13}, {70, 5},  {75, 1},  {76, 13}, {77, 22},  {78, 1},
  };
  for (const auto& [book, chapters] : bookChapters) {
    EXPECT_EQ(Book(book).size(), static_cast<std::size_t>(chapters)) << "book " << book;
  }
}

// Verse counts where the Synodal versification differs from the Hebrew or
// the King James numbering.
TEST_F(ShippedDataStructureTest, VerseCountsFollowTheSynodalVersification) {
  struct Figure {
    int book, chapter, verses;
  };
  const Figure figures[] = {
      {1, 1, 31},      // Genesis 1
      {22, 118, 176},  // Psalm 118 (Hebrew 119)
      {22, 151, 7},    // Psalm 151
      {22, 9, 39},     // Psalm 9 (Hebrew 9 and 10)
      {34, 3, 100},    // Daniel 3 with the song of the three youths
      {46, 4, 6},      // Malachi 4
      {63, 14, 26},    // Romans 14 ends with the doxology
      {63, 16, 24},    // so Romans 16 ends at verse 24
      {61, 1, 15},     // 3 John
      {78, 1, 12},     // Prayer of Manasseh
      {31, 1, 72},     // Epistle of Jeremiah
      {77, 22, 21},    // Revelation 22
  };
  for (const Figure& f : figures) {
    ASSERT_GE(Book(f.book).size(), static_cast<std::size_t>(f.chapter)) << "book " << f.book;
    EXPECT_EQ(Book(f.book)[f.chapter - 1], f.verses)
        << "book " << f.book << " chapter " << f.chapter;
  }
}

// ---- the abbreviations ----

// Letters as the book-name normaliser sees them (Windows-1251).
bool IsLetter(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 192) return true;
  for (unsigned char other : {129, 131, 138, 140, 141, 143, 154, 156, 157, 159, 163, 188, 190}) {
    if (c == other) return true;
  }
  return false;
}
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsLetterOrDigit(unsigned char c) { return IsLetter(c) || IsDigit(c); }

std::string FoldCase(std::string name) {
  for (char& ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 192 && c <= 223)) ch = static_cast<char>(c + 32);
    // The Serbian and Macedonian pairs of the case table.
    for (const auto& [upper, lower] : {std::pair{129, 131},
                                       {138, 154},
                                       {140, 156},
                                       {141, 157},
                                       {143, 159},
                                       {163, 188},
                                       {189, 190}}) {
      if (c == upper) ch = static_cast<char>(lower);
    }
  }
  return name;
}

// Cyrillic А..я, Ј and ј of a UTF-8 literal to Windows-1251; other
// characters must be ASCII.
std::string To1251(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 128) {
      out += static_cast<char>(c);
      continue;
    }
    const auto next = static_cast<unsigned char>(utf8.at(++i));
    const int code = ((c & 0x1F) << 6) | (next & 0x3F);
    if (code == 0x408 || code == 0x458) {
      out += static_cast<char>(code == 0x408 ? 163 : 188);
      continue;
    }
    EXPECT_TRUE(code >= 0x410 && code <= 0x44F) << "not А..я: " << code;
    out += static_cast<char>(code - 0x410 + 192);
  }
  return out;
}

struct Abbreviation {
  std::string name;
  int book;
};

struct AbbreviationFile {
  std::vector<Abbreviation> entries;
  std::string fault;
};

AbbreviationFile LoadAbbreviations() {
  AbbreviationFile result;
  const std::string text = ReadFile(SourceDir() + "data/Abrevs.txt");
  if (text.empty()) {
    result.fault = "missing or empty";
    return result;
  }
  for (unsigned char c : text) {
    // 0x98 is the one byte that Windows-1251 leaves undefined.
    if (c == 0x98 || c == 127 || (c < 32 && c != '\r' && c != '\n')) {
      result.fault = "a byte that is not Windows-1251 text: " + std::to_string(c);
      return result;
    }
  }
  const std::vector<std::string> lines = SplitCrLfLines(text, result.fault);
  if (!result.fault.empty()) return result;
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0 ||
        line.find('=', equals + 1) != std::string::npos || !IsDecimal(line.substr(equals + 1))) {
      result.fault = "not name=number: \"" + line + "\"";
      return result;
    }
    result.entries.push_back({line.substr(0, equals), std::stoi(line.substr(equals + 1))});
  }
  return result;
}

class ShippedDataAbbreviationsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { file_ = new AbbreviationFile(LoadAbbreviations()); }
  static void TearDownTestSuite() {
    delete file_;
    file_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(file_->fault, "") << "Abrevs.txt"; }

  // Book of the case-folded `name`, or -1.
  static int Lookup(const std::string& name) {
    for (const Abbreviation& entry : file_->entries) {
      if (FoldCase(entry.name) == FoldCase(name)) return entry.book;
    }
    return -1;
  }

  static AbbreviationFile* file_;
};

AbbreviationFile* ShippedDataAbbreviationsTest::file_ = nullptr;

TEST_F(ShippedDataAbbreviationsTest, EveryEntryNamesARealBook) {
  EXPECT_FALSE(file_->entries.empty());
  for (const Abbreviation& entry : file_->entries) {
    EXPECT_GE(entry.book, 1) << entry.name;
    EXPECT_LE(entry.book, kLastRealBook) << entry.name;
  }
}

TEST_F(ShippedDataAbbreviationsTest, EveryBookHasACyrillicAndALatinAbbreviation) {
  std::set<int> cyrillic, latin;
  for (const Abbreviation& entry : file_->entries) {
    bool hasCyrillic = false, hasLatin = false, hasOther = false;
    for (char ch : entry.name) {
      const auto c = static_cast<unsigned char>(ch);
      // А..я and the Serbian letters the case table pairs (Ј, Љ, Њ, Џ ...).
      if (c >= 128 && IsLetter(c)) {
        hasCyrillic = true;
      } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        hasLatin = true;
      } else if (c >= 128) {
        hasOther = true;
      }
    }
    EXPECT_FALSE(hasOther) << "a byte outside the Cyrillic letters and ASCII in " << entry.name;
    EXPECT_FALSE(hasCyrillic && hasLatin) << "mixed scripts in " << entry.name;
    if (hasCyrillic) cyrillic.insert(entry.book);
    if (hasLatin) latin.insert(entry.book);
  }
  for (int book = 1; book <= kLastRealBook; ++book) {
    EXPECT_TRUE(cyrillic.count(book)) << "no Cyrillic abbreviation of book " << book;
    EXPECT_TRUE(latin.count(book)) << "no Latin abbreviation of book " << book;
  }
}

TEST_F(ShippedDataAbbreviationsTest, NoNameStandsForTwoBooks) {
  std::map<std::string, Abbreviation> byFolded;
  for (const Abbreviation& entry : file_->entries) {
    const auto [it, inserted] = byFolded.emplace(FoldCase(entry.name), entry);
    if (!inserted) {
      EXPECT_EQ(it->second.book, entry.book)
          << "\"" << it->second.name << "\" and \"" << entry.name << "\"";
    }
  }
}

// A typed reference is normalised and cut to its book part before the lookup;
// a name that the normaliser or the cut would change could never be found.
TEST_F(ShippedDataAbbreviationsTest, NamesAreAlreadyNormalisedBookParts) {
  for (const Abbreviation& entry : file_->entries) {
    const std::string& s = entry.name;
    SCOPED_TRACE("\"" + s + "\"");
    ASSERT_FALSE(s.empty());
    EXPECT_NE(s.front(), ' ');
    EXPECT_NE(s.back(), ' ');
    EXPECT_EQ(s.find("  "), std::string::npos);
    for (std::size_t i = 0; i < s.size(); ++i) {
      const auto c = static_cast<unsigned char>(s[i]);
      if (c == ' ' && i > 0 && i + 1 < s.size()) {
        EXPECT_TRUE(IsLetterOrDigit(s[i - 1]) && IsLetterOrDigit(s[i + 1]))
            << "a blank not between letters or digits";
      }
      if (i > 0) {
        const auto before = static_cast<unsigned char>(s[i - 1]);
        EXPECT_FALSE(IsDigit(before) && IsLetter(c)) << "no blank after the number";
        EXPECT_FALSE(IsDigit(c) && !IsDigit(before)) << "a digit inside the book part";
      }
    }
    EXPECT_FALSE(s.size() > 1 && IsDigit(s[0]) && IsDigit(s[1])) << "two leading digits";
  }
}

TEST_F(ShippedDataAbbreviationsTest, UsualShortFormsNameTheirBooks) {
  const std::vector<std::pair<std::string, int>> known = {
      // Bulgarian
      {"Бит", 1},
      {"Изх", 2},
      {"Вт", 5},
      {"1 Цар", 9},
      {"2 Цар", 10},
      {"3 Цар", 11},
      {"4 Цар", 12},
      {"1 Пар", 13},
      {"1 Езд", 15},
      {"2 Езд", 17},
      {"3 Езд", 50},
      {"Пс", 22},
      {"Посл Иер", 31},
      {"Вар", 32},
      {"Мт", 51},
      {"Йн", 54},
      {"Як", 56},
      {"1 Пет", 57},
      {"1 Йн", 59},
      {"Юд", 62},
      {"1 Кор", 64},
      {"1 Сол", 70},
      {"Откр", 77},
      // Russian
      {"Быт", 1},
      {"Исх", 2},
      {"Суд", 7},
      {"Есф", 20},
      {"Иов", 21},
      {"Мф", 51},
      {"Ин", 54},
      {"Иак", 56},
      {"1 Ин", 59},
      {"Иуд", 62},
      {"Иудф", 19},
      {"1 Фес", 70},
      {"Флм", 75},
      // English, whatever the case typed
      {"Gen", 1},
      {"Ex", 2},
      {"1 Sam", 9},
      {"2 Sam", 10},
      {"1 Kgs", 11},
      {"2 Kgs", 12},
      {"Ezra", 15},
      {"1 Esd", 17},
      {"2 Esd", 50},
      {"PS", 22},
      {"ps", 22},
      {"Mt", 51},
      {"Matt", 51},
      {"Jn", 54},
      {"Jon", 39},
      {"Jas", 56},
      {"Phil", 68},
      {"Phlm", 75},
      {"Rev", 77},
      {"Pr Man", 78},
      {"Pr", 23},
      // Serbian
      {"1 Мој", 1},
      {"5 Мој", 5},
      {"Јов", 21},
      {"Пс", 22},
      {"Јн", 54},
      {"ЈН", 54},
      {"1 Јн", 59},
      {"Дап", 55},
      {"Јевр", 76},
      // Latin (the Vulgate's own forms)
      {"Gn", 1},
      {"1 Rg", 9},
      {"4 Rg", 12},
      {"2 Esr", 16},
      {"Eccli", 27},
      {"Jo", 54},
      {"1 Jo", 59},
      {"Apc", 77},
  };
  for (const auto& [name, book] : known) {
    EXPECT_EQ(Lookup(To1251(name)), book) << name;
  }
  // Upper-case Cyrillic as the normaliser leaves the first letter.
  EXPECT_EQ(Lookup(To1251("1 КОР")), 64);
}

}  // namespace
}  // namespace lectora
