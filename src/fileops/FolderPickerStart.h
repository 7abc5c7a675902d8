#pragma once

#include <QString>

#include <functional>

namespace zorvane {

// Where the directory picker opens for DirPickStart `start`: the folder itself, or when it names
// no existing folder (a file, a folder removed meanwhile) its nearest existing parent; when
// there is none, or `start` is empty or relative, the process's current folder.
QString pickerStartFolder(const QString& start, const std::function<bool(const QString&)>& isFolder,
                          const QString& currentFolder);

} // namespace zorvane
