#pragma once
// File and folder operations of the runtime. Paths are ANSI texts; every
// failure is reported by the result, and no handle outlives a call.
//
// <windows.h> defines DeleteFile as a macro for DeleteFileA/W; this header
// pulls it in first and removes the macro so that the runtime's DeleteFile
// keeps its name in every unit that includes both.

#include <windows.h>
#undef DeleteFile

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace lirvo::runtime {

// Kilobytes available to the caller where the path would be written: on
// the volume of its nearest existing level (a volume may be mounted in a
// folder of another), or on the current drive when the path names no
// drive; -1 on failure.
std::int32_t DiskFreeSpaceKB(std::string_view path);

// The deepest level of the path that exists as a folder, with a trailing
// backslash ("X:\" when only the drive does); "" when not even that.
std::string NearestExistingFolder(std::string_view path);

// The folder with its existing levels in their long form ("C:\PROGRA~1\x\"
// gives "C:\Program Files\x\"); the levels that do not exist yet stay as
// they are. The folder unchanged when the system cannot tell.
std::string LongFolderPath(std::string_view folder);

// Creates one folder level; false when it exists already or its parent is missing.
bool CreateFolder(std::string_view path);

// Creates every missing level of a folder path from the root down; false at
// the first level that cannot be created.
bool CreateFolderLevels(std::string_view path);

// Creates or truncates the file (no sharing while it is open) and writes the
// pieces in order. False for an empty name or any failure to open or write.
bool WriteFile(std::string_view fileName, std::initializer_list<std::span<const std::uint8_t>> pieces);
bool WriteFile(std::string_view fileName, std::span<const std::uint8_t> bytes);

bool DeleteFile(std::string_view fileName);

// True when the path names an existing file or folder.
bool PathExists(std::string_view path);

}  // namespace lirvo::runtime
