#pragma once
// The rules for the folder a user types or picks on the selection page. The
// folder is written into with administrator rights and ends up in the .pdf
// open command and the shortcuts, so only a plain absolute folder on a drive
// is taken: anything else is refused with a message before anything is
// written. Free of system calls: the Windows folder and the code page's
// lead bytes are handed in.

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text_ops.h"

namespace lirvo::setup {

enum class FolderProblem {
    None,
    Empty,              // nothing typed
    Unrepresentable,    // a character the ANSI code page cannot hold
    NotAbsolute,        // no "X:\" at the start: relative, "\x", "D:x", a UNC path
    DriveRoot,          // "X:\" itself
    WindowsFolder,      // the Windows folder or anything below it
    ForbiddenCharacter, // a character Windows does not allow in a name, or a broken double-byte one
    BadName,            // an empty level ("\\"), a reserved device name, a name ending in a dot or space
    TooLong,            // the reader's files would not fit in the system's path limit
};

// The folder as the installation uses it: with one backslash appended when
// it lacks one.
std::string WithTrailingBackslash(std::string folder, runtime::LeadByteTest isLeadByte = runtime::IsAnsiLeadByte);

// The install folder for a folder picked in the folder dialog: the product's
// own folder inside it ("D:\" gives "D:\LirvoPDF阅读器\", "D:\Tools" gives
// "D:\Tools\LirvoPDF阅读器\").
std::string InstallFolderInside(const std::string& picked, runtime::LeadByteTest isLeadByte = runtime::IsAnsiLeadByte);

// Checks a folder that already ends with a backslash (and is in its long
// form: a short name would pass for another folder). `windowsFolder` is the
// system's Windows folder, with or without its trailing backslash; letter
// case is ignored in comparing with it.
FolderProblem CheckInstallFolder(std::string_view folder, std::string_view windowsFolder,
                                 runtime::LeadByteTest isLeadByte = runtime::IsAnsiLeadByte);

// What to tell the user, in one or two sentences: what is wrong and what to
// do. `folder` is shown as typed.
std::string FolderProblemMessage(FolderProblem problem, std::string_view folder);

// The longest folder path accepted: the reader's longest file name and the
// archive must still fit in the 259 characters a path may have.
inline constexpr std::size_t kMaxInstallFolderLength = 200;

}  // namespace lirvo::setup
