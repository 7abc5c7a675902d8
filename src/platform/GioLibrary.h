#pragma once

// GIO's headers use "signals" as a field name, which Qt defines as a keyword.
#ifdef signals
#undef signals
#include <gio/gio.h>
#define signals Q_SIGNALS
#else
#include <gio/gio.h>
#endif

namespace zorvane {

// GIO, opened when the program first copies, moves or deletes a file or asks for the desktop's
// text application, rather than at every start: GIO and the libraries it brings (GObject,
// libmount, libselinux, libffi) cost a start several milliseconds and a MiB that a quick look at
// a file never uses. GLib itself is Qt's and always there. The functions keep GIO's own types,
// so the compiler checks every call as if the program were linked with it.
struct GioLibrary {
    decltype(&::g_object_unref) objectUnref = nullptr;
    decltype(&::g_io_error_quark) ioErrorQuark = nullptr;
    decltype(&::g_io_error_from_errno) ioErrorFromErrno = nullptr;
    decltype(&::g_cancellable_new) cancellableNew = nullptr;
    decltype(&::g_cancellable_cancel) cancellableCancel = nullptr;
    decltype(&::g_file_new_for_path) fileNewForPath = nullptr;
    decltype(&::g_file_copy) fileCopy = nullptr;
    decltype(&::g_file_trash) fileTrash = nullptr;
    decltype(&::g_file_delete) fileDelete = nullptr;
    decltype(&::g_content_type_guess) contentTypeGuess = nullptr;
    decltype(&::g_content_type_is_a) contentTypeIsA = nullptr;
    decltype(&::g_app_info_get_default_for_type) appInfoGetDefaultForType = nullptr;
    decltype(&::g_app_info_get_all_for_type) appInfoGetAllForType = nullptr;
    decltype(&::g_app_info_equal) appInfoEqual = nullptr;
    decltype(&::g_app_info_get_id) appInfoGetId = nullptr;
    decltype(&::g_app_info_get_executable) appInfoGetExecutable = nullptr;
    decltype(&::g_app_info_supports_files) appInfoSupportsFiles = nullptr;
    decltype(&::g_app_info_supports_uris) appInfoSupportsUris = nullptr;
    decltype(&::g_app_info_launch) appInfoLaunch = nullptr;

    // GIO, opened once for the process on the first call (from any thread); null where it
    // cannot be opened or lacks a function.
    static const GioLibrary* get();
};

} // namespace zorvane
