#pragma once

#include <QRect>
#include <cmath>

namespace zorvane {

// A control's place in its window's client area, in twips.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

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
