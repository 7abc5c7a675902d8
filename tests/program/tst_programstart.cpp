#include "app/CommandLineOptions.h"
#include "app/GraphicalSession.h"
#include "app/TerminalLanguage.h"

#include "OpenWatcher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace zorvane;
using zorvane::testing::OpenWatcher;

namespace {

// An environment with no display at all, in `locale`; `extra` is added (NAME=value).
QProcessEnvironment environmentWithout(const QString& locale, const QStringList& extra = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), locale);
    for (const QString& pair : extra)
        environment.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return environment;
}

QStringList words(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

struct Run {
    bool finished = false;
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString out;
    QString err;
};

Run runProgram(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZORVANE_PROGRAM), arguments);
    Run run;
    run.finished = program.waitForFinished(60000);
    if (!run.finished) {
        program.kill();
        program.waitForFinished(10000);
    }
    run.exitCode = program.exitCode();
    run.exitStatus = program.exitStatus();
    run.out = QString::fromUtf8(program.readAllStandardOutput());
    run.err = QString::fromUtf8(program.readAllStandardError());
    return run;
}

// A Unix socket file without a server.
bool bindOnly(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (std::size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        ::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(descriptor);
    return bound;
}

} // namespace

class TestProgramStart : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;

private slots:
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("optionsEnded");
        QTest::addColumn<QStringList>("operands");
        const int open = int(CommandLineAction::Open);
        const int help = int(CommandLineAction::Help);
        const int version = int(CommandLineAction::Version);
        QTest::newRow("nothing") << QStringList() << open << false << QStringList();
        QTest::newRow("a path") << words({"/tmp/a b.txt"}) << open << false
                                << words({"/tmp/a b.txt"});
        QTest::newRow("a path split by the shell")
            << words({"/tmp/a", "b.txt"}) << open << false << words({"/tmp/a", "b.txt"});
        QTest::newRow("-h") << words({"-h"}) << help << false << QStringList();
        QTest::newRow("--help") << words({"--help"}) << help << false << QStringList();
        QTest::newRow("--help and more")
            << words({"--help", "x"}) << help << false << QStringList();
        QTest::newRow("--version") << words({"--version"}) << version << false << QStringList();
        QTest::newRow("the first option wins")
            << words({"--version", "--help"}) << version << false << QStringList();
        QTest::newRow("-- names a file --help")
            << words({"--", "--help"}) << open << true << words({"--help"});
        QTest::newRow("-- and a second --")
            << words({"--", "--", "x"}) << open << true << words({"--", "x"});
        QTest::newRow("-- alone") << words({"--"}) << open << true << QStringList();
        QTest::newRow("an option after the path is the path's")
            << words({"notes", "--help"}) << open << false << words({"notes", "--help"});
        QTest::newRow("-- inside a path stays")
            << words({"a", "--", "b"}) << open << false << words({"a", "--", "b"});
        QTest::newRow("an unknown option begins the path")
            << words({"-x", "--help"}) << open << false << words({"-x", "--help"});
        QTest::newRow("--helpx is no option")
            << words({"--helpx"}) << open << false << words({"--helpx"});
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(bool, optionsEnded);
        QFETCH(QStringList, operands);
        const CommandLineRequest request = parseCommandLine(arguments);
        QCOMPARE(int(request.action), action);
        QCOMPARE(request.optionsEnded, optionsEnded);
        QCOMPARE(request.operands, operands);
    }

    void language_data() {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcMessages");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<bool>("japanese");
        QTest::newRow("nothing set") << QByteArray() << QByteArray() << QByteArray() << false;
        QTest::newRow("LANG ja") << QByteArray() << QByteArray() << QByteArray("ja_JP.UTF-8")
                                 << true;
        QTest::newRow("LANG ja, LC_ALL C")
            << QByteArray("C") << QByteArray() << QByteArray("ja_JP.UTF-8") << false;
        QTest::newRow("LC_MESSAGES over LANG")
            << QByteArray() << QByteArray("ja_JP.eucJP") << QByteArray("en_US.UTF-8") << true;
        QTest::newRow("LC_ALL over LC_MESSAGES")
            << QByteArray("en_US.UTF-8") << QByteArray("ja_JP.UTF-8") << QByteArray() << false;
        QTest::newRow("bare ja") << QByteArray("ja") << QByteArray() << QByteArray() << true;
        QTest::newRow("another language beginning with ja")
            << QByteArray() << QByteArray() << QByteArray("jam_JM") << false;
        QTest::newRow("C.UTF-8") << QByteArray() << QByteArray() << QByteArray("C.UTF-8") << false;
    }
    void language() {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcMessages);
        QFETCH(QByteArray, lang);
        QFETCH(bool, japanese);
        QCOMPARE(terminalSpeaksJapanese(lcAll, lcMessages, lang), japanese);
    }

    void displayReachable_data() {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("reachable");
        const QByteArray none;
        QTest::newRow("nothing") << none << none << none << QStringList() << false;
        QTest::newRow("X11") << QByteArray(":0") << none << none << QStringList() << true;
        QTest::newRow("Wayland") << none << QByteArray("wayland-0") << none << QStringList()
                                 << true;
        QTest::newRow("offscreen")
            << none << none << QByteArray("offscreen") << QStringList() << true;
        QTest::newRow("offscreen with options")
            << none << none << QByteArray("offscreen:fontconfig") << QStringList() << true;
        QTest::newRow("xcb without a display")
            << none << none << QByteArray("xcb") << QStringList() << false;
        QTest::newRow("wayland-egl without a display")
            << none << none << QByteArray("wayland-egl") << QStringList() << false;
        QTest::newRow("a list with a fallback needing none")
            << none << none << QByteArray("wayland;xcb;offscreen") << QStringList() << true;
        QTest::newRow("a list of display servers only")
            << none << none << QByteArray("wayland;xcb") << QStringList() << false;
        QTest::newRow("-platform on the command line")
            << none << none << none << words({"-platform", "vnc"}) << true;
        QTest::newRow("-platform after -- is a file name")
            << none << none << none << words({"--", "-platform", "vnc"}) << false;
    }
    void displayReachable() {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, platform);
        QFETCH(QStringList, arguments);
        QFETCH(bool, reachable);
        QCOMPARE(graphicalSessionReachable(display, wayland, platform, arguments), reachable);
    }

    void displaySockets_data() {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArrayList>("sockets");
        const QByteArray none;
        const QByteArray x5("/tmp/.X11-unix/X5");
        QTest::newRow("local X") << QByteArray(":5") << none << QByteArrayList{x5};
        QTest::newRow("local X, screen and unix host")
            << QByteArray("unix:5.1") << none << QByteArrayList{x5};
        QTest::newRow("X over ssh") << QByteArray("localhost:10.0") << none << QByteArrayList();
        QTest::newRow("no number") << QByteArray(":x") << none << QByteArrayList();
        QTest::newRow("Wayland in the runtime folder")
            << none << QByteArray("wayland-1") << QByteArrayList{"/run/user/7/wayland-1"};
        QTest::newRow("Wayland by its path and X")
            << QByteArray(":5") << QByteArray("/w/socket") << QByteArrayList{x5, "/w/socket"};
    }
    void displaySockets() {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArrayList, sockets);
        QCOMPARE(zorvane::displaySockets(display, wayland, "/run/user/7"), sockets);
    }

    // The options of the real program answer on a terminal without any display, and the
    // program says it needs one instead of aborting in Qt, also when the display it names has
    // gone.
    void terminalAnswers_data() {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString version = QStringLiteral("zorvane " ZORVANE_PROJECT_VERSION "\n");
        QTest::newRow("--version") << QStringList() << words({"--version"}) << QStringLiteral("C")
                                   << 0 << version << QString();
        QTest::newRow("--help, English")
            << QStringList() << words({"--help"}) << QStringLiteral("C.UTF-8") << 0
            << usageText(false) << QString();
        QTest::newRow("-h, Japanese")
            << QStringList() << words({"-h"}) << QStringLiteral("ja_JP.UTF-8") << 0
            << usageText(true) << QString();
        QTest::newRow("no display, English")
            << QStringList() << QStringList() << QStringLiteral("en_US.UTF-8") << 1 << QString()
            << noGraphicalSessionMessage(false);
        QTest::newRow("no display, Japanese")
            << QStringList() << words({"/tmp/x.txt"}) << QStringLiteral("ja_JP.UTF-8") << 1
            << QString() << noGraphicalSessionMessage(true);
        QTest::newRow("-- --help needs a display")
            << QStringList() << words({"--", "--help"}) << QStringLiteral("C") << 1 << QString()
            << noGraphicalSessionMessage(false);
        int gone = 987;
        while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(gone)))
            ++gone;
        QTest::newRow("an X display that has gone")
            << QStringList{QStringLiteral("DISPLAY=:%1").arg(gone)} << QStringList()
            << QStringLiteral("ja_JP.UTF-8") << 1 << QString() << noGraphicalSessionMessage(true);
        // A compositor that crashed leaves its socket behind, with no one listening.
        const QString runtime = runtime_.path();
        QVERIFY(bindOnly(runtime + QStringLiteral("/wayland-crashed")));
        QTest::newRow("a Wayland display that has gone")
            << QStringList{QStringLiteral("WAYLAND_DISPLAY=wayland-crashed"),
                           QStringLiteral("XDG_RUNTIME_DIR=") + runtime,
                           QStringLiteral("XDG_SESSION_TYPE=wayland")}
            << QStringList() << QStringLiteral("C") << 1 << QString()
            << noGraphicalSessionMessage(false);
    }
    void terminalAnswers() {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(QString, locale);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = runProgram(arguments, environmentWithout(locale, environment));
        QVERIFY(run.finished);
        QCOMPARE(run.exitStatus, QProcess::NormalExit);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, out);
        QCOMPARE(run.err, err);
    }

    // "--" ends the options: the file named "--help" is previewed (its folder's listing and
    // the file itself are read), and no usage is printed.
    void doubleDashShowsAFileNamedLikeAnOption() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile file(folder.filePath(QStringLiteral("--help")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("shown\n");
        file.close();
        // A program folder of its own, so nothing is written beside the built program.
        QTemporaryDir programFolder;
        const QString program = programFolder.filePath(QStringLiteral("zorvane"));
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_PROGRAM), program));

        OpenWatcher watcher;
        QVERIFY(watcher.watch(folder.path()));
        QProcess zorvane;
        zorvane.setProcessEnvironment(environmentWithout(
            QStringLiteral("C.UTF-8"), {QStringLiteral("QT_QPA_PLATFORM=offscreen")}));
        zorvane.setWorkingDirectory(folder.path());
        zorvane.start(program, {QStringLiteral("--"), QStringLiteral("--help")});
        QVERIFY(zorvane.waitForStarted(10000));
        const bool previewed = watcher.waitFor(folder.path(), QStringLiteral("--help"), 60000);
        zorvane.kill();
        zorvane.waitForFinished(10000);
        QVERIFY2(previewed, qPrintable(watcher.opened.join(u' ')));
        QVERIFY(zorvane.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProgramStart)
#include "tst_programstart.moc"
