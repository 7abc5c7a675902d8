#pragma once

#include <QString>

namespace zorvane {

// The file named on the command line, split the way the main window uses it.
struct CommandLineTarget {
    QString path;     // the argument without its quotes: Label5's caption
    QString folder;   // everything up to and including the last "/"; empty without one
    QString fileName; // what follows the last "/"
    QString pattern;  // "*.TXT" for a name ending in TXT (any case), "*.*" otherwise
};

// Splits the command-line text (the arguments joined by single blanks). Each double quote is
// replaced by a blank and the text trimmed after it, so quotes around a path with blanks fall
// away; a text without quotes is taken as it is. Nothing for an empty text.
// ":" is an ordinary character here: there are no drive letters.
bool parseCommandLineTarget(const QString& commandLineText, CommandLineTarget& target);

// The row of `entries` (a folder's file names) that `fileName` picks: the entry with exactly
// that name, else the one entry that differs from it only in letter case. -1 for none, and
// where two or more differ only in case: the program cannot tell which one is meant.
int entryNamed(const QStringList& entries, const QString& fileName);

// The target of one path as it is (a file dropped on the window), split as a command line's.
CommandLineTarget commandLineTargetOf(const QString& path);

// The command-line text of the program's arguments: joined by single blanks.
QString commandLineText(const QStringList& arguments);

} // namespace zorvane
