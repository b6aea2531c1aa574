#include "skin/controls/image_check.h"

#include <gtest/gtest.h>

#include "skin/core/shared_routines.h"
#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

constexpr Argb kFrames[] = {0xFF0000C0, 0xFF00C000, 0xFFC00000};  // normal, hot, pressed

TEST_F(ControlTest, ImageCheckDrawsTheFrameOfItsStateAndIsClickableWhenNotShown) {
    ApplicationSkin().AddRecord(0, kCheckStripName, testing::BandsPng(20, 16, {kFrames[0], kFrames[1], kFrames[2]}),
                                0);
    auto host = MakeHost();
    const std::uint32_t background = testing::HostPixel(*host, 60, 58);
    ImageCheck check;
    ASSERT_TRUE(check.Create(*host, {50, 50, 20, 16}));
    int clicks = 0;
    check.SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam, EventParam,
                              EventParam) {
        if (event == kUserClick) ++clicks;
        return 0;
    });
    testing::TickUntilStopped(check, kFadeTimerKey);

    const struct {
        const char* step;
        void (*send)(const SkinWindow&, int, int);
        int x, y;
        std::int32_t state;
        Argb frame;
    } steps[] = {
        {"enter", testing::MouseMove, 60, 58, ImageCheck::kHot, kFrames[1]},
        {"press", testing::LeftDown, 60, 58, ImageCheck::kPressed, kFrames[2]},
        {"release", testing::LeftUp, 60, 58, ImageCheck::kNormal, kFrames[0]},
        {"enter again", testing::MouseMove, 61, 58, ImageCheck::kNormal, kFrames[0]},
        {"leave", testing::MouseMove, 150, 150, ImageCheck::kNormal, kFrames[0]},
    };
    EXPECT_EQ(testing::HostPixel(*host, 60, 58), kFrames[0]) << "created: the first frame";
    for (const auto& step : steps) {
        step.send(*host, step.x, step.y);
        EXPECT_EQ(check.VisualState(), step.state) << step.step;
        EXPECT_EQ(testing::HostPixel(*host, 60, 58), step.frame) << step.step;
    }
    EXPECT_EQ(clicks, 1);

    check.Shown(false);
    EXPECT_EQ(testing::HostPixel(*host, 60, 58), background) << "not shown: transparent";
    testing::LeftClick(*host, 60, 58);
    EXPECT_EQ(clicks, 2) << "still clickable";
    EXPECT_EQ(testing::HostPixel(*host, 60, 58), background) << "and still transparent after the press";
    check.Shown(true);
    EXPECT_EQ(testing::HostPixel(*host, 60, 58), kFrames[0]) << "shown again, in its state after the release";

    check.Disabled(true);
    EXPECT_EQ(testing::HostPixel(*host, 60, 58), background) << "a disabled tick draws nothing";
}

}  // namespace
}  // namespace lirvo
