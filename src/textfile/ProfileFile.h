#pragma once

#include "textfile/TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

namespace zorvane {

// A private-profile (INI) file: sections "[Name]" and "key=value" lines.
//
// Reading: section and key names match without regard to letter case; blanks and tabs around
// a value are not part of it, and one outermost pair of matching double or single quotes is
// removed; a missing file, section or key gives the default with its trailing blanks removed;
// "Key=" is present with the empty value; lines starting with ";" are comments; text before
// the first section belongs to no section; the first occurrence of a section or key wins. A
// value is cut to size - 1 bytes of code page 932 (a character outside it counts two), whatever
// the file's encoding, never inside a character.
//
// Writing: an existing key gets its new value in place (the file keeps the key's spelling); a
// new key goes after the last key of its section; a new section goes at the end of the file as
// "[Section]". A value reads back as it was given (without the blanks around it): one that the
// reader would take out of its quotes gets one more pair. Written lines end with CR LF; every
// other line stays byte for byte. The file is replaced atomically: a write that fails leaves
// the old file as it was. The encoding is kept for UTF-8 and UTF-16 files; otherwise code page
// 932 while every written character fits it and the file still reads as code page 932, else the
// whole file becomes UTF-8 so that no character is lost (lines the program did not write keep
// their bytes where they are no text of their encoding; a byte-order mark then keeps the file
// UTF-8). A file is never written when the keys set would not read back as they were given.
class ProfileFile {
public:
    // The value of the key, or the default; at most sizeBytes - 1 bytes. Never fails.
    static QString getString(const QString& path, const QString& section, const QString& key,
                             const QString& defaultValue, int sizeBytes);

    // Whether the key is present in the section (with any value, the empty one included).
    static bool hasKey(const QString& path, const QString& section, const QString& key);

    // Creates or replaces the line "key=value" in the section. The value is written as given,
    // trailing blanks included, and reads back as given without the blanks around it: one that
    // starts and ends with the same quote gets an extra pair of double quotes for the reader to
    // remove. It ends at a NUL, and line breaks in it become blanks so that they cannot break
    // the file. Returns false when the file could not be written, or when another writer held
    // its lock too long. The file is locked from the read to the replacement (FileUpdateLock):
    // a caller that loads, changes and saves a file itself holds that lock around the three.
    static bool writeString(const QString& path, const QString& section, const QString& key,
                            const QString& value);

    // What a value written by writeString or setValue gives when it is read with a buffer of
    // `sizeBytes` (after a save and a new load, in any encoding).
    static QString valueAsRead(const QString& value, int sizeBytes);

    // The file as it is now on disk (empty when it is missing or unreadable). Reading several
    // keys from one loaded file gives the same values as getString for each of them.
    static ProfileFile load(const QString& path);

    QString value(const QString& section, const QString& key, const QString& defaultValue,
                  int sizeBytes) const;
    bool contains(const QString& section, const QString& key) const;

    // Changes the loaded file as writeString would; save() puts it on disk.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Replaces the file on disk with the loaded and changed content. Returns false, leaving the
    // file as it was, when it cannot be written or when it was too large to load whole.
    bool save() const;

    TextEncoding encoding() const { return encoding_; }

    // Files larger than this are read only this far and never rewritten.
    static constexpr qint64 MaximumFileSize = 16 * 1024 * 1024;

private:
    enum class LineKind { Other, Blank, Comment, Section, Key };

    struct Line {
        QByteArray raw; // the line's bytes without its end, as on disk
        QString ending; // its end as in the file: "\r\n", "\n", "\r", or empty for a last line
        QString text;   // the decoded line
        bool rewritten = false; // text is new: written from `text`, not from `raw`
        LineKind kind = LineKind::Other;
        QString name;     // section or key name as spelled in the file
        QString rawValue; // a key's text after "="
    };

    static Line parsedLine(const QString& text);
    static ProfileFile parsed(const QByteArray& bytes);
    QByteArray bytesIn(TextEncoding target) const;
    qsizetype sectionLine(QStringView section) const; // -1 when absent
    qsizetype keyLine(qsizetype sectionAt, QStringView key) const;
    void insertLine(qsizetype at, const QString& text);

    QString path_;
    QByteArray mark_; // byte-order mark at the start of the file
    TextEncoding encoding_ = TextEncoding::Cp932;
    std::vector<Line> lines_;
    bool writable_ = true; // false when the file could not be read whole
    struct ChangedKey {
        QString section;
        QString key;
        QString meant; // the value as setValue was given it, without the blanks around it
    };
    std::vector<ChangedKey> changedKeys_; // the last setValue of each key
};

} // namespace zorvane
