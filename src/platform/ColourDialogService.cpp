#include "platform/ColourDialogService.h"

#include "platform/DialogModality.h"

#include <QColorDialog>

namespace zorvane {

std::optional<QColor> QtColourDialogService::chooseColour(QWidget* owner, const QColor& start) {
    QColorDialog dialog(start, owner);
    dialog.setObjectName(QStringLiteral("ColourDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    setModalToOwner(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

} // namespace zorvane
