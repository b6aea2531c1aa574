#include "skin/controls/image_button.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/skin/controls/control_fixture.h"
#include "tests/support/images.h"

namespace lirvo {
namespace {

using testing::ControlTest;

constexpr Argb kGreen = 0xFF00A000;

// Probes of the button's left edge (on the outline) and its middle (not).
struct Look {
    std::uint32_t edge;
    std::uint32_t middle;
};

Look LookOf(const SkinWindow& host, const ImageButton& button) {
    testing::TickUntilStopped(button, kFadeTimerKey);
    const Rect r = button.TopLevelRect();
    return {testing::HostPixel(host, r.left, r.top + r.height / 2),
            testing::HostPixel(host, r.left + r.width / 2, r.top + r.height / 2)};
}

TEST_F(ControlTest, ImageButtonWithOneImageShowsItInEveryStateWithTheOutlines) {
    auto host = MakeHost();
    ImageButton button;
    ASSERT_TRUE(button.Create(*host, {40, 40, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));
    EXPECT_FALSE(button.Create(*host, {0, 0, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));

    Look look = LookOf(*host, button);
    EXPECT_EQ(look.edge, kGreen) << "normal: the picture, no outline";
    EXPECT_EQ(look.middle, kGreen);

    testing::MouseMove(*host, 70, 55);
    EXPECT_EQ(button.VisualState(), ImageButton::kHot);
    look = LookOf(*host, button);
    EXPECT_EQ(look.middle, kGreen) << "hot: the same picture";
    EXPECT_GT(testing::Red(look.edge), 80) << "with a white outline";
    EXPECT_GT(testing::Green(look.edge), 0xA0);

    testing::LeftDown(*host, 70, 55);
    look = LookOf(*host, button);
    EXPECT_EQ(look.middle, kGreen) << "pressed: the same picture";
    EXPECT_EQ(testing::Red(look.edge), 0) << "with a black outline";
    EXPECT_LT(testing::Green(look.edge), 0xA0);
    const Look pressed = look;

    testing::LeftUp(*host, 70, 55);
    EXPECT_EQ(button.VisualState(), ImageButton::kPressed) << "a release does not change the look";
    look = LookOf(*host, button);
    EXPECT_EQ(look.edge, pressed.edge);

    testing::MouseMove(*host, 200, 150);
    EXPECT_EQ(button.VisualState(), ImageButton::kNormal) << "leaving ends the pressed look";
    look = LookOf(*host, button);
    EXPECT_EQ(look.edge, kGreen);
}

TEST_F(ControlTest, ImageButtonShowsEachStatesOwnPictureAndClicks) {
    auto host = MakeHost();
    const Argb normal = 0xFF102030, hot = 0xFF405060, pressed = 0xFF708090;
    ImageButton button;
    ASSERT_TRUE(button.Create(*host, {40, 40, 60, 30}, false, testing::SolidPng(60, 30, normal),
                              testing::SolidPng(60, 30, hot), testing::SolidPng(60, 30, pressed)));
    int clicks = 0;
    button.SetEventHandler([&](HWND, ObjectHandle sender, std::int32_t event, EventParam, EventParam, EventParam,
                               EventParam, EventParam) {
        if (event == kUserClick && sender == button.Id()) ++clicks;
        return 0;
    });
    EXPECT_EQ(LookOf(*host, button).edge, normal);
    testing::MouseMove(*host, 70, 55);
    EXPECT_EQ(LookOf(*host, button).edge, hot) << "no outline without highlight";
    testing::LeftClick(*host, 70, 55);
    EXPECT_EQ(LookOf(*host, button).edge, pressed);
    EXPECT_EQ(clicks, 1);

    button.SetImage(testing::SolidPng(60, 30, 0xFFAA0000));
    EXPECT_EQ(LookOf(*host, button).middle, 0xFFAA0000u);
}

TEST_F(ControlTest, ToolTipCoversTheControlOnItsHostUntilDetached) {
    auto host = MakeHost();
    ImageButton button;
    ASSERT_TRUE(button.Create(*host, {40, 40, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));
    EXPECT_EQ(button.SetToolTip(MakeWideText("更换安装目录")).ToAnsi(), "更换安装目录");
    HWND tip = button.ToolTipWindow();
    ASSERT_TRUE(tip);
    EXPECT_EQ(::GetParent(tip), host->GetHandle()) << "owned by the host window";
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    button.Detach();
    EXPECT_FALSE(::IsWindow(tip)) << "the tooltip goes with the control";
}

}  // namespace
}  // namespace lirvo
