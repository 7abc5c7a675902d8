#pragma once

#include "app/OneBasedArray.h"

#include <QString>
#include <QStringList>

namespace zorvane {

using FolderSlots = OneBasedArray<QString, 20>;

// The filled entries of RecentDirs or UsualDirs in their order; empty slots are skipped
// wherever they are.
QStringList filledFolderEntries(const FolderSlots& folders);

// The recent list after a done copy or move to `destination`: unchanged when the destination is
// already its top entry (compared case-sensitively), else the destination inserted on top, even
// when it stands lower down.
QStringList recentListAfterUse(QStringList list, const QString& destination);

// Writes the list into RecentDirs from slot 1, its newest 20 entries at most; slots after the
// last entry keep what they hold.
void storeRecentFolders(const QStringList& list, FolderSlots& recentDirs);

} // namespace zorvane
