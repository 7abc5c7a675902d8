#include "desktopfit/WindowFit.h"

#include <algorithm>

namespace zorvane {

namespace {

// The start of a length `length` in [first, first + room): moved in just far enough, the start
// itself never before `first`.
int fittedStart(int start, int length, int first, int room) {
    return std::max(first, std::min(start, first + room - length));
}

} // namespace

QRect fitWindow(const QRect& outer, const QRect& available, const QSize& minimumOuter) {
    const QSize size(std::max(std::min(outer.width(), available.width()), minimumOuter.width()),
                     std::max(std::min(outer.height(), available.height()), minimumOuter.height()));
    return QRect(
        QPoint(fittedStart(outer.left(), size.width(), available.left(), available.width()),
               fittedStart(outer.top(), size.height(), available.top(), available.height())),
        size);
}

} // namespace zorvane
