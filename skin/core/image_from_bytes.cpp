#include "skin/core/image_from_bytes.h"

#include <shlwapi.h>

#include "skin/core/com_ptr.h"
#include "skin/core/declared_function.h"
#include "skin/core/png_pixels.h"

namespace lirvo {
namespace {

using CreateMemStreamFunction = IStream*(WINAPI*)(const BYTE*, UINT);

// Older systems export the memory stream only by its ordinal.
DeclaredFunction<CreateMemStreamFunction> createMemStream{"SHLWAPI.DLL", MAKEINTRESOURCEA(12)};

GdipBitmap NewArgbBitmap(std::int32_t width, std::int32_t height) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap) != Gdiplus::Ok)
        return {};
    return GdipBitmap(bitmap);
}

// A new 32-bit ARGB bitmap holding a copy of the pixels.
GdipBitmap BitmapFromPixels(const PngPixels& pixels) {
    const auto width = static_cast<std::int32_t>(pixels.width), height = static_cast<std::int32_t>(pixels.height);
    GdipBitmap bitmap = NewArgbBitmap(width, height);
    if (!bitmap) return {};
    const Gdiplus::GpRect all{0, 0, width, height};
    Gdiplus::BitmapData locked{};
    if (gdip::GdipBitmapLockBits(bitmap.get(), &all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &locked) !=
        Gdiplus::Ok)
        return {};
    // A fully transparent pixel keeps no colour, as when the picture is drawn
    // onto a transparent bitmap: stretching it later must not bleed it in.
    for (std::uint32_t y = 0; y < pixels.height; ++y) {
        auto* target = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(locked.Scan0) +
                                                        static_cast<std::ptrdiff_t>(y) * locked.Stride);
        const std::uint32_t* source = pixels.Row(y).data();
        for (std::uint32_t x = 0; x < pixels.width; ++x) target[x] = source[x] >> 24 ? source[x] : 0;
    }
    gdip::GdipBitmapUnlockBits(bitmap.get(), &locked);
    return bitmap;
}

// Plain PNG files, which is what skins hold, are decoded here; the system's
// codecs take everything else. Either way the result is a bitmap GDI+ can
// draw, and for a PNG it is already the finished 32-bit ARGB copy.
GdipBitmap DecodeImage(const ByteArray& bytes, bool& isArgbCopy) {
    isArgbCopy = false;
    if (bytes.empty()) return {};
    if (const std::optional<PngPixels> pixels = DecodePngPixels(bytes)) {
        isArgbCopy = true;
        return BitmapFromPixels(*pixels);
    }
    ComPtr<IStream> stream(createMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    if (!stream) return {};
    Gdiplus::GpBitmap* decoded = nullptr;
    if (gdip::GdipCreateBitmapFromStream(stream.Get(), &decoded) != Gdiplus::Ok) return {};
    return GdipBitmap(decoded);
}

}  // namespace

GdipBitmap ImageFromBytes(const ByteArray& bytes, std::optional<std::int32_t> width,
                          std::optional<std::int32_t> height) {
    bool isArgbCopy = false;
    GdipBitmap decoded = DecodeImage(bytes, isArgbCopy);
    if (!decoded) {
        if (width && height && *width > 0 && *height > 0) return NewArgbBitmap(*width, *height);
        return {};
    }

    UINT naturalWidth = 0, naturalHeight = 0;
    gdip::GdipGetImageWidth(decoded.get(), &naturalWidth);
    gdip::GdipGetImageHeight(decoded.get(), &naturalHeight);
    const std::int32_t targetWidth = width.value_or(static_cast<std::int32_t>(naturalWidth));
    const std::int32_t targetHeight = height.value_or(static_cast<std::int32_t>(naturalHeight));
    if (targetWidth <= 0 || targetHeight <= 0) return {};
    // Drawn at its own size, a 32-bit ARGB copy would only be copied again.
    if (isArgbCopy && targetWidth == static_cast<std::int32_t>(naturalWidth) &&
        targetHeight == static_cast<std::int32_t>(naturalHeight))
        return decoded;

    GdipBitmap result = NewArgbBitmap(targetWidth, targetHeight);
    if (!result) return {};
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (gdip::GdipGetImageGraphicsContext(result.get(), &rawGraphics) != Gdiplus::Ok) return {};
    GdipGraphics graphics(rawGraphics);
    gdip::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
    gdip::GdipDrawImageRect(graphics.get(), decoded.get(), 0.0f, 0.0f, static_cast<Gdiplus::REAL>(targetWidth),
                            static_cast<Gdiplus::REAL>(targetHeight));
    return result;
}

}  // namespace lirvo
