#pragma once

#include "preview/ByteSource.h"
#include "preview/ExpansionBudget.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

namespace zorvane {

class RegularFileReader;

// Where a compressed file or an archive is read from: the file at `path` when it is not empty,
// else `bytes`.
struct PackedInput {
    QString path;
    QByteArrayView bytes;
};

// The bytes of a compressed file or an archive: a regular file (never a FIFO or a device,
// RegularFileReader) or bytes in memory. Every read counts against the budget; once it is used
// up, reads fail.
class PackedSource final : public ByteSource {
public:
    PackedSource(const PackedInput& input, ExpansionBudget& budget);
    ~PackedSource() override;
    PackedSource(const PackedSource&) = delete;
    PackedSource& operator=(const PackedSource&) = delete;

    // The error number of a file that could not be opened, else 0.
    int openError() const { return openError_; }

    qint64 read(char* data, qint64 maxBytes) override;
    qint64 seek(qint64 offset, int whence) override;

private:
    ExpansionBudget& budget_;
    std::unique_ptr<RegularFileReader> file_;
    int openError_ = 0;
    QByteArrayView bytes_;
    qint64 position_ = 0; // in bytes_
};

} // namespace zorvane
