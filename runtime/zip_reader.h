#pragma once
// Reads a ZIP archive entry by entry through minizip, and writes one entry's
// inflated data to a file. The archive file is opened once: its first bytes
// can be checked before the library reads anything, and the library then
// reads the same open file. Owns the file and closes it exactly once.
// Entry data counts as read only when it is complete and its CRC matches.

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "runtime/archive_paths.h"

namespace lirvo::runtime {

struct ZipEntry {
    std::string name;
    std::uint32_t attributes = 0;  // the low bits are MS-DOS attributes
    std::uint32_t dosDateTime = 0;
    std::uint64_t size = 0;
    bool IsFolder() const { return (attributes & 0x10) != 0; }
};

class ZipReader {
public:
    // Opens the file for reading and reads its first bytes; the library has
    // not looked at it yet.
    explicit ZipReader(const std::string& archivePath);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    // The file's first kArchiveHeaderSize bytes: fewer when it is shorter,
    // none when it could not be opened.
    std::span<const std::uint8_t> Header() const { return std::span(header_).first(headerSize_); }
    // Hands the open file to the library, which reads the archive's
    // directory. False when the file was not opened or is no archive the
    // library can read.
    bool Open();

    enum class Step { Entry, End, Error };
    // Moves to the first entry, or on to the next one.
    Step MoveToFirst();
    Step MoveToNext();
    // The number of entries, counted one by one; nothing on a read error.
    std::optional<std::int32_t> CountEntries();
    std::optional<ZipEntry> CurrentEntry();

    // Replaces the file at `path` with the current entry's data, written in
    // one piece where it fits 1 MB, and gives it the entry's times and the
    // normal attribute. 0 when done;
    // otherwise the system's error code: the one of creating or writing the
    // file (ERROR_DISK_FULL, ERROR_SHARING_VIOLATION, ...), or ERROR_CRC when
    // the data is damaged or short.
    std::uint32_t ExtractCurrentTo(const std::string& path, const ZipEntry& entry);

private:
    std::FILE* file_ = nullptr;  // until the library takes it over
    void* archive_ = nullptr;
    std::array<std::uint8_t, kArchiveHeaderSize> header_{};
    std::size_t headerSize_ = 0;
    std::unique_ptr<char[]> nameBuffer_;
};

}  // namespace lirvo::runtime
