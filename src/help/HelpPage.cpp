#include "help/HelpPage.h"

#include "platform/ErrorNumbers.h"
#include "textfile/RegularFileReader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

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

bool documentHasAnchor(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(anchor))
                return true;
        }
    }
    return false;
}

QString unknownTopicNotice(int contextNumber) {
    return QStringLiteral("ヘルプファイルに番号 %1 の項目がありません。目次を表示します。")
        .arg(contextNumber);
}

} // namespace zorvane
