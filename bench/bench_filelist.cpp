// A folder of 20,000 files listed in the main window's file list File1: the time from setting
// the path until the list is shown again, and picking a pattern on the same folder.
//
// Usage: bench_filelist [files] [rounds]    (defaults 20000 and 9; target <= 300 ms)
// Without a display the offscreen platform is used.

#include "app/ModPlok.h"
#include "filer/FileListView.h"
#include "mainwindow/Form1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

template <typename Step> double timed(const zorvane::FileListView& list, Step step) {
    QElapsedTimer timer;
    timer.start();
    step();
    // A listing that outlasts the window's short wait goes on in the background: until its
    // names are shown.
    while (list.listingPending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(); // the list is drawn again
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int files = argc >= 2 ? std::max(1, QByteArray(argv[1]).toInt()) : 20000;
    const int rounds = argc >= 3 ? std::max(1, QByteArray(argv[2]).toInt()) : 9;

    QTemporaryDir program;
    QTemporaryDir data;
    {
        QFile history(program.path() + QStringLiteral("/plok.his"));
        if (!history.open(QIODevice::WriteOnly))
            return 1;
        history.write(QByteArray("\r\n").repeated(40));
    }
    for (int i = 0; i < files; ++i) {
        // Mixed letter case and extensions, so the pattern and the sort have work to do.
        const QString name = QStringLiteral("%1ile%2.%3")
                                 .arg(i % 2 ? QChar(u'F') : QChar(u'f'))
                                 .arg((i * 7919) % files, 6, 10, QChar(u'0'))
                                 .arg(i % 3 ? QStringLiteral("txt") : QStringLiteral("LOG"));
        QFile file(data.path() + QChar(u'/') + name);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }

    zorvane::Form1 form(program.path());
    form.show();
    QCoreApplication::processEvents();
    zorvane::FileListView* list = form.file1();
    list->setPattern(QStringLiteral("*.*"));

    std::vector<double> listing;
    std::vector<double> pattern;
    std::vector<double> choosing;
    for (int round = 0; round < rounds; ++round) {
        list->setPath(QDir::tempPath());
        QCoreApplication::processEvents();
        listing.push_back(timed(*list, [&] { list->setPath(data.path()); }));
        pattern.push_back(timed(*list, [&] { list->setPattern(QStringLiteral("*.TXT")); }));
        choosing.push_back(timed(*list, [&] { list->setListIndex(list->listCount() - 1); }));
        list->setPattern(QStringLiteral("*.*"));
    }
    std::printf("File1 with %d files, median of %d (platform %s):\n", files, rounds,
                qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("  list the folder (*.*, %d entries)   %8.1f ms   (target <= 300)\n", files,
                median(listing));
    std::printf("  pick the pattern *.TXT              %8.1f ms\n", median(pattern));
    std::printf("  select and preview the last entry   %8.1f ms\n", median(choosing));
    return 0;
}
