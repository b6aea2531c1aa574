#include "runtime/extract_archive.h"

#include <windows.h>

#include <array>
#include <optional>

#include "runtime/archive_paths.h"
#include "runtime/files.h"
#include "runtime/zip_reader.h"
#include "skin/core/unique_handle.h"

namespace lirvo::runtime {
namespace {

bool IsAcceptedArchive(const std::string& path) {
    UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::array<std::uint8_t, kArchiveHeaderSize> header{};
    std::size_t filled = 0;
    while (filled < header.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), header.data() + filled, static_cast<DWORD>(header.size() - filled), &read, nullptr) ||
            read == 0)
            break;
        filled += read;
    }
    return IsArchiveHeaderAccepted(std::span(header).first(filled));
}

// Writes one entry below `folder` (which ends with a backslash).
bool ExtractEntry(ZipReader& archive, const ZipEntry& entry, const std::string& path) {
    if (entry.IsFolder()) return PathExists(path) || CreateFolderLevels(path);
    // An existing read-only file could not be replaced otherwise.
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!archive.ExtractCurrentTo(path, entry)) return false;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

}  // namespace

std::int32_t ExtractArchive(std::string_view archiveFile, std::string_view targetFolder,
                            const ProgressNotification& progress) {
    ExtractionState state;
    const auto finish = [&](std::int32_t result) {
        state.done = state.total;
        if (progress) progress(state);
        return result;
    };

    const std::string archivePath(archiveFile);
    if (archiveFile.empty() || targetFolder.empty() || !PathExists(archivePath)) return finish(-1);
    if (!PathExists(targetFolder) && !CreateFolderLevels(targetFolder)) return finish(0);
    if (!IsAcceptedArchive(archivePath)) return finish(0);

    ZipReader archive(archivePath);
    if (!archive) return finish(0);
    if (progress) {
        const std::optional<std::int32_t> total = archive.CountEntries();
        if (!total) return finish(0);
        state.total = *total;
    }

    std::string folder(targetFolder);
    if (!EndsWithBackslash(folder, IsAnsiLeadByte)) folder += '\\';
    for (std::int32_t index = 0;; ++index) {
        const ZipReader::Step step = index == 0 ? archive.MoveToFirst() : archive.MoveToNext();
        if (step == ZipReader::Step::End) return finish(1);
        if (step == ZipReader::Step::Error) break;
        const std::optional<ZipEntry> entry = archive.CurrentEntry();
        if (!entry) break;
        const std::optional<std::string> relative = EntryPathInsideTarget(entry->name);
        if (!relative) break;
        const std::string path = folder + *relative;
        if (!ExtractEntry(archive, *entry, path)) break;

        state.done = index;
        state.currentPath = path;
        if (progress) progress(state);
        if (state.cancel) return 1;
    }
    return finish(0);
}

}  // namespace lirvo::runtime
