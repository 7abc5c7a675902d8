// Start-up to the first shown window: Zorvane's main window (settings, history, drive list,
// folder lists and the preview of a file named on the command line) against a bare Qt window,
// each started as a fresh process, alternately, in the same run.
//
// Usage: bench_startup [rounds]          (default 15; prints the medians and their ratio)
// Without a display the offscreen platform is used.

#include "app/DesktopLocale.h"
#include "mainwindow/CommandLineTarget.h"
#include "mainwindow/Form1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Waits until the window is on screen and painted once, then says so on stdout.
void reportShown(QWidget& window) {
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
}

int runBare(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(592, 434);
    window.show();
    reportShown(window);
    return 0;
}

int runZorvane(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zorvane::installFontSubstitutions();
    zorvane::installQtTranslations(application);
    const QStringList arguments = QCoreApplication::arguments();
    zorvane::Form1 form1(arguments.at(2));
    form1.Form_Load(zorvane::commandLineText(arguments.mid(3)));
    form1.show();
    reportShown(form1);
    return 0;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Milliseconds from starting the process until it reports its window shown.
double timeChild(const QString& program, const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(30000)) {
            std::fprintf(stderr, "child did not report its window\n");
            return -1;
        }
    }
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    child.waitForFinished(30000);
    return elapsed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 2 && qstrcmp(argv[1], "--bare") == 0)
        return runBare(argc, argv);
    if (argc >= 3 && qstrcmp(argv[1], "--zorvane") == 0)
        return runZorvane(argc, argv);

    QCoreApplication application(argc, argv);
    const int rounds = argc >= 2 ? std::max(1, QByteArray(argv[1]).toInt()) : 15;

    QTemporaryDir folder;
    const QString program = folder.path() + QStringLiteral("/");
    QByteArray history;
    for (int i = 0; i < 40; ++i)
        history += i < 5 ? "/tmp\r\n" : "\r\n";
    QDir(program).mkpath(QStringLiteral("メモ"));
    QByteArray memo;
    for (int i = 0; i < 200; ++i)
        memo += "メモの" + QByteArray::number(i) + "行目です。\r\n";
    for (int i = 0; i < 50; ++i)
        writeFile(program + QStringLiteral("メモ/file%1.txt").arg(i), "x\r\n");
    if (!writeFile(program + QStringLiteral("plok.his"), history) ||
        !writeFile(program + QStringLiteral("plok.ini"),
                   "[Form]\r\nTop=300\r\nLeft=300\r\n[Font]\r\nSize=10\r\n") ||
        !writeFile(program + QStringLiteral("メモ/memo.txt"), memo)) {
        std::fprintf(stderr, "cannot write the sample files\n");
        return 1;
    }

    const QString self = QCoreApplication::applicationFilePath();
    const QStringList zorvaneArguments = {QStringLiteral("--zorvane"), program,
                                          program + QStringLiteral("メモ/memo.txt")};
    timeChild(self, {QStringLiteral("--bare")}); // warm the file cache
    timeChild(self, zorvaneArguments);
    std::vector<double> bare;
    std::vector<double> zorvane;
    for (int round = 0; round < rounds; ++round) {
        bare.push_back(timeChild(self, {QStringLiteral("--bare")}));
        zorvane.push_back(timeChild(self, zorvaneArguments));
    }
    const double bareMedian = median(bare);
    const double zorvaneMedian = median(zorvane);
    std::printf("start-up to the first shown window, median of %d (platform %s):\n", rounds,
                qgetenv("QT_QPA_PLATFORM").isEmpty() ? "default"
                                                     : qgetenv("QT_QPA_PLATFORM").constData());
    const double bareBest = *std::min_element(bare.begin(), bare.end());
    const double zorvaneBest = *std::min_element(zorvane.begin(), zorvane.end());
    std::printf("                   median      best\n");
    std::printf("  bare Qt window   %8.1f ms %8.1f ms\n", bareMedian, bareBest);
    std::printf("  Zorvane Form1    %8.1f ms %8.1f ms\n", zorvaneMedian, zorvaneBest);
    std::printf("  ratio            %8.2f x  %8.2f x   (target <= 1.5)\n",
                zorvaneMedian / bareMedian, zorvaneBest / bareBest);
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        std::printf("Offscreen, the bare window draws no text and never loads a font or a theme;\n"
                    "under X11 (a desktop or Xvfb, DISPLAY set) both windows pay for them.\n");
    return 0;
}
