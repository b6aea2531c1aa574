#pragma once
// Colour conversions shared by the toolkit and the setup logic. Toolkit
// drawing uses GDI+ ARGB (0xAARRGGBB); callers may give COLORREF values
// (0x00BBGGRR).

#include <cstdint>
#include <optional>

namespace lirvo {

using Argb = std::uint32_t;

// COLORREF to ARGB; alpha 255 unless one is given.
constexpr Argb ColourToArgb(std::uint32_t colourRef, std::optional<std::uint8_t> alpha = std::nullopt) {
    const std::uint32_t red = colourRef & 0xFF;
    const std::uint32_t green = colourRef >> 8 & 0xFF;
    const std::uint32_t blue = colourRef >> 16 & 0xFF;
    return static_cast<Argb>(alpha.value_or(255)) << 24 | red << 16 | green << 8 | blue;
}

constexpr Argb MakeArgb(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<Argb>(alpha) << 24 | static_cast<Argb>(red) << 16 | static_cast<Argb>(green) << 8 | blue;
}

}  // namespace lirvo
