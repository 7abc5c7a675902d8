#include "fileservice/ShellCancellation.h"

#include "fileservice/ShellGio.h"

namespace zorvane {

ShellCancellation::ShellCancellation() : cancellable_(g_cancellable_new()) {}

ShellCancellation::~ShellCancellation() {
    g_object_unref(static_cast<GCancellable*>(cancellable_));
}

void ShellCancellation::cancel() {
    g_cancellable_cancel(static_cast<GCancellable*>(cancellable_));
}

bool ShellCancellation::isCancelled() const {
    return g_cancellable_is_cancelled(static_cast<GCancellable*>(cancellable_));
}

void* ShellCancellation::gCancellable() const {
    return cancellable_;
}

} // namespace zorvane

namespace zorvane {

bool ShellCancellation::placeUnlessCancelled(const std::function<QString()>& place) {
    const std::lock_guard lock(namingMutex_);
    if (isCancelled())
        return false;
    unfinishedPath_ = place();
    return true;
}

void ShellCancellation::setUnfinishedPath(const QString& path) {
    const std::lock_guard lock(namingMutex_);
    unfinishedPath_ = path;
}

QString ShellCancellation::unfinishedPath() const {
    const std::lock_guard lock(namingMutex_);
    return unfinishedPath_;
}

} // namespace zorvane
