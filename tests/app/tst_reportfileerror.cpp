#include "app/ReportFileError.h"

#include "PlatformFakes.h"

#include <QWidget>
#include <QtTest>

using namespace zorvane;
using zorvane::testing::PlatformFakes;

Q_DECLARE_METATYPE(zorvane::MessageIcon)
Q_DECLARE_METATYPE(zorvane::MessageButtons)

class TestReportFileError : public QObject {
    Q_OBJECT
private slots:
    void knownNumbers_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        const auto ex = MessageIcon::Exclamation;
        const auto yesNo = MessageButtons::YesNo;
        QTest::newRow("52") << 52 << QStringLiteral("ファイル名が間違っています。") << ex << yesNo;
        QTest::newRow("53") << 53 << QStringLiteral("ファイルが見みつかりません。") << ex << yesNo;
        QTest::newRow("54") << 54 << QStringLiteral("このモードではファイルを開けません。") << ex
                            << yesNo;
        QTest::newRow("55") << 55 << QStringLiteral("ファイルは既に開かれています。") << ex
                            << yesNo;
        QTest::newRow("57") << 57 << QStringLiteral("内部ディスク エラーが発生しました。") << ex
                            << yesNo;
        QTest::newRow("58") << 58 << QStringLiteral("既に同名のファイルが存在します。") << ex
                            << yesNo;
        QTest::newRow("59") << 59 << QStringLiteral("レコード長が一致しません。") << ex << yesNo;
        QTest::newRow("61") << 61 << QStringLiteral("ディスクがいっぱいです。処理を続けますか?")
                            << ex << MessageButtons::YesNoCancel;
        QTest::newRow("62") << 62
                            << QStringLiteral("ファイルの EOF 記号が標準と異なります。または、EOF "
                                              "記号を越えてデータを読み込もうとしました。")
                            << ex << yesNo;
        QTest::newRow("64") << 64 << QStringLiteral("ファイル名が間違っています。") << ex << yesNo;
        QTest::newRow("68") << 68 << QStringLiteral("デバイスが準備されていません。")
                            << MessageIcon::None << MessageButtons::Ok;
        QTest::newRow("71") << 71 << QStringLiteral("ディスクをドライブに挿入してください。") << ex
                            << MessageButtons::Ok;
        QTest::newRow("76") << 76 << QStringLiteral("指定されたパスが存在しません。") << ex
                            << yesNo;
    }
    // Each known number shows exactly one box, owned by the caller's window, whatever the
    // user answers.
    void knownNumbers() {
        QFETCH(int, number);
        QFETCH(QString, text);
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);

        PlatformFakes fakes;
        fakes.messageBox.answers.enqueue(MessageAnswer::No);
        QWidget owner;
        ReportFileError(number, &owner);

        QCOMPARE(fakes.messageBox.shown.size(), 1);
        const MessageRequest& shown = fakes.messageBox.shown.first();
        QCOMPARE(shown.text, text);
        QCOMPARE(shown.title, QStringLiteral("ディスク エラー"));
        QCOMPARE(shown.icon, icon);
        QCOMPARE(shown.buttons, buttons);
        QCOMPARE(fakes.messageBox.owners.first(), &owner);
    }

    void otherNumbersShowNothing_data() {
        QTest::addColumn<int>("number");
        for (const int number : {0, -1, 1, 7, 51, 56, 60, 63, 67, 70, 75, 77, 53000})
            QTest::newRow(QByteArray::number(number).constData()) << number;
    }
    void otherNumbersShowNothing() {
        QFETCH(int, number);
        PlatformFakes fakes;
        ReportFileError(number, nullptr);
        QVERIFY(fakes.messageBox.shown.isEmpty());
        QVERIFY(!fileErrorMessage(number).has_value());
    }
};

QTEST_MAIN(TestReportFileError)
#include "tst_reportfileerror.moc"
