#include "TemporaryHome.h"

#include <QFile>

namespace zorvane::testing {

TemporaryHome::TemporaryHome() {
    if (!folder_.isValid())
        return;
    qputenv("HOME", QFile::encodeName(folder_.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder_.filePath(QStringLiteral("data"))));
}

} // namespace zorvane::testing
