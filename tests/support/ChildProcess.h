#pragma once

#include <QStringList>

#include <sys/types.h>

namespace zorvane::testing {

// Starts this test program again as "<program> --child <arguments...>", for tests that need a
// second process (two writers at once, a writer killed half-way, another user). Returns the
// child's pid, or -1 when it could not be started.
pid_t startChild(const QStringList& arguments);

// Waits for a child and returns its wait status.
int waitForChild(pid_t pid);

} // namespace zorvane::testing
