#include "skin/core/png_pixels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

// The decoding itself is stb_image's: only its PNG reader, from memory, with
// failures reported by a null result.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_THREAD_LOCALS
#define STBI_MAX_DIMENSIONS 8192
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace lirvo {
namespace {

static_assert(STBI_MAX_DIMENSIONS == kLargestPngSide);

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// gAMA of 1/2.2, the gamma every display is assumed to have anyway.
constexpr std::uint32_t kDisplayGamma = 45455;

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

bool ChunkIs(const std::uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

// Walks the chunks and says whether the picture is one this decoder takes:
// every chunk lies within the file up to the end chunk (so the decoder never
// sizes a buffer by a length the file does not hold), the header is sound,
// samples have at most eight bits, the first data chunk is not empty, and
// nothing asks for a colour correction that some codec would apply.
bool IsPlainPng(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin()))
        return false;
    std::size_t at = kSignature.size();
    bool headerSeen = false, dataSeen = false;
    while (bytes.size() - at >= 12) {
        const std::uint32_t length = BigEndian32(&bytes[at]);
        const std::uint8_t* type = &bytes[at + 4];
        const std::uint8_t* data = &bytes[at + 8];
        if (length > bytes.size() - at - 12) return false;
        if (!headerSeen) {
            if (!ChunkIs(type, "IHDR") || length != 13) return false;
            const std::uint32_t width = BigEndian32(data), height = BigEndian32(data + 4);
            const std::uint8_t bitDepth = data[8];
            if (width == 0 || height == 0 || width > kLargestPngSide || height > kLargestPngSide ||
                std::uint64_t{width} * height > kLargestPngPixels || bitDepth > 8)
                return false;
            headerSeen = true;
        } else if (ChunkIs(type, "IEND")) {
            return dataSeen;
        } else if (ChunkIs(type, "IDAT")) {
            // An empty first data chunk is legal but rare, and the decoder
            // would copy it from nowhere: the system codec reads it instead.
            if (!dataSeen && length == 0) return false;
            dataSeen = true;
        } else if (ChunkIs(type, "gAMA")) {
            if (length != 4 || BigEndian32(data) != kDisplayGamma) return false;
        } else if (ChunkIs(type, "iCCP") || ChunkIs(type, "cHRM") || ChunkIs(type, "CgBI")) {
            return false;
        }
        at += 12 + std::size_t{length};
    }
    return false;
}

}  // namespace

void PngPixels::Free::operator()(std::uint32_t* pixels) const { stbi_image_free(pixels); }

std::optional<PngPixels> DecodePngPixels(std::span<const std::uint8_t> bytes) {
    if (!IsPlainPng(bytes) || bytes.size() > static_cast<std::size_t>(INT32_MAX)) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    stbi_uc* const rgba =
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4);
    // The buffer comes from the allocator, so it is aligned for the values
    // it is about to hold.
    PngPixels result{.width = static_cast<std::uint32_t>(width),
                     .height = static_cast<std::uint32_t>(height),
                     .argb = std::unique_ptr<std::uint32_t[], PngPixels::Free>(reinterpret_cast<std::uint32_t*>(rgba))};
    if (!rgba || width <= 0 || height <= 0) return std::nullopt;

    // R, G, B, A bytes become one 0xAARRGGBB value each, in place.
    const std::size_t count = std::size_t{result.width} * result.height;
    for (std::size_t i = 0; i < count; ++i) {
        const stbi_uc* source = rgba + i * 4;
        const std::uint32_t value = std::uint32_t{source[3]} << 24 | std::uint32_t{source[0]} << 16 |
                                    std::uint32_t{source[1]} << 8 | source[2];
        std::memcpy(rgba + i * 4, &value, sizeof(value));
    }
    return result;
}

}  // namespace lirvo
