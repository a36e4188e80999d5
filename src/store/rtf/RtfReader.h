// A reader for the subset of Rich Text Format that notes are written in:
// groups, control words and symbols, \ucN/\uN, \'hh decoded by the code
// page of the font's \fcharset (or of \ansicpg), the font and colour
// tables, sizes, bold, italic, underline and paragraphs. Destinations that
// carry no text of the note are skipped: {\*...}, the stylesheet, the
// information group, pictures, objects, headers, footers and field
// instructions. Written by hand: no RTF library is at hand on the target
// systems, and the subset is small.
//
// Any bytes are accepted: there is no syntax error, only text that is left
// out. The input size and the group depth are bounded, so a damaged or
// hostile file costs linear time and bounded memory.
#pragma once

#include <cstddef>
#include <string_view>

#include "store/rtf/RtfDocument.h"

namespace lectora {

struct TRtfLimits {
  // Bytes read at most; the rest is left out (Truncated).
  std::size_t MaxBytes = std::size_t{64} << 20;
  // Groups nested deeper than this are left out with their content.
  int MaxDepth = 256;
};

// The document in `rtf`. Never throws for any content (std::bad_alloc
// aside). A text that is not RTF at all reads as its bytes in Windows-1252.
TRtfDocument ReadRtf(std::string_view rtf, const TRtfLimits& limits = {});

}  // namespace lectora
