// Whole-file reads and writes with the C++ library, for builds of the
// platform-free units on other systems (fuzzing, sanitizers). The Windows
// program uses file_io.cpp.

#include <fstream>
#include <iterator>

#include "skin/core/file_io.h"

namespace lirvo {

std::optional<ByteArray> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return ByteArray(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteWholeFile(const std::string& path, const ByteArray& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace lirvo
