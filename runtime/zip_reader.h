#pragma once
// Reads a ZIP archive entry by entry through minizip, and writes one entry's
// inflated data to a file. Owns the open archive and closes it exactly once.
// Entry data counts as read only when it is complete and its CRC matches.

#include <cstdint>
#include <optional>
#include <string>

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
    explicit ZipReader(const std::string& archivePath);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    explicit operator bool() const { return archive_ != nullptr; }

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
    void* archive_ = nullptr;
};

}  // namespace lirvo::runtime
