#include "platform/ColourDialogService.h"

#include <QColorDialog>

namespace zorvane {

std::optional<QColor> QtColourDialogService::chooseColour(QWidget* owner, const QColor& start) {
    QColorDialog dialog(start, owner);
    dialog.setObjectName(QStringLiteral("ColourDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

} // namespace zorvane
