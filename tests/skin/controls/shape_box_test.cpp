#include "skin/controls/shape_box.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

constexpr Argb kLine = 0xFFFF0000;
constexpr Argb kFill = 0xFF0000FF;
constexpr std::uint32_t kNothing = 0;

TEST_F(ControlTest, ShapeBoxStylesAsPixelProbes) {
    auto host = MakeHost();
    // A 40 x 30 box: w' = 39, h' = 29.
    const struct {
        std::int32_t style;
        int x, y;
        std::uint32_t expected;
    } probes[] = {
        {ShapeBox::kRect, 20, 15, kFill},           {ShapeBox::kRect, 0, 15, kLine},
        {ShapeBox::kRect, 39, 15, kLine},           {ShapeBox::kRect, 20, 29, kLine},
        {ShapeBox::kRoundRect, 20, 15, kFill},      {ShapeBox::kRoundRect, 0, 15, kLine},
        {ShapeBox::kRoundRect, 0, 0, kNothing},     {ShapeBox::kCircle, 20, 15, kFill},
        {ShapeBox::kCircle, 1, 1, kNothing},        {ShapeBox::kCircle, 38, 28, kNothing},
        {ShapeBox::kLeftEdgeLine, 0, 15, kLine},    {ShapeBox::kLeftEdgeLine, 20, 15, kNothing},
        {ShapeBox::kLeftEdgeLine, 20, 0, kNothing}, {ShapeBox::kTopEdgeLine, 20, 0, kLine},
        {ShapeBox::kTopEdgeLine, 0, 15, kNothing},  {ShapeBox::kFallingDiagonal, 0, 0, kLine},
        {ShapeBox::kFallingDiagonal, 39, 29, kLine}, {ShapeBox::kFallingDiagonal, 39, 0, kNothing},
        {ShapeBox::kRisingDiagonal, 39, 0, kLine},  {ShapeBox::kRisingDiagonal, 0, 29, kLine},
        {ShapeBox::kRisingDiagonal, 0, 0, kNothing}, {ShapeBox::kTriangleUp, 20, 20, kFill},
        {ShapeBox::kTriangleUp, 2, 2, kNothing},    {ShapeBox::kTriangleUp, 20, 29, kLine},
        {ShapeBox::kTriangleDown, 20, 5, kFill},    {ShapeBox::kTriangleDown, 2, 27, kNothing},
        {ShapeBox::kRightTriangleLeft, 20, 29, kLine},    {ShapeBox::kRightTriangleLeft, 5, 25, kFill},
        {ShapeBox::kRightTriangleLeft, 35, 5, kNothing}, {ShapeBox::kRightTriangleLeft, 0, 29, kLine},
        {ShapeBox::kRightTriangleRight, 35, 25, kFill},  {ShapeBox::kRightTriangleRight, 5, 5, kNothing},
        {ShapeBox::kRightTriangleRight, 39, 15, kLine},  {11, 20, 15, kNothing},
        {-1, 0, 0, kNothing},
    };
    for (const auto& probe : probes) {
        ShapeBox shape;
        ASSERT_TRUE(shape.Create(*host, {10, 10, 40, 30},
                                 {.style = probe.style, .radius = 8, .lineColour = kLine, .background = kFill}));
        EXPECT_EQ(shape.DrawingSurface().PixelAt(probe.x, probe.y), probe.expected)
            << "style " << probe.style << " at " << probe.x << "," << probe.y;
        shape.Detach();
    }
}

TEST_F(ControlTest, ShapeBoxDefaultsAndSetters) {
    auto host = MakeHost();
    ShapeBox shape;
    ASSERT_TRUE(shape.Create(*host, {10, 10, 40, 30}, {.style = ShapeBox::kRect, .lineWidth = 3.9f, .lineColour = kLine}));
    EXPECT_EQ(shape.LineWidth(), 3) << "the line width is truncated";
    EXPECT_EQ(shape.BkgColor(), 0x01FFFFFFu);
    EXPECT_EQ(shape.DrawingSurface().PixelAt(20, 15), 0x01010101u) << "the almost invisible default fill";
    EXPECT_EQ(shape.DrawingSurface().PixelAt(1, 15), kLine) << "a 3-pixel line";
    EXPECT_EQ(shape.SetStyle(ShapeBox::kCircle, true), ShapeBox::kCircle);
    EXPECT_EQ(shape.DrawingSurface().PixelAt(1, 1), kNothing);
    shape.BkgColor(kFill, true);
    EXPECT_EQ(testing::HostPixel(*host, 30, 25), kFill);
}

}  // namespace
}  // namespace lirvo
