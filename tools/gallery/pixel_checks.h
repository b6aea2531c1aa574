#pragma once
// What the gallery's check mode asks of a sample's pixels: that the sample
// drew something on its cell, and that no two samples of a group look the
// same (a state the gallery says it shows but the control never reached
// looks like its neighbour). Plain pixel blocks, no window system.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace lirvo::gallery {

// Premultiplied ARGB pixels, row by row.
struct PixelBlock {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// Channels further apart than this count as a different colour: anti-aliased
// text and gradients are rendered the same way every time, so a small
// tolerance only absorbs rounding.
inline constexpr int kChannelTolerance = 6;

constexpr bool SameColour(std::uint32_t a, std::uint32_t b) {
    for (int shift : {0, 8, 16, 24}) {
        const int difference = static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF);
        if (difference > kChannelTolerance || difference < -kChannelTolerance) return false;
    }
    return true;
}

// Pixels of the block that are not the plain background colour.
inline std::size_t CountDrawn(const PixelBlock& block, std::uint32_t background) {
    std::size_t drawn = 0;
    for (std::uint32_t pixel : block.pixels)
        if (!SameColour(pixel, background)) ++drawn;
    return drawn;
}

// Pixels in which two blocks of the same size differ; blocks of different
// sizes differ everywhere.
inline std::size_t CountDifferent(const PixelBlock& a, const PixelBlock& b) {
    if (a.width != b.width || a.height != b.height) return a.pixels.size() + b.pixels.size();
    std::size_t different = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        if (!SameColour(a.pixels[i], b.pixels[i])) ++different;
    return different;
}

}  // namespace lirvo::gallery
