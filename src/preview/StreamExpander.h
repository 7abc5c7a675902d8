#pragma once

#include "preview/ByteSource.h"
#include "preview/ExpansionBudget.h"
#include "preview/PackedFormat.h"

#include <QByteArray>

#include <memory>

namespace zorvane {

// What a gzip, bzip2, xz, zstd or lz4 stream expands to, read as it is needed: concatenated
// members and frames one after the other, as their tools read them. A stream cut short or
// damaged gives every byte that could be decoded before the fault, then fails; so do the
// bounds of the budget, against which every expanded byte counts. The decoders' memory is
// bounded too (xz and zstd windows of at most 128 MiB).
class StreamExpander final : public ByteSource {
public:
    // `format` is one of the compressed streams (isCompressedStream).
    StreamExpander(ByteSource& compressed, PackedFormat format, ExpansionBudget& budget);
    ~StreamExpander() override;
    StreamExpander(const StreamExpander&) = delete;
    StreamExpander& operator=(const StreamExpander&) = delete;

    qint64 read(char* data, qint64 maxBytes) override;

    // Why the last read failed.
    ExpansionStop failure() const { return failure_; }

    class Decoder; // one per format

private:
    qint64 fail(ExpansionStop why, qint64 produced);

    ByteSource& compressed_;
    ExpansionBudget& budget_;
    std::unique_ptr<Decoder> decoder_;
    QByteArray input_;
    qsizetype inputStart_ = 0;
    qsizetype inputEnd_ = 0;
    bool inputEnded_ = false;
    bool failed_ = false;
    ExpansionStop failure_ = ExpansionStop::Complete;
};

} // namespace zorvane
