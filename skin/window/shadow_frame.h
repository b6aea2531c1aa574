#pragma once
// The shadow frame of windows created with the shadow frame style: a soft
// shadow around the window's body, drawn as a nine-grid over the whole
// window. The built-in image set carries no picture for it, so the toolkit
// paints its own once and keeps it for the life of the process; callers draw
// it and never dispose of it.

#include <cstdint>

#include "skin/core/gdiplus_api.h"
#include "skin/window/drawing.h"

namespace lirvo {

// Nine-grid margins of the shadow frame picture.
inline constexpr Margins kShadowFrameMargins{14, 15, 14, 15};
// Where the window's body starts inside the frame: the pointer offsets of a
// shadow-framed window.
inline constexpr std::int32_t kShadowOffsetX = 8;
inline constexpr std::int32_t kShadowOffsetY = 7;

// The picture, 32-bit ARGB: transparent inside the body, shading off to
// nothing at the outer edge.
Gdiplus::GpBitmap* ShadowFrameImage();

}  // namespace lirvo
