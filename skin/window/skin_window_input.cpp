// SkinWindow: mouse handling, caption-button state machine, caption commands,
// resizing and tooltips.

#include "skin/window/skin_window.h"

#include <shellapi.h>

#include "skin/core/declared_function.h"
#include "skin/core/host_window_proc.h"
#include "skin/core/toolkit.h"

namespace lirvo {
namespace {

// Both bounds exclusive: a rectangle's own left column and top row are outside.
bool PointIn(const Rect& rect, POINT point) { return rect.ContainsStrictly(point.x, point.y); }

void SetStandardCursor(LPCSTR cursor) { ::SetCursor(::LoadCursorA(nullptr, cursor)); }

// The eight resize zones, first match wins.
struct ResizeZone {
    std::int32_t zone;
    bool (*contains)(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
    LPCSTR cursor;
    WPARAM sizingCommand;
};
const ResizeZone kResizeZones[] = {
    {1, [](int x, int y, int, int) { return x <= 6 && y <= 6; }, IDC_SIZENWSE, SC_SIZE | WMSZ_TOPLEFT},
    {2, [](int x, int y, int w, int) { return x >= 6 && x <= w - 6 && y <= 3; }, IDC_SIZENS, SC_SIZE | WMSZ_TOP},
    {3, [](int x, int y, int w, int) { return x >= w - 6 && y <= 6; }, IDC_SIZENESW, SC_SIZE | WMSZ_TOPRIGHT},
    {4, [](int x, int y, int w, int h) { return x > w - 3 && y > 3 && y < h - 3; }, IDC_SIZEWE, SC_SIZE | WMSZ_RIGHT},
    {5, [](int x, int y, int w, int h) { return x >= w - 6 && y >= h - 6; }, IDC_SIZENWSE, SC_SIZE | WMSZ_BOTTOMRIGHT},
    {6, [](int x, int y, int w, int h) { return x >= 7 && x < w - 6 && y >= h - 3; }, IDC_SIZENS, SC_SIZE | WMSZ_BOTTOM},
    {7, [](int x, int y, int, int h) { return x <= 6 && y >= h - 6; }, IDC_SIZENESW, SC_SIZE | WMSZ_BOTTOMLEFT},
    {8, [](int x, int y, int, int h) { return x <= 3 && y > 6 && y < h - 6; }, IDC_SIZEWE, SC_SIZE | WMSZ_LEFT},
};

}  // namespace

std::string SkinWindow::SetToolTip(std::optional<std::string> text, const Rect& rect) {
    if (text) toolTip_.SetText(window_, *text, rect, false, false);
    return toolTip_.Text();
}

std::int32_t SkinWindow::UpdateResizeCursor(std::int32_t x, std::int32_t y) {
    if (!resizable_ || maximised_) return 0;
    for (const ResizeZone& zone : kResizeZones) {
        if (!zone.contains(x, y, bounds_.width, bounds_.height)) continue;
        SetStandardCursor(zone.cursor);
        return zone.zone;
    }
    return 0;
}

std::int32_t SkinWindow::BeginResize(std::int32_t x, std::int32_t y) {
    const std::int32_t zone = UpdateResizeCursor(x, y);
    if (zone != 0) ::SendMessageW(window_, WM_SYSCOMMAND, kResizeZones[zone - 1].sizingCommand, 0);
    return zone;
}

void SkinWindow::OnMouseMove(std::int32_t x, std::int32_t y) {
    const bool ownCursor = Toolkit().customCursorSet;
    if (!ownCursor) SetStandardCursor(IDC_ARROW);
    if (!mouseTracked_) {
        TrackMouseLeave();
        mouseTracked_ = true;
    }
    if (UpdateResizeCursor(x, y) != 0) return;
    // The caption and its buttons are laid out where they are drawn, inside
    // any shadow: the client point is the point to dispatch.
    const POINT dispatch{x, y};
    const std::shared_ptr<bool> alive = alive_;
    DispatchMouse(dispatch, WM_MOUSEMOVE);
    if (*alive && window_ && PointIn(captionRect_, dispatch) && !ownCursor) SetStandardCursor(IDC_ARROW);
}

void SkinWindow::OnLeftButtonDown(std::int32_t x, std::int32_t y) {
    const POINT dispatch{x, y};
    if (movable_ && PointIn(captionRect_, dispatch)) {
        // The system moves the window while the button is held.
        if (BeginResize(x, y) == 0 && !maximised_) ::SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return;
    }
    if (BeginResize(x, y) == 0) DispatchMouse(dispatch, WM_LBUTTONDOWN);
}

void SkinWindow::OnLeftDoubleClick(std::int32_t x, std::int32_t y) {
    if (!doubleClickMaximise_ || resizable_) return;
    const POINT point{x + 10, y - 1};
    if (!movable_ || !PointIn(captionRect_, point)) return;
    const bool wasMaximised = maximised_;
    const std::shared_ptr<bool> alive = alive_;
    CaptionCommand(wasMaximised ? kCaptionRestore : kCaptionMaximise);
    if (*alive && window_) maximised_ = !wasMaximised;
}

void SkinWindow::ResetCaptionButtons() {
    for (std::size_t i = 1; i <= captionButtons_.size(); ++i) {
        CaptionButton& button = captionButtons_[i - 1];
        if (button.hot || button.pressed || button.state != 1) ChangeCaptionButtonState(i, 1);
        button.hot = button.pressed = false;
    }
    buttonsIdle_ = true;
}

void SkinWindow::RepaintDirtyButtons() {
    for (std::size_t i = 1; i <= captionButtons_.size(); ++i) {
        CaptionButton& button = captionButtons_[i - 1];
        if (!button.dirty) continue;
        button.dirty = false;
        button.fadeLevel = 100;
        PaintCaptionButtons(mainSurface_.Graphics(), mainSurface_.Dc(), i, true);
    }
}

LRESULT SkinWindow::DispatchMouse(std::optional<POINT> given, UINT message) {
    POINT point{};
    if (given) {
        point = *given;
    } else {
        ::GetCursorPos(&point);
        ::ScreenToClient(window_, &point);
    }
    const bool inside = PointIn(captionButtonsRect_, point);
    const auto under = [&](const CaptionButton& button) { return PointIn(button.rect, point); };
    std::optional<std::int32_t> command;

    if (message == WM_MOUSELEAVE || (!inside && (message == WM_LBUTTONUP || message == WM_MOUSEMOVE))) {
        if (message == WM_LBUTTONUP) ::ReleaseCapture();
        if (message != WM_MOUSEMOVE || !buttonsIdle_) ResetCaptionButtons();
    } else if (message == WM_LBUTTONDOWN && !inside) {
        if (!buttonsIdle_)
            for (CaptionButton& button : captionButtons_) button.pressed = false;
        buttonsIdle_ = true;
        // A press inside the caption buttons never gets here, so they stay
        // clickable on windows that drag from anywhere.
        if (HitTest(window_, point.x, point.y) == 0 && !maximised_ && dragAnywhere_)
            ::SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    } else if (inside && (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_MOUSEMOVE)) {
        buttonsIdle_ = false;
        if (message == WM_LBUTTONUP) ::ReleaseCapture();
        for (std::size_t i = 1; i <= captionButtons_.size(); ++i) {
            CaptionButton& button = captionButtons_[i - 1];
            const bool isUnder = under(button);
            if (!isUnder) {
                ChangeCaptionButtonState(i, 1);
                button.hot = button.pressed = false;
            } else if (message == WM_LBUTTONDOWN) {
                ChangeCaptionButtonState(i, 3);
                button.hot = button.pressed = true;
                ::SetCapture(window_);
            } else if (message == WM_LBUTTONUP) {
                ChangeCaptionButtonState(i, 2);
                button.hot = true;
                if (button.pressed) command = button.kind;  // press and release on the same button
                button.pressed = false;
            } else if (button.state == 1) {
                ChangeCaptionButtonState(i, 2);
                button.hot = true;
                button.pressed = false;
            }
        }
    }
    RepaintDirtyButtons();
    // Last: the command may close the window and take the buttons with it.
    if (command) CaptionCommand(*command);
    return 0;
}

bool SkinWindow::RaiseEvent(std::int32_t code) {
    // A copy: the handler may delete this window, and itself with it.
    const EventHandler handler = eventHandler_;
    return handler && handler(*this, code);
}

void SkinWindow::CaptionCommand(std::int32_t kind) {
    const std::shared_ptr<bool> alive = alive_;
    if (RaiseEvent(kind) || !*alive || !window_) return;
    switch (kind) {
    case kCaptionClose:
        ::SendMessageW(window_, WM_CLOSE, 0, 0);
        break;
    case kCaptionMinimise:
        ::CloseWindow(window_);
        break;
    case kCaptionMaximise:
        for (CaptionButton& button : captionButtons_)
            if (button.kind == kCaptionMaximise) button.kind = kCaptionRestore;
        MaximiseToWorkArea();
        maximised_ = true;
        break;
    case kCaptionRestore:
        for (CaptionButton& button : captionButtons_)
            if (button.kind == kCaptionRestore) button.kind = kCaptionMaximise;
        ::ShowWindow(window_, SW_RESTORE);
        maximised_ = false;
        break;
    default:
        break;  // buttons 5 to 7 only raise their event
    }
}

namespace {
// Only maximising asks the shell; a window that never maximises does not load it.
DeclaredFunction<decltype(&::SHAppBarMessage)> shAppBarMessage{"shell32.dll", "SHAppBarMessage"};
}  // namespace

void SkinWindow::MaximiseToWorkArea() {
    APPBARDATA taskbar{};
    taskbar.cbSize = sizeof(taskbar);
    // Without a task bar (the rectangle stays empty) the window covers the desktop.
    shAppBarMessage(ABM_GETTASKBARPOS, &taskbar);
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const RECT& bar = taskbar.rc;
    const std::int32_t dw = desktop.right - desktop.left, dh = desktop.bottom - desktop.top;
    const std::int32_t tw = bar.right - bar.left, th = bar.bottom - bar.top;

    sizing_ = true;
    ::ShowWindow(window_, SW_MAXIMIZE);
    sizing_ = false;
    std::optional<Rect> area;
    if (bar.top != 0) area = Rect{0, 0, dw + 1, dh - th + 1};                  // task bar at the bottom
    else if (bar.left != 0) area = Rect{0, 0, dw - tw + 1, dh + 1};            // at the right
    else if (bar.right == desktop.right && bar.bottom != desktop.bottom) area = Rect{0, bar.bottom, dw + 1, dh - th + 1};
    else if (bar.right != desktop.right) area = Rect{bar.right, 0, dw - tw + 1, dh + 1};  // at the left, or none
    if (area) ::MoveWindow(window_, area->left, area->top, area->width, area->height, FALSE);
}

}  // namespace lirvo
