#include "platform/SystemProcessStarter.h"

#include <QProcess>

namespace zorvane {

int SystemProcessStarter::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments) ? 0 : -1;
}

} // namespace zorvane
