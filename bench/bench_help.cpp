// The version box and the help window, from the main window's command until the window is shown
// and painted once:
//
// - the first opening of a run: each round a fresh process starts as the program does, shows its
//   main window and then gives the command once; alternately, a fresh process shows a bare Qt
//   window (a menu bar and a text box) and then a bare twin: a QDialog with the version box's
//   kinds of controls, or a window holding a QTextBrowser with plok.hlp's text (for a topic,
//   scrolled to it); the help is opened at its contents (the help command) and at topic 17 (a
//   dialog's help button);
// - later openings in one process: closed and commanded again;
// - plok.hlp's contents page set and laid out in a text browser of the help window's width.
//
// Usage: bench_help [PLOK.HLP] [ROUNDS]   (plok.hlp beside this program; 15 rounds)
// Without a display the offscreen platform is used.

#include "app/DesktopLocale.h"
#include "app/FontConfigurationPreload.h"
#include "help/HelpWindow.h"
#include "help/HelpWindowService.h"
#include "help/ProgramIcon.h"
#include "help/frmAbout.h"
#include "mainwindow/Form1.h"
#include "platform/HelpService.h"
#include "platform/PlatformServices.h"
#include "program/CommandWiring.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Counts paint events of one window.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs `command`, then waits until `window()` is exposed and painted; the time in ms.
double timeToShown(const std::function<void()>& command, const std::function<QWidget*()>& window) {
    QElapsedTimer timer;
    timer.start();
    command();
    QWidget* shown = window();
    PaintCounter counter;
    shown->installEventFilter(&counter);
    while (!shown->windowHandle() || !shown->windowHandle()->isExposed() || counter.paints == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    shown->removeEventFilter(&counter);
    return ms;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-46s median %7.2f ms   best %7.2f   worst %7.2f   (%zu rounds)\n", what,
                median(times), times.front(), times.back(), times.size());
}

// Lets the window's work of the last command end (a closed version box is deleted).
void settle(int ms = 20) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A fresh process: the main window shown, then the one command timed. `what` is "version" or
// "help"; with "bare-" before it, the bare window and the bare twin instead.
int firstOpening(int argc, char* argv[], const QString& what, const QString& helpFile) {
    const bool bare = what.startsWith(QStringLiteral("bare-"));
    std::unique_ptr<zorvane::FontConfigurationPreload> fontConfiguration;
    if (!bare)
        fontConfiguration = std::make_unique<zorvane::FontConfigurationPreload>();
    QApplication application(argc, argv);
    QTemporaryDir program;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<zorvane::Form1> form1;
    if (bare) {
        mainWindow = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(mainWindow.get());
        auto* menuBar = new QMenuBar(mainWindow.get());
        for (const char16_t* title : {u"ファイル(&F)", u"ツール(&T)", u"ヘルプ(&H)"})
            menuBar->addMenu(QString::fromUtf16(title))->addAction(QStringLiteral("..."));
        layout->setMenuBar(menuBar);
        layout->addWidget(new QPlainTextEdit(QStringLiteral("テキスト"), mainWindow.get()));
        mainWindow->resize(592, 434);
    } else {
        fontConfiguration->finish();
        zorvane::installFontSubstitutions();
        zorvane::installQtTranslations(application);
        QApplication::setWindowIcon(zorvane::programIcon());
        zorvane::installProgramWindows();
        QFile history(program.path() + QStringLiteral("/plok.his"));
        if (!history.open(QIODevice::WriteOnly) ||
            !QFile::copy(helpFile, program.path() + QStringLiteral("/plok.hlp")))
            return 1;
        history.write(QByteArray("\r\n").repeated(40));
        history.close();
        form1 = std::make_unique<zorvane::Form1>(program.path());
        zorvane::attachCommands(*form1);
        form1->Form_Load(QString());
    }
    QWidget* owner = bare ? mainWindow.get() : form1.get();
    timeToShown([owner] { owner->show(); }, [owner] { return owner; });
    settle(200);

    double ms = -1;
    std::unique_ptr<QWidget> twin;
    if (what == QStringLiteral("version")) {
        ms = timeToShown([&] { form1->runCommand(zorvane::MainCommand::Version); },
                         [] { return static_cast<QWidget*>(zorvane::frmAbout::openBox()); });
    } else if (what == QStringLiteral("help") || what == QStringLiteral("topic")) {
        // The help command shows the contents; a dialog's help button a topic of the page.
        auto* service =
            dynamic_cast<zorvane::HelpWindowService*>(&zorvane::PlatformServices::help());
        ms = timeToShown(
            [&] {
                if (what == QStringLiteral("help"))
                    form1->runCommand(zorvane::MainCommand::Help);
                else
                    service->showTopic(program.path() + QStringLiteral("/plok.hlp"), 17);
            },
            [service] { return static_cast<QWidget*>(service->window()); });
    } else if (what == QStringLiteral("bare-version")) {
        ms = timeToShown(
            [&] {
                auto* dialog = new QDialog;
                twin.reset(dialog);
                dialog->setFixedSize(257, 162);
                auto* icon = new QLabel(dialog);
                icon->setPixmap(zorvane::programIconPixmap(32));
                icon->setGeometry(16, 16, 29, 29);
                int top = 16;
                for (const char16_t* text : {u"Zorvane", u"バージョン 1.0.3", u"開発チーム"}) {
                    auto* label = new QLabel(QString::fromUtf16(text), dialog);
                    label->setGeometry(70, top, 163, 24);
                    top += 30;
                }
                (new QPushButton(QStringLiteral("OK"), dialog))->setGeometry(72, 128, 87, 23);
                dialog->show();
            },
            [&] { return twin.get(); });
    } else if (what == QStringLiteral("bare-help") || what == QStringLiteral("bare-topic")) {
        ms = timeToShown(
            [&] {
                twin = std::make_unique<QWidget>(nullptr, Qt::Window);
                auto* layout = new QVBoxLayout(twin.get());
                layout->setContentsMargins(0, 0, 0, 0);
                auto* browser = new QTextBrowser(twin.get());
                layout->addWidget(browser);
                browser->setHtml(readText(helpFile));
                twin->resize(640, 560);
                twin->show();
                if (what == QStringLiteral("bare-topic"))
                    browser->scrollToAnchor(QStringLiteral("17"));
            },
            [&] { return twin.get(); });
    }
    std::printf("%.3f\n", ms);
    return ms < 0 ? 1 : 0;
}

// The first opening in `rounds` fresh processes, alternating with the bare twin.
void firstOpenings(const QString& what, const QString& helpFile, int rounds) {
    std::vector<double> ours;
    std::vector<double> bare;
    const auto run = [&](const QString& mode) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--first"), mode, helpFile});
        child.waitForFinished(60000);
        bool ok = false;
        const double ms =
            QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble(&ok);
        return ok && child.exitCode() == 0 ? ms : -1.0;
    };
    for (int round = 0; round < rounds; ++round) {
        const double a = run(what);
        const double b = run(QStringLiteral("bare-") + what);
        if (a >= 0 && b >= 0) {
            ours.push_back(a);
            bare.push_back(b);
        }
    }
    if (ours.empty()) {
        std::printf("%s: no round finished\n", qPrintable(what));
        return;
    }
    std::sort(ours.begin(), ours.end());
    std::printf("%-12s first opening: median %6.2f ms (best %6.2f, worst %6.2f); bare twin median "
                "%6.2f ms; ratio %.2f (%zu fresh processes each)\n",
                qPrintable(what), median(ours), ours.front(), ours.back(), median(bare),
                median(ours) / median(bare), ours.size());
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && QByteArray(argv[1]) == "--first")
        return firstOpening(1, argv, QString::fromLatin1(argv[2]), QString::fromLocal8Bit(argv[3]));

    QApplication application(argc, argv);
    const QString helpFile =
        argc > 1 && argv[1][0] != '\0'
            ? QString::fromLocal8Bit(argv[1])
            : QCoreApplication::applicationDirPath() + QStringLiteral("/plok.hlp");
    const int rounds = argc > 2 ? std::max(3, std::atoi(argv[2])) : 15;
    if (!QFile::exists(helpFile)) {
        std::fprintf(stderr, "no help file at %s\n", qPrintable(helpFile));
        return 1;
    }
    std::printf("platform %s, help file %s (%lld bytes)\n",
                qPrintable(QGuiApplication::platformName()), qPrintable(helpFile),
                static_cast<long long>(QFile(helpFile).size()));
    firstOpenings(QStringLiteral("version"), helpFile, rounds);
    firstOpenings(QStringLiteral("help"), helpFile, rounds);
    firstOpenings(QStringLiteral("topic"), helpFile, rounds);

    zorvane::installFontSubstitutions();
    zorvane::installQtTranslations(application);
    QApplication::setWindowIcon(zorvane::programIcon());
    zorvane::installProgramWindows();

    // Version box: opened, closed and opened again.
    const auto versionBox = [] { return static_cast<QWidget*>(zorvane::frmAbout::openBox()); };
    timeToShown([] { zorvane::frmAbout::showModeless(); }, versionBox);
    std::vector<double> warm;
    for (int round = 0; round < rounds; ++round) {
        zorvane::frmAbout::openBox()->close();
        settle();
        if (zorvane::frmAbout::openBox()) {
            std::fputs("the closed version box was not deleted\n", stderr);
            return 1;
        }
        warm.push_back(timeToShown([] { zorvane::frmAbout::showModeless(); }, versionBox));
    }
    report("version box, closed and commanded again", warm);
    zorvane::frmAbout::openBox()->close();
    settle();

    // Help window through the program's own service.
    auto* service = dynamic_cast<zorvane::HelpWindowService*>(&zorvane::PlatformServices::help());
    const auto helpWindow = [service] { return static_cast<QWidget*>(service->window()); };
    timeToShown([&] { service->showContents(helpFile); }, helpWindow);
    warm.clear();
    std::vector<double> topics;
    for (int round = 0; round < rounds; ++round) {
        service->window()->close();
        settle();
        warm.push_back(timeToShown([&] { service->showContents(helpFile); }, helpWindow));
        service->window()->close();
        settle();
        topics.push_back(timeToShown([&] { service->showTopic(helpFile, 17); }, helpWindow));
    }
    report("help window, closed, contents commanded again", warm);
    report("help window, closed, topic 17 commanded again", topics);

    // The contents page laid out: the file read, set as HTML and laid out at the window's width.
    const QString html = readText(helpFile);
    std::vector<double> layouts;
    for (int round = 0; round < rounds; ++round) {
        QTextBrowser browser;
        browser.resize(640, 560);
        QElapsedTimer timer;
        timer.start();
        browser.setHtml(html);
        browser.document()->setTextWidth(browser.viewport()->width());
        const QSizeF size = browser.document()->documentLayout()->documentSize();
        layouts.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (size.height() <= 0)
            return 1;
    }
    report("plok.hlp set and laid out (640 px window)", layouts);
    return 0;
}
