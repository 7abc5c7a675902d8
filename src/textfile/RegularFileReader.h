#pragma once

#include <QByteArray>
#include <QString>

namespace zorvane {

// Reads a regular file without ever blocking on a FIFO, socket or device: the path is looked at
// before it is opened, the file is opened without blocking and the opened descriptor is checked
// again to be a regular file (anything else is error 54). A name with a NUL is 52, a failed open
// carries the number of its failure, a failed read 57. The file is closed on destruction.
class RegularFileReader {
public:
    explicit RegularFileReader(const QString& path);
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }

    // 0, or the error number of the failed open or read.
    int error() const { return error_; }

    // Reads up to `maxBytes` bytes into `data`: the count read, 0 at the end of the file, -1 on a
    // read error (error() then holds its number).
    qint64 read(char* data, qint64 maxBytes);

    // Moves the read position as lseek does (`whence` SEEK_SET, SEEK_CUR or SEEK_END): the new
    // position, or -1 (error() then holds its number).
    qint64 seek(qint64 offset, int whence);

    // At most `limit` bytes from the start of the file. `error` receives 0 or the error number;
    // `truncated`, when given, whether the file goes on beyond the limit.
    static QByteArray readHead(const QString& path, qint64 limit, int* error,
                               bool* truncated = nullptr);

private:
    int descriptor_ = -1;
    int error_ = 0;
};

} // namespace zorvane
