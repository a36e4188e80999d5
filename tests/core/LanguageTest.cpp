#include "store/Language.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "store/CodePage.h"
#include "store/KeyboardLayoutQuery.h"
#include "store/LectoraError.h"

namespace lectora {
namespace {

constexpr std::uint32_t kUsLayout = 0x04090409;

class FakeLayouts : public IKeyboardLayoutQuery {
 public:
  explicit FakeLayouts(std::optional<std::uint32_t> active) : active_(active) {}
  std::optional<std::uint32_t> ActiveLayout() const override { return active_; }

 private:
  std::optional<std::uint32_t> active_;
};

// The Bulgarian choice is process-wide: every test starts from and returns to
// the standard layout.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { SetBulgarianLayout(BulgarianLayout::Standard); }
  void TearDown() override { SetBulgarianLayout(BulgarianLayout::Standard); }
};

std::string Cp(std::string_view utf8, int codePage) {
  std::string out;
  EXPECT_TRUE(Utf8ToCodePage(utf8, codePage, out)) << utf8;
  return out;
}

unsigned char Byte(std::string_view utf8, int codePage) {
  const std::string bytes = Cp(utf8, codePage);
  EXPECT_EQ(bytes.size(), 1u);
  return bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
}

TEST_F(LanguageTest, AlphabetsAreWholeAndCharsetsMatchCodePages) {
  // Letters per case; a character lost or doubled in a table shows here.
  const std::size_t letters[] = {30, 31, 30, 32, 29, 26, 25, 26, 30};
  for (int n = 0; n < TLanguage::kLanguageCount; ++n) {
    const TLanguage lang(n);
    EXPECT_EQ(lang.LanguageNumber(), n);
    EXPECT_EQ(CodePageOfCharset(lang.Charset()), lang.CodePage()) << n;
    EXPECT_EQ(lang.Alphabet.size(), 2 * letters[n]) << n;
    EXPECT_EQ(lang.LowerSet.count(), letters[n]) << n;
    EXPECT_EQ(lang.Letters.count(), 2 * letters[n] - (n == 8 ? 1 : 0)) << n;  // ß counted once
  }
  EXPECT_THROW(TLanguage(9), LectoraError);
  EXPECT_THROW(TLanguage(-1), LectoraError);
}

TEST_F(LanguageTest, EveryLayoutHasNinetyFourCodePageBytes) {
  const std::string_view reference = TLanguage::ReferenceLayout();
  ASSERT_EQ(reference.size(), 94u);
  // Each reference key occurs once, or a key would have two meanings.
  std::string sorted(reference);
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());

  for (int n = 0; n < TLanguage::kLanguageCount; ++n) {
    for (BulgarianLayout choice : {BulgarianLayout::Standard, BulgarianLayout::Phonetic}) {
      const std::string& layout = TLanguage::KeyboardLayout(n, choice);
      EXPECT_EQ(layout.size(), 94u) << n;
      const int cp = TLanguage(n).CodePage();
      for (unsigned char b : layout) {
        EXPECT_NE(CodePageToUnicode(b, cp), 0xFFFD) << "language " << n << " byte " << int(b);
      }
      // The digit keys give digits everywhere: a cheap guard against a
      // layout string that slipped by one character.
      EXPECT_EQ(layout.substr(1, 10), "1234567890") << n;
    }
  }
  EXPECT_EQ(TLanguage::KeyboardLayout(5, BulgarianLayout::Standard), reference);
  EXPECT_EQ(TLanguage::KeyboardLayout(7, BulgarianLayout::Phonetic), reference);
  EXPECT_NE(TLanguage::KeyboardLayout(0, BulgarianLayout::Standard),
            TLanguage::KeyboardLayout(0, BulgarianLayout::Phonetic));
}

TEST_F(LanguageTest, ShiftedLetterKeysGiveTheUpperCasePartner) {
  // Keeps the unshifted and shifted halves of each layout aligned with each
  // other and with the alphabet tables.
  const std::string_view reference = TLanguage::ReferenceLayout();
  for (int n = 0; n < TLanguage::kLanguageCount; ++n) {
    const TLanguage lang(n);
    for (BulgarianLayout choice : {BulgarianLayout::Standard, BulgarianLayout::Phonetic}) {
      const std::string& layout = TLanguage::KeyboardLayout(n, choice);
      int letterKeys = 0;
      for (char key = 'a'; key <= 'z'; ++key) {
        const auto low = static_cast<unsigned char>(layout[reference.find(key)]);
        const auto high = static_cast<unsigned char>(layout[reference.find(key - 32)]);
        if (!lang.LowerSet[low] || !lang.UpperSet[high]) continue;
        ++letterKeys;
        // Greek "w" gives final sigma, whose shifted key is the ordinary capital.
        if (n == 6 && key == 'w') continue;
        EXPECT_EQ(lang.UpperOf[low], high) << "language " << n << " key " << key;
      }
      EXPECT_GE(letterKeys, 21) << n;
    }
  }
}

TEST_F(LanguageTest, CasePartnersAgreeWithUnicode) {
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  if (utf8 == static_cast<locale_t>(nullptr)) GTEST_SKIP() << "no C.UTF-8 locale";
  for (int n = 0; n < TLanguage::kLanguageCount; ++n) {
    const TLanguage lang(n);
    const int cp = lang.CodePage();
    for (int c = 0; c < 256; ++c) {
      if (!lang.LowerSet[c]) continue;
      const auto b = static_cast<unsigned char>(c);
      const wint_t lower = CodePageToUnicode(b, cp);
      const wint_t upper = CodePageToUnicode(lang.UpperOf[c], cp);
      EXPECT_EQ(lang.LowerOf[lang.UpperOf[c]], c) << n << " byte " << c;
      if (lower == 0x00DF || lower == 0x03C2) continue;  // ß and ς have no capital byte
      EXPECT_EQ(upper, towupper_l(lower, utf8)) << "language " << n << " byte " << c;
    }
  }
  freelocale(utf8);
}

TEST_F(LanguageTest, WeightsFollowTheAlphabet) {
  for (int n = 0; n < TLanguage::kLanguageCount; ++n) {
    const TLanguage lang(n);
    for (int c = 0; c < 256; ++c) {
      EXPECT_EQ(lang.Weight[c], lang.Weight[lang.LowerOf[c]]) << n << " byte " << c;
      EXPECT_EQ(lang.Weight[c] > 256, bool(lang.Letters[c])) << n << " byte " << c;
      if (!lang.Letters[c]) {
        EXPECT_EQ(lang.LowerOf[c], c >= 'A' && c <= 'Z' ? c + 32 : c) << n << " byte " << c;
      }
    }
    const std::string& alphabet = lang.Alphabet;
    const std::size_t half = alphabet.size() / 2;
    for (std::size_t k = 0; k < half; ++k) {
      const auto low = static_cast<unsigned char>(alphabet[k]);
      if (n == 8 && low == 0xDF) continue;  // ß sits in both halves
      EXPECT_EQ(lang.Weight[low], 257 + k) << n << " letter " << k;
      EXPECT_EQ(lang.UpperOf[low], static_cast<unsigned char>(alphabet[half + k])) << n;
    }
  }

  const TLanguage bulgarian(0);
  EXPECT_EQ(bulgarian.Weight[Byte("а", 1251)], 257);
  EXPECT_EQ(bulgarian.Weight[Byte("А", 1251)], 257);
  EXPECT_EQ(bulgarian.Weight[Byte("б", 1251)], 258);
  EXPECT_EQ(bulgarian.Weight['z'], 122);
  EXPECT_EQ(bulgarian.Weight['Z'], 122);
  EXPECT_FALSE(bulgarian.IsLetter(Byte("ы", 1251)));
  EXPECT_TRUE(TLanguage(3).IsLetter(Byte("ы", 1251)));

  const TLanguage german(8);
  const unsigned char sz = Byte("ß", 1250);
  EXPECT_TRUE(german.LowerSet[sz]);
  EXPECT_EQ(german.UpperOf[sz], sz);
  EXPECT_EQ(german.Weight[sz], 256 + 22);  // between s and t

  const TLanguage greek(6);
  EXPECT_EQ(greek.UpperOf[0xF2], 0xD2);  // ς opposite the unassigned byte
  EXPECT_EQ(greek.Alphabet.front(), '\xE1');
  EXPECT_EQ(greek.Alphabet.back(), '\xD9');
}

struct CompareCase {
  int language;
  const char* s1;  // UTF-8
  const char* s2;
  int expected;
};

class LanguageCompare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(LanguageCompare, OrdersByWeight) {
  const CompareCase& c = GetParam();
  const TLanguage lang(c.language);
  const std::string a = Cp(c.s1, lang.CodePage());
  const std::string b = Cp(c.s2, lang.CodePage());
  EXPECT_EQ(lang.Compare(a, b), c.expected);
  EXPECT_EQ(lang.Compare(b, a), -c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Language, LanguageCompare,
    ::testing::Values(CompareCase{0, "дом", "дома", -1},  // a proper prefix first
                      CompareCase{0, "Дом", "дом", 0},    // case is ignored
                      CompareCase{0, "", "", 0}, CompareCase{0, "", "а", -1},
                      CompareCase{0, "z", "а", -1},  // Latin before the alphabet
                      CompareCase{0, "Zebra", "zebra", 0}, CompareCase{0, "ъгъл", "ьо", -1},
                      CompareCase{0, "-", "a", -1},
                      CompareCase{1, "ѓавол", "ено", -1},  // alphabet order, not byte order
                      CompareCase{1, "аз", "ѓ", -1},
                      CompareCase{3, "ёж", "а", -1},  // ё is not in the alphabet
                      CompareCase{4, "ăsta", "beta", -1},
                      CompareCase{4, "W", "w", 0},  // outside the alphabet, still caseless
                      CompareCase{4, "w", "a", -1},
                      CompareCase{6, "Λόγος", "λογος", -1},  // ό is outside the alphabet
                      CompareCase{6, "ΑΒΓ", "αβγ", 0}, CompareCase{8, "Äpfel", "Bach", -1},
                      CompareCase{8, "Maß", "Mast", 1},  // ß after s
                      CompareCase{8, "Maß", "Mat", -1}, CompareCase{8, "Maß", "Mas", 1}));

TEST_F(LanguageTest, CompareSortsAWordList) {
  const TLanguage macedonian(1);
  std::vector<std::string> words;
  for (const char* w : {"шума", "ѓавол", "Абер", "ѕид", "ено", "аба", "џеб", "љубов"}) {
    words.push_back(Cp(w, 1251));
  }
  std::sort(words.begin(), words.end(), [&](const std::string& a, const std::string& b) {
    return macedonian.Compare(a, b) < 0;
  });
  std::string joined;
  for (const std::string& w : words) joined += CodePageToUtf8(w, 1251) + " ";
  EXPECT_EQ(joined, "аба Абер ѓавол ено ѕид љубов џеб шума ");
}

struct KeyCase {
  const char* name;
  int language;
  BulgarianLayout bulgarian;
  std::optional<std::uint32_t> active;  // nullopt: the platform cannot tell
  bool withQuery;
  char key;
  const char* expected;  // UTF-8, one character
};

class TranslateKeyTest : public ::testing::TestWithParam<KeyCase> {
 protected:
  void TearDown() override { SetBulgarianLayout(BulgarianLayout::Standard); }
};

TEST_P(TranslateKeyTest, GivesTheLetterMeant) {
  const KeyCase& c = GetParam();
  SetBulgarianLayout(c.bulgarian);
  const TLanguage lang(c.language);
  const FakeLayouts layouts(c.active);
  char key = c.key;
  lang.TranslateKey(key, c.withQuery ? &layouts : nullptr);
  EXPECT_EQ(key, static_cast<char>(Byte(c.expected, lang.CodePage())));
}

constexpr auto kStd = BulgarianLayout::Standard;
constexpr auto kPhon = BulgarianLayout::Phonetic;

INSTANTIATE_TEST_SUITE_P(
    Language, TranslateKeyTest,
    ::testing::Values(KeyCase{"BulgarianPhoneticQ", 0, kPhon, kUsLayout, true, 'q', "я"},
                      KeyCase{"BulgarianStandardW", 0, kStd, kUsLayout, true, 'w', "у"},
                      KeyCase{"BulgarianStandardShiftedW", 0, kStd, kUsLayout, true, 'W', "У"},
                      KeyCase{"BulgarianStandardQIsComma", 0, kStd, kUsLayout, true, 'q', ","},
                      KeyCase{"BulgarianPhoneticBacktick", 0, kPhon, kUsLayout, true, '`', "ю"},
                      KeyCase{"BulgarianOwnLayoutActive", 0, kPhon, 0x04020402, true, 'q', "q"},
                      KeyCase{"UnknownLayoutTranslates", 0, kStd, std::nullopt, true, 'w', "у"},
                      KeyCase{"NoQueryTranslates", 0, kPhon, kUsLayout, false, 'q', "я"},
                      KeyCase{"CyrillicByteUnchanged", 0, kPhon, kUsLayout, true, '\xE0', "а"},
                      KeyCase{"ControlKeyUnchanged", 3, kStd, kUsLayout, true, '\r', "\r"},
                      KeyCase{"RussianShiftedQ", 3, kStd, kUsLayout, true, 'Q', "Й"},
                      KeyCase{"MacedonianShift2", 1, kStd, kUsLayout, true, '@', "„"},
                      KeyCase{"SerbianQ", 2, kStd, kUsLayout, true, 'q', "љ"},
                      KeyCase{"SerbianW", 2, kStd, kUsLayout, true, 'W', "Њ"},
                      KeyCase{"SerbianBackslash", 2, kStd, kUsLayout, true, '\\', "ж"},
                      KeyCase{"SerbianBracket", 2, kStd, kUsLayout, true, '[', "ш"},
                      KeyCase{"RomanianBracket", 4, kStd, kUsLayout, true, '[', "ă"},
                      KeyCase{"RomanianBackslash", 4, kStd, kUsLayout, true, '\\', "â"},
                      KeyCase{"GermanSemicolon", 8, kStd, kUsLayout, true, ';', "ö"},
                      KeyCase{"GreekOnUs", 6, kStd, kUsLayout, true, 'a', "α"},
                      KeyCase{"GreekLayoutActiveForGreek", 6, kStd, 0x04080408, true, 'a', "a"},
                      KeyCase{"EnglishNeverTranslated", 5, kPhon, 0x04020402, true, 'q', "q"},
                      KeyCase{"LatinNeverTranslated", 7, kStd, 0x04080408, true, 'w', "w"},
                      KeyCase{"EnglishNoQuery", 5, kStd, std::nullopt, false, '[', "["}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(LanguageTest, BulgarianChoiceReachesExistingRecords) {
  const TLanguage bulgarian(0);
  const FakeLayouts us(kUsLayout);
  char key = 'q';
  bulgarian.TranslateKey(key, &us);
  EXPECT_EQ(key, ',');
  SetBulgarianLayout(BulgarianLayout::Phonetic);
  EXPECT_EQ(CurrentBulgarianLayout(), BulgarianLayout::Phonetic);
  key = 'q';
  bulgarian.TranslateKey(key, &us);
  EXPECT_EQ(key, static_cast<char>(Byte("я", 1251)));
  // Other Cyrillic languages ignore the Bulgarian choice.
  key = 'q';
  TLanguage(3).TranslateKey(key, &us);
  EXPECT_EQ(key, static_cast<char>(Byte("й", 1251)));
}

}  // namespace
}  // namespace lectora
