#pragma once

#include <QString>

namespace zorvane {

// What is wrong with a new full path given for renaming a file in its folder.
enum class RenameTargetProblem {
    None,
    EmptyName,    // the new path is the folder alone
    NamesFolder,  // "." or "..": the folder itself or its parent
    OtherFolder,  // the new path leaves the file's folder (a "/" in the name, another folder)
    BadCharacter, // a NUL character, which no file name can hold
};

// The last component of `path` (everything after its last "/").
QString shellFileName(const QString& path);

// The folder part of `path` up to and including its last "/"; empty without one.
QString shellFolderPart(const QString& path);

// Where a file lands when copied or moved into `folder`: the folder, one "/", the file's name.
QString shellDestinationInFolder(const QString& source, const QString& folder);

// Checks the new full path of a rename against the source's folder, without touching the disk.
RenameTargetProblem renameTargetProblem(const QString& source, const QString& newFullPath);

} // namespace zorvane
