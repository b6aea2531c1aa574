// SkinWindow: the show and close transitions: their effects and pace, the
// frames the animator draws on the transition timer, and the window fitted
// again once they end.

#include "skin/window/skin_window.h"

namespace lirvo {

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

void SkinWindow::BeginTransition(UINT timerId, std::int32_t interval) {
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
    // Runs the program's messages, the transition's timer among them, until
    // the last frame; the message then goes on and the window closes.
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
    animating_ = false;
    // The snapshot and the work canvas are window-sized: they go with the last frame.
    animator_.Release();
    FitSurfacesToWindow();
    ApplyCornerRegion(true);
    // Whatever controls drew while the frames ran reaches the screen now.
    if (in) UpdateRect({});
}

}  // namespace lirvo
