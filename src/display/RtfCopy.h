// The three clipboard renderings of a selection of the verse text control:
// 8-bit text, Rich Text Format and UTF-16. Written by hand: the RTF is a
// tiny fixed subset (font table, bold, italic, paragraphs) that readers
// expect byte for byte, and no RTF library is at hand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "display/TextFrag.h"

namespace lectora {

struct TCopyRenderings {
  // The selected bytes of the fragments, CR LF included, markup excluded.
  std::string Text;
  // "{\rtf1..." with one trailing NUL character.
  std::string Rtf;
  std::u16string Unicode;
};

// "\fswiss\fcharset" + charset + " " + family + ";" (the family in the
// font's code page).
std::string FontTableEntry(const TTextFont& font);

// `text` for an RTF body: LF dropped, CR as "\par ", "{" and "}" preceded by
// a backslash, codes from 128 up as "\'hh" (lower-case hex), all else as is.
std::string RtfEscape(std::string_view text);

// The renderings of the visible characters selStart .. selStart + selLength
// - 1 of `fragments` (CR and LF are not counted). The font table lists every
// fragment's font, not only the selected ones, numbered from 2.
// Throws LectoraError "Unknown charset N" when a selected byte of 129 or more
// lies in a fragment whose charset is not 161, 204 or 238.
TCopyRenderings PrepareCopy(const std::vector<TTextFrag>& fragments, int selStart, int selLength);

}  // namespace lectora
