#include "skin/core/image_from_bytes.h"

#include <gtest/gtest.h>

#include "tests/support/images.h"

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

}  // namespace
}  // namespace lirvo
