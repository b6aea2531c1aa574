// SkinWindow: the show, hide and close transitions: their effects and pace,
// the frames the animator draws on the transition timer, and the window put
// back in its place once they end.

#include "skin/window/skin_window.h"

#include <utility>

#include "skin/window/skin_window_parts.h"

namespace lirvo {

using window_parts::WindowRect;

void SkinWindow::ShowEffect(std::optional<std::int32_t> effect, std::int32_t interval) {
    if (effect) showEffect_ = *effect;
    showInterval_ = interval == 0 ? 16 : interval;
}

void SkinWindow::CloseEffect(std::optional<std::int32_t> effect, std::int32_t interval) {
    if (effect) closeEffect_ = *effect;
    closeInterval_ = interval == 0 ? 16 : interval;
}

void SkinWindow::StopEffect(bool refresh) {
    ::KillTimer(window_, kTransitionTimer);
    ::KillTimer(window_, kTransitionTimer + 65536);
    animator_.Release();
    if (animating_) PutBackInPlace();
    animating_ = false;
    animationProgress_ = animationCounter_ = 0;
    FitSurfacesToWindow();
    if (refresh) UpdateRect({});
}

void SkinWindow::FitSurfacesToWindow() {
    if (!window_) return;
    // Not every system reports the sizes of layered-window updates with WM_SIZE.
    RefreshBounds();
    if (mainSurface_.Width() == bounds_.width && mainSurface_.Height() == bounds_.height) return;
    LayoutCaptionButtons();
    LayoutCaption();
    RebuildSurfaces();
}

void SkinWindow::PutBackInPlace() {
    const Rect home = transitionHome_;
    if (!window_ || home.width <= 0 || home.height <= 0) return;
    if (WindowRect(window_) != home) {
        // Moved back while counted as animating: WM_MOVE and WM_SIZE then
        // leave the bounds, which are this place, and the surfaces, which
        // already fit it, as they are.
        const bool wasAnimating = std::exchange(animating_, true);
        ::SetWindowPos(window_, nullptr, home.left, home.top, home.width, home.height, SWP_NOZORDER | SWP_NOACTIVATE);
        animating_ = wasAnimating;
    }
    bounds_ = home;
}

void SkinWindow::BeginTransition(UINT timerId, std::int32_t interval) {
    // WM_MOVE and WM_SIZE leave the bounds alone while frames run, so they
    // are still where the window belongs when a transition takes over
    // from another.
    transitionHome_ = bounds_;
    animating_ = true;
    animator_.Begin(window_, mainSurface_.Dc(), opacity_, true);
    ::SetWindowRgn(window_, nullptr, TRUE);
    ::SetTimer(window_, timerId, static_cast<UINT>(interval), nullptr);
}

void SkinWindow::OnClose() {
    if (closeEffect_ != 0) {
        showEffect_ = 0;  // the frames now come from the close effect
        BeginTransition(kTransitionTimer, closeInterval_);
    } else if (showEffect_ != 0) {
        BeginTransition(kTransitionTimer, showInterval_);
    } else {
        return;
    }
    // The message then goes on and the window closes.
    RunTransitionToEnd();
}

bool SkinWindow::PlayHideFrames() {
    if (animating_) StopEffect(false);
    BeginTransition(kTransitionTimer, showInterval_);
    // The first frame at once, as a show puts up its own.
    TransitionTick(kTransitionTimer);
    if (!RunTransitionToEnd()) return false;
    if (animating_) StopEffect(false);  // the loop ended early, on WM_QUIT
    return true;
}

bool SkinWindow::RunTransitionToEnd() {
    const HWND window = window_;
    const std::shared_ptr<bool> alive = alive_;
    MSG message;
    while (*alive && animating_ && window_ == window) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return *alive && window_ == window;
}

void SkinWindow::TransitionTick(UINT_PTR timerId) {
    std::int32_t effect = showEffect_;
    bool in = (timerId >> 16) == 1;
    if (effect == 0) {
        effect = closeEffect_;
        in = false;
    }
    if (effect == 0 || !animating_) {
        ::KillTimer(window_, timerId);
        return;
    }
    if (!animator_.Frame(effect, in, animationProgress_, animationCounter_)) return;
    ::KillTimer(window_, timerId);
    // The snapshot and the work canvas are window-sized: they go with the last frame.
    animator_.Release();
    animationProgress_ = animationCounter_ = 0;
    if (!in) {
        // A hide or a close takes the window off the screen next; put back
        // before that, it would show itself whole for a moment.
        animating_ = false;
        return;
    }
    PutBackInPlace();
    animating_ = false;
    FitSurfacesToWindow();
    ApplyCornerRegion(true);
    // Whatever controls drew while the frames ran reaches the screen now.
    UpdateRect({});
}

}  // namespace lirvo
