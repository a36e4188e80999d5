// The fixed case table is deliberately narrower than Windows-1251 itself
// (Ђ/ђ, Ћ/ћ, Ў/ў, Ё/ё, Ї/ї, Ґ/ґ, І/і stay as they are): word lists and
// indexes on disk were built with exactly these pairs, so changing them would
// make lookups miss.
#include "store/TextRoutines.h"

#include <array>
#include <cstdint>
#include <utility>

namespace lectora {

namespace {

struct CaseTables {
  std::array<std::uint8_t, 256> lower{};
  std::array<std::uint8_t, 256> upper{};
};

constexpr CaseTables MakeCaseTables() {
  CaseTables t;
  for (int c = 0; c < 256; ++c) {
    t.lower[c] = static_cast<std::uint8_t>(c);
    t.upper[c] = static_cast<std::uint8_t>(c);
  }
  const auto pair = [&t](int upper, int lower) {
    t.lower[upper] = static_cast<std::uint8_t>(lower);
    t.upper[lower] = static_cast<std::uint8_t>(upper);
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
  for (int c = 192; c <= 223; ++c) pair(c, c + 32);
  pair(129, 131);  // Ѓ ѓ
  pair(138, 154);  // Љ љ
  pair(140, 156);  // Њ њ
  pair(141, 157);  // Ќ ќ
  pair(143, 159);  // Џ џ
  pair(163, 188);  // Ј ј
  pair(170, 186);  // Є є
  pair(189, 190);  // Ѕ ѕ
  return t;
}

constexpr CaseTables kCase = MakeCaseTables();

std::string MapBytes(std::string_view text, const std::array<std::uint8_t, 256>& map) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(map[static_cast<unsigned char>(ch)]);
  return out;
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

constexpr unsigned char kBar = 124;
constexpr unsigned char kBackslash = 92;
constexpr unsigned char kPilcrow = 182;
constexpr unsigned char kTilde = 126;

bool AbsorbsBlank(unsigned char c) {
  switch (c) {
    case ' ':
    case '!':
    case ',':
    case '.':
    case ':':
    case ';':
    case '?':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string LowerCase1251(std::string_view text) { return MapBytes(text, kCase.lower); }

std::string UpperCase1251(std::string_view text) { return MapBytes(text, kCase.upper); }

bool IsNameLetter(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 192) return true;
  switch (c) {
    case 129:
    case 131:
    case 138:
    case 140:
    case 141:
    case 143:
    case 154:
    case 156:
    case 157:
    case 159:
    case 163:
    case 188:
    case 190:
      return true;
    default:
      return false;
  }
}

bool IsNameLetterOrDigit(unsigned char c) { return IsNameLetter(c) || IsDigit(c); }

void NormalizeName(std::string& text) {
  // Letters and digits apart: "1кор13" -> "1 кор 13".
  std::string spaced;
  spaced.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) {
      const auto prev = static_cast<unsigned char>(text[i - 1]);
      const auto cur = static_cast<unsigned char>(text[i]);
      if ((IsNameLetter(cur) && IsDigit(prev)) || (IsDigit(cur) && IsNameLetter(prev))) {
        spaced += ' ';
      }
    }
    spaced += text[i];
  }

  // A blank survives only between two letters-or-digits. The left neighbour
  // is what has been kept so far, so a run of blanks between words keeps its
  // last blank and collapses to one.
  std::string kept;
  kept.reserve(spaced.size());
  for (std::size_t i = 0; i < spaced.size(); ++i) {
    if (spaced[i] == ' ') {
      const bool keep = !kept.empty() && i + 1 < spaced.size() &&
                        IsNameLetterOrDigit(static_cast<unsigned char>(kept.back())) &&
                        IsNameLetterOrDigit(static_cast<unsigned char>(spaced[i + 1]));
      if (!keep) continue;
    }
    kept += spaced[i];
  }

  if (!kept.empty()) {
    kept = LowerCase1251(kept);
    std::size_t first = kept.size() - 1;
    for (std::size_t i = 0; i + 1 < kept.size(); ++i) {
      if (IsNameLetter(static_cast<unsigned char>(kept[i]))) {
        first = i;
        break;
      }
    }
    kept[first] = static_cast<char>(kCase.upper[static_cast<unsigned char>(kept[first])]);
  }
  text = std::move(kept);
}

std::string PlainText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool hidden = false;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '<':
      case '(':
        hidden = true;
        continue;
      case '>':
      case ')':
        hidden = false;
        continue;
      case kBar:
      case kBackslash:
      case kPilcrow:
      case '\n':
        continue;
      case kTilde:
      case '\r':
      case '\t':
        out += ' ';  // even inside hidden parts: keeps the words around them apart
        continue;
      default:
        break;
    }
    if (hidden) continue;
    if (!out.empty() && out.back() == ' ' && AbsorbsBlank(c)) {
      out.back() = ch;
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace lectora
