#pragma once
// CheckBox: a check box with its text, drawn from the toolkit's built-in
// check-box pictures. Every change of look is a state fade from the picture
// on screen, so the box keeps the checked flag as last drawn until a fade
// completes. A double click counts as a second click. The box owns its
// text style.

#include <oleacc.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/control_properties.h"
#include "skin/controls/skin_control.h"
#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo {

class CheckBox : public SkinControl {
public:
    enum Visual : std::int32_t { kNormal = 1, kHot = 2, kPressed = 3 };

    CheckBox() { State().tabStop = true; }

    bool ClicksOnKey() const override { return true; }
    std::int32_t AccessibleRole() const override { return ROLE_SYSTEM_CHECKBUTTON; }
    std::uint32_t AccessibleStates() const override { return checked_ ? STATE_SYSTEM_CHECKED : 0; }
    WideText AccessibleDefaultAction() const override { return MakeWideText(checked_ ? "清除" : "选中"); }

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const CheckBox& other);

    virtual bool Create(SkinObject& host, const Rect& rect, const WideText& text,
                        std::optional<FontDescription> textStyle = std::nullopt, bool checked = false,
                        std::optional<bool> visible = std::nullopt, bool disabled = false);
    virtual bool Checked(std::optional<bool> checked = std::nullopt, bool refresh = false);
    virtual FontDescription TextStyle(std::optional<FontDescription> style = std::nullopt);

    virtual void ApplyProperties(const PropertyValues& values);
    virtual PropertyList GetProperties() const;

    std::int32_t VisualState() const { return state_; }

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;
    void DrawStateFade(Surface& surface, std::int32_t alpha, std::int32_t target) override;
    void OnLeftDown(Point) override { BeginStateFade(10, 10, kPressed); }
    void OnClick(Point) override { Toggle(); }
    // Windows turns a quick second click into a double click; it toggles too.
    void OnDoubleClick(Point) override { Toggle(); }
    void OnMouseEnter() override { BeginStateFade(10, 10, kHot); }
    void OnMouseLeave() override { BeginStateFade(10, 10, kNormal); }

private:
    void Toggle();
    Gdiplus::GpBitmap* Picture(bool checked, std::int32_t state) const;
    Rect PictureRect(Gdiplus::GpBitmap* picture) const;
    void DrawText(Gdiplus::GpGraphics* graphics, Gdiplus::GpBitmap* picture);

    FontRecord textStyle_;
    std::int32_t state_ = kNormal;
    bool checked_ = false;
    bool drawnChecked_ = false;
};

}  // namespace lirvo
