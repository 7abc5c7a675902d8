#include "fileservice/ShellCopyJob.h"

#include "fileservice/ShellCancellation.h"
#include "fileservice/ShellProgressWindow.h"
#include "platform/NativePath.h"

#include <QEventLoop>
#include <QThread>

#include "fileservice/ShellGio.h"

#include <atomic>
#include <memory>
#include <sys/stat.h>

namespace zorvane {

ShellCopyJob::ShellCopyJob(QWidget* owner, QString title, QString text)
    : owner_(owner), title_(std::move(title)), text_(std::move(text)) {}

ShellWorkResult ShellCopyJob::run(const QString& source, const QString& folder, bool followLinks,
                                  bool flush, QString& temporaryPath) {
    temporaryPath.clear();
    ShellCancellation cancellation;
    ShellProgressWindow window(owner_, title_, text_);
    QObject::connect(&window, &ShellProgressWindow::cancelRequested,
                     [&cancellation] { cancellation.cancel(); });

    QEventLoop loop;
    QObject windowSide; // receives the worker's news in the window thread
    QObject::connect(&window, &ShellProgressWindow::appeared, &loop, &QEventLoop::quit);

    // The worker keeps only the latest progress and posts at most one update at a time, so the
    // window thread is never flooded.
    std::atomic<qint64> latestCopied{0};
    std::atomic<qint64> latestTotal{0};
    std::atomic<bool> updatePending{false};
    bool finished = false;

    const auto showProgress = [&] {
        updatePending.store(false);
        const qint64 copied = latestCopied.load();
        const qint64 total = latestTotal.load();
        window.setProgress(copied, total);
        if (hook_ && !cancellation.isCancelled() && hook_(copied, total))
            cancellation.cancel();
    };
    const ShellProgressReport report = [&](qint64 copied, qint64 total) {
        latestCopied.store(copied);
        latestTotal.store(total);
        if (!updatePending.exchange(true))
            QMetaObject::invokeMethod(&windowSide, showProgress, Qt::QueuedConnection);
    };

    ShellWorkResult result;
    QString copied;
    // The size only scales the progress bar; a name in foreign bytes must still find its file.
    struct stat status {};
    const qint64 size = ::stat(nativePath(source).constData(), &status) == 0 ? status.st_size : 0;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        report(0, size);
        result = ShellFileWork::copyToTemporary(source, folder, followLinks, cancellation, report,
                                                copied);
        if (result.ok && flush) {
            const ShellWorkResult flushed = ShellFileWork::flushToDisk(copied);
            if (!flushed.ok)
                result = flushed;
        }
        QMetaObject::invokeMethod(
            &windowSide,
            [&] {
                finished = true;
                loop.quit();
            },
            Qt::QueuedConnection);
    }));
    worker->start();

    // Until the progress window is there, the user's input waits: nothing may start a second
    // operation from the owner. Once it is shown, it blocks the owner itself.
    while (!finished)
        loop.exec(window.isShown() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    worker->wait();

    // Cancelled at any point, even after the last byte: the copy is not kept.
    if (cancellation.isCancelled()) {
        ShellFileWork::removeQuietly(copied);
        return ShellWorkResult::failure(G_IO_ERROR_CANCELLED, source);
    }
    if (!result.ok) {
        ShellFileWork::removeQuietly(copied);
        return result;
    }
    temporaryPath = copied;
    return result;
}

} // namespace zorvane
