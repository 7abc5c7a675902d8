#include "settings/HistoryFile.h"

#include "app/ModPlok.h"
#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"
#include "textfile/AtomicFileWriter.h"
#include "textfile/FileUpdateLock.h"
#include "textfile/RegularFileReader.h"
#include "textfile/TextCodec.h"

#include <QStringList>

#include <vector>

namespace zorvane {

namespace {

constexpr int RecentCount = 20;
constexpr int UsualCount = 20;
constexpr int LineCount = RecentCount + UsualCount;

// No folder path comes near this; longer lines keep only their start, so a broken file
// without line ends cannot take all memory.
constexpr qsizetype MaximumLineBytes = 64 * 1024;

// How much of an existing file tells its encoding before it is rewritten.
constexpr qint64 EncodingProbeBytes = 1024 * 1024;

QString historyPath(const ModPlok& state) {
    const QString& folder =
        state.SettingsFolder.isEmpty() ? state.ProgramFolder : state.SettingsFolder;
    return folder + QStringLiteral("plok.his");
}

// Splits the file into lines as it is read, in units of one byte (code page 932, UTF-8) or two
// (UTF-16), keeping at most LineCount lines.
class HistoryLineSplitter {
public:
    void feed(QByteArrayView bytes) {
        // The encoding is decided on every byte read, as they are.
        utf8Carry_.append(bytes);
        const qsizetype cut = TextCodec::checkUtf8(utf8Carry_, utf8Check_);
        utf8Carry_ = utf8Carry_.right(cut);
        pending_.append(bytes);
        if (!decided_) {
            if (pending_.size() < 3)
                return;
            decide();
        }
        consume(false);
    }

    void finish() {
        if (!decided_)
            decide();
        consume(true);
        if (!full() && !current_.isEmpty())
            completeLine();
    }

    bool full() const { return static_cast<int>(lines_.size()) >= LineCount; }

    // The decoded lines, in file order.
    QStringList decodedLines() const {
        TextEncoding encoding = encoding_;
        if (!wide() && mark_.isEmpty())
            encoding =
                utf8Check_.valid && utf8Check_.multibyte ? TextEncoding::Utf8 : TextEncoding::Cp932;
        QStringList decoded;
        for (const Line& line : lines_) {
            // A line cut by the length limit ends before the character the cut fell into.
            const QByteArrayView kept =
                line.capped ? QByteArrayView(line.bytes)
                                  .first(TextCodec::completeLength(line.bytes, encoding))
                            : QByteArrayView(line.bytes);
            decoded.append(TextCodec::decodeText(kept, encoding, LeadingMark::Keep));
        }
        return decoded;
    }

private:
    bool wide() const {
        return encoding_ == TextEncoding::Utf16LE || encoding_ == TextEncoding::Utf16BE;
    }

    void decide() {
        decided_ = true;
        const QByteArray head = pending_.left(3);
        encoding_ = TextCodec::detectEncoding(head);
        if (!wide())
            encoding_ = TextCodec::byteOrderMarkLength(head) == 3 ? TextEncoding::Utf8
                                                                  : TextEncoding::Cp932;
        mark_ = pending_.left(TextCodec::byteOrderMarkLength(head));
        pending_.remove(0, mark_.size());
    }

    char16_t unitAt(qsizetype index) const {
        const auto* data = reinterpret_cast<const unsigned char*>(pending_.constData());
        if (!wide())
            return data[index];
        const unsigned char first = data[index];
        const unsigned char second = data[index + 1];
        return encoding_ == TextEncoding::Utf16LE ? static_cast<char16_t>(first | (second << 8))
                                                  : static_cast<char16_t>((first << 8) | second);
    }

    void consume(bool atEnd) {
        const qsizetype unit = wide() ? 2 : 1;
        qsizetype i = 0;
        while (!full() && i + unit <= pending_.size()) {
            const char16_t c = unitAt(i);
            if (c == u'\r') {
                // CR LF ends the line as one unit: wait for the next unit unless at the end.
                if (i + 2 * unit > pending_.size() && !atEnd)
                    break;
                completeLine();
                i += unit;
                if (i + unit <= pending_.size() && unitAt(i) == u'\n')
                    i += unit;
                continue;
            }
            if (current_.size() + unit <= MaximumLineBytes)
                current_.append(pending_.constData() + i, unit);
            else
                capped_ = true;
            i += unit;
        }
        pending_.remove(0, i);
        if (atEnd && !full() && !pending_.isEmpty()) {
            // A stray odd byte of a UTF-16 file belongs to the last line.
            if (current_.size() < MaximumLineBytes)
                current_.append(pending_);
            else
                capped_ = true;
            pending_.clear();
        }
    }

    void completeLine() {
        lines_.push_back({current_, capped_});
        current_.clear();
        capped_ = false;
    }

    struct Line {
        QByteArray bytes;
        bool capped = false; // longer in the file than MaximumLineBytes
    };

    QByteArray pending_;
    QByteArray current_;
    bool capped_ = false;
    QByteArray mark_;
    bool decided_ = false;
    TextEncoding encoding_ = TextEncoding::Cp932;
    std::vector<Line> lines_;
    TextCodec::Utf8Check utf8Check_;
    QByteArray utf8Carry_; // the start of a character cut by the end of the last piece
};

} // namespace

int readHistoryFile(ModPlok& state) {
    state.HisFileNo = 1;
    RegularFileReader reader(historyPath(state));
    if (!reader.isOpen()) {
        state.HisFileNo = 0;
        return reader.error();
    }
    HistoryLineSplitter splitter;
    int error = ErrNone;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    while (!splitter.full()) {
        const qint64 count = reader.read(chunk.data(), chunk.size());
        if (count < 0) {
            error = reader.error() != ErrNone ? reader.error() : int(ErrDeviceIO);
            break;
        }
        if (count == 0) {
            splitter.finish();
            break;
        }
        splitter.feed(QByteArrayView(chunk.constData(), count));
    }
    const QStringList lines = splitter.decodedLines();
    for (int i = 0; i < lines.size() && i < LineCount; ++i) {
        if (i < RecentCount)
            state.RecentDirs(i + 1) = lines.at(i);
        else
            state.UsualDirs(i - RecentCount + 1) = lines.at(i);
    }
    state.HisFileNo = 0;
    if (error != ErrNone)
        return error;
    return lines.size() < LineCount ? int(ErrInputPastEnd) : int(ErrNone);
}

namespace {

// The line that stands for a folder. A CR would break the file's lines; a name in bytes that
// are not UTF-8 has no text that leads back to it (read again, it would name another folder,
// which a copy would then create): both are stored as empty lines.
QString historyLine(const QString& entry) {
    return entry.contains(u'\r') || holdsForeignBytes(entry) ? QString() : entry;
}

} // namespace

int writeHistoryFile(ModPlok& state) {
    const QString path = historyPath(state);
    QString text;
    for (int i = 1; i <= RecentCount; ++i)
        text += historyLine(state.RecentDirs(i)) + QStringLiteral("\r\n");
    for (int i = 1; i <= UsualCount; ++i)
        text += historyLine(state.UsualDirs(i)) + QStringLiteral("\r\n");

    // Another window may rewrite the file at the same moment: one after the other.
    const FileUpdateLock lock(path);
    if (lock.isBusy())
        return ErrFileAlreadyOpen;
    int probeError = ErrNone;
    const QByteArray head = RegularFileReader::readHead(path, EncodingProbeBytes, &probeError);
    const TextEncoding readAs =
        probeError == ErrNone ? TextCodec::detectEncoding(head) : TextEncoding::Cp932;
    const bool hadMark = probeError == ErrNone && TextCodec::byteOrderMarkLength(head) > 0;
    const TextEncoding encoding = TextCodec::encodingForWriting(text, readAs);
    QByteArray bytes;
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE ||
        (encoding == TextEncoding::Utf8 && hadMark))
        bytes = TextCodec::byteOrderMark(encoding);
    bytes += TextCodec::encodeText(text, encoding);

    state.HisFileNo = 1;
    const int error = AtomicFileWriter::replace(path, bytes);
    state.HisFileNo = 0;
    return error;
}

} // namespace zorvane
