#include "skin/controls/check_box.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/control_fixture.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

// The test skin's check-box pictures are solid; their colours tell them apart.
Argb PictureColour(const char* state, const char* checked) {
    return testing::TestSkinColourOf(std::string("选择框_") + state + "_" + checked);
}

constexpr Rect kBox{30, 30, 120, 21};
constexpr int kPictureX = 30 + 2 + 7, kPictureY = 30 + 3 + 7;  // the picture's middle
constexpr int kTextX = 30 + 60;

std::uint32_t ShownPicture(const SkinWindow& host, const CheckBox& box) {
    testing::TickUntilStopped(box, kStateFadeTimerKey);
    return testing::HostPixel(host, kPictureX, kPictureY);
}

TEST_F(ControlTest, CheckBoxFadesBetweenItsPicturesAndToggles) {
    auto host = MakeHost();
    CheckBox box;
    ASSERT_TRUE(box.Create(*host, kBox, MakeWideText("创建桌面快捷方式"), MakeTextStyle(0, std::nullopt, 12)));
    EXPECT_EQ(testing::HostPixel(*host, kPictureX, kPictureY), PictureColour("正常", "正常"));

    int clicks = 0;
    box.SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam, EventParam,
                            EventParam) {
        if (event == kUserClick) ++clicks;
        return 0;
    });

    testing::MouseMove(*host, kTextX, 40);
    EXPECT_EQ(ShownPicture(*host, box), PictureColour("点燃", "正常"));
    testing::LeftDown(*host, kTextX, 40);
    EXPECT_EQ(ShownPicture(*host, box), PictureColour("按下", "正常"));
    testing::LeftUp(*host, kTextX, 40);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(ShownPicture(*host, box), PictureColour("点燃", "选中"));
    EXPECT_EQ(clicks, 1);
    testing::MouseMove(*host, 250, 150);
    EXPECT_EQ(ShownPicture(*host, box), PictureColour("正常", "选中"));

    box.Checked(false, true);
    EXPECT_EQ(testing::HostPixel(*host, kPictureX, kPictureY), PictureColour("正常", "正常"));
}

TEST_F(ControlTest, CheckBoxDoubleClickTogglesTwiceFromThePictureOnScreen) {
    auto host = MakeHost();
    CheckBox box;
    ASSERT_TRUE(box.Create(*host, kBox, MakeWideText("x")));
    testing::MouseMove(*host, kTextX, 40);
    testing::TickUntilStopped(box, kStateFadeTimerKey);

    // The messages of a quick double click, with one fade tick between each.
    testing::LeftDown(*host, kTextX, 40);
    testing::Tick(box, kStateFadeTimerKey);
    testing::LeftUp(*host, kTextX, 40);
    EXPECT_TRUE(box.Checked());
    testing::Tick(box, kStateFadeTimerKey);
    const std::uint32_t midway = testing::HostPixel(*host, kPictureX, kPictureY);
    testing::LeftDoubleClick(*host, kTextX, 40);
    EXPECT_FALSE(box.Checked()) << "the double click is the second toggle";
    testing::Tick(box, kStateFadeTimerKey);
    EXPECT_EQ(testing::HostPixel(*host, kPictureX, kPictureY), midway)
        << "the new fade's first frame is the picture that was on screen";
    testing::LeftUp(*host, kTextX, 40);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(ShownPicture(*host, box), PictureColour("点燃", "正常"));
}

}  // namespace
}  // namespace lirvo
