#include "runtime/zip_directory.h"

#include <algorithm>

namespace lirvo::runtime {
namespace {

constexpr std::uint32_t kEndRecordSignature = 0x06054b50;
constexpr std::uint32_t kDirectoryEntrySignature = 0x02014b50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kMaxCommentSize = 0xFFFF;

std::uint32_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

// The end record is the last 22 bytes unless an archive comment follows it.
std::optional<std::size_t> FindEndRecord(std::span<const std::uint8_t> archive) {
    if (archive.size() < kEndRecordSize) return std::nullopt;
    const std::size_t last = archive.size() - kEndRecordSize;
    const std::size_t first = last > kMaxCommentSize ? last - kMaxCommentSize : 0;
    for (std::size_t at = last + 1; at-- > first;) {
        if (Read32(archive, at) == kEndRecordSignature && at + kEndRecordSize + Read16(archive, at + 20) == archive.size())
            return at;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<DirectoryEntry>> ReadZipDirectory(std::span<const std::uint8_t> archive) {
    const std::optional<std::size_t> end = FindEndRecord(archive);
    if (!end) return std::nullopt;
    const std::uint32_t count = Read16(archive, *end + 10);
    const std::uint64_t size = Read32(archive, *end + 12);
    const std::uint64_t offset = Read32(archive, *end + 16);
    if (offset + size > *end) return std::nullopt;

    std::vector<DirectoryEntry> entries;
    std::size_t at = static_cast<std::size_t>(offset);
    const std::size_t limit = static_cast<std::size_t>(offset + size);
    for (std::uint32_t index = 0; index < count; ++index) {
        if (limit - at < kDirectoryEntrySize || Read32(archive, at) != kDirectoryEntrySignature) return std::nullopt;
        const std::size_t nameLength = Read16(archive, at + 28);
        const std::size_t extraLength = Read16(archive, at + 30);
        const std::size_t commentLength = Read16(archive, at + 32);
        const std::size_t recordSize = kDirectoryEntrySize + nameLength + extraLength + commentLength;
        if (limit - at < recordSize) return std::nullopt;
        const auto name = archive.subspan(at + kDirectoryEntrySize, nameLength);
        entries.push_back({std::string(name.begin(), name.end()), Read32(archive, at + 24)});
        at += recordSize;
    }
    return entries;
}

}  // namespace lirvo::runtime
