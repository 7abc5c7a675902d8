#include "DarkTheme.h"

#include "desktopfit/ReadableColour.h"

#include <QApplication>

#include <algorithm>

namespace zorvane {

QPalette darkPalette() {
    QPalette dark;
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x2D, 0x2D, 0x2D);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::Window, window);
        dark.setColor(group, QPalette::WindowText, Qt::white);
        dark.setColor(group, QPalette::Base, base);
        dark.setColor(group, QPalette::AlternateBase, window);
        dark.setColor(group, QPalette::Text, Qt::white);
        dark.setColor(group, QPalette::Button, window);
        dark.setColor(group, QPalette::ButtonText, Qt::white);
        dark.setColor(group, QPalette::Link, QColor(0x2A, 0x82, 0xDA));
        dark.setColor(group, QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
        dark.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    return dark;
}

ApplicationPaletteScope::ApplicationPaletteScope(const QPalette& palette)
    : before_(QApplication::palette()) {
    QApplication::setPalette(palette);
}

ApplicationPaletteScope::~ApplicationPaletteScope() {
    QApplication::setPalette(before_);
}

DrawnTextContrast drawnTextContrast(const QImage& image, const QColor& background,
                                    const std::function<bool(const QColor&)>& isText) {
    DrawnTextContrast result;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (!isText(pixel))
                continue;
            ++result.pixels;
            result.ratio = std::max(result.ratio, contrastRatio(pixel, background));
        }
    }
    return result;
}

} // namespace zorvane
