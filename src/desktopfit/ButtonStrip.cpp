#include "desktopfit/ButtonStrip.h"

#include <algorithm>

namespace zorvane {

namespace {

// The buttons that lie wholly beyond every other control along one axis: `near` and `far`
// give a control's extent there. A button that does not is one of the others, and may push
// more buttons out.
QList<qsizetype> standingApart(const QList<QRect>& controls, const QList<bool>& isButton,
                               int (QRect::*near)() const, int (QRect::*far)() const) {
    QList<qsizetype> apart;
    for (qsizetype i = 0; i < controls.size(); ++i)
        if (isButton.value(i))
            apart.append(i);
    for (;;) {
        int othersEnd = -1;
        for (qsizetype i = 0; i < controls.size(); ++i)
            if (!apart.contains(i))
                othersEnd = std::max(othersEnd, (controls.at(i).*far)());
        const auto before = apart.size();
        apart.removeIf([&](qsizetype i) { return (controls.at(i).*near)() <= othersEnd; });
        if (apart.size() == before)
            return apart;
    }
}

int startOf(const QList<QRect>& controls, const QList<qsizetype>& strip,
            int (QRect::*near)() const) {
    int start = -1;
    for (const qsizetype i : strip)
        start = start < 0 ? (controls.at(i).*near)() : std::min(start, (controls.at(i).*near)());
    return start;
}

} // namespace

ButtonStrip buttonStrip(const QList<QRect>& controls, const QList<bool>& isButton,
                        const QSize& designed, const QSize& inside) {
    ButtonStrip strip;
    if (designed.width() > inside.width()) {
        strip.buttons = standingApart(controls, isButton, &QRect::left, &QRect::right);
        strip.edge = ButtonStrip::Edge::Right;
        strip.start = startOf(controls, strip.buttons, &QRect::left);
    }
    if (strip.buttons.isEmpty() && designed.height() > inside.height()) {
        strip.buttons = standingApart(controls, isButton, &QRect::top, &QRect::bottom);
        strip.edge = ButtonStrip::Edge::Bottom;
        strip.start = startOf(controls, strip.buttons, &QRect::top);
    }
    if (strip.buttons.isEmpty())
        return ButtonStrip{};
    return strip;
}

StripPlaces stripPlaces(const ButtonStrip& strip, const QList<QRect>& controls,
                        const QSize& designed, const QSize& inside) {
    StripPlaces places;
    places.scrollArea = QRect(QPoint(0, 0), inside);
    places.content = designed;
    const bool column = strip.edge == ButtonStrip::Edge::Right;
    if (strip.edge == ButtonStrip::Edge::None)
        return places;
    // The strip keeps its designed breadth and the margin beyond it; the rest scrolls.
    const int breadth = column ? designed.width() - strip.start : designed.height() - strip.start;
    const QPoint offset = column ? QPoint(inside.width() - breadth - strip.start, 0)
                                 : QPoint(0, inside.height() - breadth - strip.start);
    // Along the strip, a window shorter than designed moves the buttons in by the shortfall.
    const int shortfall = column ? std::max(0, designed.height() - inside.height())
                                 : std::max(0, designed.width() - inside.width());
    if (column) {
        places.scrollArea.setWidth(inside.width() - breadth);
        places.content.setWidth(strip.start);
    } else {
        places.scrollArea.setHeight(inside.height() - breadth);
        places.content.setHeight(strip.start);
    }
    for (const qsizetype i : strip.buttons) {
        QRect place = controls.at(i).translated(offset);
        if (column)
            place.moveTop(std::max(0, place.top() - shortfall));
        else
            place.moveLeft(std::max(0, place.left() - shortfall));
        places.buttons.append(place);
    }
    return places;
}

} // namespace zorvane
