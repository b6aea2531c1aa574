#include "skin/controls/custom_install_toggle.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

TEST_F(ControlTest, CustomInstallToggleFlipsOnThePressAndShowsItsState) {
    auto host = MakeHost();
    const std::uint32_t background = testing::HostPixel(*host, 41, 41);
    CustomInstallToggle toggle;
    ASSERT_TRUE(toggle.Create(*host, {40, 40, 100, 24}));
    EXPECT_FALSE(toggle.Toggled());
    EXPECT_EQ(testing::HostPixel(*host, 41, 41), background) << "normal: no background";

    bool toggledAtClick = false;
    toggle.SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam,
                               EventParam, EventParam) {
        if (event == kUserClick) toggledAtClick = toggle.Toggled();
        return 0;
    });

    testing::MouseMove(*host, 60, 50);
    const std::uint32_t hot = testing::HostPixel(*host, 41, 41);
    EXPECT_GT(testing::Red(hot), 0xE0) << "hot: white fill at alpha 200";

    testing::LeftDown(*host, 60, 50);
    EXPECT_TRUE(toggle.Toggled()) << "flipped by the press itself";
    const std::uint32_t pressed = testing::HostPixel(*host, 41, 41);
    EXPECT_GT(testing::Red(pressed), 0x80);
    EXPECT_LT(testing::Red(pressed), testing::Red(hot)) << "pressed: white fill at alpha 50";
    testing::LeftUp(*host, 60, 50);
    EXPECT_TRUE(toggledAtClick);
    EXPECT_TRUE(toggle.Toggled()) << "the release does not flip it back";

    testing::LeftClick(*host, 60, 50);
    EXPECT_FALSE(toggle.Toggled());

    EXPECT_TRUE(toggle.Toggled(true));
    EXPECT_EQ(testing::HostPixel(*host, 41, 41), pressed) << "setting the flag does not redraw";
    testing::MouseMove(*host, 200, 150);
    EXPECT_EQ(testing::HostPixel(*host, 41, 41), background);
}

}  // namespace
}  // namespace lirvo
