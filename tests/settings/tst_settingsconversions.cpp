#include "settings/SettingsConversions.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace zorvane;

class TestSettingsConversions : public QObject {
    Q_OBJECT

private slots:
    void numberValueReadsTheNumberAtTheStart_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
        QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
        QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
        QTest::newRow("whole") << QStringLiteral("9") << 9.0;
        QTest::newRow("as written, padded") << QStringLiteral(" 1200     ") << 1200.0;
        QTest::newRow("negative") << QStringLiteral("-300") << -300.0;
        QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0;
        QTest::newRow("blanks inside the number") << QStringLiteral("  - 1 2 . 5 x") << -12.5;
        QTest::newRow("tabs and line feeds") << QStringLiteral("\t\n4\t2") << 42.0;
        QTest::newRow("fraction") << QStringLiteral("10.5") << 10.5;
        QTest::newRow("no leading zero") << QStringLiteral(".5") << 0.5;
        QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
        QTest::newRow("comma stops") << QStringLiteral("1,000") << 1.0;
        QTest::newRow("exponent E") << QStringLiteral("1.5E3") << 1500.0;
        QTest::newRow("exponent D") << QStringLiteral("1.5d3") << 1500.0;
        QTest::newRow("negative exponent D") << QStringLiteral("2D-2") << 0.02;
        QTest::newRow("exponent with blanks") << QStringLiteral("1 E + 2") << 100.0;
        QTest::newRow("exponent without digits") << QStringLiteral("1E+") << 1.0;
        QTest::newRow("exponent then text") << QStringLiteral("3e2x") << 300.0;
        QTest::newRow("hex") << QStringLiteral("&H10") << 16.0;
        QTest::newRow("hex lower case") << QStringLiteral("&hff") << 255.0;
        QTest::newRow("hex 16-bit is signed") << QStringLiteral("&HFFFF") << -1.0;
        QTest::newRow("hex beyond 16 bits") << QStringLiteral("&H10000") << 65536.0;
        QTest::newRow("hex white") << QStringLiteral("&HFFFFFF") << 16777215.0;
        QTest::newRow("hex system colour") << QStringLiteral("&H80000008") << -2147483640.0;
        QTest::newRow("hex stops at other char") << QStringLiteral("&H1G") << 1.0;
        QTest::newRow("hex without digits") << QStringLiteral("&H") << 0.0;
        QTest::newRow("octal") << QStringLiteral("&O17") << 15.0;
        QTest::newRow("octal stops at 8") << QStringLiteral("&o78") << 7.0;
        QTest::newRow("octal without digits") << QStringLiteral("&O9") << 0.0;
        QTest::newRow("white") << QStringLiteral(" 16777215") << 16777215.0;
        QTest::newRow("system colour") << QStringLiteral("-2147483640") << -2147483640.0;
        QTest::newRow("too small") << QStringLiteral("1E-400") << 0.0;
    }
    void numberValueReadsTheNumberAtTheStart() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numberValue(text), expected);
    }

    void numberValueOverflowIsInfinite() {
        QVERIFY(std::isinf(numberValue(QStringLiteral("1E400"))));
        QVERIFY(numberValue(QStringLiteral("-1E400")) < 0);
        QVERIFY(std::isinf(numberValue(QStringLiteral("&H123456789"))));
        // The place of the first significant digit decides between zero and infinity.
        QCOMPARE(numberValue(QStringLiteral(".") + QString(330, u'0') + QStringLiteral("1")), 0.0);
        QCOMPARE(numberValue(QStringLiteral("-0.") + QString(400, u'0') + QStringLiteral("5E+20")),
                 0.0);
        QVERIFY(std::isinf(
            numberValue(QStringLiteral("1") + QString(400, u'0') + QStringLiteral("E-5"))));
        QVERIFY(numberValue(QStringLiteral("-1") + QString(400, u'0') + QStringLiteral("E-5")) <
                -1e308);
        QCOMPARE(numberValue(QStringLiteral("1") + QString(400, u'0') + QStringLiteral("E-400")),
                 1.0);
        QCOMPARE(numberValue(QStringLiteral("1E-400")), 0.0);
        // Such values have no colour.
        QVERIFY(!colourValue(numberValue(QStringLiteral("1E400"))).has_value());
    }

    void numberTextAsWritten_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << QStringLiteral(" 0");
        QTest::newRow("window top") << 1200.0 << QStringLiteral(" 1200");
        QTest::newRow("negative") << -300.0 << QStringLiteral("-300");
        QTest::newRow("white, all digits") << 16777215.0 << QStringLiteral(" 16777215");
        QTest::newRow("system colour") << -2147483640.0 << QStringLiteral("-2147483640");
        QTest::newRow("fraction") << 10.5 << QStringLiteral(" 10.5");
        QTest::newRow("no leading zero") << 0.5 << QStringLiteral(" .5");
        QTest::newRow("negative fraction") << -0.25 << QStringLiteral("-.25");
        QTest::newRow("15 digits") << 123456789012345.0 << QStringLiteral(" 123456789012345");
        QTest::newRow("exponent form") << 1e15 << QStringLiteral(" 1E+15");
    }
    void numberTextAsWritten() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(numberText(value), expected);
    }

    void numberTextSingleKeepsSevenDigits_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("font size") << 9.0f << QStringLiteral(" 9");
        QTest::newRow("half point") << 10.5f << QStringLiteral(" 10.5");
        QTest::newRow("window top") << 1200.0f << QStringLiteral(" 1200");
        QTest::newRow("negative") << -300.0f << QStringLiteral("-300");
        QTest::newRow("seven digits") << 1234567.0f << QStringLiteral(" 1234567");
        QTest::newRow("eight digits") << 12345678.0f << QStringLiteral(" 1.234568E+07");
        QTest::newRow("a tenth") << 0.1f << QStringLiteral(" .1");
        QTest::newRow("a third") << 1.0f / 3.0f << QStringLiteral(" .3333333");
        QTest::newRow("tiny") << 0.00001f << QStringLiteral(" 1E-05");
    }
    void numberTextSingleKeepsSevenDigits() {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(numberTextSingle(value), expected);
    }

    void writtenNumbersReadBack() {
        // The Top line as the program writes it reads back to the same number.
        const QString top = paddedText(numberTextSingle(1200.0f), 10);
        QCOMPARE(top, QStringLiteral(" 1200     "));
        QCOMPARE(static_cast<float>(numberValue(top)), 1200.0f);
        for (const float value : {9.0f, 10.5f, -300.0f, 0.1f, 1.0f / 3.0f, 12345678.0f, 7.25e-6f})
            QCOMPARE(static_cast<float>(numberValue(numberTextSingle(value))), value);
        for (const double colour : {0.0, 1.0, 16777215.0, -2147483640.0, 2147483647.0})
            QCOMPARE(numberValue(numberText(colour)), colour);
    }

    void booleanValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 1 true, 0 false, -1 none
        QTest::newRow("True as written") << QStringLiteral("True      ") << 1;
        QTest::newRow("true") << QStringLiteral("true") << 1;
        QTest::newRow("TRUE") << QStringLiteral("TRUE") << 1;
        QTest::newRow("1") << QStringLiteral("1") << 1;
        QTest::newRow("-1") << QStringLiteral("-1") << 1;
        QTest::newRow("fraction") << QStringLiteral("0.5") << 1;
        QTest::newRow("False as written") << QStringLiteral("False     ") << 0;
        QTest::newRow("fAlSe") << QStringLiteral("fAlSe") << 0;
        QTest::newRow("0") << QStringLiteral("0") << 0;
        QTest::newRow("0.0") << QStringLiteral(" 0.0 ") << 0;
        QTest::newRow("hex zero") << QStringLiteral("&H0") << 0;
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("yes") << QStringLiteral("yes") << -1;
        QTest::newRow("number then text") << QStringLiteral("1abc") << -1;
        QTest::newRow("number with a blank inside") << QStringLiteral("1 2") << -1;
        QTest::newRow("truth") << QStringLiteral("truth") << -1;
    }
    void booleanValues() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::optional<bool> value = booleanValue(text);
        QCOMPARE(value.has_value(), expected >= 0);
        if (value)
            QCOMPARE(*value, expected == 1);
        QCOMPARE(booleanText(true), QStringLiteral("True"));
        QCOMPARE(booleanText(false), QStringLiteral("False"));
    }

    void coloursRoundHalvesToEven_data() {
        QTest::addColumn<double>("number");
        QTest::addColumn<qint64>("expected"); // beyond 32 bits: no colour
        const qint64 none = std::numeric_limits<qint64>::max();
        QTest::newRow("white") << numberValue(QStringLiteral(" 16777215")) << qint64(16777215);
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("1.5") << 1.5 << qint64(2);
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("2.6") << 2.6 << qint64(3);
        QTest::newRow("-0.5") << -0.5 << qint64(0);
        QTest::newRow("-1.5") << -1.5 << qint64(-2);
        QTest::newRow("-2.5") << -2.5 << qint64(-2);
        QTest::newRow("largest") << 2147483647.4 << qint64(2147483647);
        QTest::newRow("rounds beyond") << 2147483647.5 << none;
        QTest::newRow("smallest half") << -2147483648.5 << qint64(-2147483648);
        QTest::newRow("unsigned white-ish") << 4294967295.0 << none;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << none;
    }
    void coloursRoundHalvesToEven() {
        QFETCH(double, number);
        QFETCH(qint64, expected);
        const std::optional<qint32> colour = colourValue(number);
        if (expected == std::numeric_limits<qint64>::max()) {
            QVERIFY(!colour.has_value());
        } else {
            QVERIFY(colour.has_value());
            QCOMPARE(qint64(*colour), expected);
        }
    }

    void paddingAndCutting() {
        QCOMPARE(paddedText(QStringLiteral("ab"), 5), QStringLiteral("ab   "));
        QCOMPARE(paddedText(QString(60, QChar(u'x')), 50), QString(50, QChar(u'x')));
        QCOMPARE(paddedText(QString(), 10), QString(10, QChar(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestSettingsConversions)
#include "tst_settingsconversions.moc"
