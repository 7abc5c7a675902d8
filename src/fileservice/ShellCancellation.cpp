#include "fileservice/ShellCancellation.h"

#include "platform/GioLibrary.h"

namespace zorvane {

ShellCancellation::ShellCancellation()
    : cancellable_(GioLibrary::get() ? GioLibrary::get()->cancellableNew() : nullptr) {}

ShellCancellation::~ShellCancellation() {
    if (cancellable_)
        GioLibrary::get()->objectUnref(cancellable_);
}

void ShellCancellation::cancel() {
    cancelled_ = true;
    if (cancellable_)
        GioLibrary::get()->cancellableCancel(static_cast<GCancellable*>(cancellable_));
}

bool ShellCancellation::isCancelled() const {
    return cancelled_;
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
