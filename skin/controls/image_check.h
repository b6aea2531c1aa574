#pragma once
// ImageCheck: the tick of an option, drawn from a strip of three frames
// (normal, hot, pressed) from the application skin. A tick that is not
// shown is fully transparent but still takes clicks, so the option under it
// can be ticked again. The control owns the decoded strip.

#include <oleacc.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/skin_control.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo {

// The application skin's picture the ticks are drawn from.
inline constexpr char kCheckStripName[] = "选择钩钩未选取副本";

class ImageCheck : public SkinControl {
public:
    enum Visual : std::int32_t { kInitial = 0, kNormal = 1, kHot = 2, kPressed = 3 };

    ImageCheck() { State().tabStop = true; }

    bool ClicksOnKey() const override { return true; }
    std::int32_t AccessibleRole() const override { return ROLE_SYSTEM_CHECKBUTTON; }
    std::uint32_t AccessibleStates() const override { return shown_ ? STATE_SYSTEM_CHECKED : 0; }
    WideText AccessibleDefaultAction() const override { return MakeWideText(shown_ ? "清除" : "选中"); }

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const ImageCheck& other);

    virtual bool Create(SkinObject& host, const Rect& rect);
    virtual bool Shown(std::optional<bool> shown = std::nullopt);

    std::int32_t VisualState() const { return state_; }

protected:
    void OnLeftDown(Point) override { ChangeState(kPressed); }
    void OnLeftUp(Point) override { ChangeState(kNormal); }
    void OnMouseEnter() override { ChangeState(kHot); }
    void OnMouseLeave() override { ChangeState(kNormal); }
    void Draw(Gdiplus::GpGraphics* graphics) override;

private:
    void ChangeState(Visual state);

    std::int32_t state_ = kInitial;
    GdipBitmap strip_;
    Rect imageRect_;
    bool shown_ = true;
};

}  // namespace lirvo
