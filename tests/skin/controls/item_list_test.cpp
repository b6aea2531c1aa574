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

}  // namespace
}  // namespace lirvo
