// The options dialog's logic without a window: title cut, program text of a browsed path,
// pattern box entries, help topics, the state OK leaves, the colour numbers read back from the
// viewer, values too long for plok.ini, and the messages when saving fails or is refused.
#include "app/ModPlok.h"
#include "app/SaveFailureMessage.h"
#include "options/OptionTexts.h"
#include "options/OptionValues.h"
#include "options/ViewerLook.h"
#include "platform/ErrorNumbers.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvane;

namespace {

QString blanks(int count) {
    return QString(count, QChar(u' '));
}

} // namespace

class TestOptionLogic : public QObject {
    Q_OBJECT

private slots:
    void titleCut_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("kept");
        const QString yoshi = QStringLiteral("𠮷"); // one character, two UTF-16 units
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("15 characters")
            << QStringLiteral("ABCDEFGHIJKLMNO") << QStringLiteral("ABCDEFGHIJKL");
        QTest::newRow("12 full-width") << QStringLiteral("全角十二文字のタイトル名")
                                       << QStringLiteral("全角十二文字のタイトル名");
        QTest::newRow("13 full-width") << QStringLiteral("あいうえおかきくけこさしす")
                                       << QStringLiteral("あいうえおかきくけこさし");
        QTest::newRow("pair at the twelfth place stays whole")
            << QStringLiteral("ABCDEFGHIJK") + yoshi + QStringLiteral("Z")
            << QStringLiteral("ABCDEFGHIJK") + yoshi;
        QTest::newRow("twelve pairs") << yoshi.repeated(13) << yoshi.repeated(12);
        QTest::newRow("lone high surrogate counts as one")
            << QString(13, QChar(0xD842)) << QString(12, QChar(0xD842));
    }
    void titleCut() {
        QFETCH(QString, title);
        QFETCH(QString, kept);
        QCOMPARE(cutTitle(title), kept);
    }

    // Whatever the path, splitting the program text gives back exactly the path, and a path
    // that needs no quotes is left as it is.
    void programTextSplitsBackToThePath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("plain");
        QTest::newRow("plain") << QStringLiteral("/usr/bin/mousepad") << true;
        QTest::newRow("backslash") << QStringLiteral("/opt/a\\b/ed") << true;
        QTest::newRow("blank") << QStringLiteral("/opt/My Editor/run") << false;
        QTest::newRow("ideographic space") << QStringLiteral("/opt/エディタ　新/ed") << false;
        QTest::newRow("tab") << QStringLiteral("/opt/a\tb") << false;
        QTest::newRow("quote inside") << QStringLiteral("/opt/say\"hi\"/ed") << false;
        QTest::newRow("quote then blank") << QStringLiteral("/opt/\" a") << false;
        QTest::newRow("quote at the end") << QStringLiteral("/opt/ed\"") << false;
        QTest::newRow("two quotes and blanks") << QStringLiteral("/o p/\"\" x\\\"y z") << false;
        QTest::newRow("only quotes") << QStringLiteral("\"\"\"") << false;
        QTest::newRow("trailing blank") << QStringLiteral("/opt/ed ") << false;
    }
    void programTextSplitsBackToThePath() {
        QFETCH(QString, path);
        QFETCH(bool, plain);
        const QString text = programTextForPath(path);
        QCOMPARE(QProcess::splitCommand(text), QStringList{path});
        QCOMPARE(text == path, plain);
    }

    void patternEntriesAndHelpTopics() {
        QCOMPARE(patternBoxEntries({}),
                 (QStringList{QStringLiteral("*.TXT"), QStringLiteral("*.*")}));
        QCOMPARE(patternBoxEntries({QString(), QStringLiteral("*.csv"), QString(),
                                    QStringLiteral("*.log"), QString()}),
                 (QStringList{QStringLiteral("*.TXT"), QStringLiteral("*.*"),
                              QStringLiteral("*.csv"), QStringLiteral("*.log")}));
        QCOMPARE(helpContextForTab(0), 6);
        QCOMPARE(helpContextForTab(1), 13);
        QCOMPARE(helpContextForTab(2), 16);
        QCOMPARE(helpContextForTab(3), 17);
    }

    // What OK leaves in the program-wide state: whole texts in the state, fixed widths in the
    // buffers and fields, Form fields and the usual folders past 10 untouched.
    void storedValues() {
        ModPlok state;
        state.SettingsRecord.Top = QStringLiteral(" 1200");
        state.UsualDirs(11) = QStringLiteral("/keep/11");
        state.UsualDirs(20) = QStringLiteral("/keep/20");

        OptionDialogValues values;
        values.editorTitle = QStringLiteral("ABCDEFGHIJKLMNO");
        values.editorProgram = QStringLiteral("/p/") + QString(300, QChar(u'x'));
        values.toolTitles = {QStringLiteral("ツール一"), QString(),
                             QStringLiteral("0123456789abc")};
        values.toolPrograms = {QStringLiteral("t1"), QString(), QStringLiteral("t3")};
        values.patterns = {QString(), QStringLiteral("*.csv"), QString(), QStringLiteral("*.log"),
                           QString()};
        values.usualDirs[0] = QStringLiteral("/u/1");
        values.usualDirs[9] = QStringLiteral("/u/10");
        values.font.OptFontName = QStringLiteral("ＭＳ 明朝");
        values.font.OptFontSize = 10.5f;
        values.font.OptFontUnderline = True16;
        values.font.OptForeColor = 0x00FFFFFF;
        values.font.OptBackColor = SystemWindow;
        values.OptShowFiler = False16;

        storeOptionValues(values, state);

        QCOMPARE(values.editorTitle, QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(values.toolTitles[2], QStringLiteral("0123456789ab"));
        QCOMPARE(state.EditorName, QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(state.NameBuffer.whole(), QStringLiteral("ABCDEFGHIJKL") + blanks(38));
        QCOMPARE(state.EditorPath.size(), 303); // whole for the running program
        QCOMPARE(state.ProgramBuffer.whole(), state.EditorPath.left(250));
        QCOMPARE(state.ToolName(1), QStringLiteral("ツール一"));
        QCOMPARE(state.ToolName(3), QStringLiteral("0123456789ab"));
        QCOMPARE(state.ToolPath(3), QStringLiteral("t3"));

        const SettingsRecordFields& record = state.SettingsRecord;
        QCOMPARE(record.Name.whole(), QStringLiteral("ＭＳ 明朝") + blanks(45));
        QCOMPARE(record.Size.whole(), QStringLiteral(" 10.5") + blanks(5));
        QCOMPARE(record.Uline.whole(), QStringLiteral("True") + blanks(6));
        QCOMPARE(record.Strike.whole(), QStringLiteral("False") + blanks(5));
        QCOMPARE(record.Color.whole(), QStringLiteral(" 16777215") + blanks(41));
        QCOMPARE(record.BColor.whole(), QStringLiteral("-2147483643") + blanks(39));
        QCOMPARE(record.Fselect.whole(), QStringLiteral("False") + blanks(5));
        QCOMPARE(record.Top.whole(), QStringLiteral(" 1200") + blanks(5));
        QCOMPARE(record.Ext1.whole(), blanks(50));
        QCOMPARE(record.Ext2.whole(), QStringLiteral("*.csv") + blanks(45));
        QCOMPARE(state.ShowFiler, False16);
        QCOMPARE(state.ExtPattern(4), QStringLiteral("*.log"));
        QCOMPARE(state.UsualDirs(1), QStringLiteral("/u/1"));
        QCOMPARE(state.UsualDirs(10), QStringLiteral("/u/10"));
        QCOMPARE(state.UsualDirs(11), QStringLiteral("/keep/11"));
        QCOMPARE(state.UsualDirs(20), QStringLiteral("/keep/20"));
    }

    void shownColourNumber_data() {
        QTest::addColumn<QColor>("shown");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<qint32>("number");
        QPalette system;
        system.setColor(QPalette::Active, QPalette::Text, QColor(0x10, 0x20, 0x30));
        const QColor systemText(0x10, 0x20, 0x30);
        QTest::newRow("stored RGB that is shown")
            << QColor(0xFF, 0, 0) << QStringLiteral(" 255") << 255;
        QTest::newRow("stored system colour")
            << systemText << QStringLiteral("-2147483640") << SystemWindowText;
        QTest::newRow("missing key: designed system colour")
            << systemText << QStringLiteral("1") << SystemWindowText;
        QTest::newRow("stored value not what is shown")
            << QColor(0x01, 0x02, 0x03) << QStringLiteral(" 255") << 0x00030201;
        QTest::newRow("stored text no colour")
            << QColor(0, 0, 0) << QStringLiteral("&H7FFFFFFF") << 0;
    }
    void shownColourNumber() {
        QFETCH(QColor, shown);
        QFETCH(QString, stored);
        QFETCH(qint32, number);
        QPalette system;
        system.setColor(QPalette::Active, QPalette::Text, QColor(0x10, 0x20, 0x30));
        QCOMPARE(zorvane::shownColourNumber(shown, stored, SystemWindowText, system), number);
    }

    // A value longer than plok.ini gives back is found in the dialog's order, with its key's
    // limit in bytes as the reader counts them at the next start.
    void overlongValues_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("overlongRow"); // -1: it comes back whole
        QTest::addColumn<int>("limit");
        const QString kanji = QStringLiteral("漢");
        const QString yoshi = QStringLiteral("𠮷"); // outside code page 932: two bytes
        QTest::newRow("editor, 249 ascii")
            << QStringLiteral("editor") << 0 << QString(249, u'a') << -1 << 0;
        QTest::newRow("editor, 250 ascii")
            << QStringLiteral("editor") << 0 << QString(250, u'a') << 0 << 249;
        QTest::newRow("editor, 124 kanji and one ascii")
            << QStringLiteral("editor") << 0 << kanji.repeated(124) + QStringLiteral("a") << -1
            << 0;
        QTest::newRow("editor, kanji over the last byte is not cut in two")
            << QStringLiteral("editor") << 0 << QString(248, u'a') + kanji << 0 << 249;
        QTest::newRow("editor, 249 half-width katakana")
            << QStringLiteral("editor") << 0 << QStringLiteral("ｱ").repeated(249) << -1 << 0;
        QTest::newRow("editor, a character outside code page 932 counts two")
            << QStringLiteral("editor") << 0 << QString(248, u'a') + yoshi << 0 << 249;
        QTest::newRow("editor, hangul counts two")
            << QStringLiteral("editor") << 0 << QString(248, u'a') + QStringLiteral("한") << 0
            << 249;
        QTest::newRow("editor, blanks around are not counted")
            << QStringLiteral("editor") << 0
            << QStringLiteral(" ") + QString(249, u'a') + QStringLiteral("\t  ") << -1 << 0;
        QTest::newRow("editor, leading blanks that push it beyond its buffer")
            << QStringLiteral("editor") << 0 << QStringLiteral("  ") + QString(249, u'a') << 0
            << 249;
        QTest::newRow("editor, quotes of a path with blanks are counted")
            << QStringLiteral("editor") << 0
            << QStringLiteral("\"/opt/my editor/") + QString(233, u'a') + QChar(u'"') << 0 << 249;
        QTest::newRow("editor, quoted path of 249 bytes")
            << QStringLiteral("editor") << 0
            << QStringLiteral("\"/opt/my editor/") + QString(232, u'a') + QChar(u'"') << -1 << 0;
        QTest::newRow("tool 3") << QStringLiteral("tool") << 2 << QString(300, u't') << 2 << 249;
        QTest::newRow("font name of 49 bytes")
            << QStringLiteral("font") << 0 << kanji.repeated(24) + QChar(u'a') << -1 << 0;
        QTest::newRow("font name of 50 bytes")
            << QStringLiteral("font") << 0 << kanji.repeated(25) << 0 << 49;
        QTest::newRow("pattern 5 of 49 bytes")
            << QStringLiteral("pattern") << 4 << QString(49, u'p') << -1 << 0;
        QTest::newRow("pattern 4 of 50 bytes")
            << QStringLiteral("pattern") << 3 << QString(50, u'p') << 3 << 49;
        QTest::newRow("pattern behind leading blanks beyond its field")
            << QStringLiteral("pattern") << 0 << QString(48, u' ') + QStringLiteral("*.c") << 0
            << 49;
    }
    void overlongValues() {
        QFETCH(QString, box);
        QFETCH(int, row);
        QFETCH(QString, value);
        QFETCH(int, overlongRow);
        QFETCH(int, limit);
        OptionDialogValues values;
        values.font.OptFontName = QStringLiteral("ＭＳ ゴシック");
        // Titles are cut to 12 characters before they are stored: never too long.
        values.editorTitle = QString(300, u'x');
        values.usualDirs[0] = QString(1000, u'd'); // plok.his has no width
        OptionBox expectedBox = OptionBox::EditorProgram;
        if (box == u"editor") {
            values.editorProgram = value;
        } else if (box == u"tool") {
            values.toolPrograms[static_cast<std::size_t>(row)] = value;
            expectedBox = OptionBox::ToolProgram;
        } else if (box == u"font") {
            values.font.OptFontName = value;
            expectedBox = OptionBox::FontName;
        } else {
            values.patterns[static_cast<std::size_t>(row)] = value;
            expectedBox = OptionBox::Pattern;
        }
        const auto overlong = firstOverlongValue(values);
        if (overlongRow < 0) {
            QVERIFY(!overlong);
            return;
        }
        QVERIFY(overlong);
        QCOMPARE(*overlong, (OverlongOption{expectedBox, overlongRow, limit}));
        // Another overlong value later in the dialog does not hide it.
        values.patterns[4] = QString(60, u'z');
        QCOMPARE(*firstOverlongValue(values), (OverlongOption{expectedBox, overlongRow, limit}));
    }

    void overlongValueMessageNamesThePlaceAndTheLimit() {
        const MessageRequest message =
            overlongValueMessage(OverlongOption{OptionBox::ToolProgram, 1, 249});
        QVERIFY2(message.text.startsWith(QStringLiteral(
                     "「ex2 のプログラム」の値が長すぎます。249バイト以内にしてください。")),
                 qPrintable(message.text));
        QCOMPARE(message.title, QStringLiteral("保存エラー"));
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QVERIFY(
            overlongValueMessage(OverlongOption{OptionBox::Pattern, 0, 49})
                .text.startsWith(QStringLiteral("「ファイルの種類 1」の値が長すぎます。49バイト")));
    }

    void saveFailureNamesFileAndReason() {
        QTemporaryDir dir;
        const QString folderInTheWay = dir.path() + QStringLiteral("/plok.ini");
        QVERIFY(QDir().mkdir(folderInTheWay));
        QCOMPARE(writeFailureNumber(folderInTheWay), int(ErrBadFileMode));
        QCOMPARE(writeFailureNumber(dir.path() + QStringLiteral("/gone/plok.ini")),
                 int(ErrPathNotFound));
        QCOMPARE(writeFailureNumber(dir.path() + QStringLiteral("/new.ini")), int(ErrNone));

        const MessageRequest message =
            saveFailureMessage(UnsavedData::Settings, folderInTheWay, ErrBadFileMode);
        QVERIFY(message.text.contains(folderInTheWay));
        QVERIFY(message.text.contains(QStringLiteral("設定")));
        QVERIFY(message.text.contains(QStringLiteral("通常のファイルではない")));
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        QVERIFY(saveFailureMessage(UnsavedData::History, QStringLiteral("/x/plok.his"),
                                   ErrPermissionDenied)
                    .text.contains(QStringLiteral("書き込みが許可されていません")));
    }
};

QTEST_GUILESS_MAIN(TestOptionLogic)
#include "tst_optionlogic.moc"
