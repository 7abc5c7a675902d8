#include "mainwindow/ClosingWindowKeys.h"

namespace zorvane {

bool windowSystemReportsPosition(const QString& platformName) {
    return !platformName.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive);
}

ClosingWindowKeys closingWindowKeys(const QString& platformName, QSize insideNow,
                                    QSize insideGiven) {
    if (windowSystemReportsPosition(platformName))
        return ClosingWindowKeys{true, true};
    return ClosingWindowKeys{false, !insideGiven.isValid() || insideNow != insideGiven};
}

} // namespace zorvane
