#include "platform/GioLibrary.h"

#include "platform/LibrarySymbol.h"

namespace zorvane {

namespace {

bool bindAll(void* library, GioLibrary& l) {
    return bindLibrarySymbol(library, "g_object_unref", l.objectUnref) &&
           bindLibrarySymbol(library, "g_io_error_quark", l.ioErrorQuark) &&
           bindLibrarySymbol(library, "g_io_error_from_errno", l.ioErrorFromErrno) &&
           bindLibrarySymbol(library, "g_cancellable_new", l.cancellableNew) &&
           bindLibrarySymbol(library, "g_cancellable_cancel", l.cancellableCancel) &&
           bindLibrarySymbol(library, "g_file_new_for_path", l.fileNewForPath) &&
           bindLibrarySymbol(library, "g_file_copy", l.fileCopy) &&
           bindLibrarySymbol(library, "g_file_trash", l.fileTrash) &&
           bindLibrarySymbol(library, "g_file_delete", l.fileDelete) &&
           bindLibrarySymbol(library, "g_content_type_guess", l.contentTypeGuess) &&
           bindLibrarySymbol(library, "g_content_type_is_a", l.contentTypeIsA) &&
           bindLibrarySymbol(library, "g_app_info_get_default_for_type",
                             l.appInfoGetDefaultForType) &&
           bindLibrarySymbol(library, "g_app_info_get_all_for_type", l.appInfoGetAllForType) &&
           bindLibrarySymbol(library, "g_app_info_equal", l.appInfoEqual) &&
           bindLibrarySymbol(library, "g_app_info_get_id", l.appInfoGetId) &&
           bindLibrarySymbol(library, "g_app_info_get_executable", l.appInfoGetExecutable) &&
           bindLibrarySymbol(library, "g_app_info_supports_files", l.appInfoSupportsFiles) &&
           bindLibrarySymbol(library, "g_app_info_supports_uris", l.appInfoSupportsUris) &&
           bindLibrarySymbol(library, "g_app_info_launch", l.appInfoLaunch);
}

} // namespace

const GioLibrary* GioLibrary::get() {
    // The soname GLib has kept since 2.0; GObject comes with it and is reached through it. It
    // stays loaded, as GIO expects (its types cannot be unloaded).
    static const GioLibrary* const library = openLibraryFunctions<GioLibrary>(
        "libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE, bindAll);
    return library;
}

} // namespace zorvane
