#pragma once
// The program's byte array: an owned, contiguous run of bytes. Texts are
// std::string holding ANSI bytes (code page 936 for the shipped texts).

#include <cstdint>
#include <vector>

namespace lirvo {

using ByteArray = std::vector<std::uint8_t>;

}  // namespace lirvo
