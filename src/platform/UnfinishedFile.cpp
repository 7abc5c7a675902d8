#include "platform/UnfinishedFile.h"
#include "platform/NativePath.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace zorvane {

namespace {

constexpr int NameAttempts = 16;

bool lacksUnnamedFiles(int errnoValue) {
    return errnoValue == EOPNOTSUPP || errnoValue == EISDIR || errnoValue == EINVAL ||
           errnoValue == ENOSYS;
}

} // namespace

UnfinishedFile::UnfinishedFile(const QString& folder, const QString& prefix, const QString& suffix)
    : folder_(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/')),
      prefix_(prefix), suffix_(suffix) {
    // Private while it is being written; the caller gives it its final permissions.
    descriptor_ = ::open(nativePath(folder_).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (descriptor_ >= 0)
        return;
    if (!lacksUnnamedFiles(errno)) {
        error_ = errno;
        return;
    }
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QByteArray candidate = hiddenCandidate();
        descriptor_ = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor_ >= 0) {
            namedPath_ = candidate;
            return;
        }
        if (errno != EEXIST) {
            error_ = errno;
            return;
        }
    }
    error_ = EEXIST;
}

UnfinishedFile::~UnfinishedFile() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!namedPath_.isEmpty())
        ::unlink(namedPath_.constData());
}

QString UnfinishedFile::hiddenPath() const {
    return namedPath_.isEmpty() ? QString() : pathFromNative(namedPath_);
}

QByteArray UnfinishedFile::hiddenCandidate() const {
    return nativePath(folder_ + prefix_ +
                      QStringLiteral("%1").arg(QRandomGenerator::global()->generate64(), 16, 16,
                                               QLatin1Char('0')) +
                      suffix_);
}

int UnfinishedFile::linkTo(const QByteArray& name) {
    char own[64];
    std::snprintf(own, sizeof own, "/proc/self/fd/%d", descriptor_);
    if (::linkat(AT_FDCWD, own, AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int error = errno;
    if (error == EEXIST)
        return error;
    // Without /proc: the direct form, which needs a privilege.
    if (::linkat(descriptor_, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0)
        return 0;
    return error;
}

int UnfinishedFile::closeDescriptor() {
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    return result == 0 ? 0 : errno;
}

int UnfinishedFile::placeUnderHiddenName(QString& path) {
    if (descriptor_ < 0)
        return EBADF;
    if (namedPath_.isEmpty()) {
        int error = EEXIST;
        QByteArray candidate;
        for (int attempt = 0; attempt < NameAttempts && error == EEXIST; ++attempt) {
            candidate = hiddenCandidate();
            error = linkTo(candidate);
        }
        if (error != 0)
            return error;
        namedPath_ = candidate;
    }
    if (const int error = closeDescriptor(); error != 0)
        return error; // the destructor removes the name
    path = pathFromNative(namedPath_);
    namedPath_.clear();
    return 0;
}

int UnfinishedFile::placeAt(const QByteArray& target, bool replace) {
    if (descriptor_ < 0)
        return EBADF;
    if (namedPath_.isEmpty()) {
        const int error = linkTo(target);
        if (error == 0)
            return closeDescriptor(); // named and complete: a failed close leaves it in place
        if (error != EEXIST || !replace)
            return error;
    }
    QString hidden;
    if (const int error = placeUnderHiddenName(hidden); error != 0)
        return error;
    const QByteArray hiddenName = nativePath(hidden);
    if (::rename(hiddenName.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(hiddenName.constData());
        return error;
    }
    return 0;
}

} // namespace zorvane
