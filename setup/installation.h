#pragma once
// The installation work of the setup program: writing the reader's files
// into the install folder (the next-button click) and the finishing work
// (file association, shortcuts, launch, clean-up; the finish click). No
// windows here: the pages decide what the user sees.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/archive_component.h"
#include "setup/setup_options.h"

namespace lirvo::setup {

struct InstallResult {
    enum class Failure {
        None,
        NotEnoughSpace,     // checked before anything is written
        FolderNotCreated,   // a level of the folder could not be created
        FileNotReplaced,    // a file of an earlier installation could not be moved aside
        ArchiveNotWritten,  // "ins.zip" could not be written
        ExtractionFailed,   // a file of the payload could not be written
    };
    Failure failure = Failure::None;
    std::int32_t extractionResult = 0;  // 1 done, 0 failed, -1 no archive
    std::string failedPath;             // the file or folder that could not be made
    std::uint32_t systemError = 0;      // the system's reason for it
    std::uint64_t bytesNeeded = 0;      // NotEnoughSpace: the payload unpacked plus the archive
    std::uint64_t bytesFree = 0;        // NotEnoughSpace: what the drive has
    bool Succeeded() const { return failure == Failure::None; }
};

// Installs the payload into `folder` (which ends with a backslash): checks
// the drive's free space, creates every missing level of the folder, moves
// aside the files of an earlier installation that the payload replaces,
// writes the payload there as "ins.zip" and extracts it. On success the
// moved-aside files are deleted. On any failure the installation is undone:
// what it created is removed, what it moved aside is put back, and the result
// says which file failed and why.
InstallResult InstallPayload(const std::string& folder, std::span<const std::uint8_t> payload,
                             runtime::ArchiveComponent& archive);
// What to tell the user about a failed installation: the folder or file, the
// system's reason, and what to do.
std::string InstallFailureMessage(const std::string& folder, const InstallResult& result);
// The system's own text for an error code, in the system's language, without
// a trailing line break; "" when it has none.
std::string SystemErrorText(std::uint32_t error);

std::string ReaderPath(const std::string& folder);

// Registers `program` for the extensions of the "|"-separated list.
void AssociateFileType(std::string_view program, std::string_view extensions,
                       std::optional<std::string_view> icon = std::nullopt,
                       std::optional<std::string_view> description = std::nullopt,
                       std::optional<std::string_view> className = std::nullopt);

// Keeps the ".pdf" association that AssociateFileType is about to replace,
// for the uninstaller to put back; an earlier installation's record stays.
// False when nothing could be kept.
bool RecordPreviousAssociation();

// Association (after recording the one it replaces), shortcuts, launch and
// removal of the archive and of two leftover files; results are not checked.
void FinishInstallation(const SetupOptions& options, const std::string& advertisingFolder);

}  // namespace lirvo::setup
