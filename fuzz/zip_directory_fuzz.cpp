// Any bytes as a ZIP archive's central directory: either refused, or read
// into entries that all lie inside the bytes, before the end record.

#include <cstdlib>

#include "runtime/zip_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto entries = lirvo::runtime::ReadZipDirectory({data, size});
    if (!entries) return 0;
    // The end record's count is 16 bits; each directory record is 46 bytes
    // and its name, and all of them precede the 22-byte end record.
    constexpr std::size_t kRecordSize = 46, kEndRecordSize = 22;
    if (size < kEndRecordSize || entries->size() > 0xFFFF) std::abort();
    std::size_t used = kEndRecordSize;
    for (const lirvo::runtime::DirectoryEntry& entry : *entries) {
        if (entry.name.size() > 0xFFFF || entry.unpackedSize > 0xFFFFFFFFu) std::abort();
        used += kRecordSize + entry.name.size();
        if (used > size) std::abort();
    }
    return 0;
}
