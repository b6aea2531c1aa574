#include "skin/controls/button.h"

#include <string>

#include "skin/controls/gdiplus_brushes.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/toolkit.h"
#include "skin/window/skin_window.h"
#include "skin/controls/text_format_property.h"

namespace lirvo {
namespace {

bool menuOpen = false;
std::int32_t dropDownTop = 0;

constexpr float kCornerRadius = 3;
constexpr std::int32_t kIconSize = 16;
constexpr std::int32_t kIconLeft = 6;
constexpr Argb kDisabledGrey = 0x00A0A0A0;  // the default style's disabled look, alpha added per end

constexpr Argb WithAlpha(Argb colour, std::uint8_t alpha) { return (colour & 0x00FFFFFF) | Argb{alpha} << 24; }

// One look of one style: its gradient, and the outlines over it.
struct LookColours {
    Argb top;
    Argb bottom;
    std::optional<Argb> outline;
    std::optional<Argb> innerOutline;  // pen width 2, one pixel inside
    bool shadeLowerHalf = false;
};

LookColours LookOf(std::int32_t kind, std::int32_t look) {
    const Argb accent = AccentColour();
    if (kind == Button::kFerroUi) {
        static constexpr LookColours kFerro[] = {
            {MakeArgb(250, 215, 215, 215), MakeArgb(250, 215, 215, 215), std::nullopt, std::nullopt},
            {MakeArgb(250, 255, 255, 255), MakeArgb(250, 217, 223, 228), MakeArgb(250, 139, 159, 181), std::nullopt},
            {MakeArgb(250, 255, 255, 255), MakeArgb(250, 217, 223, 228), MakeArgb(255, 4, 161, 251), std::nullopt,
             true},
            {MakeArgb(250, 160, 177, 177), MakeArgb(250, 248, 249, 244), MakeArgb(250, 139, 159, 181), std::nullopt},
            {MakeArgb(250, 255, 255, 255), MakeArgb(250, 217, 223, 228), MakeArgb(250, 139, 159, 181), std::nullopt},
        };
        return kFerro[look];
    }
    const LookColours kDefault[] = {
        {WithAlpha(kDisabledGrey, 80), WithAlpha(kDisabledGrey, 150), MakeArgb(150, 67, 96, 144), std::nullopt},
        {MakeArgb(170, 253, 254, 255), MakeArgb(80, 219, 233, 249), MakeArgb(150, 67, 96, 144), std::nullopt},
        {MakeArgb(200, 253, 254, 255), WithAlpha(accent, 50), MakeArgb(250, 4, 161, 251),
         MakeArgb(50, 4, 161, 251)},
        {WithAlpha(accent, 150), MakeArgb(100, 253, 254, 255), MakeArgb(150, 67, 96, 144), std::nullopt},
        {MakeArgb(170, 253, 254, 255), MakeArgb(80, 219, 233, 249), MakeArgb(250, 4, 161, 251), std::nullopt},
    };
    return kDefault[look];
}

}  // namespace

bool Button::MenuOpen() { return menuOpen; }
std::int32_t Button::DropDownTop() { return dropDownTop; }

bool Button::Create(SkinObject& host, const Rect& rect, const CreateArgs& args) {
    if (!Attach(host, rect, args.text, 1, args.visible.value_or(true), args.disabled)) return false;
    State().focusable = true;
    textStyle_ = FontRecord(args.textStyle.value_or(FontDescription{}));
    kind_ = args.kind;
    icon_ = args.icon.empty() ? GdipBitmap() : ImageFromBytes(args.icon);
    arrow_ = ImageFromBytes(Toolkit().builtinSkin.submenuArrow);
    imageRect_ = rect;
    pictureCount_ = icon_ ? 2 : 1;
    state_ = kNormal;
    Render();
    return true;
}

void Button::SetIcon(const ByteArray& icon) {
    icon_ = ImageFromBytes(icon);
    pictureCount_ = icon_ ? 2 : 1;
    BeginFade(5, 7);
}

std::int32_t Button::StyleKind(std::optional<std::int32_t> kind) {
    if (kind) {
        kind_ = *kind;
        Refresh();
    }
    return kind_;
}

std::int32_t Button::RaiseUserEvent(std::int32_t event, EventParam p1) { return RaiseEvent(event, p1); }

FontDescription Button::TextStyle(std::optional<FontDescription> style) {
    if (style) textStyle_ = FontRecord(*style);
    return textStyle_.Description();
}

std::int32_t Button::CurrentLook() const {
    if (IsDisabled()) return kLookDisabled;
    if (state_ == kPressed) return kLookPressed;
    if (state_ == kHot) return kLookHot;
    if (HasFocus()) return kLookFocused;
    return kLookNormal;
}

void Button::Draw(Gdiplus::GpGraphics* graphics) { Paint(graphics, CurrentLook(), textStyle_, GetTextW()); }

void Button::Paint(Gdiplus::GpGraphics* graphics, std::int32_t look, const FontRecord& textStyle,
                   const WideText& text) {
    if (look < kLookDisabled || look > kLookFocused) look = kLookNormal;
    // The drop-down kinds wear the default style with an arrow at the right.
    const LookColours colours = LookOf(kind_ == kFerroUi ? kFerroUi : kDefaultStyle, look);
    const auto w = static_cast<float>(GetWidth());
    const auto h = static_cast<float>(GetHeight());
    gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeNone);
    auto shape = MakeRoundRectPath(0, 0, w - 1, h - 1, kCornerRadius);
    auto gradient = MakeGradientBrush({0, 0, w - 1, h - 1}, colours.top, colours.bottom, true);
    gdip::GdipFillPath(graphics, gradient.get(), shape.get());
    if (colours.shadeLowerHalf) {
        const Gdiplus::RectF lower{0, h / 2, w - 1, h / 2 - 1};
        auto shade = MakeGradientBrush(lower, MakeArgb(80, 0, 0, 0), MakeArgb(0, 0, 0, 0), true);
        gdip::GdipFillRectangle(graphics, shade.get(), lower.X, lower.Y, lower.Width, lower.Height);
    }
    if (colours.outline) {
        auto pen = MakePen(*colours.outline);
        gdip::GdipDrawPath(graphics, pen.get(), shape.get());
    }
    if (colours.innerOutline) {
        auto inner = MakeRoundRectPath(1, 1, w - 3, h - 3, kCornerRadius);
        auto pen = MakePen(*colours.innerOutline, 2);
        gdip::GdipDrawPath(graphics, pen.get(), inner.get());
    }
    PaintIconAndText(graphics, textStyle, text);
}

void Button::PaintIconAndText(Gdiplus::GpGraphics* graphics, const FontRecord& textStyle, const WideText& text) {
    std::int32_t textLeft = 0;
    std::int32_t textRight = GetWidth();
    if (icon_) {
        DrawImage(icon_.get(), graphics, kIconLeft, (GetHeight() - kIconSize) / 2,
                  {.width = kIconSize, .height = kIconSize});
        textLeft = kIconLeft + kIconSize;
    }
    if ((kind_ == kDropDown || kind_ == kDropDownMenu) && arrow_) {
        UINT arrowWidth = 0, arrowHeight = 0;
        gdip::GdipGetImageWidth(arrow_.get(), &arrowWidth);
        gdip::GdipGetImageHeight(arrow_.get(), &arrowHeight);
        textRight -= static_cast<std::int32_t>(arrowWidth);
        DrawImage(arrow_.get(), graphics, textRight, (GetHeight() - static_cast<std::int32_t>(arrowHeight)) / 2);
    }
    DrawStyledText(graphics, textStyle, text, Rect{textLeft, 0, textRight - textLeft, GetHeight()});
}

void Button::Fade() { BeginFade(5, 7, kind_ == kFerroUi); }

void Button::ReleaseAsPlainButton() {
    state_ = kHot;
    Fade();
    state_ = kNormal;
    Refresh();
}

void Button::OnLeftDown(Point) {
    switch (kind_) {
    case kDropDown:
        menuOpen = mode_ == 2;
        Refresh();
        break;
    case kDropDownMenu:
        menuOpen = true;
        Refresh();
        break;
    default:
        state_ = kPressed;
        Fade();
        break;
    }
}

void Button::OnLeftUp(Point) {
    if (kind_ == kDropDown || kind_ == kDropDownMenu) {
        state_ = kHot;
        if (kind_ == kDropDown) {
            menuOpen = mode_ == 2;
        } else {
            menuOpen = true;
            if (Toolkit().menuWindow) ::ShowWindow(Toolkit().menuWindow, SW_HIDE);
        }
        Refresh();
        // The handler may take this button away.
        const std::shared_ptr<bool> alive = Alive();
        RaiseEvent(kUserDropDown);
        if (!*alive || !IsAttached()) return;
    }
    ReleaseAsPlainButton();
}

void Button::OnMouseEnter() {
    switch (kind_) {
    case kDropDown:
        dropDownTop = GetTop();
        if (mode_ != 2) {
            menuOpen = false;
            if (Toolkit().menuWindow) ::ShowWindow(Toolkit().menuWindow, SW_HIDE);
        }
        break;
    case kDropDownMenu:
        Refresh();
        break;
    default:
        state_ = kHot;
        Fade();
        break;
    }
}

void Button::OnMouseLeave() {
    state_ = kNormal;
    if (kind_ == kDropDown || kind_ == kDropDownMenu) {
        menuOpen = kind_ == kDropDownMenu;
        BeginFade();
        return;
    }
    Fade();
}

PropertyList Button::GetProperties() const {
    return {{"Color", "颜色", std::to_string(AccentColour()), {}},
            {"Style", "风格", std::to_string(kind_), property_choices::ButtonStyle()},
            TextFormatProperty(textStyle_)};
}

void Button::ApplyProperties(const PropertyValues& values) {
    for (const auto& [key, value] : values)
        if (key == "Style")
            if (const auto kind = PropertyInteger(value)) StyleKind(static_cast<std::int32_t>(*kind));
    if (ApplyTextFormatProperty(textStyle_, values)) Refresh();
}

void Button::CopyOwnSettingsFrom(const Button& other) {
    state_ = other.state_;
    kind_ = other.kind_;
    imageRect_ = other.imageRect_;
    pictureCount_ = other.pictureCount_;
    mode_ = other.mode_;
    icon_ = CloneBitmap(other.icon_);
    arrow_ = CloneBitmap(other.arrow_);
    textStyle_ = FontRecord(other.textStyle_.Description());
    textStyle_.ApplyFormatSettings(other.textStyle_.FormatSettings());
}

}  // namespace lirvo
