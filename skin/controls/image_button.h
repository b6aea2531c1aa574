#pragma once
// ImageButton: a button drawn from three pictures (normal, hot, pressed),
// with an optional light outline when hot and a dark one when pressed. Every
// change of look fades. After a press the button keeps its pressed look
// until the mouse leaves it. The button owns its decoded pictures.

#include <oleacc.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/skin_control.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo {

class ImageButton : public SkinControl {
public:
    enum Visual : std::int32_t { kNormal = 0, kHot = 1, kPressed = 2 };

    ImageButton() { State().tabStop = true; }

    bool ClicksOnKey() const override { return true; }
    std::int32_t AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    WideText AccessibleDefaultAction() const override { return MakeWideText("按下"); }

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const ImageButton& other);

    // Pictures not given show the normal one.
    virtual bool Create(SkinObject& host, const Rect& rect, bool highlight, const ByteArray& normal,
                        std::optional<ByteArray> hot = std::nullopt, std::optional<ByteArray> pressed = std::nullopt);
    // One picture for all three looks.
    virtual void SetImage(const ByteArray& image);
    virtual void SetDisabledAndRefresh(bool disabled);

    std::int32_t VisualState() const { return state_; }
    // A mouse click leaves the pressed look until the mouse leaves; after a
    // key's click no mouse will, unless it is over the button.
    void KeyboardClickEnded() override {
        if (!IsMouseOn()) ChangeState(kNormal);
    }

protected:
    void OnLeftDown(Point) override { ChangeState(kPressed); }
    void OnMouseEnter() override { ChangeState(kHot); }
    void OnMouseLeave() override { ChangeState(kNormal); }
    void Draw(Gdiplus::GpGraphics* graphics) override;

private:
    void ChangeState(Visual state);

    std::int32_t state_ = kNormal;
    GdipBitmap normal_;
    GdipBitmap hot_;
    Rect imageRect_;
    GdipBitmap pressed_;
    bool highlight_ = false;
};

}  // namespace lirvo
