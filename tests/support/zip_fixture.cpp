#include "tests/support/zip_fixture.h"

#include <zip.h>
#include <zlib.h>

namespace lirvo::testing {

bool WriteZipFixture(const std::string& path, const std::vector<ZipFixtureEntry>& entries) {
    zipFile archive = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
    if (!archive) return false;
    bool ok = true;
    for (const ZipFixtureEntry& entry : entries) {
        zip_fileinfo info{};
        info.dosDate = entry.dosDateTime;
        info.external_fa = entry.attributes;
        const bool raw = entry.statedSize.has_value();
        const int method = (entry.deflate || raw) ? Z_DEFLATED : 0;
        ok = ok && zipOpenNewFileInZip2(archive, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method,
                                        Z_DEFAULT_COMPRESSION, raw ? 1 : 0) == ZIP_OK;
        if (!entry.data.empty())
            ok = ok && zipWriteInFileInZip(archive, entry.data.data(), static_cast<unsigned>(entry.data.size())) ==
                           ZIP_OK;
        if (raw) {
            ok = ok && zipCloseFileInZipRaw(archive, static_cast<uLong>(*entry.statedSize),
                                            entry.statedCrc.value_or(0)) == ZIP_OK;
        } else {
            ok = ok && zipCloseFileInZip(archive) == ZIP_OK;
        }
    }
    return zipClose(archive, nullptr) == ZIP_OK && ok;
}

ByteArray DeflateRaw(const ByteArray& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    ByteArray out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::uint32_t Crc32(const ByteArray& bytes) {
    return static_cast<std::uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
}

ByteArray SampleData(std::size_t size, std::uint32_t seed) {
    ByteArray data(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::size_t index = 0; index < size; ++index) {
        state = state * 1103515245u + 12345u;
        // Mostly a small alphabet, so deflate has work to do.
        data[index] = static_cast<std::uint8_t>((state >> 16) % 23 + ((index % 97 == 0) ? 200 : 'a'));
    }
    return data;
}

}  // namespace lirvo::testing
