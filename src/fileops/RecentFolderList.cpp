#include "fileops/RecentFolderList.h"

#include <algorithm>

namespace zorvane {

QStringList filledFolderEntries(const FolderSlots& folders) {
    QStringList entries;
    for (int i = 1; i <= FolderSlots::size; ++i) {
        if (!folders(i).isEmpty())
            entries.append(folders(i));
    }
    return entries;
}

QStringList recentListAfterUse(QStringList list, const QString& destination) {
    if (list.isEmpty() || list.first() != destination)
        list.prepend(destination);
    return list;
}

void storeRecentFolders(const QStringList& list, FolderSlots& recentDirs) {
    const int count = std::min(static_cast<int>(list.size()), FolderSlots::size);
    for (int i = 1; i <= count; ++i)
        recentDirs(i) = list.at(i - 1);
}

} // namespace zorvane
