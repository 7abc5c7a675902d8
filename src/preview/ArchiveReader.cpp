#include "preview/ArchiveReader.h"

#include <archive.h>

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
            archive_set_error(handle, EIO, "the data cannot be read further");
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
    archive_ = archive_read_new();
    if (archive_ == nullptr)
        return;
    archive_read_support_format_tar(archive_);
    archive_read_support_format_cpio(archive_);
    archive_read_support_format_7zip(archive_);
    // The streaming reader goes from member to member and reads only the members listed; the
    // central directory at the end would have to be read whole first.
    archive_read_support_format_zip_streamable(archive_);
    archive_read_set_callback_data(archive_, this);
    archive_read_set_read_callback(archive_, &Callbacks::read);
    archive_read_set_skip_callback(archive_, &Callbacks::skip);
    archive_read_set_seek_callback(archive_, &Callbacks::seek);
    opened_ = archive_read_open1(archive_) == ARCHIVE_OK;
}

ArchiveReader::~ArchiveReader() {
    if (archive_ != nullptr)
        archive_read_free(archive_);
    if (previousLocale_ != locale_t(nullptr))
        uselocale(previousLocale_);
}

} // namespace zorvane
