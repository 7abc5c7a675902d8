// The main window over a file system that stalls as a hung network share does (a FUSE mirror
// made by the test): the window keeps answering, the newest pick wins, a long read says so,
// and Esc quits without waiting for the read.
#include "MainWindowFixture.h"
#include "OpenWatcher.h"
#include "PlatformFakes.h"
#include "SlowFileSystem.h"

#include "app/ModPlok.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"
#include "mainwindow/Form1.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <memory>

using namespace zorvane;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;
using zorvane::testing::SlowFileSystem;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// How long the event loop went without answering: a timer every 10 ms and an event posted
// every 20 ms, as input is, each measured from when it was due to when it was handled.
class AnswerMeter final : public QObject {
public:
    AnswerMeter() {
        ticks_.setInterval(10);
        ticks_.setTimerType(Qt::PreciseTimer);
        connect(&ticks_, &QTimer::timeout, this, [this] {
            const qint64 now = clock_.elapsed();
            longest_ = std::max(longest_, now - lastTick_);
            lastTick_ = now;
            if (now - lastPost_ >= 20) {
                lastPost_ = now;
                QCoreApplication::postEvent(this, new QEvent(QEvent::User));
            }
        });
        clock_.start();
        ticks_.start();
    }
    qint64 longestMs() const { return longest_; }

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        longest_ = std::max(longest_, clock_.elapsed() - lastPost_);
        return true;
    }

private:
    QTimer ticks_;
    QElapsedTimer clock_;
    qint64 lastTick_ = 0;
    qint64 lastPost_ = 0;
    qint64 longest_ = 0;
};

// The state letter of /proc/PID/stat: "Z" once the process has ended all it could (a thread
// blocked in a read of a hung mount is released only by the file system itself).
QByteArray processState(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return "gone";
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 ? QByteArray() : line.mid(close + 2, 1);
}

int rowOf(const FileListView& list, const QString& name) {
    for (int row = 0; row < list.listCount(); ++row)
        if (list.listEntry(row) == name)
            return row;
    return -1;
}

} // namespace

class TestSlowFileSystem : public QObject, MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<SlowFileSystem> slow_;

    QString mounted(const char* relative) const {
        return slow_->mountPoint() + QChar(u'/') + QString::fromUtf8(relative);
    }
    std::unique_ptr<Form1> makeShownForm() {
        auto form = std::make_unique<Form1>(programDir_->path());
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            return nullptr;
        return form;
    }
    // Picks `name` in File1 listing `folder`, as a click does. Even the mirror's quick answers
    // come from a Python program: on a busy machine they may outlast the window's short wait.
    static bool pick(Form1& form, const QString& folder, const QString& name) {
        if (form.file1()->path() != folder)
            form.file1()->setPath(folder);
        if (!QTest::qWaitFor([&] { return !form.file1()->listingPending(); }, 10000))
            return false;
        const int row = rowOf(*form.file1(), name);
        if (row < 0)
            return false;
        form.file1()->setListIndex(row);
        return true;
    }

private slots:
    void init() {
        QVERIFY(setUpMainWindow());
        slow_ = std::make_unique<SlowFileSystem>();
        const QString source = slow_->source();
        writeFile(source + QStringLiteral("/fast.txt"), "fast text\r\n");
        writeFile(source + QStringLiteral("/slowfile.txt"), "slow text\r\n");
        writeFile(source + QStringLiteral("/slowdir/inside.txt"), "inside\r\n");
        writeFile(source + QStringLiteral("/fastdir/other.txt"), "other\r\n");
        if (!slow_->mount())
            QSKIP(qPrintable(QStringLiteral("no slow file system: ") + slow_->whyNot()));
    }

    void cleanup() {
        slow_.reset(); // ends the stalls first, then unmounts
        tearDownMainWindow();
    }

    // A listing or a preview that stalls: the pick returns at once, the window answers all
    // along, the pending read shows itself, and its result is shown once it comes.
    void windowAnswersWhileAReadStalls_data() {
        QTest::addColumn<bool>("listing");
        QTest::newRow("listing") << true;
        QTest::newRow("preview") << false;
    }
    void windowAnswersWhileAReadStalls() {
        QFETCH(bool, listing);
        auto form = makeShownForm();
        QVERIFY(form);
        form->file1()->setPath(slow_->mountPoint());
        QTRY_VERIFY(!form->file1()->listingPending());
        AnswerMeter meter;
        QElapsedTimer picking;
        picking.start();
        if (listing)
            QCOMPARE(form->dir1()->setPath(mounted("slowdir")), 0);
        else
            QVERIFY(pick(*form, slow_->mountPoint(), QStringLiteral("slowfile.txt")));
        QVERIFY2(picking.elapsed() < 1000, qPrintable(QString::number(picking.elapsed())));

        if (listing) {
            QCOMPARE(form->file1()->path(), mounted("slowdir"));
            QVERIFY(form->file1()->listingPending());
            QVERIFY(form->dir1()->listingPending());
            QCOMPARE(form->file1()->listCount(), 0); // nothing of the folder before
        } else {
            QVERIFY(form->previewPending());
            QCOMPARE(form->label5()->text(), mounted("slowfile.txt")); // the commands' file
            QTRY_COMPARE(form->text1()->toPlainText(), QStringLiteral("読み込み中…"));
            QString copied;
            form->setCommandHandler(MainCommand::Copy,
                                    [&copied] { copied = modPlok().TargetPath; });
            QVERIFY(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C);
            QCOMPARE(copied, mounted("slowfile.txt"));
            modPlok().EditorPath = QStringLiteral("editor");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_E);
            QVERIFY(!form->text1()->isEnabled());
        }
        QTest::qWait(1500);
        QVERIFY2(meter.longestMs() < 1000, qPrintable(QString::number(meter.longestMs())));
        QVERIFY(listing ? form->file1()->listingPending() : form->previewPending());

        slow_->release();
        if (listing) {
            QTRY_COMPARE(form->file1()->listEntry(0), QStringLiteral("inside.txt"));
            QVERIFY(!form->dir1()->listingPending());
        } else {
            QTRY_COMPARE(form->text1()->toPlainText(), QStringLiteral("slow text\n"));
            QCOMPARE(form->label5()->text(), mounted("slowfile.txt"));
            QCOMPARE(form->previewText(), QStringLiteral("slow text\r\n"));
            QVERIFY(form->text1()->isEnabled());
        }
    }

    // Picking a slow file or folder and then a fast one: the slow one's result never shows.
    void newestPickWins_data() {
        QTest::addColumn<bool>("listing");
        QTest::newRow("listing") << true;
        QTest::newRow("preview") << false;
    }
    void newestPickWins() {
        QFETCH(bool, listing);
        auto form = makeShownForm();
        QVERIFY(form);
        if (listing) {
            QCOMPARE(form->dir1()->setPath(mounted("slowdir")), 0);
            QVERIFY(form->file1()->listingPending());
            QTest::qWait(50); // the next pick is another event
            QCOMPARE(form->dir1()->setPath(mounted("fastdir")), 0);
            QTRY_COMPARE(form->file1()->listEntry(0), QStringLiteral("other.txt"));
        } else {
            QVERIFY(pick(*form, slow_->mountPoint(), QStringLiteral("slowfile.txt")));
            QTRY_COMPARE(form->text1()->toPlainText(), QStringLiteral("読み込み中…"));
            QVERIFY(pick(*form, slow_->mountPoint(), QStringLiteral("fast.txt")));
            QTRY_COMPARE(form->text1()->toPlainText(), QStringLiteral("fast text\n"));
        }
        slow_->release();
        QTest::qWait(500); // the abandoned read ends and its result comes back meanwhile
        if (listing) {
            QCOMPARE(form->file1()->path(), mounted("fastdir"));
            QCOMPARE(form->file1()->listCount(), 1);
            QCOMPARE(form->file1()->listEntry(0), QStringLiteral("other.txt"));
            QCOMPARE(form->dir1()->path(), mounted("fastdir"));
        } else {
            QCOMPARE(form->text1()->toPlainText(), QStringLiteral("fast text\n"));
            QCOMPARE(form->label5()->text(), mounted("fast.txt"));
        }
    }

    // Esc while the preview stalls closes the window at once and saves what a close saves.
    void escapeQuitsWithoutWaitingForTheRead() {
        auto form = makeShownForm();
        QVERIFY(form);
        QVERIFY(pick(*form, slow_->mountPoint(), QStringLiteral("slowfile.txt")));
        QVERIFY(form->previewPending());
        QElapsedTimer closing;
        closing.start();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                    : static_cast<QWidget*>(form.get()),
                        Qt::Key_Escape);
        QVERIFY2(closing.elapsed() < 1000, qPrintable(QString::number(closing.elapsed())));
        QVERIFY(!form->isVisible());
        QVERIFY(!form->previewPending());
        QVERIFY(readFile(programDir_->filePath(QStringLiteral("plok.ini"))).contains("Width="));
        slow_->release();
        QTest::qWait(300);
        QVERIFY(form->text1()->toPlainText() != QStringLiteral("slow text\n"));
    }

    // The real program, started on a file whose read hangs and ended by the session's end,
    // saves and ends at once: nothing joins the thread still blocked in read().
    void programEndsWhileItsReadIsBlocked() {
        QTemporaryDir programFolder;
        QVERIFY(programFolder.isValid());
        const QString program = programFolder.filePath(QStringLiteral("zorvane"));
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_PROGRAM), program));
        writeFile(programFolder.filePath(QStringLiteral("plok.his")),
                  QByteArray("\r\n").repeated(40));
        zorvane::testing::OpenWatcher watcher;
        QVERIFY(watcher.watch(slow_->source()));
        QProcess zorvane;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        zorvane.setProcessEnvironment(environment);
        zorvane.setWorkingDirectory(programFolder.path());
        zorvane.start(program, {mounted("slowfile.txt")});
        QVERIFY(zorvane.waitForStarted(10000));
        // The mirror opens the file for the program's preview, whose read then hangs.
        QVERIFY(watcher.waitFor(slow_->source(), QStringLiteral("slowfile.txt"), 60000));
        QTest::qWait(200);
        QCOMPARE(::kill(pid_t(zorvane.processId()), SIGTERM), 0);
        const qint64 pid = zorvane.processId();
        QVERIFY2(
            QTest::qWaitFor(
                [&] { return zorvane.state() == QProcess::NotRunning || processState(pid) == "Z"; },
                5000),
            processState(pid).constData());
        QVERIFY(readFile(programFolder.filePath(QStringLiteral("plok.ini"))).contains("Width="));
        slow_->release();
        QVERIFY(zorvane.waitForFinished(30000));
        QCOMPARE(zorvane.exitCode(), 0);
    }

    // A file named on the command line in a slow folder is picked and previewed once the
    // folder's names come; meanwhile the viewer shows nothing of the file shown before.
    void startupInASlowFolderPicksTheFileLater() {
        auto form = std::make_unique<Form1>(programDir_->path());
        QVERIFY(pick(*form, slow_->mountPoint(), QStringLiteral("fast.txt")));
        QTRY_COMPARE(form->text1()->toPlainText(), QStringLiteral("fast text\n"));
        form->Form_Load(QLatin1Char('"') + mounted("slowdir/inside.txt") + QLatin1Char('"'));
        QCOMPARE(form->label5()->text(), mounted("slowdir/inside.txt"));
        QVERIFY(form->file1()->listingPending());
        QCOMPARE(form->text1()->toPlainText(), QString());
        slow_->release();
        QTRY_COMPARE(form->text1()->toPlainText(), QStringLiteral("inside\n"));
        QCOMPARE(form->file1()->fileName(), QStringLiteral("inside.txt"));
    }
};

QTEST_MAIN(TestSlowFileSystem)
#include "tst_slowfilesystem.moc"
