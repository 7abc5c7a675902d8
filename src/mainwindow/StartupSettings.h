#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace zorvane {

struct SettingsRecordFields;

// The viewer font as stored in plok.ini.
struct ViewerFontSetting {
    QString family;
    double pointSize = 9;
    bool underline = false;
    bool strikeOut = false;
    bool italic = false;
    bool bold = false;
};

// What start-up applies to the window from the fields of SettingsRecord. Every value can be
// applied: a value the window could not take is replaced by its key's default.
struct StartupSettings {
    bool showFiler = true;
    ViewerFontSetting font;
    std::optional<qint32> textColour; // nothing: the viewer keeps its designed colour
    std::optional<qint32> backColour;
    float top = 0;       // twips
    float left = 0;      // twips
    float height = 7200; // twips, outer
    float width = 9000;  // twips, outer
};

// The largest outer width or height a window can take, in twips (32767 pixels).
constexpr float LargestWindowExtent = 32767.0f * 15.0f;

// Converts the stored texts. `colourKeyPresent` and `backColourKeyPresent` tell whether the
// keys Color and BColor exist in the file: a missing key keeps the viewer's designed colour
// instead of its default, which would paint near-black text on black.
StartupSettings startupSettingsFrom(const SettingsRecordFields& record, bool colourKeyPresent,
                                    bool backColourKeyPresent);

// A number as a single-precision value, saturating instead of overflowing.
float toSingle(double value);

struct WindowPosition {
    float top = 0;
    float left = 0;
};

// Brings the window's top-left corner back onto the screen: Top below 0 or above
// screenHeight - 1200, Left below 0 or above screenWidth - 1200 (all in twips, strict
// comparisons in single precision, in this order). A position that is not a number becomes 0.
WindowPosition keepWindowReachable(WindowPosition position, float screenHeight, float screenWidth);

} // namespace zorvane
