#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>
#include <optional>

class QPlainTextEdit;

namespace zorvane {

// Where a system colour number finds its colour in a palette.
struct SystemColourRole {
    QPalette::ColorGroup group = QPalette::Active;
    QPalette::ColorRole role = QPalette::Window;
};

// The palette role that stands for system colour `index` (5 window -> Base, 8 window text ->
// Text, 15 button face -> Button, ...), or nothing for an index the desktop does not have.
std::optional<SystemColourRole> systemColourRole(int index);

// The colour of a stored colour number: 0x00BBGGRR, or with its highest bit set a system
// colour whose index is in the low bits (resolved in `systemPalette`). Nothing when the number
// names no colour.
std::optional<QColor> colourFromNumber(qint32 number, const QPalette& systemPalette);

// The viewer's text and background colours.
struct ViewerColours {
    QColor text;
    QColor base;
};

// The colours the viewer shows for the stored colour numbers (nothing where plok.ini has no
// key). A colour that is not stored, or whose number names no colour, is the theme's (Text or
// Base): on a first start both come from the theme, so they contrast on a dark desktop too.
ViewerColours viewerColours(std::optional<qint32> storedText, std::optional<qint32> storedBack,
                            const QPalette& systemPalette);

// Gives the viewer its text colour (while it is enabled, active or not) and its background; a
// colour not given stays as it was.
void setViewerColours(QPlainTextEdit& viewer, std::optional<QColor> text,
                      std::optional<QColor> base);

} // namespace zorvane
