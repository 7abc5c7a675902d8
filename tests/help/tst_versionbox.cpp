#include "help/ProgramIcon.h"
#include "help/ProgramVersion.h"
#include "help/SeparatorLine.h"
#include "help/VersionBoxText.h"
#include "help/frmAbout.h"

#include "DarkTheme.h"
#include "ForcedFont.h"
#include "MainWindowFixture.h"
#include "PlatformFakes.h"

#include "app/ModPlok.h"
#include "desktopfit/ReadableColour.h"
#include "mainwindow/Form1.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvane;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;

namespace {

QList<frmAbout*> openBoxes() {
    QList<frmAbout*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<frmAbout*>(widget))
            boxes.append(box);
    }
    return boxes;
}

void closeAllBoxes() {
    for (frmAbout* box : openBoxes())
        delete box;
}

} // namespace

class TestVersionBox : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { closeAllBoxes(); }

    void versionLine_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("expected");
        QTest::newRow("this version") << 1 << 0 << 3 << QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.3");
        QTest::newRow("several digits") << 12 << 34 << 567 << QStringLiteral("ﾊﾞｰｼﾞｮﾝ 12.34.567");
        QTest::newRow("no padding of zeros") << 0 << 0 << 0 << QStringLiteral("ﾊﾞｰｼﾞｮﾝ 0.0.0");
    }
    void versionLine() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, expected);
        QCOMPARE(zorvane::versionLine(major, minor, revision), expected);
    }

    void versionComesFromTheProject() {
        // The one place of the numbers is the build's project version.
        QCOMPARE(QStringLiteral("%1.%2.%3")
                     .arg(ProgramVersionMajor)
                     .arg(ProgramVersionMinor)
                     .arg(ProgramVersionRevision),
                 QStringLiteral("1.0.3"));
        QCOMPARE(programVersionLine(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.3"));
        QCOMPARE(versionBoxCaption(programTitle()), QStringLiteral("Zorvaneのﾊﾞｰｼﾞｮﾝ情報"));
    }

    void controlsOfTheBox() {
        const zorvane::testing::ForcedFont ipa(QStringLiteral("IPAGothic"), 9);
        frmAbout* box = frmAbout::showModeless();
        QVERIFY(box);
        QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Zorvaneのﾊﾞｰｼﾞｮﾝ情報"));
        QVERIFY(!box->parentWidget());
        QVERIFY(!box->isModal());
        QVERIFY(!(box->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(box->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(box->size(), QSize(257, 162));
        QCOMPARE(box->minimumSize(), box->maximumSize());
        QCOMPARE(box->font().family(), QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(box->font().pointSize(), 9);

        QCOMPARE(box->findChild<QLabel*>(QStringLiteral("picIcon")), box->picIcon());
        QCOMPARE(box->picIcon()->geometry(), QRect(16, 16, 29, 29));
        QVERIFY(!box->picIcon()->pixmap().isNull());

        QCOMPARE(box->lblTitle()->objectName(), QStringLiteral("lblTitle"));
        QCOMPARE(box->lblTitle()->text(), QStringLiteral("Zorvane"));
        QCOMPARE(box->lblTitle()->geometry(), QRect(70, 16, 163, 32));
        QCOMPARE(box->lblTitle()->font().family(), QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(box->lblTitle()->font().pointSize(), 12);
        QCOMPARE(box->lblTitle()->palette().color(QPalette::WindowText), QColor(Qt::black));

        QCOMPARE(box->lblVersion()->objectName(), QStringLiteral("lblVersion"));
        QCOMPARE(box->lblVersion()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.3"));
        QCOMPARE(box->lblVersion()->geometry(), QRect(70, 52, 163, 15));

        QCOMPARE(box->label1()->objectName(), QStringLiteral("Label1"));
        QVERIFY(!box->label1()->text().isEmpty());
        QVERIFY(!box->label1()->text().contains(QChar(u'\n')));
        QCOMPARE(box->label1()->geometry(), QRect(64, 80, 169, 17));
        QCOMPARE(box->label1()->font().pointSize(), 12);

        QCOMPARE(box->line1(1)->objectName(), QStringLiteral("Line1(1)"));
        QCOMPARE(box->line1(1)->colour(), QColor(0x80, 0x80, 0x80));
        QCOMPARE(box->line1(1)->geometry(), QRect(8, 116, 234, 1));
        QCOMPARE(box->line1(0)->objectName(), QStringLiteral("Line1(0)"));
        QCOMPARE(box->line1(0)->colour(), QColor(Qt::white));
        QCOMPARE(box->line1(0)->geometry(), QRect(8, 117, 234, 2));

        QCOMPARE(box->cmdOK()->objectName(), QStringLiteral("cmdOK"));
        QCOMPARE(box->cmdOK()->text(), QStringLiteral("OK"));
        QCOMPARE(box->cmdOK()->geometry(), QRect(72, 128, 87, 23));
        QVERIFY(box->cmdOK()->isDefault());
    }

    // The title is black as designed on a light theme; on a dark one it is lightened until it
    // reads against the box (4.5:1). Its lines keep their descenders with a taller font.
    void titleAndLinesRead_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("family");
        QTest::newRow("light, IPA") << false << QStringLiteral("IPAGothic");
        QTest::newRow("dark, Noto CJK") << true << QStringLiteral("Noto Sans CJK JP");
    }
    void titleAndLinesRead() {
        QFETCH(bool, dark);
        QFETCH(QString, family);
        const ApplicationPaletteScope theme(dark ? darkPalette() : QApplication::palette());
        const zorvane::testing::ForcedFont font(family, 9);
        frmAbout* box = frmAbout::showModeless();
        const QColor title = box->lblTitle()->palette().color(QPalette::WindowText);
        QVERIFY(dark ? contrastRatio(title, box->palette().color(QPalette::Window)) >=
                           ReadableContrast
                     : title == QColor(Qt::black));
        for (QLabel* line : {box->lblTitle(), box->lblVersion(), box->label1()})
            QVERIFY2(line->height() >= line->fontMetrics().height() &&
                         line->geometry().bottom() < box->line1(1)->y(),
                     qPrintable(line->objectName()));
    }

    void secondCommandRaisesTheOpenBox() {
        QPointer<frmAbout> first = frmAbout::showModeless();
        first->lblVersion()->setText(QStringLiteral("marked"));
        frmAbout* second = frmAbout::showModeless();
        QCOMPARE(second, first.data());
        QCOMPARE(openBoxes().size(), 1);
        // Not loaded again while open.
        QCOMPARE(second->lblVersion()->text(), QStringLiteral("marked"));
        QVERIFY(second->isVisible());
    }

    void closingUnloadsTheBox_data() {
        QTest::addColumn<int>("how"); // a key, or 0 for the OK button
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("OK button") << 0;
    }
    void closingUnloadsTheBox() {
        QFETCH(int, how);
        QPointer<frmAbout> box = frmAbout::showModeless();
        box->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(box));
        if (how == 0)
            QTest::mouseClick(box->cmdOK(), Qt::LeftButton);
        else
            QTest::keyClick(box, Qt::Key(how));
        QTRY_VERIFY(box.isNull());
        QVERIFY(openBoxes().isEmpty());
        QVERIFY(!frmAbout::openBox());

        // The next command loads a fresh box.
        frmAbout* again = frmAbout::showModeless();
        QVERIFY(again);
        QCOMPARE(again->lblVersion()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.3"));
    }

    void iconIsSharpAtItsSizes() {
        const QIcon icon = programIcon();
        const QImage small = programIconPixmap(16).toImage();
        QCOMPARE(small.size(), QSize(16, 16));
        for (int size : {16, 32, 48}) {
            QVERIFY(icon.availableSizes().contains(QSize(size, size)));
            // Whole multiples of the grid: every pixel is its grid cell's colour, no blur.
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            const int scale = size / 16;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    QCOMPARE(image.pixel(x, y), small.pixel(x / scale, y / scale));
        }
    }

    // The main window's help command and F1 ask for the contents of plok.hlp in the program's
    // folder, never for a topic.
    void mainWindowAsksForTheContents() {
        MainWindowFixture fixture;
        QVERIFY(fixture.setUpMainWindow());
        const QTemporaryDir& programDir = *fixture.programDir_;
        PlatformFakes& fakes = *fixture.fakes_;
        Form1 form(programDir.path());
        const QString expected = programDir.path() + QStringLiteral("/plok.hlp");

        form.findChild<QAction*>(QStringLiteral("miHelp"))->trigger();
        QCOMPARE(fakes.help.requests.size(), 1);
        QCOMPARE(fakes.help.requests[0].helpFile, expected);
        QCOMPARE(fakes.help.requests[0].contextNumber, 0);

        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F1);
        QCOMPARE(fakes.help.requests.size(), 2);
        QCOMPARE(fakes.help.requests[1].helpFile, expected);
        QCOMPARE(fakes.help.requests[1].contextNumber, 0);
        form.hide();
    }
};

QTEST_MAIN(TestVersionBox)
#include "tst_versionbox.moc"
