#pragma once

#include <QString>
#include <QStringList>

namespace zorvane {

// Starts a program as an independent process, without a shell, and returns at once.
// The result is 0 when the process was started, otherwise one of the program's error
// numbers (see ErrorNumbers.h): 53 for a program that does not exist, 76 for a missing
// folder on its path; other failures give a number that has no message.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual int startDetached(const QString& program, const QStringList& arguments) = 0;
};

} // namespace zorvane
