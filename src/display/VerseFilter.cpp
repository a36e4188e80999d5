#include "display/VerseFilter.h"

#include <cstddef>

namespace lectora {

namespace {

bool MergesIntoSpace(char c) {
  return c == ' ' || c == '*' || c == ',' || c == '.' || c == ':' || c == ';';
}

}  // namespace

void FilterVerse(std::string& text, const TVerseFilterOptions& options) {
  // The write position never passes the read position, so the neighbours
  // looked at below (i - 1, i + 1) are still the original characters.
  const std::size_t length = text.size();
  std::size_t written = 0;
  bool keep = true;
  const auto write = [&](char c) {
    if (!keep) return;
    if (written > 0 && text[written - 1] == ' ' && MergesIntoSpace(c)) {
      text[written - 1] = c;
    } else {
      text[written++] = c;
    }
  };
  for (std::size_t i = 0; i < length; ++i) {
    const char c = text[i];
    const bool first = i == 0;
    const bool last = i + 1 == length;
    switch (c) {
      case 'a':
      case 'b':
      case 's':
      case 't':
      case '=':
        if (!(options.StrongHidden && options.GreekModule)) write(c);
        break;
      case '(':
      case '<':
        // "<>" and a bracket at either end of the verse are no group.
        if (options.HasStrongNumbers && !first && text[i - 1] != '<' && !last &&
            text[i + 1] != '>') {
          keep = !options.StrongHidden;
        }
        write(c);
        break;
      case '>':
        write(c);
        if (!first && text[i - 1] != '<') keep = true;
        break;
      case ')':
      case '}':
        write(c);
        keep = true;
        break;
      case '{':
        keep = options.ShowFootnotes;
        write(c);
        break;
      default:
        write(c);
        break;
    }
  }
  text.resize(written);
}

}  // namespace lectora
