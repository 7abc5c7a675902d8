#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>

#include <functional>

namespace zorvane {

// A dark desktop theme as Fusion's dark scheme and Adwaita:dark give it: light text on dark grey.
QPalette darkPalette();

// Sets a palette on the application for one scope and gives the old one back at its end.
class ApplicationPaletteScope final {
public:
    explicit ApplicationPaletteScope(const QPalette& palette);
    ~ApplicationPaletteScope();
    ApplicationPaletteScope(const ApplicationPaletteScope&) = delete;
    ApplicationPaletteScope& operator=(const ApplicationPaletteScope&) = delete;

private:
    QPalette before_;
};

// The highest contrast against `background` of the pixels of `image` that `isText` takes for
// drawn text, and how many there were. Antialiased edges lie between text and background, so
// the highest is the colour the text is drawn in.
struct DrawnTextContrast {
    double ratio = 1.0;
    int pixels = 0;
};
DrawnTextContrast drawnTextContrast(const QImage& image, const QColor& background,
                                    const std::function<bool(const QColor&)>& isText);

} // namespace zorvane
