#pragma once

#include <archive.h>
#include <archive_entry.h>

namespace zorvane {

// libarchive, opened when the viewer lists its first archive rather than at every start: with
// the libraries it brings (libxml2, nettle, acl) it would add three quarters of a MiB to a
// program that may never be shown an archive. The functions keep libarchive's own types, so
// the compiler checks every call as if the program were linked with it.
struct ArchiveLibrary {
    decltype(&::archive_read_new) readNew = nullptr;
    decltype(&::archive_read_free) readFree = nullptr;
    decltype(&::archive_read_support_format_tar) supportTar = nullptr;
    decltype(&::archive_read_support_format_cpio) supportCpio = nullptr;
    decltype(&::archive_read_support_format_7zip) support7zip = nullptr;
    decltype(&::archive_read_support_format_zip_streamable) supportZipStreamable = nullptr;
    decltype(&::archive_read_set_callback_data) setCallbackData = nullptr;
    decltype(&::archive_read_set_read_callback) setReadCallback = nullptr;
    decltype(&::archive_read_set_skip_callback) setSkipCallback = nullptr;
    decltype(&::archive_read_set_seek_callback) setSeekCallback = nullptr;
    decltype(&::archive_read_open1) open = nullptr;
    decltype(&::archive_set_error) setError = nullptr;
    decltype(&::archive_read_next_header) nextHeader = nullptr;
    decltype(&::archive_read_data_block) dataBlock = nullptr;
    decltype(&::archive_filter_bytes) filterBytes = nullptr;
    decltype(&::archive_read_has_encrypted_entries) hasEncryptedEntries = nullptr;
    decltype(&::archive_entry_pathname) entryPathname = nullptr;
    decltype(&::archive_entry_symlink) entrySymlink = nullptr;
    decltype(&::archive_entry_size_is_set) entrySizeIsSet = nullptr;
    decltype(&::archive_entry_size) entrySize = nullptr;
    decltype(&::archive_entry_mtime_is_set) entryMtimeIsSet = nullptr;
    decltype(&::archive_entry_mtime) entryMtime = nullptr;
    decltype(&::archive_entry_filetype) entryFiletype = nullptr;
    decltype(&::archive_entry_is_encrypted) entryIsEncrypted = nullptr;

    // The library, opened once for the process on the first call (from any thread); null where
    // it cannot be opened or lacks a function.
    static const ArchiveLibrary* get();
};

} // namespace zorvane
