// The options dialog on a warm program: from the options command to the dialog painted on
// screen, and OK (applying everything to the main window and replacing plok.ini atomically).
//
// Usage: bench_options [rounds]          (default 30; prints median, best and worst in ms)
// Run it under a real X server (Xvfb with a window manager will do) for figures that include
// the window system; without a display the offscreen platform is used.

#include "app/DesktopLocale.h"
#include "app/ModPlok.h"
#include "mainwindow/Form1.h"
#include "options/OptionsCommand.h"
#include "options/frmOption.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray settingsText() {
    return "[OpProgram]\r\nName=editor\r\nProgram=/usr/bin/mousepad\r\nName1=less\r\n"
           "Program1=/usr/bin/xterm -e less\r\n[Font]\r\nName=\x82\x6c\x82\x72 \x83\x53\x83\x56"
           "\x83\x62\x83\x4e\r\nSize= 10\r\nColor= 0\r\nBColor= 16777215\r\n[Form]\r\nTop= 0\r\n"
           "Left= 0\r\nHeight= 7200\r\nWidth= 9600\r\n[Option]\r\nFselect=True\r\n"
           "[Extention]\r\nExt1=*.csv\r\nExt2=*.log\r\n";
}

// Waits for the first paint of the modal options dialog, then notes the time and cancels it.
class FirstPaintOfDialog final : public QObject {
public:
    explicit FirstPaintOfDialog(QElapsedTimer& clock) : clock_(clock) {}
    qint64 shownAt = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && shownAt < 0 && !pending_) {
            auto* widget = qobject_cast<QWidget*>(watched);
            auto* dialog = widget ? qobject_cast<zorvane::frmOption*>(widget->window()) : nullptr;
            if (dialog) {
                pending_ = true;
                // After every control of this paint pass has been drawn.
                QTimer::singleShot(0, dialog, [this, dialog] {
                    shownAt = clock_.nsecsElapsed();
                    pending_ = false;
                    dialog->reject();
                });
            }
        }
        return false;
    }

private:
    QElapsedTimer& clock_;
    bool pending_ = false;
};

struct Figures {
    double median = 0;
    double best = 0;
    double worst = 0;
};

Figures figuresOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.front(), samples.back()};
}

void print(const char* what, const Figures& figures) {
    std::printf("%-46s median %7.2f ms   best %7.2f ms   worst %7.2f ms\n", what, figures.median,
                figures.best, figures.worst);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    zorvane::installFontSubstitutions();
    zorvane::installQtTranslations(application);
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;

    QTemporaryDir folder;
    if (!folder.isValid() ||
        !writeFile(folder.filePath(QStringLiteral("plok.ini")), settingsText()) ||
        !writeFile(folder.filePath(QStringLiteral("plok.his")),
                   QByteArray(80, '\n').replace('\n', "\r\n")))
        return 1;

    zorvane::Form1 form1(folder.path());
    form1.setCommandHandler(zorvane::MainCommand::Option,
                            [&form1] { zorvane::runOptionsDialog(form1); });
    form1.show();
    while (!form1.windowHandle() || !form1.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    FirstPaintOfDialog watch(clock);
    application.installEventFilter(&watch);
    std::vector<double> shown;
    for (int round = -2; round < rounds; ++round) { // two openings warm the program up
        watch.shownAt = -1;
        clock.start();
        form1.runCommand(zorvane::MainCommand::Option);
        if (watch.shownAt < 0)
            return 2;
        if (round >= 0)
            shown.push_back(static_cast<double>(watch.shownAt) / 1e6);
        QCoreApplication::processEvents();
    }
    application.removeEventFilter(&watch);

    std::vector<double> okHandler;
    std::vector<double> okSettled;
    for (int round = -2; round < rounds; ++round) {
        zorvane::frmOption dialog(form1);
        dialog.show();
        while (!dialog.windowHandle() || !dialog.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents();
        // A change in every kind of value, so that everything is applied for real.
        dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))
            ->setText(round % 2 ? QStringLiteral("editor") : QStringLiteral("エディタ"));
        dialog.findChild<QLineEdit*>(QStringLiteral("Text5(2)"))
            ->setText(round % 2 ? QStringLiteral("*.md") : QString());
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Command6"));
        clock.start();
        ok->click();
        const qint64 handled = clock.nsecsElapsed();
        QCoreApplication::processEvents(); // the main window takes the new look
        const qint64 settled = clock.nsecsElapsed();
        if (round >= 0) {
            okHandler.push_back(static_cast<double>(handled) / 1e6);
            okSettled.push_back(static_cast<double>(settled) / 1e6);
        }
    }

    std::printf("platform %s, %d rounds\n", qPrintable(QGuiApplication::platformName()), rounds);
    print("options command to dialog painted", figuresOf(shown));
    print("OK: apply and replace plok.ini", figuresOf(okHandler));
    print("OK and the main window's repaint", figuresOf(okSettled));
    return 0;
}
