#pragma once
// The installation work of the setup program: writing the reader's files
// into the install folder (the next-button click) and the finishing work
// (file association, shortcuts, launch, clean-up; the finish click). No
// windows here: the pages decide what the user sees.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/archive_component.h"
#include "setup/reader_launch.h"
#include "setup/setup_options.h"

namespace lirvo::setup {

// Something an undo could not take back: a file the installation wrote and
// could not delete, or a file of before that stays under another name.
struct LeftBehind {
    std::string path;         // where it is now
    std::string originalPath; // for a file of before: the name it had; else empty
    std::uint32_t systemError = 0;
};

struct InstallResult {
    enum class Failure {
        None,
        NotEnoughSpace,     // checked before anything is written
        FolderNotCreated,   // a level of the folder could not be created
        FileNotReplaced,    // a file of an earlier installation could not be moved aside
        ArchiveNotWritten,  // "ins.zip" could not be written
        ExtractionFailed,   // a file of the payload could not be written
        Declined,           // the user would not have files of the folder replaced
    };
    Failure failure = Failure::None;
    std::int32_t extractionResult = 0;  // 1 done, 0 failed, -1 no archive
    std::string failedPath;             // the file or folder that could not be made
    std::uint32_t systemError = 0;      // the system's reason for it
    std::uint64_t bytesNeeded = 0;      // NotEnoughSpace: the payload unpacked plus the archive
    std::uint64_t bytesFree = 0;        // NotEnoughSpace: what the drive has
    std::vector<LeftBehind> leftBehind; // after a failure: what the undo could not take back
    // On success: the folder held this reader's files already.
    bool earlierInstallation = false;
    // On success: where a file of the user's named "ins.zip" waits until
    // setup's own archive of that name is gone ("" when there was none).
    std::string userArchiveAside;
    bool Succeeded() const { return failure == Failure::None; }
};

// Asked once, before anything is written, when the folder holds files that
// the installation would replace and that are not this reader's: their
// names. True lets the installation replace them.
using ReplaceQuestion = std::function<bool(const std::vector<std::string>& fileNames)>;

// Installs the payload into `folder` (which ends with a backslash): checks
// the free space where the folder will be, asks before replacing files that
// are not this reader's (without an answer they are not replaced), creates
// every missing level of the folder, moves aside the files the payload
// replaces and a file of the user's named "ins.zip", writes the payload there
// as "ins.zip" and extracts it. On success the replaced files are deleted;
// the user's "ins.zip" waits for FinishInstallation to put it back. On any
// failure the installation is undone: what it created is removed, what it
// moved aside is put back, and the result says which file failed and why,
// and what the undo could not take back.
InstallResult InstallPayload(const std::string& folder, std::span<const std::uint8_t> payload,
                             runtime::ArchiveComponent& archive, const ReplaceQuestion& mayReplace = {});
// The question for files that are not this reader's, in two or three
// sentences: which files, that they would be replaced, what "no" does.
std::string ReplaceQuestionText(const std::string& folder, const std::vector<std::string>& fileNames);
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
// for the uninstaller to put back: a new record whenever ".pdf" does not open
// a copy of this reader already; otherwise the record of the copy that does
// stays, as it still tells what came before the reader. False when nothing
// could be kept.
bool RecordPreviousAssociation();

// Association (after recording the one it replaces), shortcuts, launch,
// removal of setup's archive (and the return of a user's file of its name)
// and of two leftover files; the auxs leftover of the install folder only
// where the folder held an earlier installation. Results are not checked;
// the launch's route is returned, so that the user can be told where to
// find a reader setup left for them to start.
LaunchRoute FinishInstallation(const SetupOptions& options, const std::string& advertisingFolder,
                               const InstallResult& installed = {});

// What to tell the user when setup left the reader for them to start: one
// sentence saying where to find it.
std::string ReaderLeftToUserMessage(const SetupOptions& options);

}  // namespace lirvo::setup
