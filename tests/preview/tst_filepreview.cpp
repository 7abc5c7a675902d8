#include "preview/FilePreview.h"
#include "preview/PreviewHead.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace zorvane;

namespace {

const QString crlf = QStringLiteral("\r\n");

QString marked(const QString& text) {
    return text + continuationMarker() + crlf;
}
QString cut(const QString& text) {
    return marked(text.left(2500) + crlf);
}

QString numberedLines(int from, int to, const QString& end = crlf) {
    QString text;
    for (int i = from; i <= to; ++i)
        text += QStringLiteral("line %1").arg(i) + end;
    return text;
}

// What reading every line of the whole text gives: the naive form of the preview, kept apart
// from the program's bounded reading so that the two can be compared.
QString wholeReadPreview(const QString& content) {
    QStringList lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype cr = content.indexOf(u'\r', start);
        if (cr < 0)
            cr = content.size();
        lines << content.mid(start, cr - start);
        start = cr + 1;
        if (start < content.size() && content.at(start) == u'\n')
            ++start;
    }
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines.at(i) + crlf;
        if (text.size() > 2500) {
            const bool splitsPair =
                text.at(2499).isHighSurrogate() && text.at(2500).isLowSurrogate();
            return cut(text.left(splitsPair ? 2499 : 2500));
        }
        if (i == 50)
            return i + 1 < lines.size() ? marked(text) : text;
    }
    return text;
}

QByteArray withBom(const QString& text, QStringConverter::Encoding encoding) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

QString previewOfBytes(const QByteArray& bytes) {
    const qsizetype headSize = qMin(bytes.size(), previewByteBound);
    return previewTextOf(QByteArrayView(bytes).first(headSize), bytes.size() <= previewByteBound);
}

} // namespace

class TestFilePreview : public QObject {
    Q_OBJECT
private slots:
    void limits_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        const QString x70 = QString(70, u'x');
        QString forty, thirtyFour;
        for (int i = 0; i < 40; ++i)
            forty += x70 + crlf;
        for (int i = 0; i < 34; ++i)
            thirtyFour += x70 + crlf;

        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("10 lines") << numberedLines(1, 10) << numberedLines(1, 10);
        QTest::newRow("100 lines") << numberedLines(1, 100) << marked(numberedLines(1, 51));
        QTest::newRow("51 lines, last") << numberedLines(1, 51) << numberedLines(1, 51);
        QTest::newRow("52 lines") << numberedLines(1, 52) << marked(numberedLines(1, 51));
        QTest::newRow("51 lines and an empty one")
            << numberedLines(1, 51) + QStringLiteral("\r") << marked(numberedLines(1, 51));
        QTest::newRow("3000-char line") << QString(3000, u'a') << cut(QString(3000, u'a'));
        QTest::newRow("40 x 70") << forty << cut(thirtyFour + QString(52, u'x'));
        QTest::newRow("lone LF stays in the line")
            << numberedLines(1, 400, QStringLiteral("\n"))
            << cut(numberedLines(1, 400, QStringLiteral("\n")));
        QTest::newRow("CR, CR LF and no end")
            << QStringLiteral("a\rb\r\n\r\nc\n\rd") << QStringLiteral("a\r\nb\r\n\r\nc\n\r\nd\r\n");
        // 2499 characters and CR LF: the cut keeps the CR and drops the LF.
        QTest::newRow("cut between CR and LF")
            << QString(2499, u'a') + crlf + QStringLiteral("b")
            << marked(QString(2499, u'a') + QStringLiteral("\r") + crlf);
        QTest::newRow("51st line over the size") << numberedLines(1, 50) + QString(3000, u'z')
                                                 << cut(numberedLines(1, 50) + QString(3000, u'z'));
        QTest::newRow("full-width count one each")
            << QString(3000, QChar(0x3042)) << cut(QString(3000, QChar(0x3042)));
        const QString face = QStringLiteral("\U0001F600");
        QTest::newRow("pair across the cut dropped whole")
            << QString(2499, u'a') + face + QStringLiteral("b") << cut(QString(2499, u'a'));
        QTest::newRow("pair ending at the cut kept")
            << QString(2498, u'a') + face + QStringLiteral("b") << cut(QString(2498, u'a') + face);
        QTest::newRow("NUL kept") << QStringLiteral("a%1b\r%1").arg(QChar(0))
                                  << QStringLiteral("a%1b\r\n%1\r\n").arg(QChar(0));
    }
    // The same text in every encoding the preview reads gives the same preview.
    void limits() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        QCOMPARE(previewOfBytes(withBom(content, QStringConverter::Utf8)), expected);
        QCOMPARE(previewOfBytes(withBom(content, QStringConverter::Utf16LE)), expected);
        QCOMPARE(previewOfBytes(withBom(content, QStringConverter::Utf16BE)), expected);
        QCOMPARE(wholeReadPreview(content), expected);
    }

    // Japanese text without a byte-order mark: code page 932 and UTF-8 are told apart by their
    // bytes and read alike.
    void japaneseInEveryEncoding() {
        const QString text = numberedLines(1, 60).replace(QStringLiteral("line"),
                                                          QStringLiteral("日本語の行　ｶﾅ＼"));
        const QString expected = wholeReadPreview(text);
        QStringEncoder cp932("windows-31j");
        QVERIFY(cp932.isValid());
        const QByteArray cp932Bytes = cp932.encode(text);
        QVERIFY(!cp932.hasError());
        QCOMPARE(previewOfBytes(cp932Bytes), expected);
        QCOMPARE(previewOfBytes(text.toUtf8()), expected);
        QCOMPARE(previewOfBytes(withBom(text, QStringConverter::Utf16LE)), expected);
        QCOMPARE(previewOfBytes(withBom(text, QStringConverter::Utf16BE)), expected);
        QVERIFY(expected.startsWith(QStringLiteral("日本語の行　ｶﾅ＼ 1\r\n")));
    }

    // Reading only the head of a file gives what reading every line of it would give, for
    // lines of every length around the limits and files far larger than the head.
    void headReadsLikeWholeFile() {
        QRandomGenerator random(20240611);
        QStringEncoder cp932("windows-31j");
        const QString pieces[] = {QStringLiteral("\r"),         QStringLiteral("\r\n"),
                                  QStringLiteral("\n"),         QStringLiteral("あ"),
                                  QStringLiteral("\U0001F600"), QStringLiteral("a")};
        for (int round = 0; round < 120; ++round) {
            QString content;
            const int lines = random.bounded(1, 80);
            for (int i = 0; i < lines; ++i) {
                const int length = random.bounded(2) ? random.bounded(120) : random.bounded(9000);
                for (int j = 0; j < length; ++j)
                    content += pieces[random.bounded(3, 6)];
                content += pieces[random.bounded(0, 3)];
            }
            const QString expected = wholeReadPreview(content);
            QCOMPARE(previewOfBytes(withBom(content, QStringConverter::Utf8)), expected);
            QCOMPARE(previewOfBytes(withBom(content, QStringConverter::Utf16LE)), expected);
            // Code page 932 has no emoji: a half-width kana (one byte) takes their place.
            content.replace(QStringLiteral("\U0001F600"), QStringLiteral("ｱ"));
            QCOMPARE(previewOfBytes(cp932.encode(content)), wholeReadPreview(content));
        }
    }

    // EUC-JP and ISO-2022-JP files read like the same text in Unicode, with the line and size
    // limits and the marker where they fall, also when the file goes on beyond the head.
    void eucJpAndIso2022JpFiles_data() {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QString>("content");
        const QString prose = QStringLiteral("漢字とひらがな、カタカナの行です。");
        for (const char* encoding : {"EUC-JP", "ISO-2022-JP"}) {
            const auto row = [&](const char* what, const QString& content) {
                QTest::addRow("%s, %s", encoding, what) << QByteArray(encoding) << content;
            };
            row("ten lines", numberedLines(1, 10).replace(QStringLiteral("line"), prose));
            row("beyond the head", numberedLines(1, 400).replace(QStringLiteral("line"), prose));
            row("over the size", QString(3000, QChar(0x3042)));
            row("lone LF and CR", QStringLiteral("あ\nい\rう\r\n"));
        }
    }
    void eucJpAndIso2022JpFiles() {
        QFETCH(QByteArray, encoding);
        QFETCH(QString, content);
        QStringEncoder encoder(encoding.constData());
        const QByteArray bytes = encoder.encode(content);
        QVERIFY(!encoder.hasError());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("japanese.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        const PreviewResult result = buildPreview(path);
        QCOMPARE(result.errorNumber, 0);
        QCOMPARE(result.text, wholeReadPreview(content));
    }

    // A JIS line may end in the kanji set; the next line goes on in it.
    void iso2022JpSetCarriesAcrossLines() {
        QCOMPARE(previewOfBytes("\x1B$BF|\r\nK\\\x1B(B\r\nab"),
                 QStringLiteral("日\r\n本\r\nab\r\n"));
    }

    // A head cut inside an escape sequence or a pair shows the text before it, at most one
    // U+FFFD and the marker: no escape bytes, no stray letters of a sequence.
    void iso2022JpHeadCutInsideASequence_data() {
        QTest::addColumn<int>("shift");
        for (int shift = 0; shift < 9; ++shift)
            QTest::addRow("cut %d bytes into a run", shift) << shift;
    }
    void iso2022JpHeadCutInsideASequence() {
        QFETCH(int, shift);
        // Each run is 9 bytes: ESC $ B, the pair of 日, ESC ( B and "a". Far more bytes than
        // the head holds, and fewer characters than the size limit within it.
        const QByteArray run("\x1B$BF|\x1B(Ba");
        const QByteArray bytes = QByteArray(8 - shift, 'x') + run.repeated(1000);
        const QString whole = QString(8 - shift, u'x') + QStringLiteral("日a").repeated(1000);
        // The first read of a file, which the preview reads on from where the text falls short.
        QString text = previewTextOf(QByteArrayView(bytes).first(previewFirstRead), false);
        const QString ending = crlf + continuationMarker() + crlf;
        QVERIFY(text.endsWith(ending));
        text.chop(ending.size());
        if (text.endsWith(QChar(0xFFFD)))
            text.chop(1);
        QVERIFY(whole.startsWith(text));
        // 8192 bytes hold 8183 / 9 whole runs.
        QVERIFY2(text.size() >= 8 - shift + 2 * 909, qPrintable(QString::number(text.size())));
    }

    // ISO-2022-JP spends bytes on escape sequences: a file is read on until its text reaches a
    // limit, within a bound that holds where every character switches sets; escape sequences
    // that write nothing end the preview at the bound.
    void iso2022JpReadsOnToALimit_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QStringEncoder jis("ISO-2022-JP");
        const QString pairs = QStringLiteral("日a").repeated(20);
        const QString lines = numberedLines(1, 60).replace(QStringLiteral("line"), pairs);
        QTest::newRow("51 of 60 lines, sets switched at each character")
            << QByteArray(jis.encode(lines)) << wholeReadPreview(lines);
        const QString line = pairs.repeated(100);
        QTest::newRow("one line, sets switched at each character")
            << QByteArray(jis.encode(line)) << wholeReadPreview(line);
        QTest::newRow("the longest selection before each kanji")
            << QByteArray("\x1B&@\x1B$(BF|").repeated(2600) << cut(QString(2600, QChar(0x65E5)));
        QTest::newRow("selections without text beyond the bound")
            << QByteArray("\x1B$B\x1B(B").repeated(previewByteBound) << marked(crlf);
    }
    void iso2022JpReadsOnToALimit() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("jis.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        QCOMPARE(buildPreview(path).text, expected);
    }

    void files() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
        };
        write(QStringLiteral("empty.txt"), {});
        write(QStringLiteral("a \"quoted\" $(name) `x`.txt"), "one\r\ntwo\r\n");

        QCOMPARE(buildPreview(dir.filePath(QStringLiteral("empty.txt"))).errorNumber, 0);
        QCOMPARE(buildPreview(dir.filePath(QStringLiteral("empty.txt"))).text, QString());
        const PreviewResult quoted =
            buildPreview(dir.filePath(QStringLiteral("a \"quoted\" $(name) `x`.txt")));
        QCOMPARE(quoted.errorNumber, 0);
        QCOMPARE(quoted.text, QStringLiteral("one\r\ntwo\r\n"));

        QCOMPARE(buildPreview(dir.filePath(QStringLiteral("gone.txt"))).errorNumber, 53);
        QCOMPARE(buildPreview(dir.filePath(QStringLiteral("nofolder/gone.txt"))).errorNumber, 76);
        QCOMPARE(buildPreview(dir.path()).errorNumber, 54);
        QCOMPARE(
            buildPreview(dir.filePath(QStringLiteral("empty.txt")) + QChar(0) + QStringLiteral("x"))
                .errorNumber,
            52);
        QVERIFY(buildPreview(dir.filePath(QStringLiteral("gone.txt"))).text.isEmpty());
    }

    // Nothing but a regular file is read, and none of them blocks: a FIFO without a writer
    // would wait for ever.
    void notRegularFiles() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(buildPreview(fifo).errorNumber, 54);
        QCOMPARE(buildPreview(QStringLiteral("/dev/zero")).errorNumber, 54);
        QCOMPARE(buildPreview(QStringLiteral("/dev/null")).errorNumber, 54);
    }

    void failedReads() {
        // Reading this process's memory at address 0 opens fine and fails on the first read.
        const PreviewResult memory = buildPreview(QStringLiteral("/proc/self/mem"));
        QCOMPARE(memory.errorNumber, 57);
        QVERIFY(memory.text.isEmpty());

        if (::geteuid() == 0)
            QSKIP("permissions do not deny anything to root");
        QTemporaryDir dir;
        const QString locked = dir.filePath(QStringLiteral("locked.txt"));
        QFile file(locked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::setPermissions(locked, {}));
        QCOMPARE(buildPreview(locked).errorNumber, 70);
    }

    // A huge file without a line end reads only its head: a gigabyte of NUL bytes (sparse)
    // previews as 2500 NUL characters and the marker.
    void hugeFileReadsOnlyItsHead() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.bin"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(1) << 30));
        file.close();
        QCOMPARE(buildPreview(path).text, cut(QString(2500, QChar(0))));

        const PreviewHead head = readPreviewHead(path);
        QCOMPARE(head.bytes.size(), previewByteBound);
        QVERIFY(!head.wholeFile);
        QVERIFY(file.resize(previewByteBound));
        QVERIFY(readPreviewHead(path).wholeFile);
        QVERIFY(file.resize(previewByteBound + 1));
        QVERIFY(!readPreviewHead(path).wholeFile);
    }
};

QTEST_GUILESS_MAIN(TestFilePreview)
#include "tst_filepreview.moc"
