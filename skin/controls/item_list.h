#pragma once
// ItemList: a horizontal strip of ListItems, each with a ShapeBox marker in
// the band along the list's bottom edge, one of them selected (1-based;
// 0 = none), and two arrow items that scroll the strip by one item while
// the items do not fit. The list owns its items, markers and arrows; they
// are controls hosted by the list and forward their events to it.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "skin/controls/list_item.h"
#include "skin/controls/shape_box.h"
#include "skin/controls/skin_control.h"

namespace lirvo {

class ItemList : public SkinControl {
public:
    static constexpr std::int32_t kArrowWidth = 12;

    struct CreateArgs {
        Argb lineColour = 0;
        std::optional<Argb> fillColour;
        Argb thirdColour = 0;  // the selected item's marker
        std::optional<std::int32_t> itemExtent;
        std::optional<std::int32_t> secondExtent;
        std::optional<bool> visible;
        bool disabled = false;
    };

    ItemList() = default;
    ~ItemList() override;

    // The copy takes the list's settings; its items are controls of this
    // list and stay here.
    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const ItemList& other);

    virtual bool Create(SkinObject& host, const Rect& rect, const CreateArgs& args);
    // Returns the new item's 1-based index, 0 when the list is not attached.
    virtual std::int32_t AddItem(const WideText& text, std::optional<FontDescription> textStyle = std::nullopt,
                                 const ByteArray& picture = {});
    // Out-of-range indices are ignored; returns the selected index.
    virtual std::int32_t Select(std::int32_t index);
    virtual void RemoveItem(std::int32_t index);
    virtual std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }

    // The user event a change of the selection raises: p1 the new 1-based
    // index, p2 the one selected before (0 for none). A click on the
    // selected item raises it too, with both the same.
    static constexpr std::int32_t kUserSelected = 20;

    // The item's text; with a text given, the item shows it. Out-of-range
    // indices give an empty text and change nothing.
    virtual WideText ItemText(std::int32_t index, std::optional<WideText> text = std::nullopt);
    // Whether the item is disabled: drawn faded, and clicks on it select
    // nothing. Out of range: false.
    virtual bool ItemDisabled(std::int32_t index, std::optional<bool> disabled = std::nullopt);

protected:
    // Runs after the selection changed, before the application hears of it.
    virtual void OnSelectionChanged(std::int32_t index, std::int32_t previous) {}

public:
    // How many items the strip between the arrows shows whole at once.
    virtual std::int32_t VisibleCount() const;
    // The colours, each shown at once when set: the outlines of the band and
    // the markers, and the arrows; the band's and the markers' fill; the
    // selected item's marker.
    virtual Argb LineColour(std::optional<Argb> colour = std::nullopt);
    virtual Argb FillColour(std::optional<Argb> colour = std::nullopt);
    virtual Argb SelectedColour(std::optional<Argb> colour = std::nullopt);
    // The text style of every item; items added later take it as their
    // default. Returns the list's style (the toolkit's default until set).
    virtual FontDescription TextStyle(std::optional<FontDescription> style = std::nullopt);
    // One item's text style; an empty description for an index out of range.
    virtual FontDescription ItemTextStyle(std::int32_t index, std::optional<FontDescription> style = std::nullopt);

    std::int32_t Selected() const { return selected_; }
    std::int32_t FirstVisible() const { return firstVisible_; }
    float ScrollOffset() const { return scrollOffset_; }
    float ItemsWidth() const { return itemsWidth_; }
    ListItem* Item(std::int32_t index) const;
    ListItem& LeftArrow() { return leftArrow_; }
    ListItem& RightArrow() { return rightArrow_; }

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override;
    void OnChildEvent(ObjectHandle sender, const UserEventRecord& record) override;
    void OnDestroy() override;

private:
    struct Entry {
        std::unique_ptr<ListItem> item;
        std::unique_ptr<ShapeBox> marker;
    };

    void Scroll(std::int32_t delta);
    void LayoutItems();
    bool Overflows() const;
    Rect ItemRect(std::size_t position) const;
    Rect MarkerRect(std::size_t position) const;
    Rect Strip() const;
    void CreateArrows();
    ShapeBox* Marker(std::int32_t index) const;
    void ShowSelectedMarker(std::int32_t index, bool selected);

    std::vector<Entry> items_;
    ListItem leftArrow_;
    ListItem rightArrow_;
    std::int32_t itemExtent_ = 80;
    std::int32_t secondExtent_ = 27;
    Argb lineColour_ = 0;
    Argb fillColour_ = 0;
    Argb thirdColour_ = 0;
    std::optional<FontDescription> textStyle_;  // for every item, once set
    std::int32_t selected_ = 0;
    std::int32_t firstVisible_ = 1;
    float itemsWidth_ = 0;
    float scrollOffset_ = 0;
};

}  // namespace lirvo
