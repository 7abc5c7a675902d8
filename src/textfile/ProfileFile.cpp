#include "textfile/ProfileFile.h"

#include "platform/ErrorNumbers.h"
#include "textfile/AtomicFileWriter.h"
#include "textfile/FileUpdateLock.h"
#include "textfile/RegularFileReader.h"

namespace zorvane {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimmedBlanks(QStringView text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
    return text.sliced(start, end - start);
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const QString LineBreak = QStringLiteral("\r\n");

bool isQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

// A value the reader would take out of one pair of quotes around it.
bool quotedForReading(QStringView value) {
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

bool isAscii(QByteArrayView bytes) {
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

} // namespace

ProfileFile::Line ProfileFile::parsedLine(const QString& text) {
    Line line;
    line.text = text;
    const QStringView content = trimmedBlanks(text);
    if (content.isEmpty()) {
        line.kind = LineKind::Blank;
    } else if (content.startsWith(u';')) {
        line.kind = LineKind::Comment;
    } else if (content.startsWith(u'[') && content.lastIndexOf(u']') > 0) {
        line.kind = LineKind::Section;
        line.name = trimmedBlanks(content.sliced(1, content.lastIndexOf(u']') - 1)).toString();
    } else if (const qsizetype equals = content.indexOf(u'='); equals > 0) {
        const QStringView name = trimmedBlanks(content.first(equals));
        if (!name.isEmpty()) {
            line.kind = LineKind::Key;
            line.name = name.toString();
            // The part after "=" up to the end of the line as it stands (trailing blanks kept
            // until the value is taken).
            const qsizetype at = text.indexOf(u'=');
            line.rawValue = text.sliced(at + 1);
        }
    }
    return line;
}

ProfileFile ProfileFile::load(const QString& path) {
    int error = 0;
    bool truncated = false;
    const QByteArray bytes = RegularFileReader::readHead(path, MaximumFileSize, &error, &truncated);
    if (error != ErrNone) {
        ProfileFile file;
        file.path_ = path;
        // A missing file is created by the first write; one that exists but cannot be read is
        // never overwritten, since its content would be lost.
        file.writable_ = error == ErrFileNotFound || error == ErrPathNotFound;
        return file;
    }
    ProfileFile file = parsed(bytes);
    file.path_ = path;
    file.writable_ = !truncated;
    return file;
}

ProfileFile ProfileFile::parsed(const QByteArray& bytes) {
    ProfileFile file;
    file.encoding_ = TextCodec::detectEncoding(bytes);
    file.mark_ = bytes.first(TextCodec::byteOrderMarkLength(bytes));
    const QByteArrayView body = QByteArrayView(bytes).sliced(file.mark_.size());

    const bool wide =
        file.encoding_ == TextEncoding::Utf16LE || file.encoding_ == TextEncoding::Utf16BE;
    const qsizetype unit = wide ? 2 : 1;
    const qsizetype count = body.size() / unit;
    auto unitAt = [&](qsizetype index) -> char16_t {
        const auto* data = reinterpret_cast<const unsigned char*>(body.data()) + index * unit;
        if (!wide)
            return data[0];
        return file.encoding_ == TextEncoding::Utf16LE
                   ? static_cast<char16_t>(data[0] | (data[1] << 8))
                   : static_cast<char16_t>((data[0] << 8) | data[1]);
    };
    auto addLine = [&](qsizetype from, qsizetype to, const QString& ending) {
        const QByteArrayView raw = body.sliced(from * unit, (to - from) * unit);
        Line line = parsedLine(TextCodec::decodeText(raw, file.encoding_, LeadingMark::Keep));
        line.raw = raw.toByteArray();
        line.ending = ending;
        file.lines_.push_back(std::move(line));
    };
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < count) {
        const char16_t c = unitAt(i);
        if (c == u'\n') {
            addLine(start, i, QStringLiteral("\n"));
            start = ++i;
        } else if (c == u'\r') {
            const bool pair = i + 1 < count && unitAt(i + 1) == u'\n';
            addLine(start, i, pair ? LineBreak : QStringLiteral("\r"));
            i += pair ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    // The last line without an end, and for UTF-16 a stray odd byte, stay as they are.
    if (start < count || body.size() % unit != 0) {
        const QByteArrayView raw = body.sliced(start * unit);
        Line line = parsedLine(TextCodec::decodeText(raw, file.encoding_, LeadingMark::Keep));
        line.raw = raw.toByteArray();
        file.lines_.push_back(std::move(line));
    }
    return file;
}

qsizetype ProfileFile::sectionLine(QStringView section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == LineKind::Section && sameName(lines_[i].name, section))
            return static_cast<qsizetype>(i);
    return -1;
}

qsizetype ProfileFile::keyLine(qsizetype sectionAt, QStringView key) const {
    for (auto i = static_cast<std::size_t>(sectionAt) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section)
            break;
        if (lines_[i].kind == LineKind::Key && sameName(lines_[i].name, key))
            return static_cast<qsizetype>(i);
    }
    return -1;
}

QString ProfileFile::value(const QString& section, const QString& key, const QString& defaultValue,
                           int sizeBytes) const {
    if (sizeBytes <= 0)
        return {};
    QString result;
    const qsizetype sectionAt = sectionLine(section);
    const qsizetype keyAt = sectionAt < 0 ? -1 : keyLine(sectionAt, key);
    if (keyAt < 0) {
        result = defaultValue;
        while (result.endsWith(u' '))
            result.chop(1);
    } else {
        QStringView found = trimmedBlanks(lines_[static_cast<std::size_t>(keyAt)].rawValue);
        if (quotedForReading(found))
            found = found.sliced(1, found.size() - 2);
        result = found.toString();
    }
    // Read widths are the original platform's: bytes of code page 932, whatever the file's
    // encoding, so that a value keeps its characters when the file changes encoding.
    return TextCodec::cutToBytes(result, TextEncoding::Cp932, sizeBytes - 1);
}

bool ProfileFile::contains(const QString& section, const QString& key) const {
    const qsizetype sectionAt = sectionLine(section);
    return sectionAt >= 0 && keyLine(sectionAt, key) >= 0;
}

void ProfileFile::insertLine(qsizetype at, const QString& text) {
    if (at > 0 && lines_[static_cast<std::size_t>(at - 1)].ending.isEmpty())
        lines_[static_cast<std::size_t>(at - 1)].ending = LineBreak;
    Line line = parsedLine(text);
    line.rewritten = true;
    line.ending = LineBreak;
    lines_.insert(lines_.begin() + at, std::move(line));
}

void ProfileFile::setValue(const QString& section, const QString& key, const QString& value) {
    QString written = value;
    if (const qsizetype nul = written.indexOf(QChar(u'\0')); nul >= 0)
        written.truncate(nul);
    written.replace(QChar(u'\r'), QChar(u' '));
    written.replace(QChar(u'\n'), QChar(u' '));
    // The reader drops the blanks around a value and then one pair of quotes around it: a
    // program path kept whole in quotes ("/opt/my editor/ed") gets a pair of its own to lose,
    // so that it comes back with its quotes after a restart. The padding stays outside.
    const QStringView content = trimmedBlanks(written);
    const QString meant = content.toString();
    if (quotedForReading(content)) {
        const qsizetype start = content.data() - written.constData();
        const qsizetype end = start + content.size();
        written.insert(end, QChar(u'"'));
        written.insert(start, QChar(u'"'));
    }
    std::erase_if(changedKeys_, [&](const ChangedKey& changed) {
        return sameName(changed.section, section) && sameName(changed.key, key);
    });
    changedKeys_.push_back({section, key, meant});

    const qsizetype sectionAt = sectionLine(section);
    if (sectionAt < 0) {
        const auto end = static_cast<qsizetype>(lines_.size());
        insertLine(end, QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(end + 1, key + QLatin1Char('=') + written);
        return;
    }
    const qsizetype keyAt = keyLine(sectionAt, key);
    if (keyAt >= 0) {
        Line& line = lines_[static_cast<std::size_t>(keyAt)];
        const QString ending = line.ending;
        line = parsedLine(line.name + QLatin1Char('=') + written);
        line.rewritten = true;
        line.ending = ending;
        return;
    }
    qsizetype lastKey = sectionAt;
    for (auto i = static_cast<std::size_t>(sectionAt) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section)
            break;
        if (lines_[i].kind == LineKind::Key)
            lastKey = static_cast<qsizetype>(i);
    }
    insertLine(lastKey + 1, key + QLatin1Char('=') + written);
}

QByteArray ProfileFile::bytesIn(TextEncoding target) const {
    const bool reencode = target != encoding_;
    const bool wide = target == TextEncoding::Utf16LE || target == TextEncoding::Utf16BE;
    QByteArray bytes = reencode ? QByteArray() : mark_;
    QByteArray stray; // an odd byte of a UTF-16 file, moved where it shifts nothing
    for (const Line& line : lines_) {
        if (line.rewritten) {
            bytes += TextCodec::encodeText(line.text, target);
        } else if (!reencode) {
            QByteArrayView raw = line.raw;
            if (wide && raw.size() % 2 != 0 && !line.ending.isEmpty()) {
                stray = raw.last(1).toByteArray();
                raw.chop(1);
            }
            bytes += raw;
        } else if (!line.text.contains(QChar(0xFFFD))) {
            // It decoded cleanly (code page 932 holds no U+FFFD of its own): the same text in
            // the new encoding, whichever of the duplicate codes of a character it used.
            bytes += TextCodec::encodeText(line.text, target);
        } else if (const Line again =
                       parsedLine(TextCodec::decodeText(line.raw, target, LeadingMark::Keep));
                   again.kind == line.kind && again.name == line.name) {
            // Not text in its encoding: its bytes, not replacement characters, as long as they
            // mean the same line in the new encoding (never a section or key of their own).
            bytes += line.raw;
        } else {
            bytes += TextCodec::encodeText(line.text, target);
        }
        bytes += TextCodec::encodeText(line.ending, target);
    }
    bytes += stray;
    return bytes;
}

bool ProfileFile::save() const {
    if (!writable_)
        return false;
    TextEncoding target = encoding_;
    if (encoding_ == TextEncoding::Cp932) {
        for (const Line& line : lines_)
            if (line.rewritten && !TextCodec::canEncodeCp932(line.text))
                target = TextEncoding::Utf8;
    }
    QByteArray bytes = bytesIn(target);
    // Written code page 932 must be read as code page 932 again: a run of half-width katakana
    // can form valid UTF-8.
    if (target == TextEncoding::Cp932 && TextCodec::detectEncoding(bytes) != TextEncoding::Cp932) {
        target = TextEncoding::Utf8;
        bytes = bytesIn(target);
    }
    // UTF-8 with bytes kept that are not UTF-8 (a line cut inside a character, a line of another
    // encoding) would be read as code page 932: the mark keeps it UTF-8.
    if (target == TextEncoding::Utf8 && !bytes.startsWith(TextCodec::byteOrderMark(target)) &&
        TextCodec::detectEncoding(bytes) != TextEncoding::Utf8 && !isAscii(bytes))
        bytes.prepend(TextCodec::byteOrderMark(target));

    // Nothing is written that would not read back as what the caller set: compared with the
    // value as given, not with a reading of the changed lines, which would share a fault of
    // the writer.
    const ProfileFile written = parsed(bytes);
    constexpr int Unlimited = 1 << 30;
    const QString absent(1, QChar(0xFFFF));
    for (const ChangedKey& changed : changedKeys_)
        if (written.value(changed.section, changed.key, absent, Unlimited) != changed.meant)
            return false;
    return AtomicFileWriter::replace(path_, bytes) == ErrNone;
}

QString ProfileFile::getString(const QString& path, const QString& section, const QString& key,
                               const QString& defaultValue, int sizeBytes) {
    return load(path).value(section, key, defaultValue, sizeBytes);
}

QString ProfileFile::valueAsRead(const QString& value, int sizeBytes) {
    // The loaded form of a file reads as the saved one: save() checks exactly that.
    ProfileFile file;
    const QString name = QStringLiteral("S");
    file.setValue(name, name, value);
    return file.value(name, name, QString(), sizeBytes);
}

bool ProfileFile::hasKey(const QString& path, const QString& section, const QString& key) {
    return load(path).contains(section, key);
}

bool ProfileFile::writeString(const QString& path, const QString& section, const QString& key,
                              const QString& value) {
    const FileUpdateLock lock(path);
    if (lock.isBusy())
        return false;
    ProfileFile file = load(path);
    file.setValue(section, key, value);
    return file.save();
}

} // namespace zorvane
