#include "launch/LaunchCommands.h"
#include "launch/ProgramCommandLine.h"
#include "launch/ProgramInvocation.h"
#include "platform/GioDefaultTextApplication.h"
#include "platform/PlatformServices.h"
#include "platform/SystemProcessStarter.h"

#include "PlatformFakes.h"
#include "TemporaryHome.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

using namespace zorvane;

namespace {

const QString recorder = QStringLiteral(ZORVANE_ARGV_RECORDER);

// The program text that starts the recorder, with extra words after it.
QString recorderText(const QString& extra = QString()) {
    QString text = QLatin1Char('"') + recorder + QLatin1Char('"');
    if (!extra.isEmpty())
        text += QLatin1Char(' ') + extra;
    return text;
}

// The arguments the recorder received, once it has written them.
QStringList readRecordedArguments(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<unreadable>")};
    QStringList arguments;
    const QList<QByteArray> parts = file.readAll().split('\0');
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) // the last part follows the last NUL
        arguments.append(QFile::decodeName(parts.at(i)));
    return arguments;
}

// The desktop of these tests: this program is the default for plain text, then "editor";
// "csource" takes C sources, "viewer" pictures. Each is the recorder, told by its first argument.
void makeDesktopApplications(const QString& home) {
    for (const char* folder : {"/data/applications", "/config", "/system"})
        QDir().mkpath(home + QLatin1StringView(folder));
    for (const char* name : {"zorvane", "editor", "csource", "viewer"})
        testing::writeBytes(
            home + QStringLiteral("/data/applications/%1.desktop").arg(QLatin1StringView(name)),
            QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=\"%2\" %1 %f\n")
                .arg(QLatin1StringView(name), recorder)
                .toUtf8());
    // As update-desktop-database records them, and the user's choice.
    const QByteArray others = "text/x-csrc=csource.desktop;\nimage/png=viewer.desktop;\n";
    testing::writeBytes(home + QStringLiteral("/data/applications/mimeinfo.cache"),
                        "[MIME Cache]\ntext/plain=editor.desktop;zorvane.desktop;\n" + others);
    testing::writeBytes(home + QStringLiteral("/config/mimeapps.list"),
                        "[Default Applications]\ntext/plain=zorvane.desktop;\n" + others);
    // No other application, and the system's types of files.
    QFile::link(QStringLiteral("/usr/share/mime"), home + QStringLiteral("/system/mime"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home + QStringLiteral("/system")));
}

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    // GLib reads the user's folders and the desktop's applications once, when first asked:
    // they are the test's.
    testing::TemporaryHome home;
    int runs = 0;

    // Points the recorder at a fresh output file and returns its path.
    QString prepareRecord() {
        const QString path = dir.filePath(QStringLiteral("argv-%1.bin").arg(++runs));
        qputenv("ZORVANE_ARGV_FILE", QFile::encodeName(path));
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid() && home.isValid());
        makeDesktopApplications(QFile::decodeName(qgetenv("HOME")));
    }

    // A file name can carry anything a shell would act on; it must reach the program as one
    // argument, untouched, and run nothing.
    void currentFileArrivesAsOneArgument_data() {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("blanks") << QStringLiteral("my memo  file.txt");
        QTest::newRow("double quotes") << QStringLiteral("say \"hi\" now.txt");
        QTest::newRow("single quotes") << QStringLiteral("it's 'quoted'.txt");
        QTest::newRow("dollar command") << QStringLiteral("$(touch INJECTED).txt");
        QTest::newRow("backquotes") << QStringLiteral("`touch INJECTED`.txt");
        QTest::newRow("leading dash") << QStringLiteral("-rf");
        QTest::newRow("newline") << QStringLiteral("two\nlines.txt");
        QTest::newRow("japanese and semicolon") << QStringLiteral("メモ; rm x & echo %PATH%.txt");
    }
    void currentFileArrivesAsOneArgument() {
        QFETCH(QString, fileName);
        testing::PlatformFakes fakes;
        SystemProcessStarter starter;
        PlatformServices::setProcessStarter(&starter);

        const QString currentFile = dir.filePath(fileName);
        const QString record = prepareRecord();
        qint16 launched = 0;
        QWidget viewer;
        QCOMPARE(runToolCommand(recorderText(), currentFile, launched, &viewer, nullptr),
                 LaunchOutcome::Started);
        QCOMPARE(launched, qint16(1));
        QVERIFY(!viewer.isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
        QCOMPARE(readRecordedArguments(record), QStringList{currentFile});
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("INJECTED"))));
        QVERIFY(fakes.messageBox.shown.isEmpty());
    }

    void programTextIsSplitIntoProgramAndArguments() {
        testing::PlatformFakes fakes;
        SystemProcessStarter starter;
        PlatformServices::setProcessStarter(&starter);

        const QString currentFile = dir.filePath(QStringLiteral("a b.txt"));
        const QString record = prepareRecord();
        qint16 launched = 0;
        QCOMPARE(runEditorCommand(recorderText(QStringLiteral("--flag \"two words\"")), currentFile,
                                  launched, nullptr, nullptr),
                 LaunchOutcome::Started);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
        QCOMPARE(readRecordedArguments(record),
                 (QStringList{QStringLiteral("--flag"), QStringLiteral("two words"), currentFile}));
    }

    void noCurrentFileStartsWithoutArgument() {
        testing::PlatformFakes fakes;
        SystemProcessStarter starter;
        PlatformServices::setProcessStarter(&starter);

        const QString record = prepareRecord();
        qint16 launched = 0;
        QWidget viewer;
        QCOMPARE(runEditorCommand(recorderText(), QString(), launched, &viewer, nullptr),
                 LaunchOutcome::Started);
        QCOMPARE(launched, qint16(1));
        QVERIFY(!viewer.isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
        QCOMPARE(readRecordedArguments(record), QStringList{});
    }

    // A program that cannot be found: the reporter's box, nothing else changes.
    void missingProgramIsReported_data() {
        QTest::addColumn<QString>("programText");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QString>("message");
        const QString notFound = QStringLiteral("ファイルが見みつかりません。");
        const QString noPath = QStringLiteral("指定されたパスが存在しません。");
        QTest::newRow("bare name not in PATH")
            << QStringLiteral("zorvane-no-such-program-42") << 53 << notFound;
        QTest::newRow("missing file in existing folder")
            << dir.filePath(QStringLiteral("no-such-tool")) << 53 << notFound;
        QTest::newRow("missing folder on the way")
            << dir.filePath(QStringLiteral("no-such-folder/tool")) << 76 << noPath;
        QTest::newRow("missing folder, program with arguments")
            << (dir.filePath(QStringLiteral("gone/tool")) + QStringLiteral(" -n")) << 76 << noPath;
    }
    void missingProgramIsReported() {
        QFETCH(QString, programText);
        QFETCH(int, errorNumber);
        QFETCH(QString, message);
        testing::PlatformFakes fakes;
        SystemProcessStarter starter;
        PlatformServices::setProcessStarter(&starter);

        const QString program = QProcess::splitCommand(programText).value(0);
        QString resolved;
        QCOMPARE(resolveProgram(program, resolved), errorNumber);

        qint16 launched = 0;
        QWidget viewer;
        QWidget owner;
        QCOMPARE(runToolCommand(programText, dir.filePath(QStringLiteral("memo.txt")), launched,
                                &viewer, &owner),
                 LaunchOutcome::Failed);
        QCOMPARE(launched, qint16(0));
        QVERIFY(viewer.isEnabled());
        QCOMPARE(fakes.messageBox.shown.size(), 1);
        QCOMPARE(fakes.messageBox.shown.first().text, message);
        QCOMPARE(fakes.messageBox.owners.first(), &owner);
        QCOMPARE(fakes.beep.count, 0);
    }

    // A file that is there but is no program, or a folder: a failure without a message.
    void unrunnableProgramFailsWithoutMessage() {
        testing::PlatformFakes fakes;
        SystemProcessStarter starter;
        PlatformServices::setProcessStarter(&starter);

        QFile plain(dir.filePath(QStringLiteral("not-a-program.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("text\n");
        plain.close();

        for (const QString& programText : {QLatin1Char('"') + plain.fileName() + QLatin1Char('"'),
                                           QLatin1Char('"') + dir.path() + QLatin1Char('"')}) {
            qint16 launched = 0;
            QWidget viewer;
            QCOMPARE(runToolCommand(programText, plain.fileName(), launched, &viewer, nullptr),
                     LaunchOutcome::Failed);
            QCOMPARE(launched, qint16(0));
            QVERIFY(viewer.isEnabled());
        }
        QVERIFY(fakes.messageBox.shown.isEmpty());
    }

    void unconfiguredToolBeepsAndChangesNothing() {
        testing::PlatformFakes fakes;
        qint16 launched = 0;
        QWidget viewer;
        QCOMPARE(
            runToolCommand(QString(), QStringLiteral("/tmp/memo.txt"), launched, &viewer, nullptr),
            LaunchOutcome::NotConfigured);
        QCOMPARE(fakes.beep.count, 1);
        QCOMPARE(launched, qint16(0));
        QVERIFY(viewer.isEnabled());
        QVERIFY(fakes.processStarter.started.isEmpty());
        // The beep is silent on most desktops: the user is also told where tools are set.
        QVERIFY(fakes.messageBox.shown.value(0).text.contains(QStringLiteral("「オプション」")));
    }

    // A fresh install's editor, "Editor", is no program on Linux: the desktop's application for
    // text files stands in for it, unless a program of that name is there. A program the user
    // set is reported missing as before.
    void editorOfAFreshInstall_data() {
        QTest::addColumn<QString>("editorPath");
        QTest::addColumn<int>("startResult");    // of starting the program itself
        QTest::addColumn<bool>("desktopStarts"); // the desktop has an application
        QTest::addColumn<bool>("desktopAsked");
        QTest::addColumn<QString>("boxTitle"); // of the box shown, if any
        const QString editor = QStringLiteral("Editor");
        QTest::newRow("no program Editor") << editor << 53 << true << true << QString();
        QTest::newRow("a program Editor") << editor << 0 << true << false << QString();
        QTest::newRow("no desktop application")
            << editor << 53 << false << true << QStringLiteral("エディタ");
        QTest::newRow("the user's program is missing")
            << QStringLiteral("myeditor") << 53 << true << false
            << QStringLiteral("ディスク エラー");
    }
    void editorOfAFreshInstall() {
        QFETCH(QString, editorPath);
        QFETCH(int, startResult);
        QFETCH(bool, desktopStarts);
        QFETCH(bool, desktopAsked);
        QFETCH(QString, boxTitle);
        testing::PlatformFakes fakes;
        fakes.processStarter.result = startResult;
        fakes.defaultTextApplication.result = desktopStarts;
        qint16 launched = 0;
        const QString memo = QStringLiteral("/tmp/メモ 1.txt");
        runEditorCommand(editorPath, memo, launched, nullptr, nullptr);
        QCOMPARE(fakes.defaultTextApplication.files,
                 desktopAsked ? QStringList{memo} : QStringList{});
        QCOMPARE(fakes.messageBox.shown.value(0).title, boxTitle);
        QCOMPARE(launched, qint16(boxTitle.isEmpty() ? 1 : 0));
    }

    // The editor has no "not configured" test, but an empty program never turns the current
    // file into the program: nothing is started, nothing is shown, nothing changes.
    void emptyEditorFailsQuietly_data() {
        QTest::addColumn<QString>("editorPath");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks only") << QStringLiteral("   ");
    }
    void emptyEditorFailsQuietly() {
        QFETCH(QString, editorPath);
        testing::PlatformFakes fakes;
        qint16 launched = 0;
        QWidget viewer;
        QCOMPARE(runEditorCommand(editorPath, QStringLiteral("/tmp/memo.sh"), launched, &viewer,
                                  nullptr),
                 LaunchOutcome::Failed);
        QVERIFY(fakes.processStarter.started.isEmpty());
        QVERIFY(fakes.messageBox.shown.isEmpty());
        QCOMPARE(fakes.beep.count, 0);
        QCOMPARE(launched, qint16(0));
        QVERIFY(viewer.isEnabled());
    }

    // A failed start keeps an earlier launch's state as it was.
    void failureKeepsEarlierLaunchState() {
        testing::PlatformFakes fakes;
        fakes.processStarter.result = 53;
        qint16 launched = 1;
        QWidget viewer;
        viewer.setEnabled(false);
        QCOMPARE(runToolCommand(QStringLiteral("tool"), QStringLiteral("/tmp/a.txt"), launched,
                                &viewer, nullptr),
                 LaunchOutcome::Failed);
        QCOMPARE(launched, qint16(1));
        QVERIFY(!viewer.isEnabled());
        QCOMPARE(fakes.processStarter.started.size(), 1);
    }

    // The desktop's application for text files, as a file manager's "Open" would start it, but
    // never this program: the next one then.
    void desktopApplicationForTextFiles_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("started");
        QTest::newRow("this program is the default")
            << QStringLiteral("メモ 1.txt") << QStringLiteral("editor");
        QTest::newRow("a kind of text: its own")
            << QStringLiteral("main.c") << QStringLiteral("csource");
        QTest::newRow("no text: the one for text")
            << QStringLiteral("picture.png") << QStringLiteral("editor");
    }
    void desktopApplicationForTextFiles() {
        QFETCH(QString, fileName);
        QFETCH(QString, started);
        if (!QFileInfo::exists(QStringLiteral("/usr/share/mime/mime.cache")))
            QSKIP("needs the system's types of files (shared-mime-info)");
        const QString record = prepareRecord();
        QVERIFY(GioDefaultTextApplication().startOn(dir.filePath(fileName)));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
        QCOMPARE(readRecordedArguments(record), (QStringList{started, dir.filePath(fileName)}));
    }

    // The command line kept as the record of what is started.
    void commandLineText() {
        QCOMPARE(buildCommandLine(QStringLiteral("C:/Tools/ed it.exe"), QStringLiteral("/a b/c")),
                 QStringLiteral("C:/Tools/ed it.exe \"/a b/c\""));
        QCOMPARE(buildCommandLine(QStringLiteral("vi"), QString()), QStringLiteral("vi"));
        QCOMPARE(buildCommandLine(QString(), QStringLiteral("/x")), QStringLiteral(" \"/x\""));
    }
};

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
