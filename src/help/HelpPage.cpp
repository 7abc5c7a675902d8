#include "help/HelpPage.h"

#include "desktopfit/ReadableColour.h"
#include "platform/ErrorNumbers.h"
#include "textfile/RegularFileReader.h"

#include <QColor>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace zorvane {

namespace {

QString reasonFor(int error) {
    switch (error) {
    case ErrFileNotFound:
    case ErrPathNotFound:
        return QStringLiteral("ファイルがありません。plok.hlp はプログラムと同じフォルダーに"
                              "置かれます。");
    case ErrBadFileMode:
        return QStringLiteral("通常のファイルではありません。");
    case ErrPermissionDenied:
        return QStringLiteral("読み取りの許可がありません。");
    case ErrDeviceIO:
        return QStringLiteral("読み取り中に入出力エラーが発生しました。");
    case ErrBadFileNameOrNumber:
    case ErrBadFileName:
        return QStringLiteral("ファイル名が正しくありません。");
    case ErrDeviceUnavailable:
    case ErrDiskNotReady:
        return QStringLiteral("デバイスが準備されていません。");
    default:
        return QStringLiteral("エラー番号 %1").arg(error);
    }
}

// The name of the tag whose name starts at `at`, in lower case.
QString tagNameAt(const QString& html, qsizetype at) {
    qsizetype end = at;
    while (end < html.size() && html.at(end).isLetterOrNumber())
        ++end;
    return html.mid(at, end - at).toLower();
}

// Just past the ">" that ends the tag at `at`; a ">" in a quoted attribute value does not.
qsizetype pastTag(const QString& html, qsizetype at) {
    QChar quote;
    for (qsizetype i = at; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return html.size();
}

HelpPage problemPage(const QString& helpFile, const QString& sentence, const QString& reason) {
    HelpPage page;
    page.problem = sentence;
    page.html =
        QStringLiteral("<h2>%1</h2><p>%2</p><p>%3</p>")
            .arg(sentence.toHtmlEscaped(), helpFile.toHtmlEscaped(), reason.toHtmlEscaped());
    return page;
}

} // namespace

HelpPage loadHelpPage(const QString& helpFile) {
    int error = 0;
    bool tooLarge = false;
    const QByteArray bytes =
        RegularFileReader::readHead(helpFile, HelpFileLimit, &error, &tooLarge);
    if (error == ErrFileNotFound || error == ErrPathNotFound)
        return problemPage(helpFile, QStringLiteral("ヘルプファイルが見つかりません。"),
                           reasonFor(error));
    if (error != 0)
        return problemPage(helpFile, QStringLiteral("ヘルプファイルを読み込めません。"),
                           reasonFor(error));
    if (tooLarge)
        return problemPage(helpFile, QStringLiteral("ヘルプファイルを読み込めません。"),
                           QStringLiteral("ファイルが大きすぎます（4 MiB まで）。"));
    return HelpPage{QString::fromUtf8(bytes), QString()};
}

std::optional<QByteArray> readHelpResource(const QString& helpFolder, const QUrl& name) {
    // A host, even with the file scheme, is a machine on the network.
    const QString host = name.host();
    if (!host.isEmpty() && host != QLatin1String("localhost"))
        return std::nullopt;
    if (!name.scheme().isEmpty() && name.scheme() != QLatin1String("file"))
        return std::nullopt;
    QString path = name.path(QUrl::FullyDecoded);
    if (path.isEmpty())
        return std::nullopt;
    if (!path.startsWith(QLatin1Char('/')))
        path = helpFolder + QLatin1Char('/') + path;
    int error = 0;
    bool tooLarge = false;
    QByteArray bytes = RegularFileReader::readHead(path, HelpFileLimit, &error, &tooLarge);
    if (error != 0 || tooLarge)
        return std::nullopt;
    return bytes;
}

int anchorPosition(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(anchor))
                return fragment.fragment().position();
        }
    }
    return -1;
}

void makeColoursReadable(QTextDocument& document, const QColor& pageBackground,
                         const QColor& pageText) {
    // The changes are gathered first: merging formats while walking splits the fragments.
    struct Change {
        int position;
        int length;
        QColor colour;
    };
    QList<Change> changes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QColor cellBackground = pageBackground;
        QTextCursor at(block);
        if (const QTextTable* table = at.currentTable()) {
            const QTextCharFormat cell = table->cellAt(block.position()).format();
            if (cell.hasProperty(QTextFormat::BackgroundBrush))
                cellBackground = cell.background().color();
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QColor background = format.hasProperty(QTextFormat::BackgroundBrush)
                                          ? format.background().color()
                                          : cellBackground;
            const bool coloured = format.hasProperty(QTextFormat::ForegroundBrush);
            const QColor text = coloured ? format.foreground().color() : pageText;
            if (contrastRatio(text, background) >= ReadableContrast)
                continue;
            // On a background of its own the text takes black or white; on the page a
            // designed colour is lightened on a dark theme and kept on a light one.
            QColor readable = text;
            if (background != pageBackground)
                readable = isLightBackground(background) ? QColor(Qt::black) : QColor(Qt::white);
            else if (coloured)
                readable = readableOn(text, background);
            if (readable.rgb() == text.rgb())
                continue;
            changes.append(Change{fragment.position(), fragment.length(), readable});
        }
    }
    QTextCursor cursor(&document);
    for (const Change& change : changes) {
        cursor.setPosition(change.position);
        cursor.setPosition(change.position + change.length, QTextCursor::KeepAnchor);
        QTextCharFormat colour;
        colour.setForeground(change.colour);
        cursor.mergeCharFormat(colour);
    }
}

namespace {

// Where a piece at the top level of the page begins, and how much of the page's text (blanks not
// counted) comes before it.
struct TopLevelPiece {
    qsizetype position;
    qsizetype textBefore;
};

// The places a page may be cut: before each heading, paragraph, list, rule or table outside any
// list or table.
QList<TopLevelPiece> topLevelPieces(const QString& html) {
    static const QStringList pieces{
        QStringLiteral("p"),   QStringLiteral("h1"),    QStringLiteral("h2"),
        QStringLiteral("h3"),  QStringLiteral("h4"),    QStringLiteral("h5"),
        QStringLiteral("h6"),  QStringLiteral("hr"),    QStringLiteral("ul"),
        QStringLiteral("ol"),  QStringLiteral("dl"),    QStringLiteral("pre"),
        QStringLiteral("div"), QStringLiteral("table"), QStringLiteral("blockquote")};
    // Never cut inside: a list, a table (its columns are as wide as its widest cell, wherever
    // that is), a piece that holds pieces of its own.
    static const QStringList containers{QStringLiteral("ul"),        QStringLiteral("ol"),
                                        QStringLiteral("dl"),        QStringLiteral("pre"),
                                        QStringLiteral("table"),     QStringLiteral("div"),
                                        QStringLiteral("blockquote")};
    // Not shown: skipped to their end tag.
    static const QStringList unshown{QStringLiteral("head"), QStringLiteral("title"),
                                     QStringLiteral("style"), QStringLiteral("script")};
    QList<TopLevelPiece> found;
    qsizetype text = 0;
    int depth = 0;
    for (qsizetype i = 0; i < html.size();) {
        if (html.at(i) != u'<') {
            text += html.at(i).isSpace() ? 0 : 1;
            ++i;
            continue;
        }
        if (QStringView(html).mid(i, 4) == u"<!--") {
            const qsizetype end = html.indexOf(QLatin1String("-->"), i + 4);
            i = end < 0 ? html.size() : end + 3;
            continue;
        }
        const bool closing = i + 1 < html.size() && html.at(i + 1) == u'/';
        const QString name = tagNameAt(html, i + (closing ? 2 : 1));
        if (!closing && depth == 0 && pieces.contains(name))
            found.append({i, text});
        if (!closing && unshown.contains(name)) {
            const qsizetype end = html.indexOf(QStringLiteral("</") + name, i, Qt::CaseInsensitive);
            i = end < 0 ? html.size() : pastTag(html, end);
            continue;
        }
        if (containers.contains(name))
            depth = std::max(0, depth + (closing ? -1 : 1));
        i = pastTag(html, i);
    }
    return found;
}

// The first cut at or after `from` that follows `textLength` characters of text from `from`; -1
// where none comes.
qsizetype cutAfter(const QList<TopLevelPiece>& pieces, qsizetype from, qsizetype textLength) {
    for (qsizetype i = from; i < pieces.size(); ++i) {
        if (pieces.at(i).textBefore - pieces.at(from).textBefore >= textLength && i > from)
            return pieces.at(i).position;
    }
    return -1;
}

} // namespace

QString helpPageOpening(const QString& html, qsizetype textLength) {
    const QList<TopLevelPiece> pieces = topLevelPieces(html);
    for (const TopLevelPiece& piece : pieces) {
        if (piece.textBefore >= textLength)
            return html.left(piece.position);
    }
    return QString();
}

QString helpPageAtAnchor(const QString& html, const QString& anchor, qsizetype textLength) {
    const QRegularExpression attribute(QStringLiteral("\\s(?:id|name)\\s*=\\s*([\"']?)%1\\1[\\s/>]")
                                           .arg(QRegularExpression::escape(anchor)),
                                       QRegularExpression::CaseInsensitiveOption);
    const qsizetype anchorAt = html.indexOf(attribute);
    const QList<TopLevelPiece> pieces = topLevelPieces(html);
    if (anchorAt < 0 || pieces.isEmpty() || pieces.first().position > anchorAt)
        return QString();
    qsizetype holding = 0;
    while (holding + 1 < pieces.size() && pieces.at(holding + 1).position <= anchorAt)
        ++holding;
    const qsizetype end = cutAfter(pieces, holding, textLength);
    if (end < 0)
        return QString();
    const qsizetype from = pieces.at(holding).position;
    return html.left(pieces.first().position) + html.mid(from, end - from);
}

QList<int> topLevelStarts(const QTextDocument& document) {
    QList<int> starts;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it)
        starts.append(it.currentFrame() ? it.currentFrame()->firstPosition()
                                        : it.currentBlock().position());
    return starts;
}

void setTextShown(QTextDocument& document, int from, int to, bool shown) {
    int end = from;
    for (QTextBlock block = document.findBlock(from);
         block.isValid() && (to < 0 || block.position() < to); block = block.next()) {
        block.setVisible(shown);
        end = block.position() + block.length();
    }
    if (shown && end > from)
        document.markContentsDirty(from, end - from);
}

QString unknownTopicNotice(int contextNumber) {
    return QStringLiteral("ヘルプファイルに番号 %1 の項目がありません。目次を表示します。")
        .arg(contextNumber);
}

} // namespace zorvane
