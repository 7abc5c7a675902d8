#pragma once

namespace zorvane {

class Form1;

// The options command of the main window: a new options dialog, modal over the main window,
// until OK or Cancel closes it.
void runOptionsDialog(Form1& form1);

} // namespace zorvane
