#pragma once
// Contrast between colours as readers of the screen perceive it: relative
// luminance of sRGB colours and the ratio (lighter + 0.05) / (darker + 0.05),
// from 1 (the same) to 21 (black on white). Platform-free.

#include <cstdint>
#include <span>

namespace lirvo {

// Of an opaque 0xAARRGGBB colour; the alpha byte is not looked at.
double RelativeLuminance(std::uint32_t argb);
double ContrastRatio(std::uint32_t a, std::uint32_t b);
// The lowest ratio of the colour against any of the others (21 for none).
double LeastContrast(std::uint32_t colour, std::span<const std::uint32_t> others);
// Of the two colours, the one whose least contrast against the others is higher.
std::uint32_t BetterContrasting(std::uint32_t first, std::uint32_t second, std::span<const std::uint32_t> others);

}  // namespace lirvo
