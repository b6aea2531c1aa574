#include "skin/controls/progress_bar.h"

#include <gtest/gtest.h>

#include "skin/controls/control_timers.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

constexpr Argb kFill = 0xFF00C000;
constexpr Argb kBackground = 0xFFFFFFFF;
constexpr Argb kShineColour = 0xFF00004B;  // the test skin's "进度图片"

ProgressBar::CreateArgs BarArgs(float position, std::int32_t type = ProgressBar::kHorizontal,
                                std::int32_t style = ProgressBar::kLeftToRight) {
    return {.boundA = 100.0f,
            .boundB = 0.0f,
            .position = position,
            .type = type,
            .style = style,
            .colour1 = kFill,
            .colour2 = kFill,
            .background = kBackground,
            .border = 0xFF0000FF};
}

TEST_F(ControlTest, ProgressBarOrdersItsBoundsWithThePosition) {
    auto host = MakeHost();
    const struct {
        float a, b, position;
        float maximum, minimum;
    } cases[] = {
        {100.0f, 1.0f, 0.0f, 100.0f, 0.0f},
        {1.0f, 100.0f, 50.0f, 100.0f, 1.0f},
        {10.7f, 3.2f, 20.0f, 20.0f, 3.0f},  // truncated, and the position counts too
        {-5.5f, 5.0f, 0.0f, 5.0f, -5.0f},
    };
    for (const auto& c : cases) {
        ProgressBar bar;
        ProgressBar::CreateArgs args = BarArgs(c.position);
        args.boundA = c.a;
        args.boundB = c.b;
        ASSERT_TRUE(bar.Create(*host, {10, 10, 200, 30}, args));
        EXPECT_EQ(bar.Maximum(), c.maximum) << c.a << ", " << c.b << ", " << c.position;
        EXPECT_EQ(bar.Minimum(), c.minimum) << c.a << ", " << c.b << ", " << c.position;
        EXPECT_EQ(bar.Position(), c.position);
    }
}

TEST_F(ControlTest, ProgressBarFillsItsShareFromTheSideOfItsStyle) {
    auto host = MakeHost();
    const struct {
        const char* what;
        std::int32_t type, style;
        float position;
        int filledX, filledY;  // -1: no probe
        int emptyX, emptyY;
    } cases[] = {
        {"empty at 0", ProgressBar::kHorizontal, ProgressBar::kLeftToRight, 0, -1, -1, 100, 5},
        {"full at the maximum", ProgressBar::kHorizontal, ProgressBar::kLeftToRight, 100, 195, 5, -1, -1},
        {"half from the left", ProgressBar::kHorizontal, ProgressBar::kLeftToRight, 50, 50, 5, 150, 5},
        {"style 1 from the right", ProgressBar::kHorizontal, ProgressBar::kRightToLeft, 50, 150, 10, 50, 10},
        {"vertical from the bottom", ProgressBar::kVertical, ProgressBar::kLeftToRight, 50, 15, 150, 15, 50},
        {"vertical style 1 from the top", ProgressBar::kVertical, ProgressBar::kRightToLeft, 50, 15, 50, 15, 150},
    };
    for (const auto& c : cases) {
        const bool vertical = c.type == ProgressBar::kVertical;
        ProgressBar bar;
        ASSERT_TRUE(bar.Create(*host, {10, 10, vertical ? 30 : 200, vertical ? 200 : 30},
                               BarArgs(c.position, c.type, c.style)));
        if (c.filledX >= 0) {
            EXPECT_EQ(testing::HostPixel(*host, 10 + c.filledX, 10 + c.filledY), kFill) << c.what;
        }
        if (c.emptyX >= 0) {
            EXPECT_EQ(testing::HostPixel(*host, 10 + c.emptyX, 10 + c.emptyY), kBackground) << c.what;
        }
        bar.Detach();
    }

    ProgressBar bar;
    ASSERT_TRUE(bar.Create(*host, {10, 10, 200, 30}, BarArgs(0)));
    bar.Position(100, true);
    EXPECT_EQ(testing::HostPixel(*host, 10 + 100, 10 + 5), kFill) << "Position with refresh redraws";
    bar.Position(0, false);
    EXPECT_EQ(testing::HostPixel(*host, 10 + 100, 10 + 5), kFill) << "without refresh it does not";
}

// A bar whose bounds do not start at 0 fills the position's share of the
// way between them, and never more than the whole bar nor less than nothing.
TEST_F(ControlTest, ProgressBarFillsTheShareBetweenBoundsThatDoNotStartAtZero) {
    auto host = MakeHost();
    constexpr int kLength = 160;  // the vertical bars fit the 200 high host
    // Probes at these distances from the side the fill starts from; none lies
    // within a few pixels of a fill's end, where the outlines are.
    constexpr int kProbes[] = {5, 35, 75, 85, 115, 155};
    const struct {
        std::int32_t position;
        int filled;  // pixels
    } positions[] = {
        {150, 80}, {100, 0}, {200, 160}, {125, 40}, {175, 120},
        {50, 0},    // below the minimum
        {0, 0},     // the setup's start, far below it
        {250, 160}, // past the maximum
    };
    const struct {
        const char* what;
        std::int32_t type, style;
        float boundA, boundB;
    } bars[] = {
        {"horizontal", ProgressBar::kHorizontal, ProgressBar::kLeftToRight, 100, 200},
        {"bounds given high first", ProgressBar::kHorizontal, ProgressBar::kLeftToRight, 200, 100},
        {"horizontal style 1", ProgressBar::kHorizontal, ProgressBar::kRightToLeft, 100, 200},
        {"vertical", ProgressBar::kVertical, ProgressBar::kLeftToRight, 100, 200},
        {"vertical style 1", ProgressBar::kVertical, ProgressBar::kRightToLeft, 100, 200},
    };
    for (const auto& bar : bars) {
        const bool vertical = bar.type == ProgressBar::kVertical;
        const bool fromTheEnd = bar.style == ProgressBar::kRightToLeft;
        // The client point `distance` pixels into the bar from where its fill
        // starts: the left or right edge, the bottom or top edge.
        const auto probe = [&](int distance) -> POINT {
            const int along = 10 + (fromTheEnd != vertical ? kLength - 1 - distance : distance);
            if (vertical) return {10 + 15, along};
            return {along, 10 + (fromTheEnd ? 10 : 5)};
        };
        ProgressBar control;
        ProgressBar::CreateArgs args = BarArgs(150, bar.type, bar.style);
        args.boundA = bar.boundA;
        args.boundB = bar.boundB;
        ASSERT_TRUE(control.Create(*host, {10, 10, vertical ? 30 : kLength, vertical ? kLength : 30}, args));
        ASSERT_EQ(control.Minimum(), 100.0f);
        ASSERT_EQ(control.Maximum(), 200.0f);
        for (const auto& p : positions) {
            control.Position(p.position, true);
            EXPECT_EQ(control.FilledLength(), static_cast<float>(p.filled)) << bar.what << " at " << p.position;
            for (const int distance : kProbes) {
                const POINT at = probe(distance);
                EXPECT_EQ(testing::HostPixel(*host, at.x, at.y), distance < p.filled ? kFill : kBackground)
                    << bar.what << " at " << p.position << ", " << distance << " pixels in";
            }
        }
        control.Detach();
    }
}

// The shine redraws the bar, its text and the text's glow every 10 ms; the
// glow's pictures are made once, not at every tick.
TEST_F(ControlTest, ProgressBarShineTicksMakeNoNewGlowPictures) {
    auto host = MakeHost();
    ProgressBar bar;
    ProgressBar::CreateArgs args = BarArgs(50);
    args.text = MakeWideText("50%");  // in the default text style, which glows
    ASSERT_TRUE(bar.Create(*host, {10, 10, 200, 30}, args));
    const std::uint64_t made = GlowPicturesMade();
    ASSERT_TRUE(testing::Tick(bar, ProgressBar::kShineTimerKey, 50));
    EXPECT_EQ(GlowPicturesMade(), made);
}

TEST_F(ControlTest, ProgressBarWithEqualBoundsDrawsNoFill) {
    auto host = MakeHost();
    ProgressBar bar;
    ProgressBar::CreateArgs args = BarArgs(5);
    args.boundA = args.boundB = 5;
    ASSERT_TRUE(bar.Create(*host, {10, 10, 200, 30}, args));
    EXPECT_EQ(bar.FilledLength(), 0.0f);
    EXPECT_EQ(testing::HostPixel(*host, 10 + 100, 10 + 5), kBackground);
}

TEST_F(ControlTest, ProgressBarGlossIsItsShareOfAGradientOverTheWholeHeight) {
    auto host = MakeHost();
    ProgressBar bar;
    ProgressBar::CreateArgs args = BarArgs(50);
    args.colour1 = args.colour2 = 0xFFFFFFFF;
    ASSERT_TRUE(bar.Create(*host, {10, 10, 200, 24}, args));
    // Black at alpha 50 at the top of the control to clear at row 23; the
    // band fills rows 12 to 19 of the filled part, so it starts at about
    // half the gradient's strength (a band-high gradient would start at 50).
    const auto expectedRed = [](int row) { return 255 * (1 - 50 * (1 - row / 23.0) / 255); };
    const int x = 10 + 95;  // past the shine, which starts at -4 and is 90 wide
    EXPECT_EQ(testing::Red(testing::HostPixel(*host, x, 10 + 11)), 255) << "above the band";
    for (const int row : {12, 15, 19})
        EXPECT_NEAR(testing::Red(testing::HostPixel(*host, x, 10 + row)), expectedRed(row), 4) << "row " << row;
    EXPECT_EQ(testing::Red(testing::HostPixel(*host, x, 10 + 20)), 255) << "below the band";
    EXPECT_EQ(testing::HostPixel(*host, 10 + 150, 10 + 15), kBackground) << "only over the filled part";
}

TEST_F(ControlTest, ProgressBarShineCyclesAcrossTheFillAndStopsWithTheBar) {
    auto host = MakeHost();
    ProgressBar bar;
    ASSERT_TRUE(bar.Create(*host, {10, 10, 200, 30}, BarArgs(50)));
    EXPECT_EQ(bar.ShineOffset(), -4);
    std::vector<std::int32_t> offsets;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(testing::Tick(bar, ProgressBar::kShineTimerKey));
        offsets.push_back(bar.ShineOffset());
    }
    EXPECT_EQ(offsets, (std::vector<std::int32_t>{-2, 0, 2}));
    ASSERT_TRUE(testing::Tick(bar, ProgressBar::kShineTimerKey, 99));
    EXPECT_EQ(bar.ShineOffset(), 200);
    ASSERT_TRUE(testing::Tick(bar, ProgressBar::kShineTimerKey));
    EXPECT_EQ(bar.ShineOffset(), -200) << "re-enters from the left";

    ASSERT_TRUE(testing::Tick(bar, ProgressBar::kShineTimerKey, 100));
    ASSERT_EQ(bar.ShineOffset(), 0);
    EXPECT_EQ(testing::HostPixel(*host, 10 + 10, 10 + 12), kShineColour) << "the shine over the fill";
    ASSERT_TRUE(testing::Tick(bar, ProgressBar::kShineTimerKey, 55));
    ASSERT_EQ(bar.ShineOffset(), 110);
    EXPECT_EQ(testing::HostPixel(*host, 10 + 120, 10 + 12), kShineColour) << "the shine is not held to the fill";
    EXPECT_EQ(testing::HostPixel(*host, 10 + 105, 10 + 12), kBackground) << "nor drawn before its offset";

    const UINT_PTR timer = control_timers::SystemTimerOf(bar, ProgressBar::kShineTimerKey).value();
    bar.Detach();
    EXPECT_FALSE(control_timers::SystemTimerOf(bar, ProgressBar::kShineTimerKey));
    EXPECT_FALSE(::KillTimer(nullptr, timer)) << "the shine timer stopped with the bar";
}

}  // namespace
}  // namespace lirvo
