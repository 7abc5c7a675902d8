// The lossless text form of file names and what the user reads for it.
#include "TestFiles.h"

#include "platform/NativePath.h"

#include <QtTest>

using namespace zorvane;
using zorvane::testing::bytesOf;

class TestNativePath : public QObject {
    Q_OBJECT

private slots:
    void everyByteSequenceComesBackExactly_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("foreign");
        QTest::newRow("ascii") << QByteArray("/tmp/memo.txt") << false;
        QTest::newRow("utf-8") << QByteArray("/tmp/資料/メモ帳.txt") << false;
        QTest::newRow("4-byte utf-8") << QByteArray("/a/\xF0\x9F\x98\x80.txt") << false;
        // メモ帳.txt in code page 932
        QTest::newRow("cp932") << bytesOf({0x83, 0x81, 0x83, 0x82, 0x92, 0xA0, '.', 't', 'x', 't'})
                               << true;
        QTest::newRow("lone 0xff") << QByteArray("bad\xFF.txt") << true;
        QTest::newRow("encoded surrogate") << QByteArray("x\xED\xA0\x80y") << true;
        QTest::newRow("overlong slash") << QByteArray("a\xC0\xAF"
                                                      "b")
                                        << true;
        QTest::newRow("cut sequence") << QByteArray("a\xE3\x81") << true;
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << true;
        // U+20089, a kanji whose low surrogate lies where the escapes of bytes lie.
        QTest::newRow("extension B kanji") << QByteArray("/a/\xF0\xA0\x82\x89.txt") << false;
        QTest::newRow("pair then foreign byte") << QByteArray("\xF0\x90\x82\x80\x80") << true;
        QTest::newRow("every high byte") << [] {
            QByteArray all;
            for (int b = 0x80; b <= 0xFF; ++b)
                all.append(static_cast<char>(b));
            return all;
        }() << true;
    }

    void everyByteSequenceComesBackExactly() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, foreign);
        const QString text = pathFromNative(bytes);
        QCOMPARE(nativePath(text), bytes);
        QCOMPARE(holdsForeignBytes(text), foreign);
        if (!foreign)
            QCOMPARE(text, QString::fromUtf8(bytes));
    }

    void namesThatDecodeAlikeStayApart() {
        // bad\xff.txt and bad\uFFFD.txt must never be taken for one another.
        const QString foreign = pathFromNative(QByteArray("bad\xFF.txt"));
        const QString replacement = QString::fromUtf8("bad\xEF\xBF\xBD.txt");
        QVERIFY(foreign != replacement);
        QCOMPARE(nativePath(replacement), QByteArray("bad\xEF\xBF\xBD.txt"));
        QCOMPARE(nativePath(foreign), QByteArray("bad\xFF.txt"));
    }

    void displayDecodesCodePage932AndEscapesTheRest_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8 untouched")
            << QByteArray("/tmp/資料/a.txt") << QStringLiteral("/tmp/資料/a.txt");
        QTest::newRow("cp932 folder and file")
            << (QByteArray("/tmp/") + bytesOf({0x8E, 0x91, 0x97, 0xBF}) + "/" +
                bytesOf({0x83, 0x81, 0x83, 0x82, 0x92, 0xA0}) + ".txt")
            << QStringLiteral("/tmp/資料/メモ帳.txt");
        QTest::newRow("extension B kanji untouched")
            << QByteArray("/a/\xF0\xA0\x82\x89\xFF") << QStringLiteral("/a/\U00020089\\xFF");
        QTest::newRow("half-width katakana") << bytesOf({0xB1, 0xB2}) << QStringLiteral("ｱｲ");
        QTest::newRow("neither") << QByteArray("/tmp/bad\xFF.txt")
                                 << QStringLiteral("/tmp/bad\\xFF.txt");
        QTest::newRow("utf-8 kept beside a bad byte")
            << QByteArray("資料\x80") << QStringLiteral("資料\\x80");
    }

    void displayDecodesCodePage932AndEscapesTheRest() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(displayPath(pathFromNative(bytes)), shown);
    }
};

QTEST_MAIN(TestNativePath)
#include "tst_nativepath.moc"
