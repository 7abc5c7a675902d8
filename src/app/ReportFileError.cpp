#include "app/ReportFileError.h"

#include "platform/PlatformServices.h"

namespace zorvane {

std::optional<MessageRequest> fileErrorMessage(int /*errorNumber*/) { return std::nullopt; }

void ReportFileError(int errorNumber, QWidget* owner) {
    if (const auto request = fileErrorMessage(errorNumber))
        PlatformServices::messageBox().show(owner, *request);
}

} // namespace zorvane
