#include "skin/controls/check_box.h"

#include <algorithm>
#include <string>

#include "skin/core/toolkit.h"
#include "skin/controls/text_format_property.h"

namespace lirvo {
namespace {

constexpr std::int32_t kPictureLeft = 2;
constexpr std::int32_t kTextGap = 5;

std::int32_t ImageWidth(Gdiplus::GpBitmap* picture) {
    UINT width = 0;
    if (picture) gdip::GdipGetImageWidth(picture, &width);
    return static_cast<std::int32_t>(width);
}

std::int32_t ImageHeight(Gdiplus::GpBitmap* picture) {
    UINT height = 0;
    if (picture) gdip::GdipGetImageHeight(picture, &height);
    return static_cast<std::int32_t>(height);
}

}  // namespace

bool CheckBox::Create(SkinObject& host, const Rect& rect, const WideText& text,
                      std::optional<FontDescription> textStyle, bool checked, std::optional<bool> visible,
                      bool disabled) {
    if (!Attach(host, rect, text, 1, visible.value_or(true), disabled)) return false;
    textStyle_ = FontRecord(textStyle.value_or(FontDescription{}));
    checked_ = drawnChecked_ = checked;
    state_ = kNormal;
    Render();
    return true;
}

bool CheckBox::Checked(std::optional<bool> checked, bool refresh) {
    if (checked) {
        checked_ = drawnChecked_ = *checked;
        if (refresh) Refresh();
        NotifyAccessible(EVENT_OBJECT_STATECHANGE);
    }
    return checked_;
}

FontDescription CheckBox::TextStyle(std::optional<FontDescription> style) {
    if (style) textStyle_ = FontRecord(*style);
    return textStyle_.Description();
}

void CheckBox::Toggle() {
    drawnChecked_ = checked_;
    checked_ = !checked_;
    BeginStateFade(10, 10, kHot);
    NotifyAccessible(EVENT_OBJECT_STATECHANGE);
}

Gdiplus::GpBitmap* CheckBox::Picture(bool checked, std::int32_t state) const {
    const std::int32_t look = std::clamp(state, static_cast<std::int32_t>(kNormal), static_cast<std::int32_t>(kPressed));
    return Toolkit().builtinSkin.CheckBoxImage(checked, static_cast<LookState>(look - kNormal));
}

Rect CheckBox::PictureRect(Gdiplus::GpBitmap* picture) const {
    const std::int32_t height = ImageHeight(picture);
    return {kPictureLeft, (GetHeight() - height) / 2, ImageWidth(picture), height};
}

void CheckBox::DrawText(Gdiplus::GpGraphics* graphics, Gdiplus::GpBitmap* picture) {
    const std::int32_t left = ImageWidth(picture) + kTextGap;
    DrawStyledText(graphics, textStyle_, GetTextW(), Rect{left, 0, GetWidth() - left, GetHeight()});
}

void CheckBox::Draw(Gdiplus::GpGraphics* graphics) {
    Gdiplus::GpBitmap* picture = Picture(checked_, state_);
    DrawText(graphics, picture);
    const Rect at = PictureRect(picture);
    DrawImage(picture, graphics, at.left, at.top);
}

void CheckBox::DrawStateFade(Surface& surface, std::int32_t alpha, std::int32_t target) {
    // The old look is the picture on screen when the fade began, so a fade
    // that interrupts another continues from where that one stood.
    const Surface& before = PictureBeforeFade();
    Gdiplus::GpBitmap* after = Picture(checked_, target);
    const Rect at = PictureRect(after);
    if (alpha <= 0) {
        CopySurface(before, surface);
        return;
    }
    CopySurfaceArea(before, surface, at);
    if (alpha < 255) {
        DrawImage(after, surface.Graphics(), at.left, at.top, {.opacity = alpha * 100 / 255});
        return;
    }
    gdip::GdipSetClipRectI(surface.Graphics(), at.left, at.top, at.width, at.height, Gdiplus::CombineModeReplace);
    gdip::GdipGraphicsClear(surface.Graphics(), 0);
    gdip::GdipResetClip(surface.Graphics());
    DrawImage(after, surface.Graphics(), at.left, at.top);
    drawnChecked_ = checked_;
    state_ = target;
}

PropertyList CheckBox::GetProperties() const {
    return {{"Check", "选中", PropertyFlagText(checked_), {}}, TextFormatProperty(textStyle_)};
}

void CheckBox::ApplyProperties(const PropertyValues& values) {
    for (const auto& [key, value] : values)
        if (key == "Check") Checked(PropertyFlag(value), true);
    if (ApplyTextFormatProperty(textStyle_, values)) Refresh();
}

void CheckBox::CopyOwnSettingsFrom(const CheckBox& other) {
    state_ = other.state_;
    checked_ = other.checked_;
    drawnChecked_ = other.drawnChecked_;
    textStyle_ = FontRecord(other.textStyle_.Description());
    textStyle_.ApplyFormatSettings(other.textStyle_.FormatSettings());
}

}  // namespace lirvo
