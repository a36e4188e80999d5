#include "display/ContrastColor.h"

#include <algorithm>
#include <cmath>

namespace lectora {

namespace {

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The colour of hue `h` and saturation `s` at lightness `l`, in 8 bits.
QColor AtLightness(double h, double s, double l) {
  return QColor::fromHslF(static_cast<float>(h), static_cast<float>(s),
                          static_cast<float>(std::clamp(l, 0.0, 1.0)))
      .toRgb();
}

// The lightness between `from` and `to` nearest `from` at which the colour
// reaches `minimum` against `background`, or a negative value when even
// `to` does not. Luminance grows with lightness, so along the way the
// ratio only grows once the colour has passed the background's luminance;
// `to` is the end (0 or 1) beyond the background.
double NearestLightness(double h, double s, double from, double to, const QColor& background,
                        double minimum) {
  if (ContrastRatio(AtLightness(h, s, to), background) < minimum) return -1;
  double near = from;
  double far = to;
  for (int step = 0; step < 24; ++step) {
    const double mid = (near + far) / 2;
    const QColor candidate = AtLightness(h, s, mid);
    const bool beyond = to > from ? RelativeLuminance(candidate) > RelativeLuminance(background)
                                  : RelativeLuminance(candidate) < RelativeLuminance(background);
    if (beyond && ContrastRatio(candidate, background) >= minimum) {
      far = mid;
    } else {
      near = mid;
    }
  }
  // `far` reaches the ratio; 8-bit rounding can lose a little of it.
  const double unit = to > from ? 1.0 / 255 : -1.0 / 255;
  for (int nudge = 0; nudge < 8 && ContrastRatio(AtLightness(h, s, far), background) < minimum;
       ++nudge) {
    far = std::clamp(far + unit, 0.0, 1.0);
  }
  return ContrastRatio(AtLightness(h, s, far), background) >= minimum ? far : to;
}

}  // namespace

double RelativeLuminance(const QColor& color) {
  const QColor rgb = color.toRgb();
  return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDarkColor(const QColor& color) { return color.toHsl().lightnessF() < 0.5; }

QColor ContrastColor(const QColor& color, const QColor& background, double minimum) {
  if (ContrastRatio(color, background) >= minimum) return color;
  float hue = 0;
  float saturation = 0;
  float lightness = 0;
  color.toHsl().getHslF(&hue, &saturation, &lightness);
  const double h = hue < 0 ? 0.0 : hue;  // grey has no hue
  const double l = lightness;
  const double lighter = NearestLightness(h, saturation, l, 1.0, background, minimum);
  const double darker = NearestLightness(h, saturation, l, 0.0, background, minimum);
  if (lighter < 0 && darker < 0) {
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    return ContrastRatio(white, background) >= ContrastRatio(black, background) ? white : black;
  }
  const bool useLighter = darker < 0 || (lighter >= 0 && lighter - l <= l - darker);
  return AtLightness(h, saturation, useLighter ? lighter : darker);
}

QColor ShownTextColor(const QColor& stored, const QColor& background, const QColor& paletteText) {
  if (stored.rgb() == qRgb(0, 0, 0)) return paletteText;
  return IsDarkColor(background) ? ContrastColor(stored, background) : stored;
}

}  // namespace lectora
