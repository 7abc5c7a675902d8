#include "preview/ArchiveContents.h"

#include "preview/PreviewEncoding.h"

#include <QDateTime>

namespace zorvane {

namespace {

// Reads through the data of the member just listed, within the bounds. Returns false when the
// reading cannot go on; `size` is what the data held.
bool expandThrough(ArchiveReader& reader, qint64& size) {
    archive* handle = reader.handle();
    const ArchiveLibrary& l = *reader.library();
    const void* block = nullptr;
    size_t count = 0;
    la_int64_t offset = 0;
    qint64 end = 0;
    for (;;) {
        const int result = l.dataBlock(handle, &block, &count, &offset);
        if (result == ARCHIVE_EOF) {
            size = end;
            return true;
        }
        if (result < ARCHIVE_WARN)
            return false;
        end = qMax<qint64>(end, offset + qint64(count));
        if (!reader.spend(qint64(count)))
            return false;
    }
}

ArchiveMember memberOf(const ArchiveLibrary& l, archive_entry* entry) {
    ArchiveMember member;
    if (const char* name = l.entryPathname(entry))
        member.name = name;
    if (const char* target = l.entrySymlink(entry))
        member.linkTarget = target;
    if (l.entrySizeIsSet(entry))
        member.size = l.entrySize(entry);
    if (l.entryMtimeIsSet(entry))
        member.modified = l.entryMtime(entry);
    member.folder = l.entryFiletype(entry) == AE_IFDIR;
    member.encrypted = l.entryIsEncrypted(entry) != 0;
    return member;
}

QString shownName(const QByteArray& bytes, ContentEncoding names) {
    const QString decoded = decodeContent(bytes, names);
    QString shown;
    shown.reserve(decoded.size());
    for (const QChar c : decoded) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
        else
            shown += c;
    }
    return shown;
}

} // namespace

ArchiveListing listArchive(ArchiveReader& reader, int maxMembers) {
    ArchiveListing listing;
    archive* handle = reader.handle();
    if (handle == nullptr) {
        listing.stop = reader.failure();
        return listing;
    }
    const ArchiveLibrary& l = *reader.library();
    archive_entry* entry = nullptr;
    for (;;) {
        // A member that failed (a feature libarchive lacks) is listed and the next one tried;
        // anything worse ends the listing there.
        const int result = l.nextHeader(handle, &entry);
        if (result == ARCHIVE_EOF)
            return listing;
        if (result != ARCHIVE_OK && result != ARCHIVE_WARN && result != ARCHIVE_FAILED)
            break;
        if (listing.members.size() == maxMembers) {
            listing.more = true;
            return listing;
        }
        listing.members.append(memberOf(l, entry));
        // A member whose size only its end tells (a zip written as a stream) is passed only by
        // reading to that end, here, within the bounds.
        if (listing.members.last().size < 0) {
            qint64 size = -1;
            if (!expandThrough(reader, size))
                break;
            listing.members.last().size = size;
        }
    }
    listing.stop = reader.failure();
    listing.stoppedAt = l.filterBytes(handle, 0);
    // A 7z whose names are encrypted, or whose encrypted member must be read to be listed (a
    // link), says so only as encrypted members met.
    listing.encrypted = l.hasEncryptedEntries(handle) > 0;
    return listing;
}

ContentEncoding guessNameEncoding(const ArchiveListing& listing) {
    QByteArray names;
    for (const ArchiveMember& member : listing.members)
        names += member.name + '\n' + member.linkTarget + '\n';
    return JapaneseTextGuess::guess(names, true);
}

QString archiveMemberLine(const ArchiveMember& member, ContentEncoding names) {
    const QString size = member.folder      ? QStringLiteral("<DIR>")
                         : member.size >= 0 ? QString::number(member.size)
                                            : QStringLiteral("?");
    const QString modified = member.modified ? QDateTime::fromSecsSinceEpoch(*member.modified)
                                                   .toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                                             : QString(16, QChar(u' '));
    QString name = shownName(member.name, names);
    if (member.folder && !name.endsWith(QChar(u'/')))
        name += QChar(u'/');
    if (!member.linkTarget.isEmpty())
        name += QStringLiteral(" -> ") + shownName(member.linkTarget, names);
    if (member.encrypted)
        name += QStringLiteral("  （暗号化）");
    return QStringLiteral("%1  %2  %3").arg(size, 10).arg(modified, name);
}

} // namespace zorvane
