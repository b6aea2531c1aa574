#pragma once
// Surface: an off-screen 32-bit drawing surface, a bottom-up DIB section
// selected into a memory DC with a GDI+ graphics on it. Windows and controls
// compose into surfaces and copy finished rectangles to the screen. A Surface
// owns all four handles and releases them together.

#include <windows.h>

#include <cstdint>

#include "skin/core/gdiplus_api.h"

namespace lirvo {

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

    Gdiplus::GpGraphics* Graphics() const { return graphics_; }
    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return dib_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    explicit operator bool() const { return dc_ != nullptr; }

    // The pixel at (x, y) from the top left, as stored: premultiplied ARGB.
    std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const;

private:
    Gdiplus::GpGraphics* graphics_ = nullptr;
    HDC dc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::uint32_t* bits_ = nullptr;
};

}  // namespace lirvo
