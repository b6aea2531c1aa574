#pragma once
// The focus indicator: a ring two pixels wide, one pixel clear of the
// control that has the focus, drawn into the window's main surface once the
// keyboard was used on the window (a mouse user never sees it). Its colour
// is one of the toolkit's two blues, the deep one on light surroundings and
// the pale one on dark, whichever stands out more against the pixels just
// outside and just inside the ring.
//
// The ring lies outside every control's rectangle, so a control repainting
// itself leaves it alone; the window draws it again whenever it puts its
// surface on screen, and wipes it (background and the controls under it,
// limited to the ring) where the focus left.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/rect.h"
#include "skin/window/surface.h"

namespace lirvo {

inline constexpr std::uint32_t kFocusRingDark = 0xFF00285A;
inline constexpr std::uint32_t kFocusRingLight = 0xFFC8EBFF;
inline constexpr std::int32_t kFocusRingGap = 1;
inline constexpr std::int32_t kFocusRingWidth = 2;

// The outer rectangle of the ring around a control's rectangle.
Rect FocusRingAround(const Rect& control);

// Brings the window's main surface up to date with the focus indicator;
// returns the area it changed (empty when none), to be put on screen.
Rect PresentFocusIndicator(HWND window, Surface& mainSurface);

}  // namespace lirvo
