#include "mainwindow/StartupSettings.h"

#include "app/ModPlok.h"
#include "settings/SettingsConversions.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace zorvane {

namespace {

bool booleanOr(const QString& text, bool fallback) {
    return booleanValue(text).value_or(fallback);
}

// Size must be a positive font size the text system can draw.
double fontSizeOr(double value, double fallback) {
    constexpr double LargestFontSize = 2160; // points
    if (!std::isfinite(value) || value <= 0 || value > LargestFontSize)
        return fallback;
    return value;
}

float extentOr(float value, float fallback) {
    if (std::isnan(value) || value <= 0)
        return fallback;
    return std::fmin(value, LargestWindowExtent);
}

std::optional<qint32> colourOf(const QString& text, bool keyPresent) {
    if (!keyPresent)
        return std::nullopt;
    return colourValue(numberValue(text));
}

} // namespace

float toSingle(double value) {
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (value > FLT_MAX)
        return std::numeric_limits<float>::infinity();
    if (value < -FLT_MAX)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

StartupSettings startupSettingsFrom(const SettingsRecordFields& record, bool colourKeyPresent,
                                    bool backColourKeyPresent) {
    StartupSettings settings;
    settings.showFiler = booleanOr(record.Fselect.text(), true);

    // A field filled by assignment carries blanks up to its width; no font name ends in one.
    QString family = record.Name.text();
    while (family.endsWith(QChar(u' ')))
        family.chop(1);
    settings.font.family = family;
    settings.font.pointSize =
        fontSizeOr(static_cast<double>(toSingle(numberValue(record.Size.text()))), 9);
    settings.font.underline = booleanOr(record.Uline.text(), false);
    settings.font.strikeOut = booleanOr(record.Strike.text(), false);
    settings.font.italic = booleanOr(record.Italic.text(), false);
    settings.font.bold = booleanOr(record.Bold.text(), false);
    settings.textColour = colourOf(record.Color.text(), colourKeyPresent);
    settings.backColour = colourOf(record.BColor.text(), backColourKeyPresent);

    settings.top = toSingle(numberValue(record.Top.text()));
    settings.left = toSingle(numberValue(record.Left.text()));
    settings.height = extentOr(toSingle(numberValue(record.Height.text())), 7200);
    settings.width = extentOr(toSingle(numberValue(record.Width.text())), 9000);
    return settings;
}

WindowPosition keepWindowReachable(WindowPosition position, float screenHeight, float screenWidth) {
    if (std::isnan(position.top))
        position.top = 0;
    if (std::isnan(position.left))
        position.left = 0;
    if (position.top < 0)
        position.top = 0;
    if (position.top > screenHeight - 1200)
        position.top = screenHeight - 1200;
    if (position.left < 0)
        position.left = 0;
    if (position.left > screenWidth - 1200)
        position.left = screenWidth - 1200;
    return position;
}

} // namespace zorvane
