// Whether a book box text is nothing but the start of a book name, so that
// a blank may complete it: an optional book number ("1 ", "2"), then no
// digit and no chapter or verse separator. Plain C++.
#pragma once

#include <string_view>

namespace lectora {

// True for "jo", "1jo", "1 John", "Song of"; false for "john3", "john 3",
// "ps23:1" and for a text that is only a number.
bool IsBareBookNamePrefix(std::string_view text);

}  // namespace lectora
