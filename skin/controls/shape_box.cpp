#include "skin/controls/shape_box.h"

#include <string>

#include "skin/controls/gdiplus_brushes.h"

namespace lirvo {

bool ShapeBox::Create(SkinObject& host, const Rect& rect, const CreateArgs& args) {
    if (!Attach(host, rect, WideText(), 1, args.visible.value_or(true), args.disabled)) return false;
    style_ = args.style;
    radius_ = args.radius;
    lineWidth_ = static_cast<std::int32_t>(args.lineWidth.value_or(1.0f));
    lineColour_ = args.lineColour;
    background_ = args.background.value_or(MakeArgb(1, 255, 255, 255));
    Render();
    return true;
}

std::int32_t ShapeBox::SetStyle(std::int32_t style, bool refresh) {
    style_ = style;
    if (refresh) Refresh();
    return style;
}

namespace {
template <typename T>
T Store(T& field, std::optional<T> value, bool refresh, SkinControl& control) {
    if (value) {
        field = *value;
        if (refresh) control.Refresh();
    }
    return field;
}
}  // namespace

Argb ShapeBox::Color(std::optional<Argb> colour, bool refresh) { return Store(lineColour_, colour, refresh, *this); }
std::int32_t ShapeBox::Round(std::optional<std::int32_t> radius, bool refresh) {
    return Store(radius_, radius, refresh, *this);
}
std::int32_t ShapeBox::LineWidth(std::optional<std::int32_t> width, bool refresh) {
    return Store(lineWidth_, width, refresh, *this);
}
Argb ShapeBox::BkgColor(std::optional<Argb> colour, bool refresh) { return Store(background_, colour, refresh, *this); }

void ShapeBox::Draw(Gdiplus::GpGraphics* graphics) {
    const auto w = static_cast<float>(GetWidth() - 1);
    const auto h = static_cast<float>(GetHeight() - 1);
    auto brush = MakeSolidBrush(background_);
    auto pen = MakePen(lineColour_, static_cast<float>(lineWidth_));

    // The lines, as (from, to).
    const struct {
        std::int32_t style;
        Gdiplus::PointF from, to;
    } lines[] = {
        {kLeftEdgeLine, {0, 0}, {0, h}},
        {kTopEdgeLine, {0, 0}, {w, 0}},
        {kFallingDiagonal, {0, 0}, {w, h}},
        {kRisingDiagonal, {w, 0}, {0, h}},
    };
    for (const auto& line : lines)
        if (line.style == style_) {
            gdip::GdipDrawLine(graphics, pen.get(), line.from.X, line.from.Y, line.to.X, line.to.Y);
            return;
        }

    // The triangles: outlined, then filled.
    const struct {
        std::int32_t style;
        Gdiplus::PointF corners[3];
    } triangles[] = {
        {kTriangleUp, {{w / 2, 0}, {0, h}, {w, h}}},
        {kTriangleDown, {{0, 0}, {w, 0}, {w / 2, h}}},
        {kRightTriangleLeft, {{0, 0}, {0, h}, {w, h}}},
        {kRightTriangleRight, {{w, 0}, {0, h}, {w, h}}},
    };
    for (const auto& triangle : triangles)
        if (triangle.style == style_) {
            gdip::GdipDrawPolygon(graphics, pen.get(), triangle.corners, 3);
            gdip::GdipFillPolygon(graphics, brush.get(), triangle.corners, 3, Gdiplus::FillModeAlternate);
            return;
        }

    switch (style_) {
    case kRect:
        gdip::GdipFillRectangle(graphics, brush.get(), 0, 0, w, h);
        gdip::GdipDrawRectangle(graphics, pen.get(), 0, 0, w, h);
        break;
    case kRoundRect: {
        auto path = MakeRoundRectPath(0, 0, w, h, static_cast<float>(radius_));
        gdip::GdipFillPath(graphics, brush.get(), path.get());
        gdip::GdipDrawPath(graphics, pen.get(), path.get());
        break;
    }
    case kCircle:
        gdip::GdipFillEllipse(graphics, brush.get(), 0, 0, w, h);
        gdip::GdipDrawEllipse(graphics, pen.get(), 0, 0, w, h);
        break;
    default:
        break;  // an unknown style draws nothing
    }
}

PropertyList ShapeBox::GetProperties() const {
    return {
        {"Style", "风格", std::to_string(style_), property_choices::ShapeBoxStyle()},
        {"Round", "圆角度", std::to_string(radius_), {}},
        {"LineWidth", "线条宽度", std::to_string(lineWidth_), {}},
        {"Color", "颜色", std::to_string(lineColour_), {}},
        {"BkgColor", "背景颜色", std::to_string(background_), {}},
    };
}

void ShapeBox::ApplyProperties(const PropertyValues& values) {
    // The radius and the line width are taken under the keys GetProperties
    // lists as well as under their "n" names, so a list read back applies.
    const std::pair<const char*, std::int32_t*> integers[] = {
        {"Style", &style_}, {"nRound", &radius_}, {"Round", &radius_},
        {"nLineWidth", &lineWidth_}, {"LineWidth", &lineWidth_},
    };
    const std::pair<const char*, Argb*> colours[] = {{"Color", &lineColour_}, {"BkgColor", &background_}};
    for (const auto& [key, value] : values) {
        const auto integer = PropertyInteger(value);
        if (!integer) continue;
        for (const auto& [name, field] : integers)
            if (key == name) *field = static_cast<std::int32_t>(*integer);
        for (const auto& [name, field] : colours)
            if (key == name) *field = static_cast<Argb>(*integer);
    }
    Refresh();
}

void ShapeBox::CopyOwnSettingsFrom(const ShapeBox& other) {
    style_ = other.style_;
    radius_ = other.radius_;
    lineWidth_ = other.lineWidth_;
    lineColour_ = other.lineColour_;
    background_ = other.background_;
}

}  // namespace lirvo
