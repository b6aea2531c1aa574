#include "skin/controls/item_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "skin/controls/memory_stream.h"
#include "skin/core/shared_routines.h"
#include "skin/core/toolkit.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/images.h"

namespace lirvo {
namespace {

using testing::ControlTest;

// A 200 x 80 list at (10, 10): items 60 wide and 60 high above a 20-pixel
// band, two of them fit between the arrows.
constexpr Rect kList{10, 10, 200, 80};
constexpr int kItemY = 40;
int ItemCentreX(const ItemList& list, int index) {
    return list.Item(index)->TopLevelRect().left + 30;
}

TEST_F(ControlTest, MemoryStreamDecodesPicturesFromBytes) {
    GdipBitmap picture = MemoryStream::DecodePicture(testing::SolidPng(7, 5, 0xFF123456));
    ASSERT_TRUE(picture);
    EXPECT_EQ(testing::SizeOf(picture.get()), (testing::ImageSize{7, 5}));
    EXPECT_EQ(testing::PixelAt(picture.get(), 3, 2), 0xFF123456u);
    EXPECT_FALSE(MemoryStream::DecodePicture({1, 2, 3}));
    EXPECT_FALSE(MemoryStream::DecodePicture({}));
    EXPECT_FALSE(MemoryStream(ByteArray{}));
    EXPECT_TRUE(MemoryStream(ByteArray{1, 2, 3}));
}

TEST_F(ControlTest, ItemListSelectsOnClicksAndScrollsOnlyWhenItemsDoNotFit) {
    auto host = MakeHost();
    ItemList list;
    ASSERT_TRUE(list.Create(*host, kList,
                            {.lineColour = 0xFF000000, .thirdColour = 0xFF00A0FF, .itemExtent = 60, .secondExtent = 20}));
    EXPECT_EQ(list.AddItem(MakeWideText("一"), std::nullopt, testing::SolidPng(16, 16, 0xFFFF0000)), 1);
    EXPECT_EQ(list.AddItem(MakeWideText("二")), 2);
    EXPECT_TRUE(list.Item(1)->HasPicture()) << "decoded through a memory stream";
    EXPECT_FALSE(list.Item(2)->HasPicture());
    EXPECT_FALSE(list.LeftArrow().Visible()) << "two items fit";

    testing::LeftClick(*host, ItemCentreX(list, 2), kItemY);
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_TRUE(list.Item(2)->Selected());
    testing::LeftClick(*host, ItemCentreX(list, 1), kItemY);
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_FALSE(list.Item(2)->Selected());
    EXPECT_EQ(list.Select(0), 1) << "out of range: ignored";
    EXPECT_EQ(list.Select(3), 1);

    EXPECT_EQ(list.AddItem(MakeWideText("三")), 3);
    EXPECT_TRUE(list.RightArrow().Visible()) << "three items do not fit";
    const int before = list.Item(1)->TopLevelRect().left;
    testing::LeftClick(*host, kList.left + kList.width - 6, kItemY);
    EXPECT_EQ(list.FirstVisible(), 2);
    EXPECT_EQ(list.Item(1)->TopLevelRect().left, before - 60) << "scrolled by one item";
    EXPECT_EQ(list.Selected(), 1) << "an arrow click selects nothing";
    testing::LeftClick(*host, kList.left + 6, kItemY);
    EXPECT_EQ(list.FirstVisible(), 1);

    list.RemoveItem(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Selected(), 0) << "the selected item is gone";
    EXPECT_EQ(list.ItemText(1).ToWString(), L"二");
    EXPECT_FALSE(list.RightArrow().Visible());

    const ObjectHandle child = list.Item(1)->Id();
    list.Detach();
    EXPECT_EQ(list.Item(1)->Id(), 0) << "the items leave with the list";
    EXPECT_FALSE(Toolkit().objectRegistry.PositionOf(child));
}

// Items that do not fit run on under the right arrow; they show only in the
// strip between the arrows, when first drawn and when they redraw (a hot
// look), so the arrow and what lies around it stay as they were.
TEST_F(ControlTest, ItemListShowsItsItemsOnlyBetweenTheArrows) {
    constexpr Argb kRed = 0xFFFF0000;
    constexpr Argb kArrow = 0xFF000000;
    auto host = MakeHost();
    ItemList list;
    // Items 50 wide: the fourth stands at 162 to 212, its picture at 167 to
    // 207 (40 high at the top); the right arrow covers 188 to 200.
    ASSERT_TRUE(list.Create(*host, kList, {.lineColour = 0xFF000000, .itemExtent = 50, .secondExtent = 20}));
    for (const char* text : {"一", "二", "三", "四"})
        list.AddItem(MakeWideText(text), std::nullopt, testing::SolidPng(16, 16, kRed));
    ASSERT_TRUE(list.RightArrow().Visible());
    const auto at = [&](int x, int y) { return testing::HostPixel(*host, kList.left + x, kList.top + y); };
    // The band under the left arrow, where no item reaches, as the list alone draws it.
    const std::uint32_t band = at(5, 62);

    const auto check = [&](const char* when) {
        const struct {
            const char* what;
            int x, y;
            std::uint32_t expected;
        } probes[] = {
            {"the picture in the strip", 180, 5, kRed},
            {"beside the arrow's point, under the picture", 198, 5, testing::kHostColour},
            {"the arrow, over the picture", 190, 29, kArrow},
            {"the band under the arrow, under the marker's top", 195, 62, band},
        };
        for (const auto& p : probes) EXPECT_EQ(at(p.x, p.y), p.expected) << when << ": " << p.what;
    };
    check("laid out");
    const std::uint32_t normal = at(175, 58);
    testing::MouseMove(*host, kList.left + 175, kList.top + 30);
    ASSERT_NE(at(175, 58), normal) << "the fourth item took its hot look";
    check("hot");
    testing::MouseLeaveWindow(*host);
}


// The list of three 60-wide items (so the arrows show) that the setter tests
// look at, with the pixels of its parts on the host.
class ItemListLook : public ControlTest {
protected:
    static constexpr Argb kLine = 0xFF000000, kThird = 0xFF00A0FF;
    void SetUp() override {
        host = MakeHost();
        ASSERT_TRUE(list.Create(*host, kList,
                                {.lineColour = kLine, .thirdColour = kThird, .itemExtent = 60, .secondExtent = 20}));
        for (const char* text : {"一口", "二口", "三口"}) list.AddItem(MakeWideText(text), Style(0xFF000000));
        ASSERT_TRUE(list.RightArrow().Visible());
    }
    static FontDescription Style(Argb colour) { return MakeTextStyle(0, std::nullopt, 16, colour); }
    // A pixel of the list, at a point relative to it.
    std::uint32_t At(int x, int y) const { return testing::HostPixel(*host, kList.left + x, kList.top + y); }
    // How far the text band of item `index` (its 20 rows above the list's
    // band) leans towards a colour at most: the largest margin by which
    // one channel leads the other two. The grey host leans nowhere (0).
    int Lean(int index, int channel) const {
        const Rect item = list.Item(index)->TopLevelRect();
        int most = 0;
        for (int y = item.top + 40; y < item.top + 60; ++y)
            for (int x = item.left; x < item.left + item.width; ++x) {
                const std::uint32_t p = testing::HostPixel(*host, x, y);
                const int c[3] = {testing::Red(p), testing::Green(p), testing::Blue(p)};
                most = std::max(most, c[channel] - std::max(c[(channel + 1) % 3], c[(channel + 2) % 3]));
            }
        return most;
    }
    // How many pixels of the item's text band differ from the bare host.
    int Ink(int index) const {
        const Rect item = list.Item(index)->TopLevelRect();
        int count = 0;
        for (int y = item.top + 40; y < item.top + 60; ++y)
            for (int x = item.left; x < item.left + item.width; ++x)
                count += testing::HostPixel(*host, x, y) != testing::kHostColour;
        return count;
    }
    enum Channel { kRed = 0, kGreen = 1, kBlue = 2 };

    std::unique_ptr<SkinWindow> host;
    ItemList list;
};

TEST_F(ItemListLook, ColoursShowOnTheBandTheMarkersAndTheArrows) {
    constexpr Argb kGreenLine = 0xFF00FF00, kBlueFill = 0xFF0000FF, kMagenta = 0xFFFF00FF;
    // Points relative to the list: the band's outline at its top edge under
    // the left arrow, the band's inside there, the first marker's outline
    // (its top row) and inside, and the right arrow.
    const struct {
        int x, y;
    } bandEdge{5, 60}, bandInside{5, 70}, markerEdge{30, 62}, markerInside{30, 63}, arrow{190, 29};
    list.Select(1);
    EXPECT_EQ(At(bandEdge.x, bandEdge.y), kLine);
    EXPECT_EQ(At(markerInside.x, markerInside.y), kThird) << "the selected item's marker";
    const int secondMarker = 30 + 60;

    EXPECT_EQ(list.LineColour(kGreenLine), kGreenLine);
    EXPECT_EQ(At(bandEdge.x, bandEdge.y), kGreenLine) << "the band's outline";
    EXPECT_EQ(At(markerEdge.x, markerEdge.y), kGreenLine) << "a marker's outline";
    EXPECT_EQ(At(arrow.x, arrow.y), kGreenLine) << "the arrow";

    EXPECT_NE(At(bandInside.x, bandInside.y), kBlueFill);
    EXPECT_EQ(list.FillColour(kBlueFill), kBlueFill);
    EXPECT_EQ(At(bandInside.x, bandInside.y), kBlueFill) << "the band";
    EXPECT_EQ(At(secondMarker, markerInside.y), kBlueFill) << "an unselected marker";
    EXPECT_EQ(At(markerInside.x, markerInside.y), kThird) << "the selected marker keeps its colour";

    EXPECT_EQ(list.SelectedColour(kMagenta), kMagenta);
    EXPECT_EQ(At(markerInside.x, markerInside.y), kMagenta);
    list.Select(2);
    EXPECT_EQ(At(secondMarker, markerInside.y), kMagenta) << "the next selection takes it";
    EXPECT_EQ(At(markerInside.x, markerInside.y), kBlueFill) << "and the one before the fill";

    EXPECT_EQ(list.LineColour(), kGreenLine) << "reading changes nothing";
    EXPECT_EQ(list.FillColour(), kBlueFill);
    EXPECT_EQ(list.SelectedColour(), kMagenta);
}

TEST_F(ItemListLook, TextStylesAndTextsShowInTheItems) {
    ASSERT_GT(Ink(1), 0);
    EXPECT_LT(Lean(1, kBlue), 20) << "black text";

    list.TextStyle(Style(0xFF0000FF));
    EXPECT_EQ(list.TextStyle().textColour, 0xFF0000FFu);
    for (int i = 1; i <= 3; ++i) EXPECT_GT(Lean(i, kBlue), 150) << "item " << i << " in the list's style";
    EXPECT_EQ(list.AddItem(MakeWideText("四口")), 4);
    EXPECT_EQ(list.ItemTextStyle(4).textColour, 0xFF0000FFu) << "a later item takes the list's style";

    EXPECT_EQ(list.ItemTextStyle(2, Style(0xFFFF0000)).textColour, 0xFFFF0000u);
    EXPECT_GT(Lean(2, kRed), 150) << "one item in its own style";
    EXPECT_GT(Lean(1, kBlue), 150) << "the others keep the list's";
    EXPECT_EQ(list.ItemTextStyle(9).size, 0) << "out of range";

    const int before = Ink(1);
    EXPECT_EQ(list.ItemText(1, MakeWideText("")).ToWString(), L"");
    EXPECT_EQ(Ink(1), 0) << "an empty text shows nothing";
    EXPECT_EQ(list.ItemText(1, MakeWideText("一口")).ToWString(), L"一口");
    EXPECT_EQ(Ink(1), before);
    EXPECT_EQ(list.ItemText(7, MakeWideText("x")).ToWString(), L"") << "out of range";
    EXPECT_EQ(list.VisibleCount(), 2) << "176 pixels between the arrows, 60 for each item";
}

TEST_F(ItemListLook, ADisabledItemIsFadedAndClicksOnItSelectNothing) {
    list.TextStyle(Style(0xFFFF0000));
    const int red = Lean(2, kRed);
    ASSERT_GT(red, 150);
    int selections = 0;
    list.SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam, EventParam,
                             EventParam) {
        selections += event == ItemList::kUserSelected;
        return 0;
    });

    EXPECT_TRUE(list.ItemDisabled(2, true));
    EXPECT_TRUE(list.ItemDisabled(2));
    const int faded = Lean(2, kRed);
    EXPECT_GT(faded, 0) << "still shown";
    EXPECT_LT(faded, red * 2 / 3) << "but faded";
    testing::LeftClick(*host, ItemCentreX(list, 2), kItemY);
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(selections, 0);

    EXPECT_FALSE(list.ItemDisabled(2, false));
    EXPECT_EQ(Lean(2, kRed), red) << "enabled, it looks as before";
    testing::MouseLeaveWindow(*host);
    testing::LeftClick(*host, ItemCentreX(list, 2), kItemY);
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_EQ(selections, 1);
    EXPECT_FALSE(list.ItemDisabled(0, true)) << "out of range";
}

// The application hears of every selection through its handler, with the
// list as the sender and the new and the former index.
TEST_F(ItemListLook, ASelectionRaisesItsUserEventWithTheNewAndTheFormerIndex) {
    struct Heard {
        ObjectHandle sender;
        EventParam p1, p2;
        bool operator==(const Heard&) const = default;
    };
    std::vector<Heard> heard;
    list.SetEventHandler([&](HWND window, ObjectHandle sender, std::int32_t event, EventParam p1, EventParam p2,
                             EventParam, EventParam, EventParam) {
        EXPECT_EQ(window, host->GetHandle());
        if (event == ItemList::kUserSelected) heard.push_back({sender, p1, p2});
        return 0;
    });
    const ObjectHandle id = list.Id();
    testing::LeftClick(*host, ItemCentreX(list, 2), kItemY);
    testing::LeftClick(*host, ItemCentreX(list, 1), kItemY);
    list.Select(3);
    list.Select(0);  // out of range: nothing
    testing::LeftClick(*host, kList.left + kList.width - 6, kItemY);  // an arrow: nothing
    testing::LeftClick(*host, ItemCentreX(list, 3), kItemY);           // the selected item again
    testing::MouseLeaveWindow(*host);
    EXPECT_EQ(heard, (std::vector<Heard>{{id, 2, 0}, {id, 1, 2}, {id, 3, 1}, {id, 3, 3}}));
}

}  // namespace
}  // namespace lirvo
