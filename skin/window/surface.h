#pragma once
// Surface: an off-screen 32-bit drawing surface, a bottom-up DIB section
// selected into a memory DC with a GDI+ graphics on it. Windows and controls
// compose into surfaces and copy finished rectangles to the screen. A Surface
// owns all four handles and releases them together.

#include <windows.h>

#include <cstdint>

#include "skin/core/gdiplus_api.h"

namespace lirvo {

// A 32-bit bottom-up DIB section selected into a new memory DC.
struct DibSection {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    std::uint32_t* bits = nullptr;
};
DibSection CreateDibSection(std::int32_t width, std::int32_t height);
// Re-selects the previous bitmap and deletes the bitmap and the DC.
void ReleaseDibSection(DibSection& section);

class Surface {
public:
    Surface() = default;
    Surface(std::int32_t width, std::int32_t height);
    ~Surface() { Release(); }
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    void Release();
    // Back to fully transparent black, as a new surface starts.
    void Clear();

    Gdiplus::GpGraphics* Graphics() const { return graphics_; }
    HDC Dc() const { return dib_.dc; }
    HBITMAP Bitmap() const { return dib_.bitmap; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    explicit operator bool() const { return dib_.dc != nullptr; }

    // The pixel at (x, y) from the top left, as stored: premultiplied ARGB.
    std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const;
    // Stores rows of the surface's width from the top row down, as they are;
    // `stride` is the distance in bytes from one row to the next.
    void StoreRows(const std::uint8_t* topRow, std::int32_t stride);
    // Stores the pixel, as it is, over the part of the area on the surface.
    void FillPixels(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                    std::uint32_t pixel);

private:
    Gdiplus::GpGraphics* graphics_ = nullptr;
    DibSection dib_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace lirvo
