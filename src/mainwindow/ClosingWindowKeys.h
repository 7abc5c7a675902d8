#pragma once

#include <QSize>
#include <QString>

namespace zorvane {

// Whether the window system tells a program where its windows stand. Wayland keeps that to
// itself: there a window is always at 0,0 for the program, its frame drawn around it.
bool windowSystemReportsPosition(const QString& platformName);

// Which of the window keys of plok.ini take the window's values at closing; the others keep
// the text they were read with.
struct ClosingWindowKeys {
    bool place = true; // Top and Left
    bool size = true;  // Height and Width
};

// On a window system that reports positions, all four keys take the window's values. On one
// that does not, Top and Left keep what was stored (the window's own would be its frame's
// offset), and Height and Width too while the window still has the inside size the program
// gave it: such a system may tell the frame late or never, and a size worked out from it would
// drift from start to start. A size the user changed is stored. A size the program made
// smaller to fit a smaller screen (`sizeFitted`) keeps what was stored too, so that it comes
// back on the larger screen, unless the user has resized the window since.
ClosingWindowKeys closingWindowKeys(const QString& platformName, QSize insideNow, QSize insideGiven,
                                    bool sizeFitted = false);

} // namespace zorvane
