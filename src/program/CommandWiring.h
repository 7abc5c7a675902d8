#pragma once

namespace zorvane {

class Form1;

// Installs the program's own windows behind the platform services they stand for (the
// directory picker, the help window, the file-operation service with its progress window and
// questions). Call once, before the first window opens.
void installProgramWindows();

// Attaches to the main window's commands what they open: each command's handler runs after the
// main window has checked the current file and set TargetPath and FileOpCode.
void attachCommands(Form1& form1);

} // namespace zorvane
