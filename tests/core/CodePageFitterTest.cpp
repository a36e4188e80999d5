#include "modules/CodePageFitter.h"

#include <gtest/gtest.h>

#include <string>

#include "store/CodePage.h"

namespace lectora {
namespace {

struct FitCase {
  const char* Input;
  int CodePage;
  const char* Output;
  TFitCounts Counts;  // Approximated, Transliterated, Dropped, Unknown, Unaccented
};

const FitCase kCases[] = {
    {"plain ASCII", 1252, "plain ASCII", {0, 0, 0, 0}},
    {"“quotes” ‘single’ – — …", 1252, "“quotes” ‘single’ – — …", {0, 0, 0, 0}},
    // English and Latin know a..z only: a letter outside would split its word.
    {"Æsop, Müller, café", 1252, "AEsop, Muller, cafe", {3, 0, 0, 0}},
    {"Æsop, Müller, café", 1251, "AEsop, Muller, cafe", {3, 0, 0, 0}},
    {"→ see ‐ ‛a", 1251, "- see - 'a", {3, 0, 0, 0}},
    {"λόγος Ἀαρών ῥῆμα", 1252, "logos Aaron rema", {0, 14, 0, 0}},
    // The Greek alphabet has no accented letters, 1253's monotonic ones included.
    {"λόγος Ἀαρών ῥῆμα", 1253, "λογος Ααρων ρημα", {0, 0, 0, 0, 5}},
    {"Ёлка ёж", 1251, "Елка еж", {2, 0, 0, 0}},
    {"ΘΦΧΨ θφχψ", 1252, "ThPhChPs thphchps", {0, 8, 0, 0}},
    {"בְּרֵאשִׁית", 1252, "br'shyt", {0, 6, 5, 0}},
    {"ḗ ṓ ă ē", 1251, "e o a e", {4, 0, 0, 0}},
    {"a\u2009b\u200Bc", 1251, "a bc", {1, 0, 1, 0}},
    {"漢 ☺", 1252, "? ?", {0, 0, 0, 2}},
    {"Слово", 1251, "Слово", {0, 0, 0, 0}},
};

class Fit : public ::testing::TestWithParam<FitCase> {};

TEST_P(Fit, KeepsWhatTheCodePageHoldsAndReplacesTheRest) {
  const FitCase& c = GetParam();
  TCodePageFitter fitter(c.CodePage);
  const std::string out = fitter.Fit(c.Input);
  EXPECT_EQ(out, c.Output);
  std::string bytes;
  EXPECT_TRUE(Utf8ToCodePage(out, c.CodePage, bytes)) << out;
  EXPECT_EQ(fitter.Counts().Approximated, c.Counts.Approximated);
  EXPECT_EQ(fitter.Counts().Transliterated, c.Counts.Transliterated);
  EXPECT_EQ(fitter.Counts().Dropped, c.Counts.Dropped);
  EXPECT_EQ(fitter.Counts().Unknown, c.Counts.Unknown);
  EXPECT_EQ(fitter.Counts().Unaccented, c.Counts.Unaccented);
}

INSTANTIATE_TEST_SUITE_P(Cases, Fit, ::testing::ValuesIn(kCases));

TEST(CodePageFitter, CountsAddUpOverCalls) {
  TCodePageFitter fitter(1252);
  fitter.Fit("α");
  fitter.Fit("β漢");
  EXPECT_EQ(fitter.Counts().Transliterated, 2);
  EXPECT_EQ(fitter.Counts().Unknown, 1);
  EXPECT_EQ(fitter.Counts().Total(), 3);
}

TEST(Utf8, ValidAndMalformedSequences) {
  EXPECT_TRUE(IsValidUtf8("abc λ ש \xEF\xBF\xBD 😀"));
  std::size_t bad = 99;
  EXPECT_FALSE(IsValidUtf8("ab\xC0\xAF", &bad));  // overlong
  EXPECT_EQ(bad, 2u);
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80", &bad));  // surrogate
  EXPECT_EQ(bad, 0u);
  EXPECT_FALSE(IsValidUtf8("abc\xE2\x82", &bad));  // cut short
  EXPECT_EQ(bad, 3u);
  std::string out;
  AppendUtf8(out, 0x3BB);
  AppendUtf8(out, 0x1F600);
  std::size_t pos = 0;
  EXPECT_EQ(NextCodePoint(out, pos), 0x3BBu);
  EXPECT_EQ(NextCodePoint(out, pos), 0x1F600u);
  EXPECT_EQ(pos, out.size());
}

}  // namespace
}  // namespace lectora
