#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace zorvane {

// The buttons of a fixed dialog that stay in sight while its other controls scroll: those that
// stand apart from every other control, in a column at its right or in a row along its bottom
// (OK, Cancel, Help). A dialog that overflows sideways keeps its column, one that overflows
// downwards its row.
struct ButtonStrip {
    enum class Edge { None, Right, Bottom };
    Edge edge = Edge::None;
    QList<qsizetype> buttons; // indices into the controls
    int start = 0;            // the column's left edge or the row's top edge
};

// `controls` are the places of the dialog's controls in its designed client area `designed`,
// `isButton` tells which are push buttons; `inside` is the client area the screen leaves.
ButtonStrip buttonStrip(const QList<QRect>& controls, const QList<bool>& isButton,
                        const QSize& designed, const QSize& inside);

// Where things go in a client area of `inside`: the scroll area takes what the strip leaves,
// the strip lies along its edge of the window with the designed gaps between its buttons,
// moved in just far enough where the window is shorter (a column) or narrower (a row).
struct StripPlaces {
    QRect scrollArea;
    QSize content;        // the scrolled controls' designed area, the strip left out
    QList<QRect> buttons; // in the order of strip.buttons
};
StripPlaces stripPlaces(const ButtonStrip& strip, const QList<QRect>& controls,
                        const QSize& designed, const QSize& inside);

} // namespace zorvane
