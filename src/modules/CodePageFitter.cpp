#include "modules/CodePageFitter.h"

#include <array>

#include "store/CodePage.h"

namespace lectora {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Base letters of U+00C0..U+017F; "*" marks a letter spelled out below.
constexpr std::string_view kLatinBase =
    "AAAAAA*CEEEEIIII"
    "DNOOOOOxOUUUUY*s"
    "aaaaaa*ceeeeiiii"
    "dnooooo/ouuuuy*y"
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "IiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";

// Latin transliteration of the Greek letters U+0391..U+03C9 ("" where the
// code point is unassigned or a final sigma's upper case).
constexpr std::array<std::string_view, 57> kGreek = {
    "A", "B", "G", "D", "E", "Z", "E",  "Th", "I",  "K",  "L",  "M", "N", "X", "O",
    "P", "R", "",  "S", "T", "U", "Ph", "Ch", "Ps", "O",  "I",  "U", "a", "e", "e",
    "i", "u", "a", "b", "g", "d", "e",  "z",  "e",  "th", "i",  "k", "l", "m", "n",
    "x", "o", "p", "r", "s", "s", "t",  "u",  "ph", "ch", "ps", "o"};

// Latin transliteration of the Hebrew letters U+05D0..U+05EA.
constexpr std::array<std::string_view, 27> kHebrew = {
    "'", "b", "g", "d", "h", "v", "z", "ch", "t",  "y", "k", "k",  "l", "m",
    "m", "n", "n", "s", "'", "p", "p", "ts", "ts", "q", "r", "sh", "t"};

// The unaccented Greek letter of an accented one (U+0386..U+03CE and the
// extended block U+1F00..U+1FFF), or 0.
char32_t GreekBase(char32_t c) {
  switch (c) {
    case 0x0386:
      return 0x0391;
    case 0x0388:
      return 0x0395;
    case 0x0389:
      return 0x0397;
    case 0x038A:
      return 0x0399;
    case 0x038C:
      return 0x039F;
    case 0x038E:
      return 0x03A5;
    case 0x038F:
      return 0x03A9;
    case 0x0390:
      return 0x03B9;
    case 0x03AA:
      return 0x0399;
    case 0x03AB:
      return 0x03A5;
    case 0x03AC:
      return 0x03B1;
    case 0x03AD:
      return 0x03B5;
    case 0x03AE:
      return 0x03B7;
    case 0x03AF:
      return 0x03B9;
    case 0x03B0:
      return 0x03C5;
    case 0x03CA:
      return 0x03B9;
    case 0x03CB:
      return 0x03C5;
    case 0x03CC:
      return 0x03BF;
    case 0x03CD:
      return 0x03C5;
    case 0x03CE:
      return 0x03C9;
    default:
      break;
  }
  if (c < 0x1F00 || c > 0x1FFF) return 0;
  struct Range {
    char32_t First, Last, Base;
  };
  static constexpr Range kRanges[] = {
      {0x1F00, 0x1F07, 0x03B1}, {0x1F08, 0x1F0F, 0x0391}, {0x1F10, 0x1F15, 0x03B5},
      {0x1F18, 0x1F1D, 0x0395}, {0x1F20, 0x1F27, 0x03B7}, {0x1F28, 0x1F2F, 0x0397},
      {0x1F30, 0x1F37, 0x03B9}, {0x1F38, 0x1F3F, 0x0399}, {0x1F40, 0x1F45, 0x03BF},
      {0x1F48, 0x1F4D, 0x039F}, {0x1F50, 0x1F57, 0x03C5}, {0x1F59, 0x1F5F, 0x03A5},
      {0x1F60, 0x1F67, 0x03C9}, {0x1F68, 0x1F6F, 0x03A9}, {0x1F70, 0x1F71, 0x03B1},
      {0x1F72, 0x1F73, 0x03B5}, {0x1F74, 0x1F75, 0x03B7}, {0x1F76, 0x1F77, 0x03B9},
      {0x1F78, 0x1F79, 0x03BF}, {0x1F7A, 0x1F7B, 0x03C5}, {0x1F7C, 0x1F7D, 0x03C9},
      {0x1F80, 0x1F87, 0x03B1}, {0x1F88, 0x1F8F, 0x0391}, {0x1F90, 0x1F97, 0x03B7},
      {0x1F98, 0x1F9F, 0x0397}, {0x1FA0, 0x1FA7, 0x03C9}, {0x1FA8, 0x1FAF, 0x03A9},
      {0x1FB0, 0x1FB7, 0x03B1}, {0x1FB8, 0x1FBC, 0x0391}, {0x1FC2, 0x1FC7, 0x03B7},
      {0x1FC8, 0x1FC9, 0x0395}, {0x1FCA, 0x1FCC, 0x0397}, {0x1FD0, 0x1FD7, 0x03B9},
      {0x1FD8, 0x1FDB, 0x0399}, {0x1FE0, 0x1FE3, 0x03C5}, {0x1FE4, 0x1FE5, 0x03C1},
      {0x1FE6, 0x1FE7, 0x03C5}, {0x1FE8, 0x1FEB, 0x03A5}, {0x1FEC, 0x1FEC, 0x03A1},
      {0x1FF2, 0x1FF7, 0x03C9}, {0x1FF8, 0x1FF9, 0x039F}, {0x1FFA, 0x1FFC, 0x03A9},
  };
  for (const Range& range : kRanges) {
    if (c >= range.First && c <= range.Last) return range.Base;
  }
  return 0;
}

// Accented letters of the Latin Extended Additional block met in
// transliterations.
char LatinAdditionalBase(char32_t c) {
  switch (c) {
    case 0x1E0C:
      return 'D';
    case 0x1E0D:
      return 'd';
    case 0x1E14:
    case 0x1E16:
      return 'E';
    case 0x1E15:
    case 0x1E17:
      return 'e';
    case 0x1E24:
      return 'H';
    case 0x1E25:
    case 0x1E96:
      return 'h';
    case 0x1E2E:
      return 'I';
    case 0x1E2F:
      return 'i';
    case 0x1E50:
    case 0x1E52:
      return 'O';
    case 0x1E51:
    case 0x1E53:
      return 'o';
    case 0x1E62:
      return 'S';
    case 0x1E63:
      return 's';
    case 0x1E6C:
      return 'T';
    case 0x1E6D:
      return 't';
    case 0x1E92:
      return 'Z';
    case 0x1E93:
      return 'z';
    case 0x1EBD:
      return 'e';
    default:
      return 0;
  }
}

bool IsDroppedMark(char32_t c) {
  return (c >= 0x0300 && c <= 0x036F) ||                 // combining diacritics
         (c >= 0x0591 && c <= 0x05BD) || c == 0x05BF ||  // Hebrew accents and points
         c == 0x05C0 || c == 0x05C1 || c == 0x05C2 || c == 0x05C4 || c == 0x05C5 || c == 0x05C7 ||
         (c >= 0x200B && c <= 0x200F) ||  // zero width, direction marks
         c == 0x2060 || c == 0xFEFF || c == 0x00AD || c == 0x02D8 || c == 0x02D9 || c == 0x02DA ||
         c == 0x02DB || c == 0x02DD;
}

// A letter the code page holds but no alphabet of its languages has, so
// that it would split its word: the accented and joined Latin letters in
// 1252 (English and Latin know a..z only: "æternam" becomes "aeternam"),
// and Ё, ё in 1251 (none of the Cyrillic alphabets has them).
bool OutsideAlphabet(char32_t c, int codePage) {
  if (codePage == 1252) return c >= 0x00C0 && c <= 0x017F && c != 0x00D7 && c != 0x00F7;
  if (codePage == 1251) return c == 0x0401 || c == 0x0451;
  return false;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacementCharacter;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kReplacementCharacter;
  }
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacementCharacter;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++pos;
    return kReplacementCharacter;
  }
  pos += length;
  return value;
}

bool IsValidUtf8(std::string_view text, std::size_t* badOffset) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    if (NextCodePoint(text, pos) == kReplacementCharacter &&
        text.substr(start, 3) != "\xEF\xBF\xBD") {
      if (badOffset != nullptr) *badOffset = start;
      return false;
    }
  }
  return true;
}

TFitCounts& TFitCounts::operator+=(const TFitCounts& other) {
  Approximated += other.Approximated;
  Transliterated += other.Transliterated;
  Dropped += other.Dropped;
  Unknown += other.Unknown;
  Unaccented += other.Unaccented;
  return *this;
}

std::string TCodePageFitter::Fit(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const char32_t c = NextCodePoint(utf8, pos);
    const bool malformed = c == kReplacementCharacter && utf8.substr(start, 3) != "\xEF\xBF\xBD";
    // The Greek alphabet of the program has no accented letters, so an
    // accented letter would split its word; it is written unaccented even
    // where the code page has the monotonic form.
    if (const char32_t base = codePage_ == 1253 && !malformed ? GreekBase(c) : 0; base != 0) {
      ++counts_.Unaccented;
      AppendUtf8(out, base);
    } else if (OutsideAlphabet(c, codePage_)) {
      out += Replacement(c);
    } else if (!malformed && (c < 0x80 || UnicodeToCodePage(c, codePage_) >= 0)) {
      out.append(utf8.substr(start, pos - start));
    } else {
      out += Replacement(c);
    }
  }
  return out;
}

std::string TCodePageFitter::Replacement(char32_t c) {
  if (IsDroppedMark(c)) {
    ++counts_.Dropped;
    return "";
  }
  if (c >= 0x0391 && c <= 0x03C9 && !kGreek[c - 0x0391].empty()) {
    ++counts_.Transliterated;
    return std::string(kGreek[c - 0x0391]);
  }
  if (const char32_t base = GreekBase(c); base != 0) {
    ++counts_.Transliterated;
    return std::string(kGreek[base - 0x0391]);
  }
  if (c >= 0x05D0 && c <= 0x05EA) {
    ++counts_.Transliterated;
    return std::string(kHebrew[c - 0x05D0]);
  }
  if (c == 0x03DA || c == 0x03DB) {
    ++counts_.Transliterated;
    return c == 0x03DA ? "St" : "st";
  }
  std::string near;
  switch (c) {
    case 0x00C6:
      near = "AE";
      break;
    case 0x00E6:
      near = "ae";
      break;
    case 0x0152:
      near = "OE";
      break;
    case 0x0153:
      near = "oe";
      break;
    case 0x00DE:
      near = "Th";
      break;
    case 0x00FE:
      near = "th";
      break;
    case 0x00DF:
      near = "ss";
      break;
    case 0x0401:
      near = "\u0415";  // Ё as Е
      break;
    case 0x0451:
      near = "\u0435";  // ё as е
      break;
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032:
    case 0x2035:
    case 0x00B4:
    case 0x02B9:
    case 0x02BB:
    case 0x02BC:
    case 0x02BD:
    case 0x02BE:
    case 0x02BF:
    case 0x0374:
    case 0x05F3:
    case 0x0060:
      near = "'";
      break;
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
    case 0x00AB:
    case 0x00BB:
    case 0x05F4:
      near = "\"";
      break;
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
    case 0x2043:
    case 0x05BE:
    case 0x2190:
    case 0x2192:
    case 0x2194:
    case 0x21D2:
      near = "-";
      break;
    case 0x2026:
      near = "...";
      break;
    case 0x2022:
    case 0x2020:
    case 0x2021:
      near = "*";
      break;
    case 0x00B7:
    case 0x0387:
      near = ".";
      break;
    case 0x037E:
      near = ";";
      break;
    case 0x05C3:
      near = ":";
      break;
    case 0x00A0:
    case 0x2000:
    case 0x2001:
    case 0x2002:
    case 0x2003:
    case 0x2004:
    case 0x2005:
    case 0x2006:
    case 0x2007:
    case 0x2008:
    case 0x2009:
    case 0x200A:
    case 0x202F:
    case 0x205F:
    case 0x3000:
      near = " ";
      break;
    default:
      break;
  }
  if (near.empty() && c >= 0x00C0 && c <= 0x017F && kLatinBase[c - 0x00C0] != '*') {
    near = std::string(1, kLatinBase[c - 0x00C0]);
  }
  if (near.empty()) {
    if (const char base = LatinAdditionalBase(c); base != 0) near = std::string(1, base);
  }
  if (near.empty()) {
    ++counts_.Unknown;
    return "?";
  }
  ++counts_.Approximated;
  return near;
}

}  // namespace lectora
