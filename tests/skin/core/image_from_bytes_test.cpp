#include "skin/core/image_from_bytes.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "skin/core/com_ptr.h"
#include "skin/core/png_pixels.h"
#include "tests/support/images.h"
#include "tests/support/png_writer.h"

namespace lirvo {
namespace {

using testing::EncodeBmp;
using testing::EncodePng;
using testing::ImageSize;
using testing::PixelAt;
using testing::SizeOf;

constexpr Gdiplus::ARGB kOpaqueRed = 0xFFFF0000;
constexpr Gdiplus::ARGB kHalfBlue = 0x800000FF;

// A 6 x 4 image: left half opaque red, right half half-transparent blue.
GdipBitmap TwoColourBitmap() {
    GdipBitmap bitmap = testing::SolidBitmap(6, 4, kOpaqueRed);
    for (int y = 0; y < 4; ++y)
        for (int x = 3; x < 6; ++x) gdip::GdipBitmapSetPixel(bitmap.get(), x, y, kHalfBlue);
    return bitmap;
}

TEST(ImageFromBytes, NaturalSizeKeepsEveryPixelAndAlpha) {
    const ByteArray png = EncodePng(TwoColourBitmap().get());
    ASSERT_GT(png.size(), 8u);
    ASSERT_EQ(png[1], 'P');

    GdipBitmap image = ImageFromBytes(png);
    ASSERT_TRUE(image);
    EXPECT_EQ(SizeOf(image.get()), (ImageSize{6, 4}));
    EXPECT_EQ(testing::PixelFormatOf(image.get()), PixelFormat32bppARGB);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(PixelAt(image.get(), x, y), x < 3 ? kOpaqueRed : kHalfBlue) << x << "," << y;
}

TEST(ImageFromBytes, RequestedSizeStretchesTheImage) {
    const ByteArray png = EncodePng(TwoColourBitmap().get());
    GdipBitmap image = ImageFromBytes(png, 60, 20);
    ASSERT_TRUE(image);
    EXPECT_EQ(SizeOf(image.get()), (ImageSize{60, 20}));
    EXPECT_EQ(testing::PixelFormatOf(image.get()), PixelFormat32bppARGB);
    // Away from the seam and the edges the colours stay as they were.
    EXPECT_EQ(PixelAt(image.get(), 12, 10), kOpaqueRed);
    EXPECT_EQ(PixelAt(image.get(), 45, 10), kHalfBlue);

    GdipBitmap onlyWidth = ImageFromBytes(png, 12, std::nullopt);
    ASSERT_TRUE(onlyWidth);
    EXPECT_EQ(SizeOf(onlyWidth.get()), (ImageSize{12, 4})) << "a size not given keeps the natural one";
}

TEST(ImageFromBytes, OtherCodecsDecodeToo) {
    GdipBitmap image = ImageFromBytes(EncodeBmp(TwoColourBitmap().get()));
    ASSERT_TRUE(image);
    EXPECT_EQ(SizeOf(image.get()), (ImageSize{6, 4}));
    EXPECT_EQ(testing::PixelFormatOf(image.get()), PixelFormat32bppARGB);
    EXPECT_EQ(PixelAt(image.get(), 0, 0), kOpaqueRed);
}

TEST(ImageFromBytes, UndecodableBytes) {
    const ByteArray notAnImage(48128, 0x5A);
    EXPECT_FALSE(ImageFromBytes(notAnImage));
    EXPECT_FALSE(ImageFromBytes(ByteArray{}));
    EXPECT_FALSE(ImageFromBytes(notAnImage, 10, std::nullopt));

    GdipBitmap placeholder = ImageFromBytes(notAnImage, 10, 7);
    ASSERT_TRUE(placeholder) << "with both sizes the caller gets something it can draw";
    EXPECT_EQ(SizeOf(placeholder.get()), (ImageSize{10, 7}));
    EXPECT_EQ(PixelAt(placeholder.get(), 5, 3) >> 24, 0u) << "and it draws nothing";

    const ByteArray png = EncodePng(TwoColourBitmap().get());
    EXPECT_FALSE(ImageFromBytes(png, 0, 5));
    EXPECT_FALSE(ImageFromBytes(png, 5, -1));
}

// What the system's own codec makes of the bytes, drawn into a new 32-bit
// ARGB bitmap with high-quality bicubic interpolation: the picture every
// decoding path must give.
GdipBitmap DecodedBySystemCodec(const ByteArray& bytes, int width = 0, int height = 0) {
    ComPtr<IStream> stream(::SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    Gdiplus::GpBitmap* decoded = nullptr;
    if (!stream || gdip::GdipCreateBitmapFromStream(stream.Get(), &decoded) != Gdiplus::Ok) return {};
    GdipBitmap source(decoded);
    const ImageSize natural = SizeOf(source.get());
    if (width == 0) width = static_cast<int>(natural.width);
    if (height == 0) height = static_cast<int>(natural.height);
    GdipBitmap result = testing::SolidBitmap(width, height, 0);
    Gdiplus::GpGraphics* graphics = nullptr;
    gdip::GdipGetImageGraphicsContext(result.get(), &graphics);
    GdipGraphics owned(graphics);
    gdip::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
    gdip::GdipDrawImageRect(graphics, source.get(), 0, 0, static_cast<Gdiplus::REAL>(width),
                            static_cast<Gdiplus::REAL>(height));
    return result;
}

// Counts the pixels that differ and describes the first.
std::string Differences(Gdiplus::GpBitmap* actual, Gdiplus::GpBitmap* expected) {
    const ImageSize size = SizeOf(expected);
    if (SizeOf(actual) != size) return "different sizes";
    int count = 0;
    std::string first;
    for (unsigned y = 0; y < size.height; ++y)
        for (unsigned x = 0; x < size.width; ++x) {
            const Gdiplus::ARGB got = PixelAt(actual, static_cast<int>(x), static_cast<int>(y));
            const Gdiplus::ARGB want = PixelAt(expected, static_cast<int>(x), static_cast<int>(y));
            if (got == want) continue;
            if (count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "first at (%u, %u): %08lX instead of %08lX", x, y,
                              static_cast<unsigned long>(got), static_cast<unsigned long>(want));
                first = text;
            }
        }
    return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
}

struct PngKind {
    const char* name;
    testing::PngLayout layout;
    testing::PngChunks chunks;
    bool decodedDirectly;  // or left to the system's codec
};

// Samples that visit the whole range of each channel, alpha 0 and 255 included.
std::vector<std::uint16_t> Samples(const testing::PngLayout& layout, std::uint32_t x, std::uint32_t y) {
    const std::uint16_t top = static_cast<std::uint16_t>((1u << layout.bitDepth) - 1);
    const auto ramp = [&](std::uint32_t value) { return static_cast<std::uint16_t>(value % (top + 1u)); };
    const std::uint16_t alpha = (x + y) % 5 == 0 ? 0 : (x + y) % 5 == 1 ? top : ramp(x * 41 + y * 67);
    switch (layout.colourType) {
        case 0: return {ramp(x * 29 + y * 31)};
        case 2: return {ramp(x * 37), ramp(y * 53 + x), ramp(x * y * 11 + 3)};
        case 3: return {ramp(x * 7 + y * 13)};
        case 4: return {ramp(x * 29 + y * 31), alpha};
        default: return {ramp(x * 37), ramp(y * 53 + x), ramp(x * y * 11 + 3), alpha};
    }
}

std::vector<std::uint8_t> Palette(int entries) {
    std::vector<std::uint8_t> palette;
    for (int i = 0; i < entries; ++i)
        palette.insert(palette.end(), {static_cast<std::uint8_t>(i * 45), static_cast<std::uint8_t>(255 - i * 3),
                                       static_cast<std::uint8_t>(i * i)});
    return palette;
}

std::vector<std::uint8_t> PaletteAlpha(int entries) {
    std::vector<std::uint8_t> alpha;
    for (int i = 0; i < entries; ++i) alpha.push_back(static_cast<std::uint8_t>(i % 3 == 0 ? 0 : i * 19));
    return alpha;
}

std::vector<std::uint8_t> Gamma(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

TEST(ImageFromBytes, EveryKindOfPngComesOutAsTheSystemCodecDrawsIt) {
    const std::vector<PngKind> kinds = {
        {"RGBA", {13, 7, 8, 6}, {}, true},
        {"RGB", {13, 7, 8, 2}, {}, true},
        {"RGB with a transparent colour", {13, 7, 8, 2}, {{"tRNS", {0, 37, 0, 1, 0, 3}}}, true},
        {"grey", {13, 7, 8, 0}, {}, true},
        {"grey, 1 bit", {13, 7, 1, 0}, {}, true},
        {"grey, 2 bits", {13, 7, 2, 0}, {}, true},
        {"grey, 4 bits", {13, 7, 4, 0}, {}, true},
        {"grey and alpha", {13, 7, 8, 4}, {}, true},
        {"palette", {13, 7, 8, 3}, {{"PLTE", Palette(256)}}, true},
        {"palette with transparency", {13, 7, 8, 3}, {{"PLTE", Palette(256)}, {"tRNS", PaletteAlpha(200)}}, true},
        {"palette, 4 bits", {13, 7, 4, 3}, {{"PLTE", Palette(16)}, {"tRNS", PaletteAlpha(16)}}, true},
        {"interlaced RGBA", {13, 7, 8, 6, true}, {}, true},
        {"interlaced palette, 2 bits", {13, 7, 2, 3, true}, {{"PLTE", Palette(4)}}, true},
        {"RGBA with the display's gamma", {13, 7, 8, 6}, {{"gAMA", Gamma(45455)}}, true},
        {"RGBA, 16 bits", {13, 7, 16, 6}, {}, false},
        {"RGB with another gamma", {13, 7, 8, 2}, {{"gAMA", Gamma(100000)}}, false},
    };
    for (const PngKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const testing::PngLayout layout = kind.layout;
        const ByteArray png = testing::WritePng(
            layout, [&](std::uint32_t x, std::uint32_t y) { return Samples(layout, x, y); }, kind.chunks);
        EXPECT_EQ(DecodePngPixels(png).has_value(), kind.decodedDirectly);

        GdipBitmap expected = DecodedBySystemCodec(png);
        ASSERT_TRUE(expected) << "the system codec reads the fixture";
        GdipBitmap image = ImageFromBytes(png);
        ASSERT_TRUE(image);
        EXPECT_EQ(testing::PixelFormatOf(image.get()), PixelFormat32bppARGB);
        EXPECT_EQ(Differences(image.get(), expected.get()), "") << "at the natural size";

        GdipBitmap stretched = ImageFromBytes(png, 31, 12);
        GdipBitmap expectedStretched = DecodedBySystemCodec(png, 31, 12);
        ASSERT_TRUE(stretched && expectedStretched);
        EXPECT_EQ(Differences(stretched.get(), expectedStretched.get()), "") << "stretched to 31 x 12";
    }
}

TEST(ImageFromBytes, BrokenPngsAreLeftToTheSystemCodecAndNeverHalfDecoded) {
    const testing::PngLayout layout{9, 9, 8, 6};
    const ByteArray png =
        testing::WritePng(layout, [&](std::uint32_t x, std::uint32_t y) { return Samples(layout, x, y); });
    ASSERT_TRUE(DecodePngPixels(png));

    std::vector<std::pair<const char*, ByteArray>> broken;
    for (std::size_t length : {8u, 20u, 33u, 40u, static_cast<unsigned>(png.size() - 12)})
        broken.push_back({"cut short", ByteArray(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(length))});
    ByteArray hugeWidth = png;
    hugeWidth[16] = 0x7F;  // width 2^31 - ...: far past any picture taken here
    broken.push_back({"huge width", hugeWidth});
    ByteArray zeroHeight = png;
    std::fill(zeroHeight.begin() + 20, zeroHeight.begin() + 24, 0);
    broken.push_back({"zero height", zeroHeight});
    ByteArray badData = png;
    for (std::size_t i = 41; i < badData.size() - 12; ++i) badData[i] ^= 0x5A;
    broken.push_back({"scrambled image data", badData});
    broken.push_back({"colour profile", testing::WritePng(layout,
                                                          [&](std::uint32_t x, std::uint32_t y) {
                                                              return Samples(layout, x, y);
                                                          },
                                                          {{"iCCP", {'p', 0, 0, 0x78, 0x9C, 3, 0, 0, 0, 0, 1}}})});
    for (const auto& [name, bytes] : broken) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(DecodePngPixels(bytes));
        GdipBitmap image = ImageFromBytes(bytes);  // whatever the system codec makes of it, never a crash
        if (image) {
            EXPECT_EQ(testing::PixelFormatOf(image.get()), PixelFormat32bppARGB);
        }
    }
}

}  // namespace
}  // namespace lirvo
