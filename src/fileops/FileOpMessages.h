#pragma once

#include "platform/MessageBoxService.h"

#include <QString>

namespace zorvane {

// A number as the messages show it: one blank before it, or a minus sign in the blank's place.
QString signedNumberText(int number);

// The copy-and-move dialog's destination lookup failed on a medium that is gone or does not
// answer: Retry or Cancel.
MessageRequest searchRetryMessage();
// Any other failure of the destination lookup, with its error number.
MessageRequest searchErrorMessage(int errorNumber);
// The destination exists but is not a folder.
MessageRequest invalidFolderMessage();
// A missing destination folder could not be made; `errnoValue` says why.
MessageRequest folderCreationMessage(const QString& path, int errnoValue);
// A short Japanese reason for a failed mkdir.
QString folderCreationReason(int errnoValue);

// The directory picker's drive is not ready (a medium that is gone): Retry or Cancel.
MessageRequest driveNotReadyMessage();
// Any other failure of a drive change, with its error number.
MessageRequest driveErrorMessage(int errorNumber);

} // namespace zorvane
