#pragma once

#include "TestFiles.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace zorvane::fuzz {

// A folder of this process for the files a target writes: in memory where /dev/shm exists, so
// that the writers' flushes cost nothing.
const QString& scratchFolder();

using testing::readBytes;
using testing::writeBytes;

// Reports a broken rule with the texts involved and aborts, which libFuzzer records as a
// finding together with the input.
[[noreturn]] void fail(const char* rule, const QString& expected = QString(),
                       const QString& actual = QString());

// Takes bytes from the front of the input.
class InputReader {
public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    QByteArray bytes(size_t count);
    QByteArray rest() { return bytes(size_ - at_); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

} // namespace zorvane::fuzz
