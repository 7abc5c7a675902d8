#include "platform/SystemProcessStarter.h"

#include "platform/ErrorNumbers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

namespace {

// 0 when `path` names an existing folder, else the reason it does not.
int folderProblem(const QString& path) {
    struct stat info {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &info) != 0)
        return errno == EACCES ? ErrPermissionDenied : ErrPathNotFound;
    return S_ISDIR(info.st_mode) ? 0 : ErrPathNotFound;
}

int pathProblem(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
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
    // QProcess reports a failed exec (a file that is not a program, for instance) as false.
    return QProcess::startDetached(resolved, arguments) ? 0 : ErrPermissionDenied;
}

} // namespace zorvane
