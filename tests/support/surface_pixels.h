#pragma once
// Every pixel of a surface, row by row, for comparing two paints whole.

#include <cstdint>
#include <vector>

#include "skin/window/surface.h"

namespace lirvo::testing {

inline std::vector<std::uint32_t> PixelsOf(const Surface& surface) {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(surface.Width()) * static_cast<std::size_t>(surface.Height()));
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) pixels.push_back(surface.PixelAt(x, y));
    return pixels;
}

}  // namespace lirvo::testing
