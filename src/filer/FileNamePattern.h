#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace zorvane {

// A file-type pattern of the file list such as "*.TXT" or "*.c;*.h": "*" any characters, "?"
// one character, letters without regard to case. As on the desktop the program comes from, a
// pattern ending in ".*" also takes names without any extension, so "*.*" lists every file.
class FileNamePattern {
public:
    explicit FileNamePattern(const QString& pattern = QStringLiteral("*.*"));

    bool matches(const QString& fileName) const;
    // The same for a name already case-folded (QString::toCaseFolded), as the file list keeps
    // it for sorting.
    bool matchesFolded(QStringView foldedName) const;
    const QString& text() const { return text_; }

private:
    QString text_;
    QList<QString> alternatives_; // case-folded wildcards; ".*" at the end already expanded
};

} // namespace zorvane
