#pragma once

#include <QList>
#include <QString>

namespace zorvane {

// One style a font family has, as the font chooser lists it.
struct FamilyStyle {
    QString name;     // "Regular", "Bold", "Bold Italic", "Oblique"...
    int weight = 400; // QFont::Weight: 400 regular, 700 bold
    bool italic = false;
};

// The style of `styles` that shows a font that is `bold` and `italic` best: the weight nearest
// to regular's or bold's counts before the slant, and of equals the first listed. Empty when the
// family lists none. Without it the chooser falls back to a style of its own, which may be Bold.
QString closestStyle(const QList<FamilyStyle>& styles, bool bold, bool italic);

// The styles of an installed family.
QList<FamilyStyle> stylesOfFamily(const QString& family);

} // namespace zorvane
