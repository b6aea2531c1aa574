#include "skin/core/image_from_bytes.h"

#include <gtest/gtest.h>

#include "skin/core/com_ptr.h"

namespace lirvo {
namespace {

// {557CF406-1A04-11D3-9A73-0000F81EF32E} and {557CF400-...}: GDI+'s PNG and BMP encoders.
constexpr CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr CLSID kBmpEncoder = {0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

constexpr Gdiplus::ARGB kOpaqueRed = 0xFFFF0000;
constexpr Gdiplus::ARGB kHalfBlue = 0x800000FF;

// A 6 x 4 image: left half opaque red, right half half-transparent blue.
GdipBitmap TwoColourBitmap() {
    Gdiplus::GpBitmap* raw = nullptr;
    EXPECT_EQ(gdip::GdipCreateBitmapFromScan0(6, 4, 0, PixelFormat32bppARGB, nullptr, &raw), Gdiplus::Ok);
    GdipBitmap bitmap(raw);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) gdip::GdipBitmapSetPixel(bitmap.get(), x, y, x < 3 ? kOpaqueRed : kHalfBlue);
    return bitmap;
}

ByteArray Encode(Gdiplus::GpBitmap* bitmap, const CLSID& encoder) {
    ComPtr<IStream> stream;
    EXPECT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()), S_OK);
    EXPECT_EQ(gdip::GdipSaveImageToStream(bitmap, stream.Get(), &encoder, nullptr), Gdiplus::Ok);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    ByteArray bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER origin{};
    stream->Seek(origin, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

struct Size {
    UINT width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

Size SizeOf(Gdiplus::GpBitmap* bitmap) {
    Size size;
    gdip::GdipGetImageWidth(bitmap, &size.width);
    gdip::GdipGetImageHeight(bitmap, &size.height);
    return size;
}

Gdiplus::PixelFormat FormatOf(Gdiplus::GpBitmap* bitmap) {
    Gdiplus::PixelFormat format = 0;
    gdip::GdipGetImagePixelFormat(bitmap, &format);
    return format;
}

Gdiplus::ARGB PixelAt(Gdiplus::GpBitmap* bitmap, int x, int y) {
    Gdiplus::ARGB colour = 0;
    gdip::GdipBitmapGetPixel(bitmap, x, y, &colour);
    return colour;
}

TEST(ImageFromBytes, NaturalSizeKeepsEveryPixelAndAlpha) {
    const ByteArray png = Encode(TwoColourBitmap().get(), kPngEncoder);
    ASSERT_GT(png.size(), 8u);
    ASSERT_EQ(png[1], 'P');

    GdipBitmap image = ImageFromBytes(png);
    ASSERT_TRUE(image);
    EXPECT_EQ(SizeOf(image.get()), (Size{6, 4}));
    EXPECT_EQ(FormatOf(image.get()), PixelFormat32bppARGB);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(PixelAt(image.get(), x, y), x < 3 ? kOpaqueRed : kHalfBlue) << x << "," << y;
}

TEST(ImageFromBytes, RequestedSizeStretchesTheImage) {
    const ByteArray png = Encode(TwoColourBitmap().get(), kPngEncoder);
    GdipBitmap image = ImageFromBytes(png, 60, 20);
    ASSERT_TRUE(image);
    EXPECT_EQ(SizeOf(image.get()), (Size{60, 20}));
    EXPECT_EQ(FormatOf(image.get()), PixelFormat32bppARGB);
    // Away from the seam and the edges the colours stay as they were.
    EXPECT_EQ(PixelAt(image.get(), 12, 10), kOpaqueRed);
    EXPECT_EQ(PixelAt(image.get(), 45, 10), kHalfBlue);

    GdipBitmap onlyWidth = ImageFromBytes(png, 12, std::nullopt);
    ASSERT_TRUE(onlyWidth);
    EXPECT_EQ(SizeOf(onlyWidth.get()), (Size{12, 4})) << "a size not given keeps the natural one";
}

TEST(ImageFromBytes, OtherCodecsDecodeToo) {
    GdipBitmap image = ImageFromBytes(Encode(TwoColourBitmap().get(), kBmpEncoder));
    ASSERT_TRUE(image);
    EXPECT_EQ(SizeOf(image.get()), (Size{6, 4}));
    EXPECT_EQ(FormatOf(image.get()), PixelFormat32bppARGB);
    EXPECT_EQ(PixelAt(image.get(), 0, 0), kOpaqueRed);
}

TEST(ImageFromBytes, UndecodableBytes) {
    const ByteArray notAnImage(48128, 0x5A);
    EXPECT_FALSE(ImageFromBytes(notAnImage));
    EXPECT_FALSE(ImageFromBytes(ByteArray{}));
    EXPECT_FALSE(ImageFromBytes(notAnImage, 10, std::nullopt));

    GdipBitmap placeholder = ImageFromBytes(notAnImage, 10, 7);
    ASSERT_TRUE(placeholder) << "with both sizes the caller gets something it can draw";
    EXPECT_EQ(SizeOf(placeholder.get()), (Size{10, 7}));
    EXPECT_EQ(PixelAt(placeholder.get(), 5, 3) >> 24, 0u) << "and it draws nothing";

    const ByteArray png = Encode(TwoColourBitmap().get(), kPngEncoder);
    EXPECT_FALSE(ImageFromBytes(png, 0, 5));
    EXPECT_FALSE(ImageFromBytes(png, 5, -1));
}

}  // namespace
}  // namespace lirvo
