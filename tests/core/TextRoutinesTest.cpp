#include "store/TextRoutines.h"

#include <gtest/gtest.h>

#include <string>

#include "store/CodePage.h"

namespace lectora {
namespace {

// Test texts are written in UTF-8 and handed to the routines in 1251.
std::string Cp(std::string_view utf8) {
  std::string out;
  EXPECT_TRUE(Utf8ToCodePage(utf8, 1251, out)) << utf8;
  return out;
}

// Unicode's lower case for the characters Windows-1251 holds: ASCII and the
// basic Cyrillic block. Anything else has no case partner in the code page.
char32_t UnicodeLower(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  return c;
}

// Pairs that Windows-1251 has but the case routines deliberately leave alone:
// Ђ/ђ, Ћ/ћ, Ў/ў, Ґ/ґ, Ё/ё, Ї/ї, І/і.
bool IsExcludedPair(int b) {
  for (int x : {128, 144, 142, 158, 161, 162, 165, 180, 168, 184, 175, 191, 178, 179}) {
    if (b == x) return true;
  }
  return false;
}

TEST(TextRoutinesCase, EveryByteMatchesUnicodeCaseBarTheExcludedPairs) {
  int pairs = 0;
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const char32_t u = CodePageToUnicode(static_cast<unsigned char>(b), 1251);
    int expectedLower = b;
    if (!IsExcludedPair(b) && UnicodeLower(u) != u) {
      expectedLower = UnicodeToCodePage(UnicodeLower(u), 1251);
      ASSERT_GE(expectedLower, 0);
      ++pairs;
      // The partner goes back up.
      EXPECT_EQ(UpperCase1251(std::string(1, static_cast<char>(expectedLower))), one) << b;
    }
    EXPECT_EQ(static_cast<unsigned char>(LowerCase1251(one)[0]), expectedLower) << "byte " << b;
  }
  EXPECT_EQ(pairs, 26 + 32 + 8);
  for (int b : {128, 144, 142, 158, 161, 162, 165, 180, 168, 184, 175, 191, 178, 179}) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(UpperCase1251(one), one) << b;
    EXPECT_EQ(LowerCase1251(one), one) << b;
  }
  for (int b = 0; b < 65; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(UpperCase1251(one), one) << b;
  }
}

TEST(TextRoutinesCase, WordsKeepTheirLength) {
  EXPECT_EQ(LowerCase1251(Cp("Глава ")), Cp("глава "));
  EXPECT_EQ(UpperCase1251(Cp("Глава ")), Cp("ГЛАВА "));
  EXPECT_EQ(LowerCase1251(std::string("A\0B", 3)), std::string("a\0b", 3));
  EXPECT_EQ(UpperCase1251(""), "");
  const std::string allUpper = Cp("ABCXYZАБВЮЯЃЉЊЌЏЈЄЅ");
  EXPECT_EQ(UpperCase1251(LowerCase1251(allUpper)), allUpper);
  EXPECT_EQ(LowerCase1251(allUpper), Cp("abcxyzабвюяѓљњќџјєѕ"));
}

TEST(TextRoutinesNameLetters, Boundaries) {
  const struct {
    int byte;
    bool letter;
  } cases[] = {{'@', false}, {'A', true},  {'Z', true},  {'[', false}, {'`', false}, {'a', true},
               {'z', true},  {'{', false}, {'/', false}, {128, false}, {129, true},  {130, false},
               {131, true},  {163, true},  {170, false}, {188, true},  {189, false}, {190, true},
               {191, false}, {192, true},  {255, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsNameLetter(static_cast<unsigned char>(c.byte)), c.letter) << c.byte;
    EXPECT_EQ(IsNameLetterOrDigit(static_cast<unsigned char>(c.byte)), c.letter) << c.byte;
  }
  for (char d = '0'; d <= '9'; ++d) EXPECT_TRUE(IsNameLetterOrDigit(static_cast<unsigned char>(d)));
}

struct NormalizeCase {
  const char* input;  // UTF-8
  const char* expected;
};

class NormalizeNameTest : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeNameTest, GivesTheCanonicalSpelling) {
  std::string text = Cp(GetParam().input);
  NormalizeName(text);
  EXPECT_EQ(CodePageToUtf8(text, 1251), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextRoutines, NormalizeNameTest,
    ::testing::Values(NormalizeCase{"  1кор13:4 ", "1 Кор 13:4"}, NormalizeCase{"", ""},
                      NormalizeCase{"    ", ""}, NormalizeCase{"БИТИЕ", "Битие"},
                      NormalizeCase{"битие  1 : 1", "Битие 1:1"}, NormalizeCase{"1  Кор", "1 Кор"},
                      NormalizeCase{"Gen1", "Gen 1"}, NormalizeCase{"ps23", "Ps 23"},
                      NormalizeCase{"Jn 3 , 16", "Jn 3,16"}, NormalizeCase{"13:4", "13:4"},
                      NormalizeCase{" ,a", ",A"},  // no letter before the last character
                      NormalizeCase{"ѓорѓи", "Ѓорѓи"}, NormalizeCase{"ЉУБОВ", "Љубов"},
                      NormalizeCase{"x", "X"}, NormalizeCase{"2Јн", "2 Јн"}));

struct PlainCase {
  std::string input;
  std::string expected;
};

class PlainTextTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainTextTest, DropsMarkupAndTidiesBlanks) {
  EXPECT_EQ(PlainText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextRoutines, PlainTextTest,
    ::testing::Values(PlainCase{"a <x>word</x> (note) b .", "a word b."},
                      PlainCase{"\xB6In the beginning", "In the beginning"}, PlainCase{"", ""},
                      PlainCase{"a~b", "a b"}, PlainCase{"a\tb\r\nc", "a b c"},
                      PlainCase{"a | b\\c", "a bc"},
                      PlainCase{"word  ,  next ; end !", "word, next; end!"},
                      PlainCase{"x ?", "x?"}, PlainCase{"x :y", "x:y"},
                      PlainCase{"(hidden~) x", " x"},  // the tilde counts even when hidden
                      PlainCase{"<b>Bold</b>!", "Bold!"}, PlainCase{"a (never closed", "a "},
                      PlainCase{")a>", "a"}, PlainCase{"\xC0\xB6\xFF", "\xC0\xFF"},
                      PlainCase{"  lead", " lead"}));

}  // namespace
}  // namespace lectora
