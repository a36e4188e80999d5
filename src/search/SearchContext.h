// The search state the program keeps once: the words of the current query
// (highlighted by every verse text control), the word-order mode, the books
// a search may find, and the links of the verse last asked for. The program
// owns one and passes it to the search; nothing of it is global.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/VerseList.h"

namespace lectora {

class TSearchContext {
 public:
  TSearchContext() { SelectedBooks.fill(true); }

  // The lower-cased words of the current query, in query order.
  std::vector<std::string> SearchWords;
  // 0 = anywhere in the verse, 1 = in the order typed, 2 = as a phrase.
  int WordOrder = 0;
  // By book number 1..87 (element 0 unused): the books a search may find.
  std::array<bool, 88> SelectedBooks{};
  // The range dialog's quick selector as last confirmed: 0 all books, 1 Old
  // Testament, 2 New Testament, 3 selected books.
  int SearchRangeType = 0;
  // The cross references of the verse last asked for; owned here, read by
  // callers, never freed by them.
  VerseListPtr CurrentLinks;
};

}  // namespace lectora
