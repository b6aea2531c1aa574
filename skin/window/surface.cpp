#include "skin/window/surface.h"

#include <utility>

namespace lirvo {

Surface::Surface(std::int32_t width, std::int32_t height) : width_(width), height_(height) {
    dc_ = ::CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    if (dib_) previousBitmap_ = ::SelectObject(dc_, dib_);
    gdip::GdipCreateFromHDC(dc_, &graphics_);
}

Surface::Surface(Surface&& other) noexcept { *this = std::move(other); }

Surface& Surface::operator=(Surface&& other) noexcept {
    if (this != &other) {
        Release();
        graphics_ = std::exchange(other.graphics_, nullptr);
        dc_ = std::exchange(other.dc_, nullptr);
        dib_ = std::exchange(other.dib_, nullptr);
        previousBitmap_ = std::exchange(other.previousBitmap_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bits_ = std::exchange(other.bits_, nullptr);
    }
    return *this;
}

void Surface::Release() {
    if (graphics_) gdip::GdipDeleteGraphics(graphics_);
    if (dc_ && previousBitmap_) ::SelectObject(dc_, previousBitmap_);
    if (dc_) ::DeleteDC(dc_);
    if (dib_) ::DeleteObject(dib_);
    graphics_ = nullptr;
    dc_ = nullptr;
    dib_ = nullptr;
    previousBitmap_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

std::uint32_t Surface::PixelAt(std::int32_t x, std::int32_t y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    if (graphics_) gdip::GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
    ::GdiFlush();
    return bits_[static_cast<std::size_t>(height_ - 1 - y) * width_ + x];
}

}  // namespace lirvo
