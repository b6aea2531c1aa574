#pragma once
// ShapeBox: a plain shape filling the control: rectangle, rounded
// rectangle, ellipse, one of four lines, or one of four triangles, drawn
// with a line colour and a background colour. It does not react to the
// mouse.

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/control_properties.h"
#include "skin/controls/skin_control.h"
#include "skin/core/colour.h"

namespace lirvo {

class ShapeBox : public SkinControl {
public:
    enum Shape : std::int32_t {
        kRect = 0,
        kRoundRect = 1,
        kCircle = 2,
        kLeftEdgeLine = 3,  // named the horizontal line, drawn down the left edge
        kTopEdgeLine = 4,   // named the vertical line, drawn along the top edge
        kFallingDiagonal = 5,
        kRisingDiagonal = 6,
        kTriangleUp = 7,
        kTriangleDown = 8,
        kRightTriangleLeft = 9,
        kRightTriangleRight = 10,
    };

    struct CreateArgs {
        std::int32_t style = kRect;
        std::int32_t radius = 0;
        std::optional<float> lineWidth;
        Argb lineColour = 0;
        std::optional<Argb> background;
        std::optional<bool> visible;
        bool disabled = false;
    };

    ShapeBox() = default;

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const ShapeBox& other);

    virtual bool Create(SkinObject& host, const Rect& rect, const CreateArgs& args);
    // Each setter stores the value when given, refreshing when asked.
    virtual std::int32_t SetStyle(std::int32_t style, bool refresh = false);
    virtual Argb Color(std::optional<Argb> colour = std::nullopt, bool refresh = false);
    virtual std::int32_t Round(std::optional<std::int32_t> radius = std::nullopt, bool refresh = false);
    virtual std::int32_t LineWidth(std::optional<std::int32_t> width = std::nullopt, bool refresh = false);
    virtual Argb BkgColor(std::optional<Argb> colour = std::nullopt, bool refresh = false);

    virtual void ApplyProperties(const PropertyValues& values);
    virtual PropertyList GetProperties() const;

    std::int32_t Style() const { return style_; }

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;

private:
    std::int32_t style_ = kRect;
    std::int32_t radius_ = 0;
    std::int32_t lineWidth_ = 1;
    Argb lineColour_ = 0;
    Argb background_ = 0;
};

}  // namespace lirvo
