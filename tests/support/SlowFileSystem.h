#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace zorvane::testing {

// A FUSE mirror of a temporary folder that stalls like a hung network share (slowfs.py): listing
// a folder named "slow…" or reading a file named "slow…" sleeps until release() is called.
// Files are made in source() and seen, slow or not, through mountPoint().
class SlowFileSystem {
public:
    SlowFileSystem();
    ~SlowFileSystem();
    SlowFileSystem(const SlowFileSystem&) = delete;
    SlowFileSystem& operator=(const SlowFileSystem&) = delete;

    // Mounts the mirror; false with the reason in whyNot() where FUSE, python3-fusepy or the
    // right to mount is missing.
    bool mount();
    QString whyNot() const { return whyNot_; }

    QString source() const { return source_.path(); }
    QString mountPoint() const { return mountPoint_.path(); }

    // Ends every stall, the pending ones and those to come.
    void release();

private:
    QTemporaryDir source_;
    QTemporaryDir mountPoint_;
    QTemporaryDir control_;
    QProcess mirror_;
    QString whyNot_;
    bool mounted_ = false;
};

} // namespace zorvane::testing
