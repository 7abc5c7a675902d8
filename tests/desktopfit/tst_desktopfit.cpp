// How the program's windows fit the user's desktop: colours that read on the theme's background,
// windows inside the screen.

#include "desktopfit/ButtonStrip.h"
#include "desktopfit/ReadableColour.h"
#include "desktopfit/WindowFit.h"

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

    void windowsFitTheScreen_data() {
        QTest::addColumn<QRect>("outer");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("fitted");
        // 1024 x 768 with a panel of 32 at the top.
        QTest::newRow("inside stays")
            << QRect(100, 100, 400, 300) << QSize(400, 300) << QRect(100, 100, 400, 300);
        QTest::newRow("bottom edge off moves up")
            << QRect(200, 500, 640, 590) << QSize(100, 100) << QRect(200, 178, 640, 590);
        QTest::newRow("under the panel moves down")
            << QRect(10, 0, 300, 200) << QSize(300, 200) << QRect(10, 32, 300, 200);
        QTest::newRow("left of the screen moves right")
            << QRect(-50, 100, 300, 200) << QSize(300, 200) << QRect(0, 100, 300, 200);
        QTest::newRow("taller than the area shrinks")
            << QRect(0, 0, 640, 1120) << QSize(200, 100) << QRect(0, 32, 640, 736);
        QTest::newRow("larger both ways shrinks to the area")
            << QRect(30, 40, 1280, 1120) << QSize(200, 100) << QRect(0, 32, 1024, 736);
        QTest::newRow("shrinks no further than the minimum")
            << QRect(300, 200, 1200, 800) << QSize(1100, 760) << QRect(0, 32, 1100, 760);
        // What cannot shrink hangs over the right and bottom: title bar and left edge stay.
        QTest::newRow("fixed and too wide")
            << QRect(500, 300, 1232, 712) << QSize(1232, 712) << QRect(0, 56, 1232, 712);
    }
    void windowsFitTheScreen() {
        QFETCH(QRect, outer);
        QFETCH(QSize, minimum);
        QFETCH(QRect, fitted);
        QCOMPARE(fitWindow(outer, QRect(0, 32, 1024, 736), minimum), fitted);
    }

    // A fixed dialog fitted into a smaller area keeps the buttons that stand apart along the edge
    // it overflows in sight: in the copy dialog Cancel, under all the rest, not 参照 or Copy
    // beside other controls (the options dialog's column is checked on a small screen).
    void buttonsStandingApartStayInSight() {
        const QList<QRect> controls{QRect(363, 16, 64, 12), QRect(20, 44, 48, 20),
                                    QRect(88, 44, 267, 20), QRect(384, 40, 48, 28),
                                    QRect(243, 132, 112, 32)};
        const QSize designed(443, 180);
        const QSize inside(400, 150);
        const StripPlaces places =
            stripPlaces(buttonStrip(controls, {false, true, false, true, true}, designed, inside),
                        controls, designed, inside);
        QCOMPARE(places.scrollArea, QRect(0, 0, 400, 102));
        QCOMPARE(places.buttons, QList<QRect>{QRect(200, 102, 112, 32)});
    }
};

QTEST_GUILESS_MAIN(TestDesktopFit)
#include "tst_desktopfit.moc"
