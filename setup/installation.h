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
    enum class Failure { None, FolderNotCreated, ArchiveNotWritten, ExtractionFailed };
    Failure failure = Failure::None;
    std::int32_t extractionResult = 0;  // 1 done, 0 failed, -1 no archive
    bool Succeeded() const { return failure == Failure::None; }
};

// Creates the folder's last level, writes the payload there as "ins.zip" and
// extracts it. A failure is reported, not hidden: the caller must not go on
// as if the reader were installed.
InstallResult InstallPayload(const std::string& folder, std::span<const std::uint8_t> payload,
                             runtime::ArchiveComponent& archive);
// What to tell the user about a failed installation: the folder and why.
std::string InstallFailureMessage(const std::string& folder, const InstallResult& result);

std::string ReaderPath(const std::string& folder);

// Registers `program` for the extensions of the "|"-separated list.
void AssociateFileType(std::string_view program, std::string_view extensions,
                       std::optional<std::string_view> icon = std::nullopt,
                       std::optional<std::string_view> description = std::nullopt,
                       std::optional<std::string_view> className = std::nullopt);

// Association, shortcuts, launch and removal of the archive and of two
// leftover files; results are not checked.
void FinishInstallation(const SetupOptions& options, const std::string& advertisingFolder);

}  // namespace lirvo::setup
