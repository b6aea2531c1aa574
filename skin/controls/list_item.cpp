#include "skin/controls/list_item.h"

#include <algorithm>

#include "skin/controls/gdiplus_brushes.h"
#include "skin/controls/memory_stream.h"

namespace lirvo {
namespace {

// Backgrounds by look: normal, hot, pressed, and the selected item's.
constexpr Argb kLookFills[] = {0x00000000, 0x3CFFFFFF, 0x28000000};
constexpr Argb kSelectedFill = 0x78FFFFFF;
constexpr std::int32_t kTextHeight = 20;
// A disabled item's picture, in percent of its opacity.
constexpr std::int32_t kFadedPictureOpacity = 40;

Argb Faded(Argb colour) { return (colour >> 24) / 3 << 24 | (colour & 0x00FFFFFF); }

}  // namespace

bool ListItem::Create(SkinObject& host, const Rect& rect, const CreateArgs& args) {
    if (!Attach(host, rect, args.text, 1)) return false;
    SetTextStyle(args.textStyle.value_or(FontDescription{}));
    picture_ = MemoryStream::DecodePicture(args.picture);
    arrow_ = args.arrow;
    arrowColour_ = args.arrowColour;
    state_ = kNormal;
    Render();
    return true;
}

bool ListItem::Selected(std::optional<bool> selected, bool refresh) {
    if (selected) {
        selected_ = *selected;
        if (refresh) Refresh();
    }
    return selected_;
}

FontDescription ListItem::TextStyle(std::optional<FontDescription> style) {
    if (style) SetTextStyle(*style);
    return textStyle_.Description();
}

void ListItem::SetTextStyle(const FontDescription& style) {
    textStyle_ = FontRecord(style);
    FontDescription faded = textStyle_.Description();
    faded.textColour = Faded(faded.textColour);
    faded.glowColour = Faded(faded.glowColour);
    fadedStyle_ = FontRecord(faded);
}

Argb ListItem::ArrowColour(std::optional<Argb> colour) {
    if (colour) arrowColour_ = *colour;
    return arrowColour_;
}

void ListItem::ChangeState(Visual state) {
    state_ = state;
    Refresh();
}

void ListItem::Draw(Gdiplus::GpGraphics* graphics) {
    const std::int32_t w = GetWidth();
    const std::int32_t h = GetHeight();
    const Argb fill = selected_ && state_ == kNormal ? kSelectedFill : kLookFills[state_];
    if (fill >> 24) FillRectColour(graphics, fill, 0, 0, w, h);
    if (arrow_ != kNoArrow) return DrawArrow(graphics);
    const bool faded = State().disabled;
    const std::int32_t pictureHeight = std::max(h - kTextHeight, 0);
    if (picture_ && pictureHeight > 0) {
        const std::int32_t side = std::min(w, pictureHeight);
        DrawImage(picture_.get(), graphics, (w - side) / 2, 0,
                  {.width = side,
                   .height = side,
                   .opacity = faded ? std::optional<std::int32_t>(kFadedPictureOpacity) : std::nullopt});
    }
    DrawStyledText(graphics, faded ? fadedStyle_ : textStyle_, GetTextW(), Rect{0, pictureHeight, w, h - pictureHeight});
}

void ListItem::DrawArrow(Gdiplus::GpGraphics* graphics) {
    const auto w = static_cast<float>(GetWidth() - 1);
    const auto h = static_cast<float>(GetHeight() - 1);
    const Gdiplus::PointF left[] = {{w, 0}, {0, h / 2}, {w, h}};
    const Gdiplus::PointF right[] = {{0, 0}, {w, h / 2}, {0, h}};
    auto brush = MakeSolidBrush(arrowColour_);
    gdip::GdipFillPolygon(graphics, brush.get(), arrow_ == kLeftArrow ? left : right, 3, Gdiplus::FillModeAlternate);
}

void ListItem::CopyOwnSettingsFrom(const ListItem& other) {
    state_ = other.state_;
    selected_ = other.selected_;
    arrow_ = other.arrow_;
    arrowColour_ = other.arrowColour_;
    picture_ = CloneBitmap(other.picture_);
    SetTextStyle(other.textStyle_.Description());
}

}  // namespace lirvo
