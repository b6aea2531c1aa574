#include "tests/support/images.h"

#include "skin/core/com_ptr.h"

namespace lirvo::testing {
namespace {

// GDI+'s built-in encoders: {557CF406-...} PNG, {557CF400-...} BMP.
constexpr CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr CLSID kBmpEncoder = {0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

ByteArray Encode(Gdiplus::GpBitmap* bitmap, const CLSID& encoder) {
    ComPtr<IStream> stream;
    if (::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()) != S_OK) return {};
    if (gdip::GdipSaveImageToStream(bitmap, stream.Get(), &encoder, nullptr) != Gdiplus::Ok) return {};
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

}  // namespace

GdipBitmap SolidBitmap(int width, int height, Gdiplus::ARGB colour) {
    Gdiplus::GpBitmap* raw = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &raw) != Gdiplus::Ok)
        return {};
    GdipBitmap bitmap(raw);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) gdip::GdipBitmapSetPixel(bitmap.get(), x, y, colour);
    return bitmap;
}

ByteArray EncodePng(Gdiplus::GpBitmap* bitmap) { return Encode(bitmap, kPngEncoder); }
ByteArray EncodeBmp(Gdiplus::GpBitmap* bitmap) { return Encode(bitmap, kBmpEncoder); }

ByteArray SolidPng(int width, int height, Gdiplus::ARGB colour) {
    return EncodePng(SolidBitmap(width, height, colour).get());
}

ImageSize SizeOf(Gdiplus::GpImage* image) {
    ImageSize size;
    gdip::GdipGetImageWidth(image, &size.width);
    gdip::GdipGetImageHeight(image, &size.height);
    return size;
}

Gdiplus::PixelFormat PixelFormatOf(Gdiplus::GpImage* image) {
    Gdiplus::PixelFormat format = 0;
    gdip::GdipGetImagePixelFormat(image, &format);
    return format;
}

Gdiplus::ARGB PixelAt(Gdiplus::GpBitmap* bitmap, int x, int y) {
    Gdiplus::ARGB colour = 0;
    gdip::GdipBitmapGetPixel(bitmap, x, y, &colour);
    return colour;
}

ByteArray BandsPng(int bandWidth, int height, const std::vector<Gdiplus::ARGB>& colours) {
    GdipBitmap bitmap = SolidBitmap(bandWidth * static_cast<int>(colours.size()), height, 0);
    for (std::size_t band = 0; band < colours.size(); ++band)
        for (int x = 0; x < bandWidth; ++x)
            for (int y = 0; y < height; ++y)
                gdip::GdipBitmapSetPixel(bitmap.get(), static_cast<INT>(band) * bandWidth + x, y, colours[band]);
    return EncodePng(bitmap.get());
}

}  // namespace lirvo::testing
