#include "preview/PackedFormat.h"

namespace zorvane {

namespace {

bool startsWith(QByteArrayView head, QByteArrayView signature, qsizetype at = 0) {
    return head.size() >= at + signature.size() && head.sliced(at, signature.size()) == signature;
}

// A tar member's header: 512 bytes whose checksum field (octal, at 148) holds the sum of all
// its bytes with the field itself counted as blanks. "ustar" at 257 marks POSIX and GNU tar;
// the checksum also catches the old format without it, and no text passes it by chance.
bool isTarHeader(QByteArrayView head) {
    constexpr qsizetype blockSize = 512;
    if (head.size() < blockSize || head.at(0) == '\0')
        return false;
    qint64 stored = 0;
    int digits = 0;
    for (qsizetype i = 148; i < 156; ++i) {
        const char c = head.at(i);
        if (c >= '0' && c <= '7') {
            stored = stored * 8 + (c - '0');
            ++digits;
        } else if (c != ' ' && c != '\0') {
            return false;
        }
    }
    if (digits == 0)
        return false;
    qint64 sum = 0;
    for (qsizetype i = 0; i < blockSize; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(head.at(i));
    return sum == stored;
}

bool isBzip2(QByteArrayView head) {
    // "BZh", the block size 1-9, then the magic of a first block or of the stream's end.
    if (!startsWith(head, "BZh") || head.size() < 10 || head.at(3) < '1' || head.at(3) > '9')
        return false;
    return startsWith(head, "\x31\x41\x59\x26\x53\x59", 4) ||
           startsWith(head, "\x17\x72\x45\x38\x50\x90", 4);
}

// The old binary cpio header: 26 bytes of 16-bit words in the writer's byte order, the first
// 070707 (octal), then the name with its NUL; two bytes alone could begin a text.
bool isBinaryCpioHeader(QByteArrayView head) {
    constexpr qsizetype headerSize = 26;
    if (head.size() < headerSize + 1)
        return false;
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(head.at(at)); };
    const bool littleEndian = byte(0) == 0xC7 && byte(1) == 0x71;
    if (!littleEndian && !(byte(0) == 0x71 && byte(1) == 0xC7))
        return false;
    const int nameSize = littleEndian ? byte(20) | byte(21) << 8 : byte(20) << 8 | byte(21);
    return nameSize >= 1 && headerSize + nameSize <= head.size() &&
           head.at(headerSize + nameSize - 1) == '\0';
}

} // namespace

PackedFormat packedFormatOf(QByteArrayView head) {
    if (startsWith(head, "\x1F\x8B\x08"))
        return PackedFormat::Gzip;
    if (isBzip2(head))
        return PackedFormat::Bzip2;
    if (startsWith(head, QByteArrayView("\xFD"
                                        "7zXZ\0",
                                        6)))
        return PackedFormat::Xz;
    if (startsWith(head, "\x28\xB5\x2F\xFD"))
        return PackedFormat::Zstd;
    if (startsWith(head, "\x04\x22\x4D\x18")) // the frame format; not the legacy one of lz4 -l
        return PackedFormat::Lz4;
    if (startsWith(head, "PK\x03\x04") || startsWith(head, "PK\x05\x06") ||
        startsWith(head, "PK\x07\x08PK\x03\x04"))
        return PackedFormat::Zip;
    if (startsWith(head, "7z\xBC\xAF\x27\x1C"))
        return PackedFormat::SevenZip;
    // cpio: the portable and the new ASCII headers, and the old binary one in either order.
    if (startsWith(head, "070707") || startsWith(head, "070701") || startsWith(head, "070702") ||
        isBinaryCpioHeader(head))
        return PackedFormat::Cpio;
    if (isTarHeader(head))
        return PackedFormat::Tar;
    return PackedFormat::None;
}

bool isCompressedStream(PackedFormat format) {
    switch (format) {
    case PackedFormat::Gzip:
    case PackedFormat::Bzip2:
    case PackedFormat::Xz:
    case PackedFormat::Zstd:
    case PackedFormat::Lz4:
        return true;
    default:
        return false;
    }
}

QString packedFormatName(PackedFormat format) {
    switch (format) {
    case PackedFormat::None:
        break;
    case PackedFormat::Gzip:
        return QStringLiteral("gzip");
    case PackedFormat::Bzip2:
        return QStringLiteral("bzip2");
    case PackedFormat::Xz:
        return QStringLiteral("xz");
    case PackedFormat::Zstd:
        return QStringLiteral("zstd");
    case PackedFormat::Lz4:
        return QStringLiteral("lz4");
    case PackedFormat::Zip:
        return QStringLiteral("zip");
    case PackedFormat::Tar:
        return QStringLiteral("tar");
    case PackedFormat::SevenZip:
        return QStringLiteral("7z");
    case PackedFormat::Cpio:
        return QStringLiteral("cpio");
    }
    return QString();
}

} // namespace zorvane
