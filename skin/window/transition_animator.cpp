#include "skin/window/transition_animator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skin/window/frame_presented.h"

namespace lirvo {
namespace {

constexpr std::int32_t kFull = 255;
constexpr std::int32_t kSlideDistance = 40;
constexpr std::int32_t kPopGrowth = 10;

// A GDI+ bitmap over the pixels of a canvas surface (bottom-up, premultiplied),
// so that GDI+ draws straight into the surface with its alpha.
GdipBitmap WrapCanvas(const Canvas& canvas) {
    if (!canvas.Bits()) return {};
    Gdiplus::GpBitmap* bitmap = nullptr;
    BYTE* topRow = reinterpret_cast<BYTE*>(canvas.Bits() + static_cast<std::size_t>(canvas.Height() - 1) * canvas.Width());
    gdip::GdipCreateBitmapFromScan0(canvas.Width(), canvas.Height(), -canvas.Width() * 4, PixelFormat32bppPARGB,
                                    topRow, &bitmap);
    return GdipBitmap(bitmap);
}

std::uint8_t Scale(std::uint8_t alpha, std::int32_t part, std::int32_t whole) {
    if (whole <= 0) return 0;
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(std::int64_t{alpha} * part / whole, 0, 255));
}

// The frames that redraw the whole window at each tick (the pop and the
// flips) resample the snapshot's pixels here, bilinearly, in 16.16 fixed
// point: GDI+ took many times the timer's period for one such frame.
// Positions are of pixel centres: target pixel i looks at source position
// start + i x step, and a pixel between two source pixels mixes them.
// Beyond the snapshot's edges is nothing, so the picture's edges come out
// smooth.
class Resampler {
public:
    explicit Resampler(const Canvas& snapshot)
        : bits_(snapshot.Bits()), width_(snapshot.Width()), height_(snapshot.Height()) {}
    explicit operator bool() const { return bits_ != nullptr; }

    static std::int32_t Fixed(double value) { return static_cast<std::int32_t>(std::floor(value * 65536.0)); }

    // The source at (x, y) in 16.16.
    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        const std::int32_t left = x >> 16, top = y >> 16;
        const std::uint32_t wx = static_cast<std::uint32_t>(x & 0xFFFF) >> 8, wy = static_cast<std::uint32_t>(y & 0xFFFF) >> 8;
        if (left >= 0 && top >= 0 && left + 1 < width_ && top + 1 < height_) {
            const std::uint32_t* upper = Row(top) + left;
            const std::uint32_t* lower = Row(top + 1) + left;
            return Mix(Mix(upper[0], upper[1], wx), Mix(lower[0], lower[1], wx), wy);
        }
        return Mix(Mix(Pixel(left, top), Pixel(left + 1, top), wx), Mix(Pixel(left, top + 1), Pixel(left + 1, top + 1), wx),
                   wy);
    }

    // The snapshot's extent in 16.16 positions that still touch it.
    bool Touches(std::int32_t x, std::int32_t y) const {
        return x > -65536 && y > -65536 && (x >> 16) < width_ && (y >> 16) < height_;
    }

private:
    // a and b mixed, b by weight/256; two channels at a time.
    static std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
        const std::uint32_t keep = 256 - weight;
        const std::uint32_t redBlue = ((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight) >> 8 & 0x00FF00FFu;
        const std::uint32_t alphaGreen = ((a >> 8 & 0x00FF00FFu) * keep + (b >> 8 & 0x00FF00FFu) * weight) & 0xFF00FF00u;
        return redBlue | alphaGreen;
    }
    // Surfaces are bottom-up: rows counted from the top.
    const std::uint32_t* Row(std::int32_t y) const { return bits_ + static_cast<std::size_t>(height_ - 1 - y) * width_; }
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const {
        return x < 0 || y < 0 || x >= width_ || y >= height_ ? 0 : Row(y)[x];
    }

    const std::uint32_t* bits_;
    std::int32_t width_, height_;
};

std::uint32_t* TargetRow(const Canvas& canvas, std::int32_t y) {
    return canvas.Bits() + static_cast<std::size_t>(canvas.Height() - 1 - y) * canvas.Width();
}

// The snapshot scaled to width x height into the work canvas's top-left
// corner, as GDI+ draws it with bilinear filtering and half-pixel offsets.
void DrawScaled(const Canvas& snapshot, const Canvas& work, std::int32_t width, std::int32_t height) {
    const Resampler source(snapshot);
    if (!source || !work.Bits() || width <= 0 || height <= 0) return;
    ::GdiFlush();
    width = std::min(width, work.Width());
    height = std::min(height, work.Height());
    const double scaleX = static_cast<double>(snapshot.Width()) / width;
    const double scaleY = static_cast<double>(snapshot.Height()) / height;
    const std::int32_t stepX = Resampler::Fixed(scaleX), startX = Resampler::Fixed(0.5 * scaleX - 0.5);
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint32_t* row = TargetRow(work, y);
        const std::int32_t sourceY = Resampler::Fixed((y + 0.5) * scaleY - 0.5);
        for (std::int32_t x = 0, sourceX = startX; x < width; ++x, sourceX += stepX) row[x] = source.At(sourceX, sourceY);
    }
}

// Draws the snapshot as a plane turned by `turn` (radians, 0 = face-on)
// about the vertical or the horizontal axis through its centre, seen from
// `distance`, centred on the work canvas; every pixel of the canvas is
// written. Each line of the frame across the turning direction is a strip:
// it looks through the plane to the one line of the snapshot it shows and
// shows it scaled about the axis by that line's depth.
void DrawTurnedPlane(const Canvas& snapshot, const Canvas& work, bool aboutVertical, double turn, double distance) {
    const Resampler source(snapshot);
    if (!source || !work.Bits()) return;
    ::GdiFlush();
    const std::int32_t workWidth = work.Width(), workHeight = work.Height();
    const std::int32_t along = aboutVertical ? snapshot.Width() : snapshot.Height();
    const std::int32_t across = aboutVertical ? snapshot.Height() : snapshot.Width();
    const std::int32_t lines = aboutVertical ? workWidth : workHeight;
    const std::int32_t length = aboutVertical ? workHeight : workWidth;
    const double cosTurn = std::cos(turn), sinTurn = std::sin(turn);
    // Per strip: the snapshot line it shows and where along it the strip
    // starts and steps, all in 16.16; a strip that shows nothing has no step.
    struct Strip {
        std::int32_t line = 0, start = 0, step = 0;
    };
    std::vector<Strip> strips(static_cast<std::size_t>(lines));
    for (std::int32_t i = 0; i < lines; ++i) {
        // The strip's centre, from the axis, and where on the plane it looks.
        const double seen = i + 0.5 - lines / 2.0;
        const double denominator = distance * cosTurn - seen * sinTurn;
        if (denominator <= 0) continue;
        const double u = seen * distance / denominator;
        const double scale = distance / (distance + u * sinTurn);
        const double line = u + along / 2.0 - 0.5;
        if (scale <= 0 || line <= -1 || line >= along) continue;
        const double step = 1.0 / scale;
        strips[static_cast<std::size_t>(i)] = {Resampler::Fixed(line), Resampler::Fixed((0.5 - length / 2.0) * step + across / 2.0 - 0.5),
                                               Resampler::Fixed(step)};
    }
    for (std::int32_t y = 0; y < workHeight; ++y) {
        std::uint32_t* row = TargetRow(work, y);
        if (aboutVertical) {
            for (std::int32_t x = 0; x < workWidth; ++x) {
                const Strip& strip = strips[static_cast<std::size_t>(x)];
                const std::int32_t position = strip.start + y * strip.step;
                row[x] = strip.step && source.Touches(strip.line, position) ? source.At(strip.line, position) : 0;
            }
        } else {
            const Strip& strip = strips[static_cast<std::size_t>(y)];
            for (std::int32_t x = 0, position = strip.start; x < workWidth; ++x, position += strip.step)
                row[x] = strip.step && source.Touches(position, strip.line) ? source.At(position, strip.line) : 0;
        }
    }
}

}  // namespace

std::int32_t TransitionAnimator::Begin(HWND window, HDC source, std::uint8_t alpha, bool useAlpha) {
    Release();
    window_ = window;
    MeasureWindow();
    if (snapshot_.CreateSurface(windowRect_.width, windowRect_.height)) {
        snapshot_.BitBlt(0, 0, windowRect_.width, windowRect_.height, source, 0, 0);
        ::GdiFlush();
    }
    source_ = source;
    alpha_ = useAlpha ? alpha : 255;
    return 1;
}

void TransitionAnimator::Release() {
    windowRect_ = {};
    window_ = nullptr;
    workGraphics_.reset();
    workImage_.reset();
    snapshotImage_.reset();
    work_.Release();
    snapshot_.Release();
}

void TransitionAnimator::MeasureWindow() {
    RECT rect{};
    if (window_) ::GetWindowRect(window_, &rect);
    windowRect_ = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    SetupQuad(windowRect_.width, windowRect_.height);
}

void TransitionAnimator::SetupQuad(std::int32_t width, std::int32_t height) {
    corners_[0] = {-width / 2, -height / 2};
    corners_[1] = {width / 2, -height / 2};
    corners_[2] = {width / 2, height / 2};
    corners_[3] = {-width / 2, height / 2};
}

void TransitionAnimator::StepAngle(std::int32_t direction) {
    if (direction == 1 && angle_ < 180) angle_ = std::min(angle_ + 7, 180);
    else if (direction == 0 && angle_ > 0) angle_ = std::max(angle_ - 5, 0);
    else angle_ = 0;
}

bool TransitionAnimator::Frame(std::int32_t effect, bool in, std::int32_t& progress, std::int32_t& counter) {
    static constexpr FrameFunction kFrames[kEffectCount] = {
        &TransitionAnimator::FadeSlide, &TransitionAnimator::FadeSlide, &TransitionAnimator::FadeSlide,
        &TransitionAnimator::FadeSlide, &TransitionAnimator::FadeSlide, &TransitionAnimator::Pop,
        &TransitionAnimator::Reveal,    &TransitionAnimator::Zoom,      &TransitionAnimator::Flip,
        &TransitionAnimator::Flip,
    };
    if (effect < 1 || effect > kEffectCount || !snapshot_.GetHandle()) return true;
    return (this->*kFrames[effect - 1])(effect, in, progress, counter);
}

bool TransitionAnimator::Push(HDC source, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                              std::uint8_t alpha) {
    POINT position{x, y};
    SIZE size{width, height};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    lastFrame_ = {{x, y, width, height}, alpha};
    if (width <= 0 || height <= 0) return false;
    if (!::UpdateLayeredWindow(window_, nullptr, &position, &size, source, &origin, 0, &blend, ULW_ALPHA)) return false;
    NotifyFramePresented(window_);
    return true;
}

bool TransitionAnimator::EnsureWork(std::int32_t width, std::int32_t height) {
    if (work_.GetHandle() && work_.Width() == width && work_.Height() == height) return true;
    workGraphics_.reset();
    workImage_.reset();
    if (!work_.CreateSurface(width, height)) return false;
    workImage_ = WrapCanvas(work_);
    Gdiplus::GpGraphics* graphics = nullptr;
    gdip::GdipGetImageGraphicsContext(workImage_.get(), &graphics);
    workGraphics_.reset(graphics);
    gdip::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeBilinear);
    gdip::GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf);
    return true;
}

Gdiplus::GpBitmap* TransitionAnimator::SnapshotImage() {
    if (!snapshotImage_) snapshotImage_ = WrapCanvas(snapshot_);
    return snapshotImage_.get();
}

// Effects 1 to 5: fade, alone or while sliding 40 pixels into place.
bool TransitionAnimator::FadeSlide(std::int32_t effect, bool in, std::int32_t& progress, std::int32_t&) {
    const std::int32_t step = effect == kEffectFade ? 10 : effect <= kEffectSlideRight ? 20 : 10;
    if (in) {
        if (progress < 1) MeasureWindow();
        progress = std::min(progress + step, kFull);
    } else {
        if (progress < 1) progress = kFull;
        progress = std::max(progress - step, 0);
    }
    const std::int32_t offset = (kFull - progress) * kSlideDistance / kFull;
    std::int32_t x = windowRect_.left, y = windowRect_.top;
    switch (effect) {
    case kEffectSlideLeft: x -= offset; break;
    case kEffectSlideRight: x += offset; break;
    case kEffectSlideUp: y -= offset; break;
    case kEffectSlideDown: y += offset; break;
    }
    Push(snapshot_.GetHandle(), x, y, windowRect_.width, windowRect_.height, Scale(alpha_, progress, kFull));
    if (in && progress >= kFull) {
        progress = 0;
        return true;
    }
    return !in && progress <= 0;
}

// Effect 6: the window swells by up to 10 pixels on each side while it
// appears, then settles; closing runs the same course backwards.
bool TransitionAnimator::Pop(std::int32_t, bool in, std::int32_t& growth, std::int32_t& phase) {
    const std::int32_t width = windowRect_.width, height = windowRect_.height;
    if (phase == 0) {
        phase = 1;
        growth = 0;
        EnsureWork(width + 2 * kPopGrowth, height + 2 * kPopGrowth);
    }
    growth = phase == 1 ? std::min(growth + 1, kPopGrowth) : std::max(growth - 2, 0);
    // The frame covers its corner of the canvas wholly: nothing else is pushed.
    DrawScaled(snapshot_, work_, width + 2 * growth, height + 2 * growth);
    // Appearing fades in over both phases, disappearing fades out over them.
    const std::int32_t shown = (phase == 1) == in ? growth : kPopGrowth * 2 - growth;
    const std::uint8_t alpha = Scale(alpha_, shown, kPopGrowth * 2);
    Push(work_.GetHandle(), windowRect_.left - growth, windowRect_.top - growth, width + 2 * growth,
         height + 2 * growth, alpha);
    if (phase == 1 && growth >= kPopGrowth) {
        phase = 2;
        return false;
    }
    if (phase == 2 && growth == 0) {
        phase = 0;
        workGraphics_.reset();
        workImage_.reset();
        work_.Release();
        return true;
    }
    return false;
}

// Effect 7: the window is revealed from the top down.
bool TransitionAnimator::Reveal(std::int32_t, bool in, std::int32_t& progress, std::int32_t&) {
    const std::int32_t height = windowRect_.height;
    const std::int32_t step = std::max(height / 14, 1);
    if (in) {
        progress = std::min(progress + step, height);
    } else {
        if (progress < 1) progress = height;
        progress = std::max(progress - step, 0);
    }
    Push(snapshot_.GetHandle(), windowRect_.left, windowRect_.top, windowRect_.width, progress,
         Scale(alpha_, progress, height));
    if (in && progress >= height) {
        progress = 0;
        return true;
    }
    return !in && progress <= 0;
}

// Effect 8: the window grows out of its centre.
bool TransitionAnimator::Zoom(std::int32_t, bool in, std::int32_t& height, std::int32_t& width) {
    const std::int32_t fullWidth = windowRect_.width, fullHeight = windowRect_.height;
    EnsureWork(fullWidth, fullHeight);
    const std::int32_t stepX = std::max(fullWidth / 10, 1), stepY = std::max(fullHeight / 10, 1);
    if (in) {
        width = std::min(width + stepX, fullWidth);
        height = std::min(height + stepY, fullHeight);
    } else {
        if (width < 1 && height < 1) width = fullWidth, height = fullHeight;
        width = std::max(width - stepX, 0);
        height = std::max(height - stepY, 0);
    }
    // Only the frame's own corner of the canvas is pushed, so only that much
    // is cleared: at the first frame, a hundredth of the canvas.
    gdip::GdipSetClipRectI(workGraphics_.get(), 0, 0, width, height, Gdiplus::CombineModeReplace);
    gdip::GdipGraphicsClear(workGraphics_.get(), 0);
    gdip::GdipResetClip(workGraphics_.get());
    gdip::GdipDrawImageRectI(workGraphics_.get(), SnapshotImage(), 0, 0, width, height);
    gdip::GdipFlush(workGraphics_.get(), Gdiplus::FlushIntentionSync);
    Push(work_.GetHandle(), windowRect_.left + fullWidth / 2 - width / 2, windowRect_.top + fullHeight / 2 - height / 2,
         width, height, Scale(alpha_, height, fullHeight));
    if (in && width >= fullWidth && height >= fullHeight) {
        width = height = 0;
        return true;
    }
    return !in && width <= 0 && height <= 0;
}

// Effects 9 and 10: the window is a plane turning about its centre, seen in
// perspective. It turns in from edge-on to face-on, and out the other way.
// The frame is drawn strip by strip, one line of pixels across the turning
// direction at a time: each line of the frame looks through the plane to
// the one line of the snapshot it shows, scaled about the axis by that
// line's depth. Looking back from the frame leaves no line of it drawn
// twice or not at all, and the plane's near edge, which reaches a little
// beyond the window while the plane is almost face-on, has room on the
// work canvas.
bool TransitionAnimator::Flip(std::int32_t effect, bool in, std::int32_t& progress, std::int32_t& counter) {
    const std::int32_t width = windowRect_.width, height = windowRect_.height;
    if (in) {
        if (counter == 0) angle_ = 0;
        StepAngle(1);
    } else {
        if (counter == 0) angle_ = 180;
        StepAngle(0);
    }
    ++counter;
    progress = angle_;
    const bool aboutVertical = effect == kEffectFlipVertical;
    const double turn = (180 - angle_) / 2.0 * 3.14159265358979 / 180.0;  // 0 = face-on
    const std::int32_t along = aboutVertical ? width : height;   // the direction the plane turns in
    const std::int32_t across = aboutVertical ? height : width;  // each strip's length
    const double distance = 2.0 * std::max(width, height);
    // Near strips grow by up to a third; the near edge reaches out by at
    // most a thirtieth (the distance is at least twice the plane's size).
    const std::int32_t marginAcross = across / 6 + 2;
    const std::int32_t marginAlong = along / 30 + 2;
    const std::int32_t marginX = aboutVertical ? marginAlong : marginAcross;
    const std::int32_t marginY = aboutVertical ? marginAcross : marginAlong;
    const std::int32_t workWidth = width + 2 * marginX, workHeight = height + 2 * marginY;
    const bool done = in ? angle_ >= 180 : angle_ <= 0;
    if (done && in) {
        // The last frame is the window itself, exactly as it was.
        Push(snapshot_.GetHandle(), windowRect_.left, windowRect_.top, width, height, alpha_);
        counter = 0;
        return true;
    }
    if (!EnsureWork(workWidth, workHeight)) return true;
    DrawTurnedPlane(snapshot_, work_, aboutVertical, turn, distance);
    Push(work_.GetHandle(), windowRect_.left - marginX, windowRect_.top - marginY, workWidth, workHeight, alpha_);
    if (done) counter = 0;
    return done;
}

}  // namespace lirvo
