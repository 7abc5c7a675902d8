#pragma once

#include <QStringList>

namespace zorvane {

enum class CommandLineAction {
    Open,    // show the window, on the file the operands name
    Help,    // print the usage and end
    Version, // print the version and end
};

struct CommandLineRequest {
    CommandLineAction action = CommandLineAction::Open;
    // True when "--" ended the options: `operands` then holds everything after it, and none of
    // it may be taken as an option (Qt's own included).
    bool optionsEnded = false;
    QStringList operands;
};

// Reads the arguments that follow the program's name. Options are taken only before the first
// argument that is not one, as a POSIX utility does: `zorvane notes --help` names the file
// "notes --help", since the arguments joined by blanks are one path. "-h" and "--help" ask for
// the usage, "--version" for the version (the first of them wins), "--" ends the options.
// Anything else, "-x" included, is where the path begins.
CommandLineRequest parseCommandLine(const QStringList& arguments);

// The short usage printed by --help, ending with a line end.
QString usageText(bool japanese);

// "zorvane X.Y.Z" with a line end, as --version prints it.
QString versionText(int major, int minor, int revision);

} // namespace zorvane
