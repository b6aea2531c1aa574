#include "runtime/files.h"

#include <cctype>
#include <limits>

#include "runtime/archive_paths.h"
#include "skin/core/unique_handle.h"

namespace lirvo::runtime {
namespace {

using GetDiskFreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

std::string DriveRoot(std::string_view path) {
    char letter = 0;
    if (!path.empty() && std::isalpha(static_cast<unsigned char>(path[0]))) {
        letter = path[0];
    } else {
        char current[MAX_PATH + 1] = {};
        const DWORD length = ::GetCurrentDirectoryA(sizeof current, current);
        if (length == 0 || length > MAX_PATH || !std::isalpha(static_cast<unsigned char>(current[0]))) return {};
        letter = current[0];
    }
    return {static_cast<char>(std::toupper(static_cast<unsigned char>(letter))), ':', '\\'};
}

std::int32_t ClampToInt32(std::uint64_t value) {
    return static_cast<std::int32_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::string NearestExistingFolder(std::string_view path) {
    const std::vector<std::string> levels = FolderLevels(path);
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        const DWORD attributes = ::GetFileAttributesA(level->c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return *level + '\\';
    }
    // No level below the root exists: the root itself, when it is a drive's.
    const std::string root = DriveRoot(path);
    return !root.empty() && path.size() >= 2 && path[1] == ':' && PathExists(root) ? root : std::string();
}

std::string LongFolderPath(std::string_view folder) {
    const std::string existing = NearestExistingFolder(folder);
    if (existing.size() <= 3) return std::string(folder);  // nothing below the root to lengthen
    const DWORD size = ::GetLongPathNameA(existing.c_str(), nullptr, 0);
    if (size == 0) return std::string(folder);
    std::string longForm(size, '\0');
    const DWORD length = ::GetLongPathNameA(existing.c_str(), longForm.data(), size);
    if (length == 0 || length >= size) return std::string(folder);
    longForm.resize(length);
    if (!EndsWithBackslash(longForm, IsAnsiLeadByte)) longForm += '\\';
    // The levels that do not exist yet are created as typed.
    const std::size_t known = std::min(existing.size(), folder.size());
    return longForm + std::string(folder.substr(known));
}

std::int32_t DiskFreeSpaceKB(std::string_view path) {
    // A folder may sit on a volume mounted inside its drive: the nearest
    // level that exists tells which volume the files would go to.
    std::string where = NearestExistingFolder(path);
    if (where.empty() || !(path.size() >= 2 && path[1] == ':')) where = DriveRoot(path);
    if (where.empty()) return -1;

    static const auto getDiskFreeSpaceEx = reinterpret_cast<GetDiskFreeSpaceExFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    if (getDiskFreeSpaceEx) {
        ULARGE_INTEGER available{}, total{}, free{};
        if (!getDiskFreeSpaceEx(where.c_str(), &available, &total, &free)) return -1;
        return ClampToInt32(available.QuadPart >> 10);
    }
    const std::string root = DriveRoot(path);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return -1;
    return ::MulDiv(static_cast<int>(sectorsPerCluster * bytesPerSector), static_cast<int>(freeClusters), 1024);
}

bool CreateFolder(std::string_view path) {
    return ::CreateDirectoryA(std::string(path).c_str(), nullptr) != FALSE;
}

bool CreateFolderLevels(std::string_view path) {
    for (const std::string& folder : FolderLevels(path)) {
        if (PathExists(folder)) continue;
        if (!CreateFolder(folder)) return false;
    }
    return true;
}

bool WriteFile(std::string_view fileName, std::initializer_list<std::span<const std::uint8_t>> pieces) {
    if (fileName.empty()) return false;
    UniqueHandle file(::CreateFileA(std::string(fileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    for (std::span<const std::uint8_t> piece : pieces) {
        while (!piece.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(piece.size(), 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(file.Get(), piece.data(), chunk, &written, nullptr) || written == 0) return false;
            piece = piece.subspan(written);
        }
    }
    return true;
}

bool WriteFile(std::string_view fileName, std::span<const std::uint8_t> bytes) { return WriteFile(fileName, {bytes}); }

bool DeleteFile(std::string_view fileName) { return ::DeleteFileA(std::string(fileName).c_str()) != FALSE; }

bool PathExists(std::string_view path) {
    return ::GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace lirvo::runtime
