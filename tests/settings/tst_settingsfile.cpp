#include "app/ModPlok.h"
#include "settings/SettingsConversions.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeyTable.h"
#include "textfile/ProfileFile.h"
#include "textfile/TextCodec.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zorvane;

namespace {

QString nuls(int count) {
    return QString(count, QChar(u'\0'));
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<ModPlok> state_;

    ModPlok& state() { return *state_; }

    void put(const QByteArray& bytes) { QVERIFY(testing::writeBytes(state().SettingsPath, bytes)); }

    QByteArray content() const { return testing::readBytes(state_->SettingsPath); }

    void freshState() {
        state_ = std::make_unique<ModPlok>();
        state().ProgramFolder = dir_.path() + QLatin1Char('/');
        state().SettingsPath = state().ProgramFolder + QStringLiteral("plok.ini");
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        freshState();
        QFile::remove(state().SettingsPath);
    }

    void keyTableInReadingOrder() {
        const auto& table = settingsKeyTable();
        QStringList names;
        for (const SettingsKey& entry : table)
            names << entry.section + QLatin1Char('.') + entry.key;
        QCOMPARE(names.join(QLatin1Char(' ')),
                 QStringLiteral("OpProgram.Name OpProgram.Program OpProgram.Name1 "
                                "OpProgram.Program1 OpProgram.Name2 OpProgram.Program2 "
                                "OpProgram.Name3 OpProgram.Program3 Font.Name Font.Size "
                                "Font.Uline Font.Strike Font.Italic Font.Bold Font.Color "
                                "Font.BColor Form.Top Form.Left Form.Height Form.Width "
                                "Option.Fselect Extention.Ext1 Extention.Ext2 Extention.Ext3 "
                                "Extention.Ext4 Extention.Ext5"));
        int total = 0;
        for (int i = KeyFontName; i <= KeyExt5; ++i)
            total += table[static_cast<std::size_t>(i)].readWidth;
        QCOMPARE(total, 500); // the widths of the fields of SettingsRecord
    }

    void noFileGivesEveryDefault() {
        readSettingsKeys(state());
        const ModPlok& s = state();
        QCOMPARE(s.EditorName, QStringLiteral("Editor"));
        QCOMPARE(s.EditorPath, QStringLiteral("Editor"));
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(s.ToolName(i), QString());
            QCOMPARE(s.ToolPath(i), QString());
        }
        const SettingsRecordFields& r = s.SettingsRecord;
        QCOMPARE(r.Name.text(), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(r.Size.text(), QStringLiteral("9"));
        QCOMPARE(r.Uline.text(), QStringLiteral("false"));
        QCOMPARE(r.Strike.text(), QStringLiteral("false"));
        QCOMPARE(r.Italic.text(), QStringLiteral("false"));
        QCOMPARE(r.Bold.text(), QStringLiteral("false"));
        QCOMPARE(r.Color.text(), QStringLiteral("1"));
        QCOMPARE(r.BColor.text(), QStringLiteral("0"));
        QCOMPARE(r.Top.text(), QStringLiteral("0"));
        QCOMPARE(r.Left.text(), QStringLiteral("0"));
        QCOMPARE(r.Height.text(), QStringLiteral("7200"));
        QCOMPARE(r.Width.text(), QStringLiteral("9000"));
        QCOMPARE(r.Fselect.text(), QStringLiteral("true"));
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(s.ExtPattern(i), QString());
        // A field holds the value, a NUL and what it held before: NULs at the first read.
        QCOMPARE(r.Size.whole(), QStringLiteral("9") + nuls(9));
        QCOMPARE(r.Name.whole(), QStringLiteral("ＭＳ ゴシック") + nuls(43));
        QCOMPARE(r.Ext1.whole(), nuls(50));
        // The values as applied.
        QCOMPARE(static_cast<float>(numberValue(r.Size.text())), 9.0f);
        QCOMPARE(booleanValue(r.Fselect.text()), std::optional<bool>(true));
        QCOMPARE(booleanValue(r.Bold.text()), std::optional<bool>(false));
        QCOMPARE(colourValue(numberValue(r.Color.text())), std::optional<qint32>(1));
        // Reading writes nothing.
        QVERIFY(!QFile::exists(state().SettingsPath));
    }

    void fselectVariants_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("shown");
        QTest::newRow("True written by the program") << QByteArray("Fselect=True      ") << true;
        QTest::newRow("true") << QByteArray("Fselect=true") << true;
        QTest::newRow("TRUE") << QByteArray("fselect = TRUE") << true;
        QTest::newRow("1") << QByteArray("Fselect=1") << true;
        QTest::newRow("-1") << QByteArray("Fselect=-1") << true;
        QTest::newRow("False written by the program") << QByteArray("Fselect=False     ") << false;
        QTest::newRow("0") << QByteArray("Fselect=0") << false;
    }
    void fselectVariants() {
        QFETCH(QByteArray, line);
        QFETCH(bool, shown);
        put("[Option]\r\n" + line + "\r\n");
        readSettingsKeys(state());
        QCOMPARE(booleanValue(state().SettingsRecord.Fselect.text()), std::optional<bool>(shown));
    }

    void fileFromTheOriginalPlatform() {
        // Written in code page 932 by the original program: blanks padding every value.
        const QByteArray bytes = TextCodec::encodeText(
            QStringLiteral("[OpProgram]\r\n"
                           "Name=エディタ%1\r\n"
                           "Program=C:\\ツール\\表示.exe%2\r\n"
                           "Name1=ＧＲＥＰ%3\r\n"
                           "Program1=grep.exe%4\r\n"
                           "[Font]\r\n"
                           "Name=ＭＳ 明朝%5\r\n"
                           "Size= 10.5     \r\n"
                           "Bold=True      \r\n"
                           "Color= 16777215%6\r\n"
                           "BColor= 0%7\r\n"
                           "[Form]\r\n"
                           "Top= 1200     \r\n"
                           "Left=-300      \r\n"
                           "[Option]\r\n"
                           "Fselect=False     \r\n"
                           "[Extention]\r\n"
                           "Ext1=*.csv%8\r\n"
                           "Ext2=%9\r\n")
                .arg(QString(47, QChar(u' ')), QString(234, QChar(u' ')), QString(46, QChar(u' ')),
                     QString(242, QChar(u' ')), QString(45, QChar(u' ')), QString(41, QChar(u' ')),
                     QString(48, QChar(u' ')), QString(45, QChar(u' ')), QString(50, QChar(u' '))),
            TextEncoding::Cp932);
        put(bytes);
        readSettingsKeys(state());
        const ModPlok& s = state();
        QCOMPARE(s.EditorName, QStringLiteral("エディタ"));
        QCOMPARE(s.EditorPath, QStringLiteral("C:\\ツール\\表示.exe"));
        QCOMPARE(s.ToolName(1), QStringLiteral("ＧＲＥＰ"));
        QCOMPARE(s.ToolPath(1), QStringLiteral("grep.exe"));
        QCOMPARE(s.ToolName(2), QString());
        const SettingsRecordFields& r = s.SettingsRecord;
        QCOMPARE(r.Name.text(), QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(static_cast<float>(numberValue(r.Size.text())), 10.5f);
        QCOMPARE(booleanValue(r.Bold.text()), std::optional<bool>(true));
        QCOMPARE(colourValue(numberValue(r.Color.text())), std::optional<qint32>(0xFFFFFF));
        QCOMPARE(static_cast<float>(numberValue(r.Top.text())), 1200.0f);
        QCOMPARE(static_cast<float>(numberValue(r.Left.text())), -300.0f);
        QCOMPARE(r.Height.text(), QStringLiteral("7200")); // missing key: default
        QCOMPARE(booleanValue(r.Fselect.text()), std::optional<bool>(false));
        QCOMPARE(s.ExtPattern(1), QStringLiteral("*.csv"));
        QCOMPARE(s.ExtPattern(2), QString()); // present and blank, as if missing
        QCOMPARE(s.ExtPattern(3), QString());
    }

    void transferBuffersKeepTheirTail() {
        put("[OpProgram]\r\nName=LongEditorName\r\nName1=ab\r\n");
        readSettingsKeys(state());
        QCOMPARE(state().EditorName, QStringLiteral("LongEditorName"));
        QCOMPARE(state().ToolName(1), QStringLiteral("ab"));
        QCOMPARE(state().ToolName(2), QString());
        // After Name3 (missing: empty) the buffer holds a NUL, then the tail of earlier reads.
        QCOMPARE(state().NameBuffer.whole(), nuls(1) + QStringLiteral("b") + nuls(1) +
                                                 QStringLiteral("gEditorName") + nuls(36));
    }

    void longValuesAreCutToTheReadWidth() {
        put(TextCodec::encodeText(QStringLiteral("[OpProgram]\r\nName=%1\r\nProgram=%2\r\n"
                                                 "[Extention]\r\nExt1=%3\r\n")
                                      .arg(QString(30, QChar(u'あ')), QString(300, QChar(u'p')),
                                           QString(60, QChar(u'e'))),
                                  TextEncoding::Cp932));
        readSettingsKeys(state());
        QCOMPARE(state().EditorName, QString(24, QChar(u'あ'))); // 49 bytes hold 24 of them
        QCOMPARE(state().EditorPath, QString(249, QChar(u'p')));
        QCOMPARE(state().ExtPattern(1), QString(49, QChar(u'e')));
    }

    void formKeysOnShutdown() {
        ModPlok& s = state();
        s.SettingsRecord.Top = paddedText(numberTextSingle(1200.0f), 10);
        s.SettingsRecord.Left = paddedText(numberTextSingle(0.0f), 10);
        s.SettingsRecord.Height = paddedText(numberTextSingle(7140.0f), 10);
        s.SettingsRecord.Width = paddedText(numberTextSingle(9000.0f), 10);
        QVERIFY(writeFormKeys(s));
        QCOMPARE(content(), QByteArray("[Form]\r\nTop= 1200     \r\nLeft= 0        \r\n"
                                       "Height= 7140     \r\nWidth= 9000     \r\n"));

        // Written values read back to the same numbers; nothing else is touched.
        freshState();
        readSettingsKeys(state());
        QCOMPARE(static_cast<float>(numberValue(state().SettingsRecord.Top.text())), 1200.0f);
        QCOMPARE(static_cast<float>(numberValue(state().SettingsRecord.Height.text())), 7140.0f);
        QCOMPARE(state().EditorName, QStringLiteral("Editor"));
    }

    void optionKeysInTheirOrder() {
        ModPlok& s = state();
        s.NameBuffer = QStringLiteral("秀丸");
        s.ProgramBuffer = QStringLiteral("/usr/bin/hidemaru");
        s.ToolName(1) = QStringLiteral("grep");
        s.ToolPath(1) = QStringLiteral("/usr/bin/grep");
        s.ToolName(3) = QStringLiteral("diff");
        s.ToolPath(3) = QStringLiteral("/usr/bin/diff");
        SettingsRecordFields& r = s.SettingsRecord;
        r.Name = QStringLiteral("ＭＳ 明朝");
        r.Size = numberTextSingle(10.5f);
        r.Uline = booleanText(false);
        r.Strike = booleanText(false);
        r.Italic = booleanText(true);
        r.Bold = booleanText(false);
        r.Color = numberText(16777215.0); // white
        r.BColor = numberText(0.0);
        r.Fselect = booleanText(false);
        r.Ext1 = QStringLiteral("*.csv");
        r.Ext2 = QString();
        r.Ext3 = QString();
        r.Ext4 = QStringLiteral("*.log");
        r.Ext5 = QString();
        QVERIFY(writeOptionKeys(s));

        // The buffers end with the values of tool 3.
        QCOMPARE(s.NameBuffer.whole(), paddedText(QStringLiteral("diff"), 50));
        QCOMPARE(s.ProgramBuffer.whole(), paddedText(QStringLiteral("/usr/bin/diff"), 250));

        const auto pad = [](const char* text, int width) {
            return paddedText(QString::fromUtf8(text), width);
        };
        const QString expected =
            QStringLiteral("[OpProgram]\r\n") + QStringLiteral("Name=") + pad("秀丸", 50) +
            QStringLiteral("\r\nProgram=") + pad("/usr/bin/hidemaru", 250) +
            QStringLiteral("\r\nName1=") + pad("grep", 50) + QStringLiteral("\r\nProgram1=") +
            pad("/usr/bin/grep", 250) + QStringLiteral("\r\nName2=") + pad("", 50) +
            QStringLiteral("\r\nProgram2=") + pad("", 250) + QStringLiteral("\r\nName3=") +
            pad("diff", 50) + QStringLiteral("\r\nProgram3=") + pad("/usr/bin/diff", 250) +
            QStringLiteral("\r\n[Font]\r\nName=") + pad("ＭＳ 明朝", 50) +
            QStringLiteral("\r\nSize=") + pad(" 10.5", 10) + QStringLiteral("\r\nUline=") +
            pad("False", 10) + QStringLiteral("\r\nStrike=") + pad("False", 10) +
            QStringLiteral("\r\nItalic=") + pad("True", 10) + QStringLiteral("\r\nBold=") +
            pad("False", 10) + QStringLiteral("\r\nColor=") + pad(" 16777215", 50) +
            QStringLiteral("\r\nBColor=") + pad(" 0", 50) +
            QStringLiteral("\r\n[Option]\r\nFselect=") + pad("False", 10) +
            QStringLiteral("\r\n[Extention]\r\nExt1=") + pad("*.csv", 50) +
            QStringLiteral("\r\nExt2=") + pad("", 50) + QStringLiteral("\r\nExt3=") + pad("", 50) +
            QStringLiteral("\r\nExt4=") + pad("*.log", 50) + QStringLiteral("\r\nExt5=") +
            pad("", 50) + QStringLiteral("\r\n");
        QCOMPARE(content(), TextCodec::encodeText(expected, TextEncoding::Cp932));

        // The next start reads them back; white stays white, empty patterns stay empty.
        freshState();
        readSettingsKeys(state());
        QCOMPARE(state().EditorName, QStringLiteral("秀丸"));
        QCOMPARE(state().ToolPath(3), QStringLiteral("/usr/bin/diff"));
        QCOMPARE(state().ToolName(2), QString());
        QCOMPARE(colourValue(numberValue(state().SettingsRecord.Color.text())),
                 std::optional<qint32>(0xFFFFFF));
        QCOMPARE(booleanValue(state().SettingsRecord.Italic.text()), std::optional<bool>(true));
        QCOMPARE(booleanValue(state().SettingsRecord.Fselect.text()), std::optional<bool>(false));
        QCOMPARE(state().ExtPattern(1), QStringLiteral("*.csv"));
        QCOMPARE(state().ExtPattern(2), QString());
        QCOMPARE(state().ExtPattern(4), QStringLiteral("*.log"));
    }

    void optionKeysKeepEveryCharacter() {
        put("; kept\r\n[Form]\r\nTop= 15     \r\n");
        ModPlok& s = state();
        s.NameBuffer = QStringLiteral("편집기");
        s.ProgramBuffer = QStringLiteral("/opt/편집기/bin/edit");
        QVERIFY(writeOptionKeys(s));
        QVERIFY(content().startsWith("; kept\r\n[Form]\r\nTop= 15     \r\n[OpProgram]\r\n"));
        QCOMPARE(ProfileFile::load(s.SettingsPath).encoding(), TextEncoding::Utf8);
        freshState();
        readSettingsKeys(state());
        QCOMPARE(state().EditorName, QStringLiteral("편집기"));
        QCOMPARE(state().EditorPath, QStringLiteral("/opt/편집기/bin/edit"));
        QCOMPARE(state().SettingsRecord.Top.text(), QStringLiteral("15"));
    }

    void colourKeysPresence() {
        put("[Font]\r\nColor= 255\r\n");
        QVERIFY(ProfileFile::hasKey(state().SettingsPath, QStringLiteral("Font"),
                                    QStringLiteral("Color")));
        QVERIFY(!ProfileFile::hasKey(state().SettingsPath, QStringLiteral("Font"),
                                     QStringLiteral("BColor")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
