#pragma once

#include <functional>

namespace zorvane {

// The threads the reads of the file system run on (see StallableRead). A thread whose read has
// ended waits for the next one: the window then hands a pick's read to a thread that is
// already there, which the system runs at once, where a new thread waits behind whatever else
// the machine runs (on a busy machine a scheduler tick of the window's time for every read).
// A read blocked on a hung mount keeps its thread and the next read gets another; a few idle
// threads stay, the others end. Threads are never joined: the program may end while one waits.
class ReadWorkers {
public:
    // Runs `work` on an idle reading thread, or on a new one. False, and `work` not run, when
    // no thread could be made.
    static bool run(std::function<void()> work);

    // Makes a reading thread ahead of the first read, where none is there yet.
    static void prepare();
};

} // namespace zorvane
