#pragma once

#include <QString>

namespace zorvane {

// The desktop's own application for text files: the one a file manager's "Open" starts.
class DefaultTextApplication {
public:
    virtual ~DefaultTextApplication() = default;
    // Starts that application on `file` (without a file when it is empty) and returns at once.
    // This program is never the one started: where it is the desktop's choice, the next
    // application for text files is. False when no application could be started.
    virtual bool startOn(const QString& file) = 0;
};

} // namespace zorvane
