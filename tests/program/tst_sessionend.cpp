#include "app/SessionEndSignals.h"
#include "platform/UpdateLockFile.h"

#include "OpenWatcher.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace zorvane;
using zorvane::testing::OpenWatcher;

using zorvane::testing::readBytes;
using zorvane::testing::writeBytes;

namespace {

void addSignalRows() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
}

// What holds up the save at the session's end.
enum class HeldUp { SettingsUnwritable, FileLockedByReader, UpdateLockHeld };

// Holds an advisory lock on a file for the scope, as another program would.
class HeldLock {
public:
    explicit HeldLock(int descriptor) : descriptor_(descriptor) {
        held_ = descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
    }
    ~HeldLock() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool isHeld() const { return held_; }

private:
    int descriptor_;
    bool held_ = false;
};

} // namespace

Q_DECLARE_METATYPE(HeldUp)

class TestSessionEnd : public QObject {
    Q_OBJECT

private slots:
    // The signal arrives through the event loop, and the handlers go when the watcher goes.
    void signalsReachTheEventLoop_data() { addSignalRows(); }
    void signalsReachTheEventLoop() {
        QFETCH(int, signalNumber);
        struct sigaction before {};
        QCOMPARE(::sigaction(signalNumber, nullptr, &before), 0);
        {
            SessionEndSignals watcher;
            QVERIFY(watcher.isActive());
            QSignalSpy ending(&watcher, &SessionEndSignals::ending);
            QCOMPARE(::raise(signalNumber), 0);
            QTRY_COMPARE_WITH_TIMEOUT(ending.size(), 1, 10000);
            QCOMPARE(ending.at(0).at(0).toInt(), signalNumber);
        }
        struct sigaction restored {};
        QCOMPARE(::sigaction(signalNumber, nullptr, &restored), 0);
        QVERIFY(restored.sa_handler == before.sa_handler);
    }

    // The real program, ended by a signal, saves as a close does: the window's four keys in
    // plok.ini and plok.his rewritten (a 41st line is dropped by the rewrite), with status 0.
    void signalSavesLikeAClose_data() { addSignalRows(); }
    void signalSavesLikeAClose() {
        QFETCH(int, signalNumber);
        QTemporaryDir programFolder;
        QVERIFY(programFolder.isValid());
        const QString program = programFolder.filePath(QStringLiteral("zorvane"));
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_PROGRAM), program));
        QByteArray history = QByteArray("/home/recent\r\n") + QByteArray("\r\n").repeated(39) +
                             QByteArray("line 41\r\n");
        QVERIFY(writeBytes(programFolder.filePath(QStringLiteral("plok.his")), history));

        OpenWatcher watcher;
        QVERIFY(watcher.watch(programFolder.path()));
        QProcess zorvane;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        zorvane.setProcessEnvironment(environment);
        zorvane.setWorkingDirectory(programFolder.path());
        zorvane.start(program, {});
        QVERIFY(zorvane.waitForStarted(10000));
        // plok.his is read once the program is listening for the signals.
        QVERIFY2(watcher.waitFor(programFolder.path(), QStringLiteral("plok.his"), 60000),
                 qPrintable(watcher.opened.join(u' ')));
        QCOMPARE(::kill(pid_t(zorvane.processId()), signalNumber), 0);
        QVERIFY(zorvane.waitForFinished(60000));
        QCOMPARE(zorvane.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zorvane.exitCode(), 0);

        const QByteArray settings = readBytes(programFolder.filePath(QStringLiteral("plok.ini")));
        for (const char* key : {"[Form]", "Top=", "Left=", "Height=", "Width="})
            QVERIFY2(settings.contains(key), settings.constData());
        QCOMPARE(readBytes(programFolder.filePath(QStringLiteral("plok.his"))),
                 QByteArray("/home/recent\r\n") + QByteArray("\r\n").repeated(39));
    }

    // At the session's end nothing waits for a click or for another program's lock: a save that
    // cannot be made goes to standard error and the program ends with 1 (0 once saved), within the
    // deadline below though the lock is held for good; a lock on plok.ini itself, which any
    // reader could take, holds nothing up. A second signal ends the program at once.
    void sessionEndIsNeverHeldUp_data() {
        QTest::addColumn<HeldUp>("heldUp");
        QTest::addColumn<int>("secondSignal");
        QTest::addColumn<QString>("reported"); // on standard error; empty: nothing at all
        QTest::newRow("plok.ini cannot be written")
            << HeldUp::SettingsUnwritable << 0 << QStringLiteral("保存エラー");
        QTest::newRow("a reader locks plok.ini") << HeldUp::FileLockedByReader << 0 << QString();
        QTest::newRow("another program holds the update lock")
            << HeldUp::UpdateLockHeld << 0 << QStringLiteral("他のプログラムが使用中");
        QTest::newRow("a second signal meanwhile")
            << HeldUp::UpdateLockHeld << int(SIGINT) << QString();
    }
    void sessionEndIsNeverHeldUp() {
        QFETCH(HeldUp, heldUp);
        QFETCH(int, secondSignal);
        QFETCH(QString, reported);
        QTemporaryDir programFolder;
        QVERIFY(programFolder.isValid());
        const QString program = programFolder.filePath(QStringLiteral("zorvane"));
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_PROGRAM), program));
        QVERIFY(writeBytes(programFolder.filePath(QStringLiteral("plok.his")),
                           QByteArray("\r\n").repeated(40)));
        const QString settings = programFolder.filePath(QStringLiteral("plok.ini"));
        if (heldUp == HeldUp::SettingsUnwritable)
            QVERIFY(QDir().mkdir(settings)); // a folder where the file would go
        else
            QVERIFY(writeBytes(settings, "[Form]\r\nTop=0\r\n"));
        const HeldLock lock(heldUp == HeldUp::FileLockedByReader
                                ? ::open(QFile::encodeName(settings).constData(), O_RDONLY)
                            : heldUp == HeldUp::UpdateLockHeld ? openUpdateLockFile(settings)
                                                               : -1);
        QCOMPARE(lock.isHeld(), heldUp != HeldUp::SettingsUnwritable);

        OpenWatcher watcher;
        QVERIFY(watcher.watch(programFolder.path()));
        QProcess zorvane;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        zorvane.setProcessEnvironment(environment);
        zorvane.start(program, {});
        QVERIFY(zorvane.waitForStarted(10000));
        QVERIFY(watcher.waitFor(programFolder.path(), QStringLiteral("plok.his"), 60000));
        QCOMPARE(::kill(pid_t(zorvane.processId()), SIGTERM), 0);
        if (secondSignal != 0)
            QCOMPARE(::kill(pid_t(zorvane.processId()), secondSignal), 0);
        QVERIFY2(zorvane.waitForFinished(20000), "the program did not end");

        const QString errors = QString::fromUtf8(zorvane.readAllStandardError());
        if (secondSignal != 0) { // ended by whichever signal came second
            QCOMPARE(zorvane.exitStatus(), QProcess::CrashExit);
            return;
        }
        QCOMPARE(zorvane.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zorvane.exitCode(), reported.isEmpty() ? 0 : 1);
        if (reported.isEmpty())
            QVERIFY2(readBytes(settings).contains("Width="), qPrintable(errors));
        else
            QVERIFY2(errors.contains(reported), qPrintable(errors));
    }

    // The X server goes away under the running program: Qt ends the process, and the
    // window's keys and plok.his are written on the way out.
    void displayLossSaves() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("Xvfb is not installed (package xvfb)");
        QTemporaryDir programFolder;
        QVERIFY(programFolder.isValid());
        const QString program = programFolder.filePath(QStringLiteral("zorvane"));
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_PROGRAM), program));
        QVERIFY(writeBytes(programFolder.filePath(QStringLiteral("plok.his")),
                           QByteArray("/home/recent\r\n") + QByteArray("\r\n").repeated(40)));

        QProcess server;
        server.start(xvfb,
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("1024x768x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QVERIFY(server.waitForStarted(10000));
        QByteArray number;
        while (!number.contains('\n') && server.waitForReadyRead(30000))
            number += server.readAllStandardOutput();
        QVERIFY2(number.contains('\n'), "Xvfb gave no display number");

        OpenWatcher watcher;
        QVERIFY(watcher.watch(programFolder.path()));
        QProcess zorvane;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("DISPLAY"),
                           QStringLiteral(":") + QString::fromLatin1(number.trimmed()));
        zorvane.setProcessEnvironment(environment);
        zorvane.setWorkingDirectory(programFolder.path());
        zorvane.start(program, {});
        QVERIFY(zorvane.waitForStarted(10000));
        QVERIFY(watcher.waitFor(programFolder.path(), QStringLiteral("plok.his"), 60000));
        server.terminate();
        QVERIFY(server.waitForFinished(30000));
        QVERIFY(zorvane.waitForFinished(60000));
        QCOMPARE(zorvane.exitStatus(), QProcess::NormalExit);

        const QByteArray settings = readBytes(programFolder.filePath(QStringLiteral("plok.ini")));
        for (const char* key : {"[Form]", "Top=", "Left=", "Height=", "Width="})
            QVERIFY2(settings.contains(key), settings.constData());
        QCOMPARE(readBytes(programFolder.filePath(QStringLiteral("plok.his"))),
                 QByteArray("/home/recent\r\n") + QByteArray("\r\n").repeated(39));
    }
};

QTEST_GUILESS_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"
