#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

namespace zorvane {

class ShellCancellation;

// What one piece of file work came to.
struct ShellWorkResult {
    bool ok = true;
    int gioError = 0; // GIOErrorEnum when !ok
    QString path;     // the path the failure concerns
    // A copy whose ACL the destination could not hold lost its group and other rights instead.
    bool permissionsNarrowed = false;
    // The source's size or modification time changed while it was copied: the copy holds the
    // bytes read, which need not be any version the file had.
    bool sourceChanged = false;
    // A copy left behind in a read that would not return, whose unfinished file could not be
    // removed: the user is told where it is.
    QString leftBehind;

    static ShellWorkResult success() { return {}; }
    static ShellWorkResult failure(int gioError, const QString& path) {
        return {false, gioError, path, false, false, QString()};
    }
    bool cancelled() const;
};

// What the file system says about a path, links followed and not.
struct ShellFileStatus {
    bool exists = false;       // the entry itself (a link counts, even a dangling one)
    bool isLink = false;       // the entry is a symbolic link
    bool targetExists = false; // the entry, links followed, leads to something
    bool isDirectory = false;  // links followed
    bool isRegular = false;    // links followed
    quint64 entryDevice = 0, entryInode = 0;
    quint64 device = 0, inode = 0; // links followed
    // What tells a file from a new version saved under its name: size, modification and
    // change times in nanoseconds, of the entry itself and of what it leads to.
    qint64 entrySize = 0, entryModified = 0, entryChanged = 0;
    qint64 size = 0, modified = 0; // links followed
};

using ShellProgressReport = std::function<void(qint64 copied, qint64 total)>;

// The file work of the shell service: GIO and the system calls beneath it. Nothing here shows a
// window, so copies can run in a worker thread.
class ShellFileWork {
public:
    static ShellFileStatus status(const QString& path);

    // The same directory entry (a second name of the file on a case-blind file system).
    static bool sameEntry(const ShellFileStatus& a, const ShellFileStatus& b);
    // The same entry or the same file behind links and hard links: writing one writes the other.
    // A second view of a folder (a FUSE or network mount of a local folder) shows the file under
    // another device with the same inode: a regular file whose inode, size and modification
    // time to the nanosecond agree is taken for the same file, as copying onto it would be.
    static bool sameFile(const ShellFileStatus& a, const ShellFileStatus& b);

    // The entry is still what it was when `before` was taken: the same file, not changed since
    // (and not replaced by a new version saved under its name).
    static bool unchangedSince(const ShellFileStatus& before, const ShellFileStatus& now);

    // Whether the folder of `path` holds an entry spelled exactly as its last name (byte for
    // byte): on a case-blind file system a name differing only in letter case finds the entry
    // of another spelling through lstat, but not here.
    static bool hasEntrySpelledAs(const QString& path);

    // Copies `source` into `folder` under a new hidden temporary name (returned in
    // `temporaryPath`), keeping modification time, permissions, extended attributes and ACLs,
    // and the holes of a sparse file. The copy holds exactly the bytes read up to the end of the
    // file, whatever size the file system reports. The copy gets its name only once complete
    // (and, with `flush`, written through to the disk), never after a cancel. A symbolic link is
    // copied as a link when `followLinks` is false. A failed or cancelled copy leaves no
    // temporary file. `cancellation` holds the name the copy has meanwhile, if any.
    static ShellWorkResult copyToTemporary(const QString& source, const QString& folder,
                                           bool followLinks, bool flush,
                                           ShellCancellation& cancellation,
                                           const ShellProgressReport& report,
                                           QString& temporaryPath);

    // Renames within one file system. Without `replace` an existing `to` is never replaced,
    // even one that appears meanwhile (G_IO_ERROR_EXISTS). Across file systems the result is
    // G_IO_ERROR_NOT_SUPPORTED and nothing is changed.
    static ShellWorkResult rename(const QString& from, const QString& to, bool replace);

    // Moves the file to the user's trash; G_IO_ERROR_NOT_SUPPORTED where its place has none.
    static ShellWorkResult trash(const QString& path);
    static ShellWorkResult remove(const QString& path);

    // Removes a file the service made itself, if it is there; errors are of no interest.
    static void removeQuietly(const QString& path);
};

} // namespace zorvane
