#include "skin/controls/image_check.h"

#include "skin/controls/gdiplus_brushes.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo {

bool ImageCheck::Create(SkinObject& host, const Rect& rect) {
    if (!Attach(host, rect, WideText(), 0, true, false)) return false;
    state_ = kInitial;
    imageRect_ = rect;
    strip_ = ImageFromBytes(SkinImageBytes(kCheckStripName));
    shown_ = true;
    BeginFade(5, 5);
    return true;
}

bool ImageCheck::Shown(std::optional<bool> shown) {
    if (shown) {
        shown_ = *shown;
        Refresh();
        NotifyAccessible(EVENT_OBJECT_STATECHANGE);
    }
    return shown_;
}

void ImageCheck::ChangeState(Visual state) {
    state_ = state;
    Refresh();
}

void ImageCheck::Draw(Gdiplus::GpGraphics* graphics) {
    // The frame of each state within the strip, in control widths.
    static constexpr std::int32_t kFrameOfState[] = {0, 0, 1, 2};
    if (IsDisabled()) return;
    if (!shown_) {
        gdip::GdipGraphicsClear(graphics, 0);
        return;
    }
    if (state_ < kInitial || state_ > kPressed) return;
    const std::int32_t width = imageRect_.width;
    const std::int32_t height = imageRect_.height;
    DrawImage(strip_.get(), graphics, 0, 0,
              {.width = width,
               .height = height,
               .sourceX = kFrameOfState[state_] * width,
               .sourceWidth = width,
               .sourceHeight = height});
}

void ImageCheck::CopyOwnSettingsFrom(const ImageCheck& other) {
    state_ = other.state_;
    imageRect_ = other.imageRect_;
    shown_ = other.shown_;
    strip_ = CloneBitmap(other.strip_);
}

}  // namespace lirvo
