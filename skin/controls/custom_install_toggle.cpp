#include "skin/controls/custom_install_toggle.h"

#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo {
namespace {

constexpr char kCaptionFont[] = "微软雅黑";
constexpr std::int32_t kCaptionSize = 12;

// Per state: the fill behind the caption (alpha 0: none) and its colour.
constexpr struct {
    Argb fill;
    Argb text;
} kLooks[] = {
    {0x00000000, 0x64FFFFFF},  // normal: white text, alpha 100
    {0xC8FFFFFF, 0xC8000000},  // hot: alpha 200
    {0x32FFFFFF, 0xFA000000},  // pressed: fill alpha 50, text alpha 250
};

}  // namespace

bool CustomInstallToggle::Create(SkinObject& host, const Rect& rect) {
    if (!Attach(host, rect, WideText(), 0, true, false)) return false;
    // What it says is drawn, not its text: screen readers get the caption.
    AccessibleName(MakeWideText(kCustomInstallCaption));
    imageRect_ = rect;
    Refresh();
    return true;
}

bool CustomInstallToggle::Toggled(std::optional<bool> toggled) {
    if (toggled) toggled_ = *toggled;
    return toggled_;
}

void CustomInstallToggle::OnLeftDown(Point) {
    toggled_ = !toggled_;
    NotifyAccessible(EVENT_OBJECT_STATECHANGE);
    ChangeState(kPressed);
}

void CustomInstallToggle::ChangeState(Visual state) {
    state_ = state;
    Refresh();
}

void CustomInstallToggle::Draw(Gdiplus::GpGraphics* graphics) {
    if (state_ < kNormal || state_ > kPressed) return;
    const auto& look = kLooks[state_];
    const std::int32_t width = GetWidth();
    const std::int32_t height = GetHeight();
    if (look.fill >> 24) FillRectColour(graphics, look.fill, 0, 0, width, height);
    const FontRecord font(MakeTextStyle(std::nullopt, kCaptionFont, kCaptionSize, look.text));
    DrawStyledText(graphics, font, MakeWideText(kCustomInstallCaption), Rect{0, 0, width, height});
}

void CustomInstallToggle::CopyOwnSettingsFrom(const CustomInstallToggle& other) {
    imageRect_ = other.imageRect_;
    state_ = other.state_;
    toggled_ = other.toggled_;
}

}  // namespace lirvo
