#pragma once

#include "platform/MessageBoxService.h"

#include <optional>

class QWidget;

namespace zorvane {

// The message box that reports a failed file or device operation of the given error number,
// or nothing for a number the program has no message for.
std::optional<MessageRequest> fileErrorMessage(int errorNumber);

// Shows the box for `errorNumber` (title "ディスク エラー") through the platform's message-box
// service and returns when it is closed. Numbers without a message show nothing.
void ReportFileError(int errorNumber, QWidget* owner = nullptr);

} // namespace zorvane
