#include "skin/window/shadow_frame.h"

#include <algorithm>
#include <cmath>

namespace lirvo {
namespace {

// The picture is just large enough for its margins and a centre to stretch.
constexpr std::int32_t kSize = 48;
// The shadow reaches this far out from the body and is this dark next to it.
constexpr float kSpread = 8.0f;
constexpr float kDarkest = 96.0f;
// A faint line marks the body's own edge.
constexpr std::uint32_t kEdgeAlpha = 120;

std::uint32_t ShadowAlpha(std::int32_t x, std::int32_t y) {
    const std::int32_t left = kShadowOffsetX, top = kShadowOffsetY;
    const std::int32_t right = kSize - kShadowOffsetX, bottom = kSize - kShadowOffsetY;
    const bool inside = x >= left && x < right && y >= top && y < bottom;
    if (inside) {
        const bool edge = x == left || x == right - 1 || y == top || y == bottom - 1;
        return edge ? kEdgeAlpha : 0;
    }
    const float dx = static_cast<float>(std::max({left - x, x - (right - 1), 0}));
    const float dy = static_cast<float>(std::max({top - y, y - (bottom - 1), 0}));
    const float distance = std::sqrt(dx * dx + dy * dy);
    const float fall = std::max(0.0f, 1.0f - distance / kSpread);
    return static_cast<std::uint32_t>(kDarkest * fall * fall);
}

GdipBitmap PaintShadowFrame() {
    Gdiplus::GpBitmap* bitmap = nullptr;
    gdip::GdipCreateBitmapFromScan0(kSize, kSize, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GdipBitmap owned(bitmap);
    if (!owned) return owned;
    for (std::int32_t y = 0; y < kSize; ++y)
        for (std::int32_t x = 0; x < kSize; ++x)
            gdip::GdipBitmapSetPixel(bitmap, x, y, ShadowAlpha(x, y) << 24);
    return owned;
}

}  // namespace

Gdiplus::GpBitmap* ShadowFrameImage() {
    static const GdipBitmap* const image = new GdipBitmap(PaintShadowFrame());  // lives until the process ends
    return image->get();
}

}  // namespace lirvo
