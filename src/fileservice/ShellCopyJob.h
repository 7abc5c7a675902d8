#pragma once

#include "fileservice/ShellFileWork.h"

#include <QString>

#include <functional>

class QWidget;

namespace zorvane {

// Called in the window thread with the latest progress of a copy; returning true cancels it.
using ShellProgressHook = std::function<bool(qint64 copied, qint64 total)>;

// Runs one copy to a temporary name in a worker thread while the window thread keeps serving
// its events: the owner repaints, and after half a second the progress window appears with its
// cancel button. Returns when the copy is over. A cancelled or failed copy leaves no temporary
// file behind.
class ShellCopyJob {
public:
    ShellCopyJob(QWidget* owner, QString title, QString text);

    void setProgressHook(ShellProgressHook hook) { hook_ = std::move(hook); }

    // Copies `source` into `folder` under a hidden temporary name (in `temporaryPath` on
    // success). `flush` writes the copy through to the disk before the job reports success.
    ShellWorkResult run(const QString& source, const QString& folder, bool followLinks, bool flush,
                        QString& temporaryPath);

private:
    QWidget* owner_;
    QString title_;
    QString text_;
    ShellProgressHook hook_;
};

} // namespace zorvane
