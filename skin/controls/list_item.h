#pragma once
// ListItem: one clickable entry of an ItemList: a picture above a text,
// with hot, pressed and selected looks; or, as the list's scroll arrows, a
// triangle pointing left or right. Items forward their events to the list.
// The item owns its picture and text style. A disabled item is drawn faded
// and, being disabled, is passed over by the mouse.

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/controls/skin_control.h"
#include "skin/core/gdiplus_api.h"
#include "skin/core/shared_routines.h"
#include "skin/window/drawing.h"

namespace lirvo {

class ListItem : public SkinControl {
public:
    enum Visual : std::int32_t { kNormal = 0, kHot = 1, kPressed = 2 };
    enum Arrow : std::int32_t { kNoArrow = 0, kLeftArrow = 1, kRightArrow = 2 };

    struct CreateArgs {
        WideText text;
        std::optional<FontDescription> textStyle;
        ByteArray picture;  // decoded through a MemoryStream
        std::int32_t arrow = kNoArrow;
        Argb arrowColour = 0;
    };

    ListItem() = default;

    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const ListItem& other);

    virtual bool Create(SkinObject& host, const Rect& rect, const CreateArgs& args);
    virtual bool Selected(std::optional<bool> selected = std::nullopt, bool refresh = false);
    virtual FontDescription TextStyle(std::optional<FontDescription> style = std::nullopt);

    // The arrows' triangle colour; a change shows at the next drawing.
    Argb ArrowColour(std::optional<Argb> colour = std::nullopt);

    std::int32_t VisualState() const { return state_; }
    bool HasPicture() const { return picture_ != nullptr; }

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;
    void OnMouseEnter() override { ChangeState(kHot); }
    void OnMouseLeave() override { ChangeState(kNormal); }
    void OnLeftDown(Point) override { ChangeState(kPressed); }
    void OnLeftUp(Point) override { ChangeState(kHot); }

private:
    void ChangeState(Visual state);
    void DrawArrow(Gdiplus::GpGraphics* graphics);
    void SetTextStyle(const FontDescription& style);

    std::int32_t state_ = kNormal;
    bool selected_ = false;
    GdipBitmap picture_;
    FontRecord textStyle_;
    FontRecord fadedStyle_;  // the text style at a third of its alpha, for the disabled look
    std::int32_t arrow_ = kNoArrow;
    Argb arrowColour_ = 0;
};

}  // namespace lirvo
