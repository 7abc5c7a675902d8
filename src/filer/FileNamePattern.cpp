#include "filer/FileNamePattern.h"

#include <QStringList>

namespace zorvane {

namespace {

// The character at `at` (a surrogate pair is one character) and where the next one starts.
char32_t characterAt(QStringView text, qsizetype& at) {
    const QChar unit = text.at(at++);
    if (unit.isHighSurrogate() && at < text.size() && text.at(at).isLowSurrogate())
        return QChar::surrogateToUcs4(unit, text.at(at++));
    return unit.unicode();
}

// Whether the whole name matches the wildcard: "*" any run of characters, "?" one character,
// everything else itself. On a mismatch the last "*" takes one more character, so the cost
// stays near the product of the lengths at worst.
bool wildcardMatches(QStringView wildcard, QStringView name) {
    qsizetype w = 0;
    qsizetype n = 0;
    qsizetype starAt = -1;   // just past the last "*" seen
    qsizetype starName = -1; // where the name resumes when that "*" takes one more character
    while (n < name.size()) {
        if (w < wildcard.size()) {
            qsizetype nextW = w;
            const char32_t wanted = characterAt(wildcard, nextW);
            if (wanted == U'*') {
                starAt = w = nextW;
                starName = n;
                continue;
            }
            qsizetype nextN = n;
            const char32_t got = characterAt(name, nextN);
            if (wanted == U'?' || wanted == got) {
                w = nextW;
                n = nextN;
                continue;
            }
        }
        if (starAt < 0)
            return false;
        w = starAt;
        characterAt(name, starName);
        n = starName;
    }
    while (w < wildcard.size() && wildcard.at(w) == QChar(u'*'))
        ++w;
    return w == wildcard.size();
}

} // namespace

FileNamePattern::FileNamePattern(const QString& pattern) : text_(pattern) {
    const QStringList parts = pattern.split(QChar(u';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString wildcard = part.trimmed().toCaseFolded();
        if (wildcard.isEmpty())
            continue;
        alternatives_.append(wildcard);
        // "name.*" also takes "name" without an extension.
        if (wildcard.endsWith(QStringLiteral(".*")))
            alternatives_.append(wildcard.chopped(2));
    }
    if (alternatives_.isEmpty()) // a blank pattern lists every file
        alternatives_.append(QStringLiteral("*"));
}

bool FileNamePattern::matches(const QString& fileName) const {
    return matchesFolded(fileName.toCaseFolded());
}

bool FileNamePattern::matchesFolded(QStringView foldedName) const {
    for (const QString& wildcard : alternatives_) {
        if (wildcardMatches(wildcard, foldedName))
            return true;
    }
    return false;
}

} // namespace zorvane
