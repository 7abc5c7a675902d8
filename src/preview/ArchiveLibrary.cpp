#include "preview/ArchiveLibrary.h"

#include "platform/LibrarySymbol.h"

namespace zorvane {

namespace {

bool bindAll(void* library, ArchiveLibrary& l) {
    return bindLibrarySymbol(library, "archive_read_new", l.readNew) &&
           bindLibrarySymbol(library, "archive_read_free", l.readFree) &&
           bindLibrarySymbol(library, "archive_read_support_format_tar", l.supportTar) &&
           bindLibrarySymbol(library, "archive_read_support_format_cpio", l.supportCpio) &&
           bindLibrarySymbol(library, "archive_read_support_format_7zip", l.support7zip) &&
           bindLibrarySymbol(library, "archive_read_support_format_zip_streamable",
                             l.supportZipStreamable) &&
           bindLibrarySymbol(library, "archive_read_set_callback_data", l.setCallbackData) &&
           bindLibrarySymbol(library, "archive_read_set_read_callback", l.setReadCallback) &&
           bindLibrarySymbol(library, "archive_read_set_skip_callback", l.setSkipCallback) &&
           bindLibrarySymbol(library, "archive_read_set_seek_callback", l.setSeekCallback) &&
           bindLibrarySymbol(library, "archive_read_open1", l.open) &&
           bindLibrarySymbol(library, "archive_set_error", l.setError) &&
           bindLibrarySymbol(library, "archive_read_next_header", l.nextHeader) &&
           bindLibrarySymbol(library, "archive_read_data_block", l.dataBlock) &&
           bindLibrarySymbol(library, "archive_filter_bytes", l.filterBytes) &&
           bindLibrarySymbol(library, "archive_read_has_encrypted_entries",
                             l.hasEncryptedEntries) &&
           bindLibrarySymbol(library, "archive_entry_pathname", l.entryPathname) &&
           bindLibrarySymbol(library, "archive_entry_symlink", l.entrySymlink) &&
           bindLibrarySymbol(library, "archive_entry_size_is_set", l.entrySizeIsSet) &&
           bindLibrarySymbol(library, "archive_entry_size", l.entrySize) &&
           bindLibrarySymbol(library, "archive_entry_mtime_is_set", l.entryMtimeIsSet) &&
           bindLibrarySymbol(library, "archive_entry_mtime", l.entryMtime) &&
           bindLibrarySymbol(library, "archive_entry_filetype", l.entryFiletype) &&
           bindLibrarySymbol(library, "archive_entry_is_encrypted", l.entryIsEncrypted);
}

} // namespace

const ArchiveLibrary* ArchiveLibrary::get() {
    // The soname the program was built against.
    static const ArchiveLibrary* const library =
        openLibraryFunctions<ArchiveLibrary>("libarchive.so.13", RTLD_NOW | RTLD_LOCAL, bindAll);
    return library;
}

} // namespace zorvane
