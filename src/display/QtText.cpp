#include "display/QtText.h"

#include <QList>

#include "store/CodePage.h"

namespace lectora {

QString DecodeCharset(std::string_view text, int charset) {
  const int codePage = CodePageOfCharset(charset);
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    result.append(b < 128 ? QChar(b) : QChar(CodePageToUnicode(b, codePage)));
  }
  return result;
}

std::string EncodeCharset(const QString& text, int charset) {
  const int codePage = CodePageOfCharset(charset);
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (const char32_t c : text.toUcs4()) {
    const int b = UnicodeToCodePage(c, codePage);
    result.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return result;
}

}  // namespace lectora
