#pragma once

class QWidget;

namespace zorvane {

// Makes a dialog modal to its owner window (and the owner's owners) only, not to the whole
// program: the help window, which has no owner, stays usable while any dialog is open. A dialog
// without an owner blocks the program. Called before the dialog is shown (exec() keeps a
// modality set beforehand).
void setModalToOwner(QWidget& dialog);

} // namespace zorvane
