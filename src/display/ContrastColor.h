// Text colours kept legible on the background they are painted on: the
// WCAG contrast ratio of two colours, and the colour nearest a stored one
// in lightness that reaches a minimum ratio. Pure functions: the colours
// the reader chose stay as stored; only what is painted is adjusted.
#pragma once

#include <QColor>

namespace lectora {

// WCAG 2 level AA for body text.
inline constexpr double kMinimumTextContrast = 4.5;

// The WCAG relative luminance of `color` (0 black .. 1 white); alpha ignored.
double RelativeLuminance(const QColor& color);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on
// white; symmetric.
double ContrastRatio(const QColor& a, const QColor& b);
// True when `color` is a dark colour (HSL lightness below one half), as the
// window and text backgrounds of a dark palette are.
bool IsDarkColor(const QColor& color);

// `color` itself when its contrast with `background` is at least `minimum`;
// otherwise the colour of the same hue and saturation whose HSL lightness
// is the nearest to that of `color` and reaches `minimum` (towards white or
// towards black, whichever is the smaller change). When no lightness
// reaches it, white or black, whichever contrasts more. REQUIRES: both
// colours valid; `minimum` in 1..21.
QColor ContrastColor(const QColor& color, const QColor& background,
                     double minimum = kMinimumTextContrast);

// The colour a verse text control paints a run stored in `stored` on
// `background`: black, the colour the owners give plain text, is the
// palette's text colour `paletteText`; on a dark background any other
// colour is kept at AA contrast (ContrastColor); on a light one it is
// painted as stored.
QColor ShownTextColor(const QColor& stored, const QColor& background, const QColor& paletteText);

}  // namespace lectora
