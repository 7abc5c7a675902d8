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

} // namespace zorvane
