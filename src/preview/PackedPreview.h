#pragma once

#include "preview/ExpansionBudget.h"
#include "preview/FilePreview.h"
#include "preview/PackedSource.h"
#include "preview/PreviewEncoding.h"

#include <QByteArrayView>

#include <optional>

namespace zorvane {

// What the viewer shows of a compressed file or an archive whose first bytes are `head`, read
// from `input`; nothing when they begin neither, or for the hex view (the file's own bytes are
// shown as they are).
//
// A compressed file shows the head of its content as a plain file's head is shown (limits,
// marker, the encoding told from the expanded bytes or chosen), a compressed tar or cpio its
// table of contents. An archive shows its table of contents, one member a line, names decoded as
// text is. Where the content is damaged, or the bounds end the expansion, a notice line follows
// what could be read.
std::optional<PreviewResult> packedPreview(const PackedInput& input, QByteArrayView head,
                                           PreviewEncoding choice,
                                           const ExpansionBounds& bounds = {});

// The notices that end a head or a table of contents cut short.
QString damagedStreamNotice();
QString streamBoundNotice();
QString damagedArchiveNotice(qint64 stoppedAt, qsizetype membersListed);
QString encryptedArchiveNotice(qsizetype membersListed);
QString archiveBoundNotice();
// Where libarchive is not installed: the preview of an archive says so instead of a listing.
QString archiveLibraryMissingNotice();

} // namespace zorvane
