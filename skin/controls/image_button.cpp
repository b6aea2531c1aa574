#include "skin/controls/image_button.h"

#include "skin/controls/gdiplus_brushes.h"
#include "skin/core/image_from_bytes.h"
#include "skin/window/drawing.h"

namespace lirvo {
namespace {

constexpr Argb kHotOutline = 0x69FFFFFF;      // white, alpha 105
constexpr Argb kPressedOutline = 0x37000000;  // black, alpha 55
constexpr std::int32_t kOutlineRadius = 8;

}  // namespace

bool ImageButton::Create(SkinObject& host, const Rect& rect, bool highlight, const ByteArray& normal,
                         std::optional<ByteArray> hot, std::optional<ByteArray> pressed) {
    if (!Attach(host, rect, WideText(), 0, true, false)) return false;
    imageRect_ = rect;
    normal_ = ImageFromBytes(normal);
    hot_ = ImageFromBytes(hot.value_or(normal));
    pressed_ = ImageFromBytes(pressed.value_or(normal));
    highlight_ = highlight;
    BeginFade(2, 2);
    return true;
}

void ImageButton::SetImage(const ByteArray& image) {
    normal_ = ImageFromBytes(image);
    hot_ = ImageFromBytes(image);
    pressed_ = ImageFromBytes(image);
    BeginFade(10, 10);
}

void ImageButton::SetDisabledAndRefresh(bool disabled) {
    Disabled(disabled);
    Refresh();
}

void ImageButton::ChangeState(Visual state) {
    state_ = state;
    BeginFade(5, 5);
}

void ImageButton::Draw(Gdiplus::GpGraphics* graphics) {
    static constexpr struct {
        GdipBitmap ImageButton::*picture;
        std::optional<Argb> outline;
    } kLooks[] = {
        {&ImageButton::normal_, std::nullopt},
        {&ImageButton::hot_, kHotOutline},
        {&ImageButton::pressed_, kPressedOutline},
    };
    if (state_ < kNormal || state_ > kPressed) return;
    const auto& look = kLooks[state_];
    const std::int32_t width = imageRect_.width;
    const std::int32_t height = imageRect_.height;
    DrawImage((this->*look.picture).get(), graphics, 0, 0,
              {.width = width, .height = height, .sourceWidth = width, .sourceHeight = height});
    if (highlight_ && look.outline)
        DrawRoundRectOutline(graphics, *look.outline, 0, 0, width - 1, height - 1, kOutlineRadius);
}

void ImageButton::CopyOwnSettingsFrom(const ImageButton& other) {
    state_ = other.state_;
    imageRect_ = other.imageRect_;
    highlight_ = other.highlight_;
    normal_ = CloneBitmap(other.normal_);
    hot_ = CloneBitmap(other.hot_);
    pressed_ = CloneBitmap(other.pressed_);
}

}  // namespace lirvo
