#pragma once
// Removes one installation of the reader: exactly what the setup program
// created for the installation in `folder` (which ends with a backslash) and
// nothing else. Shortcuts are removed only while they lead to this
// installation, the .pdf association only while it opens this
// installation's reader, folders only once they are empty. The uninstaller's
// own file cannot go while it runs; RemoveAfterExit takes care of it.
//
// Nothing is removed before FilesInUse has found every file deletable, and
// the removal keeps the user's way back for as long as it can: first the
// files, then the association, and the shortcuts (the uninstaller's own
// among them) last, so that an uninstall that stops part-way can be run
// again from where the user started it.

#include <windows.h>

#include <string>
#include <vector>

#include "skin/core/unique_handle.h"

namespace lirvo::payload {

// A file of the installation that cannot be deleted, and the system's
// reason (a Win32 error code).
struct HeldFile {
    std::wstring path;
    DWORD error = ERROR_SUCCESS;
};

// The files of the installation, the uninstaller aside, that exist and
// cannot be deleted now: a running program or a loaded library, or a file
// some program keeps open without letting others delete it. Changes nothing.
std::vector<HeldFile> FilesInUse(const std::wstring& folder);

struct UninstallResult {
    // Files of the installation that exist but could not be deleted. When
    // there are any, the association and the shortcuts are still in place.
    std::vector<HeldFile> leftOver;
};

UninstallResult Uninstall(const std::wstring& folder);

// Starts a copy of this program from the temporary folder that waits for
// this process to end, then deletes `program` and the folder if it is empty.
bool RemoveAfterExit(const std::wstring& program, const std::wstring& folder);

// The copy's part: `process` is an inherited handle of the uninstaller,
// `folder` the installation's folder without a trailing backslash. Waits for
// the uninstaller however long it runs: its last message may stay open for
// as long as the user leaves it.
void FinishRemoval(UniqueHandle process, const std::wstring& program, const std::wstring& folder);

}  // namespace lirvo::payload
