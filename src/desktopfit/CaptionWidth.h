#pragma once

#include <QRect>

class QWidget;

namespace zorvane {

// The property that marks a control as keeping the width it is given (a label that elides the
// path it shows): its caption never widens it.
inline constexpr char KeepsItsWidth[] = "zorvaneKeepsItsWidth";

// The width a label, push button or check box needs to show its one-line caption whole, its
// margins and frame included; 0 for other controls and for captions that wrap or are empty.
int captionWidthOf(const QWidget& control);

// The place of a control whose caption needs `need`: its own place where that is wide enough,
// else widened to the right, and moved left as far as it must to stay inside `bounds` (never
// past their left edge). Its top and height stay.
QRect captionRectForFont(const QRect& place, int need, const QRect& bounds);

// Widens every captioned control of `window` placed by hand (not by a layout) whose caption is
// wider than its place, as the font of the desktop may make it; with the designed fonts every
// place stays as it is.
void widenCaptionsForFont(QWidget& window);

} // namespace zorvane
