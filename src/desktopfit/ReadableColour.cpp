#include "desktopfit/ReadableColour.h"

#include <algorithm>
#include <cmath>

namespace zorvane {

namespace {

double linearChannel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

QColor mixedWithWhite(const QColor& colour, double share) {
    const auto mix = [share](int channel) {
        return static_cast<int>(std::lround(channel + (255 - channel) * share));
    };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF()) +
           0.0722 * linearChannel(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isLightBackground(const QColor& background) {
    return contrastRatio(background, Qt::black) > contrastRatio(background, Qt::white);
}

QColor readableOn(const QColor& designed, const QColor& background, double minimumRatio) {
    const QColor rgb = designed.toRgb();
    if (isLightBackground(background) || contrastRatio(rgb, background) >= minimumRatio)
        return rgb;
    // The luminance grows with the share of white: the least share that reads is searched for.
    // White itself reads on every dark background (at least 4.58:1), so the search ends there.
    double low = 0.0;
    double high = 1.0;
    for (int step = 0; step < 16; ++step) {
        const double middle = (low + high) / 2;
        if (contrastRatio(mixedWithWhite(rgb, middle), background) >= minimumRatio)
            high = middle;
        else
            low = middle;
    }
    return mixedWithWhite(rgb, high);
}

} // namespace zorvane
