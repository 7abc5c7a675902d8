#pragma once

#include <QString>

namespace zorvane {

// A full path split at its last "/": the folder with that "/" and the name after it.
struct SplitName {
    QString oldDir;  // up to and including the last "/"; empty without one
    QString oldName; // after the last "/"; the whole path without one

    friend bool operator==(const SplitName&, const SplitName&) = default;
};

// Works on characters, so names in any script split where their "/" is.
SplitName SplitPath(const QString& path);

// The part of a name the rename dialog selects for editing: up to its last ".", so the
// extension stays; the whole name when it has no "." or its only "." leads it (".bashrc").
struct NameSelection {
    int start = 0;
    int length = 0;

    friend bool operator==(const NameSelection&, const NameSelection&) = default;
};

NameSelection renameSelection(const QString& name);

} // namespace zorvane
