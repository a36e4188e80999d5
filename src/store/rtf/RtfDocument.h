// The neutral model of a Rich Text document that the RTF reader produces and
// the writer consumes: paragraphs of runs, each run one stretch of text in
// one character format. It knows nothing of any editor; the notes window
// converts it to and from its own document.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lectora {

struct TRtfFormat {
  static constexpr std::int32_t kAutoColor = -1;
  // The font family (UTF-8); empty = the document's default font.
  std::string FontName;
  // The font's RTF \fcharset (204 Cyrillic, 0 Western, ...); -1 = none given.
  int Charset = -1;
  // Size in half points (\fs): 24 = 12 points.
  int HalfPoints = 24;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  // 0xRRGGBB, or kAutoColor for the text colour of the reader's choice.
  std::int32_t Color = kAutoColor;

  bool operator==(const TRtfFormat&) const = default;
};

struct TRtfRun {
  // UTF-16; a line break inside a paragraph is U+2028, a tab U+0009.
  std::u16string Text;
  TRtfFormat Format;
};

struct TRtfParagraph {
  std::vector<TRtfRun> Runs;
  // The runs' text joined.
  std::u16string PlainText() const;
};

struct TRtfDocument {
  std::vector<TRtfParagraph> Paragraphs;
  // Set when the reader stopped at one of its bounds (input size, group
  // depth) and left something out.
  bool Truncated = false;
  // The paragraphs' text joined with "\n".
  std::u16string PlainText() const;
};

}  // namespace lectora
