// Another program makes thousands of files in the folder the main window shows: how often the
// lists are read again, the longest time the window could not answer, and how long after the
// last file the list shows them all.
//
// Usage: bench_folderburst [files]    (default 10000; targets: <= 2 readings a second, the
// window never blocked for long, the list complete within half a second of the last file)
// Without a display the offscreen platform is used.

#include "filer/FileListView.h"
#include "mainwindow/FolderFollower.h"
#include "mainwindow/Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int files = argc >= 2 ? std::max(1, QByteArray(argv[1]).toInt()) : 10000;

    QTemporaryDir program;
    QTemporaryDir data;
    {
        QFile history(program.path() + QStringLiteral("/plok.his"));
        if (!history.open(QIODevice::WriteOnly))
            return 1;
        history.write(QByteArray("\r\n").repeated(40));
    }
    zorvane::Form1 form(program.path());
    form.show();
    form.file1()->setPattern(QStringLiteral("*.*"));
    // The folder is opened as a command line naming a file in it opens it.
    form.Form_Load(data.path() + QStringLiteral("/x"));
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> readings;
    auto* follower = form.findChild<zorvane::FolderFollower*>();
    QObject::connect(follower, &zorvane::FolderFollower::refreshDue,
                     [&] { readings.push_back(clock.elapsed()); });

    // A 5 ms tick: the longest gap between ticks is the longest the window could not answer.
    qint64 lastTick = 0;
    qint64 longestBlock = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestBlock = std::max(longestBlock, now - lastTick);
        lastTick = now;
    });
    tick.start(5);

    const QByteArray folder = QFile::encodeName(data.path());
    const pid_t child = ::fork();
    if (child == 0) {
        for (int i = 0; i < files; ++i) {
            const QByteArray name = folder + "/burst" + QByteArray::number(i) + ".txt";
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        ::_exit(0);
    }
    const qint64 start = clock.elapsed();
    qint64 madeAt = -1;
    while (form.file1()->listCount() < files) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (madeAt < 0 && ::waitpid(child, nullptr, WNOHANG) == child)
            madeAt = clock.elapsed();
    }
    const qint64 end = clock.elapsed();
    if (madeAt < 0) {
        ::waitpid(child, nullptr, 0);
        madeAt = end;
    }
    qint64 closest = -1; // the shortest time between two readings
    for (size_t i = 1; i < readings.size(); ++i) {
        const qint64 gap = readings[i] - readings[i - 1];
        closest = closest < 0 ? gap : std::min(closest, gap);
    }
    std::printf("%d files made in %.2f s; %zu readings, at least %lld ms apart\n", files,
                static_cast<double>(madeAt - start) / 1000.0, readings.size(),
                static_cast<long long>(closest));
    std::printf("longest the window could not answer: %lld ms\n",
                static_cast<long long>(longestBlock));
    std::printf("list complete %lld ms after the last file\n",
                static_cast<long long>(std::max<qint64>(0, end - madeAt)));
    return 0;
}
