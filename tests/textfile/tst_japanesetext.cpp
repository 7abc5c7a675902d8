#include "textfile/EucJpCodec.h"
#include "textfile/Iso2022JpDecoder.h"
#include "textfile/JapaneseTextGuess.h"
#include "textfile/TextCodec.h"

#include "TestFiles.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace zorvane;
using zorvane::testing::bytesOf;

Q_DECLARE_METATYPE(zorvane::ContentEncoding)

namespace {

const QString Prose = QStringLiteral(
    "ファイルの先頭を読み、日本語の文章として表示します。漢字とひらがなが混じった普通の文です。");

QByteArray encoded(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    const QByteArray bytes = encoder.encode(text);
    return encoder.hasError() ? QByteArray("unencodable") : bytes;
}

QByteArray eucJp(const QString& text) {
    return encoded("EUC-JP", text);
}
QByteArray cp932(const QString& text) {
    return encoded("windows-31j", text);
}
QByteArray jis(const QString& text) {
    return encoded("ISO-2022-JP", text);
}

} // namespace

class TestJapaneseText : public QObject {
    Q_OBJECT

private slots:
    void guess_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("wholeFile");
        QTest::addColumn<ContentEncoding>("expected");
        using E = ContentEncoding;

        QTest::newRow("ascii") << QByteArray("plain text\r\n") << true << E::Cp932;
        QTest::newRow("utf-8") << Prose.toUtf8() << true << E::Utf8;
        QTest::newRow("utf-16 mark") << QByteArray("\xFE\xFF\x30\x42", 4) << true << E::Utf16BE;
        QTest::newRow("cp932 prose") << cp932(Prose) << true << E::Cp932;
        QTest::newRow("euc-jp prose") << eucJp(Prose) << true << E::EucJp;
        QTest::newRow("iso-2022-jp prose") << jis(Prose) << true << E::Iso2022Jp;

        // Short text whose bytes are valid in both code page 932 and EUC-JP.
        QTest::newRow("euc-jp hiragana word")
            << eucJp(QStringLiteral("ひらがな")) << true << E::EucJp;
        QTest::newRow("euc-jp katakana word")
            << eucJp(QStringLiteral("カタカナ")) << true << E::EucJp;
        QTest::newRow("euc-jp 20 bytes of kana")
            << eucJp(QStringLiteral("これはかなだけです。")) << true << E::EucJp;
        QTest::newRow("euc-jp kanji word") << eucJp(QStringLiteral("漢字")) << true << E::EucJp;
        QTest::newRow("euc-jp kanji that read as katakana with a long vowel")
            << eucJp(QStringLiteral("属性")) << true << E::EucJp;
        // Two-byte UTF-8 that is no text but reads as kanji in EUC-JP (匿名, 平文); European
        // letters stay UTF-8.
        QTest::newRow("euc-jp that is valid utf-8")
            << eucJp(QStringLiteral("匿名 平文")) << true << E::EucJp;
        QTest::newRow("utf-8 european letters that are valid euc-jp")
            << QStringLiteral("café, naïve").toUtf8() << true << E::Utf8;
        // JIS X 0212 holds the accented letters of European names.
        QTest::newRow("euc-jp latin letters of jis x 0212")
            << QByteArray("Copyright Kai M") + eucJp(QStringLiteral("ǎ")) + "rk" << true
            << E::EucJp;
        QTest::newRow("cp932 half-width katakana only")
            << cp932(QStringLiteral("ｶﾀｶﾅﾃﾞｰﾀﾍﾞｰｽ")) << true << E::Cp932;
        QTest::newRow("cp932 half-width katakana sentence")
            << cp932(QStringLiteral("ﾊﾟｽﾜｰﾄﾞｦ ｲﾚﾃｸﾀﾞｻｲ")) << true << E::Cp932;
        QTest::newRow("cp932 half-width katakana, ascii between")
            << cp932(QStringLiteral("ｺﾝﾆﾁﾊ ｾｶｲ 12 ﾈｺ")) << true << E::Cp932;
        // 自 and 式 (0x8E 0xA9, 0x8E 0xAE) are also two half-width katakana of EUC-JP.
        QTest::newRow("cp932 kanji that are euc-jp kana")
            << bytesOf({0x8E, 0xA9, 0x8E, 0xAE}) << true << E::Cp932;

        // A character cut by the end of the head is no fault of the reading; at the end of
        // the file it is.
        QByteArray cutEuc = eucJp(QStringLiteral("ひらがなと漢字"));
        cutEuc.chop(1);
        QTest::newRow("euc-jp cut by the head") << cutEuc << false << E::EucJp;
        QTest::newRow("cp932 half-width kana, odd count")
            << cp932(QStringLiteral("ｶﾀｶﾅｦ")) << true << E::Cp932;
        QByteArray strayEuc = eucJp(Prose + Prose);
        strayEuc.insert(10, '\x80');
        QTest::newRow("euc-jp with a stray byte") << strayEuc << true << E::EucJp;

        QTest::newRow("iso-2022-jp cut in an escape")
            << jis(Prose) + QByteArray("\x1B(") << false << E::Iso2022Jp;
        QTest::newRow("iso-2022-jp one kanji line after ascii")
            << QByteArray("ascii\r\n").repeated(100) + jis(QStringLiteral("漢字\r\n")) << false
            << E::Iso2022Jp;
        QTest::newRow("colour escapes are not jis")
            << QByteArray("\x1B[31mred\x1B[0m \x1B(B") << true << E::Cp932;
        QTest::newRow("jis escape with eight-bit bytes")
            << QByteArray("\x1B$B\x30\x21\x1B(B ") + cp932(QStringLiteral("ｱｲ")) << true
            << E::Cp932;
    }
    void guess() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, wholeFile);
        QFETCH(ContentEncoding, expected);
        QCOMPARE(JapaneseTextGuess::guess(bytes, wholeFile), expected);
    }

    void eucJpDecoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<qsizetype>("complete");
        const QString r(QChar(0xFFFD));
        QTest::newRow("ascii and kanji")
            << QByteArray("a\xC6\xFC\xCB\xDC\0b", 7) << QStringLiteral("a日本") + QChar(0) + u'b'
            << qsizetype(7);
        QTest::newRow("half-width katakana")
            << QByteArray("\x8E\xB1\x8E\xDF") << QStringLiteral("ｱﾟ") << qsizetype(4);
        QTest::newRow("jis x 0212")
            << QByteArray("\x8F\xB0\xA1") << QStringLiteral("丂") << qsizetype(3);
        QTest::newRow("bytes that start nothing") << QByteArray("\x80\xA0\xFF"
                                                                "a")
                                                  << r + r + r + u'a' << qsizetype(4);
        QTest::newRow("kana byte out of range") << QByteArray("\x8E\xE0"
                                                              "a")
                                                << r + r + u'a' << qsizetype(3);
        QTest::newRow("lead before ascii") << QByteArray("\xC6"
                                                         "a")
                                           << r + u'a' << qsizetype(2);
        QTest::newRow("pair without a character is one replacement") << QByteArray("\xA9\xA1"
                                                                                   "a")
                                                                     << r + u'a' << qsizetype(3);
        QTest::newRow("pair cut by the end") << QByteArray("a\xC6") << u'a' + r << qsizetype(1);
        QTest::newRow("jis x 0212 cut by the end")
            << QByteArray("a\x8F\xB0") << u'a' + r << qsizetype(1);
        QTest::newRow("kana cut by the end") << QByteArray("\x8E") << r << qsizetype(0);
    }
    void eucJpDecoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QFETCH(qsizetype, complete);
        QCOMPARE(EucJpCodec::decode(bytes), expected);
        QCOMPARE(EucJpCodec::completeLength(bytes), complete);
    }

    // Pieces decoded one after the other by one decoder, joined by "|".
    void iso2022JpDecoding_data() {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QString>("expected");
        const QString r(QChar(0xFFFD));
        QTest::newRow("kanji between ascii")
            << QList<QByteArray>{"a\x1B$BF|K\\\x1B(Bb"} << QStringLiteral("a日本b");
        QTest::newRow("1978 set and the 1990 announcer")
            << QList<QByteArray>{"\x1B$@F|\x1B&@\x1B$BK\\"} << QStringLiteral("日本");
        QTest::newRow("jis-roman")
            << QList<QByteArray>{"\x1B(J\\~a\x1B(B\\"} << QStringLiteral("¥‾a\\");
        QTest::newRow("half-width katakana")
            << QList<QByteArray>{"\x1B(I1_\x1B(B"} << QStringLiteral("ｱﾟ");
        QTest::newRow("jis x 0212") << QList<QByteArray>{"\x1B$(D0!"} << QStringLiteral("丂");
        QTest::newRow("controls and blanks in a kanji run")
            << QList<QByteArray>{"\x1B$BF| K\\\t\0", QByteArray("\x1B$BF|\t\0", 7)}
            << QStringLiteral("日 本\t|日\t") + QChar(0);
        QTest::newRow("the set carries to the next line")
            << QList<QByteArray>{"\x1B$BF|", "K\\\x1B(B", "ab"} << QStringLiteral("日|本|ab");
        QTest::newRow("other escapes stay")
            << QList<QByteArray>{"\x1B[1mx\x1B$(Qy"} << QStringLiteral("\x1B[1mx\x1B$(Qy");
        QTest::newRow("escape cut by the end")
            << QList<QByteArray>{"a\x1B$", "\x1B", "\x1B$(", "b"}
            << u'a' + r + u'|' + r + u'|' + r + QStringLiteral("|b");
        QTest::newRow("pair cut by the end") << QList<QByteArray>{"\x1B$BF|K", "K\\"}
                                             << QStringLiteral("日") + r + QStringLiteral("|本");
        QTest::newRow("eight-bit bytes and pairs without a character")
            << QList<QByteArray>{"\xA4\xA2\x1B$B)!", "\x1B(I`"} << r + r + r + u'|' + r;
    }
    void iso2022JpDecoding() {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QString, expected);
        Iso2022JpDecoder decoder;
        QStringList texts;
        for (const QByteArray& piece : pieces)
            texts << decoder.decode(piece);
        QCOMPARE(texts.join(u'|'), expected);
    }

    // The decoders' compiled-in tables hold the platform's mapping: every code, decoded alone by
    // a converter of the platform, gives the same character, and a code it has no character
    // for starts with U+FFFD.
    void everyCodeReadsAsThePlatformReadsIt_data() {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QList<int>>("firstBytes");
        QTest::addColumn<QList<int>>("secondBytes"); // empty: codes of one byte
        const auto range = [](int low, int high) {
            QList<int> bytes;
            for (int byte = low; byte <= high; ++byte)
                bytes << byte;
            return bytes;
        };
        QTest::newRow("cp932 single bytes")
            << QByteArray("windows-31j") << QByteArray() << range(0x80, 0xFF) << QList<int>{};
        QTest::newRow("cp932 pairs") << QByteArray("windows-31j") << QByteArray()
                                     << range(0x81, 0x9F) + range(0xE0, 0xFC) << range(0x40, 0xFC);
        QTest::newRow("euc-jp jis x 0208")
            << QByteArray("EUC-JP") << QByteArray() << range(0xA1, 0xFE) << range(0xA1, 0xFE);
        QTest::newRow("euc-jp jis x 0212")
            << QByteArray("EUC-JP") << QByteArray("\x8F") << range(0xA1, 0xFE) << range(0xA1, 0xFE);
    }
    void everyCodeReadsAsThePlatformReadsIt() {
        QFETCH(QByteArray, encoding);
        QFETCH(QByteArray, prefix);
        QFETCH(QList<int>, firstBytes);
        QFETCH(QList<int>, secondBytes);
        const bool cp932 = encoding == "windows-31j";
        QList<QByteArray> codes;
        for (int first : firstBytes) {
            if (secondBytes.isEmpty())
                codes << prefix + char(first);
            for (int second : secondBytes)
                codes << prefix + char(first) + char(second);
        }
        QStringList differences;
        int mapped = 0;
        for (const QByteArray& code : codes) {
            QStringDecoder platform(encoding.constData(), QStringDecoder::Flag::Stateless);
            const QString expected = platform.decode(code);
            const char16_t unit = expected.size() == 1 ? expected.at(0).unicode() : 0;
            // The platform answers U+001A (CP932) or U+FFFD for a code it has no character for.
            const bool hasCharacter = unit != 0 && unit != 0x1A && unit != 0xFFFD &&
                                      !QChar::isSurrogate(unit) && (cp932 || unit >= 0x80);
            const QString ours =
                cp932 ? TextCodec::decodeText(code, TextEncoding::Cp932) : EucJpCodec::decode(code);
            mapped += hasCharacter ? 1 : 0;
            if (hasCharacter ? ours != expected : !ours.startsWith(QChar(0xFFFD)))
                differences << QString::fromLatin1(code.toHex()) + QChar(u'=') + ours;
        }
        QVERIFY2(differences.isEmpty(), qPrintable(differences.mid(0, 10).join(u' ')));
        QVERIFY2(mapped > codes.size() / 3, qPrintable(QString::number(mapped)));
    }

    // Every character that the platform's converters write and read back reads back the same
    // through the program's decoders, in one long run.
    void agreesWithThePlatformConverters_data() {
        QTest::addColumn<QByteArray>("encoding");
        QTest::newRow("euc-jp") << QByteArray("EUC-JP");
        QTest::newRow("iso-2022-jp") << QByteArray("ISO-2022-JP");
    }
    void agreesWithThePlatformConverters() {
        QFETCH(QByteArray, encoding);
        QString text;
        for (char16_t unit = 0x3000; unit < 0xFFF0; ++unit) {
            const QChar c(unit);
            if (c.isSurrogate() || (unit >= 0xA000 && unit < 0xFF00))
                continue;
            // Fresh converters: Qt keeps the error of a character they cannot hold.
            QStringEncoder encoder(encoding.constData());
            QStringDecoder decoder(encoding.constData());
            const QByteArray bytes = encoder.encode(QStringView(&c, 1));
            if (!encoder.hasError() && decoder.decode(bytes) == QString(c) && !decoder.hasError())
                text += c;
            if (text.size() % 64 == 63)
                text += QStringLiteral("a\r\n"); // back to ASCII now and then
        }
        // JIS X 0208 alone holds some 6,800 characters.
        QVERIFY2(text.size() > 6500, qPrintable(QString::number(text.size())));
        QStringEncoder encoder(encoding.constData());
        const QByteArray bytes = encoder.encode(text);
        QVERIFY(!encoder.hasError());
        if (encoding == "EUC-JP") {
            QCOMPARE(EucJpCodec::decode(bytes), text);
        } else {
            Iso2022JpDecoder jisDecoder;
            QCOMPARE(jisDecoder.decode(bytes), text);
        }
    }
};

QTEST_GUILESS_MAIN(TestJapaneseText)
#include "tst_japanesetext.moc"
