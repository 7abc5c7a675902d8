#include "platform/UpdateLockFile.h"
#include "textfile/ProfileFile.h"

#include "ChildProcess.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace zorvane;
using zorvane::testing::bytesOf;
using zorvane::testing::Cp932Hyouji;
using zorvane::testing::Cp932MsGothic;
using zorvane::testing::startChild;
using zorvane::testing::waitForChild;

namespace {

const QString KeysSection = QStringLiteral("Keys");

// Writes keys <prefix>1 .. <prefix>count, each with its own name as value, one call each.
bool writeKeys(const QString& path, const QString& prefix, int count) {
    bool ok = true;
    for (int i = 1; i <= count; ++i) {
        const QString key = prefix + QString::number(i);
        ok = ProfileFile::writeString(path, KeysSection, key, key) && ok;
    }
    return ok;
}

QString paddedTo(const QString& text, int width) {
    return text + QString(width - text.size(), QChar(u' '));
}

// What a child started by startChild does.
int childMain(int argc, char** argv) {
    const QString mode = QString::fromLocal8Bit(argv[2]);
    const QString path = argc > 3 ? QFile::decodeName(argv[3]) : QString();
    if (mode == u"write-keys" && argc == 6)
        return writeKeys(path, QString::fromLocal8Bit(argv[4]), std::atoi(argv[5])) ? 0 : 1;
    if (mode == u"killed-write") {
        // The file-size limit kills the writer (SIGXFSZ) in the middle of its write.
        const struct rlimit noCore { 0, 0 };
        ::setrlimit(RLIMIT_CORE, &noCore);
        const struct rlimit small { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &small);
        ProfileFile::writeString(path, KeysSection, QStringLiteral("Big"), QString(65536, u'x'));
        return 0;
    }
    if (mode == u"write-as-member" && argc == 6) {
        // Another member of the file's group: its own user and primary group, the file's
        // group as a supplementary one.
        const gid_t shared = gid_t(std::atoi(argv[5]));
        const uid_t user = uid_t(std::atoi(argv[4]));
        if (::setgroups(1, &shared) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0)
            return 2;
        return ProfileFile::writeString(path, KeysSection, QStringLiteral("Member"),
                                        QStringLiteral("1"))
                   ? 0
                   : 1;
    }
    if (mode == u"hold-lock" && argc == 5) {
        // Locks the file itself, as any reader could, or its update lock, as a writer does, and
        // keeps it for 30 s while PATH.held is there.
        const int descriptor = qstrcmp(argv[4], "file") == 0 ? ::open(argv[3], O_RDONLY | O_CLOEXEC)
                                                             : openUpdateLockFile(path);
        if (descriptor < 0 || ::flock(descriptor, LOCK_EX) != 0 ||
            !testing::writeBytes(path + QStringLiteral(".held"), "held"))
            return 1;
        ::sleep(30);
        QFile::remove(path + QStringLiteral(".held"));
        return 0;
    }
    return 3;
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString path() const { return dir_.filePath(QStringLiteral("plok.ini")); }

    void put(const QByteArray& bytes) { QVERIFY(testing::writeBytes(path(), bytes)); }

    QByteArray content() const { return testing::readBytes(path()); }

private slots:
    void init() {
        QFile::remove(path());
        QVERIFY(dir_.isValid());
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("expected");
        const QString s = QStringLiteral("Font");
        const QString k = QStringLiteral("Name");
        const QString d = QStringLiteral("dflt");
        QTest::newRow("plain") << QByteArray("[Font]\r\nName=Gothic\r\n") << s << k << d << 50
                               << QStringLiteral("Gothic");
        QTest::newRow("names ignore letter case") << QByteArray("[fONT]\r\nnAME=Gothic\r\n") << s
                                                  << k << d << 50 << QStringLiteral("Gothic");
        QTest::newRow("blanks and tabs around the value")
            << QByteArray("[Font]\r\n  Name \t=  \tGothic Pro \t \r\n") << s << k << d << 50
            << QStringLiteral("Gothic Pro");
        QTest::newRow("blanks inside the brackets")
            << QByteArray(" [ Font ] \r\nName=x\r\n") << s << k << d << 50 << QStringLiteral("x");
        QTest::newRow("double quotes removed") << QByteArray("[Font]\r\nName= \" a b \" \r\n") << s
                                               << k << d << 50 << QStringLiteral(" a b ");
        QTest::newRow("single quotes removed")
            << QByteArray("[Font]\r\nName='x'\r\n") << s << k << d << 50 << QStringLiteral("x");
        QTest::newRow("only the outermost pair") << QByteArray("[Font]\r\nName=\"\"x\"\"\r\n") << s
                                                 << k << d << 50 << QStringLiteral("\"x\"");
        QTest::newRow("unmatched quotes stay")
            << QByteArray("[Font]\r\nName=\"x'\r\n") << s << k << d << 50 << QStringLiteral("\"x'");
        QTest::newRow("a lone quote stays")
            << QByteArray("[Font]\r\nName=\"\r\n") << s << k << d << 50 << QStringLiteral("\"");
        QTest::newRow("equals sign inside the value")
            << QByteArray("[Font]\r\nName=a=b\r\n") << s << k << d << 50 << QStringLiteral("a=b");
        QTest::newRow("empty value is present")
            << QByteArray("[Font]\r\nName=\r\n") << s << k << d << 50 << QString();
        QTest::newRow("missing file gives the default without trailing blanks")
            << QByteArray() << s << k << QStringLiteral("  a b  ") << 50 << QStringLiteral("  a b");
        QTest::newRow("missing section")
            << QByteArray("[Form]\r\nName=x\r\n") << s << k << d << 50 << d;
        QTest::newRow("missing key")
            << QByteArray("[Font]\r\nSize=9\r\n") << s << k << d << 50 << d;
        QTest::newRow("comment is no key")
            << QByteArray("[Font]\r\n  ;Name=x\r\n") << s << k << d << 50 << d;
        QTest::newRow("text before the first section is ignored")
            << QByteArray("Name=x\r\n[Font]\r\nSize=1\r\n") << s << k << d << 50 << d;
        QTest::newRow("line without equals sign is no key")
            << QByteArray("[Font]\r\nName\r\n") << s << k << d << 50 << d;
        QTest::newRow("first key wins") << QByteArray("[Font]\r\nName=first\r\nname=second\r\n")
                                        << s << k << d << 50 << QStringLiteral("first");
        QTest::newRow("first section wins")
            << QByteArray("[Font]\r\nSize=1\r\n[Font]\r\nName=second\r\n") << s << k << d << 50
            << d;
        QTest::newRow("keys of the next section do not belong")
            << QByteArray("[Font]\r\n[Form]\r\nName=x\r\n") << s << k << d << 50 << d;
        QTest::newRow("LF line ends")
            << QByteArray("[Font]\nName=x\nSize=1") << s << k << d << 50 << QStringLiteral("x");
        QTest::newRow("CR line ends")
            << QByteArray("[Font]\rName=x\rSize=1\r") << s << k << d << 50 << QStringLiteral("x");
        QTest::newRow("last line without its end")
            << QByteArray("[Font]\r\nName=x") << s << k << d << 50 << QStringLiteral("x");
        QTest::newRow("cut to size - 1 bytes") << QByteArray("[Font]\r\nName=abcdefghijkl\r\n") << s
                                               << k << d << 10 << QStringLiteral("abcdefghi");
        QTest::newRow("default cut too")
            << QByteArray() << s << k << QStringLiteral("abcdef") << 4 << QStringLiteral("abc");
        QTest::newRow("size 1 gives nothing")
            << QByteArray("[Font]\r\nName=x\r\n") << s << k << d << 1 << QString();
        QTest::newRow("cp932 value from the original platform")
            << QByteArray("[Font]\r\nName=" + Cp932MsGothic + "\r\n") << s << k << d << 50
            << QStringLiteral("ＭＳ ゴシック");
        QTest::newRow("cp932 cut never inside a character")
            << QByteArray("[Font]\r\nName=" + Cp932MsGothic + "\r\n") << s << k << d << 5
            << QStringLiteral("ＭＳ");
        QTest::newRow("cp932 trail byte 0x5C is not a backslash")
            << QByteArray("[Font]\r\nName=" + Cp932Hyouji + "\r\n") << s << k << d << 4
            << QStringLiteral("表");
        QTest::newRow("utf8 cut never inside a character, by code page 932 widths")
            << QByteArray("[Font]\r\nName=日本語\r\n") << s << k << d << 6
            << QStringLiteral("日本");
        // Read widths count code page 932 bytes in any encoding: a path of 100 kanji and 15
        // other characters (215 bytes there, 315 in UTF-8) keeps all of them.
        const QString longPath =
            QStringLiteral("C:/") + QString(100, QChar(u'漢')) + QStringLiteral("/tool-é.exe");
        QTest::newRow("utf8 value keeps its code page 932 width")
            << QByteArray("[Font]\r\nName=" + longPath.toUtf8() + "\r\n") << s << k << d << 250
            << longPath;
        QTest::newRow("utf16 value keeps its code page 932 width")
            << (QByteArray("\xFF\xFE") +
                TextCodec::encodeText(QStringLiteral("[Font]\r\nName=") + longPath,
                                      TextEncoding::Utf16LE))
            << s << k << d << 250 << longPath;
        QTest::newRow("utf16le with mark")
            << (QByteArray("\xFF\xFE") +
                QByteArray(reinterpret_cast<const char*>(u"[Font]\r\nName=表示\r\n"), 34))
            << s << k << d << 50 << QStringLiteral("表示");
    }
    void readingRules() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, fallback);
        QFETCH(int, size);
        QFETCH(QString, expected);
        if (!file.isNull())
            put(file);
        QCOMPARE(ProfileFile::getString(path(), section, key, fallback, size), expected);
    }

    void presenceOfKeys() {
        put("[Font]\r\nColor=\r\n;BColor=1\r\n[Form]\r\nBColor=1\r\n");
        QVERIFY(ProfileFile::hasKey(path(), QStringLiteral("font"), QStringLiteral("COLOR")));
        QVERIFY(!ProfileFile::hasKey(path(), QStringLiteral("Font"), QStringLiteral("BColor")));
        QVERIFY(!ProfileFile::hasKey(path(), QStringLiteral("Option"), QStringLiteral("Color")));
        QFile::remove(path());
        QVERIFY(!ProfileFile::hasKey(path(), QStringLiteral("Font"), QStringLiteral("Color")));
    }

    void writingCreatesTheFileWithCrLf() {
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                         QStringLiteral(" 1200     ")));
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Form"), QStringLiteral("Left"),
                                         QStringLiteral(" 0")));
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Option"),
                                         QStringLiteral("Fselect"), QStringLiteral("True")));
        QCOMPARE(content(), QByteArray("[Form]\r\nTop= 1200     \r\nLeft= 0\r\n"
                                       "[Option]\r\nFselect=True\r\n"));
        // The written value reads back with its blanks trimmed.
        QCOMPARE(ProfileFile::getString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                        QString(), 10),
                 QStringLiteral("1200"));
    }

    void writingKeepsEveryOtherLineByteForByte() {
        const QByteArray before = "; settings\n"
                                  "stray before sections\r\n"
                                  "[form]  \r\n"
                                  "  TOP =  5 \r\n"
                                  "\r\n"
                                  "left=\t7\n"
                                  "; trailing comment\r\n"
                                  "\r\n"
                                  "[Font]\r\n"
                                  "Name=" +
                                  Cp932Hyouji + "\xFF\r\n" + "odd line";
        put(before);
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                         QStringLiteral(" 1200     ")));
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("FORM"), QStringLiteral("Height"),
                                         QStringLiteral(" 7200")));
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Extention"),
                                         QStringLiteral("Ext1"), QStringLiteral("*.csv")));
        const QByteArray after = "; settings\n"
                                 "stray before sections\r\n"
                                 "[form]  \r\n"
                                 "TOP= 1200     \r\n"
                                 "\r\n"
                                 "left=\t7\n"
                                 "Height= 7200\r\n"
                                 "; trailing comment\r\n"
                                 "\r\n"
                                 "[Font]\r\n"
                                 "Name=" +
                                 Cp932Hyouji + "\xFF\r\n" +
                                 "odd line\r\n"
                                 "[Extention]\r\n"
                                 "Ext1=*.csv\r\n";
        QCOMPARE(content(), after);
    }

    void newKeyInAnEmptySectionFollowsItsHeader() {
        put("[Font]\r\n[Form]\r\nTop=1\r\n");
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Font"), QStringLiteral("Size"),
                                         QStringLiteral(" 9")));
        QCOMPARE(content(), QByteArray("[Font]\r\nSize= 9\r\n[Form]\r\nTop=1\r\n"));
    }

    void valuesCannotBreakTheFile() {
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("OpProgram"),
                                         QStringLiteral("Program"),
                                         QStringLiteral("vi\r\n[Form]\nTop=9")));
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("OpProgram"),
                                         QStringLiteral("Name"),
                                         QStringView(u"ed\0junk", 7).toString()));
        QCOMPARE(content(), QByteArray("[OpProgram]\r\nProgram=vi  [Form] Top=9\r\nName=ed\r\n"));
        QVERIFY(!ProfileFile::hasKey(path(), QStringLiteral("Form"), QStringLiteral("Top")));
    }

    void encodingsOnWriting() {
        // A code page 932 file stays code page 932 while everything fits.
        put("[Font]\r\nName=" + Cp932MsGothic + "\r\n");
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("OpProgram"),
                                         QStringLiteral("Name"), QStringLiteral("表示")));
        QCOMPARE(content(), QByteArray("[Font]\r\nName=" + Cp932MsGothic +
                                       "\r\n[OpProgram]\r\nName=" + Cp932Hyouji + "\r\n"));

        // One character code page 932 cannot hold turns the whole file into UTF-8, nothing lost.
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("OpProgram"),
                                         QStringLiteral("Name1"), QStringLiteral("편집기")));
        QCOMPARE(content(), QStringLiteral("[Font]\r\nName=ＭＳ ゴシック\r\n[OpProgram]\r\n"
                                           "Name=表示\r\nName1=편집기\r\n")
                                .toUtf8());
        QCOMPARE(ProfileFile::getString(path(), QStringLiteral("Font"), QStringLiteral("Name"),
                                        QString(), 50),
                 QStringLiteral("ＭＳ ゴシック"));

        // A UTF-8 file stays UTF-8, also for values code page 932 could hold.
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Font"), QStringLiteral("Name"),
                                         QStringLiteral("明朝")));
        QCOMPARE(ProfileFile::load(path()).encoding(), TextEncoding::Utf8);
        QVERIFY(content().contains(QStringLiteral("Name=明朝\r\n").toUtf8()));

        // UTF-16 keeps its byte order and its mark.
        put(QByteArray("\xFE\xFF") + QByteArray("\0[\0S\0]\0\r\0\n", 10));
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("S"), QStringLiteral("k"),
                                         QStringLiteral("表")));
        QCOMPARE(content(), QByteArray("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\x88\x68\0\r\0\n", 22));
        QCOMPARE(
            ProfileFile::getString(path(), QStringLiteral("s"), QStringLiteral("K"), QString(), 50),
            QStringLiteral("表"));
    }

    // Whatever the file held, a written value reads back as written and every key written
    // before reads as before.
    void writtenValuesReadBack_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString ext = QStringLiteral("Extention");
        // Half-width katakana whose code page 932 bytes happen to be valid UTF-8.
        QTest::newRow("katakana pair that looks like UTF-8, new file")
            << QByteArray() << ext << QStringLiteral("Ext2") << QStringLiteral("ﾃｽ*.log");
        QTest::newRow("katakana pair that looks like UTF-8, ascii file")
            << QByteArray("[Form]\r\nTop= 0\r\n") << QStringLiteral("OpProgram")
            << QStringLiteral("Program") << QStringLiteral("/home/u/ﾏｲ");
        // A UTF-8 file cut inside its last character: nothing is appended after the cut.
        QTest::newRow("utf8 file cut inside a character")
            << QByteArray("[OpProgram]\r\nName=秀丸\r\nProgram=C:/\xE7\xA7") << ext
            << QStringLiteral("Ext1") << QStringLiteral("*.txt");
        QTest::newRow("utf8 file cut inside a character, same section")
            << QByteArray("[OpProgram]\r\nName=秀丸\r\nName1=\xE7\xA7")
            << QStringLiteral("OpProgram") << QStringLiteral("Program")
            << QStringLiteral("エディタ");
        // A UTF-16 file with an odd number of bytes: the new line starts on a unit boundary.
        QTest::newRow("utf16 file with a stray byte")
            << (QByteArray("\xFF\xFE") +
                TextCodec::encodeText(u"[OpProgram]\r\nName=秀丸", TextEncoding::Utf16LE) + "x")
            << ext << QStringLiteral("Ext1") << QStringLiteral("*.ｌｏｇ");
        QTest::newRow("utf16 big-endian file with a stray byte after a line end")
            << (QByteArray("\xFE\xFF") +
                TextCodec::encodeText(u"[OpProgram]\r\nName=秀丸\r\n", TextEncoding::Utf16BE) + "x")
            << QStringLiteral("OpProgram") << QStringLiteral("Program")
            << QStringLiteral("秀丸.exe");
    }
    void writtenValuesReadBack() {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        if (!file.isNull())
            put(file);
        // A stray byte is no character: it may leave the line it ended.
        const auto name = [this] {
            return ProfileFile::getString(path(), QStringLiteral("OpProgram"),
                                          QStringLiteral("Name"), QString(), 50)
                .remove(QChar(0xFFFD));
        };
        const QString before = name();
        QVERIFY(ProfileFile::writeString(path(), section, key, value));
        QCOMPARE(ProfileFile::getString(path(), section, key, QString(), 250), value);
        QCOMPARE(name(), before);
    }

    // A value in quotes (a program path with blanks) comes back with its quotes after a
    // restart; blanks around a value are never part of it, quoted or not.
    void quotedValuesReadBackWhole_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        const QString path = QStringLiteral("\"/opt/my editor/ed\"");
        QTest::newRow("double quotes") << path << QByteArray("P=\"\"/opt/my editor/ed\"\"") << path;
        QTest::newRow("single quotes")
            << QStringLiteral("'x'") << QByteArray("P=\"'x'\"") << QStringLiteral("'x'");
        QTest::newRow("quoted words")
            << QStringLiteral("\"a\" b \"c\"") << QByteArray("P=\"\"a\" b \"c\"\"")
            << QStringLiteral("\"a\" b \"c\"");
        QTest::newRow("empty quotes")
            << QStringLiteral("\"\"") << QByteArray("P=\"\"\"\"") << QStringLiteral("\"\"");
        QTest::newRow("a lone quote")
            << QStringLiteral("\"") << QByteArray("P=\"") << QStringLiteral("\"");
        QTest::newRow("unmatched quotes")
            << QStringLiteral("'x\"") << QByteArray("P='x\"") << QStringLiteral("'x\"");
        QTest::newRow("quote inside only")
            << QStringLiteral("a\"b\"") << QByteArray("P=a\"b\"") << QStringLiteral("a\"b\"");
        QTest::newRow("blanks around, padding outside the quotes")
            << QStringLiteral(" \t'x'  ") << QByteArray("P= \t\"'x'\"  ") << QStringLiteral("'x'");
        QTest::newRow("padded to its width")
            << paddedTo(path, 250)
            << QByteArray("P=\"" + path.toUtf8() + "\"") + QByteArray(231, ' ') << path;
    }
    void quotedValuesReadBackWhole() {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        const QString section = QStringLiteral("OpProgram");
        QVERIFY(ProfileFile::writeString(path(), section, QStringLiteral("P"), value));
        QCOMPARE(content(), "[OpProgram]\r\n" + line + "\r\n");
        QCOMPARE(ProfileFile::getString(path(), section, QStringLiteral("P"), QString(), 250),
                 expected);
        // Read as at the next start, from a new load, and in a loaded file before it is saved.
        ProfileFile file = ProfileFile::load(path());
        QCOMPARE(file.value(section, QStringLiteral("p"), QString(), 250), expected);
        file.setValue(section, QStringLiteral("Q"), value);
        QCOMPARE(file.value(section, QStringLiteral("Q"), QString(), 250), expected);
        // A key set twice is checked against its last value only.
        file.setValue(QStringLiteral("opprogram"), QStringLiteral("q"), QStringLiteral("plain"));
        QVERIFY(file.save());
        QCOMPARE(ProfileFile::getString(path(), section, QStringLiteral("Q"), QString(), 250),
                 QStringLiteral("plain"));
    }

    // A code page 932 file that must become UTF-8: lines the program never wrote keep their
    // text, and a line that is no text of its encoding keeps its very bytes (behind a mark that
    // keeps the file UTF-8).
    void switchToUtf8KeepsUntouchedLines() {
        const QByteArray comment = "; \xFF\xFE not text\r\n";
        put("[OpProgram]\r\n" + comment + "Name=" + Cp932Hyouji + "\r\n");
        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("OpProgram"),
                                         QStringLiteral("Program"), QStringLiteral("C:/é.exe")));
        const QByteArray after = content();
        QVERIFY2(after.contains(comment), after.constData());
        QCOMPARE(ProfileFile::load(path()).encoding(), TextEncoding::Utf8);
        QCOMPARE(ProfileFile::getString(path(), QStringLiteral("OpProgram"), QStringLiteral("Name"),
                                        QString(), 50),
                 QStringLiteral("表示"));
        QCOMPARE(ProfileFile::getString(path(), QStringLiteral("OpProgram"),
                                        QStringLiteral("Program"), QString(), 250),
                 QStringLiteral("C:/é.exe"));
    }

    void loadedFileReadsAndWritesLikeSingleCalls() {
        put("[Font]\r\nSize=9\r\n");
        ProfileFile file = ProfileFile::load(path());
        QCOMPARE(file.value(QStringLiteral("Font"), QStringLiteral("Size"), QString(), 10),
                 QStringLiteral("9"));
        file.setValue(QStringLiteral("Font"), QStringLiteral("Size"), QStringLiteral(" 10.5"));
        file.setValue(QStringLiteral("Font"), QStringLiteral("Bold"), QStringLiteral("False"));
        QCOMPARE(content(), QByteArray("[Font]\r\nSize=9\r\n")); // not yet saved
        QVERIFY(file.save());
        QCOMPARE(content(), QByteArray("[Font]\r\nSize= 10.5\r\nBold=False\r\n"));
    }

    void replacementIsAtomicAndKeepsTheFileItself() {
        put("[Form]\r\nTop=1\r\n");
        QVERIFY(::chmod(QFile::encodeName(path()).constData(), 0640) == 0);
        const QString target = dir_.filePath(QStringLiteral("real.ini"));
        QVERIFY(QFile::rename(path(), target));
        QVERIFY(QFile::link(target, path()));

        QVERIFY(ProfileFile::writeString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                         QStringLiteral("2")));
        QVERIFY(QFileInfo(path()).isSymLink());
        QFile real(target);
        QVERIFY(real.open(QIODevice::ReadOnly));
        QCOMPARE(real.readAll(), QByteArray("[Form]\r\nTop=2\r\n"));
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(target).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, 0640u);
        // No temporary file is left behind.
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
        QFile::remove(target);
    }

    void failedWritesLeaveTheOldFile() {
        // The folder does not exist: nothing is created, the call says so.
        const QString missing = dir_.filePath(QStringLiteral("gone/plok.ini"));
        QVERIFY(!ProfileFile::writeString(missing, QStringLiteral("Form"), QStringLiteral("Top"),
                                          QStringLiteral("1")));
        QVERIFY(!QFileInfo::exists(missing));

        // A file too large to load whole is never rewritten.
        put("[Form]\r\nTop=1\r\n");
        {
            QFile file(path());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.resize(ProfileFile::MaximumFileSize + 1));
        }
        QCOMPARE(ProfileFile::getString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                        QString(), 10),
                 QStringLiteral("1"));
        QVERIFY(!ProfileFile::writeString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                          QStringLiteral("2")));
        QCOMPARE(QFileInfo(path()).size(), ProfileFile::MaximumFileSize + 1);
        QVERIFY(content().startsWith("[Form]\r\nTop=1\r\n"));
    }

    // Two processes, then two threads, each writing its own keys one call at a time: every
    // key of both is there in the end.
    void concurrentWritersKeepEachOthersKeys() {
        constexpr int Count = 60;
        const pid_t first = startChild(
            {QStringLiteral("write-keys"), path(), QStringLiteral("A"), QString::number(Count)});
        const pid_t second = startChild(
            {QStringLiteral("write-keys"), path(), QStringLiteral("B"), QString::number(Count)});
        QVERIFY(first > 0 && second > 0);
        const int firstStatus = waitForChild(first);
        const int secondStatus = waitForChild(second);
        QVERIFY(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0);
        QVERIFY(WIFEXITED(secondStatus) && WEXITSTATUS(secondStatus) == 0);

        bool threadsOk[2] = {false, false};
        std::thread third([&] { threadsOk[0] = writeKeys(path(), QStringLiteral("C"), Count); });
        std::thread fourth([&] { threadsOk[1] = writeKeys(path(), QStringLiteral("D"), Count); });
        third.join();
        fourth.join();
        QVERIFY(threadsOk[0] && threadsOk[1]);

        const ProfileFile file = ProfileFile::load(path());
        QStringList missing;
        for (const char16_t* prefix : {u"A", u"B", u"C", u"D"})
            for (int i = 1; i <= Count; ++i)
                if (!file.contains(KeysSection, QString::fromUtf16(prefix) + QString::number(i)))
                    missing.append(QString::fromUtf16(prefix) + QString::number(i));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
    }

    // Another program holding a lock: one on the file itself, which any reader could take,
    // holds nothing up; a writer holding the update lock is waited for a bounded time, then the
    // write is refused and the file left to it. Either way the write returns while the other
    // program still holds its lock.
    void lockHeldByAnotherProgram_data() {
        QTest::addColumn<QString>("lock");
        QTest::addColumn<bool>("written");
        QTest::newRow("a reader locks the file") << QStringLiteral("file") << true;
        QTest::newRow("a writer holds the update lock") << QStringLiteral("update") << false;
    }
    void lockHeldByAnotherProgram() {
        QFETCH(QString, lock);
        QFETCH(bool, written);
        put("[Form]\r\nTop=1\r\n");
        const QString held = path() + QStringLiteral(".held");
        const pid_t holder = startChild({QStringLiteral("hold-lock"), path(), lock});
        QVERIFY(holder > 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(held), 20000);
        const bool result = ProfileFile::writeString(path(), QStringLiteral("Form"),
                                                     QStringLiteral("Top"), QStringLiteral("2"));
        const bool stillHeld = QFile::exists(held);
        ::kill(holder, SIGKILL);
        waitForChild(holder);
        QFile::remove(held);
        QVERIFY2(stillHeld, "the write waited for the other program's lock");
        QCOMPARE(result, written);
        QCOMPARE(content().contains("Top=2"), written);
    }

    // A writer killed in the middle of its write leaves the old file and nothing else.
    void killedWriterLeavesNoTemporaryFile() {
        put("[Form]\r\nTop=1\r\n");
        const pid_t child = startChild({QStringLiteral("killed-write"), path()});
        QVERIFY(child > 0);
        const int status = waitForChild(child);
        QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ, "the writer was not killed");
        QCOMPARE(content(), QByteArray("[Form]\r\nTop=1\r\n"));
        QCOMPARE(
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("plok.ini")});
    }

    // A group-writable file rewritten by another member of its group stays in that group, with
    // its mode, so the next member can still write it.
    void otherGroupMemberKeepsTheGroup() {
        if (::geteuid() != 0)
            QSKIP("needs root to act as two users of one group");
        constexpr uid_t Owner = 61001, Member = 61002;
        constexpr gid_t Shared = 61003;
        QVERIFY(::chmod(QFile::encodeName(dir_.path()).constData(), 0777) == 0);
        put("[Form]\r\nTop=1\r\n");
        const QByteArray name = QFile::encodeName(path());
        QVERIFY(::chown(name.constData(), Owner, Shared) == 0);
        QVERIFY(::chmod(name.constData(), 0664) == 0);

        const pid_t child = startChild({QStringLiteral("write-as-member"), path(),
                                        QString::number(Member), QString::number(Shared)});
        QVERIFY(child > 0);
        const int status = waitForChild(child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        struct stat info {};
        QVERIFY(::stat(name.constData(), &info) == 0);
        QCOMPARE(info.st_gid, Shared);
        QCOMPARE(info.st_mode & 07777, 0664u);
        QVERIFY(content().contains("Member=1"));
    }

    void fifoNeverBlocksAndIsNeverReplaced() {
        QVERIFY(::mkfifo(QFile::encodeName(path()).constData(), 0600) == 0);
        QCOMPARE(ProfileFile::getString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                        QStringLiteral("0"), 10),
                 QStringLiteral("0"));
        QVERIFY(!ProfileFile::writeString(path(), QStringLiteral("Form"), QStringLiteral("Top"),
                                          QStringLiteral("1")));
        struct stat info {};
        QVERIFY(::lstat(QFile::encodeName(path()).constData(), &info) == 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        QFile::remove(path());
    }
};

int main(int argc, char** argv) {
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return childMain(argc, argv);
    QCoreApplication app(argc, argv);
    TestProfileFile test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_profilefile.moc"
