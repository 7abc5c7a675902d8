#include "app/SessionEndSignals.h"

#include "OpenWatcher.h"
#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

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

} // namespace

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
