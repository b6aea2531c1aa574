#pragma once
// Decodes the common kind of PNG file straight into 32-bit ARGB pixels,
// without going through the system's image codecs, whose set-up under some
// hosts costs more than decoding the picture itself.
//
// Only files whose pixels come out the same whoever decodes them are taken:
// eight bits per sample or fewer, and no colour-space information other than
// the usual display gamma. Anything else, and anything that is not a PNG or
// is broken, gives no result, and the caller leaves it to the system codec.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace lirvo {

struct PngPixels {
    struct Free {
        void operator()(std::uint32_t* pixels) const;
    };
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // Row by row from the top, one 0xAARRGGBB value per pixel, alpha not
    // premultiplied: the layout of a 32-bit ARGB bitmap in memory. The
    // decoder's own buffer, converted where it lies: a picture is held once.
    std::unique_ptr<std::uint32_t[], Free> argb;

    std::span<const std::uint32_t> Row(std::uint32_t y) const {
        return {argb.get() + std::size_t{y} * width, width};
    }
};

// The largest pictures taken here; larger ones are left to the system codec.
inline constexpr std::uint32_t kLargestPngSide = 8192;
inline constexpr std::uint32_t kLargestPngPixels = 16u << 20;

std::optional<PngPixels> DecodePngPixels(std::span<const std::uint8_t> bytes);

}  // namespace lirvo
