// The shown folder stays current while another program changes it: the pace of the refreshes
// (with a clock of the test's own), and the window following a real folder changed by a
// second process, its name UTF-8 or Shift-JIS.
#include "ChildProcess.h"
#include "MainWindowFixture.h"
#include "PlatformFakes.h"

#include "app/ModPlok.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"
#include "mainwindow/FolderFollower.h"
#include "mainwindow/Form1.h"
#include "mainwindow/RefreshThrottle.h"
#include "platform/NativePath.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zorvane;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;
using zorvane::testing::startChild;
using zorvane::testing::waitForChild;

namespace {

using Times = QList<qint64>;

// Files a script makes at once in the burst below: enough for many changes within each interval
// (the pace of 10,000 is measured by bench_folderburst, in a Release build).
constexpr int BurstFiles = 3000;

// When the refreshes start for changes seen at `changes` (ms), each refresh taking `cost` ms
// during which the window sees nothing, as a single-threaded event loop does.
Times refreshStarts(const Times& changes, qint64 cost) {
    RefreshThrottle throttle;
    std::optional<qint64> due;
    Times starts;
    qint64 busyUntil = 0;
    const auto runDue = [&](qint64 upTo) {
        if (!due || *due > upTo)
            return;
        const qint64 start = std::max(*due, busyUntil);
        starts.append(start);
        due.reset();
        busyUntil = start + cost;
        throttle.refreshed(busyUntil);
    };
    for (const qint64 change : changes) {
        runDue(change);
        const qint64 now = std::max(change, busyUntil);
        if (const auto delay = throttle.changeSeen(now))
            due = now + *delay;
    }
    runDue(std::numeric_limits<qint64>::max());
    return starts;
}

Times evenly(int count, qint64 from, qint64 to) {
    Times times;
    for (int i = 0; i < count; ++i)
        times.append(from + (to - from) * i / std::max(1, count - 1));
    return times;
}

bool writeNative(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, content.constData(), static_cast<size_t>(content.size())) == content.size();
    ::close(fd);
    return written;
}

// Removes what a test made under `folder`, by its bytes: QDir cannot remove a name that is not
// UTF-8.
void removeContents(const QByteArray& folder) {
    ::nftw(
        folder.constData(),
        [](const char* path, const struct stat*, int, FTW* at) {
            if (at->level > 0)
                ::remove(path);
            return 0;
        },
        16, FTW_DEPTH | FTW_PHYS);
}

// What a child started by startChild does; folders travel as hexadecimal bytes, so a name that
// is not UTF-8 reaches the child intact.
int childMain(int argc, char** argv) {
    const QByteArray what = argv[2];
    const QByteArray folder = argc > 3 ? QByteArray::fromHex(argv[3]) : QByteArray();
    const auto at = [&](const char* name) { return folder + '/' + name; };
    if (what == "change") {
        const bool done = writeNative(at("new.txt"), "new\r\n") &&
                          ::mkdir(at("sub").constData(), 0755) == 0 &&
                          ::rename(at("old.txt").constData(), at("renamed.txt").constData()) == 0 &&
                          ::unlink(at("gone.txt").constData()) == 0;
        return done ? 0 : 1;
    }
    if (what == "remove")
        return ::unlink(at(argc > 4 ? argv[4] : "")) == 0 ? 0 : 1;
    if (what == "remake") {
        // Each step takes the folder away or brings one back under its name, as version
        // control and build tools do; the folder above it is "top".
        const QByteArray top = folder.left(folder.lastIndexOf('/'));
        const auto fill = [&](const QByteArray& at) {
            ::mkdir(top.constData(), 0755);
            return ::mkdir(at.constData(), 0755) == 0 && ::mkdir(at + "/inner", 0755) == 0 &&
                   writeNative(at + "/again.txt", "again\r\n");
        };
        bool done = true;
        for (int i = 4; i < argc && done; ++i) {
            const QByteArray step = argv[i];
            if (step == "remove" || step == "empty" || step == "remove-top")
                removeContents(step == "remove-top" ? top : folder);
            if (step == "remove")
                done = ::rmdir(folder.constData()) == 0;
            else if (step == "remove-top")
                done = ::rmdir(top.constData()) == 0;
            else if (step == "rename-away")
                done = ::rename(folder.constData(), (folder + ".old").constData()) == 0;
            else if (step == "make")
                done = fill(folder);
            else if (step == "rename-in")
                done = fill(top + "/new") &&
                       ::rename((top + "/new").constData(), folder.constData()) == 0;
        }
        return done ? 0 : 1;
    }
    if (what == "burst") {
        for (int i = 0; i < BurstFiles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "burst%05d.txt", i);
            const int fd = ::open(at(name).constData(), O_WRONLY | O_CREAT, 0644);
            if (fd < 0)
                return 1;
            ::close(fd);
        }
        return 0;
    }
    return 2;
}

int runChild(const QStringList& arguments) {
    const pid_t child = startChild(arguments);
    if (child < 0)
        return -1;
    const int status = waitForChild(child);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QStringList entriesOf(const QAbstractItemView* view) {
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        names.append(view->model()->index(row, 0).data().toString());
    return names;
}

} // namespace

class TestFolderFollowing : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(setUpMainWindow()); }

    void cleanup() {
        fakes_.reset();
        removeContents(nativePath(dataDir_->path()));
        tearDownMainWindow();
    }

    void refreshesArePacedAndFollowEveryChange_data() {
        QTest::addColumn<Times>("changes");
        QTest::addColumn<qint64>("cost");
        QTest::addColumn<Times>("expected"); // empty: only the bounds are checked

        QTest::newRow("one change, at once") << Times{1000} << qint64(10) << Times{1000};
        QTest::newRow("right after a refresh, waits for the interval")
            << Times{0, 100} << qint64(10) << Times{0, 510};
        QTest::newRow("after a quiet spell, at once")
            << Times{0, 2000} << qint64(10) << Times{0, 2000};
        QTest::newRow("changes while waiting share the read")
            << Times{0, 100, 200, 300, 400} << qint64(10) << Times{0, 510};
        QTest::newRow("the interval counts from the end of a long read")
            << Times{0, 50} << qint64(300) << Times{0, 800};
        QTest::newRow("a script making 10,000 files in 5 s")
            << evenly(10000, 0, 5000) << qint64(40) << Times{};
        QTest::newRow("10,000 files with slow reads")
            << evenly(10000, 0, 5000) << qint64(400) << Times{};
    }

    void refreshesArePacedAndFollowEveryChange() {
        QFETCH(Times, changes);
        QFETCH(qint64, cost);
        QFETCH(Times, expected);
        const Times starts = refreshStarts(changes, cost);
        if (!expected.isEmpty())
            QCOMPARE(starts, expected);
        // At most two refreshes in any second, the window free for the interval between them.
        for (qsizetype i = 2; i < starts.size(); ++i)
            QVERIFY2(starts.at(i) - starts.at(i - 2) >= 1000, qPrintable(QString::number(i)));
        // Every change is shown by a refresh that starts after it, within the interval once
        // the refresh already running (if any) is done.
        for (const qint64 change : changes) {
            const auto next = std::lower_bound(starts.begin(), starts.end(), change);
            QVERIFY(next != starts.end());
            QVERIFY2(*next - change <= 500 + cost, qPrintable(QString::number(change)));
        }
    }

    void listsFollowAnotherProgramAndKeepThePick_data() {
        QTest::addColumn<QByteArray>("folderName");
        QTest::newRow("UTF-8") << QByteArray("資料");
        // 資料 in code page 932: Qt's watcher would take this name as UTF-8.
        QTest::newRow("Shift-JIS bytes") << QByteArray("\x8E\x91\x97\xBF");
    }

    void listsFollowAnotherProgramAndKeepThePick() {
        QFETCH(QByteArray, folderName);
        const QByteArray folder = nativePath(dataDir_->path()) + '/' + folderName;
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        for (const char* name : {"keep.txt", "old.txt", "gone.txt"})
            QVERIFY(writeNative(folder + '/' + name, QByteArray(name) + "\r\n"));
        QCOMPARE(::mkdir((folder + "/other").constData(), 0755), 0);

        Form1 form(programDir_->path());
        form.Form_Load(pathFromNative(folder + "/keep.txt"));
        QCOMPARE(form.file1()->fileName(), QStringLiteral("keep.txt"));
        const QString label = form.currentFile();
        const QString preview = form.previewText();
        QSignalSpy picks(form.file1(), &FileListView::fileSelected);
        // The user has moved to a subfolder in Dir1 with the arrow keys, not yet opened it.
        const QString other = pathFromNative(folder + "/other");
        const int otherRow =
            static_cast<int>(entriesOf(form.dir1()).indexOf(QStringLiteral("other")));
        QVERIFY(otherRow >= 0);
        form.dir1()->setCurrentIndex(form.dir1()->model()->index(otherRow, 0));

        QCOMPARE(runChild({QStringLiteral("change"), QString::fromLatin1(folder.toHex())}), 0);
        QTRY_VERIFY(entriesOf(form.file1()).contains(QStringLiteral("renamed.txt")) &&
                    entriesOf(form.file1()).contains(QStringLiteral("new.txt")) &&
                    entriesOf(form.dir1()).contains(QStringLiteral("sub")));
        QCOMPARE(entriesOf(form.file1()),
                 (QStringList{QStringLiteral("keep.txt"), QStringLiteral("new.txt"),
                              QStringLiteral("renamed.txt")}));
        QCOMPARE(form.file1()->fileName(), QStringLiteral("keep.txt"));
        QCOMPARE(form.dir1()->highlightedPath(), other);
        QCOMPARE(picks.count(), 0); // no new preview
        QCOMPARE(form.currentFile(), label);
        QCOMPARE(form.previewText(), preview);

        // The current file vanishing leaves Label5 and the viewer until the next pick.
        QCOMPARE(runChild({QStringLiteral("remove"), QString::fromLatin1(folder.toHex()),
                           QStringLiteral("keep.txt")}),
                 0);
        QTRY_VERIFY(!entriesOf(form.file1()).contains(QStringLiteral("keep.txt")));
        QCOMPARE(form.file1()->fileName(), QString());
        QCOMPARE(picks.count(), 0);
        QCOMPARE(form.currentFile(), label);
        QCOMPARE(form.previewText(), preview);
        QCOMPARE(form.text1()->toPlainText(), QStringLiteral("keep.txt\n"));
    }

    void aFolderMadeAgainIsFollowedAgain_data() {
        QTest::addColumn<QByteArrayList>("steps"); // each run by one child; the window sees each
        QTest::newRow("removed, then made again") << QByteArrayList{"remove", "make"};
        QTest::newRow("renamed away, then made again") << QByteArrayList{"rename-away", "make"};
        QTest::newRow("the folder above removed, then both made again")
            << QByteArrayList{"remove-top", "make"};
        QTest::newRow("removed and made again at once") << QByteArrayList{"remove make"};
        QTest::newRow("renamed away, another renamed in")
            << QByteArrayList{"rename-away rename-in"};
        QTest::newRow("emptied, another renamed over it") << QByteArrayList{"empty rename-in"};
    }

    void aFolderMadeAgainIsFollowedAgain() {
        QFETCH(QByteArrayList, steps);
        const QByteArray folder = nativePath(dataDir_->path()) + "/top/shown";
        QCOMPARE(::mkdir(folder.left(folder.lastIndexOf('/')).constData(), 0755), 0);
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        QVERIFY(writeNative(folder + "/keep.txt", "keep\r\n"));
        Form1 form(programDir_->path());
        form.dir1()->setPath(pathFromNative(folder));
        QCOMPARE(entriesOf(form.file1()), QStringList{QStringLiteral("keep.txt")});

        for (qsizetype i = 0; i < steps.size(); ++i) {
            QStringList arguments{QStringLiteral("remake"), QString::fromLatin1(folder.toHex())};
            for (const QByteArray& step : steps.at(i).split(' '))
                arguments.append(QString::fromLatin1(step));
            QCOMPARE(runChild(arguments), 0);
            if (i + 1 < steps.size())
                QTRY_COMPARE(form.file1()->listCount(), 0);
        }
        QTRY_COMPARE(entriesOf(form.file1()), QStringList{QStringLiteral("again.txt")});
        QTRY_VERIFY(entriesOf(form.dir1()).contains(QStringLiteral("inner")));
        // The folder now under the name is the one followed.
        QCOMPARE(runChild({QStringLiteral("remove"), QString::fromLatin1(folder.toHex()),
                           QStringLiteral("again.txt")}),
                 0);
        QTRY_COMPARE(form.file1()->listCount(), 0);
    }

    void aBurstOfFilesCostsTwoRefreshesASecond() {
        const QByteArray folder = nativePath(dataDir_->path());
        Form1 form(programDir_->path());
        form.dir1()->setPath(dataDir_->path());
        auto* follower = form.findChild<FolderFollower*>();
        QVERIFY(follower);
        QSignalSpy refreshes(follower, &FolderFollower::refreshDue);

        QElapsedTimer clock;
        clock.start();
        const pid_t child =
            startChild({QStringLiteral("burst"), QString::fromLatin1(folder.toHex())});
        QVERIFY(child > 0);
        // The event loop runs while the script makes its files.
        QTRY_COMPARE_WITH_TIMEOUT(form.file1()->listCount(), BurstFiles, 120000);
        QCOMPARE(waitForChild(child), 0);
        const qint64 seconds = clock.elapsed() / 1000 + 1;
        qInfo("%lld refreshes in %lld s", static_cast<long long>(refreshes.count()),
              static_cast<long long>(seconds));
        QVERIFY2(
            refreshes.count() <= 2 * seconds + 1,
            qPrintable(QStringLiteral("%1 refreshes in %2 s").arg(refreshes.count()).arg(seconds)));
    }
};

int main(int argc, char** argv) {
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return childMain(argc, argv);
    QApplication app(argc, argv);
    TestFolderFollowing test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_folderfollowing.moc"
