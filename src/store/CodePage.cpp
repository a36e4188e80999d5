// Code pages through our own tables (CodePageTables.cpp); UTF-8 and UTF-16
// written by hand because the core uses nothing beyond the standard library
// and the decoder must be strict (no overlong forms, no surrogates, nothing
// past U+10FFFF) and must never read past the end of its input.
#include "store/CodePage.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "store/CodePageTables.h"

namespace lectora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The reverse of one high table, sorted by character for a binary search.
struct ReverseEntry {
  char16_t character;
  unsigned char byte;
};
using ReverseTable = std::vector<ReverseEntry>;

ReverseTable BuildReverse(const CodePageHighTable& table) {
  ReverseTable reverse;
  for (int i = 0; i < 128; ++i) {
    if (table[i] == kReplacement) continue;
    reverse.push_back({table[i], static_cast<unsigned char>(128 + i)});
  }
  std::sort(reverse.begin(), reverse.end(),
            [](const ReverseEntry& a, const ReverseEntry& b) { return a.character < b.character; });
  return reverse;
}

// Null for an unsupported code page. Built once, on first use.
const ReverseTable* ReverseOf(int codePage) {
  static const ReverseTable k1250 = BuildReverse(*HighTableOf(1250));
  static const ReverseTable k1251 = BuildReverse(*HighTableOf(1251));
  static const ReverseTable k1252 = BuildReverse(*HighTableOf(1252));
  static const ReverseTable k1253 = BuildReverse(*HighTableOf(1253));
  switch (codePage) {
    case 1250:
      return &k1250;
    case 1251:
      return &k1251;
    case 1252:
      return &k1252;
    case 1253:
      return &k1253;
    default:
      return nullptr;
  }
}

// One step of the UTF-8 decoder. `length` is the number of bytes consumed:
// the whole sequence when `valid`, else the maximal ill-formed subpart (at
// least 1), so one damaged sequence becomes one replacement.
struct Decoded {
  char32_t character;
  std::size_t length;
  bool valid;
};

bool InRange(unsigned char b, unsigned char low, unsigned char high) {
  return b >= low && b <= high;
}

Decoded DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1, true};

  std::size_t needed;  // continuation bytes after the lead
  unsigned char secondLow = 0x80;
  unsigned char secondHigh = 0xBF;
  char32_t value;
  if (InRange(lead, 0xC2, 0xDF)) {
    needed = 1;
    value = lead & 0x1F;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    needed = 2;
    value = lead & 0x0F;
    if (lead == 0xE0) secondLow = 0xA0;   // no overlong forms
    if (lead == 0xED) secondHigh = 0x9F;  // no surrogates
  } else if (InRange(lead, 0xF0, 0xF4)) {
    needed = 3;
    value = lead & 0x07;
    if (lead == 0xF0) secondLow = 0x90;   // no overlong forms
    if (lead == 0xF4) secondHigh = 0x8F;  // nothing past U+10FFFF
  } else {
    return {kReplacement, 1, false};  // stray continuation, C0, C1, F5..FF
  }

  std::size_t length = 1;
  for (std::size_t k = 0; k < needed; ++k) {
    const std::size_t i = at + 1 + k;
    if (i >= text.size()) return {kReplacement, length, false};
    const unsigned char b = byte(i);
    const bool ok = k == 0 ? InRange(b, secondLow, secondHigh) : InRange(b, 0x80, 0xBF);
    if (!ok) return {kReplacement, length, false};
    value = (value << 6) | (b & 0x3F);
    ++length;
  }
  return {value, length, true};
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsSupportedCodePage(int codePage) { return HighTableOf(codePage) != nullptr; }

int CodePageOfCharset(int charset) {
  switch (charset) {
    case 204:
      return 1251;
    case 238:
      return 1250;
    case 161:
      return 1253;
    default:
      return 1252;
  }
}

char16_t CodePageToUnicode(unsigned char b, int codePage) {
  if (b < 128) return b;
  const CodePageHighTable* table = HighTableOf(codePage);
  // An unsupported code page is a caller's error; answer "undefined" rather
  // than guess.
  return table ? (*table)[b - 128] : static_cast<char16_t>(kReplacement);
}

int UnicodeToCodePage(char32_t c, int codePage) {
  if (c < 128) return static_cast<int>(c);
  const ReverseTable* reverse = ReverseOf(codePage);
  if (!reverse || c > 0xFFFF) return -1;
  const auto found =
      std::lower_bound(reverse->begin(), reverse->end(), c,
                       [](const ReverseEntry& e, char32_t value) { return e.character < value; });
  if (found == reverse->end() || found->character != c) return -1;
  return found->byte;
}

std::string CodePageToUtf8(std::string_view text, int codePage) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (char ch : text) AppendUtf8(out, CodePageToUnicode(static_cast<unsigned char>(ch), codePage));
  return out;
}

bool Utf8ToCodePage(std::string_view utf8, int codePage, std::string& out, std::size_t* badOffset) {
  std::string result;
  result.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const Decoded d = DecodeUtf8(utf8, at);
    const int byte = d.valid ? UnicodeToCodePage(d.character, codePage) : -1;
    if (byte < 0) {
      if (badOffset) *badOffset = at;
      return false;
    }
    result += static_cast<char>(byte);
    at += d.length;
  }
  out = std::move(result);
  return true;
}

std::string Utf8ToCodePageLossy(std::string_view utf8, int codePage, std::size_t* replaced) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t count = 0;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const Decoded d = DecodeUtf8(utf8, at);
    const int byte = d.valid ? UnicodeToCodePage(d.character, codePage) : -1;
    if (byte < 0) {
      out += '?';
      ++count;
    } else {
      out += static_cast<char>(byte);
    }
    at += d.length;
  }
  if (replaced) *replaced = count;
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsSurrogate(c)) {
      c = kReplacement;  // a lone half of a pair has no UTF-8 form
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const Decoded d = DecodeUtf8(text, at);
    const char32_t c = d.valid ? d.character : kReplacement;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    at += d.length;
  }
  return out;
}

namespace {

struct ByteUnit {
  unsigned char byte;
  char16_t unit;
};

// The Romanian letters with comma below, which clipboard readers expect in
// place of the code page's cedilla forms (Windows-1250 has only these).
constexpr ByteUnit kRomanianCommaBelow[] = {
    {0xAA, 0x0218},
    {0xBA, 0x0219},
    {0xDE, 0x021A},
    {0xFE, 0x021B},
};

// The unit of `b` in `table`, or `fallback`.
template <std::size_t N>
char16_t LookUpUnit(const ByteUnit (&table)[N], unsigned char b, char16_t fallback) {
  for (const ByteUnit& e : table) {
    if (e.byte == b) return e.unit;
  }
  return fallback;
}

}  // namespace

std::u16string ToUnicode(std::string_view text, int charset) {
  const int codePage = CodePageOfCharset(charset);
  std::u16string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    const char16_t unit = CodePageToUnicode(b, codePage);
    out += codePage == 1250 ? LookUpUnit(kRomanianCommaBelow, b, unit) : unit;
  }
  return out;
}

namespace {

// The single characters the clipboard mapping knows above U+00FF, besides the
// Greek and the basic Cyrillic ranges.
constexpr ByteUnit kWideExtras[] = {
    {0xE3, 0x0103}, {0xAA, 0x015E}, {0xBA, 0x015F}, {0xDE, 0x0162}, {0xFE, 0x0163}, {0xA8, 0x0401},
    {0x80, 0x0402}, {0x81, 0x0403}, {0xAA, 0x0404}, {0xBD, 0x0405}, {0xB2, 0x0406}, {0xA3, 0x0408},
    {0x8A, 0x0409}, {0x8C, 0x040A}, {0x8E, 0x040B}, {0x8D, 0x040C}, {0x8F, 0x040F}, {0x90, 0x0452},
    {0x83, 0x0453}, {0xBE, 0x0455}, {0xBC, 0x0458}, {0x9A, 0x0459}, {0x9C, 0x045A}, {0x9E, 0x045B},
    {0x9D, 0x045C}, {0x9F, 0x045F}, {0x96, 0x2013}, {0x97, 0x2014}, {0x91, 0x2018}, {0x92, 0x2019},
    {0x93, 0x201C}, {0x94, 0x201D}, {0x84, 0x201E}, {0x86, 0x2020}, {0x85, 0x2026}, {0xB9, 0x2116},
    {' ', 0xFEFF},
};

char WideUnitToByte(char16_t c) {
  if (c <= 0x00FF) return static_cast<char>(c);
  if (c >= 0x0391 && c <= 0x03CE) return static_cast<char>(c - 0x2D0);
  if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(c - 0x350);
  for (const ByteUnit& e : kWideExtras) {
    if (e.unit == c) return static_cast<char>(e.byte);
  }
  return '?';
}

}  // namespace

std::string WideToCodePage(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out += WideUnitToByte(c);
  return out;
}

}  // namespace lectora
