#include "skin/window/surface.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace lirvo {

DibSection CreateDibSection(std::int32_t width, std::int32_t height) {
    DibSection section;
    if (width <= 0 || height <= 0) return section;
    section.dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    section.bitmap = ::CreateDIBSection(section.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section.bitmap) {
        ReleaseDibSection(section);
        return section;
    }
    section.bits = static_cast<std::uint32_t*>(bits);
    section.previousBitmap = ::SelectObject(section.dc, section.bitmap);
    return section;
}

void ReleaseDibSection(DibSection& section) {
    if (section.dc && section.previousBitmap) ::SelectObject(section.dc, section.previousBitmap);
    if (section.dc) ::DeleteDC(section.dc);
    if (section.bitmap) ::DeleteObject(section.bitmap);
    section = {};
}

Surface::Surface(std::int32_t width, std::int32_t height)
    : dib_(CreateDibSection(width, height)), width_(width), height_(height) {
    if (dib_.dc) gdip::GdipCreateFromHDC(dib_.dc, &graphics_);
}

Surface::Surface(Surface&& other) noexcept { *this = std::move(other); }

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        Release();
        graphics_ = std::exchange(other.graphics_, nullptr);
        dib_ = std::exchange(other.dib_, {});
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void Surface::Release() {
    if (graphics_) gdip::GdipDeleteGraphics(graphics_);
    graphics_ = nullptr;
    ReleaseDibSection(dib_);
    width_ = height_ = 0;
}

void Surface::Clear() {
    if (!dib_.bits) return;
    if (graphics_) gdip::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
    ::GdiFlush();
    std::fill_n(dib_.bits, static_cast<std::size_t>(width_) * height_, 0u);
}

std::uint32_t Surface::PixelAt(std::int32_t x, std::int32_t y) const {
    if (!dib_.bits || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    if (graphics_) gdip::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
    ::GdiFlush();
    return dib_.bits[static_cast<std::size_t>(height_ - 1 - y) * width_ + x];
}

void Surface::StoreRows(const std::uint8_t* topRow, std::int32_t stride) {
    if (!dib_.bits || !topRow) return;
    if (graphics_) gdip::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
    ::GdiFlush();
    for (std::int32_t y = 0; y < height_; ++y)
        std::memcpy(dib_.bits + static_cast<std::size_t>(height_ - 1 - y) * width_,
                    topRow + static_cast<std::ptrdiff_t>(y) * stride, static_cast<std::size_t>(width_) * 4);
}

void Surface::FillPixels(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                         std::uint32_t pixel) {
    if (!dib_.bits) return;
    // In 64 bits: an area far off the surface must not wrap around onto it.
    const auto clampTo = [](std::int64_t value, std::int32_t limit) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, limit));
    };
    const std::int32_t x0 = clampTo(left, width_), x1 = clampTo(std::int64_t{left} + width, width_);
    const std::int32_t y0 = clampTo(top, height_), y1 = clampTo(std::int64_t{top} + height, height_);
    if (x0 >= x1 || y0 >= y1) return;
    // Drawing still queued for the surface must land before, not over, this.
    if (graphics_) gdip::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
    ::GdiFlush();
    for (std::int32_t y = y0; y < y1; ++y)
        std::fill_n(dib_.bits + static_cast<std::size_t>(height_ - 1 - y) * width_ + x0, x1 - x0, pixel);
}

}  // namespace lirvo
