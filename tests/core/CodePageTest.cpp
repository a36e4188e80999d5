#include "store/CodePage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

namespace lectora {
namespace {

constexpr int kCodePages[] = {1250, 1251, 1252, 1253};

// What glibc's converter makes of one byte, or nullopt when it rejects it.
std::optional<char32_t> IconvChar(iconv_t cd, unsigned char b) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in[1] = {static_cast<char>(b)};
  unsigned char out[8] = {};
  char* inPtr = in;
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t inLeft = 1;
  std::size_t outLeft = sizeof out;
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  if (sizeof out - outLeft != 4) return std::nullopt;
  return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

TEST(CodePageTables, AgreeWithIconvForEveryHighByte) {
  for (int cp : kCodePages) {
    const std::string name = "CP" + std::to_string(cp);
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << name;
    for (int b = 128; b < 256; ++b) {
      const std::optional<char32_t> expected = IconvChar(cd, static_cast<unsigned char>(b));
      EXPECT_EQ(static_cast<char32_t>(CodePageToUnicode(static_cast<unsigned char>(b), cp)),
                expected.value_or(0xFFFD))
          << name << " byte " << b;
    }
    iconv_close(cd);
  }
}

TEST(CodePageTables, AsciiIsIdentityInEveryCodePage) {
  for (int cp : kCodePages) {
    for (int b = 0; b < 128; ++b) {
      EXPECT_EQ(CodePageToUnicode(static_cast<unsigned char>(b), cp), b);
      EXPECT_EQ(UnicodeToCodePage(static_cast<char32_t>(b), cp), b);
    }
  }
}

TEST(CodePageTables, DefinedBytesRoundTripThroughUtf8) {
  for (int cp : kCodePages) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      if (CodePageToUnicode(byte, cp) == 0xFFFD) continue;
      const std::string one(1, static_cast<char>(byte));
      std::string back;
      ASSERT_TRUE(Utf8ToCodePage(CodePageToUtf8(one, cp), cp, back)) << cp << " byte " << b;
      EXPECT_EQ(back, one) << cp << " byte " << b;
      EXPECT_EQ(UnicodeToCodePage(CodePageToUnicode(byte, cp), cp), b);
      all += one;
    }
    std::string back;
    ASSERT_TRUE(Utf8ToCodePage(CodePageToUtf8(all, cp), cp, back));
    EXPECT_EQ(back, all) << cp;
  }
}

TEST(CodePageTables, UndefinedBytesBecomeReplacementAndDoNotComeBack) {
  // 0x98 is the one hole of Windows-1251; 0xD2 and 0xFF are holes of 1253.
  EXPECT_EQ(CodePageToUtf8("\x98", 1251), "\xEF\xBF\xBD");
  EXPECT_EQ(CodePageToUtf8("\xD2\xFF", 1253), "\xEF\xBF\xBD\xEF\xBF\xBD");
  std::string out = "kept";
  std::size_t bad = 99;
  EXPECT_FALSE(Utf8ToCodePage("\xEF\xBF\xBD", 1251, out, &bad));
  EXPECT_EQ(bad, 0u);
  EXPECT_EQ(out, "kept");
  EXPECT_EQ(UnicodeToCodePage(0xFFFD, 1253), -1);
}

TEST(CodePage, SupportedCodePagesAndCharsets) {
  for (int cp : kCodePages) EXPECT_TRUE(IsSupportedCodePage(cp));
  for (int cp : {0, 437, 1254, 65001}) EXPECT_FALSE(IsSupportedCodePage(cp));
  EXPECT_EQ(CodePageOfCharset(204), 1251);
  EXPECT_EQ(CodePageOfCharset(238), 1250);
  EXPECT_EQ(CodePageOfCharset(161), 1253);
  EXPECT_EQ(CodePageOfCharset(0), 1252);
  EXPECT_EQ(CodePageOfCharset(2), 1252);
  // An unsupported code page is answered as "undefined", never read out of bounds.
  EXPECT_EQ(CodePageToUnicode(0xC0, 437), 0xFFFD);
  EXPECT_EQ(UnicodeToCodePage(0x410, 437), -1);
}

TEST(CodePage, Utf8ToCodePageReportsFirstOffendingCharacter) {
  // "аб" is four bytes of UTF-8; "ä" has no place in Windows-1251.
  std::string out = "unchanged";
  std::size_t bad = 0;
  EXPECT_FALSE(Utf8ToCodePage("аб\xC3\xA4x", 1251, out, &bad));
  EXPECT_EQ(bad, 4u);
  EXPECT_EQ(out, "unchanged");
  ASSERT_TRUE(Utf8ToCodePage("абä", 1250, out) == false);  // Cyrillic is not in 1250
  ASSERT_TRUE(Utf8ToCodePage("Ţară", 1250, out));
  EXPECT_EQ(out, "\xDE\x61\x72\xE3");
}

struct MalformedCase {
  const char* name;
  std::string bytes;     // preceded by "a" and followed by "b" in the test
  std::size_t replaced;  // replacements the lossy conversion makes
};

class MalformedUtf8 : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedUtf8, IsRejectedWithoutReadingPastTheEnd) {
  const MalformedCase& c = GetParam();
  const std::string text = "a" + c.bytes + "b";
  std::string out;
  std::size_t bad = 0;
  EXPECT_FALSE(Utf8ToCodePage(text, 1252, out, &bad));
  EXPECT_EQ(bad, 1u);

  std::size_t replaced = 0;
  EXPECT_EQ(Utf8ToCodePageLossy(text, 1252, &replaced), "a" + std::string(c.replaced, '?') + "b");
  EXPECT_EQ(replaced, c.replaced);
  EXPECT_EQ(Utf8ToUtf16(text), u"a" + std::u16string(c.replaced, u'\xFFFD') + u"b");

  // The same bytes at the very end of the input: nothing beyond is touched
  // (the sanitizer build would see it).
  const std::string tail = "a" + c.bytes;
  std::vector<char> exact(tail.begin(), tail.end());
  EXPECT_FALSE(Utf8ToCodePage(std::string_view(exact.data(), exact.size()), 1252, out));
  EXPECT_EQ(Utf8ToUtf16(std::string_view(exact.data(), exact.size())).size(), 1 + c.replaced);
}

INSTANTIATE_TEST_SUITE_P(CodePage, MalformedUtf8,
                         ::testing::Values(MalformedCase{"LoneContinuation", "\x80", 1},
                                           MalformedCase{"OverlongSlash", "\xC0\xAF", 2},
                                           MalformedCase{"OverlongC1", "\xC1\xBF", 2},
                                           MalformedCase{"OverlongThreeByte", "\xE0\x80\xAF", 3},
                                           MalformedCase{"OverlongFourByte", "\xF0\x80\x80\xAF", 4},
                                           MalformedCase{"HighSurrogate", "\xED\xA0\x80", 3},
                                           MalformedCase{"LowSurrogate", "\xED\xBF\xBF", 3},
                                           MalformedCase{"PastMaximum", "\xF4\x90\x80\x80", 4},
                                           MalformedCase{"LeadF5", "\xF5\x80\x80\x80", 4},
                                           MalformedCase{"LeadFF", "\xFF", 1},
                                           MalformedCase{"TruncatedTwoByte", "\xD0", 1},
                                           MalformedCase{"TruncatedThreeByte", "\xE2\x82", 1},
                                           MalformedCase{"TruncatedFourByte", "\xF0\x9F\x98", 1},
                                           MalformedCase{"TwoTruncated", "\xE2\x82\xE2\x82", 2}),
                         [](const ::testing::TestParamInfo<MalformedCase>& info) {
                           return info.param.name;
                         });

TEST(CodePage, Utf8AndUtf16BoundaryCharactersRoundTrip) {
  const std::u16string samples[] = {
      u"\x7F",   u"\x80",   u"\x07FF",     u"\x0800",     u"\xD7FF",
      u"\xE000", u"\xFFFF", u"\U00010000", u"\U0010FFFF", u"Лектора — Λόγος",
  };
  const std::string utf8[] = {
      "\x7F",         "\xC2\x80",     "\xDF\xBF",         "\xE0\xA0\x80",     "\xED\x9F\xBF",
      "\xEE\x80\x80", "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", "Лектора — Λόγος",
  };
  for (std::size_t i = 0; i < std::size(samples); ++i) {
    EXPECT_EQ(Utf16ToUtf8(samples[i]), utf8[i]) << i;
    EXPECT_EQ(Utf8ToUtf16(utf8[i]), samples[i]) << i;
  }
}

TEST(CodePage, LoneSurrogatesInUtf16BecomeReplacement) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u"a" + std::u16string(1, u'\xDC00') + u"b"),
            "a\xEF\xBF\xBD"
            "b");
  // A high surrogate followed by something else keeps the something else.
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'\xD83D', u'x'}), "\xEF\xBF\xBDx");
}

struct ClipboardCase {
  int charset;
  unsigned char byte;
  char16_t unit;
};

TEST(ClipboardMapping, ToUnicodeGivesTheCharacterShownOnScreen) {
  // Every byte of every charset a module font uses copies as the character
  // its code page gives it (what the control draws), so nothing is lost:
  // Ђ ђ Ё ё І і « » in 1251, Ά and the Greek punctuation in 1253, ă Ă â î
  // and the German quotes in 1250, ¶ … ’ in 1252.
  for (const int charset : {0, 1, 2, 161, 186, 204, 238}) {
    const int codePage = CodePageOfCharset(charset);
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      const std::u16string got = ToUnicode(std::string(1, static_cast<char>(byte)), charset);
      ASSERT_EQ(got.size(), 1u);
      const bool commaBelow =
          codePage == 1250 && (b == 0xAA || b == 0xBA || b == 0xDE || b == 0xFE);
      if (!commaBelow) {
        EXPECT_EQ(got[0], CodePageToUnicode(byte, codePage))
            << "charset " << charset << " byte " << b;
      }
    }
  }
  const ClipboardCase cases[] = {
      {0, 0xB6, 0x00B6},   {0, 0x85, 0x2026},   {0, 0x92, 0x2019},   {0, 0xE9, 0x00E9},
      {0, 0x80, 0x20AC},   {204, 'A', u'A'},    {204, 0x80, 0x0402}, {204, 0x90, 0x0452},
      {204, 0xA8, 0x0401}, {204, 0xB8, 0x0451}, {204, 0xB2, 0x0406}, {204, 0xB3, 0x0456},
      {204, 0xAB, 0x00AB}, {204, 0xBB, 0x00BB}, {204, 0x85, 0x2026}, {204, 0xC0, 0x0410},
      {204, 0xFF, 0x044F}, {204, 129, 0x0403},  {204, 163, 0x0408},  {161, 0xC1, 0x0391},
      {161, 0xA2, 0x0386}, {161, 0xF9, 0x03C9}, {161, 0x85, 0x2026}, {238, 0xAA, 0x0218},
      {238, 0xBA, 0x0219}, {238, 0xDE, 0x021A}, {238, 0xFE, 0x021B}, {238, 0xE3, 0x0103},
      {238, 0xC3, 0x0102}, {238, 0xC2, 0x00C2}, {238, 0xEE, 0x00EE}, {238, 0x84, 0x201E},
      {238, 0x93, 0x201C}, {238, 0xDF, 0x00DF}, {1, 0x92, 0x2019},
  };
  for (const ClipboardCase& c : cases) {
    const std::u16string got = ToUnicode(std::string(1, static_cast<char>(c.byte)), c.charset);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], c.unit) << "charset " << c.charset << " byte " << int(c.byte);
  }
  EXPECT_EQ(ToUnicode("", 204), u"");
  // A byte the code page leaves undefined is marked, not dropped.
  EXPECT_EQ(ToUnicode("a\x98z", 204), u"a\xFFFDz");
}

TEST(ClipboardMapping, WideToCodePageLandsOnTheModuleCodePages) {
  // Each mapped character must land on its byte in the code page of the
  // modules it is meant for.
  struct Row {
    char16_t unit;
    int codePage;
  };
  const Row rows[] = {
      {0x0103, 1250}, {0x015E, 1250}, {0x015F, 1250}, {0x0162, 1250}, {0x0163, 1250},
      {0x0391, 1253}, {0x03A9, 1253}, {0x03AC, 1253}, {0x03C2, 1253}, {0x03CE, 1253},
      {0x0401, 1251}, {0x0402, 1251}, {0x0403, 1251}, {0x0404, 1251}, {0x0405, 1251},
      {0x0406, 1251}, {0x0408, 1251}, {0x0409, 1251}, {0x040A, 1251}, {0x040B, 1251},
      {0x040C, 1251}, {0x040F, 1251}, {0x0410, 1251}, {0x042F, 1251}, {0x0430, 1251},
      {0x044F, 1251}, {0x0452, 1251}, {0x0453, 1251}, {0x0455, 1251}, {0x0458, 1251},
      {0x0459, 1251}, {0x045A, 1251}, {0x045B, 1251}, {0x045C, 1251}, {0x045F, 1251},
      {0x2013, 1251}, {0x2014, 1251}, {0x2018, 1251}, {0x2019, 1251}, {0x201C, 1251},
      {0x201D, 1251}, {0x201E, 1251}, {0x2020, 1251}, {0x2026, 1251}, {0x2116, 1251},
  };
  for (const Row& r : rows) {
    const std::string got = WideToCodePage(std::u16string(1, r.unit));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(got[0]), UnicodeToCodePage(r.unit, r.codePage))
        << std::hex << int(r.unit);
  }
}

TEST(ClipboardMapping, WideToCodePageKeepsLatin1AndMarksTheRest) {
  EXPECT_EQ(WideToCodePage(u"Az\x00E9\x00FF"), "Az\xE9\xFF");
  EXPECT_EQ(WideToCodePage(u"\xFEFF"
                           u"1 Kor"),
            " 1 Kor");
  // Cyrillic letters the table leaves out, the euro sign and a surrogate pair:
  // one "?" per UTF-16 unit, so the length never changes.
  EXPECT_EQ(WideToCodePage(u"\x0407\x040E\x0451\x0454\x0456\x0457\x045E\x0490\x0491"), "?????????");
  EXPECT_EQ(WideToCodePage(u"\x20AC\U0001F600"), "???");
}

}  // namespace
}  // namespace lectora
