#include "platform/DialogModality.h"

#include <QWidget>

namespace zorvane {

void setModalToOwner(QWidget& dialog) {
    dialog.setWindowModality(dialog.parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
}

} // namespace zorvane
