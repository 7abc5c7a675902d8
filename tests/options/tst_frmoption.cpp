// The options dialog over a real main window, on the offscreen platform, with the common
// dialogs, the directory picker and help answered by fakes: opening, browsing, font and colour,
// OK applying and saving, Cancel and the close box, help, keys, failures to save.
#include "DarkTheme.h"
#include "ForcedFont.h"
#include "MainWindowFixture.h"
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "desktopfit/ReadableColour.h"
#include "filer/FileListView.h"
#include "formkit/LabelHeight.h"
#include "formkit/Twips.h"
#include "mainwindow/Form1.h"
#include "options/OptionsCommand.h"
#include "options/ViewerLook.h"
#include "options/frmOption.h"
#include "settings/HistoryFile.h"
#include "settings/SettingsConversions.h"
#include "textfile/TextCodec.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <unistd.h>

using namespace zorvane;
using zorvane::testing::crlf;
using zorvane::testing::ForcedFont;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;
using zorvane::testing::readBytes;
using zorvane::testing::writeBytes;

namespace {

// A field's value as the program reads it: up to its first NUL, without the blanks around it,
// in any letter case ("true" and "True" are the same boolean).
QString valueOf(const QString& field) {
    return field.left(field.indexOf(QChar(u'\0'))).trimmed().toLower();
}

QString padded(const QString& text, int width) {
    return paddedText(text, width);
}

// The program-wide values the options dialog may change, to compare before and after.
struct StateSnapshot {
    QStringList texts;
    Boolean16 showFiler = 0;
    static StateSnapshot of(const ModPlok& state) {
        StateSnapshot snapshot;
        snapshot.texts << state.EditorName << state.EditorPath << state.NameBuffer.whole()
                       << state.ProgramBuffer.whole() << state.SettingsRecord.Name.whole()
                       << state.SettingsRecord.Size.whole() << state.SettingsRecord.Color.whole()
                       << state.SettingsRecord.BColor.whole()
                       << state.SettingsRecord.Fselect.whole() << state.SettingsRecord.Ext1.whole();
        for (int i = 1; i <= 3; ++i)
            snapshot.texts << state.ToolName(i) << state.ToolPath(i);
        for (int i = 1; i <= 5; ++i)
            snapshot.texts << state.ExtPattern(i);
        for (int i = 1; i <= 20; ++i)
            snapshot.texts << state.UsualDirs(i);
        snapshot.showFiler = state.ShowFiler;
        return snapshot;
    }
    bool operator==(const StateSnapshot&) const = default;
};

} // namespace

class TestFrmOption : public QObject, MainWindowFixture {
    Q_OBJECT

    void writeIni(const QStringList& lines) {
        QVERIFY(writeBytes(programFile("plok.ini"), crlf(lines)));
    }
    void writeHistory(const QStringList& usual) {
        QStringList lines;
        for (int i = 0; i < 20; ++i)
            lines << QString();
        for (int i = 0; i < 20; ++i)
            lines << usual.value(i);
        QVERIFY(writeBytes(programFile("plok.his"), crlf(lines)));
    }

    template <typename T> static T* control(const QWidget& dialog, const char* name) {
        auto* found = dialog.findChild<T*>(QString::fromUtf8(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }
    static QLineEdit* box(const QWidget& dialog, const char* name) {
        return control<QLineEdit>(dialog, name);
    }
    static void click(const QWidget& dialog, const char* name) {
        QPushButton* button = control<QPushButton>(dialog, name);
        QVERIFY(button);
        button->click();
    }

    // A settings file with a value in every key the dialog shows.
    void writeFullIni() {
        writeIni({QStringLiteral("[OpProgram]"),
                  QStringLiteral("Name=エディタ"),
                  QStringLiteral("Program=/usr/bin/ed -s"),
                  QStringLiteral("Name1=ツール1"),
                  QStringLiteral("Program1=/bin/t1"),
                  QStringLiteral("Name2=ツール2"),
                  QStringLiteral("Program2=/bin/t2"),
                  QStringLiteral("Name3=ツール3"),
                  QStringLiteral("Program3=/bin/t3"),
                  QStringLiteral("[Font]"),
                  QStringLiteral("Name=ＭＳ 明朝"),
                  QStringLiteral("Size= 10.5"),
                  QStringLiteral("Uline=True"),
                  QStringLiteral("Strike=False"),
                  QStringLiteral("Italic=True"),
                  QStringLiteral("Bold=True"),
                  QStringLiteral("Color= 255"),
                  QStringLiteral("BColor=-2147483643"),
                  QStringLiteral("[Form]"),
                  QStringLiteral("Top= 300"),
                  QStringLiteral("[Option]"),
                  QStringLiteral("Fselect=False"),
                  QStringLiteral("[Extention]"),
                  QStringLiteral("Ext1=*.csv"),
                  QStringLiteral("Ext2="),
                  QStringLiteral("Ext3=*.log"),
                  QStringLiteral("Ext4="),
                  QStringLiteral("Ext5=")});
        QStringList usual;
        for (int i = 1; i <= 20; ++i)
            usual << QStringLiteral("/usual/%1").arg(i);
        writeHistory(usual);
    }

private slots:
    void init() { QVERIFY(setUpMainWindow()); }

    void cleanup() { tearDownMainWindow(); }

    // ---- Opening ------------------------------------------------------------------------

    void frameCaptionsReadOnLightAndDarkThemes_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light: the designed red") << false;
        QTest::newRow("dark: a red that reads") << true;
    }
    void frameCaptionsReadOnLightAndDarkThemes() {
        QFETCH(bool, dark);
        const ApplicationPaletteScope theme(dark ? darkPalette() : QApplication::palette());
        auto form = makeForm();
        frmOption dialog(*form);
        auto* tabs = control<QTabWidget>(dialog, "SSTab1");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char* name : {"Frame1", "Frame2", "Frame4", "Frame5", "Frame7"}) {
            auto* frame = control<QGroupBox>(dialog, name);
            tabs->setCurrentWidget(frame->parentWidget());
            // The caption as the dialog shows it, on the tab it sits on.
            const QImage shown = dialog.grab().toImage();
            const QRect title(frame->mapTo(&dialog, QPoint(0, 0)),
                              QSize(frame->width(), frame->fontMetrics().height() + 2));
            const QImage caption = shown.copy(title);
            // The tab's own colour where nothing is drawn, left of the caption.
            const QColor background = caption.pixelColor(1, 1);
            const auto reddish = [](const QColor& pixel) {
                return pixel.red() - std::max(pixel.green(), pixel.blue()) > 60;
            };
            QVERIFY2(drawnTextContrast(caption, background, reddish).pixels > 20, name);
            // Small antialiased glyphs never show their colour whole: the colour they are drawn
            // in is measured, against the background they are drawn on.
            const QRegularExpressionMatch colour =
                QRegularExpression(QStringLiteral("#[0-9a-f]{6}")).match(frame->styleSheet());
            QVERIFY2(colour.hasMatch(), name);
            const QColor drawnIn(colour.captured());
            if (dark) {
                QVERIFY2(
                    contrastRatio(drawnIn, background) >= ReadableContrast,
                    qPrintable(QStringLiteral("%1: %2 on %3")
                                   .arg(QLatin1String(name), drawnIn.name(), background.name())));
            } else {
                QCOMPARE(drawnIn, QColor(Qt::red));
            }
        }
    }

    // Every text box is as tall as its font needs and overlaps nothing beside or under it; with
    // IPA each keeps its designed 270 twips.
    void textBoxesFitTheirFont_data() {
        QTest::addColumn<QString>("family");
        for (const char* family : {"IPAGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"})
            QTest::newRow(family) << QString::fromLatin1(family);
    }
    void textBoxesFitTheirFont() {
        QFETCH(QString, family);
        if (!ForcedFont::installed(family))
            QSKIP(qPrintable(family + QStringLiteral(" is not installed (fonts-noto-cjk, "
                                                     "fonts-ipafont-gothic)")));
        const ForcedFont font(family, 9);
        auto form = makeForm();
        frmOption dialog(*form);
        const QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>();
        QVERIFY(boxes.size() >= 10);
        for (const QLineEdit* box : boxes) {
            const QByteArray name = box->objectName().toUtf8();
            QCOMPARE(box->fontInfo().family(), family);
            QVERIFY2(box->height() >= textHeightOf(*box), name.constData());
            if (family == QStringLiteral("IPAGothic"))
                QCOMPARE(box->height(), twipsToPixels(270));
            QVERIFY2(box->parentWidget()->rect().contains(box->geometry()), name.constData());
            for (const QWidget* other :
                 box->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (other != box && (qobject_cast<const QLineEdit*>(other) ||
                                     qobject_cast<const QPushButton*>(other)))
                    QVERIFY2(!box->geometry().intersects(other->geometry()),
                             (name + " and " + other->objectName().toUtf8()).constData());
        }
    }

    void openingShowsEveryValue() {
        writeFullIni();
        auto form = makeForm();
        frmOption dialog(*form);

        QCOMPARE(dialog.objectName(), QStringLiteral("frmOption"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("オプション"));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.parentWidget(), static_cast<QWidget*>(form.get()));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
        auto* tabs = control<QTabWidget>(dialog, "SSTab1");
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 4);
        const QStringList captions{QStringLiteral("外部"), QStringLiteral("ビュアー"),
                                   QStringLiteral("ファイラー"), QStringLiteral("ディレクトリ")};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(tabs->tabText(i), captions[i]);
        QCOMPARE(tabs->currentIndex(), 0);

        QCOMPARE(box(dialog, "Text1")->text(), QStringLiteral("エディタ"));
        QCOMPARE(box(dialog, "Text2")->text(), QStringLiteral("/usr/bin/ed -s"));
        QCOMPARE(box(dialog, "Text3(2)")->text(), QStringLiteral("ツール3"));
        QCOMPARE(box(dialog, "Text4(0)")->text(), QStringLiteral("/bin/t1"));
        QCOMPARE(box(dialog, "Text5(0)")->text(), QStringLiteral("*.csv"));
        QCOMPARE(box(dialog, "Text5(1)")->text(), QString());
        QCOMPARE(box(dialog, "Text5(2)")->text(), QStringLiteral("*.log"));
        QCOMPARE(box(dialog, "Text6(0)")->text(), QStringLiteral("/usual/1"));
        QCOMPARE(box(dialog, "Text6(9)")->text(), QStringLiteral("/usual/10"));
        QVERIFY(!dialog.findChild<QLineEdit*>(QStringLiteral("Text6(10)")));
        QVERIFY(!control<QCheckBox>(dialog, "Check2")->isChecked());
        QCOMPARE(dialog.optShowFiler(), False16);

        QCOMPARE(box(dialog, "Text5_1(0)")->text(), QStringLiteral(" *.*"));
        QCOMPARE(box(dialog, "Text5_1(1)")->text(), QStringLiteral(" *.TXT"));
        QVERIFY(box(dialog, "Text5_1(0)")->isReadOnly());
        QVERIFY(box(dialog, "Text5_1(1)")->isReadOnly());
        QCOMPARE(
            control<QLabel>(dialog, "Label3_1")->text(),
            QStringLiteral("左のチェックを有効にするとビュアー部とファイラー部が表示されます"));
        QCOMPARE(control<QLabel>(dialog, "Label3_2(1)")->text(),
                 QStringLiteral(
                     "ファイラー部のファイルの種類で適用するファイルの拡張子を記述してください") +
                     QStringLiteral("\r(例)  *.csv"));
        // On screen the carriage return breaks the line, however wide the label.
        auto* guidance = control<QLabel>(dialog, "Label3_2(1)");
        QVERIFY(guidance->heightForWidth(4000) >= 2 * guidance->fontMetrics().height());
        const QString readName =
            QAccessible::queryAccessibleInterface(guidance)->text(QAccessible::Name);
        QVERIFY(!readName.contains(QChar(u'\r'))); // a screen reader is given one line
        const QString longText(40000, QChar(u'x'));
        box(dialog, "Text6(3)")->setText(longText);
        QCOMPARE(box(dialog, "Text6(3)")->text(), longText);

        // Frames, their captions and the buttons.
        const QList<std::pair<const char*, const char*>> frames = {
            {"Frame1", "エディタの指定"}, {"Frame2", "その他の外部ツール"},
            {"Frame4", "フォント"},       {"Frame5", "ファイラー部"},
            {"Frame6", "ファイルの種類"}, {"Frame7", "いつものディレクトリ"}};
        for (const auto& [name, caption] : frames)
            QCOMPARE(control<QGroupBox>(dialog, name)->title(), QString::fromUtf8(caption));
        QCOMPARE(box(dialog, "Text4(1)")->parentWidget()->objectName(), QStringLiteral("Frame2"));
        QCOMPARE(box(dialog, "Text6(9)")->parentWidget()->objectName(), QStringLiteral("Frame7"));
        const QList<std::pair<const char*, const char*>> buttons = {
            {"Command1", "参照"},       {"Command2(2)", "参照"}, {"Command3", "フォント"},
            {"Command4", "背景色"},     {"Command5(9)", "参照"}, {"Command6", "ＯＫ"},
            {"Command7", "キャンセル"}, {"Command8", "ヘルプ"}};
        for (const auto& [name, caption] : buttons) {
            auto* button = control<QPushButton>(dialog, name);
            QVERIFY2(button, name);
            QCOMPARE(button->text(), QString::fromUtf8(caption));
            QVERIFY(!button->isDefault() && !button->autoDefault());
        }
        QCOMPARE(control<QLabel>(dialog, "Label1_2(4)")->text(), QStringLiteral("ex2"));

        // The viewer's font and colours, the system background as its system colour.
        const OptionFontMembers& font = dialog.fontMembers();
        QCOMPARE(font.OptFontName, QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(font.OptFontSize, 10.5f);
        QCOMPARE(font.OptFontBold, True16);
        QCOMPARE(font.OptFontItalic, True16);
        QCOMPARE(font.OptFontUnderline, True16);
        QCOMPARE(font.OptFontStrikethru, False16);
        QCOMPARE(font.OptForeColor, 255);
        QCOMPARE(font.OptBackColor, SystemWindow);
    }

    // ---- OK -----------------------------------------------------------------------------

    void okWithoutChangesRewritesAllKeys_data() {
        QTest::addColumn<bool>("iniExists");
        QTest::newRow("plok.ini present") << true;
        QTest::newRow("plok.ini missing") << false;
    }
    void okWithoutChangesRewritesAllKeys() {
        QFETCH(bool, iniExists);
        if (iniExists)
            writeFullIni();
        auto form = makeForm();
        StateSnapshot before = StateSnapshot::of(modPlok());
        const QString top = modPlok().SettingsRecord.Top.whole();
        frmOption dialog(*form);
        const OptionFontMembers font = dialog.fontMembers();
        click(dialog, "Command6");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(fakes_->messageBox.shown.isEmpty());

        const ModPlok& state = modPlok();
        StateSnapshot after = StateSnapshot::of(state);
        // The buffers hold tool 3 after the write; fields read from the file held NULs after
        // their value, now blanks.
        QCOMPARE(state.NameBuffer.whole(), padded(state.ToolName(3), 50));
        for (const int field : {2, 3, 4, 5, 6, 7, 8, 9}) {
            after.texts[field] = valueOf(after.texts[field]);
            before.texts[field] = valueOf(before.texts[field]);
        }
        after.texts[2] = before.texts[2];
        after.texts[3] = before.texts[3];
        if (!iniExists) { // the viewer kept its designed colours, which are now stored
            after.texts[6] = before.texts[6];
            after.texts[7] = before.texts[7];
        }
        QCOMPARE(after.texts, before.texts);
        QCOMPARE(after.showFiler, before.showFiler);
        QCOMPARE(state.SettingsRecord.Top.whole(), top);

        QStringList expected{QStringLiteral("[OpProgram]"),
                             QStringLiteral("Name=") + padded(state.EditorName, 50),
                             QStringLiteral("Program=") + padded(state.EditorPath, 250)};
        for (int i = 1; i <= 3; ++i)
            expected << QStringLiteral("Name%1=").arg(i) + padded(state.ToolName(i), 50)
                     << QStringLiteral("Program%1=").arg(i) + padded(state.ToolPath(i), 250);
        expected << QStringLiteral("[Font]")
                 << QStringLiteral("Name=") + padded(font.OptFontName, 50)
                 << QStringLiteral("Size=") + padded(numberTextSingle(font.OptFontSize), 10)
                 << QStringLiteral("Uline=") + padded(booleanText(font.OptFontUnderline), 10)
                 << QStringLiteral("Strike=") + padded(booleanText(font.OptFontStrikethru), 10)
                 << QStringLiteral("Italic=") + padded(booleanText(font.OptFontItalic), 10)
                 << QStringLiteral("Bold=") + padded(booleanText(font.OptFontBold), 10)
                 << QStringLiteral("Color=") + padded(numberText(font.OptForeColor), 50)
                 << QStringLiteral("BColor=") + padded(numberText(font.OptBackColor), 50);
        if (iniExists)
            expected << QStringLiteral("[Form]") << QStringLiteral("Top= 300");
        expected << QStringLiteral("[Option]")
                 << QStringLiteral("Fselect=") + padded(booleanText(state.ShowFiler), 10);
        expected << QStringLiteral("[Extention]");
        for (int i = 1; i <= 5; ++i)
            expected << QStringLiteral("Ext%1=").arg(i) + padded(state.ExtPattern(i), 50);
        const QByteArray written = readBytes(programFile("plok.ini"));
        const QString text = TextCodec::decodeText(written, TextCodec::detectEncoding(written));
        QCOMPARE(text.split(QStringLiteral("\r\n")),
                 QString::fromUtf8(crlf(expected)).split(QStringLiteral("\r\n")));
        if (!iniExists) {
            QCOMPARE(state.EditorName, QStringLiteral("Editor"));
            QCOMPARE(font.OptFontName, QStringLiteral("ＭＳ ゴシック"));
            QCOMPARE(font.OptForeColor, SystemWindowText);
        }
    }

    void okAppliesEverythingAtOnce() {
        writeFullIni();
        auto form = makeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        modPlok().ShowFiler = True16;
        form->Form_Activate();
        const QString shownPattern = form->file1()->pattern();
        frmOption dialog(*form);
        box(dialog, "Text1")->setText(QStringLiteral("ABCDEFGHIJKLMNO"));
        box(dialog, "Text3(0)")->setText(QStringLiteral("全角十二文字のタイトル名"));
        box(dialog, "Text3(1)")->setText(QStringLiteral("全角十三文字のタイトル名前"));
        for (int i = 0; i < 5; ++i)
            box(dialog, qPrintable(QStringLiteral("Text5(%1)").arg(i)))->clear();
        box(dialog, "Text5(1)")->setText(QStringLiteral("*.csv"));
        box(dialog, "Text5(3)")->setText(QStringLiteral("*.md"));
        box(dialog, "Text6(4)")->setText(QStringLiteral("/new/5"));
        control<QCheckBox>(dialog, "Check2")->setChecked(true);
        control<QCheckBox>(dialog, "Check2")->setChecked(false);
        QCOMPARE(dialog.optShowFiler(), False16);
        fakes_->fontDialog.answers.enqueue(
            FontChoice{QStringLiteral("IPAGothic"), 12.0f, false, false, false, true, 0x00FFFFFF});
        click(dialog, "Command3");
        fakes_->colourDialog.answers.enqueue(QColor(0x20, 0x40, 0x80));
        click(dialog, "Command4");
        click(dialog, "Command6");

        // Titles cut everywhere they go.
        QCOMPARE(box(dialog, "Text1")->text(), QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(modPlok().EditorName, QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(form->command1()->text(), QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(modPlok().ToolName(1), QStringLiteral("全角十二文字のタイトル名"));
        QCOMPARE(modPlok().ToolName(2), QStringLiteral("全角十三文字のタイトル名"));
        QCOMPARE(modPlok().UsualDirs(5), QStringLiteral("/new/5"));
        QCOMPARE(modPlok().UsualDirs(15), QStringLiteral("/usual/15"));

        // The viewer takes the font and colours.
        const QFont viewerFont = form->text1()->font();
        QCOMPARE(viewerFont.family(), QStringLiteral("IPAGothic"));
        QCOMPARE(viewerFont.pointSizeF(), 12.0);
        QVERIFY(viewerFont.strikeOut() && !viewerFont.bold() && !viewerFont.underline());
        QCOMPARE(form->text1()->palette().color(QPalette::Active, QPalette::Text),
                 QColor(Qt::white));
        QCOMPARE(form->text1()->palette().color(QPalette::Base), QColor(0x20, 0x40, 0x80));

        // The pattern box: standard entries, then patterns 2 and 4; the file list keeps its own,
        // and the box still shows it.
        QStringList entries;
        for (int i = 0; i < form->combo1()->count(); ++i)
            entries << form->combo1()->itemText(i);
        QCOMPARE(entries, (QStringList{QStringLiteral("*.TXT"), QStringLiteral("*.*"),
                                       QStringLiteral("*.csv"), QStringLiteral("*.md")}));
        QCOMPARE(form->file1()->pattern(), shownPattern);
        QCOMPARE(form->combo1()->currentText(), shownPattern);

        // The filer goes when the main window is active again.
        QCOMPARE(modPlok().ShowFiler, False16);
        QVERIFY(form->file1()->isVisible());
        form->Form_Activate();
        QVERIFY(form->file1()->isHidden());

        const QByteArray ini = readBytes(programFile("plok.ini"));
        QVERIFY(ini.contains("\r\nName=ABCDEFGHIJKL" + QByteArray(38, ' ') + "\r\n"));
        QVERIFY(ini.contains("\r\nFselect=False     \r\n"));
        QVERIFY(ini.contains("\r\nExt1=" + QByteArray(50, ' ') + "\r\n"));
        QVERIFY(ini.contains("\r\nColor= 16777215" + QByteArray(41, ' ') + "\r\n"));
        QVERIFY(ini.contains("\r\nBColor= 8405024" + QByteArray(42, ' ') + "\r\n"));
        QVERIFY(ini.contains("\r\nStrike=True      \r\n"));
    }

    // A value that plok.ini would give back cut is refused at OK, naming its place and the
    // limit, with its tab shown and the focus on it; nothing is applied or saved. Within the
    // limit, it comes back whole after a restart.
    void overlongValueIsRefusedUntilItFits() {
        writeFullIni();
        auto form = makeForm();
        const QByteArray iniBefore = readBytes(programFile("plok.ini"));
        const StateSnapshot before = StateSnapshot::of(modPlok());
        const QString longest = QStringLiteral("/opt/") + QString(244, QChar(u'p')); // 249 bytes
        {
            frmOption dialog(*form);
            dialog.show();
            auto* tabs = control<QTabWidget>(dialog, "SSTab1");
            box(dialog, "Text4(1)")->setText(longest + QChar(u'p'));
            box(dialog, "Text5(3)")->setText(QString(25, QChar(u'漢'))); // 50 bytes
            tabs->setCurrentIndex(3);
            click(dialog, "Command6");
            QCOMPARE(fakes_->messageBox.shown.size(), 1);
            QCOMPARE(fakes_->messageBox.shown[0].text.section(QChar(u'\n'), 0, 0),
                     QStringLiteral(
                         "「ex2 のプログラム」の値が長すぎます。249バイト以内にしてください。"));
            QCOMPARE(fakes_->messageBox.owners[0], static_cast<QWidget*>(&dialog));
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected)); // not accepted
            QCOMPARE(tabs->currentIndex(), 0);
            QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(box(dialog, "Text4(1)")));
            QVERIFY(StateSnapshot::of(modPlok()) == before);
            QCOMPARE(readBytes(programFile("plok.ini")), iniBefore);

            box(dialog, "Text4(1)")->setText(longest);
            click(dialog, "Command6");
            QCOMPARE(fakes_->messageBox.shown.size(), 2);
            QVERIFY(fakes_->messageBox.shown[1].text.startsWith(
                QStringLiteral("「ファイルの種類 4」の値が長すぎます。49バイト以内")));
            QCOMPARE(tabs->currentIndex(), 2);
            QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(box(dialog, "Text5(3)")));
            QVERIFY(dialog.isVisible());

            box(dialog, "Text5(3)")->setText(QString(24, QChar(u'漢')) + QStringLiteral("*"));
            click(dialog, "Command6");
            QCOMPARE(fakes_->messageBox.shown.size(), 2);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        form->setCurrentFile(QStringLiteral("/data/memo.txt"));
        form->runCommand(MainCommand::Tool2);
        QCOMPARE(fakes_->processStarter.started.size(), 1);
        QCOMPARE(fakes_->processStarter.started[0].program, longest);
        form.reset();
        resetModPlok();
        form = makeForm();
        QCOMPARE(modPlok().ToolPath(2), longest);
        QCOMPARE(modPlok().ExtPattern(4), QString(24, QChar(u'漢')) + QStringLiteral("*"));
    }

    // A program in quotes (a path with blanks, typed or browsed) starts after a restart as it
    // did in the session where it was set.
    void quotedProgramsSurviveARestart() {
        auto form = makeForm();
        const QString editor = QStringLiteral("/opt/my editor/ed");
        const QString tool = QStringLiteral("/opt/My \"Best\" Tool/run");
        {
            frmOption dialog(*form);
            box(dialog, "Text2")->setText(QChar(u'"') + editor + QChar(u'"'));
            fakes_->programFileDialog.answers.enqueue(tool);
            click(dialog, "Command2(0)");
            box(dialog, "Text4(2)")->setText(QStringLiteral("'x'"));
            click(dialog, "Command6");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        const QString editorText = modPlok().EditorPath;
        const QString toolText = modPlok().ToolPath(1);
        form.reset();
        resetModPlok();
        form = makeForm();
        QCOMPARE(modPlok().EditorPath, editorText);
        QCOMPARE(modPlok().ToolPath(1), toolText);
        QCOMPARE(modPlok().ToolPath(3), QStringLiteral("'x'"));
        form->setCurrentFile(QStringLiteral("/data/a b.txt"));
        form->runCommand(MainCommand::Open);
        form->runCommand(MainCommand::Tool1);
        QCOMPARE(fakes_->processStarter.started.size(), 2);
        QCOMPARE(fakes_->processStarter.started[0].program, editor);
        QCOMPARE(fakes_->processStarter.started[1].program, tool);
        QCOMPARE(fakes_->processStarter.started[1].arguments,
                 QStringList{QStringLiteral("/data/a b.txt")});
    }

    // ---- Cancel -------------------------------------------------------------------------

    void cancelAndCloseBoxChangeNothing_data() {
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("キャンセル") << false;
        QTest::newRow("close box") << true;
    }
    void cancelAndCloseBoxChangeNothing() {
        QFETCH(bool, byCloseBox);
        writeFullIni();
        auto form = makeForm();
        const QByteArray iniBefore = readBytes(programFile("plok.ini"));
        const StateSnapshot before = StateSnapshot::of(modPlok());
        const QFont fontBefore = form->text1()->font();
        const QPalette paletteBefore = form->text1()->palette();
        const QString captionBefore = form->command1()->text();
        const int entriesBefore = form->combo1()->count();

        frmOption dialog(*form);
        dialog.show();
        box(dialog, "Text1")->setText(QStringLiteral("changed"));
        box(dialog, "Text4(2)")->setText(QStringLiteral("/changed"));
        box(dialog, "Text5(4)")->setText(QStringLiteral("*.x"));
        box(dialog, "Text6(0)")->setText(QStringLiteral("/changed"));
        control<QCheckBox>(dialog, "Check2")->setChecked(true);
        fakes_->fontDialog.answers.enqueue(
            FontChoice{QStringLiteral("Other"), 20.0f, true, true, true, true, 0x123456});
        click(dialog, "Command3");
        fakes_->colourDialog.answers.enqueue(QColor(Qt::green));
        click(dialog, "Command4");
        if (byCloseBox)
            dialog.close();
        else
            click(dialog, "Command7");

        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(StateSnapshot::of(modPlok()) == before);
        QCOMPARE(readBytes(programFile("plok.ini")), iniBefore);
        QCOMPARE(form->text1()->font(), fontBefore);
        QCOMPARE(form->text1()->palette(), paletteBefore);
        QCOMPARE(form->command1()->text(), captionBefore);
        QCOMPARE(form->combo1()->count(), entriesBefore);
    }

    // ---- Browsing, font and colour ------------------------------------------------------

    void cancelledDialogsChangeNothing() {
        writeFullIni();
        auto form = makeForm();
        frmOption dialog(*form);
        const OptionFontMembers font = dialog.fontMembers();
        click(dialog, "Command1");
        click(dialog, "Command2(1)");
        click(dialog, "Command3");
        click(dialog, "Command4");
        QCOMPARE(box(dialog, "Text2")->text(), QStringLiteral("/usr/bin/ed -s"));
        QCOMPARE(box(dialog, "Text4(1)")->text(), QStringLiteral("/bin/t2"));
        QCOMPARE(modPlok().OptBrowseIndex, qint16(1));
        QCOMPARE(dialog.fontMembers().OptFontName, font.OptFontName);
        QCOMPARE(dialog.fontMembers().OptForeColor, font.OptForeColor);
        QCOMPARE(dialog.fontMembers().OptBackColor, font.OptBackColor);
        QCOMPARE(fakes_->fontDialog.owners.value(0), static_cast<QWidget*>(&dialog));

        // The font dialog starts from the members, in their colours.
        const FontDialogRequest& request = fakes_->fontDialog.requests.value(0);
        QCOMPARE(request.start.name, QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(request.start.size, 10.5f);
        QVERIFY(request.start.bold && request.start.italic && request.start.underline);
        QCOMPARE(request.start.colour, 255);
        QCOMPARE(request.textColour, QColor(Qt::red));

        // The picker starts in the entry's folder; cancelled, it leaves the entry as it was.
        click(dialog, "Command5(2)");
        QCOMPARE(fakes_->directoryPicker.starts.value(0), QStringLiteral("/usual/3"));
        QCOMPARE(fakes_->directoryPicker.owners.value(0), static_cast<QWidget*>(&dialog));
        QCOMPARE(box(dialog, "Text6(2)")->text(), QStringLiteral("/usual/3"));
        QCOMPARE(modPlok().DirPickStart, QStringLiteral("/usual/3"));
        QCOMPARE(modPlok().DirPickResult, QString());
        fakes_->directoryPicker.answers.enqueue(QStringLiteral("/picked"));
        click(dialog, "Command5(9)");
        QCOMPARE(box(dialog, "Text6(9)")->text(), QStringLiteral("/picked"));
        QCOMPARE(modPlok().DirPickResult, QStringLiteral("/picked"));
        QCOMPARE(modPlok().UsualDirs(10), QStringLiteral("/usual/10")); // until OK

        // OK after the cancelled picker keeps the folder in plok.his (written as at exit).
        click(dialog, "Command6");
        QCOMPARE(modPlok().UsualDirs(3), QStringLiteral("/usual/3"));
        QCOMPARE(modPlok().UsualDirs(10), QStringLiteral("/picked"));
        QCOMPARE(writeHistoryFile(modPlok()), 0);
        const QList<QByteArray> lines = readBytes(programFile("plok.his")).split('\n');
        QCOMPARE(lines.value(22), QByteArray("/usual/3\r"));
        QCOMPARE(lines.value(29), QByteArray("/picked\r"));
    }

    void browsedProgramWithBlanksStartsAsOneProgram() {
        auto form = makeForm();
        frmOption dialog(*form);
        const QString editor = QStringLiteral("/opt/My \"Best\" Editor/run");
        fakes_->programFileDialog.answers.enqueue(editor);
        click(dialog, "Command1");
        fakes_->programFileDialog.answers.enqueue(QStringLiteral("/bin/tool"));
        click(dialog, "Command2(2)");
        click(dialog, "Command2(0)");
        QCOMPARE(fakes_->programFileDialog.fileNames,
                 (QStringList{QString(), editor, QStringLiteral("/bin/tool")}));
        QCOMPARE(box(dialog, "Text4(2)")->text(), QStringLiteral("/bin/tool"));
        QCOMPARE(box(dialog, "Text4(0)")->text(), QString());
        QCOMPARE(box(dialog, "Text3(2)")->text(), QString()); // titles are typed, not browsed
        click(dialog, "Command6");

        form->setCurrentFile(QStringLiteral("/data/a b.txt"));
        form->runCommand(MainCommand::Open);
        QCOMPARE(fakes_->processStarter.started.size(), 1);
        QCOMPARE(fakes_->processStarter.started[0].program, editor);
        QCOMPARE(fakes_->processStarter.started[0].arguments,
                 QStringList{QStringLiteral("/data/a b.txt")});
    }

    void colourDialogStartsOnTheBackgroundAfterAFontChange() {
        writeIni({QStringLiteral("[Font]"), QStringLiteral("Color= 0"),
                  QStringLiteral("BColor= 65280")});
        auto form = makeForm();
        frmOption dialog(*form);
        fakes_->fontDialog.answers.enqueue(
            FontChoice{QStringLiteral("IPAGothic"), 9.0f, false, false, false, false, 255});
        click(dialog, "Command3");
        QCOMPARE(dialog.fontMembers().OptForeColor, 255);
        click(dialog, "Command4");
        QCOMPARE(fakes_->colourDialog.starts.value(0), QColor(0, 255, 0));
        QCOMPARE(dialog.fontMembers().OptBackColor, 65280);
    }

    // ---- Keys and help ------------------------------------------------------------------

    void enterAndEscDoNothingAndHelpFollowsTheTab_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("topic");
        QTest::newRow("外部") << 0 << 6;
        QTest::newRow("ビュアー") << 1 << 13;
        QTest::newRow("ファイラー") << 2 << 16;
        QTest::newRow("ディレクトリ") << 3 << 17;
    }
    void enterAndEscDoNothingAndHelpFollowsTheTab() {
        QFETCH(int, tab);
        QFETCH(int, topic);
        auto form = makeForm();
        frmOption dialog(*form);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        control<QTabWidget>(dialog, "SSTab1")->setCurrentIndex(tab);
        QWidget* focus = tab == 0 ? box(dialog, "Text1") : static_cast<QWidget*>(&dialog);
        focus->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(focus, key);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(modPlok().EditorName, QStringLiteral("Editor"));

        click(dialog, "Command8");
        QTest::keyClick(focus, Qt::Key_F1);
        QCOMPARE(fakes_->help.requests.size(), 2);
        for (const auto& request : fakes_->help.requests) {
            QCOMPARE(request.contextNumber, topic);
            QCOMPARE(request.helpFile, modPlok().ProgramFolder + QStringLiteral("plok.hlp"));
        }
        QVERIFY(dialog.isVisible());
    }

    // The command opens a fresh dialog on its first tab, modal over the main window.
    void optionsCommandOpensAFreshModalDialog() {
        auto form = makeForm();
        form->setCommandHandler(MainCommand::Option, [&form] { runOptionsDialog(*form); });
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QList<int> tabsSeen;
        const auto answer = [&tabsSeen, &form] {
            auto* dialog = qobject_cast<frmOption*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(form.get()));
            auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
            tabsSeen << tabs->currentIndex();
            tabs->setCurrentIndex(3);
            dialog->findChild<QPushButton*>(QStringLiteral("Command7"))->click();
        };
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, form.get(), answer);
            form->runCommand(MainCommand::Option);
        }
        QCOMPARE(tabsSeen, (QList<int>{0, 0}));
        QVERIFY(!form->findChild<frmOption*>());
    }

    // ---- Failures to save ---------------------------------------------------------------

    void okThatCannotSaveSaysSoAndKeepsTheValues() {
        QVERIFY(QDir().mkdir(programFile("plok.ini"))); // a folder where the file should be
        auto form = makeForm();
        frmOption dialog(*form);
        box(dialog, "Text1")->setText(QStringLiteral("新しい名前"));
        click(dialog, "Command6");
        QCOMPARE(fakes_->messageBox.shown.size(), 1);
        const MessageRequest& message = fakes_->messageBox.shown[0];
        QVERIFY(message.text.contains(programFile("plok.ini")));
        QVERIFY(message.text.contains(QStringLiteral("保存できませんでした")));
        QCOMPARE(fakes_->messageBox.owners[0], static_cast<QWidget*>(&dialog));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(modPlok().EditorName, QStringLiteral("新しい名前"));
        QCOMPARE(form->command1()->text(), QStringLiteral("新しい名前"));
    }

    void readOnlySettingsAtOkAndAtExit() {
        if (::geteuid() == 0)
            QSKIP("the superuser may write read-only files");
        writeFullIni();
        const QString ini = programFile("plok.ini");
        const QByteArray before = readBytes(ini);
        QVERIFY(QFile::setPermissions(ini, QFileDevice::ReadOwner));
        auto form = makeForm();
        {
            frmOption dialog(*form);
            click(dialog, "Command6");
        }
        QCOMPARE(fakes_->messageBox.shown.size(), 1);
        QVERIFY(fakes_->messageBox.shown[0].text.contains(
            QStringLiteral("書き込みが許可されていません")));
        form->close();
        QCOMPARE(fakes_->messageBox.shown.size(), 2);
        QVERIFY(fakes_->messageBox.shown[1].text.contains(ini));
        QCOMPARE(readBytes(ini), before);
    }

    void exitThatCannotSaveSaysSo() {
        writeFullIni();
        auto form = makeForm();
        modPlok().RecentDirs(1) = QStringLiteral("/recent/1");
        // Both files become folders: neither can be replaced.
        QVERIFY(QFile::remove(programFile("plok.ini")) && QFile::remove(programFile("plok.his")));
        QVERIFY(QDir().mkdir(programFile("plok.ini")) && QDir().mkdir(programFile("plok.his")));
        form->close();
        QCOMPARE(fakes_->messageBox.shown.size(), 2);
        QVERIFY(fakes_->messageBox.shown[0].text.contains(programFile("plok.ini")));
        QVERIFY(fakes_->messageBox.shown[0].text.contains(QStringLiteral("ウィンドウの位置")));
        QVERIFY(fakes_->messageBox.shown[1].text.contains(programFile("plok.his")));
        QCOMPARE(modPlok().RecentDirs(1), QStringLiteral("/recent/1"));
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frmoption.moc"
