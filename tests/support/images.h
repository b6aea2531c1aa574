#pragma once
// Image fixtures made with GDI+ itself, so tests need no image files.

#include <cstdint>
#include <vector>

#include "skin/core/byte_array.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo::testing {

// A width x height bitmap filled with one ARGB colour.
GdipBitmap SolidBitmap(int width, int height, Gdiplus::ARGB colour);
// The bitmap encoded as a PNG (or BMP) file.
ByteArray EncodePng(Gdiplus::GpBitmap* bitmap);
ByteArray EncodeBmp(Gdiplus::GpBitmap* bitmap);
// PNG bytes of a solid image.
ByteArray SolidPng(int width, int height, Gdiplus::ARGB colour);
// PNG bytes of side-by-side solid bands, each bandWidth x height.
ByteArray BandsPng(int bandWidth, int height, const std::vector<Gdiplus::ARGB>& colours);

struct ImageSize {
    unsigned width = 0, height = 0;
    bool operator==(const ImageSize&) const = default;
};
ImageSize SizeOf(Gdiplus::GpImage* image);
Gdiplus::PixelFormat PixelFormatOf(Gdiplus::GpImage* image);
Gdiplus::ARGB PixelAt(Gdiplus::GpBitmap* bitmap, int x, int y);

}  // namespace lirvo::testing
