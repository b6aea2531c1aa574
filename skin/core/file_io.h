#pragma once
// Whole-file reads and writes for the toolkit's own files (skin databases).
// Paths are ANSI texts. Reads open the file for reading only, so files on
// read-only media load; writes replace the file and report any failure.

#include <optional>
#include <string>

#include "skin/core/byte_array.h"

namespace lirvo {

std::optional<ByteArray> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const ByteArray& bytes);

}  // namespace lirvo
