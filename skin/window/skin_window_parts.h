#pragma once
// Small routines the units of SkinWindow share; not part of its interface.

#include <windows.h>

#include <cstdint>

#include "skin/core/gdiplus_api.h"
#include "skin/core/rect.h"

namespace lirvo::window_parts {

inline void FlushGraphics(Gdiplus::GpGraphics* graphics) {
    if (graphics) gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
}

inline Rect WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

inline void SetRoundedRegion(HWND window, std::int32_t width, std::int32_t height, std::int32_t radius) {
    // The window owns the region once it is set.
    ::SetWindowRgn(window, ::CreateRoundRectRgn(0, 0, width, height, radius, radius), TRUE);
}

}  // namespace lirvo::window_parts
