#include "skin/controls/button.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

constexpr Rect kButton{40, 40, 80, 30};

// `top` over `under`, both straight ARGB; the result premultiplied as
// surfaces store it.
struct Colour {
    double a, r, g, b;  // premultiplied, 0..255
};
Colour Premultiplied(Argb c) {
    const double a = c >> 24;
    return {a, (c >> 16 & 0xFF) * a / 255, (c >> 8 & 0xFF) * a / 255, (c & 0xFF) * a / 255};
}
Colour Over(Argb top, Colour under) {
    const Colour t = Premultiplied(top);
    const double keep = 1 - t.a / 255;
    return {t.a + under.a * keep, t.r + under.r * keep, t.g + under.g * keep, t.b + under.b * keep};
}

void ExpectNear(std::uint32_t pixel, Colour expected, const std::string& what) {
    EXPECT_NEAR(testing::Alpha(pixel), expected.a, 4) << what;
    EXPECT_NEAR(testing::Red(pixel), expected.r, 4) << what;
    EXPECT_NEAR(testing::Green(pixel), expected.g, 4) << what;
    EXPECT_NEAR(testing::Blue(pixel), expected.b, 4) << what;
}

TEST_F(ControlTest, ButtonLooksOfBothStylesAtTheTopEdge) {
    auto host = MakeHost();
    enum Action { kNone, kEnter, kPress, kDisable };
    const struct {
        std::int32_t kind;
        Action action;
        std::int32_t look;
        std::vector<Argb> layers;  // top pixel: the gradient's top colour, then what lies over it
    } cases[] = {
        {Button::kFerroUi, kNone, Button::kLookNormal, {MakeArgb(250, 255, 255, 255), MakeArgb(250, 139, 159, 181)}},
        {Button::kFerroUi, kEnter, Button::kLookHot, {MakeArgb(250, 255, 255, 255), MakeArgb(255, 4, 161, 251)}},
        {Button::kFerroUi, kPress, Button::kLookPressed, {MakeArgb(250, 160, 177, 177), MakeArgb(250, 139, 159, 181)}},
        {Button::kFerroUi, kDisable, Button::kLookDisabled, {MakeArgb(250, 215, 215, 215)}},
        {Button::kDefaultStyle, kNone, Button::kLookNormal,
         {MakeArgb(170, 253, 254, 255), MakeArgb(150, 67, 96, 144)}},
        {Button::kDefaultStyle, kEnter, Button::kLookHot,
         {MakeArgb(200, 253, 254, 255), MakeArgb(250, 4, 161, 251), MakeArgb(50, 4, 161, 251)}},
        {Button::kDefaultStyle, kPress, Button::kLookPressed,
         {MakeArgb(150, 0, 0, 0), MakeArgb(150, 67, 96, 144)}},  // the accent colour is black here
    };
    for (const auto& c : cases) {
        Button button;
        ASSERT_TRUE(button.Create(*host, kButton, {.text = MakeWideText("确定"), .kind = c.kind}));
        if (c.action == kEnter) testing::MouseMove(*host, 80, 55);
        if (c.action == kPress) {
            testing::MouseMove(*host, 80, 55);
            testing::LeftDown(*host, 80, 55);
        }
        if (c.action == kDisable) button.Disabled(true);
        testing::TickUntilStopped(button, kFadeTimerKey);
        EXPECT_EQ(button.CurrentLook(), c.look) << "kind " << c.kind << " action " << c.action;
        Colour expected{};
        for (Argb layer : c.layers) expected = Over(layer, expected);
        ExpectNear(button.DrawingSurface().PixelAt(40, 0), expected,
                   "kind " + std::to_string(c.kind) + " action " + std::to_string(c.action));
        testing::LeftUp(*host, 250, 150);
        testing::MouseMove(*host, 250, 150);
        button.Detach();
    }
}

TEST_F(ControlTest, ButtonClicksAndReturnsToNormalOnRelease) {
    auto host = MakeHost();
    Button button;
    ASSERT_TRUE(button.Create(*host, kButton, {.text = MakeWideText("下一步"), .kind = Button::kFerroUi}));
    std::vector<std::int32_t> events;
    button.SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam,
                               EventParam, EventParam) {
        if (event == kUserClick || event == Button::kUserDropDown) events.push_back(event);
        return 0;
    });
    testing::MouseMove(*host, 80, 55);
    EXPECT_EQ(button.VisualState(), Button::kHot);
    testing::LeftDown(*host, 80, 55);
    EXPECT_EQ(button.VisualState(), Button::kPressed);
    testing::LeftUp(*host, 80, 55);
    EXPECT_EQ(button.VisualState(), Button::kNormal);
    EXPECT_FALSE(button.IsFading()) << "the release ends on the plain look at once";
    EXPECT_EQ(events, std::vector<std::int32_t>{kUserClick});
}

TEST_F(ControlTest, DropDownButtonsKeepTheMenuFlag) {
    auto host = MakeHost();
    Button menu;
    ASSERT_TRUE(menu.Create(*host, kButton, {.text = MakeWideText("菜单"), .kind = Button::kDropDownMenu}));
    int dropDowns = 0;
    menu.SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam, EventParam,
                             EventParam) {
        if (event == Button::kUserDropDown) ++dropDowns;
        return 0;
    });
    testing::MouseMove(*host, 80, 55);
    testing::LeftDown(*host, 80, 55);
    EXPECT_TRUE(Button::MenuOpen());
    testing::LeftUp(*host, 80, 55);
    EXPECT_EQ(dropDowns, 1);
    testing::MouseMove(*host, 250, 150);
    EXPECT_TRUE(Button::MenuOpen()) << "leaving kind 1000 keeps the menu open";
    menu.Detach();

    Button list;
    ASSERT_TRUE(list.Create(*host, kButton, {.text = MakeWideText("列表"), .kind = Button::kDropDown}));
    testing::MouseMove(*host, 80, 55);
    EXPECT_FALSE(Button::MenuOpen()) << "entering closes the menu unless the mode is 2";
    EXPECT_EQ(Button::DropDownTop(), kButton.top);
    testing::LeftDown(*host, 80, 55);
    EXPECT_FALSE(Button::MenuOpen());
    testing::LeftUp(*host, 80, 55);
    list.SetMode(2);
    testing::LeftDown(*host, 80, 55);
    EXPECT_TRUE(Button::MenuOpen());
    testing::LeftUp(*host, 80, 55);
    testing::MouseMove(*host, 250, 150);
    EXPECT_FALSE(Button::MenuOpen()) << "leaving kind 999 closes it";
}

}  // namespace
}  // namespace lirvo
