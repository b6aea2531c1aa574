#pragma once
// Builds ZIP archives for the extraction tests with minizip's writer: each
// entry with its own name, data, MS-DOS time, attributes and method, and, for
// damaged archives, raw deflate data with a stated size and CRC of the
// test's choosing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/core/byte_array.h"

namespace lirvo::testing {

struct ZipFixtureEntry {
    std::string name;
    ByteArray data;
    std::uint32_t attributes = 0x20;       // FILE_ATTRIBUTE_ARCHIVE
    std::uint32_t dosDateTime = 0x46EE5A8F;  // 14 July 2015, 11:20:30
    bool deflate = true;
    // Raw entries: `data` is written as it stands, with this size and CRC.
    std::optional<std::uint64_t> statedSize;
    std::optional<std::uint32_t> statedCrc;
};

// Writes the archive; false when minizip reports an error.
bool WriteZipFixture(const std::string& path, const std::vector<ZipFixtureEntry>& entries);

// Raw deflate data (no zlib header) of the bytes.
ByteArray DeflateRaw(const ByteArray& bytes);
std::uint32_t Crc32(const ByteArray& bytes);

// Bytes that compress but are not all alike.
ByteArray SampleData(std::size_t size, std::uint32_t seed);

}  // namespace lirvo::testing
