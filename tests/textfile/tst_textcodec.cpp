#include "textfile/TextCodec.h"

#include "TestFiles.h"

#include <QTest>

using namespace zorvane;
using zorvane::testing::bytesOf;
using zorvane::testing::Cp932Hyouji;
using zorvane::testing::Cp932MsGothic;

Q_DECLARE_METATYPE(zorvane::TextEncoding)

namespace {

// "C:\ツール\表.exe" in code page 932.
const QByteArray Cp932ToolPath = bytesOf({0x43, 0x3A, 0x5C, 0x83, 0x63, 0x81, 0x5B, 0x83, 0x8B,
                                          0x5C, 0x95, 0x5C, 0x2E, 0x65, 0x78, 0x65});

} // namespace

class TestTextCodec : public QObject {
    Q_OBJECT

private slots:
    void detection_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("expected");
        QTest::newRow("empty") << QByteArray() << TextEncoding::Cp932;
        QTest::newRow("ascii") << QByteArray("plain\r\ntext") << TextEncoding::Cp932;
        QTest::newRow("cp932 japanese") << Cp932Hyouji << TextEncoding::Cp932;
        QTest::newRow("cp932 path") << Cp932ToolPath << TextEncoding::Cp932;
        QTest::newRow("utf8 japanese") << QStringLiteral("表示").toUtf8() << TextEncoding::Utf8;
        QTest::newRow("utf8 mark, ascii") << QByteArray("\xEF\xBB\xBF"
                                                        "abc")
                                          << TextEncoding::Utf8;
        QTest::newRow("utf16le mark") << QByteArray("\xFF\xFE"
                                                    "a\0",
                                                    4)
                                      << TextEncoding::Utf16LE;
        QTest::newRow("utf16be mark") << QByteArray("\xFE\xFF\0a", 4) << TextEncoding::Utf16BE;
        QTest::newRow("utf16 mark, nothing else")
            << QByteArray("\xFF\xFE") << TextEncoding::Utf16LE;
        QTest::newRow("utf8 japanese cut at the end")
            << QStringLiteral("表示").toUtf8().chopped(1) << TextEncoding::Utf8;
        QTest::newRow("ascii then a cut multibyte start")
            << QByteArray("abc\xE3\x81") << TextEncoding::Cp932;
        QTest::newRow("utf8 with a NUL") << QByteArray("a\0\xE3\x81\x82", 5) << TextEncoding::Utf8;
        QTest::newRow("overlong form is not utf8")
            << QByteArray("\xC0\xAF\xE3\x81\x82") << TextEncoding::Cp932;
        QTest::newRow("encoded surrogate is not utf8")
            << QByteArray("\xED\xA0\x80\xE3\x81\x82") << TextEncoding::Cp932;
        QTest::newRow("cut sequence inside the text is not utf8") << QByteArray("\xE3\x81"
                                                                                "a\xE3\x81\x82")
                                                                  << TextEncoding::Cp932;
        QTest::newRow("beyond U+10FFFF is not utf8")
            << QByteArray("\xF4\x90\x80\x80") << TextEncoding::Cp932;
    }
    void detection() {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, expected);
        QCOMPARE(TextCodec::detectEncoding(bytes), expected);
    }

    void cp932FromTheOriginalPlatform() {
        QCOMPARE(TextCodec::decodeText(Cp932Hyouji, TextEncoding::Cp932), QStringLiteral("表示"));
        QCOMPARE(TextCodec::decodeText(Cp932MsGothic, TextEncoding::Cp932),
                 QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(TextCodec::decodeText(Cp932ToolPath, TextEncoding::Cp932),
                 QStringLiteral("C:\\ツール\\表.exe"));
        // NEC and IBM extensions, both codes of 髙, half-width katakana, the full-width tilde.
        QCOMPARE(
            TextCodec::decodeText(bytesOf({0x87, 0x40, 0xEE, 0xE0, 0xFB, 0xFC, 0xB1, 0x81, 0x60}),
                                  TextEncoding::Cp932),
            QStringLiteral("①髙髙ｱ～"));
    }

    void invalidBytesBecomeReplacementAndNothingIsCut_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cp932 unmapped single byte")
            << QByteArray("a\xFF"
                          "b")
            << TextEncoding::Cp932 << QStringLiteral("a\uFFFDb");
        QTest::newRow("cp932 lead without trail keeps the next byte")
            << QByteArray("\x81 x") << TextEncoding::Cp932 << QStringLiteral("\uFFFD x");
        QTest::newRow("cp932 lead byte at the end")
            << QByteArray("ab\x82") << TextEncoding::Cp932 << QStringLiteral("ab\uFFFD");
        QTest::newRow("cp932 real SUB byte stays")
            << QByteArray("a\x1A"
                          "b")
            << TextEncoding::Cp932 << QStringLiteral("a\u001Ab");
        QTest::newRow("cp932 NUL in the middle")
            << QByteArray("a\0b", 3) << TextEncoding::Cp932 << QStringView(u"a\0b", 3).toString();
        QTest::newRow("utf8 stray continuation")
            << QByteArray("a\x80"
                          "b")
            << TextEncoding::Utf8 << QStringLiteral("a\uFFFDb");
        QTest::newRow("utf8 cut sequence then ascii")
            << QByteArray("\xE3\x81"
                          "a")
            << TextEncoding::Utf8 << QStringLiteral("\uFFFDa");
        QTest::newRow("utf8 cut at the end")
            << QByteArray("a\xE3\x81") << TextEncoding::Utf8 << QStringLiteral("a\uFFFD");
        QTest::newRow("utf8 NUL in the middle")
            << QByteArray("\xE3\x81\x82\0z", 5) << TextEncoding::Utf8
            << QStringView(u"あ\0z", 3).toString();
        QTest::newRow("utf8 outside the BMP")
            << QByteArray("\xF0\xA0\xAE\xB7") << TextEncoding::Utf8 << QStringLiteral("𠮷");
        QTest::newRow("utf16le lone surrogate")
            << QByteArray("\x00\xD8"
                          "a\0",
                          4)
            << TextEncoding::Utf16LE << QStringLiteral("\uFFFDa");
        QTest::newRow("utf16le odd byte at the end")
            << QByteArray("a\0b", 3) << TextEncoding::Utf16LE << QStringLiteral("a\uFFFD");
        QTest::newRow("utf16be NUL in the middle")
            << QByteArray("\0a\0\0\0b", 6) << TextEncoding::Utf16BE
            << QStringView(u"a\0b", 3).toString();
    }
    void invalidBytesBecomeReplacementAndNothingIsCut() {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, expected);
        QCOMPARE(TextCodec::decodeText(bytes, encoding), expected);
    }

    void byteOrderMarks() {
        QCOMPARE(TextCodec::decodeText(QByteArray("\xEF\xBB\xBF"
                                                  "abc"),
                                       TextEncoding::Utf8),
                 QStringLiteral("abc"));
        QCOMPARE(TextCodec::decodeText(QByteArray("\xEF\xBB\xBF"
                                                  "abc"),
                                       TextEncoding::Utf8, LeadingMark::Keep),
                 QStringLiteral("\uFEFFabc"));
        QCOMPARE(TextCodec::decodeText(QByteArray("\xFE\xFF\0a", 4), TextEncoding::Utf16BE),
                 QStringLiteral("a"));
        QCOMPARE(TextCodec::decodeText(QByteArray("\xFF\xFE"
                                                  "a\0",
                                                  4),
                                       TextEncoding::Utf16LE),
                 QStringLiteral("a"));
        QCOMPARE(TextCodec::byteOrderMarkLength(QByteArray("\xEF\xBB\xBF")), 3);
        QCOMPARE(TextCodec::byteOrderMarkLength(QByteArray("\xFF\xFE")), 2);
        QCOMPARE(TextCodec::byteOrderMarkLength(QByteArray("abc")), 0);
        QCOMPARE(TextCodec::byteOrderMark(TextEncoding::Cp932), QByteArray());
    }

    void roundTrips_data() {
        QTest::addColumn<TextEncoding>("encoding");
        QTest::newRow("cp932") << TextEncoding::Cp932;
        QTest::newRow("utf8") << TextEncoding::Utf8;
        QTest::newRow("utf16le") << TextEncoding::Utf16LE;
        QTest::newRow("utf16be") << TextEncoding::Utf16BE;
    }
    void roundTrips() {
        QFETCH(TextEncoding, encoding);
        const QString text = QStringLiteral("C:\\ツール\\表示.exe ①髙ｱ～ ＭＳ ゴシック\r\n");
        const QByteArray bytes = TextCodec::encodeText(text, encoding);
        QCOMPARE(TextCodec::decodeText(bytes, encoding), text);
        QCOMPARE(TextCodec::byteLength(text, encoding), bytes.size());
        if (encoding != TextEncoding::Cp932) {
            const QByteArray marked = TextCodec::byteOrderMark(encoding) + bytes;
            QCOMPARE(TextCodec::detectEncoding(marked), encoding);
            QCOMPARE(TextCodec::decodeText(marked, encoding), text);
        }
    }

    void whatCodePage932CanHold() {
        QVERIFY(TextCodec::canEncodeCp932(QStringLiteral("plain")));
        QVERIFY(TextCodec::canEncodeCp932(QStringLiteral("表示①髙ｱ～\\")));
        QVERIFY(!TextCodec::canEncodeCp932(QStringLiteral("wave \u301C dash")));
        QVERIFY(!TextCodec::canEncodeCp932(QStringLiteral("yen \u00A5")));
        QVERIFY(!TextCodec::canEncodeCp932(QStringLiteral("emoji 😀")));
        QVERIFY(!TextCodec::canEncodeCp932(QStringLiteral("한국어")));

        // Writing keeps UTF files as they are; code page 932 only while nothing is lost.
        QCOMPARE(TextCodec::encodingForWriting(QStringLiteral("表示"), TextEncoding::Cp932),
                 TextEncoding::Cp932);
        QCOMPARE(TextCodec::encodingForWriting(QStringLiteral("表示 한"), TextEncoding::Cp932),
                 TextEncoding::Utf8);
        QCOMPARE(TextCodec::encodingForWriting(QStringLiteral("abc"), TextEncoding::Utf8),
                 TextEncoding::Utf8);
        QCOMPARE(TextCodec::encodingForWriting(QStringLiteral("表示"), TextEncoding::Utf16BE),
                 TextEncoding::Utf16BE);
        // A file forced into UTF-8 by one character is recognised as UTF-8 again.
        const QByteArray forced =
            TextCodec::encodeText(QStringLiteral("abc 한"), TextEncoding::Utf8);
        QCOMPARE(TextCodec::detectEncoding(forced), TextEncoding::Utf8);
    }

    void completeLengthStopsBeforeACutCharacter() {
        QCOMPARE(TextCodec::completeLength(Cp932Hyouji, TextEncoding::Cp932), 4);
        QCOMPARE(TextCodec::completeLength(Cp932Hyouji.left(3), TextEncoding::Cp932), 2);
        // 0x5C after a lead byte is a trail byte, not a character of its own.
        QCOMPARE(TextCodec::completeLength(Cp932Hyouji.left(2), TextEncoding::Cp932), 2);
        QCOMPARE(TextCodec::completeLength(QByteArray("a\xB1"), TextEncoding::Cp932), 2);
        const QByteArray utf8 = QStringLiteral("aあ").toUtf8();
        QCOMPARE(TextCodec::completeLength(utf8, TextEncoding::Utf8), 4);
        QCOMPARE(TextCodec::completeLength(utf8.left(3), TextEncoding::Utf8), 1);
        QCOMPARE(TextCodec::completeLength(utf8.left(2), TextEncoding::Utf8), 1);
        QCOMPARE(TextCodec::completeLength(QByteArray("a\x80"), TextEncoding::Utf8), 2);
        const QByteArray utf16 =
            TextCodec::encodeText(QStringLiteral("a𠮷"), TextEncoding::Utf16LE);
        QCOMPARE(TextCodec::completeLength(utf16, TextEncoding::Utf16LE), 6);
        QCOMPARE(TextCodec::completeLength(utf16.left(5), TextEncoding::Utf16LE), 2);
        QCOMPARE(TextCodec::completeLength(utf16.left(4), TextEncoding::Utf16LE), 2);
        QCOMPARE(TextCodec::completeLength(utf16.left(3), TextEncoding::Utf16LE), 2);
    }

    void cuttingToBytesKeepsCharactersWhole_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QString>("expected");
        const QString gothic = QStringLiteral("ＭＳ ゴシック");
        QTest::newRow("cp932 within") << gothic << TextEncoding::Cp932 << 49 << gothic;
        QTest::newRow("cp932 exact") << gothic << TextEncoding::Cp932 << 13 << gothic;
        QTest::newRow("cp932 inside a character")
            << gothic << TextEncoding::Cp932 << 4 << QStringLiteral("ＭＳ");
        QTest::newRow("cp932 half") << gothic << TextEncoding::Cp932 << 3 << QStringLiteral("Ｍ");
        QTest::newRow("cp932 half-width katakana is one byte")
            << QStringLiteral("ｱｲｳｴ") << TextEncoding::Cp932 << 3 << QStringLiteral("ｱｲｳ");
        QTest::newRow("cp932 24 of 25 full-width")
            << QString(25, QChar(u'あ')) << TextEncoding::Cp932 << 49 << QString(24, QChar(u'あ'));
        QTest::newRow("utf8") << QStringLiteral("日本") << TextEncoding::Utf8 << 5
                              << QStringLiteral("日");
        QTest::newRow("utf8 pair")
            << QStringLiteral("a𠮷") << TextEncoding::Utf8 << 4 << QStringLiteral("a");
        QTest::newRow("utf16 pair")
            << QStringLiteral("a𠮷") << TextEncoding::Utf16LE << 5 << QStringLiteral("a");
        QTest::newRow("nothing") << QStringLiteral("abc") << TextEncoding::Cp932 << 0 << QString();
    }
    void cuttingToBytesKeepsCharactersWhole() {
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(int, maxBytes);
        QFETCH(QString, expected);
        QCOMPARE(TextCodec::cutToBytes(text, encoding, maxBytes), expected);
    }

    // Code page 932 is chosen for writing only when its bytes read back as code page 932.
    void writingChoosesAnEncodingThatReadsBack_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("expected");
        QTest::newRow("kanji") << QStringLiteral("表示") << TextEncoding::Cp932;
        QTest::newRow("katakana pair like UTF-8")
            << QStringLiteral("ﾃｽ*.log") << TextEncoding::Utf8;
        QTest::newRow("katakana with kanji") << QStringLiteral("ﾃｽﾄ表示") << TextEncoding::Cp932;
        QTest::newRow("outside code page 932") << QStringLiteral("é") << TextEncoding::Utf8;
    }
    void writingChoosesAnEncodingThatReadsBack() {
        QFETCH(QString, text);
        QFETCH(TextEncoding, expected);
        const TextEncoding chosen = TextCodec::encodingForWriting(text, TextEncoding::Cp932);
        QCOMPARE(chosen, expected);
        const QByteArray bytes = TextCodec::encodeText(text, chosen);
        QCOMPARE(TextCodec::decodeText(bytes, TextCodec::detectEncoding(bytes)), text);
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
