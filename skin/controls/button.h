#pragma once
// Button: a text button painted with rounded gradients in one of two styles
// (the default one and FerroUI), with an optional icon, fading between its
// looks. Two drop-down kinds work with the toolkit's popup menu: they keep
// a toolkit-wide menu-open flag and report their release as user event 19.
// The button owns its text style, icon and arrow pictures.

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

class Button : public SkinControl {
public:
    enum Visual : std::int32_t { kNormal = 0, kHot = 1, kPressed = 2 };
    enum Kind : std::int32_t { kDefaultStyle = 0, kFerroUi = 1, kDropDown = 999, kDropDownMenu = 1000 };
    enum Look : std::int32_t { kLookDisabled = 0, kLookNormal = 1, kLookHot = 2, kLookPressed = 3, kLookFocused = 4 };
    static constexpr std::int32_t kUserDropDown = 19;

    struct CreateArgs {
        WideText text;
        std::optional<FontDescription> textStyle;
        std::int32_t kind = kDefaultStyle;
        ByteArray icon;
        std::optional<bool> visible;
        bool disabled = false;
    };

    Button() { State().tabStop = true; }

    bool ClicksOnKey() const override { return true; }
    std::int32_t AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    WideText AccessibleDefaultAction() const override { return MakeWideText("按下"); }

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const Button& other);

    virtual bool Create(SkinObject& host, const Rect& rect, const CreateArgs& args);
    virtual void SetIcon(const ByteArray& icon);
    virtual void Paint(Gdiplus::GpGraphics* graphics, std::int32_t look, const FontRecord& textStyle,
                       const WideText& text);
    virtual void SetMode(std::int32_t mode) { mode_ = mode; }
    virtual std::int32_t StyleKind(std::optional<std::int32_t> kind = std::nullopt);
    virtual std::int32_t RaiseUserEvent(std::int32_t event, EventParam p1);
    virtual FontDescription TextStyle(std::optional<FontDescription> style = std::nullopt);

    virtual void ApplyProperties(const PropertyValues& values);
    virtual PropertyList GetProperties() const;

    std::int32_t VisualState() const { return state_; }
    std::int32_t CurrentLook() const;
    // The toolkit-wide state the drop-down kinds share with the popup menu.
    static bool MenuOpen();
    static std::int32_t DropDownTop();

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;
    void OnLeftDown(Point) override;
    void OnLeftUp(Point) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnBlur(ObjectHandle) override { Fade(); }

private:
    void Fade();
    void ReleaseAsPlainButton();
    void PaintIconAndText(Gdiplus::GpGraphics* graphics, const FontRecord& textStyle, const WideText& text);

    std::int32_t state_ = kNormal;
    FontRecord textStyle_;
    std::int32_t kind_ = kDefaultStyle;
    GdipBitmap icon_;
    GdipBitmap arrow_;
    Rect imageRect_;
    std::int32_t pictureCount_ = 1;
    std::int32_t mode_ = 0;
};

}  // namespace lirvo
