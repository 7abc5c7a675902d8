// Files dragged onto the main window from another program, by the bytes of their URI list: a
// file is shown as a command line names it, a folder opened, anything but a local file refused.
#include "MainWindowFixture.h"
#include "PlatformFakes.h"

#include "app/ModPlok.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"
#include "filer/FileUriList.h"
#include "mainwindow/Form1.h"
#include "platform/NativePath.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorvane;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;

namespace {

bool writeNative(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, content.constData(), static_cast<size_t>(content.size())) == content.size();
    ::close(fd);
    return written;
}

const QByteArray MemoCp932 = QByteArray("\x83\x81\x83\x82\x92\xA0.txt"); // メモ帳.txt

} // namespace

class TestDragDrop : public QObject, MainWindowFixture {
    Q_OBJECT

    QByteArray root_;

private slots:
    void init() {
        QVERIFY(setUpMainWindow());
        root_ = nativePath(dataDir_->path());
    }

    void cleanup() { tearDownMainWindow(); }

    // The URI lists other programs send, read back to the exact bytes of each local file.
    void uriListsNameLocalFilesByTheirBytes_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QList<QByteArray>>("files");
        using Files = QList<QByteArray>;
        QTest::newRow("one file, CR LF")
            << QByteArray("file:///tmp/a.txt\r\n") << Files{"/tmp/a.txt"};
        QTest::newRow("UTF-8 escaped")
            << QByteArray("file:///tmp/%E8%B3%87%E6%96%99.txt\r\n") << Files{"/tmp/資料.txt"};
        QTest::newRow("Shift-JIS bytes escaped")
            << QByteArray("file:///tmp/%83%81%83%82%92%A0.txt") << Files{"/tmp/" + MemoCp932};
        QTest::newRow("blank, percent and hash escaped")
            << QByteArray("file:///tmp/a%20b%25c%23d") << Files{"/tmp/a b%c#d"};
        QTest::newRow("localhost, own host, file:/ and case")
            << QByteArray("file://localhost/a\r\nfile://thishost/b\nfile:/c\r\nFILE:///d\r\n")
            << Files{"/a", "/b", "/c", "/d"};
        QTest::newRow("comments and blank lines skipped")
            << QByteArray("# from a file manager\r\n\r\nfile:///x\r\n") << Files{"/x"};
        QTest::newRow("not local files refused")
            << QByteArray("http://example.org/a.txt\r\nfile://otherhost/a\r\nsmb://s/share/a\r\n"
                          "file:///a%00b\r\nfile:///a#frag\r\nfile:///a?q\r\nfile://nopath\r\n")
            << Files{};
        QTest::newRow("the local ones among others, in order")
            << QByteArray("https://x/y\r\nfile:///first\r\nfile:///second\r\n")
            << Files{"/first", "/second"};
    }

    void uriListsNameLocalFilesByTheirBytes() {
        QFETCH(QByteArray, list);
        QFETCH(QList<QByteArray>, files);
        QStringList expected;
        for (const QByteArray& file : files)
            expected.append(pathFromNative(file));
        QCOMPARE(localFilesOfUriList(list, "thishost"), expected);
    }

    // A drop shows what the same path on the command line shows; a folder is opened; of
    // several files the first is shown; never the text of another file beside its name.
    void droppedFilesAreShownAsTheCommandLineShowsThem_data() {
        QTest::addColumn<QByteArray>("list"); // "ROOT" stands for the data folder's bytes
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QByteArray>("label5"); // empty: Label5 as it was
        QTest::addColumn<QString>("preview");
        QTest::newRow("a text file")
            << QByteArray("file://ROOT/docs/Memo%20one.TXT\r\n") << QByteArray("/docs")
            << QStringLiteral("*.TXT") << QByteArray("/docs/Memo one.TXT")
            << QStringLiteral("memo\r\n");
        QTest::newRow("Shift-JIS name")
            << QByteArray("file://ROOT/docs/%83%81%83%82%92%A0.txt") << QByteArray("/docs")
            << QStringLiteral("*.TXT") << "/docs/" + MemoCp932 << QStringLiteral("cp932\r\n");
        QTest::newRow("another type")
            << QByteArray("file://ROOT/docs/a%23b%25.log\r\n") << QByteArray("/docs")
            << QStringLiteral("*.*") << QByteArray("/docs/a#b%.log") << QStringLiteral("log\r\n");
        QTest::newRow("several files, the first")
            << QByteArray("file://ROOT/docs/a%23b%25.log\r\nfile://ROOT/docs/Memo%20one.TXT\r\n")
            << QByteArray("/docs") << QStringLiteral("*.*") << QByteArray("/docs/a#b%.log")
            << QStringLiteral("log\r\n");
        QTest::newRow("a folder opens")
            << QByteArray("file://ROOT/docs/sub\r\n") << QByteArray("/docs/sub")
            << QStringLiteral("*.TXT") << QByteArray() << QStringLiteral("shown\r\n");
        QTest::newRow("a dot-file")
            << QByteArray("file://ROOT/docs/.b.txt") << QByteArray("/docs")
            << QStringLiteral("*.TXT") << QByteArray("/docs/.b.txt") << QStringLiteral("dot\r\n");
        QTest::newRow("a FIFO, not its twin in case")
            << QByteArray("file://ROOT/docs/fifo") << QByteArray("/docs") << QStringLiteral("*.*")
            << QByteArray("/docs/fifo") << QString();
    }

    void droppedFilesAreShownAsTheCommandLineShowsThem() {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, folder);
        QFETCH(QString, pattern);
        QFETCH(QByteArray, label5);
        QFETCH(QString, preview);
        const QByteArray docs = root_ + "/docs";
        QCOMPARE(::mkdir(docs.constData(), 0755), 0);
        QCOMPARE(::mkdir((docs + "/sub").constData(), 0755), 0);
        QVERIFY(writeNative(docs + "/Memo one.TXT", "memo\r\n"));
        QVERIFY(writeNative(docs + '/' + MemoCp932, "cp932\r\n"));
        QVERIFY(writeNative(docs + "/a#b%.log", "log\r\n"));
        QVERIFY(writeNative(docs + "/.b.txt", "dot\r\n") && writeNative(docs + "/FIFO", "no\r\n"));
        QVERIFY(writeNative(docs + "/shown.txt", "shown\r\n"));
        QCOMPARE(::mkfifo((docs + "/fifo").constData(), 0644), 0);

        Form1 form(programDir_->path());
        form.resize(800, 600);
        form.Form_Load(pathFromNative(docs + "/shown.txt"));
        const QString labelBefore = form.currentFile();
        QMimeData mime;
        mime.setData(QStringLiteral("text/uri-list"),
                     QByteArray(list).replace("ROOT", root_.toPercentEncoding("/")));
        const QPointF point(form.width() / 2.0, form.height() / 2.0);
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction | Qt::MoveAction, &mime,
                              Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop(point, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCoreApplication::processEvents(); // the drop is shown once its source has let go

        const QString wantedFolder = pathFromNative(root_ + folder);
        QTRY_COMPARE(form.dir1()->path(), wantedFolder);
        QCOMPARE(form.file1()->path(), wantedFolder);
        QCOMPARE(form.file1()->pattern(), pattern);
        QCOMPARE(form.combo1()->currentText(), pattern);
        if (label5.isEmpty()) {
            QCOMPARE(form.currentFile(), labelBefore);
            QCOMPARE(form.file1()->fileName(), QString());
        } else {
            QTRY_COMPARE(form.currentFile(), pathFromNative(root_ + label5));
            const QString name = pathFromNative(label5.mid(label5.lastIndexOf('/') + 1));
            QCOMPARE(form.file1()->fileName(),
                     form.file1()->listEntries().contains(name) ? name : QString());
        }
        QCOMPARE(form.text1()->toPlainText(), QString(preview).remove(QChar(u'\r')));
        QVERIFY(fakes_->messageBox.shown.isEmpty());
    }

    // The pointer shows the refusal over the window; a drop that comes anyway changes nothing.
    void dragsWithoutALocalFileAreRefused_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("web address")
            << QStringLiteral("text/uri-list") << QByteArray("https://example.org/a.txt\r\n");
        QTest::newRow("file on another machine")
            << QStringLiteral("text/uri-list") << QByteArray("file://elsewhere.example/a.txt\r\n");
        QTest::newRow("plain text") << QStringLiteral("text/plain") << QByteArray("/etc/hostname");
    }

    void dragsWithoutALocalFileAreRefused() {
        QFETCH(QString, format);
        QFETCH(QByteArray, data);
        Form1 form(programDir_->path());
        form.resize(800, 600);
        const QString folder = form.dir1()->path();
        QMimeData mime;
        mime.setData(format, data);
        const QPoint point(form.width() / 2, form.height() / 2);
        QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form, &enter);
        QVERIFY(!enter.isAccepted());
        QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form, &move);
        QVERIFY(!move.isAccepted());
        QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form, &drop);
        QVERIFY(!drop.isAccepted());
        QCoreApplication::processEvents();
        QCOMPARE(form.dir1()->path(), folder);
        QCOMPARE(form.currentFile(), QString());
    }
};

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
