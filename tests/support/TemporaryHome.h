#pragma once

#include <QTemporaryDir>

namespace zorvane::testing {

// A home folder of the test's own, with its data folder (and so the trash) inside, set in the
// environment for as long as the object lives. GLib reads the user's folders once: make it
// before anything starts.
class TemporaryHome {
public:
    TemporaryHome();
    bool isValid() const { return folder_.isValid(); }

private:
    QTemporaryDir folder_;
};

} // namespace zorvane::testing
