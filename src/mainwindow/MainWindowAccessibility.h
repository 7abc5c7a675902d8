#pragma once

namespace zorvane {

class Form1;

// Gives the main window's directory and file lists and its viewer the names a screen reader
// announces: the captions beside them, "ビュアー" for the viewer. (The combo boxes are named
// as they are made.)
void nameForScreenReaders(Form1& form);

} // namespace zorvane
