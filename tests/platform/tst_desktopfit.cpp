// How the program's windows fit the user's desktop: colours that read on the theme's background.

#include "platform/ReadableColour.h"

#include <QtTest>

using namespace zorvane;

class TestDesktopFit : public QObject {
    Q_OBJECT

private slots:
    void contrastRatios_data() {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("either order") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("alike") << QColor(0x12, 0x34, 0x56) << QColor(0x12, 0x34, 0x56) << 1.0;
        // The darkest grey that reads on white, and pure red on white and on Fusion's dark grey.
        QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.00;
        QTest::newRow("red on #353535") << QColor(Qt::red) << QColor(0x35, 0x35, 0x35) << 3.07;
        QTest::newRow("blue heading on #2a2a2a")
            << QColor(0x10, 0x40, 0xC0) << QColor(0x2A, 0x2A, 0x2A) << 1.72;
    }
    void contrastRatios() {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01,
                 qPrintable(QString::number(contrastRatio(a, b))));
    }

    void readableColours_data() {
        QTest::addColumn<QColor>("designed");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("keptAsDesigned");
        // A light theme keeps the designed look, even where it reads less than it might.
        QTest::newRow("red on Fusion's light grey")
            << QColor(Qt::red) << QColor(0xEF, 0xEF, 0xEF) << true;
        QTest::newRow("blue on white") << QColor(0x10, 0x40, 0xC0) << QColor(Qt::white) << true;
        QTest::newRow("red on Fusion's dark grey")
            << QColor(Qt::red) << QColor(0x35, 0x35, 0x35) << false;
        QTest::newRow("blue on Adwaita's dark base")
            << QColor(0x10, 0x40, 0xC0) << QColor(0x2D, 0x2D, 0x2D) << false;
        QTest::newRow("red reads on black") << QColor(Qt::red) << QColor(Qt::black) << true;
        QTest::newRow("dark red on black") << QColor(0x80, 0, 0) << QColor(Qt::black) << false;
        QTest::newRow("yellow reads on dark already")
            << QColor(Qt::yellow) << QColor(0x20, 0x20, 0x20) << true;
        // Just darker than the middle: black does not read there, a near white does.
        QTest::newRow("black on mid grey")
            << QColor(Qt::black) << QColor(0x70, 0x70, 0x70) << false;
    }
    void readableColours() {
        QFETCH(QColor, designed);
        QFETCH(QColor, background);
        QFETCH(bool, keptAsDesigned);
        const QColor chosen = readableOn(designed, background);
        QCOMPARE(chosen == designed, keptAsDesigned);
        if (keptAsDesigned)
            return;
        QVERIFY2(contrastRatio(chosen, background) >= ReadableContrast,
                 qPrintable(chosen.name() +
                            QStringLiteral(" %1").arg(contrastRatio(chosen, background))));
        // No lighter than it needs to be, and the same hue (a red stays a red).
        QVERIFY(contrastRatio(chosen, background) < ReadableContrast + 0.1);
        if (designed.hsvHue() >= 0 && chosen.hsvSaturation() > 0)
            QVERIFY(qAbs(chosen.hsvHue() - designed.hsvHue()) <= 2);
    }
};

QTEST_GUILESS_MAIN(TestDesktopFit)
#include "tst_desktopfit.moc"
