// The help command and the version command on a warm program: from the command to the window
// shown and painted once, repeated; and plok.hlp's contents page set and laid out in a text
// browser of the help window's width.
//
// Usage: bench_help [PLOK.HLP] [rounds]   (default: plok.hlp beside this program; 30 rounds)
// Without a display the offscreen platform is used.

#include "app/DesktopLocale.h"
#include "help/HelpWindow.h"
#include "help/HelpWindowService.h"
#include "help/ProgramIcon.h"
#include "help/frmAbout.h"
#include "platform/HelpService.h"
#include "platform/PlatformServices.h"
#include "program/CommandWiring.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
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

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-46s median %7.2f ms   best %7.2f   worst %7.2f   (%zu rounds)\n", what,
                times[times.size() / 2], times.front(), times.back(), times.size());
}

// Lets a closed window go (a closed version box is deleted) before the next command.
void settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zorvane::installFontSubstitutions();
    zorvane::installQtTranslations(application);
    QApplication::setWindowIcon(zorvane::programIcon());
    zorvane::installProgramWindows();
    const QString helpFile =
        argc > 1 ? QString::fromLocal8Bit(argv[1])
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/plok.hlp");
    const int rounds = argc > 2 ? std::max(3, std::atoi(argv[2])) : 30;
    if (!QFile::exists(helpFile)) {
        std::fprintf(stderr, "no help file at %s\n", qPrintable(helpFile));
        return 1;
    }
    std::printf("platform %s, help file %s (%lld bytes)\n",
                qPrintable(QGuiApplication::platformName()), qPrintable(helpFile),
                static_cast<long long>(QFile(helpFile).size()));

    // Version box: the first command of the run, then closed and opened again.
    const auto versionBox = [] { return static_cast<QWidget*>(zorvane::frmAbout::openBox()); };
    std::vector<double> cold{timeToShown([] { zorvane::frmAbout::showModeless(); }, versionBox)};
    report("version box, first command of the run", cold);
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
    cold = {timeToShown([&] { service->showContents(helpFile); }, helpWindow)};
    report("help window, first command of the run", cold);
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
    QFile file(helpFile);
    file.open(QIODevice::ReadOnly);
    const QString html = QString::fromUtf8(file.readAll());
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
