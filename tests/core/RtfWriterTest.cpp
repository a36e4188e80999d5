// The RTF writer: the notes' header, \'hh in the font's charset and \uN?
// beyond it, round trips through our reader of every format the notes
// keep, LibreOffice's samples read, written and read again, and EnsureRtf
// for the older plain-text notes.
#include <gtest/gtest.h>

#include <string>

#include "store/CodePage.h"
#include "store/rtf/RtfReader.h"
#include "store/rtf/RtfWriter.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

TRtfFormat Format(const char* font, int charset, int halfPoints = 20) {
  TRtfFormat format;
  format.FontName = font;
  format.Charset = charset;
  format.HalfPoints = halfPoints;
  return format;
}

TRtfRun TextRun(const char* utf8, TRtfFormat format) { return TRtfRun{Utf8ToUtf16(utf8), format}; }

// Paragraphs and runs compared one by one, with the text as UTF-8 so that a
// failure reads.
void ExpectSameDocument(const TRtfDocument& actual, const TRtfDocument& expected) {
  ASSERT_EQ(actual.Paragraphs.size(), expected.Paragraphs.size());
  for (std::size_t p = 0; p < expected.Paragraphs.size(); ++p) {
    const auto& a = actual.Paragraphs[p].Runs;
    const auto& e = expected.Paragraphs[p].Runs;
    ASSERT_EQ(a.size(), e.size()) << "paragraph " << p;
    for (std::size_t r = 0; r < e.size(); ++r) {
      SCOPED_TRACE("paragraph " + std::to_string(p) + " run " + std::to_string(r));
      EXPECT_EQ(Utf16ToUtf8(a[r].Text), Utf16ToUtf8(e[r].Text));
      EXPECT_EQ(a[r].Format.FontName, e[r].Format.FontName);
      EXPECT_EQ(a[r].Format.Charset, e[r].Format.Charset);
      EXPECT_EQ(a[r].Format.HalfPoints, e[r].Format.HalfPoints);
      EXPECT_EQ(a[r].Format.Bold, e[r].Format.Bold);
      EXPECT_EQ(a[r].Format.Italic, e[r].Format.Italic);
      EXPECT_EQ(a[r].Format.Underline, e[r].Format.Underline);
      EXPECT_EQ(a[r].Format.Color, e[r].Format.Color);
    }
  }
}

TEST(RtfWriter, StartsWithTheNoteHeaderAndWritesCyrillicInItsCodePage) {
  TRtfDocument document;
  document.Paragraphs.push_back({{TextRun("Бог", Format("Verdana", 204))}});
  const std::string rtf = WriteRtf(document);
  EXPECT_TRUE(
      rtf.starts_with("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil MS Sans Serif;}"
                      "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss\\fcharset204 Verdana;}"))
      << rtf;
  // WordPad reads \'hh in the font's charset; \u would do too, but is not needed.
  EXPECT_NE(rtf.find("\\'c1\\'ee\\'e3"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find('?'), std::string::npos) << rtf;  // no \uN? fallback
}

TEST(RtfWriter, CharactersBeyondTheCodePageAreUnicode) {
  TRtfDocument document;
  document.Paragraphs.push_back({{TextRun("θ\xF0\x9F\x98\x80", Format("Verdana", 204))}});
  const std::string rtf = WriteRtf(document);
  EXPECT_NE(rtf.find("\\u952?"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\u-10179?\\u-8704?"), std::string::npos) << rtf;
}

TEST(RtfWriter, RoundTripKeepsTextAndEveryFormat) {
  TRtfFormat bold = Format("Verdana", 204);
  bold.Bold = true;
  TRtfFormat italic = Format("Times New Roman", 0, 28);
  italic.Italic = true;
  TRtfFormat underlined = Format("Verdana", 204);
  underlined.Underline = true;
  TRtfFormat red = Format("Verdana", 204);
  red.Color = 0xFF0000;
  TRtfFormat greek = Format("Arial", 161, 24);
  greek.Color = 0x0080C0;
  TRtfDocument document;
  document.Paragraphs.push_back({{TextRun("Plain, ", Format("Verdana", 204)), TextRun("bold", bold),
                                  TextRun(" and italic café", italic)}});
  document.Paragraphs.push_back(
      {{TextRun("В начало бе Словото", red), TextRun(" — подчертано", underlined)}});
  document.Paragraphs.push_back({});
  document.Paragraphs.push_back(
      {{TextRun("θεός {braces} back\\slash\ttab\xE2\x80\xA8line", greek)}});
  document.Paragraphs.push_back({{TextRun("\xF0\x9F\x98\x80 ё Ђ", Format("Шрифт", 204, 40))}});
  ExpectSameDocument(ReadRtf(WriteRtf(document)), document);
}

TEST(RtfWriter, LibreOfficeSamplesSurviveOurWriter) {
  for (const char* name : {"libreoffice-formatted.rtf", "libreoffice-plain.rtf"}) {
    SCOPED_TRACE(name);
    const TRtfDocument first = ReadRtf(test::ReadFile(std::string(LECTORA_RTF_SAMPLES) + name));
    ASSERT_FALSE(first.Paragraphs.empty());
    ExpectSameDocument(ReadRtf(WriteRtf(first)), first);
  }
}

struct EnsureCase {
  const char* Name;
  const char* Record;
  const char* Rtf;
};

class EnsureRtfCases : public ::testing::TestWithParam<EnsureCase> {};

TEST_P(EnsureRtfCases, GivesTheNoteHeader) {
  EXPECT_EQ(EnsureRtf(GetParam().Record), GetParam().Rtf);
}

#define LECTORA_HEADER                                                                            \
  "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil MS Sans Serif;}{\\f1\\froman\\fcharset2 " \
  "Symbol;}{\\f2\\fswiss\\fcharset204 Verdana;}}\\f2\\fs20 "

const EnsureCase kEnsureCases[] = {
    {"Empty", "", LECTORA_HEADER "}"},
    {"RtfUnchanged", "{\\rtf1 x}", "{\\rtf1 x}"},
    {"LineBreaks", "a\r\nb\rc\nd", LECTORA_HEADER "a\\par b\\par c\\par d}"},
    {"Escapes", "{x}\\y", LECTORA_HEADER "\\{x\\}\\\\y}"},
    {"HighBytes", "\xc1\xee\xe3", LECTORA_HEADER "\\'c1\\'ee\\'e3}"},
};

INSTANTIATE_TEST_SUITE_P(Cases, EnsureRtfCases, ::testing::ValuesIn(kEnsureCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(RtfWriter, PlainTextNoteReadsAsVerdanaTenPointParagraphs) {
  const TRtfDocument document = ReadRtf(EnsureRtf("John 3:16\r\n\xc1\xee\xe3 {1}"));
  ASSERT_EQ(document.Paragraphs.size(), 2u);
  EXPECT_EQ(Utf16ToUtf8(document.Paragraphs[1].PlainText()), "Бог {1}");
  for (const TRtfParagraph& paragraph : document.Paragraphs) {
    ASSERT_EQ(paragraph.Runs.size(), 1u);
    EXPECT_EQ(paragraph.Runs[0].Format.FontName, "Verdana");
    EXPECT_EQ(paragraph.Runs[0].Format.HalfPoints, 20);
  }
}

}  // namespace
}  // namespace lectora
