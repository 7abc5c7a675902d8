// The windows on a small screen at scale factor 2: 1024 x 768 pixels, 512 x 384 for the
// program. Every window opens inside the screen, buttons reachable, captions whole in any font.

#include "ForcedFont.h"
#include "MainWindowFixture.h"
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "desktopfit/ScreenFitting.h"
#include "fileops/Form3.h"
#include "fileops/Form4.h"
#include "fileops/Form5.h"
#include "fileops/FrmDirGet.h"
#include "formkit/PathLabel.h"
#include "help/HelpWindow.h"
#include "help/frmAbout.h"
#include "mainwindow/Form1.h"
#include "options/frmOption.h"
#include "textfile/ProfileFile.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace zorvane;
using namespace zorvane::testing;

using WindowMaker = std::function<QWidget*(Form1&)>;
Q_DECLARE_METATYPE(WindowMaker)

class TestSmallScreen : public QObject, MainWindowFixture {
    Q_OBJECT

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // The whole of `control` lies on the screen, once scrolled to where it is reachable.
    static bool onScreen(QWidget* control) {
        for (QWidget* up = control->parentWidget(); up; up = up->parentWidget())
            if (auto* scroll = qobject_cast<QScrollArea*>(up->parentWidget()))
                scroll->ensureWidgetVisible(control, 0, 0);
        const QRect global(control->mapToGlobal(QPoint(0, 0)), control->size());
        QWidget* window = control->window();
        const QRect shown(window->mapToGlobal(QPoint(0, 0)), window->size());
        return available().contains(global) && shown.contains(global);
    }

private slots:
    void initTestCase() {
        QCOMPARE(available().size(), QSize(512, 384));
        ScreenFitting::install();
    }

    void init() { QVERIFY(setUpMainWindow()); }

    void cleanup() { tearDownMainWindow(); }

    void dialogsOpenInsideTheScreen_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QStringList>("buttons"); // in sight as it opens
        QTest::newRow("options") << WindowMaker(
                                        [](Form1& form) -> QWidget* { return new frmOption(form); })
                                 << QStringList{QStringLiteral("Command6"),
                                                QStringLiteral("Command7"),
                                                QStringLiteral("Command8")};
        QTest::newRow("copy and move")
            << WindowMaker([](Form1& form) -> QWidget* { return new Form3(&form); })
            << QStringList{};
        QTest::newRow("rename") << WindowMaker([](Form1& form) -> QWidget* {
            return new Form4(&form);
        }) << QStringList{};
        QTest::newRow("delete") << WindowMaker([](Form1& form) -> QWidget* {
            return new Form5(&form);
        }) << QStringList{};
        QTest::newRow("directory picker")
            << WindowMaker([](Form1& form) -> QWidget* { return new FrmDirGet(&form); })
            << QStringList{};
        QTest::newRow("version box")
            << WindowMaker([](Form1& form) -> QWidget* { return new frmAbout(&form); })
            << QStringList{};
        QTest::newRow("help window") << WindowMaker([](Form1&) -> QWidget* {
            auto* help = new HelpWindow;
            help->showContents(QStringLiteral(ZORVANE_BUILT_HELP_FILE));
            return help;
        }) << QStringList{};
    }
    void dialogsOpenInsideTheScreen() {
        QFETCH(WindowMaker, make);
        QFETCH(QStringList, buttons);
        Form1 form(programDir_->path());
        form.show();
        std::unique_ptr<QWidget> window(make(form));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // Fitted, the options dialog starts where it always does; Tab never stops on what
        // scrolls its controls.
        if (qstrcmp(QTest::currentDataTag(), "options") == 0) {
            QCOMPARE(QApplication::focusWidget()->objectName(),
                     QStringLiteral("qt_tabwidget_tabbar"));
            for (int i = 0; i < 20; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QVERIFY(!qobject_cast<QScrollArea*>(QApplication::focusWidget()));
            }
        }
        const QRect outer = window->frameGeometry();
        QVERIFY2(available().contains(outer), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                             .arg(outer.x())
                                                             .arg(outer.y())
                                                             .arg(outer.width())
                                                             .arg(outer.height())));
        // Every push button can be reached; the named ones, the only way out, are in sight.
        QList<QPushButton*> reachable = window->findChildren<QPushButton*>();
        for (const QString& name : buttons) {
            auto* button = window->findChild<QPushButton*>(name);
            QVERIFY2(button, qPrintable(name));
            // In sight as the window stands, nothing scrolled.
            QVERIFY2(QRegion(button->rect()).subtracted(button->visibleRegion()).isEmpty() &&
                         available().contains(button->geometry().translated(
                             button->parentWidget()->mapToGlobal(QPoint(0, 0)))),
                     qPrintable(name));
        }
        for (QPushButton* button : reachable) {
            if (!button->isVisibleTo(window.get()))
                continue;
            QVERIFY2(onScreen(button), qPrintable(button->objectName() + u' ' + button->text()));
        }
    }

    // The main window opens wholly inside the screen, whatever size was stored (on a larger
    // screen, at a smaller scale, or none at all); the stored size stays in plok.ini for the
    // larger screen unless the user resizes the window here.
    void mainWindowOpensInsideTheScreen_data() {
        QTest::addColumn<QStringList>("ini");
        QTest::addColumn<QSize>("resizedTo"); // by the user; invalid: left as it opened
        QTest::addColumn<QSize>("stored"); // Width and Height at closing (twips); invalid: its own
        const QStringList large{QStringLiteral("[Form]"), QStringLiteral("Top=1500"),
                                QStringLiteral("Left=3000"), QStringLiteral("Height=10500"),
                                QStringLiteral("Width=16500")};
        QTest::newRow("no settings") << QStringList{} << QSize() << QSize(9000, 7200);
        QTest::newRow("1100 x 700 from a larger screen") << large << QSize() << QSize(16500, 10500);
        QTest::newRow("filer hidden (narrower than the screen), resized here")
            << (QStringList(large) << QStringLiteral("[Option]") << QStringLiteral("Fselect=0"))
            << QSize(450, 380) << QSize();
    }
    void mainWindowOpensInsideTheScreen() {
        QFETCH(QStringList, ini);
        QFETCH(QSize, resizedTo);
        QFETCH(QSize, stored);
        const QString settings = programDir_->filePath(QStringLiteral("plok.ini"));
        if (!ini.isEmpty())
            QVERIFY(writeBytes(settings, crlf(ini)));
        Form1 form(programDir_->path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(available().contains(form.frameGeometry()));
        if (resizedTo.isValid()) {
            form.resize(resizedTo);
            stored = form.frameGeometry().size() * 15;
        }
        form.close();
        const auto key = [&](const QString& name) {
            return ProfileFile::getString(settings, QStringLiteral("Form"), name, {}, 64).toInt();
        };
        QCOMPARE(QSize(key(QStringLiteral("Width")), key(QStringLiteral("Height"))), stored);
    }

    // Every label and button shows its caption whole, widened where the desktop's font needs
    // it (a font of its own, larger than the designed 9 points); with IPA every width stays.
    void captionsAreReadWhole_data() {
        dialogsOpenInsideTheScreen_data();
        QTest::newRow("main window, a long editor title") << WindowMaker([](Form1& form) {
            form.command1()->setText(QStringLiteral("秀丸エディタ・最新版"));
            return static_cast<QWidget*>(&form);
        }) << QStringList{};
    }
    void captionsAreReadWhole() {
        QFETCH(WindowMaker, make);
        for (const auto& [family, points] : {std::pair{"IPAGothic", 9.0},
                                             {"Noto Sans Mono CJK JP", 9.0},
                                             {"Noto Sans CJK JP", 12.0}}) {
            if (!ForcedFont::installed(QString::fromLatin1(family)))
                continue;
            const ForcedFont font(QString::fromLatin1(family), points);
            modPlok().FileOpCode = 1; // Copy
            Form1 form(programDir_->path());
            QWidget* window = make(form);
            std::unique_ptr<QWidget> owned(window == &form ? nullptr : window);
            const auto captioned = [window] { // and the width each needs
                QHash<QWidget*, int> needs;
                for (QWidget* control : window->findChildren<QWidget*>()) {
                    const auto* label = qobject_cast<QLabel*>(control);
                    const auto* button = qobject_cast<QAbstractButton*>(control);
                    const QString text = label    ? label->text()
                                         : button ? button->text()
                                                  : QString();
                    if (text.isEmpty() || !control->isVisibleTo(window) ||
                        control->parentWidget()->layout() || qobject_cast<PathLabel*>(control) ||
                        (label && label->wordWrap()))
                        continue;
                    needs.insert(
                        control,
                        control->fontMetrics().horizontalAdvance(text) +
                            (label ? control->width() - control->contentsRect().width()
                                   : 2 * control->style()->pixelMetric(QStyle::PM_ButtonMargin)));
                }
                return needs;
            };
            QHash<QWidget*, int> designed;
            for (QWidget* control : captioned().keys())
                designed.insert(control, control->width());
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QHash<QWidget*, int> needs = captioned();
            for (auto it = needs.cbegin(); it != needs.cend(); ++it) {
                const QByteArray name = it.key()->objectName().toUtf8() + ' ' + family;
                QVERIFY2(it.key()->width() >= it.value(), name.constData());
                // (The main window is laid out as it is shown; its layout's tests check it.)
                if (qstrcmp(family, "IPAGothic") == 0 && window != &form)
                    QVERIFY2(it.key()->width() == designed.value(it.key()), name.constData());
            }
            QVERIFY(window != &form || form.command1()->geometry().right() < form.label5()->x());
        }
    }
};

int main(int argc, char* argv[]) {
    // A screen of 1024 x 768 pixels, shown at twice the size.
    QTemporaryDir configFolder;
    const QString config = configFolder.filePath(QStringLiteral("screens.json"));
    writeBytes(config, QByteArrayLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0,
        "width": 1024, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})"));
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    TestSmallScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_smallscreen.moc"
