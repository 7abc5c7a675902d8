#include "fileservice/ShellFileWork.h"
#include "platform/NativePath.h"

#include "fileservice/ShellCancellation.h"
#include "fileservice/ShellPaths.h"
#include "platform/UnfinishedFile.h"

#include <QFile>
#include <QRandomGenerator>

#include "platform/GioLibrary.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zorvane {

namespace {

// Owns a GFile for one scope.
class GFileHandle {
public:
    GFileHandle(const GioLibrary& gio, const QString& path)
        : gio_(gio), file_(gio.fileNewForPath(nativePath(path).constData())) {}
    ~GFileHandle() { gio_.objectUnref(file_); }
    GFileHandle(const GFileHandle&) = delete;
    GFileHandle& operator=(const GFileHandle&) = delete;
    GFile* get() const { return file_; }

private:
    const GioLibrary& gio_;
    GFile* file_;
};

qint64 nanoseconds(const struct timespec& time) {
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

ShellWorkResult fromGError(const GioLibrary& gio, GError* error, const QString& path) {
    const int code = error->domain == gio.ioErrorQuark() ? error->code : G_IO_ERROR_FAILED;
    g_error_free(error);
    return ShellWorkResult::failure(code, path);
}

ShellWorkResult fromErrno(int errnoValue, const QString& path) {
    const GioLibrary* gio = GioLibrary::get();
    return ShellWorkResult::failure(gio ? gio->ioErrorFromErrno(errnoValue) : G_IO_ERROR_FAILED,
                                    path);
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
    const GioLibrary* gio = GioLibrary::get();
    if (!gio)
        return ShellWorkResult::failure(G_IO_ERROR_NOT_SUPPORTED, source);
    GFileHandle from(*gio, source);
    ProgressContext context{&report};
    int flags = G_FILE_COPY_ALL_METADATA;
    if (!followLinks)
        flags |= G_FILE_COPY_NOFOLLOW_SYMLINKS;

    // A fresh random name each try; the copy creates it exclusively, so a name that happens to
    // be taken is never written into.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate = temporaryNameIn(folder);
        GFileHandle to(*gio, candidate);
        GError* error = nullptr;
        if (gio->fileCopy(from.get(), to.get(), static_cast<GFileCopyFlags>(flags),
                          static_cast<GCancellable*>(cancellation.gCancellable()), onCopyProgress,
                          &context, &error)) {
            temporaryPath = candidate;
            return ShellWorkResult::success();
        }
        if (g_error_matches(error, gio->ioErrorQuark(), G_IO_ERROR_EXISTS)) {
            g_error_free(error); // someone else's file: leave it and take another name
            continue;
        }
        ShellFileWork::removeQuietly(candidate);
        const bool sourceGone = g_error_matches(error, gio->ioErrorQuark(), G_IO_ERROR_NOT_FOUND);
        return fromGError(*gio, error, sourceGone ? source : folder);
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
constexpr size_t bufferedCopyChunk = 1024 * 1024;

// Copies the bytes [from, to) of `in` to the same place in `out`: the kernel's copy where the
// file systems allow it (as cp does), otherwise through a buffer. Stops early where the file
// ends (`endOfFile`); `reached` is where the copy stopped. `copied` reports each step; a cancel
// is seen between the steps. 0 or errno (an error of the source is flagged in `sourceFailed`).
int copyRange(int in, int out, off_t from, off_t to, off_t& reached, bool& endOfFile,
              bool& kernelCopy, std::vector<char>& buffer, ShellCancellation& cancellation,
              const std::function<void(off_t)>& copied, bool& sourceFailed) {
    off_t at = from;
    reached = at;
    while (at < to) {
        if (cancellation.isCancelled())
            return ECANCELED;
        const size_t want = static_cast<size_t>(to - at);
        ssize_t n = -1;
        if (kernelCopy) {
            loff_t inOffset = at;
            loff_t outOffset = at;
            n = ::copy_file_range(in, &inOffset, out, &outOffset, std::min(want, kernelCopyChunk),
                                  0);
            if (n < 0 && errno != EINTR && kernelCopyUnsupported(errno)) {
                kernelCopy = false;
                continue;
            }
            if (n == 0) {
                // The end, or a file of /proc or /sys whose kernel copy yields nothing on some
                // kernels: only a read tells which.
                kernelCopy = false;
                continue;
            }
        } else {
            if (buffer.empty())
                buffer.resize(bufferedCopyChunk);
            n = ::pread(in, buffer.data(), std::min(want, buffer.size()), at);
            if (n < 0 && errno != EINTR) {
                sourceFailed = true;
                return errno;
            }
            for (ssize_t written = 0; n > 0 && written < n;) {
                const ssize_t w = ::pwrite(out, buffer.data() + written,
                                           static_cast<size_t>(n - written), at + written);
                if (w < 0 && errno == EINTR)
                    continue;
                if (w < 0)
                    return errno;
                written += w;
            }
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            sourceFailed = errno == EIO;
            return errno;
        }
        if (n == 0) {
            endOfFile = true; // short of the size reported, or the file got shorter meanwhile
            break;
        }
        at += n;
        reached = at;
        copied(at);
    }
    return 0;
}

// Copies every extended attribute of `in` to `out`: the POSIX ACLs live there too. Attributes
// the destination cannot hold are left out; returns false when the access ACL is among them.
bool copyExtendedAttributes(int in, int out) {
    const ssize_t listSize = ::flistxattr(in, nullptr, 0);
    if (listSize <= 0)
        return true;
    std::vector<char> names(static_cast<size_t>(listSize));
    const ssize_t got = ::flistxattr(in, names.data(), names.size());
    if (got <= 0)
        return true;
    bool aclKept = true;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + got;
         name += std::strlen(name) + 1) {
        const ssize_t size = ::fgetxattr(in, name, nullptr, 0);
        if (size < 0)
            continue;
        value.resize(static_cast<size_t>(size) + 1);
        const ssize_t read = ::fgetxattr(in, name, value.data(), value.size());
        if (read < 0)
            continue;
        if (::fsetxattr(out, name, value.data(), static_cast<size_t>(read), 0) != 0 &&
            std::strcmp(name, "system.posix_acl_access") == 0)
            aclKept = false;
    }
    return aclKept;
}

// The data of a regular file, holes left as holes (only the data extents are copied, and the
// copy gets the length read at the end); then owner, extended attributes and ACLs, permissions and
// times of the source. The copy has no name until it is complete: a program killed meanwhile
// leaves nothing behind. `narrowed` tells that an ACL could not be kept and the copy lost its
// group and other rights instead; `changed` that the source was written to during the copy.
ShellWorkResult copyRegularFile(const QString& source, const QString& folder, bool flush,
                                ShellCancellation& cancellation, const ShellProgressReport& report,
                                QString& temporaryPath, bool& narrowed, bool& changed) {
    // Not blocking on open: a FIFO put in the file's place must not hang the copy.
    const int in = ::open(nativePath(source).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        return fromErrno(errno, source);
    DescriptorCloser inCloser(in);
    struct stat info {};
    if (::fstat(in, &info) != 0)
        return fromErrno(errno, source);
    if (!S_ISREG(info.st_mode))
        return ShellWorkResult::failure(G_IO_ERROR_NOT_REGULAR_FILE, source);

    UnfinishedFile copy(folder, QStringLiteral(".zorvane-"), QStringLiteral(".part"));
    if (!copy.isOpen())
        return fromErrno(copy.error(), folder);
    cancellation.setUnfinishedPath(copy.hiddenPath());
    const int out = copy.descriptor();

    // The reported size only scales the progress: /proc files report 0, /sys files 4096, a log
    // grows while it is read. The copy holds exactly the bytes read up to the end of the file.
    const qint64 total = info.st_size;
    const auto copied = [&](off_t at) {
        if (report)
            report(at, std::max<qint64>(at, total));
    };
    bool kernelCopy = true;
    bool sourceFailed = false;
    bool endOfFile = false;
    std::vector<char> buffer;
    off_t length = 0; // what the copy holds so far, holes included
    int error = 0;
    // The data extents the file system's map of holes shows; the holes stay holes.
    while (error == 0 && !endOfFile) {
        const off_t data = ::lseek(in, length, SEEK_DATA);
        if (data < 0 && errno == ENXIO) {
            // Nothing but a hole up to the reported end: the file's length includes it.
            struct stat now {};
            if (::fstat(in, &now) == 0 && now.st_size > length)
                length = now.st_size;
            break;
        }
        const off_t hole = data < 0 ? -1 : ::lseek(in, data, SEEK_HOLE);
        if (data < 0 || hole < 0)
            break; // no map of the holes: read on below
        error = copyRange(in, out, data, hole, length, endOfFile, kernelCopy, buffer, cancellation,
                          copied, sourceFailed);
    }
    // Beyond what the map shows: a size reported too small, no map at all, or bytes added
    // meanwhile. Read on until the file ends.
    if (error == 0 && !endOfFile)
        error = copyRange(in, out, length, std::numeric_limits<off_t>::max(), length, endOfFile,
                          kernelCopy, buffer, cancellation, copied, sourceFailed);
    if (error == ECANCELED)
        return ShellWorkResult::failure(G_IO_ERROR_CANCELLED, source);
    if (error != 0)
        return fromErrno(error, sourceFailed ? source : folder);

    // Exactly the length read, a trailing hole included.
    if (::ftruncate(out, length) != 0)
        return fromErrno(errno, folder);
    copied(length);
    // Written to meanwhile: the copy is what was read, which may be no version the file had.
    struct stat end {};
    if (::fstat(in, &end) != 0)
        return fromErrno(errno, source);
    changed = end.st_size != info.st_size || end.st_mtim.tv_sec != info.st_mtim.tv_sec ||
              end.st_mtim.tv_nsec != info.st_mtim.tv_nsec;

    // The owner only where allowed (it clears set-user bits, so it goes before the mode); the
    // group alone where the owner cannot be given.
    if (::fchown(out, info.st_uid, info.st_gid) != 0 &&
        ::fchown(out, static_cast<uid_t>(-1), info.st_gid) != 0) {
        // Neither: the copy belongs to its maker, as any new file.
    }
    mode_t mode = info.st_mode & 07777;
    if (!copyExtendedAttributes(in, out)) {
        // The ACL may deny someone what the mode allows: without it, only the owner keeps
        // access rather than anyone gaining some.
        mode &= ~mode_t(077);
        narrowed = true;
    }
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (::fchmod(out, mode) != 0 || ::futimens(out, times) != 0)
        return fromErrno(errno, folder);
    // On the disk before it has a name: a program killed meanwhile leaves nothing behind.
    if (flush && ::fsync(out) != 0)
        return fromErrno(errno, folder);
    int placed = 0;
    if (!cancellation.placeUnlessCancelled([&] {
            placed = copy.placeUnderHiddenName(temporaryPath);
            return temporaryPath;
        }))
        return ShellWorkResult::failure(G_IO_ERROR_CANCELLED, source);
    if (placed != 0)
        return fromErrno(placed, folder);
    return ShellWorkResult::success();
}

} // namespace

bool ShellWorkResult::cancelled() const {
    return !ok && gioError == G_IO_ERROR_CANCELLED;
}

ShellFileStatus ShellFileWork::status(const QString& path) {
    ShellFileStatus result;
    const QByteArray native = nativePath(path);
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
    const QByteArray folder = nativePath(shellFolderPart(path));
    const QByteArray name = nativePath(shellFileName(path));
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
                                               bool followLinks, bool flush,
                                               ShellCancellation& cancellation,
                                               const ShellProgressReport& report,
                                               QString& temporaryPath) {
    temporaryPath.clear();
    if (followLinks || !status(source).isLink) {
        bool narrowed = false;
        bool changed = false;
        ShellWorkResult result = copyRegularFile(source, folder, flush, cancellation, report,
                                                 temporaryPath, narrowed, changed);
        result.permissionsNarrowed = narrowed;
        result.sourceChanged = changed;
        return result;
    }
    // A link copied as a link: made in one step, nothing partial can be left.
    const ShellWorkResult result =
        copyWithGio(source, folder, followLinks, cancellation, report, temporaryPath);
    cancellation.setUnfinishedPath(temporaryPath);
    return result;
}

ShellWorkResult ShellFileWork::rename(const QString& from, const QString& to, bool replace) {
    const QByteArray source = nativePath(from);
    const QByteArray target = nativePath(to);
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
    const GioLibrary* gio = GioLibrary::get();
    if (!gio)
        return ShellWorkResult::failure(G_IO_ERROR_NOT_SUPPORTED, path);
    GFileHandle file(*gio, path);
    GError* error = nullptr;
    if (gio->fileTrash(file.get(), nullptr, &error))
        return ShellWorkResult::success();
    return fromGError(*gio, error, path);
}

ShellWorkResult ShellFileWork::remove(const QString& path) {
    const GioLibrary* gio = GioLibrary::get();
    if (!gio)
        return ShellWorkResult::failure(G_IO_ERROR_NOT_SUPPORTED, path);
    GFileHandle file(*gio, path);
    GError* error = nullptr;
    if (gio->fileDelete(file.get(), nullptr, &error))
        return ShellWorkResult::success();
    return fromGError(*gio, error, path);
}

void ShellFileWork::removeQuietly(const QString& path) {
    if (!path.isEmpty())
        ::unlink(nativePath(path).constData());
}

} // namespace zorvane
