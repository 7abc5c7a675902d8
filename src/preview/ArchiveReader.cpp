#include "preview/ArchiveReader.h"

#include <cerrno>
#include <cstdio>

namespace zorvane {

namespace {

constexpr qsizetype blockSize = 64 * 1024;

locale_t utf8Locale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C.UTF-8", locale_t(nullptr));
    return locale;
}

} // namespace

struct ArchiveReader::Callbacks {
    static la_ssize_t read(archive* handle, void* self, const void** block) {
        auto& reader = *static_cast<ArchiveReader*>(self);
        const qint64 count = reader.source_.read(reader.block_.data(), blockSize);
        if (count < 0) {
            reader.library_->setError(handle, EIO, "the data cannot be read further");
            return ARCHIVE_FATAL;
        }
        *block = reader.block_.constData();
        return count;
    }

    // Skips by seeking where the source can; 0 has libarchive read through instead.
    static la_int64_t skip(archive*, void* self, la_int64_t request) {
        auto& reader = *static_cast<ArchiveReader*>(self);
        return request > 0 && reader.source_.seek(request, SEEK_CUR) >= 0 ? request : 0;
    }

    static la_int64_t seek(archive*, void* self, la_int64_t offset, int whence) {
        const qint64 position = static_cast<ArchiveReader*>(self)->source_.seek(offset, whence);
        return position < 0 ? ARCHIVE_FATAL : position;
    }
};

ArchiveReader::ArchiveReader(ByteSource& source, ExpansionBudget& budget)
    : source_(source), budget_(budget), block_(blockSize, Qt::Uninitialized) {
    if (utf8Locale() != locale_t(nullptr))
        previousLocale_ = uselocale(utf8Locale());
    if (library_ == nullptr)
        return;
    const ArchiveLibrary& l = *library_;
    archive_ = l.readNew();
    if (archive_ == nullptr)
        return;
    l.supportTar(archive_);
    l.supportCpio(archive_);
    l.support7zip(archive_);
    // The streaming reader goes from member to member and reads only the members listed; the
    // central directory at the end would have to be read whole first.
    l.supportZipStreamable(archive_);
    l.setCallbackData(archive_, this);
    l.setReadCallback(archive_, &Callbacks::read);
    l.setSkipCallback(archive_, &Callbacks::skip);
    l.setSeekCallback(archive_, &Callbacks::seek);
    opened_ = l.open(archive_) == ARCHIVE_OK;
}

ArchiveReader::~ArchiveReader() {
    if (archive_ != nullptr)
        library_->readFree(archive_);
    if (previousLocale_ != locale_t(nullptr))
        uselocale(previousLocale_);
}

} // namespace zorvane
