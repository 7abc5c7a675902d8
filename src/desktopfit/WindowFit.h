#pragma once

#include <QRect>
#include <QSize>

namespace zorvane {

// Where a window's outer frame goes so that it lies in `available`, the part of its screen
// that windows may take (panels and docks left out). A window that fits keeps its place where
// it already lies inside, else it moves in just far enough. One that does not is made smaller,
// down to `minimumOuter`; what still does not fit hangs over the right and bottom edges, so that
// its title bar and its top-left corner stay reachable.
QRect fitWindow(const QRect& outer, const QRect& available, const QSize& minimumOuter);

} // namespace zorvane
