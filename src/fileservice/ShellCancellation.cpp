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
