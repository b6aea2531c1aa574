#pragma once
// Removes one installation of the reader: exactly what the setup program
// created for the installation in `folder` (which ends with a backslash) and
// nothing else. Shortcuts are removed only while they lead to this
// installation, the .pdf association only while it opens this
// installation's reader, folders only once they are empty. The uninstaller's
// own file cannot go while it runs; RemoveAfterExit takes care of it.

#include <windows.h>

#include <string>
#include <vector>

#include "skin/core/unique_handle.h"

namespace lirvo::payload {

struct UninstallResult {
    // Files of the installation that exist but could not be deleted (a
    // reader still running, for instance).
    std::vector<std::wstring> leftOver;
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
