#include "runtime/extract_archive.h"

#include <windows.h>

#include <optional>

#include "runtime/archive_paths.h"
#include "runtime/files.h"
#include "runtime/zip_reader.h"

namespace lirvo::runtime {
namespace {

// Writes one entry below `folder` (which ends with a backslash): 0, or the
// system's error code.
std::uint32_t ExtractEntry(ZipReader& archive, const ZipEntry& entry, const std::string& path) {
    if (entry.IsFolder()) {
        if (PathExists(path) || CreateFolderLevels(path)) return 0;
        const DWORD error = ::GetLastError();
        return error ? error : ERROR_CANNOT_MAKE;
    }
    return archive.ExtractCurrentTo(path, entry);
}

}  // namespace

std::int32_t ExtractArchive(std::string_view archiveFile, std::string_view targetFolder,
                            const ProgressNotification& progress, ExtractionFailure* failure) {
    ExtractionState state;
    const auto finish = [&](std::int32_t result) {
        state.done = state.total;
        if (progress) progress(state);
        return result;
    };
    const auto fail = [&](std::string path, std::uint32_t error) {
        if (failure) *failure = ExtractionFailure{std::move(path), error};
        return finish(0);
    };

    const std::string archivePath(archiveFile);
    if (archiveFile.empty() || targetFolder.empty()) {
        if (failure) *failure = ExtractionFailure{archivePath, ERROR_INVALID_NAME};
        return finish(-1);
    }
    if (!PathExists(archivePath)) {
        // Gone since it was written (a virus scanner may take it): say so.
        const DWORD error = ::GetLastError();
        if (failure) *failure = ExtractionFailure{archivePath, error ? error : ERROR_FILE_NOT_FOUND};
        return finish(-1);
    }
    if (!PathExists(targetFolder) && !CreateFolderLevels(targetFolder)) {
        const DWORD error = ::GetLastError();
        return fail(std::string(targetFolder), error ? error : ERROR_CANNOT_MAKE);
    }
    ZipReader archive(archivePath);
    if (!IsArchiveHeaderAccepted(archive.Header())) return fail(archivePath, ERROR_BAD_FORMAT);
    if (!archive.Open()) return fail(archivePath, ERROR_BAD_FORMAT);
    if (progress) {
        const std::optional<std::int32_t> total = archive.CountEntries();
        if (!total) return fail(archivePath, ERROR_BAD_FORMAT);
        state.total = *total;
    }

    std::string folder(targetFolder);
    if (!EndsWithBackslash(folder, IsAnsiLeadByte)) folder += '\\';
    for (std::int32_t index = 0;; ++index) {
        const ZipReader::Step step = index == 0 ? archive.MoveToFirst() : archive.MoveToNext();
        if (step == ZipReader::Step::End) return finish(1);
        if (step == ZipReader::Step::Error) return fail(archivePath, ERROR_BAD_FORMAT);
        const std::optional<ZipEntry> entry = archive.CurrentEntry();
        if (!entry) return fail(archivePath, ERROR_BAD_FORMAT);
        const std::optional<std::string> relative = EntryPathInsideTarget(entry->name);
        if (!relative) return fail(entry->name, ERROR_INVALID_NAME);
        const std::string path = folder + *relative;
        if (const std::uint32_t error = ExtractEntry(archive, *entry, path)) return fail(path, error);

        state.done = index;
        state.currentPath = path;
        if (progress) progress(state);
        if (state.cancel) return 1;
    }
}

}  // namespace lirvo::runtime
