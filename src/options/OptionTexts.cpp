#include "options/OptionTexts.h"

#include <QProcess>

namespace zorvane {

QString cutTitle(const QString& title) {
    qsizetype end = 0;
    for (int characters = 0; characters < TitleLength && end < title.size(); ++characters) {
        const bool pair = title.at(end).isHighSurrogate() && end + 1 < title.size() &&
                          title.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return title.left(end);
}

QString programTextForPath(const QString& path) {
    if (QProcess::splitCommand(path) == QStringList{path})
        return path;
    // Inside double quotes, three quotes in a row stand for one quote character.
    QString quoted = path;
    quoted.replace(QChar(u'"'), QStringLiteral("\"\"\""));
    return QChar(u'"') + quoted + QChar(u'"');
}

QStringList patternBoxEntries(const std::array<QString, 5>& patterns) {
    QStringList entries{QStringLiteral("*.TXT"), QStringLiteral("*.*")};
    for (const QString& pattern : patterns) {
        if (!pattern.isEmpty())
            entries.append(pattern);
    }
    return entries;
}

QString optionBoxName(OptionBox box, int row) {
    switch (box) {
    case OptionBox::EditorProgram:
        return QStringLiteral("エディタのプログラム");
    case OptionBox::ToolProgram:
        return QStringLiteral("ex%1 のプログラム").arg(row + 1);
    case OptionBox::FontName:
        return QStringLiteral("フォント");
    case OptionBox::Pattern:
        return QStringLiteral("ファイルの種類 %1").arg(row + 1);
    }
    return QString();
}

MessageRequest overlongValueMessage(const OverlongOption& overlong) {
    return MessageRequest{
        QStringLiteral("「%1」の値が長すぎます。%2バイト以内にしてください。")
                .arg(optionBoxName(overlong.box, overlong.row))
                .arg(overlong.limitBytes) +
            QStringLiteral("\n（半角文字は1バイト、全角文字は2バイトと数えます。）"),
        QStringLiteral("保存エラー"), MessageIcon::Exclamation, MessageButtons::Ok};
}

int helpContextForTab(int tabIndex) {
    static constexpr std::array<int, 4> contexts{6, 13, 16, 17};
    if (tabIndex < 0 || tabIndex >= static_cast<int>(contexts.size()))
        return 0;
    return contexts[static_cast<std::size_t>(tabIndex)];
}

} // namespace zorvane
