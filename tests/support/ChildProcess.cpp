#include "ChildProcess.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zorvane::testing {

pid_t startChild(const QStringList& arguments) {
    QList<QByteArray> storage{QByteArrayLiteral("/proc/self/exe"), QByteArrayLiteral("--child")};
    for (const QString& argument : arguments)
        storage.append(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    return ::posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) == 0 ? pid
                                                                                              : -1;
}

int waitForChild(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

} // namespace zorvane::testing
