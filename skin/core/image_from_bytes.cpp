#include "skin/core/image_from_bytes.h"

#include <shlwapi.h>

#include "skin/core/com_ptr.h"
#include "skin/core/declared_function.h"

namespace lirvo {
namespace {

using CreateMemStreamFunction = IStream*(WINAPI*)(const BYTE*, UINT);

// Older systems export the memory stream only by its ordinal.
DeclaredFunction<CreateMemStreamFunction> createMemStream{"SHLWAPI.DLL", MAKEINTRESOURCEA(12)};

GdipBitmap DecodeImage(const ByteArray& bytes) {
    if (bytes.empty()) return {};
    ComPtr<IStream> stream(createMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    if (!stream) return {};
    Gdiplus::GpBitmap* decoded = nullptr;
    if (gdip::GdipCreateBitmapFromStream(stream.Get(), &decoded) != Gdiplus::Ok) return {};
    return GdipBitmap(decoded);
}

GdipBitmap NewArgbBitmap(std::int32_t width, std::int32_t height) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap) != Gdiplus::Ok)
        return {};
    return GdipBitmap(bitmap);
}

}  // namespace

GdipBitmap ImageFromBytes(const ByteArray& bytes, std::optional<std::int32_t> width,
                          std::optional<std::int32_t> height) {
    GdipBitmap decoded = DecodeImage(bytes);
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
