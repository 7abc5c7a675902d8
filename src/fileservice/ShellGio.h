#pragma once

// GIO's headers use "signals" as a field name, which Qt defines as a keyword: include them
// through this header in files that also see Qt.
#ifdef signals
#undef signals
#include <gio/gio.h>
#define signals Q_SIGNALS
#else
#include <gio/gio.h>
#endif
