#pragma once
// Writes PNG files of any colour type, bit depth and interlacing from a
// function that gives each pixel's samples, so tests can make the kinds of
// file a system encoder never writes.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lirvo::testing {

struct PngLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bitDepth = 8;
    std::uint8_t colourType = 6;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    bool interlaced = false;
};

// The samples of the pixel at (x, y), first sample first (R, G, B, A; grey,
// alpha; a palette index), each below 2^bitDepth.
using PngSamples = std::function<std::vector<std::uint16_t>(std::uint32_t x, std::uint32_t y)>;

// Chunks written between the header and the image data, e.g. {"PLTE", ...}.
using PngChunks = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// Rows use the five filter types in turn, so a reader must undo each.
std::vector<std::uint8_t> WritePng(const PngLayout& layout, const PngSamples& samples, const PngChunks& chunks = {});

}  // namespace lirvo::testing
