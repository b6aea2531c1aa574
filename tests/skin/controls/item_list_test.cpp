#include "skin/controls/item_list.h"

#include <gtest/gtest.h>

#include "skin/controls/memory_stream.h"
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

}  // namespace
}  // namespace lirvo
