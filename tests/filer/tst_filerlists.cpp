// The file and directory lists on real folders, the drive test of the system drive list, and
// the empty plok.his the build places beside the program.
#include "filer/DirectoryListModel.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListModel.h"
#include "filer/FileListView.h"
#include "filer/FileUriList.h"
#include "platform/NativePath.h"
#include "platform/SystemDriveList.h"

#include <QMimeData>

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorvane;

namespace {

void touch(const QString& path, const QByteArray& bytes = "x\r\n") {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QStringList entriesOf(const FileListView& list) {
    QStringList names;
    for (int row = 0; row < list.listCount(); ++row)
        names.append(list.listEntry(row));
    return names;
}

} // namespace

class TestFilerLists : public QObject {
    Q_OBJECT
private slots:
    void fileListShowsRegularFilesSortedWithoutRegardToCase() {
        QTemporaryDir dir;
        const QString root = dir.path() + QChar(u'/');
        touch(root + QStringLiteral("b.txt"));
        touch(root + QStringLiteral("A.TXT"));
        touch(root + QStringLiteral("c.Txt"));
        touch(root + QStringLiteral("a.txt"));
        touch(root + QStringLiteral(".hidden.txt"));
        touch(root + QStringLiteral("notes.log"));
        touch(root + QStringLiteral("name with \"quotes\" and $dollar.txt"));
        QVERIFY(QDir(root).mkdir(QStringLiteral("folder.txt")));
        QVERIFY(QFile::link(root + QStringLiteral("b.txt"), root + QStringLiteral("link.txt")));
        QVERIFY(QFile::link(root + QStringLiteral("gone"), root + QStringLiteral("broken.txt")));
        QVERIFY(QFile::link(root + QStringLiteral("folder.txt"), root + QStringLiteral("dir.txt")));
        QCOMPARE(::mkfifo(QFile::encodeName(root + QStringLiteral("pipe.txt")).constData(), 0600),
                 0);

        FileListView list;
        list.setPattern(QStringLiteral("*.TXT"));
        list.setPath(dir.path());
        QCOMPARE(
            entriesOf(list),
            (QStringList{QStringLiteral("A.TXT"), QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                         QStringLiteral("c.Txt"), QStringLiteral("link.txt"),
                         QStringLiteral("name with \"quotes\" and $dollar.txt")}));
        list.setPattern(QStringLiteral("*.*"));
        QVERIFY(entriesOf(list).contains(QStringLiteral("notes.log")));
        QVERIFY(!entriesOf(list).contains(QStringLiteral(".hidden.txt")));
        QCOMPARE(list.path(), QDir::cleanPath(dir.path()));
    }

    void selectingRaisesTheSelectionOnceAndAgainOnAClick() {
        QTemporaryDir dir;
        touch(dir.path() + QStringLiteral("/one.txt"));
        touch(dir.path() + QStringLiteral("/two.txt"));
        FileListView list;
        list.setPattern(QStringLiteral("*.*"));
        list.setPath(dir.path());
        list.resize(200, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy selected(&list, &FileListView::fileSelected);

        list.setListIndex(1);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(list.fileName(), QStringLiteral("two.txt"));
        const QRect second = list.visualRect(list.model()->index(1, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(selected.count(), 2); // the same entry clicked again
        const QRect first = list.visualRect(list.model()->index(0, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(selected.count(), 3);
        QCOMPARE(list.fileName(), QStringLiteral("one.txt"));

        // Reading the folder again keeps the selection of a file still there, without a new
        // pick; reading another folder clears it.
        list.refresh();
        QCOMPARE(list.fileName(), QStringLiteral("one.txt"));
        QCOMPARE(selected.count(), 3);
        list.setPath(dir.path());
        QCOMPARE(list.listIndex(), -1);
        QCOMPARE(list.fileName(), QString());
        QCOMPARE(selected.count(), 3);
    }

    void fileListOfAVanishedFolderIsEmpty() {
        FileListView list;
        list.setPath(QStringLiteral("/nonexistent/folder/here"));
        QCOMPARE(list.listCount(), 0);
        QCOMPARE(list.fileName(), QString());
    }

    void directoryListShowsParentsAndVisibleSubfolders() {
        QTemporaryDir dir;
        const QString root = QDir::cleanPath(dir.path());
        QDir(root).mkpath(QStringLiteral("beta"));
        QDir(root).mkpath(QStringLiteral("Alpha"));
        QDir(root).mkpath(QStringLiteral(".config"));
        QDir(root).mkpath(QStringLiteral("gamma/inner"));
        touch(root + QStringLiteral("/file.txt"));
        QVERIFY(QFile::link(root + QStringLiteral("/gamma"), root + QStringLiteral("/delta")));
        QCOMPARE(listSubfolders(root),
                 (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"),
                              QStringLiteral("delta"), QStringLiteral("gamma")}));

        DirectoryListView list;
        QSignalSpy changed(&list, &DirectoryListView::pathChanged);
        QCOMPARE(list.setPath(root), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(list.highlightedPath(), root); // the current folder is highlighted
        QCOMPARE(list.setPath(root + QStringLiteral("/")), 0);
        QCOMPARE(changed.count(), 1); // the same folder is no change
        QCOMPARE(list.setPath(root + QStringLiteral("/file.txt")), 76);
        QCOMPARE(list.setPath(root + QStringLiteral("/missing")), 76);
        QCOMPARE(list.path(), root);
        const int rows = list.model()->rowCount();
        QCOMPARE(list.model()->index(rows - 1, 0).data().toString(), QStringLiteral("gamma"));
        QCOMPARE(list.model()->index(0, 0).data().toString(), QStringLiteral("/"));

        // Given no path, a list shows the folder the process was in when it was made.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root));
        DirectoryListView unset;
        QVERIFY(QDir::setCurrent(before));
        unset.show();
        QCOMPARE(unset.highlightedPath(), root);
        QCOMPARE(unset.model()->index(unset.model()->rowCount() - 1, 0).data().toString(),
                 QStringLiteral("gamma"));
    }

    void openingAVanishedFolderReportsAndRereads() {
        QTemporaryDir dir;
        const QString root = QDir::cleanPath(dir.path());
        QDir(root).mkpath(QStringLiteral("gone"));
        DirectoryListView list;
        QCOMPARE(list.setPath(root), 0);
        QSignalSpy failed(&list, &DirectoryListView::openFailed);
        list.setCurrentIndex(list.model()->index(list.model()->rowCount() - 1, 0));
        QCOMPARE(list.highlightedPath(), root + QStringLiteral("/gone"));
        QVERIFY(QDir(root).rmdir(QStringLiteral("gone")));
        list.openHighlighted();
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toInt(), 76);
        QCOMPARE(list.path(), root);
        QCOMPARE(list.highlightedPath(), root);
        QCOMPARE(list.model()->index(list.model()->rowCount() - 1, 0).data().toString(),
                 QDir(root).dirName());
    }

    void doubleClickOpensAFolder() {
        QTemporaryDir dir;
        const QString root = QDir::cleanPath(dir.path());
        QDir(root).mkpath(QStringLiteral("sub"));
        DirectoryListView list;
        list.resize(300, 400);
        QCOMPARE(list.setPath(root), 0);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QRect sub = list.visualRect(list.model()->index(list.model()->rowCount() - 1, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, sub.center());
        QCOMPARE(list.path(), root); // one click only highlights
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, sub.center());
        QCOMPARE(list.path(), root + QStringLiteral("/sub"));
    }

    // A file dragged out of File1 is offered by its exact bytes, escaped, for copying only.
    void draggedEntryOffersItsFileByItsBytes_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("UTF-8") << QByteArray("資料.txt") << QByteArray("%E8%B3%87%E6%96%99.txt");
        QTest::newRow("Shift-JIS bytes")
            << QByteArray("\x83\x81\x83\x82\x92\xA0.txt") << QByteArray("%83%81%83%82%92%A0.txt");
        QTest::newRow("blanks") << QByteArray(" a  b .txt") << QByteArray("%20a%20%20b%20.txt");
        QTest::newRow("hash") << QByteArray("#1.txt") << QByteArray("%231.txt");
        QTest::newRow("percent") << QByteArray("100%.txt") << QByteArray("100%25.txt");
        QTest::newRow("escape-like") << QByteArray("%41.txt") << QByteArray("%2541.txt");
    }

    void draggedEntryOffersItsFileByItsBytes() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, escaped);
        QTemporaryDir dir;
        const QByteArray folder = nativePath(dir.path());
        const int fd = ::open((folder + '/' + name).constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        FileListView list;
        list.setPattern(QStringLiteral("*.*"));
        list.setPath(dir.path());
        QVERIFY(!list.dragData()); // nothing selected, nothing to drag
        // The view starts a drag only from an entry that says it can be dragged.
        QVERIFY(list.model()->flags(list.model()->index(0, 0)) & Qt::ItemIsDragEnabled);
        list.setListIndex(0);
        const std::unique_ptr<QMimeData> mime(list.dragData());
        QVERIFY(mime);
        QCOMPARE(mime->formats(), QStringList{QStringLiteral("text/uri-list")});
        const QByteArray uris = mime->data(QStringLiteral("text/uri-list"));
        QCOMPARE(uris, "file://" + folder.toPercentEncoding("/") + '/' + escaped + "\r\n");
        QCOMPARE(localFilesOfUriList(uris, {}), QStringList{pathFromNative(folder + '/' + name)});
    }

    void driveReadinessOfTheSystemList() {
        QTemporaryDir dir;
        SystemDriveList drives;
        QCOMPARE(drives.checkReady(dir.path()), 0);
        QCOMPARE(drives.checkReady(dir.path() + QStringLiteral("/not-mounted")), 71);
        touch(dir.path() + QStringLiteral("/plain"));
        QCOMPARE(drives.checkReady(dir.path() + QStringLiteral("/plain")), 76);
        if (::geteuid() != 0) {
            QDir(dir.path()).mkdir(QStringLiteral("locked"));
            ::chmod(QFile::encodeName(dir.path() + QStringLiteral("/locked")).constData(), 0);
            QCOMPARE(drives.checkReady(dir.path() + QStringLiteral("/locked")), 70);
        }
        const QList<DriveEntry> mounted = drives.drives();
        QVERIFY(!mounted.isEmpty());
        QCOMPARE(mounted.first().mountPoint, QStringLiteral("/"));
    }

    void buildPlacesAnEmptyHistoryButNeverReplacesOne() {
        QTemporaryDir dir;
        const QStringList arguments = {QStringLiteral("-DHISTORY_FOLDER=") + dir.path(),
                                       QStringLiteral("-P"),
                                       QStringLiteral(ZORVANE_PLACE_HISTORY_SCRIPT)};
        QCOMPARE(QProcess::execute(QStringLiteral(ZORVANE_CMAKE_COMMAND), arguments), 0);
        QFile history(dir.path() + QStringLiteral("/plok.his"));
        QVERIFY(history.open(QIODevice::ReadOnly));
        QCOMPARE(history.readAll(), QByteArray("\r\n").repeated(40));
        history.close();

        touch(history.fileName(), "/kept\r\n");
        QCOMPARE(QProcess::execute(QStringLiteral(ZORVANE_CMAKE_COMMAND), arguments), 0);
        QVERIFY(history.open(QIODevice::ReadOnly));
        QCOMPARE(history.readAll(), QByteArray("/kept\r\n"));
    }
};

QTEST_MAIN(TestFilerLists)
#include "tst_filerlists.moc"
