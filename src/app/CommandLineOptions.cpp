#include "app/CommandLineOptions.h"

namespace zorvane {

CommandLineRequest parseCommandLine(const QStringList& arguments) {
    CommandLineRequest request;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == u"-h" || argument == u"--help") {
            request.action = CommandLineAction::Help;
            return request;
        }
        if (argument == u"--version") {
            request.action = CommandLineAction::Version;
            return request;
        }
        if (argument == u"--") {
            request.optionsEnded = true;
            request.operands = arguments.mid(i + 1);
            return request;
        }
        request.operands = arguments.mid(i);
        return request;
    }
    return request;
}

QString usageText(bool japanese) {
    if (japanese)
        return QStringLiteral(
            "使い方: zorvane [ファイル]\n"
            "テキストファイルの先頭を表示し、コピー・移動・削除・名前の変更を行います。\n"
            "空白で区切られた引数はつなげて一つのパスとして扱います。\n"
            "\n"
            "  -h, --help   この説明を表示して終了します\n"
            "  --version    バージョンを表示して終了します\n"
            "  --           これより後はすべてファイル名です（「-」で始まる名前に）\n");
    return QStringLiteral(
        "Usage: zorvane [FILE]\n"
        "Shows the head of a text file, and copies, moves, deletes or renames it.\n"
        "Arguments separated by blanks are joined into one path.\n"
        "\n"
        "  -h, --help   print this help and exit\n"
        "  --version    print the version and exit\n"
        "  --           everything after this is the file name (for names beginning with \"-\")\n");
}

QString versionText(int major, int minor, int revision) {
    return QStringLiteral("zorvane %1.%2.%3\n").arg(major).arg(minor).arg(revision);
}

} // namespace zorvane
