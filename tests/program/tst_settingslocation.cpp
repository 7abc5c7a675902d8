#include "app/SettingsLocation.h"

#include "OpenWatcher.h"
#include "TestFiles.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorvane;
using zorvane::testing::OpenWatcher;

using zorvane::testing::readBytes;
using zorvane::testing::writeBytes;

namespace {

constexpr uid_t Nobody = 65534;
constexpr uid_t OtherUser = 61011; // a user without a passwd entry, as on a shared machine

bool own(const QString& path, uid_t user, mode_t mode) {
    const QByteArray name = QFile::encodeName(path);
    return ::chown(name.constData(), user, user) == 0 && ::chmod(name.constData(), mode) == 0;
}

QByteArray history(const QByteArray& firstLine) {
    return firstLine + "\r\n" + QByteArray("\r\n").repeated(39);
}

bool waitUntilExists(const QString& path, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!QFileInfo::exists(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

class TestSettingsLocation : public QObject {
    Q_OBJECT

    QTemporaryDir root_;

    // Runs the program in `programFolder` as `user` with `home` (and XDG_CONFIG_HOME where
    // given) until `ready` appears (or, where it already exists, is opened), then ends it as a
    // logout does. True when it ended with 0.
    bool runAs(uid_t user, const QString& programFolder, const QString& home,
               const QString& configHome, const QString& ready) {
        const bool existed = QFileInfo::exists(ready);
        OpenWatcher watcher;
        if (existed && !watcher.watch(QFileInfo(ready).path()))
            return false;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), home);
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        if (!configHome.isEmpty())
            environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(home);
        program.setChildProcessModifier([user] {
            const gid_t group = gid_t(user);
            if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(user) != 0)
                ::_exit(120);
        });
        program.start(programFolder + QStringLiteral("/zorvane"), {});
        if (!program.waitForStarted(10000))
            return false;
        const bool started =
            existed ? watcher.waitFor(QFileInfo(ready).path(), QFileInfo(ready).fileName(), 60000)
                    : waitUntilExists(ready, 60000);
        ::kill(pid_t(program.processId()), SIGTERM);
        const bool finished = program.waitForFinished(60000);
        if (!finished)
            program.kill();
        if (!started || !finished)
            qWarning("%s", program.readAllStandardError().constData());
        return started && finished && program.exitStatus() == QProcess::NormalExit &&
               program.exitCode() == 0;
    }

    // A program folder as an installation into /usr leaves it: root's, readable by all.
    QString installedProgramFolder(const char* name, const QByteArray& settings) {
        const QString folder = root_.filePath(QString::fromUtf8(name));
        if (!QDir().mkpath(folder) ||
            !QFile::copy(QStringLiteral(ZORVANE_PROGRAM), folder + QStringLiteral("/zorvane")) ||
            !writeBytes(folder + QStringLiteral("/plok.ini"), settings) ||
            !writeBytes(folder + QStringLiteral("/plok.his"), history("/seed")) ||
            !own(folder, 0, 0755) || !own(folder + QStringLiteral("/zorvane"), 0, 0755) ||
            !own(folder + QStringLiteral("/plok.ini"), 0, 0644) ||
            !own(folder + QStringLiteral("/plok.his"), 0, 0644))
            return QString();
        return folder;
    }

    QString homeOf(uid_t user) {
        const QString home = root_.filePath(QStringLiteral("home-%1").arg(user));
        return QDir().mkpath(home) && own(home, user, 0700) ? home : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        QVERIFY(own(root_.path(), 0, 0755)); // others may pass through to their folders
    }

    void folder_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QByteArray>("xdgConfigHome");
        QTest::addColumn<QString>("folder");
        const QString program = QStringLiteral("/usr/lib/zorvane/");
        QTest::newRow("writable program folder")
            << true << QByteArray("/cfg") << QStringLiteral("/usr/lib/zorvane/");
        QTest::newRow("read-only, XDG_CONFIG_HOME")
            << false << QByteArray("/cfg") << QStringLiteral("/cfg/zorvane/");
        QTest::newRow("read-only, XDG_CONFIG_HOME with a slash")
            << false << QByteArray("/cfg/") << QStringLiteral("/cfg/zorvane/");
        QTest::newRow("read-only, no XDG_CONFIG_HOME")
            << false << QByteArray() << QStringLiteral("/home/u/.config/zorvane/");
        QTest::newRow("read-only, a relative XDG_CONFIG_HOME is ignored")
            << false << QByteArray("cfg") << QStringLiteral("/home/u/.config/zorvane/");
    }
    void folder() {
        QFETCH(bool, writable);
        QFETCH(QByteArray, xdgConfigHome);
        QFETCH(QString, folder);
        QCOMPARE(settingsFolderFor(writable, QStringLiteral("/usr/lib/zorvane/"), xdgConfigHome,
                                   QStringLiteral("/home/u")),
                 folder);
    }

    // Installed read-only: each user gets a folder of their own, seeded once from the
    // installation's files; the installation's files stay untouched.
    void readOnlyInstallGivesEachUserTheirOwn() {
        if (::geteuid() != 0)
            QSKIP("needs root to run the program as other users");
        const QByteArray installed("[OpProgram]\r\nName=Seeded\r\n");
        const QString program = installedProgramFolder("usr-lib-zorvane", installed);
        QVERIFY(!program.isEmpty());
        const QString homeA = homeOf(Nobody);
        const QString homeB = homeOf(OtherUser);
        QVERIFY(!homeA.isEmpty() && !homeB.isEmpty());
        const QString folderA = homeA + QStringLiteral("/.config/zorvane/");
        const QString folderB = homeB + QStringLiteral("/settings/zorvane/");

        // First start: made and seeded, then saved there at the end.
        QVERIFY(runAs(Nobody, program, homeA, QString(), folderA + QStringLiteral("plok.his")));
        QByteArray settingsA = readBytes(folderA + QStringLiteral("plok.ini"));
        QVERIFY2(settingsA.contains("Name=Seeded") && settingsA.contains("Top="),
                 settingsA.constData());
        QCOMPARE(readBytes(folderA + QStringLiteral("plok.his")), history("/seed"));
        QFileInfo file(folderA + QStringLiteral("plok.ini"));
        QCOMPARE(file.ownerId(), Nobody);
        QCOMPARE(readBytes(program + QStringLiteral("/plok.ini")), installed);
        QVERIFY(!QFileInfo::exists(homeA + QStringLiteral("/settings")));

        // The installation's copy changes: the first user keeps their own, the second user
        // (with XDG_CONFIG_HOME) starts from the new one.
        const QByteArray changed("[OpProgram]\r\nName=Changed\r\n");
        QVERIFY(writeBytes(program + QStringLiteral("/plok.ini"), changed));
        QVERIFY(runAs(Nobody, program, homeA, QString(), folderA + QStringLiteral("plok.his")));
        settingsA = readBytes(folderA + QStringLiteral("plok.ini"));
        QVERIFY2(settingsA.contains("Name=Seeded"), settingsA.constData());

        QVERIFY(runAs(OtherUser, program, homeB, homeB + QStringLiteral("/settings"),
                      folderB + QStringLiteral("plok.his")));
        const QByteArray settingsB = readBytes(folderB + QStringLiteral("plok.ini"));
        QVERIFY2(settingsB.contains("Name=Changed") && settingsB.contains("Top="),
                 settingsB.constData());
        QCOMPARE(QFileInfo(folderB + QStringLiteral("plok.his")).ownerId(), OtherUser);
        QCOMPARE(readBytes(program + QStringLiteral("/plok.ini")), changed);
        QCOMPARE(readBytes(program + QStringLiteral("/plok.his")), history("/seed"));
    }

    // A per-user install (the folder is the user's) keeps plok.ini and plok.his beside the
    // program, and makes no folder in the home.
    void perUserInstallKeepsItsOwnFolder() {
        if (::geteuid() != 0)
            QSKIP("needs root to run the program as another user");
        const QString program = installedProgramFolder("home-install", "[Option]\r\n");
        QVERIFY(!program.isEmpty());
        for (const char* name : {"", "/zorvane", "/plok.ini", "/plok.his"})
            QVERIFY(own(program + QString::fromUtf8(name), Nobody,
                        *name == 0 || qstrcmp(name, "/zorvane") == 0 ? 0755 : 0644));
        const QString home = root_.filePath(QStringLiteral("home-per-user"));
        QVERIFY(QDir().mkpath(home) && own(home, Nobody, 0700));
        const QString settings = program + QStringLiteral("/plok.ini");
        QVERIFY(runAs(Nobody, program, home, QString(), program + QStringLiteral("/plok.his")));
        QVERIFY2(readBytes(settings).contains("Top="), readBytes(settings).constData());
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/.config")));
    }
};

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "tst_settingslocation.moc"
