#pragma once

#include <QList>
#include <QString>

namespace zorvane {

// One entry of a folder as the file system lists it, its name in the lossless path form of
// NativePath.h. Links count as what they point to.
struct NativeDirectoryEntry {
    QString name;
    bool isFolder = false;
    bool isRegularFile = false;
};

// The entries of `folder` except "." and "..", in the order the file system gives them; empty
// when the folder cannot be read.
QList<NativeDirectoryEntry> readNativeDirectory(const QString& folder);

// Whether `path` is a folder (or a link to one).
bool isNativeDirectory(const QString& path);

// Whether `path` names an entry of the file system: a file of any kind, a folder, a link.
bool nativePathExists(const QString& path);

// The process's current folder in the lossless path form, without a trailing "/" (but "/").
QString nativeCurrentFolder();

// `path` made absolute against the current folder and cleaned ("." and ".." parts, doubled
// "/"), without touching its bytes otherwise.
QString absoluteNativePath(const QString& path);

} // namespace zorvane
