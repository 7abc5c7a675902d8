#pragma once

#include "platform/MessageBoxService.h"

#include <QString>

class QWidget;

namespace zorvane {

// What could not be saved.
enum class UnsavedData {
    Settings,       // the options dialog's keys of plok.ini
    WindowPosition, // the window's place and size in plok.ini, at exit
    History,        // plok.his, at exit
};

// The message that `what` could not be written to `path`, with the reason for error number
// `errorNumber` (0: the reason is not known).
MessageRequest saveFailureMessage(UnsavedData what, const QString& path, int errorNumber);

// Why `path` cannot be replaced now, as the program's error number: checked after a write
// failed, to name the reason (55 while another program holds its update lock). 0 when nothing
// in the way can be seen.
int writeFailureNumber(const QString& path);

// Shows the message through the platform's message-box service.
void reportSaveFailure(UnsavedData what, const QString& path, int errorNumber, QWidget* owner);

} // namespace zorvane
