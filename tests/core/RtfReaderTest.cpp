// The RTF reader: text, paragraphs, code pages by \fcharset and \ansicpg,
// \uN with its fallbacks, the destinations it skips, formats, the samples
// LibreOffice wrote, and damaged input (deep nesting, unterminated groups,
// cut escapes, binary junk), which must end in a document, not a crash.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "store/CodePage.h"
#include "store/rtf/RtfReader.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

std::string Utf8(const std::u16string& text) { return Utf16ToUtf8(text); }
std::string TextOf(const std::string& rtf) { return Utf8(ReadRtf(rtf).PlainText()); }

struct TextCase {
  const char* Name;
  const char* Rtf;
  const char* Text;  // UTF-8, paragraphs joined with "\n"
};

class RtfReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfReaderText, ReadsTheText) {
  EXPECT_EQ(TextOf(GetParam().Rtf), GetParam().Text) << GetParam().Rtf;
}

const TextCase kTextCases[] = {
    {"Plain", R"({\rtf1\ansi Hello world})", "Hello world"},
    {"ParEndsAParagraph", R"({\rtf1 one\par two\par})", "one\ntwo"},
    {"TextAfterTheLastPar", R"({\rtf1 one\par two})", "one\ntwo"},
    {"EmptyParagraphsKept", R"({\rtf1 one\par\par two\par})", "one\n\ntwo"},
    {"BackslashNewlineIsPar", "{\\rtf1 one\\\ntwo}", "one\ntwo"},
    {"LineEndsOfTheFileAreNoText", "{\\rtf1 on\r\ne}", "one"},
    {"EscapedSymbols", R"({\rtf1 a\{b\}c\\d})", "a{b}c\\d"},
    {"DelimitingSpaceEaten", R"({\rtf1 \b bold\b0  plain})", "bold plain"},
    {"CyrillicByFontCharset",
     R"({\rtf1\ansi{\fonttbl{\f0\fswiss\fcharset204 Verdana;}}\f0 \'c1\'ee\'e3})", "Бог"},
    {"WesternByFontCharset", R"({\rtf1{\fonttbl{\f0\fcharset0 Arial;}}\f0 caf\'e9})", "café"},
    {"GreekByFontCharset", R"({\rtf1{\fonttbl{\f0\fcharset161 Arial;}}\f0 \'e8\'e5\'fc\'f2})",
     "θεός"},
    {"AnsiCodePageWithoutCharset", R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0 Arial;}}\f0 \'e0})",
     "а"},
    {"DefaultFontCharset", R"({\rtf1\deff1{\fonttbl{\f1\fcharset204 X;}}\'e0})", "а"},
    {"UnicodeSkipsOneFallback", R"({\rtf1 \u1041?\u1086?\u1075?})", "Бог"},
    {"UnicodeSkipsTwoFallbacks", R"({\rtf1\uc2 \u1041\'84\'41!})", "Б!"},
    {"UcZeroSkipsNothing", R"({\rtf1\uc0 \u1041 x})", "Бx"},
    {"NegativeUnicode", R"({\rtf1 \u-3?})", "\xEF\xBF\xBD"},
    {"HugeUnicode", R"({\rtf1 \u99999999999999?x})", "\xEF\xBF\xBDx"},
    {"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "\xF0\x9F\x98\x80"},
    {"UcIsPerGroup", R"({\rtf1 {\uc3 \u1041abc}\u1041?d})", "ББd"},
    {"StarDestinationSkipped", R"({\rtf1 {\*\generator Writer 7;}text})", "text"},
    {"UnknownStarWordSkipped", R"({\rtf1 {\*\unknownword {nested} x}y})", "y"},
    {"StylesheetSkipped", R"({\rtf1{\stylesheet{\s0 Normal;}}text})", "text"},
    {"InfoSkipped", R"({\rtf1{\info{\title Title}{\author A}}text})", "text"},
    {"PictureSkipped", R"({\rtf1 a{\pict\pngblip 89504e47}b})", "ab"},
    {"ObjectSkipped", R"({\rtf1 a{\object{\objdata 0102}{\result r}}b})", "ab"},
    {"HeaderAndFooterSkipped", R"({\rtf1{\header H}{\footer F}body})", "body"},
    {"FieldResultKept", R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})", "link"},
    {"BinarySkipped", "{\\rtf1 a{\\*\\blob\\bin4 }{\\}}b}", "ab"},
    {"SymbolWords", R"({\rtf1 a\tab b\line c\emdash\~d})",
     "a\tb\xE2\x80\xA8"
     "c\xE2\x80\x94\xC2\xA0"
     "d"},
    {"FontNamesAreNoText", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Times;}}text})", "text"},
    {"ColorTableIsNoText", R"({\rtf1{\colortbl;\red255\green0\blue0;}text})", "text"},
    {"UnterminatedGroup", R"({\rtf1 {\b bold)", "bold"},
    {"StrayCloseBrace", R"({\rtf1 a}}b})", "ab"},
    {"BackslashAtTheEnd", "{\\rtf1 a\\", "a"},
    {"HexAtTheEnd", "{\\rtf1 a\\'", "a"},
    {"HexWithOneDigit", "{\\rtf1 a\\'4", "a4"},
    {"HexNotHex", "{\\rtf1 a\\'zz}", "azz"},
    {"NotRtfAtAll", "just text", "just text"},
    {"LongControlWord", "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop x}", "x"},
    {"LongParameter", "{\\rtf1 \\fs123456789012345678901234567890 x}", "x"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RtfReaderText, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(RtfReader, FormatsFollowTheGroupsAndTheTables) {
  const TRtfDocument document = ReadRtf(
      R"({\rtf1{\fonttbl{\f0\fswiss\fcharset204 Verdana;}{\f1\froman\fcharset0 Times New Roman;}})"
      R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
      R"(\f0\fs20 plain {\b bold {\i both}} {\ul under}\ulnone  \cf1 red\cf2 blue\cf0 )"
      R"(\f1\fs32 big\plain  reset})");
  ASSERT_EQ(document.Paragraphs.size(), 1u);
  const auto& runs = document.Paragraphs[0].Runs;
  struct Expected {
    const char* Text;
    const char* Font;
    int HalfPoints;
    bool Bold, Italic, Underline;
    std::int32_t Color;
  };
  const Expected expected[] = {
      {"plain ", "Verdana", 20, false, false, false, -1},
      {"bold ", "Verdana", 20, true, false, false, -1},
      {"both", "Verdana", 20, true, true, false, -1},
      {" ", "Verdana", 20, false, false, false, -1},
      {"under", "Verdana", 20, false, false, true, -1},
      {" ", "Verdana", 20, false, false, false, -1},
      {"red", "Verdana", 20, false, false, false, 0xFF0000},
      {"blue", "Verdana", 20, false, false, false, 0x0000FF},
      {"big", "Times New Roman", 32, false, false, false, -1},
      {" reset", "Verdana", 24, false, false, false, -1},
  };
  ASSERT_EQ(runs.size(), std::size(expected));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(expected[i].Text);
    EXPECT_EQ(Utf8(runs[i].Text), expected[i].Text);
    EXPECT_EQ(runs[i].Format.FontName, expected[i].Font);
    EXPECT_EQ(runs[i].Format.HalfPoints, expected[i].HalfPoints);
    EXPECT_EQ(runs[i].Format.Bold, expected[i].Bold);
    EXPECT_EQ(runs[i].Format.Italic, expected[i].Italic);
    EXPECT_EQ(runs[i].Format.Underline, expected[i].Underline);
    EXPECT_EQ(runs[i].Format.Color, expected[i].Color);
  }
}

TEST(RtfReader, FontNamesAreDecodedInTheirCharset) {
  const TRtfDocument document =
      ReadRtf(R"({\rtf1{\fonttbl{\f0\fcharset204 \'d8\'f0\'e8\'f4\'f2;}}\f0 x})");
  ASSERT_EQ(document.Paragraphs.size(), 1u);
  EXPECT_EQ(document.Paragraphs[0].Runs[0].Format.FontName, "Шрифт");
  EXPECT_EQ(document.Paragraphs[0].Runs[0].Format.Charset, 204);
}

TEST(RtfReader, DeepNestingIsBoundedAndTheRestIsRead) {
  std::string rtf = "{\\rtf1 A";
  rtf += std::string(100000, '{') + "B" + std::string(100000, '}') + "C}";
  TRtfLimits limits;
  limits.MaxDepth = 64;
  const TRtfDocument document = ReadRtf(rtf, limits);
  EXPECT_TRUE(document.Truncated);
  EXPECT_EQ(Utf8(document.PlainText()), "AC");
}

TEST(RtfReader, InputBeyondTheSizeBoundIsLeftOut) {
  TRtfLimits limits;
  limits.MaxBytes = 10;
  const TRtfDocument document = ReadRtf("{\\rtf1 abcdefghijk}", limits);
  EXPECT_TRUE(document.Truncated);
  EXPECT_EQ(Utf8(document.PlainText()), "abc");
}

TEST(RtfReader, BinaryJunkEndsInADocument) {
  std::mt19937 random(16);
  for (int round = 0; round < 200; ++round) {
    std::string junk(static_cast<std::size_t>(random() % 4096), '\0');
    for (char& c : junk) c = static_cast<char>(random());
    // A few RTF-looking bytes make the junk reach more of the reader.
    for (std::size_t i = 0; i < junk.size(); i += 7) junk[i] = "{}\\'u*"[random() % 6];
    const TRtfDocument document = ReadRtf(junk);
    std::size_t characters = 0;
    for (const TRtfParagraph& paragraph : document.Paragraphs) {
      for (const TRtfRun& run : paragraph.Runs) characters += run.Text.size();
    }
    EXPECT_LE(characters, junk.size());
  }
}

TEST(RtfReader, LibreOfficeFormattedSample) {
  const TRtfDocument document =
      ReadRtf(test::ReadFile(std::string(LECTORA_RTF_SAMPLES) + "libreoffice-formatted.rtf"));
  ASSERT_EQ(document.Paragraphs.size(), 3u);
  EXPECT_EQ(Utf8(document.Paragraphs[0].PlainText()),
            "Plain start, bold word, italic word, underlined and red text.");
  EXPECT_EQ(Utf8(document.Paragraphs[1].PlainText()), "Кирилица: В начало бе Словото.");
  EXPECT_EQ(Utf8(document.Paragraphs[2].PlainText()), "Blue 16 points");
  const auto find = [&](std::size_t paragraph, const char* text) -> const TRtfRun& {
    for (const TRtfRun& run : document.Paragraphs[paragraph].Runs) {
      if (Utf8(run.Text) == text) return run;
    }
    ADD_FAILURE() << "no run " << text;
    return document.Paragraphs[paragraph].Runs.front();
  };
  EXPECT_TRUE(find(0, "bold word").Format.Bold);
  EXPECT_TRUE(find(0, "italic word").Format.Italic);
  EXPECT_TRUE(find(0, "underlined").Format.Underline);
  EXPECT_EQ(find(0, "red text").Format.Color, 0xFF0000);
  EXPECT_FALSE(find(0, "Plain start, ").Format.Bold);
  EXPECT_EQ(find(0, "Plain start, ").Format.FontName, "DejaVu Sans");
  EXPECT_TRUE(find(1, "В начало бе Словото").Format.Bold);
  EXPECT_EQ(find(2, "Blue 16 points").Format.Color, 0x0000FF);
  EXPECT_EQ(find(2, "Blue 16 points").Format.HalfPoints, 32);
}

TEST(RtfReader, LibreOfficePlainSampleWithTwoByteFallbacks) {
  const TRtfDocument document =
      ReadRtf(test::ReadFile(std::string(LECTORA_RTF_SAMPLES) + "libreoffice-plain.rtf"));
  EXPECT_EQ(Utf8(document.PlainText()),
            "John 3:16\nЗащото Бог толкова възлюби света\nFor God so loved the world");
}

}  // namespace
}  // namespace lectora
