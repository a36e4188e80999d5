#include "display/RtfCopy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lectora {
namespace {

TTextFrag Frag(const std::string& text, const char* family, int charset, bool bold = false,
               bool italic = false) {
  TTextFrag frag;
  frag.Font.Font = QFont(QString::fromLatin1(family));
  frag.Font.Font.setBold(bold);
  frag.Font.Font.setItalic(italic);
  frag.Font.Charset = charset;
  frag.Text = text;
  return frag;
}

const std::string kHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil MS Sans Serif;}"
    "{\\f1\\froman\\fcharset2 Symbol;}";

std::string WithNul(std::string text) {
  text.push_back('\0');
  return text;
}

// A verse head in bold, a Cyrillic body with a note and a line end, and an
// English italic run in another font.
std::vector<TTextFrag> Sample() {
  return {Frag("1 ", "Verdana", 204, true), Frag("\xc2 \xed\xe0\xf7{\xe0}\r\n", "Verdana", 204),
          Frag("Amen", "Arial", 0, false, true)};
}

const std::string kSampleFonts =
    "{\\f2\\fswiss\\fcharset0 Arial;}{\\f3\\fswiss\\fcharset204 Verdana;}}";

TEST(RtfCopyTest, FontTableEntryNamesCharsetAndFamily) {
  TTextFont font;
  font.Font = QFont(QStringLiteral("Verdana"));
  font.Charset = 204;
  EXPECT_EQ(FontTableEntry(font), "\\fswiss\\fcharset204 Verdana;");
}

TEST(RtfCopyTest, RtfEscapeTable) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"plain text", "plain text"},        {"a\r\nb", "a\\par b"}, {"\n", ""}, {"{x}", "\\{x\\}"},
      {"\xff\x80\xc0", "\\'ff\\'80\\'c0"}, {"\x7f~", "\x7f~"},     {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RtfEscape(c.in), c.out) << c.in;
}

TEST(RtfCopyTest, WholeSelectionIsByteExact) {
  const TCopyRenderings copy = PrepareCopy(Sample(), 0, 14);
  EXPECT_EQ(copy.Text, "1 \xc2 \xed\xe0\xf7{\xe0}\r\nAmen");
  // One font switch per change of font entry: the bold head and the body
  // share Verdana 204; numbering follows the sorted entries from 2.
  EXPECT_EQ(copy.Rtf, WithNul(kHeader + kSampleFonts +
                              "\\f3 \\b 1 \\b0 \\'c2 \\'ed\\'e0\\'f7\\{\\'e0\\}\\par "
                              "\\f2 \\i Amen\\i0 }"));
  EXPECT_EQ(copy.Unicode, u"1 \u0412 \u043d\u0430\u0447{\u0430}\r\nAmen");
}

TEST(RtfCopyTest, PartialSelectionsTable) {
  const struct {
    int start;
    int length;
    std::string text;
    std::string body;
  } cases[] = {
      {2, 3, "\xc2 \xed", "\\f3 \\'c2 \\'ed"},
      // The line end inside the range comes along.
      {9, 2, "}\r\nA", "\\f3 \\}\\par \\f2 \\i A\\i0 "},
      {0, 1, "1", "\\f3 \\b 1\\b0 "},
      {13, 1, "n", "\\f2 \\i n\\i0 "},
      // Past the end: up to the last character.
      {12, 50, "en", "\\f2 \\i en\\i0 "},
      {5, 0, "", ""},
      {40, 3, "", ""},
  };
  for (const auto& c : cases) {
    const TCopyRenderings copy = PrepareCopy(Sample(), c.start, c.length);
    EXPECT_EQ(copy.Text, c.text) << c.start << "+" << c.length;
    EXPECT_EQ(copy.Rtf, WithNul(kHeader + kSampleFonts + c.body + "}")) << c.start;
  }
}

TEST(RtfCopyTest, BoldItalicIsWrappedBoldFirst) {
  const TCopyRenderings copy = PrepareCopy({Frag("x", "Verdana", 0, true, true)}, 0, 1);
  EXPECT_EQ(copy.Rtf,
            WithNul(kHeader + "{\\f2\\fswiss\\fcharset0 Verdana;}}" + "\\f2 \\i \\b x\\b0 \\i0 }"));
}

TEST(RtfCopyTest, FontTableListsEveryFragmentOnceWithoutRegardToCase) {
  const std::vector<TTextFrag> frags = {Frag("a", "Verdana", 238), Frag("b", "VERDANA", 238),
                                        Frag("c", "Tahoma", 161), Frag("d", "Arial", 238)};
  // Only "a" is selected, but all fonts are listed.
  const TCopyRenderings copy = PrepareCopy(frags, 0, 1);
  EXPECT_EQ(copy.Rtf, WithNul(kHeader + "{\\f2\\fswiss\\fcharset161 Tahoma;}"
                                        "{\\f3\\fswiss\\fcharset238 Arial;}"
                                        "{\\f4\\fswiss\\fcharset238 Verdana;}}"
                                        "\\f4 a}"));
}

TEST(RtfCopyTest, ClipboardMappingOfEachCharset) {
  EXPECT_EQ(PrepareCopy({Frag("\xc1\xe1\xa2", "Arial", 161)}, 0, 3).Unicode, u"\u0391\u03b1\u0386");
  EXPECT_EQ(PrepareCopy({Frag("\xaa\xba\xe3", "Arial", 238)}, 0, 3).Unicode, u"\u0218\u0219\u0103");
  EXPECT_EQ(PrepareCopy({Frag("\x80\xb8\xb3", "Arial", 204)}, 0, 3).Unicode, u"\u0402\u0451\u0456");
  EXPECT_EQ(PrepareCopy({Frag("\xb6\x85\x92", "Arial", 0)}, 0, 3).Unicode, u"\u00b6\u2026\u2019");
}

TEST(RtfCopyTest, HighBytesOfCharsetZeroKeepTheirRtfBytes) {
  const std::vector<TTextFrag> frags = {Frag("caf", "Arial", 0), Frag("\xe9\x85", "Arial", 0)};
  const TCopyRenderings copy = PrepareCopy(frags, 0, 5);
  EXPECT_EQ(copy.Text, "caf\xe9\x85");
  EXPECT_EQ(copy.Unicode, u"caf\u00e9\u2026");
  EXPECT_EQ(copy.Rtf, WithNul(kHeader + "{\\f2\\fswiss\\fcharset0 Arial;}}\\f2 caf\\'e9\\'85}"));
  EXPECT_EQ(copy.CodePage, 1252);
}

TEST(RtfCopyTest, CodePageIsThatOfTheFirstHighByte) {
  // An ASCII verse head in a Western font, then a Cyrillic body.
  const std::vector<TTextFrag> frags = {Frag("1 ", "Arial", 0, true),
                                        Frag("\xc2 \xed", "Arial", 204)};
  EXPECT_EQ(PrepareCopy(frags, 0, 5).CodePage, 1251);
  EXPECT_EQ(PrepareCopy(frags, 0, 2).CodePage, 1252);
  EXPECT_EQ(PrepareCopy(frags, 3, 1).CodePage, 1251);
}

}  // namespace
}  // namespace lectora
