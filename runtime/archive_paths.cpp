#include "runtime/archive_paths.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace lirvo::runtime {
namespace {

constexpr std::uint32_t kLocalFileHeaderSignature = 0x04034B50;

std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < 4; ++index)
        value |= static_cast<std::uint32_t>(bytes[offset + index]) << (8 * index);
    return value;
}

// The levels of a path, split at backslashes that are characters of their own.
std::vector<std::string_view> SplitLevels(std::string_view path, LeadByteTest isLeadByte) {
    std::vector<std::string_view> levels;
    std::size_t start = 0;
    std::size_t offset = 0;
    while (offset < path.size()) {
        const auto byte = static_cast<std::uint8_t>(path[offset]);
        if (path[offset] == '\\') {
            levels.push_back(path.substr(start, offset - start));
            start = ++offset;
        } else {
            offset += (isLeadByte(byte) && offset + 1 < path.size()) ? 2 : 1;
        }
    }
    levels.push_back(path.substr(start));
    return levels;
}

bool IsMadeOfDotsAndSpaces(std::string_view level) {
    return !level.empty() && std::all_of(level.begin(), level.end(), [](char c) { return c == '.' || c == ' '; });
}

}  // namespace

// Windows opens these devices whatever folder and extension precede them.
bool IsReservedDeviceName(std::string_view level) {
    std::string stem(level.substr(0, level.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    static constexpr std::array<std::string_view, 6> kNames = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(kNames.begin(), kNames.end(), stem) != kNames.end()) return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '0' &&
           stem[3] <= '9';
}

bool IsForbiddenNameByte(std::uint8_t byte) {
    return byte < 0x20 || byte == '<' || byte == '>' || byte == '"' || byte == '|' || byte == '?' || byte == '*' ||
           byte == ':';
}

bool IsArchiveHeaderAccepted(std::span<const std::uint8_t> firstBytes) {
    if (firstBytes.size() < kArchiveHeaderSize) return false;
    if (ReadLittleEndian32(firstBytes, 0) != kLocalFileHeaderSignature) return false;
    return static_cast<std::int32_t>(ReadLittleEndian32(firstBytes, 24)) >= 1;
}

std::vector<std::string> FolderLevels(std::string_view path, LeadByteTest isLeadByte) {
    const std::vector<std::string_view> levels = SplitLevels(path, isLeadByte);
    // Levels that make up the root: "C:", or "", "", server and share of a
    // UNC path, or the empty level before a leading backslash.
    std::size_t rootLevels = 0;
    if (path.starts_with("\\\\")) {
        rootLevels = 4;
    } else if (!levels.empty() && (levels[0].empty() || (levels[0].size() == 2 && levels[0][1] == ':'))) {
        rootLevels = 1;
    }

    std::vector<std::string> folders;
    std::size_t end = 0;
    for (std::size_t index = 0; index < levels.size(); ++index) {
        end += levels[index].size() + (index == 0 ? 0 : 1);
        if (index < rootLevels || levels[index].empty()) continue;
        folders.emplace_back(path.substr(0, end));
    }
    return folders;
}

std::optional<std::string> EntryPathInsideTarget(std::string_view entryName, LeadByteTest isLeadByte) {
    std::string relative;
    relative.reserve(entryName.size());
    for (std::size_t offset = 0; offset < entryName.size();) {
        const auto byte = static_cast<std::uint8_t>(entryName[offset]);
        if (isLeadByte(byte)) {
            // No double-byte code page has a second byte below 0x40; such a
            // pair might be read as a character followed by "/" or ".".
            if (offset + 1 >= entryName.size() || static_cast<std::uint8_t>(entryName[offset + 1]) < 0x40)
                return std::nullopt;
            relative.append(entryName.substr(offset, 2));
            offset += 2;
            continue;
        }
        if (IsForbiddenNameByte(byte)) return std::nullopt;
        relative += (byte == '/') ? '\\' : static_cast<char>(byte);
        ++offset;
    }
    if (relative.empty() || relative.front() == '\\') return std::nullopt;

    for (std::string_view level : SplitLevels(relative, isLeadByte))
        if (IsMadeOfDotsAndSpaces(level) || IsReservedDeviceName(level)) return std::nullopt;
    return relative;
}

}  // namespace lirvo::runtime
