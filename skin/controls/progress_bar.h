#pragma once
// ProgressBar: a horizontal or vertical bar filled with a gradient in
// proportion to its position, with a shine that runs across the fill. The
// shine moves on the control's own timer, which stops with the control. The
// bar owns its text style and the shine picture.

#include <oleacc.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/control_properties.h"
#include "skin/controls/skin_control.h"
#include "skin/core/gdiplus_api.h"
#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo {

class ProgressBar : public SkinControl {
public:
    enum BarType : std::int32_t { kHorizontal = 1, kVertical = 2 };
    // Style 1 lays the gradient right to left (top to bottom) and fills a
    // horizontal bar from its right edge.
    enum BarStyle : std::int32_t { kRightToLeft = 1, kLeftToRight = 2 };
    static constexpr std::int32_t kShineTimerKey = 100;

    struct CreateArgs {
        float boundA = 100.0f;
        float boundB = 0.0f;
        float position = 0.0f;
        WideText text;
        std::int32_t type = kHorizontal;
        std::int32_t style = kLeftToRight;
        Argb colour1 = 0;
        Argb colour2 = 0;
        Argb background = 0;
        Argb border = 0;
        std::optional<FontDescription> textStyle;
        std::optional<bool> visible;
        bool disabled = false;
    };

    ProgressBar() = default;

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const ProgressBar& other);

    virtual bool Create(SkinObject& host, const Rect& rect, const CreateArgs& args);

    std::int32_t AccessibleRole() const override { return ROLE_SYSTEM_PROGRESSBAR; }
    std::uint32_t AccessibleStates() const override { return STATE_SYSTEM_READONLY; }
    // The share of the way from the minimum to the maximum, in percent.
    std::optional<WideText> AccessibleValue() const override;
    // The position is not limited to the bounds.
    virtual float Position(std::optional<std::int32_t> value = std::nullopt, bool refresh = false);
    virtual void SetColours(std::optional<Argb> colour1, std::optional<Argb> colour2 = std::nullopt,
                            std::optional<Argb> background = std::nullopt);
    virtual std::int32_t Type(std::optional<std::int32_t> value = std::nullopt, bool refresh = false);
    virtual std::int32_t Style(std::optional<std::int32_t> value = std::nullopt, bool refresh = false);
    Argb GetColour1() const { return colours_[0]; }
    Argb GetColour2() const { return colours_[1]; }
    Argb GetBkgColor() const { return background_; }
    virtual FontDescription TextStyle(std::optional<FontDescription> style = std::nullopt);

    virtual void ApplyProperties(const PropertyValues& values);
    virtual PropertyList GetProperties() const;

    float Maximum() const { return maximum_; }
    float Minimum() const { return minimum_; }
    std::int32_t ShineOffset() const { return shineOffset_; }
    // The length of the filled part: the position's share of the way from
    // the minimum to the maximum, held to 0..1; 0 when the bounds are equal.
    float FilledLength() const;

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;
    void OnTimer(std::int32_t key, EventParam value) override;
    void OnDestroy() override;

private:
    void DrawVertical(Gdiplus::GpGraphics* graphics, float length);
    void DrawHorizontal(Gdiplus::GpGraphics* graphics, float length);

    float position_ = 0;
    float maximum_ = 0;
    float minimum_ = 0;
    std::int32_t type_ = 0;
    std::int32_t style_ = 0;
    FontRecord textStyle_;
    Argb colours_[2] = {};
    Argb background_ = 0;
    Argb border_ = 0;
    std::int32_t shineOffset_ = -4;
    GdipBitmap shine_;
};

}  // namespace lirvo
