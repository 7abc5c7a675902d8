#pragma once

#include "platform/DefaultTextApplication.h"

namespace zorvane {

// Asks GIO, as file managers do. A file of a kind of text (a C source, a CSV file) goes to the
// application for its own kind first; anything else to the applications for plain text. The
// kind is told by the name alone, so a file on a share that does not answer never holds up
// the window.
class GioDefaultTextApplication final : public DefaultTextApplication {
public:
    bool startOn(const QString& file) override;
};

} // namespace zorvane
