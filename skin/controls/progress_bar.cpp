#include "skin/controls/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "skin/controls/gdiplus_brushes.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/number_text.h"
#include "skin/core/toolkit.h"
#include "skin/controls/text_format_property.h"

namespace lirvo {
namespace {

constexpr Argb kFrameOutline = 0x50000000;  // black, alpha 80
constexpr Argb kInnerOutline = 0x50FFFFFF;  // white, alpha 80
constexpr Argb kGlossTop = 0x32000000;      // black, alpha 50
constexpr Argb kGlossBottom = 0x00FFFFFF;
constexpr std::int32_t kShineWidth = 90;
constexpr std::int32_t kShineHeight = 24;
constexpr std::int32_t kShineStep = 2;
constexpr std::uint32_t kShineInterval = 10;

void Fill(Gdiplus::GpGraphics* graphics, Gdiplus::GpBrush* brush, float x, float y, float width, float height) {
    if (width > 0 && height > 0) gdip::GdipFillRectangle(graphics, brush, x, y, width, height);
}

void Outline(Gdiplus::GpGraphics* graphics, Argb colour, float x, float y, float width, float height) {
    if (width <= 0 || height <= 0) return;
    auto pen = MakePen(colour);
    gdip::GdipDrawRectangle(graphics, pen.get(), x, y, width, height);
}

}  // namespace

bool ProgressBar::Create(SkinObject& host, const Rect& rect, const CreateArgs& args) {
    if (!Attach(host, rect, args.text, 1, args.visible.value_or(true), args.disabled)) return false;
    const float bounds[] = {std::trunc(args.boundA), std::trunc(args.boundB), std::trunc(args.position)};
    maximum_ = *std::max_element(std::begin(bounds), std::end(bounds));
    minimum_ = *std::min_element(std::begin(bounds), std::end(bounds));
    position_ = args.position;
    type_ = args.type;
    style_ = args.style;
    colours_[0] = args.colour1;
    colours_[1] = args.colour2;
    background_ = args.background;
    border_ = args.border;
    textStyle_ = FontRecord(args.textStyle.value_or(FontDescription{}));
    shineOffset_ = -4;
    shine_ = ImageFromBytes(Toolkit().builtinSkin.progressHighlight);
    StartTimer(kShineTimerKey, kShineInterval, 1);
    Render();
    return true;
}

std::optional<WideText> ProgressBar::AccessibleValue() const {
    const float range = maximum_ - minimum_;
    const float share = range > 0 ? std::clamp((position_ - minimum_) / range, 0.0f, 1.0f) : 0.0f;
    return MakeWideText(std::to_string(static_cast<int>(share * 100.0f + 0.5f)) + "%");
}

float ProgressBar::Position(std::optional<std::int32_t> value, bool refresh) {
    if (value) {
        position_ = static_cast<float>(*value);
        if (refresh) Refresh();
        NotifyAccessible(EVENT_OBJECT_VALUECHANGE);
    }
    return position_;
}

void ProgressBar::SetColours(std::optional<Argb> colour1, std::optional<Argb> colour2,
                             std::optional<Argb> background) {
    if (colour1) colours_[0] = *colour1;
    if (colour2) colours_[1] = *colour2;
    if (background) background_ = *background;
}

std::int32_t ProgressBar::Type(std::optional<std::int32_t> value, bool refresh) {
    if (value) {
        type_ = *value;
        if (refresh) Refresh();
    }
    return type_;
}

std::int32_t ProgressBar::Style(std::optional<std::int32_t> value, bool refresh) {
    if (value) {
        style_ = *value;
        if (refresh) Refresh();
    }
    return style_;
}

FontDescription ProgressBar::TextStyle(std::optional<FontDescription> style) {
    if (style) textStyle_ = FontRecord(*style);
    return textStyle_.Description();
}

float ProgressBar::FilledLength() const {
    // Equal bounds leave nothing to divide by: such a bar shows no fill.
    const float range = maximum_ - minimum_;
    if (range == 0) return 0;
    const float size = static_cast<float>(type_ == kVertical ? GetHeight() : GetWidth());
    // The position is not held to the bounds, but the fill is: before the
    // minimum nothing shows, past the maximum the bar is full.
    const float share = std::clamp((position_ - minimum_) / range, 0.0f, 1.0f);
    return size * share;
}

void ProgressBar::OnTimer(std::int32_t key, EventParam) {
    if (key != kShineTimerKey) return;
    if (shineOffset_ < GetWidth()) shineOffset_ += kShineStep;
    else shineOffset_ = -GetWidth();
    Refresh();
}

void ProgressBar::OnDestroy() {
    position_ = maximum_ = minimum_ = 0;
    type_ = style_ = 0;
    colours_[0] = colours_[1] = background_ = border_ = 0;
    textStyle_ = FontRecord();
    shine_.reset();
}

void ProgressBar::Draw(Gdiplus::GpGraphics* graphics) {
    const auto w = static_cast<float>(GetWidth());
    const auto h = static_cast<float>(GetHeight());
    auto background = MakeSolidBrush(background_);
    Fill(graphics, background.get(), 0, 0, w - 1, h - 1);
    Outline(graphics, kFrameOutline, 0, 0, w - 1, h - 1);
    const float length = FilledLength();
    if (length > 0) {
        if (type_ == kVertical) DrawVertical(graphics, length);
        else DrawHorizontal(graphics, length);
    }
    DrawStyledText(graphics, textStyle_, GetTextW(), Rect{0, 0, GetWidth(), GetHeight()});
}

void ProgressBar::DrawVertical(Gdiplus::GpGraphics* graphics, float length) {
    const auto w = static_cast<float>(GetWidth());
    const auto h = static_cast<float>(GetHeight());
    // The gradient spans the whole control, so the fill shows its share of it.
    const Gdiplus::RectF span{0, 0, w - 1, h - 1};
    if (style_ == kRightToLeft) {
        auto brush = MakeGradientBrush(span, colours_[1], colours_[0], true);
        Fill(graphics, brush.get(), 0, 0, w, length);
        return;
    }
    auto brush = MakeGradientBrush(span, colours_[0], colours_[1], true);
    Fill(graphics, brush.get(), 0, h - length, w, length);
    Outline(graphics, kInnerOutline, 1, h - length + 1, w - 3, length - 3);
    Outline(graphics, border_, 0, h - length, w - 1, length - 1);
}

void ProgressBar::DrawHorizontal(Gdiplus::GpGraphics* graphics, float length) {
    const auto w = static_cast<float>(GetWidth());
    const auto h = static_cast<float>(GetHeight());
    const Gdiplus::RectF span{0, 0, w - 1, h - 1};
    if (style_ == kRightToLeft) {
        auto brush = MakeGradientBrush(span, colours_[1], colours_[0], false);
        Fill(graphics, brush.get(), w - length, 1, length, h - 2);
        return;
    }
    auto brush = MakeGradientBrush(span, colours_[0], colours_[1], false);
    Fill(graphics, brush.get(), 0, 0, length, h);

    // The gloss band shows its share of a gradient laid over the whole
    // height, like the fill's over the whole length.
    const float glossTop = std::floor(h / 2);
    const float glossHeight = std::floor(h / 3);
    if (glossHeight > 0) {
        auto gloss = MakeGradientBrush(span, kGlossTop, kGlossBottom, true);
        Fill(graphics, gloss.get(), 0, glossTop, length, glossHeight);
    }
    // The shine sweeps across the whole bar, past the filled part too.
    DrawImage(shine_.get(), graphics, shineOffset_, GetHeight() - 22,
              {.width = kShineWidth, .height = kShineHeight});
    Outline(graphics, kInnerOutline, 1, 1, length - 3, h - 3);
    Outline(graphics, border_, 0, 0, length - 1, h - 1);
}

PropertyList ProgressBar::GetProperties() const {
    const auto number = [](float value) { return FormatDouble("%g", static_cast<double>(value)); };
    return {
        {"Max", "最大位置", number(maximum_), {}},
        {"Min", "最小位置", number(minimum_), {}},
        {"Pos", "当前位置", number(position_), {}},
        {"Type", "类型", std::to_string(type_), property_choices::ProgressBarType()},
        {"Style", "风格", std::to_string(style_), property_choices::ProgressBarStyle()},
        {"Color [1]", "颜色 [1]", std::to_string(colours_[0]), {}},
        {"Color [2]", "颜色 [2]", std::to_string(colours_[1]), {}},
        {"BkgColor", "背景颜色", std::to_string(background_), {}},
        {"BorderColor", "边框颜色", std::to_string(border_), {}},
        TextFormatProperty(textStyle_),
    };
}

void ProgressBar::ApplyProperties(const PropertyValues& values) {
    // Each row: the key, and where its value goes.
    const struct {
        const char* key;
        float* number;
        std::int32_t* integer;
        Argb* colour;
    } targets[] = {
        {"Max", &maximum_, nullptr, nullptr},       {"Min", &minimum_, nullptr, nullptr},
        {"Pos", &position_, nullptr, nullptr},      {"Type", nullptr, &type_, nullptr},
        {"Style", nullptr, &style_, nullptr},       {"Color [1]", nullptr, nullptr, &colours_[0]},
        {"Color [2]", nullptr, nullptr, &colours_[1]}, {"BkgColor", nullptr, nullptr, &background_},
        {"BorderColor", nullptr, nullptr, &border_},
    };
    for (const auto& [key, value] : values)
        for (const auto& target : targets) {
            if (key != target.key) continue;
            if (target.number) {
                if (const auto number = PropertyNumber(value)) *target.number = *number;
            } else if (const auto integer = PropertyInteger(value)) {
                if (target.integer) *target.integer = static_cast<std::int32_t>(*integer);
                if (target.colour) *target.colour = static_cast<Argb>(*integer);
            }
        }
    ApplyTextFormatProperty(textStyle_, values);
    Refresh();
}

void ProgressBar::CopyOwnSettingsFrom(const ProgressBar& other) {
    position_ = other.position_;
    maximum_ = other.maximum_;
    minimum_ = other.minimum_;
    type_ = other.type_;
    style_ = other.style_;
    background_ = other.background_;
    border_ = other.border_;
    shineOffset_ = other.shineOffset_;
    colours_[0] = other.colours_[0];
    colours_[1] = other.colours_[1];
    shine_ = CloneBitmap(other.shine_);
    textStyle_ = FontRecord(other.textStyle_.Description());
    textStyle_.ApplyFormatSettings(other.textStyle_.FormatSettings());
}

}  // namespace lirvo
