#pragma once

#include <QColor>
#include <QtGlobal>

namespace zorvane {

// A colour as the program stores it: 0x00BBGGRR, red in the low byte.
inline qint32 rgbColourNumber(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<qint32>(static_cast<quint32>(rgb.red()) |
                               (static_cast<quint32>(rgb.green()) << 8) |
                               (static_cast<quint32>(rgb.blue()) << 16));
}

} // namespace zorvane
