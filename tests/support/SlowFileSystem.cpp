#include "SlowFileSystem.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sys/statfs.h>

namespace zorvane::testing {

namespace {

constexpr long FuseMagic = 0x65735546;

bool isFuseMount(const QString& path) {
    struct statfs info {};
    return ::statfs(QFile::encodeName(path).constData(), &info) == 0 && info.f_type == FuseMagic;
}

} // namespace

SlowFileSystem::SlowFileSystem() = default;

SlowFileSystem::~SlowFileSystem() {
    release();
    if (mirror_.state() != QProcess::NotRunning) {
        mirror_.terminate(); // the mirror unmounts on SIGTERM
        if (!mirror_.waitForFinished(10000)) {
            mirror_.kill();
            mirror_.waitForFinished(10000);
        }
    }
    if (mounted_ && isFuseMount(mountPoint()))
        QProcess::execute(QStringLiteral("fusermount"),
                          {QStringLiteral("-u"), QStringLiteral("-z"), mountPoint()});
}

bool SlowFileSystem::mount() {
    if (!QFileInfo::exists(QStringLiteral("/dev/fuse"))) {
        whyNot_ = QStringLiteral("/dev/fuse is missing: no FUSE here");
        return false;
    }
    // The system's Python, which the Debian package python3-fusepy serves.
    const QString python = QStringLiteral("/usr/bin/python3");
    if (QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import fusepy")}) != 0) {
        whyNot_ = QStringLiteral("/usr/bin/python3 cannot import fusepy (package python3-fusepy)");
        return false;
    }
    mirror_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mirror_.start(python,
                  {QStringLiteral(ZORVANE_SLOWFS_SCRIPT), source(), mountPoint(), control_.path()});
    if (!mirror_.waitForStarted(10000)) {
        whyNot_ = QStringLiteral("slowfs.py did not start");
        return false;
    }
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && mirror_.state() == QProcess::Running) {
        if (isFuseMount(mountPoint())) {
            mounted_ = true;
            return true;
        }
        QThread::msleep(20);
    }
    whyNot_ = QStringLiteral("the FUSE mount did not come up (no right to mount?)");
    return false;
}

void SlowFileSystem::release() {
    QFile released(control_.filePath(QStringLiteral("release")));
    if (!released.exists() && released.open(QIODevice::WriteOnly))
        released.close();
}

} // namespace zorvane::testing
