#include "skin/controls/label.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

TEST_F(ControlTest, LabelFramesAsPixelProbes) {
    auto host = MakeHost();
    constexpr int kWidth = 60, kHeight = 20;
    const struct {
        std::int32_t frame;
        int x, y;
        std::uint32_t expected;  // premultiplied, in the label's own surface
    } probes[] = {
        {Label::kNoFrame, 10, 10, 0},
        {Label::kRectFrame, 10, 10, 0x48484848},  // white at alpha 72
        {Label::kRoundRectFrame, 10, 10, 0x48484848},
        {Label::kRoundRectFrame, 0, 0, 0},  // the rounded corner leaves the corner pixel out
        {Label::kFaintFill, 0, 0, 0x01010101},
        {Label::kFaintFill, 30, 10, 0x01010101},
        {Label::kFaintFill, kWidth - 1, kHeight - 1, 0x01010101},
        {Label::kDarkFill, 30, 10, 0x96000000},
        {Label::kWhiteBand, 30, 0, 0xC8C8C8C8},
        {Label::kWhiteBand, 30, kHeight - 1, 0xC8C8C8C8},
        {1234, 30, 10, 0},  // unknown kinds draw no frame
    };
    for (const auto& probe : probes) {
        Label label;
        ASSERT_TRUE(label.Create(*host, {10, 10, kWidth, kHeight}, WideText(), probe.frame));
        EXPECT_EQ(label.DrawingSurface().PixelAt(probe.x, probe.y), probe.expected)
            << "frame " << probe.frame << " at " << probe.x << "," << probe.y;
        label.Detach();
    }

    Label rect;
    ASSERT_TRUE(rect.Create(*host, {10, 10, kWidth, kHeight}, WideText(), Label::kRectFrame));
    const std::uint32_t edge = rect.DrawingSurface().PixelAt(0, 10);
    EXPECT_GT(testing::Alpha(edge), 0x48) << "the black outline over the fill";
    EXPECT_LT(testing::Red(edge), 0x48);
    rect.Detach();

    Label fading;
    ASSERT_TRUE(fading.Create(*host, {10, 10, kWidth, kHeight}, WideText(), Label::kFadingWhite));
    EXPECT_LT(testing::Alpha(fading.DrawingSurface().PixelAt(30, 0)), 20) << "transparent at the top";
    EXPECT_GT(testing::Alpha(fading.DrawingSurface().PixelAt(30, kHeight - 1)), 170) << "white below";
    fading.Frame(Label::kNoFrame, true);
    EXPECT_EQ(fading.DrawingSurface().PixelAt(30, kHeight - 1), 0u);
}

TEST_F(ControlTest, LabelWithTheFaintFillLooksEmptyButTakesTheMouse) {
    auto host = MakeHost();
    const std::uint32_t background = testing::HostPixel(*host, 40, 20);
    Label label;
    ASSERT_TRUE(label.Create(*host, {10, 10, 60, 20}, WideText(), Label::kFaintFill));
    const std::uint32_t shown = testing::HostPixel(*host, 40, 20);
    EXPECT_LE(std::abs(testing::Red(shown) - testing::Red(background)), 1) << "looks empty";
    int clicks = 0;
    label.SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam, EventParam,
                              EventParam) {
        if (event == kUserClick) ++clicks;
        return 0;
    });
    testing::LeftClick(*host, 40, 20);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, LabelDrawsItsText) {
    auto host = MakeHost();
    Label label;
    ASSERT_TRUE(label.Create(*host, {10, 10, 120, 30}, MakeWideText("剩余空间"), Label::kNoFrame,
                             MakeTextStyle(0, std::nullopt, 14, 0xFF000000)));
    int inked = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 30; ++y)
            if (testing::Alpha(label.DrawingSurface().PixelAt(x, y)) > 0) ++inked;
    EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace lirvo
