// Compressed files and archives, each made by its usual tool, shown as the tools themselves read
// them: the head of the content as zcat and its kin give it, the table of contents as bsdtar
// -tv and unzip -l list it (names where they show mojibake excepted), and the bounds that end a
// bomb.
#include "TestFiles.h"

#include "preview/FilePreview.h"
#include "preview/PackedPreview.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace zorvane;
using namespace Qt::StringLiterals;
using zorvane::testing::shellOutput;
using zorvane::testing::toolsInstalled;

namespace {

const QString crlf = QStringLiteral("\r\n");

// One member as a listing shows it; a folder's size counts as 0 and its name has no "/" at the
// end, as cpio and bsdtar give them.
struct Listed {
    QString size;
    QString modified; // "yyyy-MM-dd HH:mm", empty where the listing does not give it so
    QString name;
    bool operator==(const Listed&) const = default;
};

QString folderless(QString name) {
    while (name.endsWith(u'/'))
        name.chop(1);
    return name;
}

// The viewer's lines: size (or <DIR>), date and time, name.
QList<Listed> viewerListing(const QStringList& lines, bool withDates) {
    QList<Listed> listed;
    for (const QString& line : lines) {
        const QString size = line.left(10).trimmed();
        listed.append({size == u"<DIR>" ? QStringLiteral("0") : size,
                       withDates ? line.mid(12, 16) : QString(), folderless(line.mid(30))});
    }
    return listed;
}

QList<Listed> bsdtarListing(const QString& output) {
    // -rw-r--r--  0 user   group       7 Jan  2 03:04 name
    static const QRegularExpression line(
        QStringLiteral(R"(^\S+\s+\d+\s+\S+\s+\S+\s+(\d+)\s+\S+\s+\d+\s+\S+\s(.*)$)"));
    QList<Listed> listed;
    for (const QString& text : output.split(u'\n', Qt::SkipEmptyParts)) {
        const auto match = line.match(text);
        if (match.hasMatch())
            listed.append({match.captured(1), QString(), folderless(match.captured(2))});
    }
    return listed;
}

QList<Listed> unzipListing(const QString& output) {
    //        7  2024-01-02 03:04   name
    static const QRegularExpression line(
        QStringLiteral(R"(^\s*(\d+)\s+(\d{4}-\d\d-\d\d \d\d:\d\d)   (.*)$)"));
    QList<Listed> listed;
    for (const QString& text : output.split(u'\n', Qt::SkipEmptyParts)) {
        const auto match = line.match(text);
        if (match.hasMatch())
            listed.append({match.captured(1), match.captured(2), folderless(match.captured(3))});
    }
    return listed;
}

QStringList textLines(const QString& text) {
    QStringList lines = text.split(crlf);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestPackedPreview : public QObject {
    Q_OBJECT

    QTemporaryDir work_;

    QString run(const QString& command) {
        bool ok = false;
        const QByteArray output = shellOutput(command, work_.path(), &ok);
        if (!ok)
            qWarning("failed: %s", qPrintable(command));
        return QString::fromUtf8(output);
    }

private slots:
    // Names in Shift-JIS are beyond QDir's removal.
    void cleanupTestCase() { run(u"rm -rf win"_s); }

    void initTestCase() {
        QVERIFY(work_.isValid());
        // UTF-8 and Shift-JIS text of 120 lines; a tree with Japanese names, an empty folder and
        // a link; the same names in Shift-JIS, as a Windows machine keeps them.
        QByteArray text;
        for (int i = 1; i <= 120; ++i)
            text += QStringLiteral("%1 行目：日本語のテキスト\r\n").arg(i).toUtf8();
        QVERIFY(testing::writeBytes(work_.filePath(QStringLiteral("text.txt")), text));
        run(QStringLiteral(
            "iconv -f UTF-8 -t CP932 text.txt > sjis.txt && "
            "mkdir -p tree/資料 tree/空 && printf 'memo\\r\\n' > tree/メモ帳.txt && "
            "head -c 1000 text.txt > tree/資料/長い名前の文書.txt && ln -s メモ帳.txt tree/link && "
            "mkdir -p many && for i in $(seq 101 160); do echo $i > many/f$i; done && "
            "mkdir -p win/$(printf '\\216\\221\\227\\277') && "
            "printf 'memo\\r\\n' > win/$(printf '\\203\\201\\203\\202\\222\\240').txt && "
            "cp text.txt win/$(printf '\\216\\221\\227\\277')/a.txt && "
            "find tree many win -exec touch -h -d '2024-01-02 03:04:05' {} +"));
        QVERIFY(QFile::exists(work_.filePath(QStringLiteral("sjis.txt"))));
    }

    // The head of a compressed file is the head of what its tool expands, as a plain file of
    // those bytes shows it; a stream cut short shows what its tool could expand, then a notice.
    void compressedText_data() {
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QString>("make");     // makes the file "f"
        QTest::addColumn<QString>("expand");   // what its tool expands it to
        QTest::addColumn<QString>("encoding"); // the description's end
        QTest::addColumn<bool>("damaged");

        const auto row = [](const char* name, const QString& tool, const QString& make,
                            const QString& expand, const QString& encoding = u"UTF-8"_s,
                            bool damaged = false) {
            QTest::newRow(name) << QStringList{tool, tool == u"gzip" ? u"zcat"_s : tool} << make
                                << expand << encoding << damaged;
        };
        row("gzip", u"gzip"_s, u"gzip -c text.txt > f"_s, u"zcat f"_s);
        row("bzip2", u"bzip2"_s, u"bzip2 -c text.txt > f"_s, u"bzip2 -dc f"_s);
        row("xz", u"xz"_s, u"xz -c text.txt > f"_s, u"xz -dc f"_s);
        row("zstd", u"zstd"_s, u"zstd -q -c text.txt > f"_s, u"zstd -dc f"_s);
        row("lz4", u"lz4"_s, u"lz4 -q -c text.txt > f"_s, u"lz4 -dc f"_s);
        row("gzip of Shift-JIS", u"gzip"_s, u"gzip -c sjis.txt > f"_s, u"zcat f"_s, u"Shift_JIS"_s);
        row("gzip named as plain text", u"gzip"_s, u"gzip -c text.txt > f.txt && mv f.txt f"_s,
            u"zcat f"_s);
        row("two gzip members", u"gzip"_s,
            u"head -c 900 text.txt | gzip > f && tail -c +901 text.txt | gzip >> f"_s, u"zcat f"_s);
        row("gzip cut short", u"gzip"_s,
            u"gzip -c text.txt > g && head -c $(($(stat -c %s g) / 2)) g > f"_s,
            u"zcat f 2>/dev/null"_s, u"UTF-8"_s, true);
        row("xz cut short", u"xz"_s,
            u"xz -c text.txt > x && head -c $(($(stat -c %s x) / 2)) x > f"_s,
            u"xz -dc f 2>/dev/null"_s, u"UTF-8"_s, true);
    }

    void compressedText() {
        QFETCH(QStringList, tools);
        QFETCH(QString, make);
        QFETCH(QString, expand);
        QFETCH(QString, encoding);
        QFETCH(bool, damaged);
        if (!toolsInstalled(tools))
            QSKIP("the tool is not installed");
        run(make);
        bool ok = false;
        const QByteArray expanded = shellOutput(expand, work_.path(), &ok);
        QVERIFY(ok || damaged);

        const PreviewResult preview = buildPreview(work_.filePath(QStringLiteral("f")));
        QCOMPARE(preview.errorNumber, 0);
        const QString plain = plainPreview(expanded, true, PreviewEncoding::Automatic).text;
        QCOMPARE(preview.text, damaged ? plain + damagedStreamNotice() + crlf : plain);
        QVERIFY2(preview.description.endsWith(encoding + u"（自動判別）"_s),
                 qPrintable(preview.description));
    }

    // An archive's table of contents is what bsdtar -tv and unzip -l list, in the same order:
    // sizes, the dates where the tool gives them alike, names; at most 51 members, then the
    // marker. Names in Shift-JIS read right where the tools show mojibake; encrypted members
    // are listed and marked; a damaged archive lists the members before the damage.
    void archiveContents_data() {
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QString>("make");      // makes the file "f"
        QTest::addColumn<QString>("listing");   // bsdtar or unzip
        QTest::addColumn<QStringList>("names"); // where the tool's own are mojibake
        QTest::addColumn<bool>("encrypted");
        QTest::addColumn<int>("cutAt");      // bytes kept of the archive, 0 all
        QTest::addColumn<QString>("notice"); // the start of the last line, when one ends it

        const QString tar = u"tar"_s;
        const QString bsdtar = u"bsdtar"_s;
        const QString unzip = u"unzip"_s;
        const QString damaged = damagedArchiveNotice(0, 0).left(8);
        const auto row = [](const char* name, const QStringList& tools, const QString& make,
                            const QString& listing, bool encrypted = false, int cutAt = 0,
                            const QString& notice = QString(), const QStringList& names = {}) {
            QTest::newRow(name) << tools << make << listing << names << encrypted << cutAt
                                << notice;
        };
        row("tar", {tar, bsdtar}, u"tar -cf f -C tree ."_s, bsdtar);
        row("tar.gz", {tar, bsdtar, u"gzip"_s}, u"tar -czf f -C tree ."_s, bsdtar);
        row("tar.zst", {tar, bsdtar, u"zstd"_s}, u"tar --zstd -cf f -C tree ."_s, bsdtar);
        row("pax.xz by bsdtar", {bsdtar, u"xz"_s}, u"bsdtar --format pax -cJf f -C tree ."_s,
            bsdtar);
        row("tar of 60 members", {tar, bsdtar}, u"tar -cf f -C many ."_s, bsdtar);
        row("cpio", {u"cpio"_s, bsdtar}, u"cd tree && find . | cpio --quiet -o -H newc > ../f"_s,
            bsdtar);
        row("7z", {u"7z"_s, bsdtar}, u"cd tree && 7z a -bd -bso0 ../f.7z . && mv ../f.7z ../f"_s,
            bsdtar);
        row("7z with encrypted content", {u"7z"_s, bsdtar},
            u"cd many && 7z a -bd -bso0 -psecret ../f.7z . && mv ../f.7z ../f"_s, bsdtar, true);
        row("7z with encrypted names", {u"7z"_s, bsdtar},
            u"cd many && 7z a -bd -bso0 -psecret -mhe=on ../f.7z . && mv ../f.7z ../f"_s, bsdtar,
            false, 0, encryptedArchiveNotice(0));
        row("zip", {u"zip"_s, unzip}, u"cd tree && zip -q -r -y ../f.zip . && mv ../f.zip ../f"_s,
            unzip);
        row("zip with Shift-JIS names", {u"zip"_s, unzip},
            u"cd win && LANG=C zip -q -r ../f.zip . && mv ../f.zip ../f"_s, unzip, false, 0, {},
            {u"資料"_s, u"資料/a.txt"_s, u"メモ帳.txt"_s});
        row("encrypted zip", {u"zip"_s, unzip},
            u"cd tree && zip -q -r -P secret ../f.zip . && mv ../f.zip ../f"_s, unzip, true);
        row("zip cut short", {u"zip"_s, unzip},
            u"cd many && zip -q -r ../f.zip . && mv ../f.zip ../f"_s, unzip, false, 3000, damaged);
        row("tar.gz cut short", {tar, bsdtar, u"gzip"_s}, u"tar -czf f -C tree ."_s, bsdtar, false,
            300, damaged);
    }

    void archiveContents() {
        QFETCH(QStringList, tools);
        QFETCH(QString, make);
        QFETCH(QString, listing);
        QFETCH(QStringList, names);
        QFETCH(bool, encrypted);
        QFETCH(int, cutAt);
        QFETCH(QString, notice);
        if (!toolsInstalled(tools))
            QSKIP("a tool is not installed");
        run(u"rm -f f && "_s + make);
        const bool byUnzip = listing == u"unzip";
        QList<Listed> expected =
            byUnzip ? unzipListing(run(u"unzip -l f"_s)) : bsdtarListing(run(u"bsdtar -tvf f"_s));
        QVERIFY(!expected.isEmpty() || !notice.isEmpty());
        if (cutAt > 0)
            run(QStringLiteral("head -c %1 f > cut && mv cut f").arg(cutAt));

        const PreviewResult preview = buildPreview(work_.filePath(QStringLiteral("f")));
        QCOMPARE(preview.errorNumber, 0);
        QStringList lines = textLines(preview.text);
        const qsizetype listed = qMin<qsizetype>(expected.size(), 51);
        if (!notice.isEmpty()) {
            QVERIFY(!lines.isEmpty());
            QCOMPARE(lines.takeLast().left(notice.size()), notice);
            QVERIFY2(cutAt == 0 || (!lines.isEmpty() && lines.size() < expected.size()),
                     qPrintable(preview.text));
            expected = expected.first(qMin(lines.size(), expected.size()));
        } else if (expected.size() > listed) {
            QCOMPARE(lines.takeLast(), continuationMarker());
            expected = expected.first(listed);
        }
        for (QString& line : lines) {
            QCOMPARE(line.endsWith(u"  （暗号化）"), encrypted && !line.startsWith(u"     <DIR>"));
            if (encrypted)
                line.remove(u"  （暗号化）"_s);
        }
        QList<Listed> shown = viewerListing(lines, byUnzip);
        for (Listed& member : shown) {
            if (byUnzip) // unzip -l names a link without its target
                member.name = member.name.section(u" -> "_s, 0, 0);
        }
        if (!names.isEmpty()) {
            for (qsizetype i = 0; i < expected.size(); ++i) {
                QVERIFY2(expected[i].name != names.at(i), "the tool reads the name right");
                expected[i].name = names.at(i);
            }
            QVERIFY2(preview.description.endsWith(u"Shift_JIS（自動判別）"),
                     qPrintable(preview.description));
        }
        QCOMPARE(shown, expected);
    }

    // A bomb stops at the bounds: the members before it are listed, the text before it shown,
    // each with a notice; the file's own bytes count as well as what they expand to.
    void boundsEndTheExpansion_data() {
        QTest::addColumn<QString>("make");
        QTest::addColumn<qint64>("byteBound");
        QTest::addColumn<QString>("expected");

        QTest::newRow("tar.gz with 64 MiB of zeros first")
            << u"mkdir -p bomb && head -c 64M /dev/zero > bomb/zeros && echo x > bomb/x && "
               "tar -czf f -C bomb zeros x"_s
            << (qint64(1) << 20) << u"67108864"_s;
        QTest::newRow("gzip of 32,768 empty members")
            << u"gzip -c /dev/null > f && for i in $(seq 1 15); do cat f f > g && mv g f; done"_s
            << (qint64(64) << 10) << QString();
    }

    void boundsEndTheExpansion() {
        QFETCH(QString, make);
        QFETCH(qint64, byteBound);
        QFETCH(QString, expected);
        if (!toolsInstalled({u"gzip"_s, u"tar"_s}))
            QSKIP("gzip or tar is not installed");
        run(u"rm -f f && "_s + make);
        const QString path = work_.filePath(QStringLiteral("f"));
        const QByteArray head = testing::readBytes(path).left(8192);
        const auto preview = packedPreview({path, {}}, head, PreviewEncoding::Automatic,
                                           {byteBound, std::chrono::seconds(60)});
        QVERIFY(preview.has_value());
        const QStringList lines = textLines(preview->text);
        if (expected.isEmpty()) {
            QCOMPARE(lines, QStringList{streamBoundNotice()});
        } else {
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines.first().left(10).trimmed(), expected);
            QCOMPARE(lines.last(), archiveBoundNotice());
        }
    }
};

QTEST_GUILESS_MAIN(TestPackedPreview)
#include "tst_packedpreview.moc"
