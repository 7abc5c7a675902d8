// The main window as a whole, on the offscreen platform with the platform fakes: start-up from
// plok.ini and plok.his, the command line, the preview, the filer, keys and toolbar, shutdown.
#include "DarkTheme.h"
#include "ForcedFont.h"
#include "MainWindowFixture.h"
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "desktopfit/ReadableColour.h"
#include "filer/DirectoryListView.h"
#include "filer/DriveListBox.h"
#include "filer/FileListView.h"
#include "formkit/LabelHeight.h"
#include "formkit/Twips.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MainWindowLayout.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QtTest>
#include <memory>

using namespace zorvane;
using zorvane::testing::crlf;
using zorvane::testing::ForcedFont;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray emptyHistory(int lines = 40) {
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes += "\r\n";
    return bytes;
}

} // namespace

class TestForm1 : public QObject, MainWindowFixture {
    Q_OBJECT

    void writeIni(const QStringList& lines) { writeFile(programFile("plok.ini"), crlf(lines)); }
    void writeData(const QString& relative, const QByteArray& bytes) {
        const QString path = dataPath(relative);
        QDir().mkpath(QFileInfo(path).path());
        writeFile(path, bytes);
    }
    QList<MessageRequest>& shown() { return fakes_->messageBox.shown; }

private slots:
    void init() { QVERIFY(setUpMainWindow()); }

    void cleanup() { tearDownMainWindow(); }

    // ---- Form1 and its controls ---------------------------------------------------------

    void controlsMenusAndToolbarCarryTheirNames() {
        auto form = makeForm();
        QCOMPARE(form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(form->windowTitle(), QStringLiteral("　Zorvane"));
        const char* const controls[] = {"Toolbar1", "Label1", "Drive1",   "Label2",
                                        "Dir1",     "Label3", "File1",    "Label4",
                                        "Combo1",   "Text1",  "Command1", "Label5"};
        for (const char* name : controls)
            QVERIFY2(form->findChild<QWidget*>(QString::fromUtf8(name)), name);
        QCOMPARE(form->label1()->text(), QStringLiteral("ドライブ"));
        QCOMPARE(form->label2()->text(), QStringLiteral("ディレクトリ"));
        QCOMPARE(form->label3()->text(), QStringLiteral("ファイル名"));
        QCOMPARE(form->label4()->text(), QStringLiteral("ファイルの種類"));
        QCOMPARE(form->label3()->buddy(), static_cast<QWidget*>(form->file1()));
        QCOMPARE(form->label2()->buddy(), static_cast<QWidget*>(form->dir1()));
        QVERIFY(form->text1()->isReadOnly());
        QCOMPARE(form->text1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

        const QList<std::pair<const char*, const char*>> items = {
            {"miOpen", "開く(&O)"},         {"miCopy", "コピー(&C)"},  {"miMove", "移動(&M)"},
            {"miDel", "削除(&D)"},          {"miRen", "リネーム(&R)"}, {"miExit", "終了(&X)"},
            {"miEx1", "外部－１"},          {"miEx2", "外部－２"},     {"miEx3", "外部－３"},
            {"miOption", "オプション(&O)"}, {"miHelp", "ヘルプ(&H)"},  {"miVer", "バージョン(&A)"}};
        for (const auto& [name, caption] : items) {
            auto* action = form->findChild<QAction*>(QString::fromUtf8(name));
            QVERIFY2(action, name);
            QCOMPARE(action->text(), QString::fromUtf8(caption));
            QVERIFY(action->shortcut().isEmpty());
        }
        for (const char* name : {"miSPf1", "miSPf2", "miSPt1"})
            QVERIFY(form->findChild<QAction*>(QString::fromUtf8(name))->isSeparator());
        QCOMPARE(form->findChild<QMenu*>(QStringLiteral("mbFile"))->title(),
                 QStringLiteral("ファイル(&F)"));
        QCOMPARE(form->findChild<QMenu*>(QStringLiteral("mbTool"))->title(),
                 QStringLiteral("ツール(&T)"));
        QCOMPARE(form->findChild<QMenu*>(QStringLiteral("mbHelp"))->title(),
                 QStringLiteral("ヘルプ(&H)"));

        // Ten toolbar entries: eight image buttons without captions and two separators.
        const QList<QAction*> buttons = form->toolbar1()->actions();
        QCOMPARE(buttons.size(), 10);
        const QStringList keys = {QStringLiteral("tbQ"),  QString(),
                                  QStringLiteral("tbX1"), QStringLiteral("tbX2"),
                                  QStringLiteral("tbX3"), QString(),
                                  QStringLiteral("tbC"),  QStringLiteral("tbM"),
                                  QStringLiteral("tbD"),  QStringLiteral("tbR")};
        const QStringList tips = {QStringLiteral("終了"),   QString(),
                                  QStringLiteral("外部①"),  QStringLiteral("外部②"),
                                  QStringLiteral("外部③"),  QString(),
                                  QStringLiteral("コピー"), QStringLiteral("移動"),
                                  QStringLiteral("削除"),   QStringLiteral("リネーム")};
        for (int i = 0; i < buttons.size(); ++i) {
            QCOMPARE(buttons.at(i)->isSeparator(), keys.at(i).isEmpty());
            if (keys.at(i).isEmpty())
                continue;
            QCOMPARE(buttons.at(i)->objectName(), keys.at(i));
            QCOMPARE(buttons.at(i)->toolTip(), tips.at(i));
            QVERIFY(buttons.at(i)->text().isEmpty());
            QVERIFY(!buttons.at(i)->icon().isNull());
        }

        const ImageList& images = form->imageList1();
        QCOMPARE(images.keys(),
                 (QStringList{QStringLiteral("quit"), QStringLiteral("edit"), QStringLiteral("ex1"),
                              QStringLiteral("ex2"), QStringLiteral("ex3"), QStringLiteral("copy"),
                              QStringLiteral("move"), QStringLiteral("delete"),
                              QStringLiteral("rename")}));
        for (int i = 1; i <= images.count(); ++i) {
            QCOMPARE(images.image(i).size(), QSize(32, 16));
            QVERIFY(images.image(i).hasAlpha());
        }
        QCOMPARE(images.image(QStringLiteral("edit")).size(), QSize(32, 16));
    }

    // ---- Start-up (Form_Initialize) -----------------------------------------------------

    void storedSettingsAreApplied() {
        writeIni({QStringLiteral("[OpProgram]"),    QStringLiteral("Name=秀丸"),
                  QStringLiteral("[Font]"),         QStringLiteral("Name=IPAMincho"),
                  QStringLiteral("Size=12"),        QStringLiteral("Uline=1"),
                  QStringLiteral("Strike=False"),   QStringLiteral("Italic=TRUE"),
                  QStringLiteral("Bold=true"),      QStringLiteral("Color=255"),
                  QStringLiteral("BColor=65280"),   QStringLiteral("[Form]"),
                  QStringLiteral("Top= 1500     "), QStringLiteral("Left=2250"),
                  QStringLiteral("Height=7500"),    QStringLiteral("Width=9600"),
                  QStringLiteral("[Option]"),       QStringLiteral("Fselect=False"),
                  QStringLiteral("[Extention]"),    QStringLiteral("Ext1=*.csv"),
                  QStringLiteral("Ext2="),          QStringLiteral("Ext4=*.log")});
        auto form = makeForm();
        QVERIFY(shown().isEmpty());
        QCOMPARE(form->command1()->text(), QStringLiteral("秀丸"));
        const QFont font = form->text1()->font();
        QCOMPARE(font.family(), QStringLiteral("IPAMincho"));
        QCOMPARE(font.pointSizeF(), 12.0);
        QVERIFY(font.underline() && font.italic() && font.bold() && !font.strikeOut());
        const QPalette viewer = form->text1()->palette();
        QCOMPARE(viewer.color(QPalette::Active, QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(viewer.color(QPalette::Active, QPalette::Base), QColor(0, 255, 0));
        QCOMPARE(form->outerGeometryTwips(), QRect(2250, 1500, 9600, 7500));

        QCOMPARE(modPlok().ShowFiler, False16);
        for (QWidget* filer :
             {static_cast<QWidget*>(form->drive1()), static_cast<QWidget*>(form->dir1()),
              static_cast<QWidget*>(form->file1()), static_cast<QWidget*>(form->combo1()),
              static_cast<QWidget*>(form->label1())})
            QVERIFY(filer->isHidden());
        QCOMPARE(form->viewerLeft(), 60);
        QCOMPARE(form->viewerMinWidth(), 5880);

        QStringList patterns;
        for (int i = 0; i < form->combo1()->count(); ++i)
            patterns.append(form->combo1()->itemText(i));
        QCOMPARE(patterns, (QStringList{QStringLiteral("*.TXT"), QStringLiteral("*.*"),
                                        QStringLiteral("*.csv"), QStringLiteral("*.log")}));
        QCOMPARE(form->combo1()->currentText(), QStringLiteral("*.TXT"));
    }

    void withoutSettingsTheDesignedLookAndTheDefaults() {
        auto form = makeForm();
        QVERIFY(shown().isEmpty());
        QCOMPARE(form->command1()->text(), QStringLiteral("Editor"));
        QCOMPARE(form->text1()->font().family(), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(form->text1()->font().pointSizeF(), 9.0);
        QVERIFY(!form->text1()->font().bold());
        // No Color or BColor key: the theme's text on the theme's base (black on white on a
        // light theme), never 1 on 0.
        const QPalette viewer = form->text1()->palette();
        QCOMPARE(viewer.color(QPalette::Active, QPalette::Base),
                 QApplication::palette().color(QPalette::Active, QPalette::Base));
        QCOMPARE(viewer.color(QPalette::Active, QPalette::Text),
                 QApplication::palette().color(QPalette::Active, QPalette::Text));
        QCOMPARE(form->outerGeometryTwips(), QRect(0, 0, 9000, 7200));
        QCOMPARE(modPlok().ShowFiler, True16);
        QVERIFY(!form->file1()->isHidden());
        QCOMPARE(form->combo1()->count(), 2);
        QCOMPARE(modPlok().SettingsPath, programDir_->path() + QStringLiteral("/plok.ini"));
    }

    void aDarkThemeGivesTheViewerReadableColours() {
        // Qt's GTK theme on Adwaita:dark: light text on a dark base. A first start shows the
        // preview in both; stored colours stay as they are.
        const ApplicationPaletteScope dark(darkPalette());
        auto first = makeForm();
        const QPalette viewer = first->text1()->palette();
        const QColor text = viewer.color(QPalette::Active, QPalette::Text);
        const QColor base = viewer.color(QPalette::Active, QPalette::Base);
        QCOMPARE(base, darkPalette().color(QPalette::Base));
        QVERIFY2(contrastRatio(text, base) >= ReadableContrast,
                 qPrintable(text.name() + QStringLiteral(" on ") + base.name()));

        resetModPlok();
        writeIni({QStringLiteral("[Font]"), QStringLiteral("Color=0"),
                  QStringLiteral("BColor=16777215")});
        auto stored = makeForm();
        QCOMPARE(stored->text1()->palette().color(QPalette::Active, QPalette::Text),
                 QColor(Qt::black));
        QCOMPARE(stored->text1()->palette().color(QPalette::Active, QPalette::Base),
                 QColor(Qt::white));
    }

    void presentColourKeysApplyIncludingSystemColours() {
        // 0x80000008 window text and 0x80000005 window, written as negative numbers.
        writeIni({QStringLiteral("[Font]"), QStringLiteral("Color=-2147483640"),
                  QStringLiteral("BColor=-2147483643")});
        auto form = makeForm();
        const QPalette system = QApplication::palette();
        const QPalette viewer = form->text1()->palette();
        QCOMPARE(viewer.color(QPalette::Active, QPalette::Text),
                 system.color(QPalette::Active, QPalette::Text));
        QCOMPARE(viewer.color(QPalette::Active, QPalette::Base),
                 system.color(QPalette::Active, QPalette::Base));

        resetModPlok();
        writeIni({QStringLiteral("[Font]"), QStringLiteral("Color=16777215"),
                  QStringLiteral("BColor=0")});
        auto white = makeForm();
        QCOMPARE(white->text1()->palette().color(QPalette::Active, QPalette::Text),
                 QColor(Qt::white));
        QCOMPARE(white->text1()->palette().color(QPalette::Active, QPalette::Base),
                 QColor(Qt::black));
    }

    void valuesThatCannotBeAppliedTakeTheirDefaults() {
        writeIni({QStringLiteral("[Font]"), QStringLiteral("Size=0"), QStringLiteral("Bold=yes"),
                  QStringLiteral("[Form]"), QStringLiteral("Height=0"), QStringLiteral("Width=-30"),
                  QStringLiteral("[Option]"), QStringLiteral("Fselect=perhaps")});
        auto form = makeForm();
        QVERIFY(shown().isEmpty());
        QCOMPARE(form->text1()->font().pointSizeF(), 9.0);
        QVERIFY(!form->text1()->font().bold());
        QCOMPARE(form->outerGeometryTwips().size(), QSize(9000, 7200));
        QCOMPARE(modPlok().ShowFiler, True16);
    }

    void windowPlaceIsKeptOnTheScreen() {
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        writeIni({QStringLiteral("[Form]"), QStringLiteral("Top=99999999"),
                  QStringLiteral("Left=-300")});
        auto form = makeForm();
        // The whole window, not only its corner, comes onto the screen.
        QCOMPARE(form->outerGeometryTwips().top(), screen.height() * 15 - 7200);
        QCOMPARE(form->outerGeometryTwips().left(), 0);

        resetModPlok();
        writeIni(
            {QStringLiteral("[Form]"), QStringLiteral("Top=-45"), QStringLiteral("Left=99999999")});
        auto other = makeForm();
        QCOMPARE(other->outerGeometryTwips().top(), 0);
        QCOMPARE(other->outerGeometryTwips().left(), screen.width() * 15 - 9000);
        // The size is not changed by bringing the window back.
        QCOMPARE(other->outerGeometryTwips().width(), 9000);
    }

    void unreadableHistoryIsReportedAndTheSettingsStillApply() {
        QFile::remove(programFile("plok.his"));
        writeIni({QStringLiteral("[OpProgram]"), QStringLiteral("Name=vim"),
                  QStringLiteral("[Font]"), QStringLiteral("Size=14"), QStringLiteral("[Form]"),
                  QStringLiteral("Left=1500"), QStringLiteral("Width=9900"),
                  QStringLiteral("[Option]"), QStringLiteral("Fselect=0"),
                  QStringLiteral("[Extention]"), QStringLiteral("Ext1=*.md")});
        auto form = makeForm();
        // Reported over the window once it is shown in its place, not before.
        QVERIFY(shown().isEmpty());
        const QPoint placed = form->pos();
        form->show();
        QTRY_COMPARE(shown().size(), 1);
        QCOMPARE(form->pos(), placed);
        QCOMPARE(shown().at(0).text, QStringLiteral("ファイルが見みつかりません。"));
        QCOMPARE(shown().at(0).title, QStringLiteral("ディスク エラー"));
        QCOMPARE(fakes_->messageBox.owners.at(0), static_cast<QWidget*>(form.get()));
        // Steps 10 to 16 ran all the same.
        QCOMPARE(form->command1()->text(), QStringLiteral("vim"));
        QCOMPARE(form->text1()->font().pointSizeF(), 14.0);
        QCOMPARE(form->outerGeometryTwips().left(), 1500);
        QCOMPARE(form->outerGeometryTwips().width(), 9900);
        QCOMPARE(modPlok().ShowFiler, False16);
        QCOMPARE(form->combo1()->itemText(2), QStringLiteral("*.md"));

        // At exit the history is created with 40 empty lines.
        form->close();
        QCOMPARE(readFile(programFile("plok.his")), emptyHistory());
    }

    void shortHistoryKeepsWhatWasRead() {
        QStringList lines;
        for (int i = 1; i <= 25; ++i)
            lines.append(QStringLiteral("/folder%1").arg(i));
        writeFile(programFile("plok.his"), crlf(lines));
        auto form = makeForm();
        form->show();
        QTRY_COMPARE(shown().size(), 1);
        QVERIFY(shown().at(0).text.startsWith(QStringLiteral("ファイルの EOF 記号")));
        QCOMPARE(modPlok().RecentDirs(20), QStringLiteral("/folder20"));
        QCOMPARE(modPlok().UsualDirs(5), QStringLiteral("/folder25"));
        QVERIFY(modPlok().UsualDirs(6).isEmpty());
    }

    // ---- Command line (Form_Load) and preview -------------------------------------------

    void commandLineOpensTheFolderAndPreviewsTheFile() {
        writeData(QStringLiteral("my docs/Memo.TXT"), "first\r\nsecond\r\n");
        writeData(QStringLiteral("my docs/other.txt"), "other\r\n");
        writeData(QStringLiteral("my docs/note.log"), "log\r\n");
        auto form = makeForm();
        const QString folder = dataPath(QStringLiteral("my docs"));
        const QString argument = folder + QStringLiteral("/memo.txt");
        form->Form_Load(QChar(u'"') + argument + QChar(u'"'));

        QCOMPARE(form->dir1()->path(), folder);
        QCOMPARE(form->file1()->path(), folder);
        QCOMPARE(form->file1()->pattern(), QStringLiteral("*.TXT"));
        QCOMPARE(form->combo1()->currentText(), QStringLiteral("*.TXT"));
        QCOMPARE(form->file1()->listCount(), 2);
        QCOMPARE(form->file1()->fileName(), QStringLiteral("Memo.TXT"));
        QCOMPARE(form->previewText(), QStringLiteral("first\r\nsecond\r\n"));
        QCOMPARE(form->text1()->toPlainText(), QStringLiteral("first\nsecond\n"));
        // Label5 names the entry shown, not the argument's spelling of it.
        QCOMPARE(form->label5()->text(), folder + QStringLiteral("/Memo.TXT"));
        QVERIFY(shown().isEmpty());
    }

    void commandLineSplitByTheShellArrivesWhole() {
        writeData(QStringLiteral("a b/c d.log"), "x\r\n");
        writeData(QStringLiteral("a b/e.txt"), "y\r\n");
        auto form = makeForm();
        const QString path = dataPath(QStringLiteral("a b/c d.log"));
        form->Form_Load(path); // already joined by blanks
        QCOMPARE(form->file1()->pattern(), QStringLiteral("*.*"));
        QCOMPARE(form->combo1()->currentText(), QStringLiteral("*.*"));
        QCOMPARE(form->file1()->listCount(), 2);
        QCOMPARE(form->file1()->fileName(), QStringLiteral("c d.log"));
        QCOMPARE(form->previewText(), QStringLiteral("x\r\n"));
        QCOMPARE(form->currentFile(), path);
        // A name that holds a quote is that file, where it exists.
        writeData(QStringLiteral("a b/c\"d.log"), "quote\r\n");
        form->Form_Load(dataPath(QStringLiteral("a b/c\"d.log")));
        QCOMPARE(form->previewText(), QStringLiteral("quote\r\n"));
        // A folder is opened, never made the file that D would trash.
        for (const QString& text :
             QStringList{dataPath(QStringLiteral("a b")),
                         QLatin1Char('"') + dataPath(QStringLiteral("a b")) + QLatin1Char('"')}) {
            auto fresh = makeForm();
            fresh->Form_Load(text);
            QCOMPARE(fresh->dir1()->path(), dataPath(QStringLiteral("a b")));
            QVERIFY(fresh->currentFile().isEmpty());
        }
    }

    void commandLineWithAMissingFolderIsReported() {
        auto form = makeForm();
        const QString before = form->dir1()->path();
        form->Form_Load(dataPath(QStringLiteral("nowhere/memo.txt")));
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown().at(0).text, QStringLiteral("指定されたパスが存在しません。"));
        QCOMPARE(form->dir1()->path(), before);
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("nowhere/memo.txt")));
    }

    void emptyCommandLineLeavesTheListsOnTheCurrentFolder() {
        auto form = makeForm();
        form->Form_Load(QString());
        QCOMPARE(form->dir1()->path(), QDir::cleanPath(QDir::currentPath()));
        QCOMPARE(form->file1()->pattern(), QStringLiteral("*.TXT"));
        QVERIFY(form->currentFile().isEmpty());
    }

    void previewFollowsTheSelectionByMouseAndKeys() {
        writeData(QStringLiteral("a.txt"), "alpha\r\n");
        writeData(QStringLiteral("b.txt"), "beta\r\n");
        writeData(QStringLiteral("c.txt"), "gamma\r\n");
        auto form = makeForm();
        showActive(*form);
        form->Form_Load(dataPath(QStringLiteral("a.txt")));
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("a.txt")));

        FileListView* list = form->file1();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(form->previewText(), QStringLiteral("beta\r\n"));
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("b.txt")));

        const QRect third = list->visualRect(list->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
        QCOMPARE(form->previewText(), QStringLiteral("gamma\r\n"));
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("c.txt")));
    }

    void previewReenablesTheGreyedViewer() {
        writeData(QStringLiteral("a.txt"), "alpha\r\n");
        writeData(QStringLiteral("b.txt"), "beta\r\n");
        auto form = makeForm();
        form->Form_Load(dataPath(QStringLiteral("a.txt")));
        // As after the editor was started on the file.
        form->launched() = 1;
        form->text1()->setEnabled(false);
        form->file1()->setListIndex(1);
        QVERIFY(form->text1()->isEnabled());
        QCOMPARE(form->launched(), qint16(0));
        QCOMPARE(form->previewText(), QStringLiteral("beta\r\n"));
    }

    void failedPreviewKeepsTheViewerAndThePath() {
        writeData(QStringLiteral("a.txt"), "alpha\r\n");
        writeData(QStringLiteral("b.txt"), "beta\r\n");
        auto form = makeForm();
        form->Form_Load(dataPath(QStringLiteral("a.txt")));
        form->launched() = 1;
        form->text1()->setEnabled(false);
        QVERIFY(QFile::remove(dataPath(QStringLiteral("b.txt")))); // behind the program's back
        form->file1()->setListIndex(1);

        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown().at(0).text, QStringLiteral("ファイルが見みつかりません。"));
        QCOMPARE(form->file1()->fileName(), QStringLiteral("b.txt"));
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("a.txt")));
        QCOMPARE(form->text1()->toPlainText(), QStringLiteral("alpha\n"));
        QVERIFY(form->text1()->isEnabled()); // enabled before the open failed
        QCOMPARE(form->launched(), qint16(1));
    }

    // ---- Filer navigation ---------------------------------------------------------------

    void unreadyDriveIsReportedAndTheListReturns() {
        writeData(QStringLiteral("here/a.txt"), "a\r\n");
        QTemporaryDir cardDir;
        QTemporaryDir stickDir;
        const QString card = QDir::cleanPath(cardDir.path());
        const QString stick = QDir::cleanPath(stickDir.path());
        fakes_->driveList.entries = {{QStringLiteral("/"), QString()},
                                     {card, QStringLiteral("CARD")},
                                     {stick, QStringLiteral("STICK")}};
        fakes_->driveList.failures.insert(card, 71);
        auto form = makeForm();
        form->Form_Load(dataPath(QStringLiteral("here/a.txt")));
        const QString here = dataPath(QStringLiteral("here"));
        QCOMPARE(form->drive1()->drive(), QStringLiteral("/"));

        form->drive1()->setCurrentIndex(1);
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown().at(0).text, QStringLiteral("ディスクをドライブに挿入してください。"));
        QCOMPARE(shown().at(0).icon, MessageIcon::Exclamation);
        QCOMPARE(shown().at(0).buttons, MessageButtons::Ok);
        QCOMPARE(form->drive1()->drive(), QStringLiteral("/"));
        QCOMPARE(form->dir1()->path(), here);
        QCOMPARE(form->file1()->path(), here);
        QCOMPARE(form->file1()->listCount(), 1);

        // A usable drive shows its mount point, and the drive list remembers the folder.
        form->drive1()->setCurrentIndex(2);
        QCOMPARE(shown().size(), 1);
        QCOMPARE(form->dir1()->path(), stick);
        QCOMPARE(form->file1()->path(), stick);
        form->drive1()->setCurrentIndex(0);
        QCOMPARE(form->dir1()->path(), here);
    }

    void deviceNotReadyShowsThePlainBox() {
        QTemporaryDir gone;
        const QString mount = QDir::cleanPath(gone.path());
        fakes_->driveList.entries = {{QStringLiteral("/"), QString()}, {mount, QString()}};
        fakes_->driveList.failures.insert(mount, 68);
        auto form = makeForm();
        form->drive1()->setCurrentIndex(1);
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown().at(0).text, QStringLiteral("デバイスが準備されていません。"));
        QCOMPARE(shown().at(0).icon, MessageIcon::None);
        QCOMPARE(form->drive1()->drive(), QStringLiteral("/"));
    }

    void enterOpensTheHighlightedFolder() {
        writeData(QStringLiteral("top.txt"), "top\r\n");
        writeData(QStringLiteral("sub/inner.txt"), "inner\r\n");
        auto form = makeForm();
        showActive(*form);
        form->Form_Load(dataPath(QStringLiteral("top.txt")));
        DirectoryListView* dirs = form->dir1();
        dirs->setFocus();
        QTest::keyClick(dirs, Qt::Key_Down); // highlights "sub" only
        QCOMPARE(dirs->path(), QDir::cleanPath(dataDir_->path()));
        QCOMPARE(dirs->highlightedPath(), dataPath(QStringLiteral("sub")));
        QTest::keyClick(dirs, Qt::Key_Return);
        QCOMPARE(dirs->path(), dataPath(QStringLiteral("sub")));
        QCOMPARE(form->file1()->path(), dataPath(QStringLiteral("sub")));
        QCOMPARE(form->file1()->listEntry(0), QStringLiteral("inner.txt"));
        // The preview is not changed until a file is selected.
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("top.txt")));
        QCOMPARE(form->previewText(), QStringLiteral("top\r\n"));
        QVERIFY(shown().isEmpty());
    }

    void pickingAPatternFiltersTypingDoesNot() {
        writeData(QStringLiteral("a.txt"), "a\r\n");
        writeData(QStringLiteral("b.log"), "b\r\n");
        auto form = makeForm();
        showActive(*form);
        form->Form_Load(dataPath(QStringLiteral("a.txt")));
        QCOMPARE(form->file1()->listCount(), 1);

        QComboBox* patterns = form->combo1();
        patterns->setFocus();
        patterns->lineEdit()->selectAll();
        QTest::keyClicks(patterns->lineEdit(), QStringLiteral("*.log"));
        QTest::keyClick(patterns->lineEdit(), Qt::Key_Return);
        QCOMPARE(patterns->currentText(), QStringLiteral("*.log"));
        QCOMPARE(form->file1()->pattern(), QStringLiteral("*.TXT"));
        QCOMPARE(form->file1()->listCount(), 1);
        QCOMPARE(patterns->count(), 2); // typing adds no entry

        patterns->setCurrentIndex(0);
        QTest::keyClick(patterns, Qt::Key_Down); // picks "*.*" from the list
        QCOMPARE(form->file1()->pattern(), QStringLiteral("*.*"));
        QCOMPARE(form->file1()->listCount(), 2);
        emit patterns->activated(0);
        QCOMPARE(form->file1()->pattern(), QStringLiteral("*.TXT"));
        QCOMPARE(form->file1()->listCount(), 1);
    }

    // ---- Keys, toolbar and commands -----------------------------------------------------

    void keysRunTheirCommandsOnceAndStillReachTheControl() {
        writeData(QStringLiteral("a.txt"), "a\r\n");
        auto form = makeForm();
        QMap<MainCommand, int> runs;
        for (MainCommand command :
             {MainCommand::Copy, MainCommand::Move, MainCommand::Delete, MainCommand::Rename})
            form->setCommandHandler(command, [&runs, command] { ++runs[command]; });
        modPlok().EditorPath = QStringLiteral("editor");
        for (int tool = 1; tool <= 3; ++tool)
            modPlok().ToolPath(tool) = QStringLiteral("tool%1").arg(tool);
        showActive(*form);
        form->Form_Load(dataPath(QStringLiteral("a.txt")));

        // The editor button keeps the focus when the viewer greys after E.
        form->command1()->setFocus();
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_C);
        QTest::keyClick(focus, Qt::Key_M, Qt::ShiftModifier);
        QTest::keyClick(focus, Qt::Key_D);
        QTest::keyClick(focus, Qt::Key_R);
        QTest::keyClick(focus, Qt::Key_D, Qt::ControlModifier); // Ctrl and Alt: no command
        QTest::keyClick(focus, Qt::Key_R, Qt::AltModifier);
        QTest::keyClick(focus, Qt::Key_E);
        QTest::keyClick(focus, Qt::Key_1);
        QTest::keyClick(focus, Qt::Key_2);
        QTest::keyClick(focus, Qt::Key_3);
        QTest::keyClick(focus, Qt::Key_1, Qt::KeypadModifier);
        QTest::keyClick(focus, Qt::Key_F);
        for (MainCommand command :
             {MainCommand::Copy, MainCommand::Move, MainCommand::Delete, MainCommand::Rename})
            QCOMPARE(runs.value(command), 1);
        // E and the main keyboard's 1 to 3 start the editor and the tools, each once, on the
        // current file; the keypad's 1 starts nothing.
        QStringList programs;
        for (const auto& started : fakes_->processStarter.started) {
            programs.append(started.program);
            QCOMPARE(started.arguments, QStringList{dataPath(QStringLiteral("a.txt"))});
        }
        QCOMPARE(programs, (QStringList{QStringLiteral("editor"), QStringLiteral("tool1"),
                                        QStringLiteral("tool2"), QStringLiteral("tool3")}));
        QCOMPARE(form->launched(), qint16(1));
        QVERIFY(!form->text1()->isEnabled());
        QCOMPARE(modPlok().TargetPath, dataPath(QStringLiteral("a.txt")));
        QCOMPARE(modPlok().FileOpCode, qint16(4)); // rename ran last

        // Typing "c" into the pattern field starts the copy and the letter lands in the field.
        QComboBox* patterns = form->combo1();
        patterns->setFocus();
        patterns->lineEdit()->clear();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("c"));
        QCOMPARE(runs.value(MainCommand::Copy), 2);
        QCOMPARE(patterns->currentText(), QStringLiteral("c"));
        QCOMPARE(modPlok().FileOpCode, qint16(1));
    }

    // A command key runs its command only: in a list it does not also jump to an entry
    // starting with its letter (the next command would act on a file never picked). Other
    // letters keep the lists' type-ahead; a text field still gets the letter.
    void commandKeysLeaveTheListsAlone_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("withCurrentFile");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>(
            "expected"); // the current file's name, highlighted folder or text
        const std::pair<const char*, Qt::Key> commandKeys[] = {
            {"C", Qt::Key_C}, {"D", Qt::Key_D},       {"E", Qt::Key_E}, {"M", Qt::Key_M},
            {"Q", Qt::Key_Q}, {"R", Qt::Key_R},       {"1", Qt::Key_1}, {"2", Qt::Key_2},
            {"3", Qt::Key_3}, {"Esc", Qt::Key_Escape}};
        for (const auto& [name, key] : commandKeys) {
            QTest::addRow("File1 %s", name)
                << QStringLiteral("File1") << true << int(key) << QStringLiteral("a.txt");
            QTest::addRow("Dir1 %s", name)
                << QStringLiteral("Dir1") << true << int(key) << QStringLiteral("asub");
        }
        QTest::newRow("File1 C without a current file")
            << QStringLiteral("File1") << false << int(Qt::Key_C) << QString();
        QTest::newRow("File1 F jumps")
            << QStringLiteral("File1") << true << int(Qt::Key_F) << QStringLiteral("f.txt");
        QTest::newRow("Dir1 F jumps")
            << QStringLiteral("Dir1") << true << int(Qt::Key_F) << QStringLiteral("fsub");
        QTest::newRow("Combo1 C is typed")
            << QStringLiteral("Combo1") << true << int(Qt::Key_C) << QStringLiteral("c");
    }

    void commandKeysLeaveTheListsAlone() {
        QFETCH(QString, control);
        QFETCH(bool, withCurrentFile);
        QFETCH(int, key);
        QFETCH(QString, expected);
        for (const char* name : {"a", "c", "d", "e", "f", "m", "q", "r", "1", "2", "3"}) {
            writeData(QString::fromLatin1(name) + QStringLiteral(".txt"), "x\r\n");
            QDir().mkpath(dataPath(QString::fromLatin1(name) + QStringLiteral("sub")));
        }
        auto form = makeForm();
        int fileCommands = 0;
        for (MainCommand command :
             {MainCommand::Copy, MainCommand::Move, MainCommand::Delete, MainCommand::Rename})
            form->setCommandHandler(command, [&fileCommands] { ++fileCommands; });
        modPlok().EditorPath = QStringLiteral("editor");
        for (int tool = 1; tool <= 3; ++tool)
            modPlok().ToolPath(tool) = QStringLiteral("tool%1").arg(tool);
        showActive(*form);
        form->Form_Load(dataPath(QStringLiteral("a.txt")));
        if (!withCurrentFile) {
            form->file1()->setPath(form->file1()->path()); // nothing selected
            form->clearCurrentFile();
        }
        DirectoryListView* dirs = form->dir1();
        dirs->setFocus();
        for (int i = 0; i < 8 && dirs->highlightedPath() != dataPath(QStringLiteral("asub")); ++i)
            QTest::keyClick(dirs, Qt::Key_Down); // past "1sub" to "3sub"
        QCOMPARE(dirs->highlightedPath(), dataPath(QStringLiteral("asub")));

        QWidget* target = form->findChild<QWidget*>(control);
        QVERIFY(target);
        target->setFocus();
        if (control == QStringLiteral("Combo1"))
            form->combo1()->lineEdit()->clear();
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key(key));
        // The command itself ran.
        if (key != Qt::Key_F)
            QCOMPARE(fileCommands + shown().size() + fakes_->processStarter.started.size() +
                         (form->isVisible() ? 0 : 1),
                     1);
        if (control == QStringLiteral("File1")) {
            QCOMPARE(form->file1()->fileName(), expected);
            QCOMPARE(form->currentFile(), expected.isEmpty() ? QString() : dataPath(expected));
        } else if (control == QStringLiteral("Dir1")) {
            QCOMPARE(dirs->highlightedPath(), dataPath(expected));
            QCOMPARE(dirs->path(), QDir::cleanPath(dataDir_->path()));
        } else {
            QCOMPARE(form->combo1()->currentText(), expected);
        }
    }

    void keysWaitWhileTheWindowIsNotActive() {
        auto form = makeForm();
        int copies = 0;
        form->setCommandHandler(MainCommand::Copy, [&copies] { ++copies; });
        form->setCurrentFile(QStringLiteral("/x.txt"));
        // Never shown: not the active window.
        QTest::keyClick(form->text1(), Qt::Key_C);
        QCOMPARE(copies, 0);
    }

    void fileCommandsWithoutACurrentFileWarn() {
        auto form = makeForm();
        bool opened = false;
        form->setCommandHandler(MainCommand::Delete, [&opened] { opened = true; });
        for (const char* name : {"miCopy", "miMove", "miDel", "miRen"})
            form->findChild<QAction*>(QString::fromUtf8(name))->trigger();
        QCOMPARE(shown().size(), 4);
        for (const MessageRequest& request : shown()) {
            QCOMPARE(request.text, QStringLiteral("ファイルが選択されていません。"));
            QCOMPARE(request.title, QStringLiteral("ファイル選択エラー"));
            QCOMPARE(request.icon, MessageIcon::Exclamation);
            QCOMPARE(request.buttons, MessageButtons::Ok);
        }
        QVERIFY(!opened);
        QCOMPARE(modPlok().FileOpCode, qint16(0));
    }

    void toolbarButtonsAndCommand1ReachTheCommands() {
        auto form = makeForm();
        QList<MainCommand> runs;
        form->setCommandHandler(MainCommand::Move, [&runs] { runs.append(MainCommand::Move); });
        modPlok().EditorPath = QStringLiteral("editor --new-window");
        modPlok().ToolPath(2) = QStringLiteral("tool2");
        form->setCurrentFile(QStringLiteral("/tmp/x.txt"));
        form->findChild<QAction*>(QStringLiteral("tbX2"))->trigger();
        form->findChild<QAction*>(QStringLiteral("tbM"))->trigger();
        QTest::mouseClick(form->command1(), Qt::LeftButton);
        QCOMPARE(runs, QList<MainCommand>{MainCommand::Move});
        const auto& started = fakes_->processStarter.started;
        QCOMPARE(started.size(), 2);
        QCOMPARE(started[0].program, QStringLiteral("tool2"));
        QCOMPARE(started[1].program, QStringLiteral("editor"));
        QCOMPARE(started[1].arguments,
                 (QStringList{QStringLiteral("--new-window"), QStringLiteral("/tmp/x.txt")}));
        QCOMPARE(modPlok().FileOpCode, qint16(2));
        QCOMPARE(modPlok().TargetPath, QStringLiteral("/tmp/x.txt"));
    }

    void editorAndToolFailuresLeaveTheViewerAlone() {
        auto form = makeForm();
        form->setCurrentFile(QStringLiteral("/tmp/x.txt"));
        modPlok().ToolPath(3) = QString(); // tool 3 not configured
        form->findChild<QAction*>(QStringLiteral("miEx3"))->trigger();
        QCOMPARE(fakes_->beep.count, 1);
        QVERIFY(fakes_->processStarter.started.isEmpty());
        fakes_->messageBox.shown.clear(); // the note of where tools are set

        modPlok().EditorPath = QStringLiteral("no-such-editor");
        fakes_->processStarter.result = 53;
        form->findChild<QAction*>(QStringLiteral("miOpen"))->trigger();
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown().first().text, QStringLiteral("ファイルが見みつかりません。"));
        QCOMPARE(form->launched(), qint16(0));
        QVERIFY(form->text1()->isEnabled());
    }

    void escapeAndQCloseTheWindow_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Q") << int(Qt::Key_Q);
        QTest::newRow("toolbar") << 0;
    }

    void escapeAndQCloseTheWindow() {
        QFETCH(int, key);
        auto form = makeForm();
        showActive(*form);
        if (key)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : static_cast<QWidget*>(form.get()),
                            Qt::Key(key));
        else
            form->findChild<QAction*>(QStringLiteral("tbQ"))->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(readFile(programFile("plok.ini")).contains("Width= 9000"));
    }

    // ---- Layout -------------------------------------------------------------------------

    void activationLaysTheWindowOut() {
        auto form = makeForm();
        showActive(*form);
        const QRect outer = form->outerGeometryTwips();
        const MainWindowLayout expected =
            computeMainWindowLayout(outer.width(), outer.height(), true, PresentSizes{});
        QCOMPARE(form->text1()->geometry(), twipsToPixels(expected.Text1));
        QCOMPARE(form->file1()->geometry(), twipsToPixels(expected.File1));
        QCOMPARE(form->dir1()->geometry(), twipsToPixels(expected.Dir1));
        QCOMPARE(form->toolbar1()->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(form->toolbar1()->width(), form->width());

        // Growing: the viewer follows.
        form->resize(form->width() + 60, form->height() + 24);
        QCOMPARE(form->text1()->width(), twipsToPixels(expected.Text1).width() + 60);
        QCOMPARE(form->text1()->height(), twipsToPixels(expected.Text1).height() + 24);

        // Narrower or lower than allowed snaps back to the minimum.
        form->resize(100, 100);
        QCOMPARE(form->frameGeometry().width(), 600);
        QCOMPARE(form->frameGeometry().height(), 476);
        QCOMPARE(form->text1()->geometry(), twipsToPixels(TwipsRect{3180, 1380, 5640, 5010}));

        // Hiding the filer takes effect at the next activation.
        modPlok().ShowFiler = False16;
        form->Form_Activate();
        QVERIFY(form->file1()->isHidden());
        QCOMPARE(form->minimumWidth() + form->frameGeometry().width() - form->width(), 392);
        QCOMPARE(form->text1()->x(), 4);
        QCOMPARE(form->command1()->x(), 4);
        QCOMPARE(form->label5()->x(), 116);
        form->resize(100, 100);
        QCOMPARE(form->text1()->geometry(), twipsToPixels(TwipsRect{60, 1380, 5640, 5010}));
    }

    // With Noto CJK the pattern box is as tall as its font needs and keeps the margin under
    // it inside the window, the filer above it moved up to make room; with IPA it keeps the
    // designed 300 twips.
    void thePatternBoxFitsItsFont_data() {
        QTest::addColumn<QString>("family");
        for (const char* family : {"IPAGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"})
            QTest::newRow(family) << QString::fromLatin1(family);
    }
    void thePatternBoxFitsItsFont() {
        QFETCH(QString, family);
        if (!ForcedFont::installed(family))
            QSKIP(qPrintable(family + QStringLiteral(" is not installed (fonts-noto-cjk, "
                                                     "fonts-ipafont-gothic)")));
        const ForcedFont font(family, 9);
        auto form = makeForm();
        showActive(*form);
        const QComboBox* combo = form->combo1();
        QCOMPARE(combo->fontInfo().family(), family);
        QVERIFY(combo->height() >= textHeightOf(*combo));
        if (family == QStringLiteral("IPAGothic"))
            QCOMPARE(combo->height(), twipsToPixels(300));
        const QWidget* client = combo->parentWidget();
        QVERIFY2(
            combo->geometry().bottom() + twipsToPixels(60) < client->height(),
            qPrintable(
                QStringLiteral("%1 in %2").arg(combo->geometry().bottom()).arg(client->height())));
        QVERIFY(!combo->geometry().intersects(form->label4()->geometry()));
        QVERIFY(!combo->geometry().intersects(form->file1()->geometry()));
        QVERIFY(form->file1()->geometry().bottom() < form->label4()->geometry().top());
    }

    void minimisingMovesNothing() {
        auto form = makeForm();
        showActive(*form);
        const QRect viewer = form->text1()->geometry();
        form->setWindowState(Qt::WindowMinimized);
        QVERIFY(form->isMinimized());
        form->resize(form->width() + 150, form->height() + 150);
        QCoreApplication::processEvents();
        form->Form_Resize();
        QCOMPARE(form->text1()->geometry(), viewer);
    }

    // ---- Shutdown (Form_Unload) ---------------------------------------------------------

    void closingWritesExactlyTheFourFormKeysAndTheHistory() {
        writeIni({QStringLiteral("; kept"), QStringLiteral("[OpProgram]"),
                  QStringLiteral("Name=vim"), QStringLiteral("[Form]"), QStringLiteral("Top=0"),
                  QStringLiteral("Left=0"), QStringLiteral("Height=7200"),
                  QStringLiteral("Width=9000"), QStringLiteral("[Option]"),
                  QStringLiteral("Fselect=True")});
        auto form = makeForm();
        modPlok().RecentDirs(1) = QStringLiteral("/recent");
        modPlok().UsualDirs(20) = QStringLiteral("/usual");
        form->move(100, 80);
        form->resize(700, 500);
        form->close();

        QCOMPARE(readFile(programFile("plok.ini")),
                 crlf({QStringLiteral("; kept"), QStringLiteral("[OpProgram]"),
                       QStringLiteral("Name=vim"), QStringLiteral("[Form]"),
                       QStringLiteral("Top= 1200     "), QStringLiteral("Left= 1500     "),
                       QStringLiteral("Height= 7500     "), QStringLiteral("Width= 10500    "),
                       QStringLiteral("[Option]"), QStringLiteral("Fselect=True")}));
        QStringList history;
        history.append(QStringLiteral("/recent"));
        for (int i = 2; i <= 39; ++i)
            history.append(QString());
        history.append(QStringLiteral("/usual"));
        QCOMPARE(readFile(programFile("plok.his")), crlf(history));
        QCOMPARE(fakes_->beep.count, 0);
        QVERIFY(!form->isVisible());
    }

    void closingAMaximisedWindowBeepsAndStoresTheNormalPlace() {
        auto form = makeForm();
        form->move(30, 45);
        form->resize(640, 480);
        form->show();
        const QRect normal = form->frameGeometry();
        form->showMaximized();
        QTRY_VERIFY(form->isMaximized());
        form->close();
        QCOMPARE(fakes_->beep.count, 1);
        const QByteArray ini = readFile(programFile("plok.ini"));
        QVERIFY(ini.contains("Left=" + QByteArray::number(normal.left() * 15).prepend(' ')));
        QVERIFY(ini.contains("Width=" + QByteArray::number(normal.width() * 15).prepend(' ')));
        QVERIFY(ini.contains("Height=" + QByteArray::number(normal.height() * 15).prepend(' ')));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
