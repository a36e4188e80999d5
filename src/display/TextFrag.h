// A run of appended text in one font (the input of the verse text control's
// layout), the font it carries and the character advances it is measured by.
// The text stays 8-bit in the code page of the font's character set.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace lectora {

// A font as the control styles text: the Qt font, the 8-bit character set
// number (204, 161, 238, else Western) and the text colour.
struct TTextFont {
  QFont Font;
  int Charset = 0;
  QColor Color{0, 0, 0};
};

// The advance of each of the 256 byte codes in one font and charset, and the
// line height ("gM"). Text widths are sums of these advances, so the layout
// measures any substring in constant time; the font is drawn without kerning
// so that the drawn text keeps to the measured widths.
class TFontWidths {
 public:
  TFontWidths(const QFont& font, int charset);

  // True when this table measures `font` in `charset`.
  bool Matches(const QFont& font, int charset) const;
  double Advance(unsigned char code) const { return advances_[code]; }
  // The height of "gM" in the font, in pixels.
  int Height() const { return height_; }
  int Ascent() const { return ascent_; }
  // The font to draw with (the measured font, kerning off).
  const QFont& DrawFont() const { return drawFont_; }

 private:
  QFont font_;
  QFont drawFont_;
  int charset_;
  std::array<double, 256> advances_{};
  int height_ = 0;
  int ascent_ = 0;
};

struct TTextFrag {
  // A copy of the canvas font when the fragment was made; owned here.
  TTextFont Font;
  // May hold CR and LF; the layout turns TABs into spaces in place.
  std::string Text;
  // Shared by all fragments of the same font; never null.
  std::shared_ptr<const TFontWidths> Widths;

  // Rebuilds the prefix sums and the decoded text after Text changed.
  void Measure();
  // The width in pixels of Text[from, to). REQUIRES: Measure() since Text
  // last changed; from <= to <= Text.size().
  int Width(std::size_t from, std::size_t to) const;
  // Text as Unicode, one character per byte. REQUIRES: Measure().
  const QString& Unicode() const { return unicode_; }

 private:
  std::vector<double> prefix_;
  QString unicode_;
};

}  // namespace lectora
