// What the seam answers for the services that live above it before the program installs them:
// nothing happens to any file, no window opens, and a pick is cancelled.
#include "PlatformFakes.h"
#include "TemporaryHome.h"
#include "TestFiles.h"

#include "platform/DirectoryPicker.h"
#include "platform/HelpService.h"
#include "platform/PlatformServices.h"
#include "platform/ShellFileOperation.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace zorvane;
using zorvane::testing::readBytes;
using zorvane::testing::writeBytes;

class TestPlatformServices : public QObject {
    Q_OBJECT

private slots:
    void fileOperationTouchesNothingUntilInstalled_data() {
        QTest::addColumn<quint32>("function");
        QTest::addColumn<QString>("to"); // relative to the temporary folder
        QTest::newRow("copy") << quint32(FO_COPY) << QStringLiteral("target");
        QTest::newRow("move") << quint32(FO_MOVE) << QStringLiteral("target");
        QTest::newRow("rename") << quint32(FO_RENAME) << QStringLiteral("renamed.txt");
        QTest::newRow("delete") << quint32(FO_DELETE) << QString();
    }
    void fileOperationTouchesNothingUntilInstalled() {
        QFETCH(quint32, function);
        QFETCH(QString, to);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString source = folder.filePath(QStringLiteral("メモ.txt"));
        QVERIFY(writeBytes(source, "一行目\r\n"));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("target")));
        const QStringList before =
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        ShellRequest request;
        request.function = function;
        request.from = source;
        request.to = to.isEmpty() ? QString() : folder.filePath(to);
        request.flags = FOF_ALLOWUNDO;
        // Only the message box is a fake, so that a real service would not wait on a question.
        zorvane::testing::FakeMessageBox box;
        PlatformServices::setMessageBox(&box);
        const int result = PlatformServices::shellFileOperation().perform(request);
        PlatformServices::setMessageBox(nullptr);
        QVERIFY(result != 0);
        QVERIFY(box.shown.isEmpty());

        QCOMPARE(readBytes(source), QByteArray("一行目\r\n"));
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            before);
        QVERIFY(QDir(folder.filePath(QStringLiteral("target")))
                    .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void helpAndPickerDoNothingUntilInstalled() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString helpFile = folder.filePath(QStringLiteral("plok.hlp"));
        QVERIFY(writeBytes(helpFile, "<html><body><h1 id=\"6\">目次</h1></body></html>"));
        PlatformServices::help().showContents(helpFile);
        PlatformServices::help().showTopic(helpFile, 6);
        QCoreApplication::processEvents();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());

        QCOMPARE(PlatformServices::directoryPicker().pickDirectory(nullptr, folder.path()),
                 QString());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

int main(int argc, char* argv[]) {
    // Were a real service to run, its trash would be this home's, not the user's.
    const zorvane::testing::TemporaryHome home;
    if (!home.isValid())
        return 1;
    QApplication app(argc, argv);
    TestPlatformServices test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platformservices.moc"
