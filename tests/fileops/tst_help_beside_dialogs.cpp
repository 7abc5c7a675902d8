// The help window beside the program's dialogs: while any of them is open (modal to the main
// window), the help window it asks for comes up showing its topic and takes the user's keys,
// and the main window takes none. Real dialogs, the real help window and message box, through
// the program's own wiring; window-system input as the platform delivers it.
#include "DialogTesting.h"
#include "MainWindowFixture.h"
#include "PlatformFakes.h"
#include "TemporaryHome.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "help/HelpWindow.h"
#include "help/HelpWindowService.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MainCommand.h"
#include "platform/MessageBoxService.h"
#include "platform/PlatformServices.h"
#include "program/CommandWiring.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

using namespace zorvane;
using namespace zorvane::testing;

namespace {

// Counts the keys that reach any widget of one window.
class KeyCounter final : public QObject {
public:
    explicit KeyCounter(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~KeyCounter() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_)
            ++count;
        return false;
    }

private:
    QWidget* window_;
};

QByteArray longHelp() {
    QString html = QStringLiteral("<html><body><h1>目次</h1>");
    for (int topic : {6, 13, 16, 17}) {
        html += QStringLiteral("<h2 id=\"%1\">項目 %1</h2>").arg(topic);
        for (int line = 0; line < 80; ++line)
            html += QStringLiteral("<p>本文 %1-%2</p>").arg(topic).arg(line);
    }
    return (html + QStringLiteral("</body></html>")).toUtf8();
}

} // namespace

class TestHelpBesideDialogs : public QObject, MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<HelpWindowService> help_;
    std::unique_ptr<Form1> form_;

private slots:
    void init() {
        QVERIFY(setUpMainWindow());
        QVERIFY(writeBytes(programDir_->filePath(QStringLiteral("plok.hlp")), longHelp()));
        const QString memo = programDir_->filePath(QStringLiteral("メモ.txt"));
        QVERIFY(writeBytes(memo, "memo\r\n"));

        installProgramWindows();
        // A help window of the test's own, so that each row starts without one.
        help_ = std::make_unique<HelpWindowService>();
        PlatformServices::setHelp(help_.get());

        form_ = makeForm();
        attachCommands(*form_);
        form_->Form_Load(memo);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void cleanup() {
        form_.reset();
        delete help_->window();
        PlatformServices::setHelp(nullptr);
        help_.reset();
        tearDownMainWindow();
    }

    void helpWindowRunsBesideEveryDialog_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("options") << int(MainCommand::Option) << QStringLiteral("frmOption");
        QTest::newRow("copy") << int(MainCommand::Copy) << QStringLiteral("Form3");
        QTest::newRow("folder picker over copy")
            << int(MainCommand::Copy) << QStringLiteral("frmDirGet");
        QTest::newRow("rename") << int(MainCommand::Rename) << QStringLiteral("Form4");
        QTest::newRow("delete") << int(MainCommand::Delete) << QStringLiteral("Form5");
        QTest::newRow("message box") << int(MainCommand::None) << QStringLiteral("MessageBox");
    }
    void helpWindowRunsBesideEveryDialog() {
        QFETCH(int, command);
        QFETCH(QString, dialog);
        const QString helpFile = programDir_->filePath(QStringLiteral("plok.hlp"));
        bool checked = false;
        const auto check = [&](QDialog* open) {
            QCOMPARE(open->objectName(), dialog);
            QCOMPARE(open->windowModality(), Qt::WindowModal);
            if (dialog == u"frmOption")
                open->findChild<QPushButton*>(QStringLiteral("Command8"))->click(); // ヘルプ
            else
                PlatformServices::help().showTopic(helpFile, 13);
            HelpWindow* window = help_->window();
            QVERIFY(window);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTextBrowser* browser = window->browser();
            const int atTopic = browser->verticalScrollBar()->value();
            QVERIFY(atTopic > 0);

            // Keys as the window system delivers them: the help window scrolls, the main window
            // hears nothing.
            KeyCounter mainWindowKeys(form_.get());
            QTest::keyClick(window->windowHandle(), Qt::Key_PageDown);
            QTRY_VERIFY(browser->verticalScrollBar()->value() > atTopic);
            QTest::keyClick(form_->windowHandle(), Qt::Key_A);
            QCOMPARE(mainWindowKeys.count, 0);
            window->close();
            QVERIFY(!window->isVisible());
            QVERIFY(open->isVisible());
            checked = true;
        };
        // Whatever the check found, the dialogs close again.
        const auto closeAll = [] {
            while (QWidget* modal = QApplication::activeModalWidget()) {
                if (auto* box = qobject_cast<QDialog*>(modal))
                    box->reject();
                else
                    break;
            }
        };
        whenModalOpens([&](QDialog* open) {
            if (dialog == u"frmDirGet") {
                whenModalOpens([&](QDialog* picker) {
                    check(picker);
                    closeAll();
                });
                open->findChild<QPushButton*>(QStringLiteral("Command3"))->click(); // 参照
                return;
            }
            check(open);
            closeAll();
        });
        if (command == int(MainCommand::None)) {
            QtMessageBoxService().show(form_.get(),
                                       {QStringLiteral("メッセージ"), QStringLiteral("Zorvane"),
                                        MessageIcon::Information, MessageButtons::Ok});
        } else {
            form_->runCommand(static_cast<MainCommand>(command));
        }
        QVERIFY(checked);
    }
};

int main(int argc, char** argv) {
    const zorvane::testing::TemporaryHome home;
    if (!home.isValid())
        return 1;
    QApplication app(argc, argv);
    TestHelpBesideDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_help_beside_dialogs.moc"
