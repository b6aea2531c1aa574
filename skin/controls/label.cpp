#include "skin/controls/label.h"

#include <string>

#include "skin/controls/gdiplus_brushes.h"
#include "skin/controls/text_format_property.h"

namespace lirvo {
namespace {

constexpr Argb kFrameFill = 0x48FFFFFF;  // white, alpha 72
constexpr Argb kFrameLine = 0x48000000;  // black, alpha 72
constexpr float kFrameRadius = 5;

}  // namespace

bool Label::Create(SkinObject& host, const Rect& rect, const WideText& text, std::int32_t frame,
                   std::optional<FontDescription> textStyle, std::optional<bool> visible, bool disabled) {
    if (!Attach(host, rect, text, 1, visible.value_or(true), disabled)) return false;
    textStyle_ = FontRecord(textStyle.value_or(FontDescription{}));
    frame_ = frame;
    Render();
    return true;
}

std::int32_t Label::Frame(std::optional<std::int32_t> frame, bool refresh) {
    if (frame) {
        frame_ = *frame;
        if (refresh) Refresh();
    }
    return frame_;
}

FontDescription Label::TextStyle(std::optional<FontDescription> style) {
    if (style) textStyle_ = FontRecord(*style);
    return textStyle_.Description();
}

void Label::Draw(Gdiplus::GpGraphics* graphics) {
    DrawFrame(graphics);
    DrawStyledText(graphics, textStyle_, GetTextW(), Rect{0, 0, GetWidth(), GetHeight()});
}

void Label::DrawFrame(Gdiplus::GpGraphics* graphics) {
    const auto w = static_cast<float>(GetWidth());
    const auto h = static_cast<float>(GetHeight());
    const Gdiplus::RectF whole{0, 0, w, h};
    // Fills of the kinds that have no outline: (top colour, bottom colour).
    static constexpr struct {
        std::int32_t frame;
        Argb top, bottom;
    } kFills[] = {
        {kFaintFill, 0x01FFFFFF, 0x01FFFFFF},
        {kDarkFill, 0x96000000, 0x96000000},
        {kFadingWhite, 0x00FFFFFF, 0xC8FFFFFF},
        {kWhiteBand, 0xC8FFFFFF, 0xC8FFFFFF},
    };
    for (const auto& fill : kFills) {
        if (fill.frame != frame_) continue;
        auto brush = fill.top == fill.bottom ? MakeSolidBrush(fill.top)
                                             : MakeGradientBrush(whole, fill.top, fill.bottom, true);
        gdip::GdipFillRectangle(graphics, brush.get(), 0, 0, w, h);
        return;
    }
    auto brush = MakeSolidBrush(kFrameFill);
    if (frame_ == kRectFrame) {
        gdip::GdipFillRectangle(graphics, brush.get(), 0, 0, w - 1, h - 1);
        auto pen = MakePen(kFrameLine);
        gdip::GdipDrawRectangle(graphics, pen.get(), 0, 0, w - 1, h - 1);
    } else if (frame_ == kRoundRectFrame) {
        auto path = MakeRoundRectPath(0, 0, w - 1, h - 1, kFrameRadius);
        gdip::GdipFillPath(graphics, brush.get(), path.get());
        auto pen = MakePen(kFrameFill);
        gdip::GdipDrawPath(graphics, pen.get(), path.get());
    }
}

PropertyList Label::GetProperties() const {
    return {{"Frame", "边框", std::to_string(frame_), property_choices::LabelFrame()}, TextFormatProperty(textStyle_)};
}

void Label::ApplyProperties(const PropertyValues& values) {
    for (const auto& [key, value] : values)
        if (key == "Frame")
            if (const auto kind = PropertyInteger(value)) Frame(static_cast<std::int32_t>(*kind), true);
    if (ApplyTextFormatProperty(textStyle_, values)) Refresh();
}

void Label::CopyOwnSettingsFrom(const Label& other) {
    frame_ = other.frame_;
    textStyle_ = FontRecord(other.textStyle_.Description());
    textStyle_.ApplyFormatSettings(other.textStyle_.FormatSettings());
}

}  // namespace lirvo
