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

// Kilobytes available to the caller on the drive of the path (its first
// character when that is a letter, else the current drive); -1 on failure.
std::int32_t DiskFreeSpaceKB(std::string_view path);

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
