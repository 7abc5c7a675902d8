#include "platform/ShellFileWork.h"

#include "platform/ShellCancellation.h"

#include <QFile>
#include <QRandomGenerator>

#include "platform/ShellGio.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

namespace {

// Owns a GFile for one scope.
class GFileHandle {
public:
    explicit GFileHandle(const QString& path)
        : file_(g_file_new_for_path(QFile::encodeName(path).constData())) {}
    ~GFileHandle() { g_object_unref(file_); }
    GFileHandle(const GFileHandle&) = delete;
    GFileHandle& operator=(const GFileHandle&) = delete;
    GFile* get() const { return file_; }

private:
    GFile* file_;
};

ShellWorkResult fromGError(GError* error, const QString& path) {
    const int code = error->domain == G_IO_ERROR ? error->code : G_IO_ERROR_FAILED;
    g_error_free(error);
    return ShellWorkResult::failure(code, path);
}

ShellWorkResult fromErrno(int errnoValue, const QString& path) {
    return ShellWorkResult::failure(g_io_error_from_errno(errnoValue), path);
}

struct ProgressContext {
    const ShellProgressReport* report;
};

void onCopyProgress(goffset copied, goffset total, gpointer data) {
    const auto* context = static_cast<ProgressContext*>(data);
    if (*context->report)
        (*context->report)(copied, total);
}

QString temporaryNameIn(const QString& folder) {
    QString name = folder;
    if (!name.endsWith(QLatin1Char('/')))
        name += QLatin1Char('/');
    return name + QStringLiteral(".zorvane-%1.part")
                      .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
}

} // namespace

bool ShellWorkResult::cancelled() const {
    return !ok && gioError == G_IO_ERROR_CANCELLED;
}

ShellFileStatus ShellFileWork::status(const QString& path) {
    ShellFileStatus result;
    const QByteArray native = QFile::encodeName(path);
    if (path.isEmpty() || native.contains('\0'))
        return result;
    struct stat entry {};
    if (::lstat(native.constData(), &entry) != 0)
        return result;
    result.exists = true;
    result.isLink = S_ISLNK(entry.st_mode);
    result.entryDevice = entry.st_dev;
    result.entryInode = entry.st_ino;
    struct stat target {};
    if (::stat(native.constData(), &target) == 0) {
        result.targetExists = true;
        result.isDirectory = S_ISDIR(target.st_mode);
        result.isRegular = S_ISREG(target.st_mode);
        result.device = target.st_dev;
        result.inode = target.st_ino;
    }
    return result;
}

bool ShellFileWork::sameEntry(const ShellFileStatus& a, const ShellFileStatus& b) {
    return a.exists && b.exists && a.entryDevice == b.entryDevice && a.entryInode == b.entryInode;
}

bool ShellFileWork::sameFile(const ShellFileStatus& a, const ShellFileStatus& b) {
    return sameEntry(a, b) ||
           (a.targetExists && b.targetExists && a.device == b.device && a.inode == b.inode);
}

ShellWorkResult ShellFileWork::copyToTemporary(const QString& source, const QString& folder,
                                               bool followLinks, ShellCancellation& cancellation,
                                               const ShellProgressReport& report,
                                               QString& temporaryPath) {
    temporaryPath.clear();
    GFileHandle from(source);
    ProgressContext context{&report};
    int flags = G_FILE_COPY_ALL_METADATA;
    if (!followLinks)
        flags |= G_FILE_COPY_NOFOLLOW_SYMLINKS;

    // A fresh random name each try; the copy creates it exclusively, so a name that happens to
    // be taken is never written into.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate = temporaryNameIn(folder);
        GFileHandle to(candidate);
        GError* error = nullptr;
        if (g_file_copy(from.get(), to.get(), static_cast<GFileCopyFlags>(flags),
                        static_cast<GCancellable*>(cancellation.gCancellable()), onCopyProgress,
                        &context, &error)) {
            temporaryPath = candidate;
            return ShellWorkResult::success();
        }
        if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_EXISTS)) {
            g_error_free(error); // someone else's file: leave it and take another name
            continue;
        }
        removeQuietly(candidate);
        const bool sourceGone = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND);
        return fromGError(error, sourceGone ? source : folder);
    }
    return ShellWorkResult::failure(G_IO_ERROR_EXISTS, folder);
}

ShellWorkResult ShellFileWork::flushToDisk(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ELOOP ? ShellWorkResult::success() : fromErrno(errno, path);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    return result == 0 ? ShellWorkResult::success() : fromErrno(error, path);
}

ShellWorkResult ShellFileWork::rename(const QString& from, const QString& to, bool replace) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int result = 0;
    if (replace) {
        result = ::rename(source.constData(), target.constData());
    } else {
        result = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                             RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // A file system without the no-replace rename: look, then rename.
            struct stat existing {};
            if (::lstat(target.constData(), &existing) == 0)
                return ShellWorkResult::failure(G_IO_ERROR_EXISTS, to);
            result = ::rename(source.constData(), target.constData());
        }
    }
    if (result == 0)
        return ShellWorkResult::success();
    const int error = errno;
    if (error == EXDEV)
        return ShellWorkResult::failure(G_IO_ERROR_NOT_SUPPORTED, to);
    if (error == EEXIST)
        return ShellWorkResult::failure(G_IO_ERROR_EXISTS, to);
    if (error == ENOENT && ::access(source.constData(), F_OK) != 0)
        return fromErrno(error, from);
    return fromErrno(error, to);
}

ShellWorkResult ShellFileWork::trash(const QString& path) {
    GFileHandle file(path);
    GError* error = nullptr;
    if (g_file_trash(file.get(), nullptr, &error))
        return ShellWorkResult::success();
    return fromGError(error, path);
}

ShellWorkResult ShellFileWork::remove(const QString& path) {
    GFileHandle file(path);
    GError* error = nullptr;
    if (g_file_delete(file.get(), nullptr, &error))
        return ShellWorkResult::success();
    return fromGError(error, path);
}

void ShellFileWork::removeQuietly(const QString& path) {
    if (!path.isEmpty())
        ::unlink(QFile::encodeName(path).constData());
}

} // namespace zorvane
