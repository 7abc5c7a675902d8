#include "options/OptionsCommand.h"

#include "options/frmOption.h"

namespace zorvane {

void runOptionsDialog(Form1& form1) {
    frmOption dialog(form1);
    dialog.exec();
}

} // namespace zorvane
