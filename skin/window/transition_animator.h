#pragma once
// TransitionAnimator: renders a skinned window's show and close transitions.
// Begin copies the finished main surface into a snapshot once; each effect
// frame then draws from the snapshot and pushes one frame onto the layered
// window. The owner (the window) drives the frames from its timer and keeps
// the progress values; an effect frame reports true when the effect is done.

#include <windows.h>

#include <cstdint>

#include "skin/core/gdiplus_api.h"
#include "skin/core/rect.h"
#include "skin/window/canvas.h"

namespace lirvo {

enum TransitionEffect : std::int32_t {
    kEffectNone = 0,
    kEffectFade = 1,
    kEffectSlideLeft = 2,
    kEffectSlideRight = 3,
    kEffectSlideUp = 4,
    kEffectSlideDown = 5,
    kEffectPop = 6,
    kEffectReveal = 7,
    kEffectZoom = 8,
    kEffectFlipVertical = 9,    // turning about the vertical axis
    kEffectFlipHorizontal = 10, // turning about the horizontal axis
};
inline constexpr std::int32_t kEffectCount = 10;

class TransitionAnimator {
public:
    TransitionAnimator() = default;
    virtual ~TransitionAnimator() { Release(); }
    TransitionAnimator(const TransitionAnimator&) = delete;
    TransitionAnimator& operator=(const TransitionAnimator&) = delete;

    // Snapshots `source` (the window's main surface) for the frames to come.
    virtual std::int32_t Begin(HWND window, HDC source, std::uint8_t alpha, bool useAlpha);
    virtual void Release();
    virtual void MeasureWindow();
    virtual void SetupQuad(std::int32_t width, std::int32_t height);
    // Direction 1 turns on by 7 degrees (up to 180), 0 turns back by 5.
    virtual void StepAngle(std::int32_t direction);
    // One frame of effect 1..10; true when the effect is complete.
    virtual bool Frame(std::int32_t effect, bool in, std::int32_t& progress, std::int32_t& counter);

    std::int32_t Angle() const { return angle_; }
    const Rect& WindowRect() const { return windowRect_; }
    HDC SnapshotDc() const { return snapshot_.GetHandle(); }
    // The canvas the frames that are not the snapshot itself are drawn on;
    // a frame is pushed from its top-left corner.
    HDC WorkDc() const { return work_.GetHandle(); }
    // The frame last pushed, for inspection: position, size and alpha.
    struct PushedFrame {
        Rect rect;
        std::uint8_t alpha = 0;
    };
    const PushedFrame& LastFrame() const { return lastFrame_; }

private:
    using FrameFunction = bool (TransitionAnimator::*)(std::int32_t effect, bool in, std::int32_t& progress,
                                                       std::int32_t& counter);
    bool FadeSlide(std::int32_t effect, bool in, std::int32_t& progress, std::int32_t& counter);
    bool Pop(std::int32_t effect, bool in, std::int32_t& growth, std::int32_t& phase);
    bool Reveal(std::int32_t effect, bool in, std::int32_t& progress, std::int32_t& counter);
    bool Zoom(std::int32_t effect, bool in, std::int32_t& height, std::int32_t& width);
    bool Flip(std::int32_t effect, bool in, std::int32_t& progress, std::int32_t& counter);

    bool Push(HDC source, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
              std::uint8_t alpha);
    bool EnsureWork(std::int32_t width, std::int32_t height);
    Gdiplus::GpBitmap* SnapshotImage();

    Rect windowRect_;
    HWND window_ = nullptr;
    Canvas snapshot_;
    GdipBitmap snapshotImage_;  // shares the snapshot's pixels
    Canvas work_;
    GdipBitmap workImage_;
    GdipGraphics workGraphics_;
    POINT corners_[4] = {};  // around the window's centre
    std::int32_t angle_ = 0;
    std::uint8_t alpha_ = 255;
    HDC source_ = nullptr;
    PushedFrame lastFrame_;
};

}  // namespace lirvo
