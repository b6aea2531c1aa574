#include "skin/core/contrast.h"

#include <algorithm>
#include <cmath>

namespace lirvo {
namespace {

double Linear(std::uint32_t channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(std::uint32_t argb) {
    return 0.2126 * Linear(argb >> 16 & 0xFF) + 0.7152 * Linear(argb >> 8 & 0xFF) + 0.0722 * Linear(argb & 0xFF);
}

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double LeastContrast(std::uint32_t colour, std::span<const std::uint32_t> others) {
    double least = 21.0;
    for (std::uint32_t other : others) least = std::min(least, ContrastRatio(colour, other));
    return least;
}

std::uint32_t BetterContrasting(std::uint32_t first, std::uint32_t second, std::span<const std::uint32_t> others) {
    return LeastContrast(second, others) > LeastContrast(first, others) ? second : first;
}

}  // namespace lirvo
