#pragma once
// Label: a text with an optional frame. Besides no frame, a rectangle and a
// rounded rectangle, programs may set kinds that only fill: an almost
// invisible fill that still covers the rectangle, a dark fill and two white
// gradients. The label owns its text style.

#include <oleacc.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/control_properties.h"
#include "skin/controls/skin_control.h"
#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo {

class Label : public SkinControl {
public:
    enum FrameKind : std::int32_t {
        kNoFrame = 0,
        kRectFrame = 1,
        kRoundRectFrame = 2,
        kFaintFill = 999,
        kDarkFill = 9999,
        kFadingWhite = 10000,
        kWhiteBand = 10001,
    };

    Label() = default;

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const Label& other);

    std::uint32_t AccessibleStates() const override { return STATE_SYSTEM_READONLY; }

    virtual bool Create(SkinObject& host, const Rect& rect, const WideText& text, std::int32_t frame,
                        std::optional<FontDescription> textStyle = std::nullopt,
                        std::optional<bool> visible = std::nullopt, bool disabled = false);
    virtual std::int32_t Frame(std::optional<std::int32_t> frame = std::nullopt, bool refresh = false);
    virtual FontDescription TextStyle(std::optional<FontDescription> style = std::nullopt);

    virtual void ApplyProperties(const PropertyValues& values);
    virtual PropertyList GetProperties() const;

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;

private:
    void DrawFrame(Gdiplus::GpGraphics* graphics);

    FontRecord textStyle_;
    std::int32_t frame_ = kNoFrame;
};

}  // namespace lirvo
