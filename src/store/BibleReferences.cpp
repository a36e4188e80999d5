// Typed references: the book at the front of a text, found by abbreviation
// or by a prefix score against the module's book names, then chapter and
// verse.
#include <climits>

#include "store/Abbreviations.h"
#include "store/Bible.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the decimal digits at `pos` (advancing it); saturates instead of
// overflowing. `digits` receives how many there were.
int ReadNumber(const std::string& s, std::size_t& pos, std::size_t& digits) {
  int value = 0;
  digits = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    const int d = s[pos] - '0';
    value = value > (INT_MAX - d) / 10 ? INT_MAX : value * 10 + d;
    ++pos;
    ++digits;
  }
  return value;
}

}  // namespace

int TBible::FindBook(std::string& text) const {
  const std::string name = SplitBookPart(text);
  if (context_.Abbreviations != nullptr) {
    const int book = context_.Abbreviations->BookByAbbreviation(name);
    if (book >= 1 && book <= kBookNumbers) {
      text.erase(0, name.size());
      return BookPosition[book];
    }
  }

  // The score of a book is agreed / typed, where `agreed` counts the leading
  // characters shared with its MatchName and `typed` runs on to the end of
  // the typed word. Fractions are compared by cross-multiplication, exactly.
  int best = -1;
  std::size_t bestAgreed = 0;
  std::size_t bestTyped = 1;
  for (int p = 1; p <= BookCount; ++p) {
    const std::string& match = Books[BookOrder[p]].MatchName;
    std::size_t agreed = 0;
    while (agreed < text.size() && agreed < match.size() && text[agreed] == match[agreed]) {
      ++agreed;
    }
    std::size_t typed = agreed;
    while (typed < text.size() && Language.IsLetter(static_cast<unsigned char>(text[typed]))) {
      ++typed;
    }
    if (typed == 0) continue;  // score 0 never beats anything
    if (best < 0 ? agreed > 0 : agreed * bestTyped > bestAgreed * typed) {
      best = p;
      bestAgreed = agreed;
      bestTyped = typed;
    }
  }
  // Accepted above two thirds with at least two agreeing characters.
  if (best < 0 || bestAgreed < 2 || 3 * bestAgreed <= 2 * bestTyped) return -1;

  const std::string& bookName = Books[BookOrder[best]].Name;
  std::size_t common = 0;
  while (common < text.size() && common < bookName.size() && text[common] == bookName[common]) {
    ++common;
  }
  text.erase(0, common);
  return best;
}

bool TBible::ParseReference(const std::string& text, int& bookPosition, int& chapter,
                            int& verse) const {
  context_.BookFound = false;
  bool result = false;
  std::string s = text;
  NormalizeName(s);
  const int position = FindBook(s);
  if (position >= 0) {
    bookPosition = position;
    result = true;
    context_.BookFound = true;
  }
  std::size_t pos = 0;
  while (pos < s.size() && !IsDigit(s[pos])) ++pos;
  chapter = 1;
  verse = 1;
  if (pos >= s.size()) return result;

  std::size_t digits = 0;
  const int first = ReadNumber(s, pos, digits);
  if (pos < s.size()) {
    chapter = first;
    ++pos;  // the separator, usually ":"
    const int second = ReadNumber(s, pos, digits);
    // Without digits after the separator the verse stays 1.
    if (digits > 0) verse = second;
    if (digits > 0 && pos == s.size()) result = true;
  } else {
    if (position >= 0) {
      chapter = first;
    } else {
      verse = first;
    }
    result = true;
  }
  return result;
}

}  // namespace lectora
