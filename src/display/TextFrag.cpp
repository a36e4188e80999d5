#include "display/TextFrag.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <cmath>

#include "display/QtText.h"

namespace lectora {

TFontWidths::TFontWidths(const QFont& font, int charset)
    : font_(font), drawFont_(font), charset_(charset) {
  drawFont_.setKerning(false);
  const QFontMetricsF metrics(drawFont_);
  std::string all(256, '\0');
  for (int code = 0; code < 256; ++code)
    all[static_cast<std::size_t>(code)] = static_cast<char>(code);
  const QString decoded = DecodeCharset(all, charset);
  for (int code = 0; code < 256; ++code) {
    advances_[static_cast<std::size_t>(code)] = metrics.horizontalAdvance(decoded[code]);
  }
  const QFontMetrics whole(drawFont_);
  height_ = whole.height();
  ascent_ = whole.ascent();
}

bool TFontWidths::Matches(const QFont& font, int charset) const {
  return charset == charset_ && font == font_;
}

void TTextFrag::Measure() {
  prefix_.resize(Text.size() + 1);
  double sum = 0;
  prefix_[0] = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    sum += Widths->Advance(static_cast<unsigned char>(Text[i]));
    prefix_[i + 1] = sum;
  }
  unicode_ = DecodeCharset(Text, Font.Charset);
}

int TTextFrag::Width(std::size_t from, std::size_t to) const {
  return static_cast<int>(std::lround(prefix_[to] - prefix_[from]));
}

}  // namespace lectora
