// The main window over a folder and a file whose reads stall for 5 seconds, as a hung network
// share does (a FUSE mirror, tests/support/slowfs.py): the longest time the event loop was
// blocked while the read was pending, for a listing (Dir1 and File1) and for a preview.
//
// Usage: bench_stall [stall-seconds]    (default 5; goal: longest block < 50 ms)
// Needs /dev/fuse and python3-fusepy; without a display the offscreen platform is used.

#include "SlowFileSystem.h"

#include "app/ModPlok.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"
#include "mainwindow/Form1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

using zorvane::testing::SlowFileSystem;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

struct Figures {
    double pickMs = 0;    // the pick itself, within one event
    double longestMs = 0; // the longest gap between two ticks of a 1 ms timer
    double resultMs = 0;  // from the pick to the result shown
};

// Runs the event loop for `stallMs`, picks at its start, releases the stall at its end and
// goes on until `shown()`; measures the gaps between the ticks of a 1 ms timer all along.
Figures measure(SlowFileSystem& slow, int stallMs, const std::function<void()>& pickStep,
                const std::function<bool()>& shown) {
    Figures figures;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        figures.longestMs = std::max(figures.longestMs, double(now - lastTick) / 1e6);
        lastTick = now;
    });
    QEventLoop loop;
    qint64 pickedAt = 0;
    QTimer::singleShot(100, [&] {
        pickedAt = clock.nsecsElapsed();
        pickStep();
        figures.pickMs = double(clock.nsecsElapsed() - pickedAt) / 1e6;
    });
    QTimer::singleShot(100 + stallMs, [&] { slow.release(); });
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (pickedAt != 0 && shown()) {
            figures.resultMs = double(clock.nsecsElapsed() - pickedAt) / 1e6;
            loop.quit();
        }
    });
    lastTick = clock.nsecsElapsed();
    ticks.start();
    watch.start();
    QTimer::singleShot(100 + stallMs + 30000, &loop, &QEventLoop::quit);
    loop.exec();
    return figures;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int stallMs = 1000 * (argc >= 2 ? std::max(1, QByteArray(argv[1]).toInt()) : 5);

    QTemporaryDir program;
    writeFile(program.path() + QStringLiteral("/plok.his"), QByteArray("\r\n").repeated(40));
    std::printf("%-10s %10s %12s %12s\n", "stalled", "pick (ms)", "longest (ms)", "shown (ms)");
    for (const bool listing : {true, false}) {
        SlowFileSystem slow;
        writeFile(slow.source() + QStringLiteral("/slowfile.txt"), "slow text\r\n");
        writeFile(slow.source() + QStringLiteral("/slowdir/inside.txt"), "inside\r\n");
        if (!slow.mount()) {
            std::printf("no slow file system: %s\n", qPrintable(slow.whyNot()));
            return 77;
        }
        zorvane::Form1 form(program.path());
        form.show();
        QCoreApplication::processEvents();
        const QString root = slow.mountPoint();
        if (!listing)
            form.file1()->setPath(root);
        const Figures figures = measure(
            slow, stallMs,
            [&] {
                if (listing) {
                    form.dir1()->setPath(root + QStringLiteral("/slowdir"));
                } else {
                    for (int row = 0; row < form.file1()->listCount(); ++row)
                        if (form.file1()->listEntry(row) == QStringLiteral("slowfile.txt"))
                            form.file1()->setListIndex(row);
                }
            },
            [&] {
                return listing ? form.file1()->listCount() == 1 && !form.dir1()->listingPending()
                               : form.previewText() == QStringLiteral("slow text\r\n");
            });
        std::printf("%-10s %10.1f %12.1f %12.1f\n", listing ? "listing" : "preview", figures.pickMs,
                    figures.longestMs, figures.resultMs);
        form.hide();
    }
    return 0;
}
