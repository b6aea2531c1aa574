// SkinWindow: the message handling of the window procedure, the timers, and
// the application's hooks.

#include "skin/window/skin_window.h"

#include <windowsx.h>

#include "skin/core/host_window_proc.h"
#include "skin/core/toolkit.h"
#include "skin/window/skin_window_parts.h"

namespace lirvo {

using window_parts::SetRoundedRegion;

LRESULT SkinWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) return 0;
    const HWND window = window_;
    const WNDPROC oldProc = oldProc_;  // Destroy clears it
    // A hook, the event handler or the close transition's message loop may
    // delete this object; from then on only these copies may be used.
    const std::shared_ptr<bool> alive = alive_;
    LRESULT result = 0;
    if (preHook_) {
        const MessageHook hook = preHook_;
        if (hook(window, message, wParam, lParam, result) || !*alive) return result;
    }

    if (message == Toolkit().updateRectMessage && message != 0) {
        if (const Rect* rect = ReceivedUpdateRect(lParam)) UpdateRect(*rect);
    } else {
        switch (message) {
        case WM_MOVE:
            // A transition's frames move and size the window; its place is
            // still the one it had when the transition began, and the last
            // frame leaves it there.
            if (!animating_) RefreshBounds();
            if (captionDrag_ && !Toolkit().customCursorSet) ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
            captionDrag_ = false;
            break;
        case WM_SIZE:
            if (!animating_) RefreshBounds();
            if (!sizing_ && !animating_) {
                LayoutCaptionButtons();
                LayoutCaption();
                RebuildSurfaces();
                Refresh(false);
            }
            if (cornerRadius_ >= 1 && !animating_) SetRoundedRegion(window, bounds_.width, bounds_.height, cornerRadius_);
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(window, &paint);
            ::BitBlt(dc, 0, 0, bounds_.width, bounds_.height, mainSurface_.Dc(), 0, 0, SRCCOPY);
            ::EndPaint(window, &paint);
            break;
        }
        case WM_NCLBUTTONDOWN:
            captionDrag_ = true;
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_LBUTTONUP: {
            const std::int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            DispatchMouse(POINT{x, y}, WM_LBUTTONUP);
            break;
        }
        case WM_LBUTTONDBLCLK:
            OnLeftDoubleClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_MOUSELEAVE:
            DispatchMouse(std::nullopt, WM_MOUSELEAVE);
            mouseTracked_ = false;
            break;
        case WM_SHOWWINDOW:
            // A hide plays its frames from Show, while the window can still
            // be seen; here it is already on its way off the screen.
            if (wParam && showEffect_ != 0) BeginTransition(kTransitionTimer + 65536, showInterval_);
            else if (!wParam && animating_) StopEffect(false);
            break;
        case WM_CLOSE:
            OnClose();
            if (!*alive || !window_) return 0;  // the window went while the transition ran
            break;
        case WM_TIMER:
            OnTimer(wParam);
            break;
        case WM_DESTROY:
            Destroy();
            break;
        case WM_SETFOCUS:
            if (accentMode_ == 1) PublishAccentColour();
            break;
        case WM_IME_CHAR:
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
    }

    if (!*alive) return result;  // the window went with its object
    if (postHook_) {
        const MessageHook hook = postHook_;
        if (hook(window, message, wParam, lParam, result) || !*alive) return result;
    }
    return oldProc ? ::CallWindowProcW(oldProc, window, message, wParam, lParam)
                   : ::DefWindowProcW(window, message, wParam, lParam);
}

void SkinWindow::OnTimer(UINT_PTR timerId) {
    if ((timerId & 0xFFFF) == kCaptionFadeTimer) FadeTick(timerId >> 16);
    else if ((timerId & 0xFFFF) == kTransitionTimer) TransitionTick(timerId);
}

void SkinWindow::SetHandlers(std::optional<EventHandler> eventHandler, std::optional<MessageHook> preHook,
                             std::optional<MessageHook> postHook) {
    if (eventHandler) eventHandler_ = std::move(*eventHandler);
    if (preHook) preHook_ = std::move(*preHook);
    if (postHook) postHook_ = std::move(*postHook);
}

bool SkinWindow::DragAnywhere(std::optional<bool> value) {
    if (value) dragAnywhere_ = *value;
    return dragAnywhere_;
}

void SkinWindow::TrackMouseLeave() {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
    ::TrackMouseEvent(&track);
}

}  // namespace lirvo
