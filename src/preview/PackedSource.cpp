#include "preview/PackedSource.h"

#include "textfile/RegularFileReader.h"

#include <cstdio>

namespace zorvane {

PackedSource::PackedSource(const PackedInput& input, ExpansionBudget& budget)
    : budget_(budget), bytes_(input.bytes) {
    if (input.path.isEmpty())
        return;
    file_ = std::make_unique<RegularFileReader>(input.path);
    if (!file_->isOpen())
        openError_ = file_->error();
}

PackedSource::~PackedSource() = default;

qint64 PackedSource::read(char* data, qint64 maxBytes) {
    if (openError_ != 0 || budget_.exhausted())
        return -1;
    qint64 count = 0;
    if (file_) {
        count = file_->read(data, maxBytes);
        if (count < 0)
            return -1;
    } else {
        count = qBound(qint64(0), bytes_.size() - position_, maxBytes);
        std::copy_n(bytes_.data() + position_, count, data);
        position_ += count;
    }
    budget_.spend(count, 0); // a read past the bounds fails the next one
    return count;
}

qint64 PackedSource::seek(qint64 offset, int whence) {
    if (openError_ != 0)
        return -1;
    if (file_)
        return file_->seek(offset, whence);
    const qint64 base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? position_ : bytes_.size();
    if (offset < -base) // beyond the end is allowed, as for a file: reads find nothing there
        return -1;
    position_ = base + offset;
    return position_;
}

} // namespace zorvane
