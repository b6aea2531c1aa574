#include "skin/controls/control_properties.h"

#include <gtest/gtest.h>

#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/label.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/shape_box.h"
#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;

std::vector<std::string> Keys(const PropertyList& list) {
    std::vector<std::string> keys;
    for (const auto& property : list) keys.push_back(property.key);
    return keys;
}

TEST_F(ControlTest, CheckPropertyReadsTrueOnlyForTheExactLowerCaseWord) {
    auto host = MakeHost();
    CheckBox box;
    ASSERT_TRUE(box.Create(*host, {10, 10, 100, 20}, MakeWideText("x")));
    const struct {
        const char* value;
        bool checked;
    } cases[] = {{"true", true}, {"True", false}, {"TRUE", false}, {"1", false}, {"", false}, {"false", false}};
    for (const auto& c : cases) {
        box.Checked(!c.checked);
        box.ApplyProperties({{"Check", c.value}});
        EXPECT_EQ(box.Checked(), c.checked) << '"' << c.value << '"';
        const PropertyList list = box.GetProperties();
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].displayName, "选中");
        EXPECT_EQ(list[0].value, c.checked ? "true" : "false");
    }
}

TEST_F(ControlTest, PropertyListsNameTheirKeysAndEnumerations) {
    auto host = MakeHost();
    Label label;
    ASSERT_TRUE(label.Create(*host, {10, 10, 100, 20}, WideText(), Label::kNoFrame));
    const PropertyList labelProperties = label.GetProperties();
    EXPECT_EQ(Keys(labelProperties), std::vector<std::string>{"Frame"});
    EXPECT_EQ(labelProperties[0].displayName, "边框");
    EXPECT_EQ(labelProperties[0].choices[2], (PropertyChoice{2, "DeVU_边框_圆角矩形", "DeVU_Frame_RoundRect"}));
    label.ApplyProperties({{"Frame", "1"}, {"Unknown", "5"}});
    EXPECT_EQ(label.Frame(), Label::kRectFrame);

    ProgressBar bar;
    ASSERT_TRUE(bar.Create(*host, {10, 40, 100, 20}, {}));
    EXPECT_EQ(Keys(bar.GetProperties()), (std::vector<std::string>{"Max", "Min", "Pos", "Type", "Style", "Color [1]",
                                                                  "Color [2]", "BkgColor", "BorderColor"}));
    bar.ApplyProperties({{"Max", "50"}, {"Pos", "12.5"}, {"Type", "2"}, {"Color [1]", "4278190335"}});
    EXPECT_EQ(bar.Maximum(), 50.0f);
    EXPECT_EQ(bar.Position(), 12.5f);
    EXPECT_EQ(bar.Type(), ProgressBar::kVertical);
    EXPECT_EQ(bar.GetColour1(), 0xFF0000FFu);
    EXPECT_EQ(bar.GetProperties()[4].choices[0].englishName, "DeVU_ProcessBarStyle_RightToLeft_Or_TopToBottom");

    ShapeBox shape;
    ASSERT_TRUE(shape.Create(*host, {10, 70, 40, 30}, {}));
    EXPECT_EQ(Keys(shape.GetProperties()),
              (std::vector<std::string>{"Style", "Round", "LineWidth", "Color", "BkgColor"}));
    EXPECT_EQ(shape.GetProperties()[0].choices[2].englishName, "DeVU_ShapeBoxStyle_Cilcle");
    shape.ApplyProperties({{"nRound", "4"}, {"LineWidth", "3"}, {"Style", "2"}, {"Color", "x"}});
    EXPECT_EQ(shape.Round(), 4);
    EXPECT_EQ(shape.LineWidth(), 3) << "the listed key applies too";
    EXPECT_EQ(shape.Style(), ShapeBox::kCircle);

    Button button;
    ASSERT_TRUE(button.Create(*host, {60, 70, 60, 24}, {}));
    button.ApplyProperties({{"Style", "1"}});
    EXPECT_EQ(button.StyleKind(), Button::kFerroUi);
    EXPECT_EQ(button.GetProperties()[1].choices[1].displayName, "DeVU_按钮风格_FerroUI");

    EditBox edit;
    ASSERT_TRUE(edit.Create(*host, {130, 70, 100, 24}, {}));
    EXPECT_EQ(Keys(edit.GetProperties()),
              (std::vector<std::string>{"SelectBkgColor", "SelectColor", "FarmeColor", "BkgColor"}));
    EXPECT_EQ(edit.GetProperties()[0].value, std::to_string(0xFF0080FFu)) << "the default selection background";
}

}  // namespace
}  // namespace lirvo
