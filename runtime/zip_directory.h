#pragma once
// Reads a ZIP archive's central directory from bytes in memory: the entries'
// names and unpacked sizes, known before anything is written, so that an
// installation can check the free space and the files it would replace
// first. Free of system calls; every offset and length is bounds-checked.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lirvo::runtime {

struct DirectoryEntry {
    std::string name;  // as stored: the archive's own bytes
    std::uint64_t unpackedSize = 0;
};

// The entries in directory order, or nothing when the archive's end record
// or directory is missing, truncated or inconsistent.
std::optional<std::vector<DirectoryEntry>> ReadZipDirectory(std::span<const std::uint8_t> archive);

}  // namespace lirvo::runtime
