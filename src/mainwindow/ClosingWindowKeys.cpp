#include "mainwindow/ClosingWindowKeys.h"

namespace zorvane {

bool windowSystemReportsPosition(const QString& platformName) {
    return !platformName.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive);
}

ClosingWindowKeys closingWindowKeys(const QString& platformName, QSize insideNow, QSize insideGiven,
                                    bool sizeFitted) {
    const bool resized = !insideGiven.isValid() || insideNow != insideGiven;
    ClosingWindowKeys keys{true, true};
    if (!windowSystemReportsPosition(platformName))
        keys = ClosingWindowKeys{false, resized};
    if (sizeFitted && !resized)
        keys.size = false;
    return keys;
}

} // namespace zorvane
