// SkinWindow: presentation. The finished main surface reaches the screen
// here, by a copy to the window or as a layered window's update, and the
// hosted controls are asked to draw themselves onto it.

#include "skin/window/skin_window.h"

#include "skin/core/host_window_proc.h"
#include "skin/core/toolkit.h"
#include "skin/window/focus_indicator.h"
#include "skin/window/frame_presented.h"
#include "skin/window/skin_window_parts.h"

namespace lirvo {

using window_parts::FlushGraphics;

void SkinWindow::Refresh(bool now) {
    if (layered_) {
        UpdateRect({});
        return;
    }
    ::InvalidateRect(window_, nullptr, TRUE);
    if (now) ::UpdateWindow(window_);
}

void SkinWindow::Repaint() { RebuildSurfaces(); }

void SkinWindow::RepaintAndRefresh() {
    Repaint();
    Refresh(true);
}

void SkinWindow::Relayout() {
    LayoutCaptionButtons();
    SendToHostedControls(kEventRedraw, 0, true);
    RebuildSurfaces();
    Refresh(true);
}

std::optional<std::size_t> SkinWindow::RegistryPosition() const {
    return Handle() != 0 ? Toolkit().objectRegistry.PositionOf(Handle()) : std::nullopt;
}

void SkinWindow::SendToHostedControls(std::int32_t event, EventParam p1, bool onlyDeeper) {
    const auto position = RegistryPosition();
    if (!position) return;
    ObjectRegistry& registry = Toolkit().objectRegistry;
    // Newer entries stand before the window's own; a handler may change the
    // registry, so each step looks the position up again.
    std::vector<ObjectHandle> targets;
    for (std::size_t i = *position; i > 1; --i) {
        const SkinObject* object = registry.ObjectAt(i - 1);
        if (!object) break;
        if (onlyDeeper ? object->State().depth <= State().depth : object->State().hostWindow != window_) break;
        targets.push_back(object->Handle());
    }
    for (ObjectHandle target : targets) SendObjectEvent(target, event, p1);
}

void SkinWindow::RedrawControls(Gdiplus::GpGraphics* graphics) {
    SendToHostedControls(kEventPaintOnHost, reinterpret_cast<EventParam>(graphics), false);
}

void SkinWindow::UpdateRect(const Rect& rect) {
    if (animating_ || !window_ || !mainSurface_) return;
    const Rect indicator = PresentFocusIndicator(window_, mainSurface_);
    FlushGraphics(mainSurface_.Graphics());
    if (layered_) {
        POINT position{bounds_.left, bounds_.top};
        SIZE size{bounds_.width, bounds_.height};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity_, AC_SRC_ALPHA};
        if (::UpdateLayeredWindow(window_, windowDc_, &position, &size, mainSurface_.Dc(), &source, 0, &blend,
                                  ULW_ALPHA))
            NotifyFramePresented(window_);
        return;
    }
    ::BitBlt(windowDc_, rect.left, rect.top, rect.width, rect.height, mainSurface_.Dc(), rect.left, rect.top, SRCCOPY);
    ::BitBlt(windowDc_, indicator.left, indicator.top, indicator.width, indicator.height, mainSurface_.Dc(),
             indicator.left, indicator.top, SRCCOPY);
}

}  // namespace lirvo
