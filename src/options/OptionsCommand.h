#pragma once

#include "options/OptionTargets.h"

namespace zorvane {

// The options command of the main window: a new options dialog, modal over the main window,
// until OK or Cancel closes it.
void runOptionsDialog(const OptionTargets& targets);

} // namespace zorvane
