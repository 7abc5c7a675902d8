// The windows on a small screen at scale factor 2: 1024 x 768 pixels, 512 x 384 for the
// program. The help window and every dialog open inside the screen, their buttons reachable.

#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "desktopfit/ScreenFitting.h"
#include "fileops/Form3.h"
#include "fileops/Form4.h"
#include "fileops/Form5.h"
#include "fileops/FrmDirGet.h"
#include "help/HelpWindow.h"
#include "help/frmAbout.h"
#include "mainwindow/Form1.h"
#include "options/frmOption.h"
#include "textfile/ProfileFile.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace zorvane;
using namespace zorvane::testing;

using WindowMaker = std::function<QWidget*(Form1&)>;
Q_DECLARE_METATYPE(WindowMaker)

class TestSmallScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> programDir_;
    std::unique_ptr<PlatformFakes> fakes_;

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

    // The whole of `control` is in sight as the window stands, nothing scrolled.
    static bool inSight(QWidget* control) {
        QWidget* window = control->window();
        for (QWidget* up = control->parentWidget(); up; up = up->parentWidget()) {
            if (!up->rect().contains(QRect(control->mapTo(up, QPoint(0, 0)), control->size())))
                return false;
            if (up == window)
                break;
        }
        return available().contains(QRect(control->mapToGlobal(QPoint(0, 0)), control->size()));
    }

private slots:
    void initTestCase() {
        QCOMPARE(available().size(), QSize(512, 384));
        ScreenFitting::install();
    }

    void init() {
        resetModPlok();
        programDir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(programDir_->isValid());
        fakes_ = std::make_unique<PlatformFakes>();
        fakes_->driveList.entries = {{QStringLiteral("/"), QString()}};
        QStringList lines;
        for (int i = 0; i < 40; ++i)
            lines << QString();
        QVERIFY(writeBytes(programDir_->filePath(QStringLiteral("plok.his")), crlf(lines)));
    }

    void cleanup() {
        fakes_.reset();
        programDir_.reset();
    }

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
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
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
            QVERIFY2(inSight(button), qPrintable(name));
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
        const QStringList hidden = QStringList(large)
                                   << QStringLiteral("[Option]") << QStringLiteral("Fselect=0");
        QTest::newRow("filer hidden") << hidden << QSize() << QSize(16500, 10500);
        // Without the filer the window may be narrower than the screen.
        QTest::newRow("resized here") << hidden << QSize(450, 380) << QSize();
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
        QVERIFY2(available().contains(form.frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2").arg(form.width()).arg(form.height())));
        // The filer and the viewer are laid out inside the window.
        for (QWidget* control :
             {static_cast<QWidget*>(form.combo1()), static_cast<QWidget*>(form.text1())})
            if (control->isVisible())
                QVERIFY2(form.rect().contains(
                             QRect(control->mapTo(&form, QPoint(0, 0)), control->size())),
                         qPrintable(control->objectName()));
        if (resizedTo.isValid()) {
            form.resize(resizedTo);
            stored = form.frameGeometry().size() * 15;
        }
        form.close();
        const auto key = [&](const char* name) {
            return ProfileFile::getString(settings, QStringLiteral("Form"),
                                          QString::fromLatin1(name), QString(), 64)
                .trimmed()
                .toInt();
        };
        QCOMPARE(QSize(key("Width"), key("Height")), stored);
    }

    // A dialog fitted into the screen starts with the focus its window gives it, and Tab goes
    // from control to control in its order, never stopping on what scrolls them.
    void fittedDialogsKeepTheirFocus_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QStringList>("tabOrder"); // from where the focus starts
        QStringList options{QStringLiteral("qt_tabwidget_tabbar"), QStringLiteral("Text1"),
                            QStringLiteral("Text2"), QStringLiteral("Command1")};
        for (const char* row : {"(0)", "(1)", "(2)"})
            for (const char* name : {"Text3", "Text4", "Command2"})
                options.append(QString::fromLatin1(name) + QString::fromLatin1(row));
        options << QStringLiteral("Command6") << QStringLiteral("Command7")
                << QStringLiteral("Command8") << QStringLiteral("qt_tabwidget_tabbar");
        QTest::newRow("options") << WindowMaker([](Form1& form) -> QWidget* {
            return new frmOption(form);
        }) << options;
    }
    void fittedDialogsKeepTheirFocus() {
        QFETCH(WindowMaker, make);
        QFETCH(QStringList, tabOrder);
        Form1 form(programDir_->path());
        form.show();
        std::unique_ptr<QWidget> window(make(form));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QStringList walked;
        for (qsizetype i = 0; i < tabOrder.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            while (focus && focus->objectName().isEmpty())
                focus = focus->parentWidget();
            walked.append(focus ? focus->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : window.get(),
                            Qt::Key_Tab);
        }
        QCOMPARE(walked, tabOrder);
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
