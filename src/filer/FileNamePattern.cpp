#include "filer/FileNamePattern.h"

#include <QStringList>

namespace zorvane {

namespace {

QString regexFor(const QString& wildcard) {
    QString body = wildcard;
    bool extensionOptional = false;
    if (body.endsWith(QStringLiteral(".*"))) {
        body.chop(2);
        extensionOptional = true;
    }
    QString expression;
    for (const QChar c : body) {
        if (c == QChar(u'*'))
            expression += QStringLiteral(".*");
        else if (c == QChar(u'?'))
            expression += QChar(u'.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    if (extensionOptional)
        expression += QStringLiteral("(\\..*)?");
    return QRegularExpression::anchoredPattern(expression);
}

} // namespace

FileNamePattern::FileNamePattern(const QString& pattern) : text_(pattern) {
    const QStringList parts = pattern.split(QChar(u';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString wildcard = part.trimmed();
        if (wildcard.isEmpty())
            continue;
        QRegularExpression expression(regexFor(wildcard),
                                      QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::DotMatchesEverythingOption);
        expression.optimize();
        alternatives_.append(expression);
    }
    if (alternatives_.isEmpty()) // a blank pattern lists every file
        alternatives_.append(QRegularExpression(QStringLiteral(".*"),
                                                QRegularExpression::DotMatchesEverythingOption));
}

bool FileNamePattern::matches(const QString& fileName) const {
    for (const QRegularExpression& expression : alternatives_) {
        if (expression.match(fileName).hasMatch())
            return true;
    }
    return false;
}

} // namespace zorvane
