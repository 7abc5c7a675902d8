#include "preview/PackedPreview.h"

#include "preview/ArchiveContents.h"
#include "preview/ArchiveReader.h"
#include "preview/PackedFormat.h"
#include "preview/PreviewHead.h"
#include "preview/PreviewTextBuilder.h"
#include "preview/StreamExpander.h"

#include <cstdio>

namespace zorvane {

namespace {

const QString& lineEnd() {
    static const QString crlf = QStringLiteral("\r\n");
    return crlf;
}

// `archiveName` says what the archive is: "zip 書庫", "tar 書庫（gzip 圧縮）".
PreviewResult archivePreview(ByteSource& source, ExpansionBudget& budget,
                             const QString& archiveName, PreviewEncoding choice) {
    ArchiveReader reader(source, budget);
    if (reader.library() == nullptr)
        return {0, archiveLibraryMissingNotice() + lineEnd(), archiveName};
    const ArchiveListing listing = listArchive(reader, previewLineLimit);
    const ContentEncoding names =
        chosenContentEncoding(choice).value_or(guessNameEncoding(listing));

    PreviewTextBuilder builder;
    const qsizetype count = listing.members.size();
    for (qsizetype i = 0; i < count; ++i) {
        const bool moreFollows =
            i + 1 < count || listing.more || listing.stop != ExpansionStop::Complete;
        if (builder.addLine(archiveMemberLine(listing.members.at(i), names), moreFollows))
            break;
    }
    QString text = builder.text();
    if (!builder.isComplete() && listing.stop == ExpansionStop::Damaged && listing.encrypted)
        text += encryptedArchiveNotice(count) + lineEnd();
    else if (!builder.isComplete() && listing.stop == ExpansionStop::Damaged)
        text += damagedArchiveNotice(listing.stoppedAt, count) + lineEnd();
    else if (!builder.isComplete() && listing.stop == ExpansionStop::Bound)
        text += archiveBoundNotice() + lineEnd();
    return {0, text,
            archiveName + QStringLiteral("、名前の文字コード: ") + encodingUsedText(names, choice)};
}

// The first `byteBound` expanded bytes (and one more, to tell whether the content goes on).
struct ExpandedHead {
    QByteArray bytes;
    bool wholeContent = false;
    ExpansionStop stop = ExpansionStop::Complete;
};

ExpandedHead expandHead(StreamExpander& expander, qsizetype byteBound) {
    ExpandedHead head;
    const qsizetype wanted = byteBound + 1;
    head.bytes.resize(wanted);
    qsizetype size = 0;
    while (size < wanted) {
        const qint64 count = expander.read(head.bytes.data() + size, wanted - size);
        if (count <= 0) {
            head.wholeContent = count == 0;
            head.stop = count == 0 ? ExpansionStop::Complete : expander.failure();
            break;
        }
        size += count;
    }
    head.bytes.truncate(qMin(size, byteBound));
    return head;
}

PreviewResult compressedPreview(ByteSource& source, ExpansionBudget& budget, PackedFormat format,
                                PreviewEncoding choice) {
    const QString compression = packedFormatName(format);
    StreamExpander expander(source, format, budget);
    const ExpandedHead head = expandHead(expander, previewByteBound);
    const PackedFormat inner = packedFormatOf(head.bytes);
    if (inner == PackedFormat::Tar || inner == PackedFormat::Cpio) {
        // The archive is read from the start of the expanded bytes, anew.
        if (source.seek(0, SEEK_SET) == 0) {
            StreamExpander again(source, format, budget);
            return archivePreview(again, budget,
                                  packedFormatName(inner) + QStringLiteral(" 書庫（") +
                                      compression + QStringLiteral(" 圧縮）"),
                                  choice);
        }
    }
    const bool endsHere = head.wholeContent || head.stop != ExpansionStop::Complete;
    const ContentEncoding encoding =
        chosenContentEncoding(choice).value_or(previewEncodingOf(head.bytes, endsHere));
    QString text = previewTextOf(head.bytes, endsHere, encoding);
    if (head.stop == ExpansionStop::Damaged)
        text += damagedStreamNotice() + lineEnd();
    else if (head.stop == ExpansionStop::Bound)
        text += streamBoundNotice() + lineEnd();
    return {0, text,
            compression + QStringLiteral(" 圧縮、文字コード: ") +
                encodingUsedText(encoding, choice)};
}

} // namespace

std::optional<PreviewResult> packedPreview(const PackedInput& input, QByteArrayView head,
                                           PreviewEncoding choice, const ExpansionBounds& bounds) {
    const PackedFormat format = packedFormatOf(head);
    if (format == PackedFormat::None || choice == PreviewEncoding::Hex)
        return std::nullopt;
    ExpansionBudget budget(bounds);
    PackedSource source(input, budget);
    if (source.openError() != 0)
        return PreviewResult{source.openError(), {}, {}};
    if (isCompressedStream(format))
        return compressedPreview(source, budget, format, choice);
    return archivePreview(source, budget, packedFormatName(format) + QStringLiteral(" 書庫"),
                          choice);
}

QString damagedStreamNotice() {
    return QStringLiteral(
        "＝＝＝＝＝圧縮されたデータがここで壊れているか、途切れています。＝＝＝＝＝");
}

QString streamBoundNotice() {
    return QStringLiteral(
        "＝＝＝＝＝展開に時間がかかりすぎるため、ここまでを表示しています。＝＝＝＝＝");
}

QString damagedArchiveNotice(qint64 stoppedAt, qsizetype membersListed) {
    return QStringLiteral("＝＝＝＝＝書庫は %1 バイト目から先が壊れていて読めません（%2 "
                          "件を一覧）。＝＝＝＝＝")
        .arg(stoppedAt)
        .arg(membersListed);
}

QString encryptedArchiveNotice(qsizetype membersListed) {
    return QStringLiteral("＝＝＝＝＝書庫のここから先は暗号化されていて一覧できません（%1 "
                          "件を一覧）。＝＝＝＝＝")
        .arg(membersListed);
}

QString archiveLibraryMissingNotice() {
    return QStringLiteral("＝＝＝＝＝書庫の一覧には libarchive (パッケージ libarchive13) "
                          "が要りますが、見つかりません。＝＝＝＝＝");
}

QString archiveBoundNotice() {
    return QStringLiteral(
        "＝＝＝＝＝続きの展開に時間がかかりすぎるため、一覧はここまでです。＝＝＝＝＝");
}

} // namespace zorvane
