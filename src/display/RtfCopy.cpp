#include "display/RtfCopy.h"

#include <algorithm>
#include <cstdint>

#include "display/QtText.h"
#include "store/CodePage.h"

namespace lectora {

namespace {

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// The font list is sorted and de-duplicated without regard to ASCII letter
// case, as the list it reproduces did; the table numbers follow this order.
bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return FoldAscii(static_cast<unsigned char>(x)) < FoldAscii(static_cast<unsigned char>(y));
  });
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return !LessNoCase(a, b) && !LessNoCase(b, a);
}

std::vector<std::string> SortedFontEntries(const std::vector<TTextFrag>& fragments) {
  std::vector<std::string> entries;
  entries.reserve(fragments.size());
  for (const TTextFrag& frag : fragments) entries.push_back(FontTableEntry(frag.Font));
  std::stable_sort(entries.begin(), entries.end(), LessNoCase);
  entries.erase(std::unique(entries.begin(), entries.end(), EqualNoCase), entries.end());
  return entries;
}

std::string FontTable(const std::vector<std::string>& entries) {
  std::string table = "{\\fonttbl{\\f0\\fnil MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}";
  for (std::size_t k = 0; k < entries.size(); ++k) {
    table += "{\\f" + std::to_string(k + 2) + entries[k] + "}";
  }
  return table + "}";
}

}  // namespace

std::string FontTableEntry(const TTextFont& font) {
  return "\\fswiss\\fcharset" + std::to_string(font.Charset) + " " +
         EncodeCharset(font.Font.family(), font.Charset) + ";";
}

std::string RtfEscape(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') continue;
    if (c == '\r') {
      out += "\\par ";
    } else if (c == '{' || c == '}') {
      out += '\\';
      out += ch;
    } else if (c >= 128) {
      out += "\\'";
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += ch;
    }
  }
  return out;
}

TCopyRenderings PrepareCopy(const std::vector<TTextFrag>& fragments, int selStart, int selLength) {
  TCopyRenderings result;
  const std::vector<std::string> entries = SortedFontEntries(fragments);
  std::string body;
  std::int64_t pos = 0;  // visible characters passed
  const std::int64_t selEnd = static_cast<std::int64_t>(selStart) + selLength;
  std::ptrdiff_t lastFont = -1;
  bool codePageFixed = false;  // set by the first selected high byte
  bool anySelected = false;
  for (const TTextFrag& frag : fragments) {
    if (pos >= selEnd) break;
    const std::string& text = frag.Text;
    std::size_t a = 0;
    std::size_t b = text.size();
    for (std::size_t j = 0; j < text.size(); ++j) {
      if (text[j] == '\r' || text[j] == '\n') continue;
      if (pos == selStart) a = j;
      if (pos == selEnd) {
        b = j;
        break;
      }
      ++pos;
    }
    if (pos <= selStart) continue;

    const std::string entry = FontTableEntry(frag.Font);
    const auto found = std::lower_bound(entries.begin(), entries.end(), entry, LessNoCase);
    const std::ptrdiff_t idx = found - entries.begin();
    if (idx != lastFont) body += "\\f" + std::to_string(idx + 2) + " ";
    lastFont = idx;

    const std::string piece = b > a ? text.substr(a, b - a) : std::string();
    result.Text += piece;
    std::string rtf = RtfEscape(piece);
    if (frag.Font.Font.bold()) rtf = "\\b " + rtf + "\\b0 ";
    if (frag.Font.Font.italic()) rtf = "\\i " + rtf + "\\i0 ";
    body += rtf;
    result.Unicode += ToUnicode(piece, frag.Font.Charset);
    if (!codePageFixed) {
      const bool high = std::any_of(piece.begin(), piece.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 128; });
      if (high || !anySelected) result.CodePage = CodePageOfCharset(frag.Font.Charset);
      codePageFixed = high;
      anySelected = true;
    }
  }
  result.Rtf = "{\\rtf1\\ansi\\deff0\\deftab720" + FontTable(entries) + body + "}";
  result.Rtf.push_back('\0');
  return result;
}

}  // namespace lectora
