// A piece of one fragment placed on one line: the result of the verse text
// control's layout, in document coordinates (before scrolling).
#pragma once

#include <QString>
#include <cstddef>
#include <string>

namespace lectora {

struct TTextBox {
  // Index of the fragment the piece comes from (its font is that fragment's).
  std::size_t Frag = 0;
  // Where the piece starts in the fragment's text.
  std::size_t Offset = 0;
  // Never holds CR or LF.
  std::string Text;
  // Text as Unicode, one character per byte.
  QString Shown;
  // Right = Left + width of Text, except that the last box of a line that is
  // followed by another line reaches the right edge of the text area minus
  // one; Bottom = Top + the "gM" height of the box font.
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

}  // namespace lectora
