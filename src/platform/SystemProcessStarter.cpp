#include "platform/SystemProcessStarter.h"

#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zorvane {

namespace {

// 0 when `path` names an existing folder, else the reason it does not.
int folderProblem(const QString& path) {
    struct stat info {};
    const QByteArray native = nativePath(path);
    if (::stat(native.constData(), &info) != 0)
        return errno == EACCES ? ErrPermissionDenied : ErrPathNotFound;
    return S_ISDIR(info.st_mode) ? 0 : ErrPathNotFound;
}

int pathProblem(const QString& path) {
    const QByteArray native = nativePath(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            // Is it the file or a folder on its way that is missing?
            const QString folder = QFileInfo(path).absolutePath();
            const int folderError = folderProblem(folder);
            return folderError != 0 ? folderError : ErrFileNotFound;
        }
        if (error == EACCES)
            return ErrPermissionDenied;
        return errorNumberFromErrno(error, native.constData());
    }
    if (S_ISDIR(info.st_mode) || ::access(native.constData(), X_OK) != 0)
        return ErrPermissionDenied;
    return 0;
}

// Starts the program in a process of its own (a grandchild, so that no zombie is left), each
// argument with its exact bytes. False when it could not be executed.
bool spawnDetached(const QByteArray& program, const QList<QByteArray>& arguments) {
    // Everything the child needs is made before fork(): after it only async-signal-safe calls.
    std::vector<QByteArray> strings;
    strings.reserve(static_cast<size_t>(arguments.size()) + 1);
    strings.push_back(program);
    for (const QByteArray& argument : arguments)
        strings.push_back(argument);
    std::vector<char*> argv;
    for (QByteArray& string : strings)
        argv.push_back(string.data());
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(argv.front(), argv.data());
            const int error = errno;
            [[maybe_unused]] const auto written = ::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        if (grandchild < 0) {
            const int error = errno;
            [[maybe_unused]] const auto written = ::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    if (child < 0) {
        ::close(report[0]);
        return false;
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without a word when exec succeeded.
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return got == 0;
}

} // namespace

int resolveProgram(const QString& program, QString& resolved) {
    resolved.clear();
    if (program.isEmpty())
        return ErrPermissionDenied;
    if (program.contains(QLatin1Char('/'))) {
        const QString path = QFileInfo(program).absoluteFilePath();
        const int problem = pathProblem(path);
        if (problem == 0)
            resolved = path;
        return problem;
    }
    resolved = QStandardPaths::findExecutable(program);
    return resolved.isEmpty() ? ErrFileNotFound : 0;
}

int SystemProcessStarter::startDetached(const QString& program, const QStringList& arguments) {
    QString resolved;
    if (const int problem = resolveProgram(program, resolved); problem != 0)
        return problem;
    // Not through QProcess: it converts the arguments with Qt's lossy file-name encoding, and a
    // path whose name is not UTF-8 would reach another file.
    QList<QByteArray> nativeArguments;
    for (const QString& argument : arguments)
        nativeArguments.append(nativePath(argument));
    return spawnDetached(nativePath(resolved), nativeArguments) ? 0 : ErrPermissionDenied;
}

} // namespace zorvane
