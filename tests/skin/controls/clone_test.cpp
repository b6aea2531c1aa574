#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "skin/controls/check_box.h"
#include "skin/controls/image_button.h"
#include "skin/controls/label.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/shape_box.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/images.h"

namespace lirvo {
namespace {

using testing::ControlTest;

TEST_F(ControlTest, ClonesAreUnattachedCopiesThatDrawTheSame) {
    auto host = MakeHost();
    ImageButton button;
    ASSERT_TRUE(button.Create(*host, {10, 10, 40, 20}, false, testing::SolidPng(40, 20, 0xFF336699)));
    testing::TickUntilStopped(button, kFadeTimerKey);
    ProgressBar bar;
    ASSERT_TRUE(bar.Create(*host, {10, 40, 100, 20},
                           {.position = 40, .colour1 = 0xFF00C000, .colour2 = 0xFF00C000, .background = 0xFFFFFFFF}));
    Label label;
    ASSERT_TRUE(label.Create(*host, {10, 70, 60, 20}, MakeWideText("文字"), Label::kDarkFill));
    ShapeBox shape;
    ASSERT_TRUE(shape.Create(*host, {10, 100, 40, 30}, {.style = ShapeBox::kCircle, .lineColour = 0xFFFF0000, .background = 0xFF0000FF}));
    CheckBox box;
    ASSERT_TRUE(box.Create(*host, {10, 140, 100, 20}, MakeWideText("选项"), std::nullopt, true));

    const struct {
        const char* what;
        SkinControl* original;
        int x, y;  // a probe inside the control
    } cases[] = {
        {"image button", &button, 20, 10},
        {"progress bar", &bar, 20, 5},
        {"label", &label, 30, 10},
        {"shape box", &shape, 20, 15},
        {"check box", &box, 9, 10},
    };
    for (const auto& c : cases) {
        std::unique_ptr<SkinControl> copy = c.original->Clone();
        ASSERT_TRUE(copy) << c.what;
        EXPECT_EQ(copy->Id(), 0) << c.what << ": not attached";
        EXPECT_FALSE(copy->IsAttached());
        EXPECT_EQ(copy->GetRect(), c.original->GetRect()) << c.what;
        EXPECT_TRUE(copy->GetTextW().Equals(c.original->GetTextW())) << c.what;
        Rect elsewhere = c.original->GetRect();
        elsewhere.left += 150;
        ASSERT_TRUE(copy->Attach(*host, elsewhere, copy->GetTextW(), copy->UserFlag()));
        copy->Render();
        EXPECT_NE(copy->Id(), c.original->Id());
        EXPECT_EQ(copy->DrawingSurface().PixelAt(c.x, c.y), c.original->DrawingSurface().PixelAt(c.x, c.y)) << c.what;
        EXPECT_EQ(testing::HostPixel(*host, elsewhere.left + c.x, elsewhere.top + c.y),
                  testing::HostPixel(*host, c.original->GetLeft() + c.x, c.original->GetTop() + c.y))
            << c.what;
    }
}

}  // namespace
}  // namespace lirvo
