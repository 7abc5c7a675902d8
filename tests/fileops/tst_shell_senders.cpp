#include "app/ModPlok.h"
#include "fileops/ShellSenders.h"
#include "platform/ShellFileOperation.h"

#include "PlatformFakes.h"

#include <QWidget>
#include <QtTest>

using namespace zorvane;

class TestShellSenders : public QObject {
    Q_OBJECT

private slots:
    void init() { resetModPlok(); }

    // Copy and move are swapped between FileOpCode and the request: a copy must never be sent
    // as a move (the file would leave its folder) nor the other way round.
    void copyAndMoveAreNeverConfused() {
        testing::PlatformFakes fakes;
        QWidget dialog;
        const QString source = QStringLiteral("/home/u/memo.txt");
        const QString folder = QStringLiteral("/home/u/backup");

        QCOMPARE(opFuncForFileOpCode(1), qint32(FO_COPY));
        QCOMPARE(opFuncForFileOpCode(2), qint32(FO_MOVE));

        ShellCopyMove(&dialog, opFuncForFileOpCode(1), source, folder);
        ShellCopyMove(&dialog, opFuncForFileOpCode(2), source, folder);
        QCOMPARE(fakes.shellFileOperation.requests.size(), 2);
        QCOMPARE(fakes.shellFileOperation.requests.at(0).function, quint32(2));
        QCOMPARE(fakes.shellFileOperation.requests.at(1).function, quint32(1));
    }

    void requestsCarryOwnerPathsAndUndoWish_data() {
        QTest::addColumn<int>("which"); // 0 copy, 1 move, 2 rename, 3 delete
        QTest::addColumn<quint32>("function");
        QTest::addColumn<QString>("to");
        QTest::newRow("copy") << 0 << quint32(FO_COPY) << QStringLiteral("/d/フォルダ");
        QTest::newRow("move") << 1 << quint32(FO_MOVE) << QStringLiteral("/d/フォルダ");
        QTest::newRow("rename") << 2 << quint32(FO_RENAME) << QStringLiteral("/s/新しい名前.txt");
        QTest::newRow("delete") << 3 << quint32(FO_DELETE) << QString();
    }
    void requestsCarryOwnerPathsAndUndoWish() {
        QFETCH(int, which);
        QFETCH(quint32, function);
        QFETCH(QString, to);
        testing::PlatformFakes fakes;
        QWidget dialog;
        modPlok().FileOpCode = 4;
        QString source = QStringLiteral("/s/元の \"名前\" $x.txt");
        const QString sourceBefore = source;

        switch (which) {
        case 0:
            ShellCopyMove(&dialog, FO_COPY, source, to);
            break;
        case 1:
            ShellCopyMove(&dialog, FO_MOVE, source, to);
            break;
        case 2:
            ShellRename(&dialog, source, to);
            break;
        default:
            ShellDelete(&dialog, source);
            break;
        }
        QCOMPARE(fakes.shellFileOperation.requests.size(), 1);
        const ShellRequest& sent = fakes.shellFileOperation.requests.first();
        QCOMPARE(sent.owner, &dialog);
        QCOMPARE(sent.function, function);
        QCOMPARE(sent.from, sourceBefore);
        QCOMPARE(sent.to, to);
        QCOMPARE(sent.flags, FOF_ALLOWUNDO);
        QCOMPARE(source, sourceBefore);
        QCOMPARE(modPlok().FileOpCode, qint16(0));
    }

    // Whatever the service returns, "not done" must stay non-zero in the 16-bit FileOpCode.
    void resultIsStoredWithoutTurningFailureIntoSuccess_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<qint16>("stored");
        QTest::newRow("done") << 0 << qint16(0);
        QTest::newRow("small") << 2 << qint16(2);
        QTest::newRow("negative") << -1 << qint16(-1);
        QTest::newRow("65536 (low bits zero)") << 65536 << qint16(32767);
        QTest::newRow("0x10000 * 7") << 0x70000 << qint16(32767);
        QTest::newRow("very negative") << -65536 << qint16(-32768);
        QTest::newRow("int max") << std::numeric_limits<int>::max() << qint16(32767);
    }
    void resultIsStoredWithoutTurningFailureIntoSuccess() {
        QFETCH(int, result);
        QFETCH(qint16, stored);
        testing::PlatformFakes fakes;
        fakes.shellFileOperation.result = result;
        modPlok().FileOpCode = 3;
        ShellDelete(nullptr, QStringLiteral("/x"));
        QCOMPARE(modPlok().FileOpCode, stored);
    }
};

QTEST_MAIN(TestShellSenders)
#include "tst_shell_senders.moc"
