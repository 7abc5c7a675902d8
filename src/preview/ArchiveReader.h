#pragma once

#include "preview/ArchiveLibrary.h"
#include "preview/ByteSource.h"
#include "preview/ExpansionBudget.h"

#include <QByteArray>

#include <locale.h>

namespace zorvane {

// libarchive reading the members of a zip, tar, 7z or cpio archive from a ByteSource: a file,
// bytes in memory, or the expanded bytes of a compressed tar or cpio. No other format is
// enabled, no filter (the viewer expands streams itself), nothing that runs another program or
// asks for a passphrase. Where the source cannot seek, libarchive reads through what it skips,
// within the budget.
//
// Names come out as libarchive gives them in a UTF-8 locale: UTF-8 where the archive says what
// they are (7z, pax, zip's UTF-8 flag and Unicode path field), their stored bytes where it does
// not. The locale is the thread's, set for the reader's lifetime and restored after it, so the
// reader is made, used and dropped on one thread.
class ArchiveReader {
public:
    ArchiveReader(ByteSource& source, ExpansionBudget& budget);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // The handle to read with, once the format was recognised; null otherwise.
    archive* handle() const { return opened_ ? archive_ : nullptr; }

    // The library the handle is read with; null where libarchive could not be opened.
    const ArchiveLibrary* library() const { return library_; }

    // Counts bytes of a member's data read through; false once the budget is used up.
    bool spend(qint64 count) { return budget_.spend(0, count); }

    // How the last read that failed ended.
    ExpansionStop failure() const { return budget_.failure(); }

private:
    struct Callbacks; // libarchive's read, skip and seek of the source
    friend struct Callbacks;

    ByteSource& source_;
    ExpansionBudget& budget_;
    const ArchiveLibrary* library_ = ArchiveLibrary::get();
    archive* archive_ = nullptr;
    bool opened_ = false;
    QByteArray block_;
    locale_t previousLocale_ = nullptr;
};

} // namespace zorvane
