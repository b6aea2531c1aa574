#include "skin/window/focus_indicator.h"

#include <algorithm>
#include <array>
#include <memory>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "skin/core/contrast.h"
#include "skin/core/host_window_proc.h"
#include "skin/core/keyboard_navigation.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "skin/window/skin_window.h"

namespace lirvo {
namespace {

struct RegionDeleter {
    void operator()(HRGN region) const { ::DeleteObject(region); }
};
using UniqueRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, RegionDeleter>;

bool IsEmpty(const Rect& rect) { return rect.width <= 0 || rect.height <= 0; }

bool Intersects(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

Rect Union(const Rect& a, const Rect& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    const std::int32_t left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    const std::int32_t right = std::max(a.left + a.width, b.left + b.width);
    const std::int32_t bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top};
}

Rect Inflated(const Rect& rect, std::int32_t by) {
    return {rect.left - by, rect.top - by, rect.width + 2 * by, rect.height + 2 * by};
}

// The four sides of a band `width` wide just inside the rectangle.
std::array<Rect, 4> Band(const Rect& outer, std::int32_t width) {
    const std::int32_t right = outer.left + outer.width, bottom = outer.top + outer.height;
    return {{{outer.left, outer.top, outer.width, width},
             {outer.left, bottom - width, outer.width, width},
             {outer.left, outer.top + width, width, outer.height - 2 * width},
             {right - width, outer.top + width, width, outer.height - 2 * width}}};
}

struct WindowRing {
    Rect drawn;  // empty: none on the surface
};

std::unordered_map<HWND, WindowRing>& Rings() {
    static std::unordered_map<HWND, WindowRing> rings;
    return rings;
}

void FlushSurface(const Surface& surface) {
    if (surface.Graphics()) gdip::GdipFlush(surface.Graphics(), Gdiplus::FlushIntentionSync);
    ::GdiFlush();
}

// The colours along a rectangle's edge, every few pixels, as they show.
void SampleEdge(const Surface& surface, const Rect& rect, std::vector<std::uint32_t>& samples) {
    auto sample = [&](std::int32_t x, std::int32_t y) {
        if (x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height()) return;
        const std::uint32_t pixel = surface.PixelAt(x, y);
        const std::uint32_t alpha = pixel >> 24;
        if (alpha == 0) return;  // nothing of the window there
        auto channel = [&](int shift) { return std::min<std::uint32_t>(255, (pixel >> shift & 0xFF) * 255 / alpha); };
        samples.push_back(0xFF000000u | channel(16) << 16 | channel(8) << 8 | channel(0));
    };
    const std::int32_t right = rect.left + rect.width - 1, bottom = rect.top + rect.height - 1;
    for (std::int32_t x = rect.left; x <= right; x += 3) {
        sample(x, rect.top);
        sample(x, bottom);
    }
    for (std::int32_t y = rect.top; y <= bottom; y += 3) {
        sample(rect.left, y);
        sample(right, y);
    }
}

std::uint32_t RingColour(const Surface& surface, const Rect& outer) {
    std::vector<std::uint32_t> around;
    SampleEdge(surface, Inflated(outer, 1), around);
    SampleEdge(surface, Inflated(outer, -kFocusRingWidth), around);
    return BetterContrasting(kFocusRingDark, kFocusRingLight, around);
}

void DrawRing(Surface& surface, const Rect& outer) {
    FlushSurface(surface);
    const std::uint32_t colour = RingColour(surface, outer);
    // The outer corner pixels stay clear: the ring's corners round off as
    // the toolkit's outlines do.
    const std::int32_t w = kFocusRingWidth;
    const std::int32_t right = outer.left + outer.width, bottom = outer.top + outer.height;
    surface.FillPixels(outer.left + 1, outer.top, outer.width - 2, w, colour);
    surface.FillPixels(outer.left + 1, bottom - w, outer.width - 2, w, colour);
    surface.FillPixels(outer.left, outer.top + 1, w, outer.height - 2, colour);
    surface.FillPixels(right - w, outer.top + 1, w, outer.height - 2, colour);
}

// Puts back what lies under the ring: the window's frame, then every shown
// control of the window that reaches under it, in painting order, each held
// to the ring so that nothing else is blended twice.
void EraseRing(HWND window, Surface& surface, const Rect& outer) {
    FlushSurface(surface);
    const HDC dc = surface.Dc();
    const auto background = reinterpret_cast<HDC>(GetWindowProperty(window, property::kBackgroundDc));
    UniqueRegion ring(::CreateRectRgn(0, 0, 0, 0));
    for (const Rect& side : Band(outer, kFocusRingWidth)) {
        if (IsEmpty(side)) continue;
        if (background)
            ::BitBlt(dc, side.left, side.top, side.width, side.height, background, side.left, side.top, SRCCOPY);
        UniqueRegion part(::CreateRectRgn(side.left, side.top, side.left + side.width, side.top + side.height));
        ::CombineRgn(ring.get(), ring.get(), part.get(), RGN_OR);
    }
    ::SelectClipRgn(dc, ring.get());
    ObjectRegistry& registry = Toolkit().objectRegistry;
    std::vector<ObjectHandle> under;
    for (std::size_t i = registry.Size(); i >= 1; --i) {
        const SkinObject* object = registry.ObjectAt(i);
        if (!object || object->Handle() <= 0 || object->State().hostWindow != window) continue;
        if (IsObjectShown(object->Handle()) && Intersects(object->State().hitRect, outer))
            under.push_back(object->Handle());
    }
    for (ObjectHandle handle : under) SendObjectEvent(handle, kEventPaintOnHost);
    ::GdiFlush();
    ::SelectClipRgn(dc, nullptr);
}

}  // namespace

Rect FocusRingAround(const Rect& control) { return Inflated(control, kFocusRingGap + kFocusRingWidth); }

Rect PresentFocusIndicator(HWND window, Surface& mainSurface) {
    static bool presenting = false;
    if (presenting || !window || !mainSurface) return {};
    presenting = true;
    Rect wanted;
    if (const ObjectHandle target = FocusIndicatorTarget(window))
        if (const SkinObject* object = Toolkit().objectRegistry.Find(target))
            if (!IsEmpty(object->State().hitRect)) wanted = FocusRingAround(object->State().hitRect);

    WindowRing& ring = Rings()[window];
    Rect changed;
    if (!IsEmpty(ring.drawn) && ring.drawn != wanted) {
        EraseRing(window, mainSurface, ring.drawn);
        changed = ring.drawn;
    }
    // Drawn every time: a repaint of the whole window may have covered it.
    if (!IsEmpty(wanted)) {
        DrawRing(mainSurface, wanted);
        changed = Union(changed, wanted);
    }
    ring.drawn = wanted;
    if (IsEmpty(wanted)) Rings().erase(window);
    presenting = false;
    return changed;
}

}  // namespace lirvo
