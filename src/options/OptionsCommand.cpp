#include "options/OptionsCommand.h"

#include "options/frmOption.h"

namespace zorvane {

void runOptionsDialog(const OptionTargets& targets) {
    frmOption dialog(targets);
    dialog.exec();
}

} // namespace zorvane
