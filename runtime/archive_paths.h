#pragma once
// Path rules of the payload extraction, free of any system call: the check
// of an archive's first bytes, the folders to create for a target, and the
// test that keeps every entry inside the target folder.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/text_ops.h"

namespace lirvo::runtime {

// Bytes read from the start of an archive before it is opened.
inline constexpr std::size_t kArchiveHeaderSize = 32;

// Accepts the first bytes of a file only when there are 32 of them, they
// begin with a local file header ("PK" 3 4) and the signed little-endian value
// of bytes 24..27 is at least 1 (the first entry has a name).
bool IsArchiveHeaderAccepted(std::span<const std::uint8_t> firstBytes);

// The folders of a path from its root down, one entry per level, without the
// root itself ("C:", "\\server\share"): "C:\A\B" gives "C:\A", "C:\A\B".
std::vector<std::string> FolderLevels(std::string_view path, LeadByteTest isLeadByte = IsAnsiLeadByte);

// Name rules shared by everything that turns text into a path: a byte that
// Windows never allows in a file or folder name (":" included; "/" is not,
// being a separator), and a level that opens a device (CON, NUL, COM1, ...)
// whatever extension follows it.
bool IsForbiddenNameByte(std::uint8_t byte);
bool IsReservedDeviceName(std::string_view level);

// The entry's name as a path relative to the target folder ("/" becomes
// "\"), or nothing when writing it could touch anything outside the target:
// an empty or absolute name, a drive or device prefix, a ":" anywhere (drive
// letters, alternate data streams), a level made only of dots and spaces
// ("..", "..."), a reserved device name (CON, NUL, COM1, ...), a character
// that Windows does not allow in a file name, or a broken double-byte
// character.
std::optional<std::string> EntryPathInsideTarget(std::string_view entryName,
                                                 LeadByteTest isLeadByte = IsAnsiLeadByte);

}  // namespace lirvo::runtime
