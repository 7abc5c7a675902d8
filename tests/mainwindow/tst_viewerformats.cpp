// The viewer beyond plain text, in the real main window: the encoding chosen in the viewer's
// menu reads the file shown again at once and holds for later picks until 自動, with the
// encoding used readable without the menu; a compressed file and a zip made on Windows, picked
// in File1, show their content and their names.
#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "filer/FileListView.h"
#include "mainwindow/Form1.h"
#include "mainwindow/ViewerEncodingMenu.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

#include <memory>

using namespace zorvane;
using namespace Qt::StringLiterals;
using zorvane::testing::bytesOf;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::shellOutput;
using zorvane::testing::toolsInstalled;
using zorvane::testing::writeBytes;

namespace {

// The action of the viewer's menu captioned `caption`, and whether it is the one checked.
QAction* choiceIn(Form1& form, const QString& caption) {
    std::unique_ptr<QMenu> menu(form.findChild<ViewerEncodingMenu*>()->createMenu());
    for (QAction* action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

QString checkedChoice(Form1& form) {
    std::unique_ptr<QMenu> menu(form.findChild<ViewerEncodingMenu*>()->createMenu());
    QString checked;
    for (QAction* action : menu->actions()) {
        if (action->isCheckable() && action->isChecked())
            checked += action->text();
    }
    return checked;
}

} // namespace

class TestViewerFormats : public QObject, MainWindowFixture {
    Q_OBJECT

    static void pick(Form1& form, const QString& name) {
        FileListView* files = form.file1();
        for (int row = 0; row < files->listCount(); ++row) {
            if (files->listEntry(row) == name)
                files->setListIndex(row);
        }
        QTRY_VERIFY(!form.previewPending());
        QCOMPARE(QFileInfo(form.currentFile()).fileName(), name);
    }

private slots:
    void init() { QVERIFY(setUpMainWindow()); }
    void cleanup() { tearDownMainWindow(); }

    // Each choice reads the file shown again at once, in that encoding or as the hex view: the
    // right text where the guess cannot know (UTF-16 without a mark) or guesses otherwise. The
    // choice is checked in the menu, said in the viewer's accessible description, and holds
    // for the next file picked until 自動 is chosen again.
    void encodingMenu_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("description");

        QTest::newRow("Shift_JIS that is valid UTF-8")
            << bytesOf({0xC3, 0xA9, 0x0D, 0x0A}) << u"Shift_JIS"_s << u"ﾃｩ\r\n"_s
            << u"文字コード: Shift_JIS（指定）"_s;
        QTest::newRow("EUC-JP") << bytesOf({0xC6, 0xFC, 0xCB, 0xDC, 0x0D, 0x0A}) << u"EUC-JP"_s
                                << u"日本\r\n"_s << u"文字コード: EUC-JP（指定）"_s;
        QTest::newRow("ISO-2022-JP") << QByteArray("\x1B$BF|K\\\x1B(B\r\n") << u"ISO-2022-JP"_s
                                     << u"日本\r\n"_s << u"文字コード: ISO-2022-JP（指定）"_s;
        QTest::newRow("UTF-8") << u"日本\r\n"_s.toUtf8() << u"UTF-8"_s << u"日本\r\n"_s
                               << u"文字コード: UTF-8（指定）"_s;
        QTest::newRow("UTF-16LE without a mark")
            << bytesOf({0xE5, 0x65, 0x2C, 0x67, 0x0D, 0x00, 0x0A, 0x00}) << u"UTF-16LE"_s
            << u"日本\r\n"_s << u"文字コード: UTF-16LE（指定）"_s;
        QTest::newRow("UTF-16BE without a mark")
            << bytesOf({0x65, 0xE5, 0x67, 0x2C, 0x00, 0x0D, 0x00, 0x0A}) << u"UTF-16BE"_s
            << u"日本\r\n"_s << u"文字コード: UTF-16BE（指定）"_s;
        QTest::newRow("hex view") << QByteArray("AB\r\n") << u"16進表示"_s
                                  << u"00000000  41 42 0D 0A"_s + QString(39, u' ') + u"AB..\r\n"_s
                                  << u"16進表示"_s;
    }

    void encodingMenu() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, choice);
        QFETCH(QString, text);
        QFETCH(QString, description);
        QVERIFY(writeBytes(dataPath(u"chosen.txt"_s), bytes));
        QVERIFY(writeBytes(dataPath(u"later.txt"_s), bytes));
        Form1 form(programDir_->path());
        form.Form_Load(dataPath(u"chosen.txt"_s));
        QTRY_VERIFY(!form.previewPending());
        QCOMPARE(checkedChoice(form), u"自動"_s);
        QVERIFY(form.text1()->accessibleDescription().endsWith(u"（自動判別）"_s));

        choiceIn(form, choice)->trigger();
        QTRY_COMPARE(form.previewText(), text);
        QCOMPARE(form.text1()->accessibleDescription(), description);
        QCOMPARE(checkedChoice(form), choice);

        pick(form, u"later.txt"_s);
        QCOMPARE(form.previewText(), text);
        QCOMPARE(form.text1()->accessibleDescription(), description);

        choiceIn(form, u"自動"_s)->trigger();
        QTRY_VERIFY(form.text1()->accessibleDescription().endsWith(u"（自動判別）"_s));
        QCOMPARE(checkedChoice(form), u"自動"_s);
    }

    // Picked in File1: a gzip file named like a rotated log shows its text; a zip made as
    // Windows makes them (Shift-JIS names, no UTF-8 flag) lists its names readably.
    void compressedFileAndWindowsZip_data() {
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QString>("make");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("description");

        QTest::newRow("log.1 in gzip")
            << QStringList{u"gzip"_s} << u"printf '一行目\\r\\n二行目\\r\\n' | gzip > log.1"_s
            << u"log.1"_s << u"一行目\r\n二行目\r\n"_s
            << u"gzip 圧縮、文字コード: UTF-8（自動判別）"_s;
        QTest::newRow("zip from Windows")
            << QStringList{u"zip"_s}
            << u"mkdir w && cd w && memo=$(printf '\\203\\201\\203\\202\\222\\240').txt && "
               "folder=$(printf '\\216\\221\\227\\277') && mkdir $folder && "
               "printf 'memo\\r\\n' > $memo && touch -d '2024-01-02 03:04:05' $memo $folder && "
               "LANG=C zip -q ../win.zip $memo $folder && cd .. && rm -r w"_s
            << u"win.zip"_s
            << u"         6  2024-01-02 03:04  メモ帳.txt\r\n"
               "     <DIR>  2024-01-02 03:04  資料/\r\n"_s
            << u"zip 書庫、名前の文字コード: Shift_JIS（自動判別）"_s;
    }

    void compressedFileAndWindowsZip() {
        QFETCH(QStringList, tools);
        QFETCH(QString, make);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, description);
        if (!toolsInstalled(tools))
            QSKIP("the tool is not installed");
        bool made = false;
        shellOutput(make, dataDir_->path(), &made);
        QVERIFY(made);
        QVERIFY(writeBytes(dataPath(u"before.txt"_s), "before\r\n"));
        Form1 form(programDir_->path());
        form.Form_Load(dataPath(u"before.txt"_s));
        QTRY_VERIFY(!form.previewPending());
        form.Combo1_Click(1); // *.*

        pick(form, name);
        QCOMPARE(form.previewText(), text);
        QCOMPARE(form.text1()->toPlainText(), QString(text).remove(u'\r'));
        QCOMPARE(form.text1()->accessibleDescription(), description);
    }
};

QTEST_MAIN(TestViewerFormats)
#include "tst_viewerformats.moc"
