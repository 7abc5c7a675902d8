#include "preview/StreamExpander.h"

#include <bzlib.h>
#include <lz4frame.h>
#include <lzma.h>
#include <zlib.h>
#include <zstd.h>

#include <cstring>

namespace zorvane {

namespace {

constexpr qsizetype inputBlock = 64 * 1024;
constexpr quint64 windowMemoryBound = quint64(128) << 20;

// The unread part of a buffer.
struct Span {
    const unsigned char* in;
    size_t inSize;
    unsigned char* out;
    size_t outSize;
};

} // namespace

// One format's decoder. decode() decodes what it can of span.in into span.out and advances both;
// false means the data is damaged. `lastInput`: no input follows what span.in holds.
class StreamExpander::Decoder {
public:
    virtual ~Decoder() = default;
    virtual bool decode(Span& span, bool lastInput) = 0;
    // What was decoded ends where a member or frame ends: nothing is cut off.
    virtual bool atBoundary() const = 0;
};

namespace {

// gzip, member after member; what follows the last member without a gzip signature (zero
// padding of tapes and blocks, other bytes) is ignored, as gzip does.
class GzipDecoder final : public StreamExpander::Decoder {
public:
    GzipDecoder() { ready_ = inflateInit2(&stream_, 16 + MAX_WBITS) == Z_OK; }
    ~GzipDecoder() override { inflateEnd(&stream_); }

    bool decode(Span& span, bool lastInput) override {
        if (!ready_)
            return false;
        if (ended_ && span.inSize == 1 && !lastInput)
            return true; // the next member's signature may go on in the next block
        if (ended_ && span.inSize > 0) {
            if (span.inSize >= 2 && span.in[0] == 0x1F && span.in[1] == 0x8B) {
                inflateReset(&stream_);
                ended_ = false;
            } else {
                span.in += span.inSize; // trailing bytes
                span.inSize = 0;
                return true;
            }
        }
        if (ended_)
            return true;
        stream_.next_in = const_cast<Bytef*>(span.in);
        stream_.avail_in = uInt(span.inSize);
        stream_.next_out = span.out;
        stream_.avail_out = uInt(span.outSize);
        const int result = inflate(&stream_, Z_NO_FLUSH);
        span.in = stream_.next_in;
        span.inSize = stream_.avail_in;
        span.out = stream_.next_out;
        span.outSize = stream_.avail_out;
        ended_ = result == Z_STREAM_END;
        return result == Z_OK || result == Z_STREAM_END || result == Z_BUF_ERROR;
    }
    bool atBoundary() const override { return ended_; }

private:
    z_stream stream_{};
    bool ready_ = false;
    bool ended_ = false;
};

// bzip2, stream after stream, as bzip2 -d reads them.
class Bzip2Decoder final : public StreamExpander::Decoder {
public:
    Bzip2Decoder() { ready_ = BZ2_bzDecompressInit(&stream_, 0, 0) == BZ_OK; }
    ~Bzip2Decoder() override {
        if (ready_)
            BZ2_bzDecompressEnd(&stream_);
    }

    bool decode(Span& span, bool lastInput) override {
        if (ended_ && span.inSize < 3 && span.inSize > 0 && !lastInput)
            return true; // the next stream's signature may go on in the next block
        if (ended_ && span.inSize > 0) {
            if (span.inSize >= 3 && std::memcmp(span.in, "BZh", 3) == 0) {
                BZ2_bzDecompressEnd(&stream_);
                stream_ = {};
                ready_ = BZ2_bzDecompressInit(&stream_, 0, 0) == BZ_OK;
                ended_ = false;
            } else {
                span.in += span.inSize;
                span.inSize = 0;
                return true;
            }
        }
        if (!ready_)
            return false;
        if (ended_)
            return true;
        stream_.next_in = reinterpret_cast<char*>(const_cast<unsigned char*>(span.in));
        stream_.avail_in = unsigned(span.inSize);
        stream_.next_out = reinterpret_cast<char*>(span.out);
        stream_.avail_out = unsigned(span.outSize);
        const int result = BZ2_bzDecompress(&stream_);
        span.in = reinterpret_cast<const unsigned char*>(stream_.next_in);
        span.inSize = stream_.avail_in;
        span.out = reinterpret_cast<unsigned char*>(stream_.next_out);
        span.outSize = stream_.avail_out;
        ended_ = result == BZ_STREAM_END;
        return result == BZ_OK || result == BZ_STREAM_END;
    }
    bool atBoundary() const override { return ended_; }

private:
    bz_stream stream_{};
    bool ready_ = false;
    bool ended_ = false;
};

// xz, streams one after the other (and their padding), as xz -d reads them.
class XzDecoder final : public StreamExpander::Decoder {
public:
    XzDecoder() {
        ready_ = lzma_stream_decoder(&stream_, windowMemoryBound, LZMA_CONCATENATED) == LZMA_OK;
    }
    ~XzDecoder() override { lzma_end(&stream_); }

    bool decode(Span& span, bool lastInput) override {
        if (!ready_)
            return false;
        if (ended_)
            return true;
        stream_.next_in = span.in;
        stream_.avail_in = span.inSize;
        stream_.next_out = span.out;
        stream_.avail_out = span.outSize;
        const lzma_ret result = lzma_code(&stream_, lastInput ? LZMA_FINISH : LZMA_RUN);
        span.in = stream_.next_in;
        span.inSize = stream_.avail_in;
        span.out = stream_.next_out;
        span.outSize = stream_.avail_out;
        ended_ = result == LZMA_STREAM_END;
        return result == LZMA_OK || result == LZMA_STREAM_END || result == LZMA_BUF_ERROR;
    }
    bool atBoundary() const override { return ended_; }

private:
    lzma_stream stream_ = LZMA_STREAM_INIT;
    bool ready_ = false;
    bool ended_ = false;
};

// zstd, frame after frame (skippable frames skipped), as zstd -d reads them.
class ZstdDecoder final : public StreamExpander::Decoder {
public:
    ZstdDecoder() : stream_(ZSTD_createDStream()) {
        constexpr int windowLog = 27; // 128 MiB, zstd's own default bound
        static_assert(quint64(1) << windowLog == windowMemoryBound);
        if (stream_ != nullptr)
            ZSTD_DCtx_setParameter(stream_, ZSTD_d_windowLogMax, windowLog);
    }
    ~ZstdDecoder() override { ZSTD_freeDStream(stream_); }

    bool decode(Span& span, bool) override {
        if (stream_ == nullptr)
            return false;
        ZSTD_inBuffer in{span.in, span.inSize, 0};
        ZSTD_outBuffer out{span.out, span.outSize, 0};
        const size_t result = ZSTD_decompressStream(stream_, &out, &in);
        span.in += in.pos;
        span.inSize -= in.pos;
        span.out += out.pos;
        span.outSize -= out.pos;
        if (ZSTD_isError(result))
            return false;
        // Called again after a frame's end, it asks for the next frame's header.
        if (in.pos > 0 || out.pos > 0)
            frameEnded_ = result == 0;
        return true;
    }
    bool atBoundary() const override { return frameEnded_; }

private:
    ZSTD_DStream* stream_;
    bool frameEnded_ = true; // nothing begun is nothing cut
};

// lz4 frames one after the other, as lz4 -d reads them.
class Lz4Decoder final : public StreamExpander::Decoder {
public:
    Lz4Decoder() {
        if (LZ4F_isError(LZ4F_createDecompressionContext(&context_, LZ4F_VERSION)))
            context_ = nullptr;
    }
    ~Lz4Decoder() override { LZ4F_freeDecompressionContext(context_); }

    bool decode(Span& span, bool) override {
        if (context_ == nullptr)
            return false;
        size_t outSize = span.outSize;
        size_t inSize = span.inSize;
        const size_t result =
            LZ4F_decompress(context_, span.out, &outSize, span.in, &inSize, nullptr);
        span.in += inSize;
        span.inSize -= inSize;
        span.out += outSize;
        span.outSize -= outSize;
        if (LZ4F_isError(result))
            return false;
        if (inSize > 0 || outSize > 0)
            frameEnded_ = result == 0;
        return true;
    }
    bool atBoundary() const override { return frameEnded_; }

private:
    LZ4F_dctx* context_ = nullptr;
    bool frameEnded_ = true;
};

std::unique_ptr<StreamExpander::Decoder> decoderFor(PackedFormat format) {
    switch (format) {
    case PackedFormat::Gzip:
        return std::make_unique<GzipDecoder>();
    case PackedFormat::Bzip2:
        return std::make_unique<Bzip2Decoder>();
    case PackedFormat::Xz:
        return std::make_unique<XzDecoder>();
    case PackedFormat::Zstd:
        return std::make_unique<ZstdDecoder>();
    case PackedFormat::Lz4:
        return std::make_unique<Lz4Decoder>();
    default:
        return nullptr;
    }
}

} // namespace

StreamExpander::StreamExpander(ByteSource& compressed, PackedFormat format, ExpansionBudget& budget)
    : compressed_(compressed), budget_(budget), decoder_(decoderFor(format)),
      input_(inputBlock, Qt::Uninitialized) {}

StreamExpander::~StreamExpander() = default;

qint64 StreamExpander::fail(ExpansionStop why, qint64 produced) {
    failed_ = true;
    failure_ = why;
    // What was decoded before the fault is given first; the next read fails.
    return produced > 0 ? produced : -1;
}

qint64 StreamExpander::read(char* data, qint64 maxBytes) {
    if (failed_)
        return -1;
    if (!decoder_)
        return fail(ExpansionStop::Damaged, 0);
    for (;;) {
        if (inputStart_ == inputEnd_ && !inputEnded_) {
            const qint64 count = compressed_.read(input_.data(), inputBlock);
            if (count < 0)
                return fail(budget_.failure(), 0);
            inputStart_ = 0;
            inputEnd_ = count;
            inputEnded_ = count == 0;
        }
        Span span{reinterpret_cast<const unsigned char*>(input_.constData()) + inputStart_,
                  size_t(inputEnd_ - inputStart_), reinterpret_cast<unsigned char*>(data),
                  size_t(maxBytes)};
        const bool sound = decoder_->decode(span, inputEnded_);
        const qsizetype consumed = (inputEnd_ - inputStart_) - qsizetype(span.inSize);
        const qint64 produced = maxBytes - qint64(span.outSize);
        inputStart_ += consumed;
        if (!sound)
            return fail(ExpansionStop::Damaged, produced);
        if (!budget_.spend(0, produced))
            return fail(ExpansionStop::Bound, produced);
        if (produced > 0)
            return produced;
        if (consumed > 0 || (inputStart_ == inputEnd_ && !inputEnded_))
            continue;
        if (!inputEnded_) {
            // The decoder wants more than the rest of the block before it goes on.
            input_.remove(0, inputStart_);
            inputEnd_ -= inputStart_;
            inputStart_ = 0;
            input_.resize(inputEnd_ + inputBlock);
            const qint64 count = compressed_.read(input_.data() + inputEnd_, inputBlock);
            if (count < 0)
                return fail(budget_.failure(), 0);
            inputEnd_ += count;
            inputEnded_ = count == 0;
            continue;
        }
        // Nothing more comes: the end, where a member or frame ends, or a stream cut short.
        return decoder_->atBoundary() ? 0 : fail(ExpansionStop::Damaged, 0);
    }
}

} // namespace zorvane
