#include "platform/ShellFileWork.h"

#include "platform/ShellCancellation.h"
#include "platform/ShellPaths.h"

#include <QFile>
#include <QRandomGenerator>

#include "platform/ShellGio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

qint64 nanoseconds(const struct timespec& time) {
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

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

// GIO's copy: any file system GIO reaches, links copied as links when asked.
ShellWorkResult copyWithGio(const QString& source, const QString& folder, bool followLinks,
                            ShellCancellation& cancellation, const ShellProgressReport& report,
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
        ShellFileWork::removeQuietly(candidate);
        const bool sourceGone = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND);
        return fromGError(error, sourceGone ? source : folder);
    }
    return ShellWorkResult::failure(G_IO_ERROR_EXISTS, folder);
}

// Closes a descriptor at the end of a scope.
class DescriptorCloser {
public:
    explicit DescriptorCloser(int fd) : fd_(fd) {}
    ~DescriptorCloser() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    DescriptorCloser(const DescriptorCloser&) = delete;
    DescriptorCloser& operator=(const DescriptorCloser&) = delete;
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool kernelCopyUnsupported(int errnoValue) {
    return errnoValue == EXDEV || errnoValue == EINVAL || errnoValue == ENOSYS ||
           errnoValue == EOPNOTSUPP || errnoValue == ENOTSUP;
}

constexpr size_t kernelCopyChunk = 16 * 1024 * 1024;

// The data of a regular file copied by the kernel (copy_file_range, as cp does), in chunks so
// that progress is reported and a cancel is seen between them; then owner, permissions and
// times of the source. Returns nothing, with nothing left behind, when the file systems cannot
// copy this way: GIO copies then.
std::optional<ShellWorkResult> copyWithKernel(const QString& source, const QString& folder,
                                              ShellCancellation& cancellation,
                                              const ShellProgressReport& report,
                                              QString& temporaryPath) {
    // Not blocking on open: a FIFO put in the file's place must not hang the copy.
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        return fromErrno(errno, source);
    DescriptorCloser inCloser(in);
    struct stat info {};
    if (::fstat(in, &info) != 0)
        return fromErrno(errno, source);
    if (!S_ISREG(info.st_mode))
        return ShellWorkResult::failure(G_IO_ERROR_NOT_REGULAR_FILE, source);

    QString candidate;
    int out = -1;
    for (int attempt = 0; attempt < 16 && out < 0; ++attempt) {
        candidate = temporaryNameIn(folder);
        // Private while it is being written; the source's permissions come at the end.
        out = ::open(QFile::encodeName(candidate).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0 && errno != EEXIST)
            return fromErrno(errno, folder);
    }
    if (out < 0)
        return ShellWorkResult::failure(G_IO_ERROR_EXISTS, folder);
    DescriptorCloser outCloser(out);

    ShellWorkResult result;
    qint64 copied = 0;
    for (;;) {
        if (cancellation.isCancelled()) {
            result = ShellWorkResult::failure(G_IO_ERROR_CANCELLED, source);
            break;
        }
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kernelCopyChunk, 0);
        if (n < 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            if (copied == 0 && kernelCopyUnsupported(error)) {
                ::close(outCloser.release());
                ::unlink(QFile::encodeName(candidate).constData());
                return std::nullopt;
            }
            result = fromErrno(error, error == EIO ? source : folder);
            break;
        }
        if (n == 0)
            break;
        copied += n;
        if (report)
            report(copied, std::max<qint64>(copied, info.st_size));
    }

    if (result.ok) {
        // The owner only where allowed (it clears set-user bits, so it goes before the mode).
        [[maybe_unused]] const int owned = ::fchown(out, info.st_uid, info.st_gid);
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        if (::fchmod(out, info.st_mode & 07777) != 0 || ::futimens(out, times) != 0)
            result = fromErrno(errno, folder);
    }
    if (::close(outCloser.release()) != 0 && result.ok)
        result = fromErrno(errno, folder);
    if (!result.ok) {
        ::unlink(QFile::encodeName(candidate).constData());
        return result;
    }
    temporaryPath = candidate;
    return result;
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
    result.entrySize = entry.st_size;
    result.entryModified = nanoseconds(entry.st_mtim);
    result.entryChanged = nanoseconds(entry.st_ctim);
    struct stat target {};
    if (::stat(native.constData(), &target) == 0) {
        result.targetExists = true;
        result.isDirectory = S_ISDIR(target.st_mode);
        result.isRegular = S_ISREG(target.st_mode);
        result.device = target.st_dev;
        result.inode = target.st_ino;
        result.size = target.st_size;
        result.modified = nanoseconds(target.st_mtim);
    }
    return result;
}

bool ShellFileWork::sameEntry(const ShellFileStatus& a, const ShellFileStatus& b) {
    return a.exists && b.exists && a.entryDevice == b.entryDevice && a.entryInode == b.entryInode;
}

bool ShellFileWork::sameFile(const ShellFileStatus& a, const ShellFileStatus& b) {
    if (sameEntry(a, b))
        return true;
    if (!a.targetExists || !b.targetExists || a.inode != b.inode)
        return false;
    return a.device == b.device ||
           (a.isRegular && b.isRegular && a.size == b.size && a.modified == b.modified);
}

bool ShellFileWork::unchangedSince(const ShellFileStatus& before, const ShellFileStatus& now) {
    return before.exists && now.exists && sameEntry(before, now) &&
           before.entrySize == now.entrySize && before.entryModified == now.entryModified &&
           before.entryChanged == now.entryChanged;
}

bool ShellFileWork::hasEntrySpelledAs(const QString& path) {
    const QByteArray folder = QFile::encodeName(shellFolderPart(path));
    const QByteArray name = QFile::encodeName(shellFileName(path));
    DIR* directory = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (directory == nullptr)
        return true; // cannot tell: count the name as taken
    bool found = false;
    while (const dirent* entry = ::readdir(directory)) {
        if (name == entry->d_name) {
            found = true;
            break;
        }
    }
    ::closedir(directory);
    return found;
}

ShellWorkResult ShellFileWork::copyToTemporary(const QString& source, const QString& folder,
                                               bool followLinks, ShellCancellation& cancellation,
                                               const ShellProgressReport& report,
                                               QString& temporaryPath) {
    temporaryPath.clear();
    if (followLinks || !status(source).isLink) {
        if (auto copied = copyWithKernel(source, folder, cancellation, report, temporaryPath))
            return *copied;
    }
    return copyWithGio(source, folder, followLinks, cancellation, report, temporaryPath);
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
