#include "OpenWatcher.h"
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using zorvane::testing::OpenWatcher;
using zorvane::testing::readBytes;
using zorvane::testing::writeBytes;

namespace {

// Every file and link under `root`, as paths relative to it, sorted.
QStringList entriesUnder(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(QDir(root).relativeFilePath(it.next()));
    entries.sort();
    return entries;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir prefix_;

    QString installed(const char* relative) const {
        return prefix_.filePath(QString::fromUtf8(relative));
    }
    QString programFolder() const { return installed("lib/zorvane"); }

    void install() {
        QProcess cmake;
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(ZORVANE_CMAKE_COMMAND),
                    {QStringLiteral("--install"), QStringLiteral(ZORVANE_BUILD_DIR),
                     QStringLiteral("--prefix"), prefix_.path()});
        QVERIFY(cmake.waitForFinished(120000));
        QVERIFY2(cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0,
                 cmake.readAll().constData());
    }

private slots:
    void initTestCase() {
        QVERIFY(prefix_.isValid());
        install();
    }

    void layoutForOneUser() {
        QCOMPARE(entriesUnder(prefix_.path()),
                 QStringList({QStringLiteral("bin/zorvane"), QStringLiteral("lib/zorvane/plok.his"),
                              QStringLiteral("lib/zorvane/plok.hlp"),
                              QStringLiteral("lib/zorvane/zorvane"),
                              QStringLiteral("share/applications/zorvane.desktop"),
                              QStringLiteral("share/icons/hicolor/scalable/apps/zorvane.svg")}));
        const QFileInfo link(installed("bin/zorvane"));
        QVERIFY(link.isSymLink());
        // Relative, so the prefix can be moved as a whole.
        QCOMPARE(QFile::symLinkTarget(link.filePath()),
                 QFileInfo(installed("lib/zorvane/zorvane")).canonicalFilePath());
        QCOMPARE(QString::fromUtf8(QFile::encodeName(link.filePath())), link.filePath());
        char target[256] = {};
        QVERIFY(::readlink(QFile::encodeName(link.filePath()).constData(), target,
                           sizeof target - 1) > 0);
        QCOMPARE(QByteArray(target), QByteArray("../lib/zorvane/zorvane"));
        QVERIFY(QFileInfo(installed("lib/zorvane/zorvane")).isExecutable());

        QCOMPARE(readBytes(installed("lib/zorvane/plok.hlp")),
                 readBytes(QStringLiteral(ZORVANE_BUILT_HELP_FILE)));
        QCOMPARE(readBytes(installed("lib/zorvane/plok.his")), QByteArray("\r\n").repeated(40));
        QCOMPARE(readBytes(installed("share/icons/hicolor/scalable/apps/zorvane.svg")),
                 readBytes(QStringLiteral(ZORVANE_ICON_FILE)));
    }

    void desktopEntry() {
        const QString path = installed("share/applications/zorvane.desktop");
        const QStringList lines = QString::fromUtf8(readBytes(path)).split(u'\n');
        for (const char* line :
             {"[Desktop Entry]", "Type=Application", "Name=Zorvane", "Exec=zorvane %f",
              "Icon=zorvane", "Terminal=false", "MimeType=text/plain;"})
            QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
        QVERIFY(lines.filter(QStringLiteral("Comment=")).size() == 1);
        QVERIFY(lines.filter(QStringLiteral("Comment[ja]=")).size() == 1);
        QVERIFY(lines.filter(QStringLiteral("Categories=")).size() == 1);

        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (package desktop-file-utils)");
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {path});
        QVERIFY(validate.waitForFinished(30000));
        const QByteArray output = validate.readAll();
        QVERIFY2(validate.exitCode() == 0 && output.trimmed().isEmpty(), output.constData());
    }

    // A second installation replaces the program and plok.hlp, never the user's files.
    void secondInstallKeepsTheUsersFiles() {
        // Shift-JIS bytes as written on Windows, without a final line end.
        const QByteArray ini("[OpProgram]\r\nName=\x83\x81\x83\x82\r\n[Form]\r\nTop= 1200     ");
        QByteArray history;
        for (int line = 1; line <= 40; ++line)
            history += line == 1 ? QByteArray("/home/\x8E\x91\x97\xBF\r\n") : QByteArray("\r\n");
        QVERIFY(writeBytes(installed("lib/zorvane/plok.ini"), ini));
        QVERIFY(writeBytes(installed("lib/zorvane/plok.his"), history));
        QVERIFY(writeBytes(installed("lib/zorvane/plok.hlp"), "an older help file"));

        install();

        QCOMPARE(readBytes(installed("lib/zorvane/plok.ini")), ini);
        QCOMPARE(readBytes(installed("lib/zorvane/plok.his")), history);
        QCOMPARE(readBytes(installed("lib/zorvane/plok.hlp")),
                 readBytes(QStringLiteral(ZORVANE_BUILT_HELP_FILE)));
        QVERIFY(QFileInfo(installed("bin/zorvane")).isSymLink());
    }

    // Started through bin/zorvane, the program reads plok.ini and plok.his of the program
    // folder the link leads to.
    void linkStartsWithTheInstalledProgramFolder() {
        OpenWatcher watcher;
        QVERIFY(watcher.watch(programFolder()));
        QVERIFY(watcher.watch(installed("bin")));
        QTemporaryDir workingFolder;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(workingFolder.path());
        program.start(installed("bin/zorvane"), {});
        QVERIFY(program.waitForStarted(10000));
        const bool read = watcher.waitFor(programFolder(), QStringLiteral("plok.his"), 60000);
        program.kill();
        program.waitForFinished(10000);
        QVERIFY2(read, qPrintable(watcher.opened.join(u' ')));
        QVERIFY(watcher.opened.contains(programFolder() + QStringLiteral("/plok.ini")));
        QVERIFY(watcher.opened.filter(installed("bin")).isEmpty());
    }

    // No blank where the Japanese manual page's source breaks a line; it fits 80 columns.
    void japaneseManualPageReadsWithoutStrayBlanks() {
        if (QStandardPaths::findExecutable(QStringLiteral("man")).isEmpty())
            QSKIP("needs man (man-db)");
        QProcess reader;
        reader.setProcessChannelMode(QProcess::MergedChannels); // man's warnings too
        reader.start(QStringLiteral("sh"),
                     {QStringLiteral("-c"), QStringLiteral("MANWIDTH=80 man -l \"$0\""),
                      QStringLiteral(ZORVANE_JAPANESE_MANUAL_PAGE)});
        QVERIFY(reader.waitForFinished(60000));
        const QString page = QString::fromUtf8(reader.readAll());
        QVERIFY2(page.contains(QStringLiteral("グラフィカルセッション")), qPrintable(page));
        // A blank after a Japanese word or mark and before another, or after 、 and 。; a warning.
        static const QRegularExpression fault(
            QStringLiteral("(?<=[\\p{Han}\\p{Hiragana}\\p{Katakana}ー、。（）「」・]) "
                           "(?=[\\p{Han}\\p{Hiragana}\\p{Katakana}ー（「])|[、。] \\S|warning"));
        for (const QString& line : page.split(QChar(u'\n')))
            QVERIFY2(!fault.match(line).hasMatch(), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
