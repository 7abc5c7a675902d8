#include "app/ModPlok.h"
#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"
#include "settings/HistoryFile.h"
#include "textfile/TextCodec.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include <memory>
#include <sys/stat.h>

using namespace zorvane;

Q_DECLARE_METATYPE(zorvane::TextEncoding)

namespace {

QByteArray numberedLines(int count, const char* ending = "\r\n") {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "/dir/" + QByteArray::number(i) + ending;
    return bytes;
}

QString numbered(int i) {
    return QStringLiteral("/dir/") + QString::number(i);
}

} // namespace

class TestHistoryFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ModPlok> state_;

    ModPlok& state() { return *state_; }
    QString path() const { return dir_.filePath(QStringLiteral("plok.his")); }

    void put(const QByteArray& bytes) { QVERIFY(testing::writeBytes(path(), bytes)); }

    QByteArray content() const { return testing::readBytes(path()); }

    // Entry n of the 40 lines: RecentDirs(1..20), then UsualDirs(1..20).
    const QString& entry(int n) {
        return n <= 20 ? state().RecentDirs(n) : state().UsualDirs(n - 20);
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        state_ = std::make_unique<ModPlok>();
        state().ProgramFolder = dir_.path() + QLatin1Char('/');
        QFile::remove(path());
    }

    void missingFile() {
        QCOMPARE(readHistoryFile(state()), int(ErrFileNotFound));
        for (int n = 1; n <= 40; ++n)
            QVERIFY(entry(n).isEmpty());
        QCOMPARE(state().HisFileNo, qint16(0));
        // At exit the file is created with 40 empty lines.
        QCOMPARE(writeHistoryFile(state()), 0);
        QCOMPARE(content(), QByteArray("\r\n").repeated(40));
        QCOMPARE(readHistoryFile(state()), 0);
    }

    void lineCounts_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("filled"); // entries 1..filled hold /dir/<n>
        QTest::newRow("40 lines") << numberedLines(40) << 0 << 40;
        QTest::newRow("45 lines: the rest is ignored") << numberedLines(45) << 0 << 40;
        QTest::newRow("25 lines") << numberedLines(25) << int(ErrInputPastEnd) << 25;
        QTest::newRow("30 lines") << numberedLines(30) << int(ErrInputPastEnd) << 30;
        QTest::newRow("39 lines and a final line end")
            << numberedLines(39) << int(ErrInputPastEnd) << 39;
        QTest::newRow("last line without its end") << numberedLines(40).chopped(2) << 0 << 40;
        QTest::newRow("last line ended by CR alone") << numberedLines(40).chopped(1) << 0 << 40;
        QTest::newRow("CR line ends") << numberedLines(40, "\r") << 0 << 40;
        QTest::newRow("empty file") << QByteArray() << int(ErrInputPastEnd) << 0;
    }
    void lineCounts() {
        QFETCH(QByteArray, file);
        QFETCH(int, error);
        QFETCH(int, filled);
        put(file);
        QCOMPARE(readHistoryFile(state()), error);
        QCOMPARE(state().HisFileNo, qint16(0));
        for (int n = 1; n <= 40; ++n)
            QCOMPARE(entry(n), n <= filled ? numbered(n) : QString());
    }

    void lineEnds() {
        // A lone LF stays inside its line; empty lines are empty entries.
        put("a\nb\r\n\r\nc\r\r\n" + numberedLines(35) + "last");
        QCOMPARE(readHistoryFile(state()), 0);
        QCOMPARE(state().RecentDirs(1), QStringLiteral("a\nb"));
        QCOMPARE(state().RecentDirs(2), QString());
        QCOMPARE(state().RecentDirs(3), QStringLiteral("c"));
        QCOMPARE(state().RecentDirs(4), QString());
        QCOMPARE(state().RecentDirs(5), numbered(1));
        QCOMPARE(state().UsualDirs(20), QStringLiteral("last"));

        // Only LF line ends: one long line, then the end of the file.
        init();
        put(numberedLines(40, "\n"));
        QCOMPARE(readHistoryFile(state()), int(ErrInputPastEnd));
        QCOMPARE(state().RecentDirs(1), QString::fromLatin1(numberedLines(40, "\n")));
        QCOMPARE(state().RecentDirs(2), QString());
    }

    void crLfSplitBetweenTwoReads() {
        // The file is read in pieces of 64 KiB: here the CR ends one piece and its LF starts
        // the next, which must still end one line, not two.
        put(QByteArray(64 * 1024 - 1, 'y') + "\r\n" + numberedLines(39));
        QCOMPARE(readHistoryFile(state()), 0);
        QCOMPARE(state().RecentDirs(1).size(), 64 * 1024 - 1);
        QCOMPARE(state().RecentDirs(2), numbered(1));
        QCOMPARE(state().UsualDirs(20), numbered(39));
    }

    void japaneseFolders_data() {
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QByteArray>("mark");
        QTest::newRow("code page 932") << TextEncoding::Cp932 << QByteArray();
        QTest::newRow("utf8") << TextEncoding::Utf8 << QByteArray();
        QTest::newRow("utf8 with mark") << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("utf16le") << TextEncoding::Utf16LE << QByteArray("\xFF\xFE");
        QTest::newRow("utf16be") << TextEncoding::Utf16BE << QByteArray("\xFE\xFF");
    }
    void japaneseFolders() {
        QFETCH(TextEncoding, encoding);
        QFETCH(QByteArray, mark);
        QString text;
        for (int n = 1; n <= 40; ++n)
            text += QStringLiteral("/home/利用者/表示/ソフト") + QString::number(n) +
                    QStringLiteral("\r\n");
        put(mark + TextCodec::encodeText(text, encoding));
        QCOMPARE(readHistoryFile(state()), 0);
        QCOMPARE(state().RecentDirs(1), QStringLiteral("/home/利用者/表示/ソフト1"));
        QCOMPARE(state().UsualDirs(20), QStringLiteral("/home/利用者/表示/ソフト40"));

        // Rewriting keeps the encoding and the mark the file had.
        state().UsualDirs(20) = QStringLiteral("/home/利用者/新しい");
        QCOMPARE(writeHistoryFile(state()), 0);
        text.replace(QStringLiteral("/home/利用者/表示/ソフト40"),
                     QStringLiteral("/home/利用者/新しい"));
        QCOMPARE(content(), mark + TextCodec::encodeText(text, encoding));
    }

    void writingGivesExactlyFortyLines() {
        state().RecentDirs(1) = QStringLiteral("/a");
        state().RecentDirs(20) = QStringLiteral("/b");
        state().UsualDirs(1) = QStringLiteral("/c");
        state().UsualDirs(20) = QStringLiteral("/d e");
        QCOMPARE(writeHistoryFile(state()), 0);
        QCOMPARE(state().HisFileNo, qint16(0));
        const QByteArray expected = "/a\r\n" + QByteArray("\r\n").repeated(18) + "/b\r\n" +
                                    "/c\r\n" + QByteArray("\r\n").repeated(18) + "/d e\r\n";
        QCOMPARE(content(), expected);
    }

    void writingJapanese() {
        // New file: code page 932, readable by the original platform.
        state().RecentDirs(1) = QStringLiteral("/表示");
        QCOMPARE(writeHistoryFile(state()), 0);
        QCOMPARE(content(), QByteArray("/\x95\x5C\x8E\xA6\r\n") + QByteArray("\r\n").repeated(39));

        // A folder code page 932 cannot hold makes the whole file UTF-8.
        state().UsualDirs(1) = QStringLiteral("/폴더");
        QCOMPARE(writeHistoryFile(state()), 0);
        QCOMPARE(content(), QStringLiteral("/表示\r\n").toUtf8() + QByteArray("\r\n").repeated(19) +
                                QStringLiteral("/폴더\r\n").toUtf8() +
                                QByteArray("\r\n").repeated(19));
        state_ = std::make_unique<ModPlok>();
        state().ProgramFolder = dir_.path() + QLatin1Char('/');
        QCOMPARE(readHistoryFile(state()), 0);
        QCOMPARE(state().RecentDirs(1), QStringLiteral("/表示"));
        QCOMPARE(state().UsualDirs(1), QStringLiteral("/폴더"));
    }

    void entriesCannotBreakTheLines() {
        state().RecentDirs(1) = QStringLiteral("/with\rreturn");
        state().RecentDirs(2) = QStringLiteral("/with\nfeed");
        QCOMPARE(writeHistoryFile(state()), 0);
        state_ = std::make_unique<ModPlok>();
        state().ProgramFolder = dir_.path() + QLatin1Char('/');
        QCOMPARE(readHistoryFile(state()), 0);
        QCOMPARE(state().RecentDirs(1), QString());
        QCOMPARE(state().RecentDirs(2), QStringLiteral("/with\nfeed"));
        QCOMPARE(content().count("\r\n"), 40);
    }

    void foldersNamedInForeignBytesAreNotStored() {
        // A folder whose name is in code page 932 bytes (from the picker) has no text that
        // would lead back to it: stored as text it would name another, new folder.
        state().RecentDirs(1) = pathFromNative(QByteArrayView("/\x83\x81\x83\x82"));
        state().RecentDirs(2) = QStringLiteral("/メモ");
        state().UsualDirs(1) = pathFromNative(QByteArrayView("/bad\xff"));
        QCOMPARE(writeHistoryFile(state()), 0);
        state_ = std::make_unique<ModPlok>();
        state().ProgramFolder = dir_.path() + QLatin1Char('/');
        QCOMPARE(readHistoryFile(state()), 0);
        QCOMPARE(state().RecentDirs(1), QString());
        QCOMPARE(state().RecentDirs(2), QStringLiteral("/メモ"));
        QCOMPARE(state().UsualDirs(1), QString());
    }

    void brokenFiles() {
        // A huge file without a single line end: bounded, the first entry keeps its start.
        put(QByteArray(5 * 1024 * 1024, 'x'));
        QCOMPARE(readHistoryFile(state()), int(ErrInputPastEnd));
        QCOMPARE(state().RecentDirs(1), QString(64 * 1024, QChar(u'x')));

        // A FIFO never blocks: it is no file to read, and it is not replaced.
        QFile::remove(path());
        QVERIFY(::mkfifo(QFile::encodeName(path()).constData(), 0600) == 0);
        QCOMPARE(readHistoryFile(state()), int(ErrBadFileMode));
        QCOMPARE(state().HisFileNo, qint16(0));
        QVERIFY(writeHistoryFile(state()) != 0);
        QFile::remove(path());

        // A folder that is gone.
        state().ProgramFolder = dir_.filePath(QStringLiteral("gone")) + QLatin1Char('/');
        QCOMPARE(readHistoryFile(state()), int(ErrPathNotFound));
        QCOMPARE(writeHistoryFile(state()), int(ErrPathNotFound));
    }

    // A history of half-width katakana only, written in code page 932, would read as UTF-8:
    // such a history is written in UTF-8.
    void katakanaThatLooksLikeUtf8ReadsBack() {
        state().RecentDirs(1) = QStringLiteral("/home/u/ﾏｲ");
        state().UsualDirs(1) = QStringLiteral("/ﾃｽ");
        QCOMPARE(writeHistoryFile(state()), 0);
        ModPlok again;
        again.ProgramFolder = state().ProgramFolder;
        QCOMPARE(readHistoryFile(again), 0);
        QCOMPARE(again.RecentDirs(1), QStringLiteral("/home/u/ﾏｲ"));
        QCOMPARE(again.UsualDirs(1), QStringLiteral("/ﾃｽ"));
    }

    // The encoding is decided on the bytes as they are: a UTF-8 history whose last line is
    // cut inside a character (or by the line limit) is still UTF-8.
    void cutUtf8HistoryStaysUtf8_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("lastLine");
        QByteArray lines = "/home/文書\r\n";
        for (int i = 2; i < 40; ++i)
            lines += "\r\n";
        QTest::newRow("last line cut inside a character")
            << QByteArray(lines + "/mnt/共\xE6\x9C") << QStringLiteral("/home/文書")
            << QStringLiteral("/mnt/共") + QChar(0xFFFD) << 40;
        QByteArray longLine = "/home/文書\r\n" + QByteArray(65535, 'a') + "文書\r\n";
        QTest::newRow("line cut by the limit inside a character")
            << longLine << QStringLiteral("/home/文書") << QString(65535, u'a') << 2;
    }
    void cutUtf8HistoryStaysUtf8() {
        QFETCH(QByteArray, file);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, lastLine);
        put(file);
        readHistoryFile(state());
        QCOMPARE(entry(1), first);
        QCOMPARE(entry(lastLine), last);
    }

    // A first write that fails (the file-size limit stands in for a full disk) leaves no file,
    // not even the one its lock needed.
    void failedFirstWriteLeavesNoFile() {
        struct rlimit before {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        struct rlimit limited = before;
        limited.rlim_cur = 16;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        state().RecentDirs(1) = QStringLiteral("/a folder name longer than the limit");
        const int error = writeHistoryFile(state());
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(error != 0);
        QVERIFY(!QFileInfo::exists(path()));
        QCOMPARE(
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
    }
};

QTEST_GUILESS_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
