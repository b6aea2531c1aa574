#pragma once
// CustomInstallToggle: the "自定义安装" text switch. Each press flips its
// flag at once (not on release); the application reads the flag after the
// click event. Setting the flag from outside does not redraw it.

#include <oleacc.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/skin_control.h"

namespace lirvo {

inline constexpr char kCustomInstallCaption[] = "自定义安装";

class CustomInstallToggle : public SkinControl {
public:
    enum Visual : std::int32_t { kNormal = 0, kHot = 1, kPressed = 2 };

    CustomInstallToggle() { State().tabStop = true; }

    bool ClicksOnKey() const override { return true; }
    std::int32_t AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    WideText AccessibleDefaultAction() const override { return MakeWideText("按下"); }
    std::uint32_t AccessibleStates() const override { return toggled_ ? STATE_SYSTEM_PRESSED : 0; }

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const CustomInstallToggle& other);

    virtual bool Create(SkinObject& host, const Rect& rect);
    virtual bool Toggled(std::optional<bool> toggled = std::nullopt);

    std::int32_t VisualState() const { return state_; }

protected:
    void OnLeftDown(Point) override;
    void OnMouseEnter() override { ChangeState(kHot); }
    void OnMouseLeave() override { ChangeState(kNormal); }
    void Draw(Gdiplus::GpGraphics* graphics) override;

private:
    void ChangeState(Visual state);

    Rect imageRect_;
    std::int32_t state_ = kNormal;
    bool toggled_ = false;
};

}  // namespace lirvo
