// Makes UTF-8 text fit an 8-bit code page: every character the code page
// holds is kept, every other one becomes the nearest text it does hold
// (typographic quotes and dashes their plain forms, accented Latin letters
// their base letters, Greek and Hebrew letters a simple transliteration,
// combining marks and Hebrew points nothing) or, failing that, "?". For
// Greek (1253) every accented or breathing-marked letter becomes its plain
// letter, the monotonic ones the code page holds included, because the
// Greek alphabet of a module has no accented letters: a word is then one
// word of the word list whichever accents it was typed with. In the same
// way the accented and joined Latin letters of 1252 become their base
// letters ("æ" "ae") and Ё, ё of 1251 become Е, е: no alphabet of those
// code pages' languages has them. The counts say what was done, for the
// import reports.
#pragma once

#include "store/CodePage.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lectora {

// The next code point of `text` at `pos`, advancing `pos`. A malformed
// sequence (overlong, surrogate, past U+10FFFF, cut short) yields U+FFFD
// and advances one byte. REQUIRES: pos < text.size().
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
// True when `text` is valid UTF-8; otherwise `badOffset` (may be null) gets
// the byte offset of the first malformed sequence.
bool IsValidUtf8(std::string_view text, std::size_t* badOffset = nullptr);

struct TFitCounts {
  int Approximated = 0;    // punctuation, blanks and accented letters given a near form
  int Transliterated = 0;  // Greek and Hebrew letters written in Latin letters
  int Dropped = 0;         // combining marks, points, invisible characters left out
  int Unknown = 0;         // characters written as "?"
  int Unaccented = 0;      // Greek letters written without accent or breathing (1253)

  int Total() const { return Approximated + Transliterated + Dropped + Unknown + Unaccented; }
  TFitCounts& operator+=(const TFitCounts& other);
};

class TCodePageFitter {
 public:
  // REQUIRES: `codePage` is 1250, 1251, 1252 or 1253.
  explicit TCodePageFitter(int codePage) : codePage_(codePage) {}

  // `utf8` with every character the code page lacks replaced; the result is
  // UTF-8 that converts to the code page without loss. Adds to Counts().
  std::string Fit(std::string_view utf8);

  int CodePage() const { return codePage_; }
  const TFitCounts& Counts() const { return counts_; }

 private:
  // The replacement of `c`, which the code page lacks; may be empty.
  std::string Replacement(char32_t c);

  int codePage_;
  TFitCounts counts_;
};

}  // namespace lectora
