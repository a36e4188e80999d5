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
  // The code page Text is in: that of the first selected fragment holding a
  // byte from 128 up, else of the first selected fragment (1252 when nothing
  // is selected). A selection may mix fonts; this names the code page of
  // the text that needs one.
  int CodePage = 1252;
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
// Unicode holds each byte as the character its fragment's code page gives
// it (ToUnicode), so no charset makes the copy fail.
TCopyRenderings PrepareCopy(const std::vector<TTextFrag>& fragments, int selStart, int selLength);

}  // namespace lectora
