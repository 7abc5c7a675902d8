#include "fileops/RenameName.h"

namespace zorvane {

SplitName SplitPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QChar(u'/'));
    return SplitName{path.left(slash + 1), path.mid(slash + 1)};
}

NameSelection renameSelection(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QChar(u'.'));
    if (dot <= 0)
        return NameSelection{0, static_cast<int>(name.size())};
    return NameSelection{0, static_cast<int>(dot)};
}

} // namespace zorvane
