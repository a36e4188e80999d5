#include "display/QtText.h"

#include <gtest/gtest.h>
#include <QStringDecoder>
#include <QStringEncoder>

namespace lectora {
namespace {

struct CharsetCase {
  int charset;
  const char* qtName;
};

class QtTextTest : public testing::TestWithParam<CharsetCase> {};

// Every byte of every code page decodes as Qt's own codec decodes it, except
// the bytes the code page leaves undefined.
TEST_P(QtTextTest, DecodesEveryByteAsQtDoes) {
  const CharsetCase param = GetParam();
  QStringDecoder decoder(param.qtName);
  ASSERT_TRUE(decoder.isValid()) << param.qtName;
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const QString ours = DecodeCharset(byte, param.charset);
    ASSERT_EQ(ours.size(), 1);
    if (ours[0] == QChar(0xFFFD)) continue;
    const QString qt = decoder.decode(QByteArray(byte.data(), 1));
    EXPECT_EQ(ours, qt) << param.qtName << " byte " << b;
  }
}

TEST_P(QtTextTest, EncodingInvertsDecoding) {
  const CharsetCase param = GetParam();
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const QString decoded = DecodeCharset(byte, param.charset);
    if (decoded[0] == QChar(0xFFFD)) continue;
    EXPECT_EQ(EncodeCharset(decoded, param.charset), byte) << "byte " << b;
  }
}

INSTANTIATE_TEST_SUITE_P(Charsets, QtTextTest,
                         testing::Values(CharsetCase{204, "windows-1251"},
                                         CharsetCase{161, "windows-1253"},
                                         CharsetCase{238, "windows-1250"},
                                         CharsetCase{0, "windows-1252"}));

TEST(QtTextEncodeTest, UnrepresentableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(EncodeCharset(QStringLiteral(u"Бог\u05D0"), 204), "\xC1\xEE\xE3?");
  EXPECT_EQ(EncodeCharset(QStringLiteral(u"😀a"), 204), "?a");
}

}  // namespace
}  // namespace lectora
