// Any bytes as a PNG file: either left alone, or decoded into exactly one
// pixel per place of a picture no larger than the decoder takes.

#include <cstdlib>

#include "skin/core/png_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto pixels = lirvo::DecodePngPixels({data, size});
    if (!pixels) return 0;
    if (pixels->width == 0 || pixels->height == 0 || pixels->width > lirvo::kLargestPngSide ||
        pixels->height > lirvo::kLargestPngSide || !pixels->argb)
        std::abort();
    // Every pixel of the picture is there to read.
    std::uint32_t all = 0;
    for (std::uint32_t y = 0; y < pixels->height; ++y)
        for (const std::uint32_t pixel : pixels->Row(y)) all |= pixel;
    static volatile std::uint32_t sink;
    sink = all;
    return 0;
}
