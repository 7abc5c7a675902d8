#pragma once

#include <QColor>

namespace zorvane {

// The least contrast that text must have against its background to be read comfortably
// (WCAG AA for normal text).
inline constexpr double ReadableContrast = 4.5;

// The relative luminance of a colour (0 black, 1 white) as sRGB defines it.
double relativeLuminance(const QColor& colour);

// The contrast ratio of two colours, 1 (alike) to 21 (black and white), whatever their order.
double contrastRatio(const QColor& a, const QColor& b);

// Whether text on `background` reads better in black than in white: a light background.
bool isLightBackground(const QColor& background);

// The colour to draw text of colour `designed` in on `background`. A light background keeps the
// designed colour, so a light desktop looks as designed; on a dark one a colour that does not
// reach `minimumRatio` is mixed with white just enough that it does, and keeps its hue.
QColor readableOn(const QColor& designed, const QColor& background,
                  double minimumRatio = ReadableContrast);

} // namespace zorvane
