#pragma once

#include <dlfcn.h>

namespace zorvane {

// Looks `name` up in a library opened with dlopen and keeps it as `function`'s own type; false
// where the library lacks it. For libraries the program opens at their first use.
template <typename Function>
bool bindLibrarySymbol(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

// Opens the library `soname` and fills a table of its functions with `bindAll`; the table, kept
// for the process's life, or null where the library cannot be opened or lacks a function. Called
// once per table, from the table's own get().
template <typename Functions>
const Functions* openLibraryFunctions(const char* soname, int flags,
                                      bool (*bindAll)(void*, Functions&)) {
    static Functions functions;
    void* handle = ::dlopen(soname, flags);
    if (handle == nullptr)
        return nullptr;
    if (!bindAll(handle, functions)) {
        ::dlclose(handle);
        return nullptr;
    }
    return &functions;
}

} // namespace zorvane
