#pragma once
// Extraction of a ZIP archive into a folder: the folder is created level by
// level, the archive's first bytes are checked before it is opened, and each
// entry is written in archive order, read-only files included. An entry
// whose name would lead outside the folder is never written.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lirvo::runtime {

// One extraction's progress, handed to the progress notification.
struct ExtractionState {
    // Set to 1 by the notification to stop after the current entry.
    std::int32_t cancel = 0;
    // Number of entries (counted only when a notification is given).
    std::int32_t total = 0;
    // Index of the entry just written; total at the end.
    std::int32_t done = 0;
    // Full target path of the entry just written.
    std::string currentPath;
};

// Called after each entry and once at the end.
using ProgressNotification = std::function<void(ExtractionState& state)>;

// Why an extraction did not give 1: the file or folder that could not be
// made and the system's error code for it (ERROR_CRC for damaged data; for a
// rejected archive or entry name, ERROR_BAD_FORMAT or ERROR_INVALID_NAME with
// the archive or the entry's name as the path; for a missing archive, the
// archive and the system's reason it could not be found).
struct ExtractionFailure {
    std::string path;
    std::uint32_t systemError = 0;
};

// 1 on success (a cancel included); 0 when the folder cannot be created, the
// archive is rejected or cannot be read, or an entry cannot be written, is
// damaged or would leave the folder (earlier entries stay); -1 when a path is
// empty or the archive file does not exist.
// When it gives 0 or -1 and `failure` is given, `failure` says why.
std::int32_t ExtractArchive(std::string_view archiveFile, std::string_view targetFolder,
                            const ProgressNotification& progress = {}, ExtractionFailure* failure = nullptr);

}  // namespace lirvo::runtime
