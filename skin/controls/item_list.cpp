#include "skin/controls/item_list.h"

#include <algorithm>

#include "skin/controls/gdiplus_brushes.h"

namespace lirvo {
namespace {

// Items count as not fitting only beyond rounding noise.
constexpr float kOverflowTolerance = 1e-7f;
constexpr std::int32_t kMarkerHeight = 3;

}  // namespace

ItemList::~ItemList() {
    // The children go first, while the list can still receive their events.
    items_.clear();
}

bool ItemList::Create(SkinObject& host, const Rect& rect, const CreateArgs& args) {
    if (!Attach(host, rect, WideText(), 1, args.visible.value_or(true), args.disabled)) return false;
    lineColour_ = args.lineColour;
    fillColour_ = args.fillColour.value_or(MakeArgb(1, 255, 255, 255));
    thirdColour_ = args.thirdColour;
    itemExtent_ = args.itemExtent.value_or(80);
    secondExtent_ = args.secondExtent.value_or(27);
    selected_ = 0;
    firstVisible_ = 1;
    scrollOffset_ = 0;
    Render();
    CreateArrows();
    LayoutItems();
    return true;
}

void ItemList::CreateArrows() {
    const std::int32_t height = GetHeight() - secondExtent_;
    const struct {
        ListItem* arrow;
        std::int32_t left;
        std::int32_t direction;
    } arrows[] = {
        {&leftArrow_, 0, ListItem::kLeftArrow},
        {&rightArrow_, GetWidth() - kArrowWidth, ListItem::kRightArrow},
    };
    for (const auto& a : arrows) {
        a.arrow->Create(*this, {a.left, 0, kArrowWidth, height},
                        {.arrow = a.direction, .arrowColour = lineColour_ | 0xFF000000u});
        a.arrow->SetEventTarget(Id());
    }
}

std::int32_t ItemList::AddItem(const WideText& text, std::optional<FontDescription> textStyle,
                               const ByteArray& picture) {
    if (!IsAttached()) return 0;
    const std::size_t position = items_.size();
    Entry entry{std::make_unique<ListItem>(), std::make_unique<ShapeBox>()};
    // An item scrolled partly under an arrow shows only its part in the
    // strip, whatever it draws; so does its marker in the band below.
    entry.item->ClipToHostArea(Strip());
    entry.marker->ClipToHostArea(Strip());
    entry.item->Create(*this, ItemRect(position),
                       {.text = text, .textStyle = textStyle ? textStyle : textStyle_, .picture = picture});
    entry.item->SetEventTarget(Id());
    entry.marker->Create(*this, MarkerRect(position),
                         {.style = ShapeBox::kRect, .lineColour = lineColour_, .background = fillColour_});
    items_.push_back(std::move(entry));
    // The arrows stay in front of the items for the mouse and the eye.
    for (ListItem* arrow : {&leftArrow_, &rightArrow_})
        if (arrow->IsAttached()) arrow->SetHost(*this);
    LayoutItems();
    return Count();
}

std::int32_t ItemList::Select(std::int32_t index) {
    if (index < 1 || index > Count()) return selected_;
    const std::int32_t previous = selected_;
    if (Item(previous)) ShowSelectedMarker(previous, false);
    selected_ = index;
    ShowSelectedMarker(index, true);
    OnSelectionChanged(index, previous);
    RaiseEvent(kUserSelected, index, previous);
    return selected_;
}

void ItemList::ShowSelectedMarker(std::int32_t index, bool selected) {
    Item(index)->Selected(selected, true);
    Marker(index)->BkgColor(selected ? thirdColour_ : fillColour_, true);
}

void ItemList::RemoveItem(std::int32_t index) {
    if (index < 1 || index > Count()) return;
    items_.erase(items_.begin() + (index - 1));
    if (selected_ == index) selected_ = 0;
    else if (selected_ > index) --selected_;
    firstVisible_ = std::clamp(firstVisible_, 1, std::max(Count(), 1));
    LayoutItems();
}

WideText ItemList::ItemText(std::int32_t index, std::optional<WideText> text) {
    ListItem* item = Item(index);
    if (!item) return WideText();
    if (text) {
        item->SetTextW(*text);
        item->Refresh();
    }
    return item->GetTextW();
}

bool ItemList::ItemDisabled(std::int32_t index, std::optional<bool> disabled) {
    ListItem* item = Item(index);
    if (!item) return false;
    return disabled ? item->Disabled(*disabled) : item->Disabled();
}

std::int32_t ItemList::VisibleCount() const {
    if (itemExtent_ <= 0) return 0;
    return std::max(GetWidth() - 2 * kArrowWidth, 0) / itemExtent_;
}

Argb ItemList::LineColour(std::optional<Argb> colour) {
    if (colour && IsAttached()) {
        lineColour_ = *colour;
        for (const Entry& entry : items_) {
            entry.marker->Color(lineColour_);
            entry.marker->Render(false, true);
        }
        for (ListItem* arrow : {&leftArrow_, &rightArrow_}) {
            arrow->ArrowColour(lineColour_ | 0xFF000000u);
            arrow->Render(false, true);
        }
        // The list's repaint puts its children's fresh looks on it.
        Refresh();
    }
    return lineColour_;
}

Argb ItemList::FillColour(std::optional<Argb> colour) {
    if (colour && IsAttached()) {
        fillColour_ = *colour;
        for (std::int32_t i = 1; i <= Count(); ++i)
            if (i != selected_) {
                Marker(i)->BkgColor(fillColour_);
                Marker(i)->Render(false, true);
            }
        Refresh();
    }
    return fillColour_;
}

Argb ItemList::SelectedColour(std::optional<Argb> colour) {
    if (colour && IsAttached()) {
        thirdColour_ = *colour;
        if (Marker(selected_)) Marker(selected_)->BkgColor(thirdColour_, true);
    }
    return thirdColour_;
}

FontDescription ItemList::TextStyle(std::optional<FontDescription> style) {
    if (style) {
        textStyle_ = *style;
        for (const Entry& entry : items_) {
            entry.item->TextStyle(*style);
            entry.item->Render(false, true);
        }
        // One repaint of the list shows every item anew.
        if (IsAttached()) Refresh();
    }
    // A style of size 0 stands for the toolkit's default, as for every text style.
    return textStyle_ && textStyle_->size != 0 ? *textStyle_ : MakeTextStyle();
}

FontDescription ItemList::ItemTextStyle(std::int32_t index, std::optional<FontDescription> style) {
    ListItem* item = Item(index);
    if (!item) return FontDescription{};
    if (!style) return item->TextStyle();
    item->TextStyle(*style);
    item->Refresh();
    return item->TextStyle();
}

ListItem* ItemList::Item(std::int32_t index) const {
    if (index < 1 || index > Count()) return nullptr;
    return items_[static_cast<std::size_t>(index - 1)].item.get();
}

ShapeBox* ItemList::Marker(std::int32_t index) const {
    if (index < 1 || index > Count()) return nullptr;
    return items_[static_cast<std::size_t>(index - 1)].marker.get();
}

Rect ItemList::ItemRect(std::size_t position) const {
    const auto left = static_cast<float>(kArrowWidth) + static_cast<float>(position) * itemExtent_ - scrollOffset_;
    return {static_cast<std::int32_t>(left), 0, itemExtent_, GetHeight() - secondExtent_};
}

Rect ItemList::MarkerRect(std::size_t position) const {
    const Rect item = ItemRect(position);
    return {item.left + 2, GetHeight() - secondExtent_ + 2, item.width - 4, kMarkerHeight};
}

Rect ItemList::Strip() const { return {kArrowWidth, 0, GetWidth() - 2 * kArrowWidth, GetHeight()}; }

bool ItemList::Overflows() const {
    const auto room = static_cast<float>(GetWidth() - 2 * kArrowWidth);
    return itemsWidth_ - room > kOverflowTolerance;
}

void ItemList::LayoutItems() {
    itemsWidth_ = static_cast<float>(Count()) * static_cast<float>(itemExtent_);
    scrollOffset_ = static_cast<float>(firstVisible_ - 1) * static_cast<float>(itemExtent_);
    const std::int32_t stripRight = GetWidth() - kArrowWidth;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Rect rect = ItemRect(i);
        // Items scrolled wholly out of the strip between the arrows are hidden.
        const bool inStrip = rect.left + rect.width > kArrowWidth && rect.left < stripRight;
        items_[i].item->SetRect(rect);
        items_[i].marker->SetRect(MarkerRect(i));
        if (items_[i].item->Visible() != inStrip) items_[i].item->Visible(inStrip);
        if (items_[i].marker->Visible() != inStrip) items_[i].marker->Visible(inStrip);
    }
    const bool arrows = Overflows();
    if (leftArrow_.IsAttached()) leftArrow_.Visible(arrows);
    if (rightArrow_.IsAttached()) rightArrow_.Visible(arrows);
}

void ItemList::Scroll(std::int32_t delta) {
    if (!Overflows()) return;
    const std::int32_t next = firstVisible_ + delta;
    if (next < 1 || next > Count()) return;
    firstVisible_ = next;
    LayoutItems();
}

void ItemList::OnChildEvent(ObjectHandle sender, const UserEventRecord& record) {
    if (record[0] != kUserClick) return;
    if (sender == leftArrow_.Id()) return Scroll(-1);
    if (sender == rightArrow_.Id()) return Scroll(1);
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].item->Id() == sender) {
            Select(static_cast<std::int32_t>(i) + 1);
            return;
        }
}

void ItemList::Draw(Gdiplus::GpGraphics* graphics) {
    const std::int32_t w = GetWidth();
    const std::int32_t h = GetHeight();
    FillRectColour(graphics, fillColour_, 0, h - secondExtent_, w, secondExtent_);
    DrawRectOutline(graphics, lineColour_, 0, h - secondExtent_, w - 1, secondExtent_ - 1);
}

void ItemList::OnDestroy() {
    selected_ = 0;
}

void ItemList::CopyOwnSettingsFrom(const ItemList& other) {
    itemExtent_ = other.itemExtent_;
    secondExtent_ = other.secondExtent_;
    lineColour_ = other.lineColour_;
    fillColour_ = other.fillColour_;
    thirdColour_ = other.thirdColour_;
    textStyle_ = other.textStyle_;
}

}  // namespace lirvo
