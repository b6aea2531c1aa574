#include "tests/support/png_writer.h"

#include <zlib.h>

#include <cstdlib>

namespace lirvo::testing {
namespace {

int ChannelsOf(std::uint8_t colourType) {
    switch (colourType) {
        case 2: return 3;
        case 4: return 2;
        case 6: return 4;
        default: return 1;
    }
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const std::string& type, const std::vector<std::uint8_t>& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

std::uint8_t Paeth(int left, int up, int upLeft) {
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up), toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// One (sub-)image: rows of packed samples, each behind its filter byte.
void AppendImage(std::vector<std::uint8_t>& raw, const PngLayout& layout, const PngSamples& samples,
                 std::uint32_t x0, std::uint32_t y0, std::uint32_t dx, std::uint32_t dy) {
    if (x0 >= layout.width || y0 >= layout.height) return;
    const std::uint32_t columns = (layout.width - x0 + dx - 1) / dx;
    const int bitsPerPixel = ChannelsOf(layout.colourType) * layout.bitDepth;
    const std::size_t rowBytes = (std::size_t{columns} * bitsPerPixel + 7) / 8;
    const std::size_t pixelBytes = std::max(1, bitsPerPixel / 8);
    std::vector<std::uint8_t> previous(rowBytes, 0);
    int filter = 0;
    for (std::uint32_t y = y0; y < layout.height; y += dy, filter = (filter + 1) % 5) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        std::size_t bit = 0;
        for (std::uint32_t x = x0; x < layout.width; x += dx)
            for (std::uint16_t sample : samples(x, y)) {
                for (int b = layout.bitDepth - 1; b >= 0; --b, ++bit)
                    if (sample >> b & 1) row[bit / 8] |= static_cast<std::uint8_t>(0x80 >> bit % 8);
            }
        raw.push_back(static_cast<std::uint8_t>(filter));
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int left = i >= pixelBytes ? row[i - pixelBytes] : 0;
            const int up = previous[i];
            const int upLeft = i >= pixelBytes ? previous[i - pixelBytes] : 0;
            int predicted = 0;
            switch (filter) {
                case 1: predicted = left; break;
                case 2: predicted = up; break;
                case 3: predicted = (left + up) / 2; break;
                case 4: predicted = Paeth(left, up, upLeft); break;
            }
            raw.push_back(static_cast<std::uint8_t>(row[i] - predicted));
        }
        previous = row;
    }
}

}  // namespace

std::vector<std::uint8_t> WritePng(const PngLayout& layout, const PngSamples& samples, const PngChunks& chunks) {
    std::vector<std::uint8_t> raw;
    if (layout.interlaced) {
        // Adam7: (x0, y0, dx, dy) of the seven passes.
        constexpr std::uint32_t passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                                {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        for (const auto& pass : passes) AppendImage(raw, layout, samples, pass[0], pass[1], pass[2], pass[3]);
    } else {
        AppendImage(raw, layout, samples, 0, 0, 1, 1);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(packedSize);

    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, layout.width);
    PutBigEndian32(header, layout.height);
    header.insert(header.end(), {layout.bitDepth, layout.colourType, 0, 0, static_cast<std::uint8_t>(layout.interlaced)});
    PutChunk(file, "IHDR", header);
    for (const auto& [type, data] : chunks) PutChunk(file, type, data);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    return file;
}

}  // namespace lirvo::testing
