#include "platform/FontDialogService.h"

#include "platform/DialogModality.h"
#include "platform/ViewerFontDialog.h"

namespace zorvane {

std::optional<FontChoice> QtFontDialogService::chooseFont(QWidget* owner,
                                                          const FontDialogRequest& request) {
    ViewerFontDialog dialog(request, owner);
    setModalToOwner(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace zorvane
