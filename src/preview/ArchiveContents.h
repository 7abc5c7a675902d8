#pragma once

#include "preview/ArchiveReader.h"
#include "preview/ExpansionBudget.h"
#include "textfile/JapaneseTextGuess.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zorvane {

// One member of an archive as its table of contents gives it.
struct ArchiveMember {
    QByteArray name;                // as stored (see ArchiveReader for the bytes of a name)
    QByteArray linkTarget;          // of a symbolic link, else empty
    qint64 size = -1;               // -1 when the archive does not say
    std::optional<qint64> modified; // seconds since 1970
    bool folder = false;
    bool encrypted = false;
};

// The first members of an archive, in the archive's order.
struct ArchiveListing {
    QList<ArchiveMember> members;
    bool more = false; // another member follows the last one listed
    ExpansionStop stop = ExpansionStop::Complete;
    qint64 stoppedAt = 0;   // where the reading stopped: bytes into the (expanded) archive
    bool encrypted = false; // what stopped it is encryption libarchive cannot read through
};

// Lists at most `maxMembers` members of the archive `reader` reads, and tells whether more
// follow. The data between members is skipped, by seeking where the source can, else read
// through within the bounds. Encrypted members are listed; nothing asks for a passphrase.
ArchiveListing listArchive(ArchiveReader& reader, int maxMembers);

// The encoding of the names: told from all of them together, as the viewer tells a text's.
ContentEncoding guessNameEncoding(const ArchiveListing& listing);

// One line of the table of contents: size (or <DIR>), date and time of modification in local
// time, name (a folder's with "/" at its end; control characters shown as \xNN).
QString archiveMemberLine(const ArchiveMember& member, ContentEncoding names);

} // namespace zorvane
