#pragma once

#include "mainwindow/MainWindowLayout.h"

#include <QRect>
#include <cmath>

namespace zorvane {

// 15 twips are one device-independent pixel.
constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline int pixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

inline QRect twipsToPixels(const TwipsRect& rect) {
    const int left = twipsToPixels(rect.left);
    const int top = twipsToPixels(rect.top);
    // Edges are rounded, not sizes, so neighbours that touch in twips touch on screen.
    return QRect(left, top, twipsToPixels(rect.left + rect.width) - left,
                 twipsToPixels(rect.top + rect.height) - top);
}

} // namespace zorvane
