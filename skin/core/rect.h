#pragma once
// A rectangle as the toolkit passes it around: left, top, width, height.

#include <cstdint>

namespace lirvo {

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    // Strictly inside: a point on any edge is outside.
    constexpr bool ContainsStrictly(std::int32_t x, std::int32_t y) const {
        return left < x && x < left + width && top < y && y < top + height;
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace lirvo
