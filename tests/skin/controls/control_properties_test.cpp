#include "skin/controls/control_properties.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/label.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/shape_box.h"
#include "skin/controls/text_format_property.h"
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
        ASSERT_EQ(Keys(list), (std::vector<std::string>{"Check", "StringFormat"}));
        EXPECT_EQ(list[0].displayName, "选中");
        EXPECT_EQ(list[0].value, c.checked ? "true" : "false");
    }
}

TEST_F(ControlTest, PropertyListsNameTheirKeysAndEnumerations) {
    auto host = MakeHost();
    Label label;
    ASSERT_TRUE(label.Create(*host, {10, 10, 100, 20}, WideText(), Label::kNoFrame));
    const PropertyList labelProperties = label.GetProperties();
    EXPECT_EQ(Keys(labelProperties), (std::vector<std::string>{"Frame", "StringFormat"}));
    EXPECT_EQ(labelProperties[0].displayName, "边框");
    EXPECT_EQ(labelProperties[0].choices[2], (PropertyChoice{2, "DeVU_边框_圆角矩形", "DeVU_Frame_RoundRect"}));
    label.ApplyProperties({{"Frame", "1"}, {"Unknown", "5"}});
    EXPECT_EQ(label.Frame(), Label::kRectFrame);

    ProgressBar bar;
    ASSERT_TRUE(bar.Create(*host, {10, 40, 100, 20}, {}));
    EXPECT_EQ(Keys(bar.GetProperties()), (std::vector<std::string>{"Max", "Min", "Pos", "Type", "Style", "Color [1]",
                                                                  "Color [2]", "BkgColor", "BorderColor",
                                                                  "StringFormat"}));
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
    EXPECT_EQ(Keys(button.GetProperties()), (std::vector<std::string>{"Color", "Style", "StringFormat"}));

    EditBox edit;
    ASSERT_TRUE(edit.Create(*host, {130, 70, 100, 24}, {}));
    EXPECT_EQ(Keys(edit.GetProperties()),
              (std::vector<std::string>{"SelectBkgColor", "SelectColor", "FarmeColor", "BkgColor", "StringFormat"}));
    EXPECT_EQ(edit.GetProperties()[0].value, std::to_string(0xFF0080FFu)) << "the default selection background";
}

std::string TextFormatOf(const PropertyList& list) {
    for (const auto& property : list)
        if (property.key == "StringFormat") {
            EXPECT_EQ(property.displayName, "文本格式");
            return property.value;
        }
    ADD_FAILURE() << "no StringFormat property";
    return {};
}

TEST_F(ControlTest, EveryTextControlReadsAndAppliesItsTextFormat) {
    auto host = MakeHost();
    CheckBox checkBox;
    Button button;
    ProgressBar bar;
    Label label;
    EditBox editBox;
    ASSERT_TRUE(checkBox.Create(*host, {10, 10, 100, 20}, MakeWideText("x")));
    ASSERT_TRUE(button.Create(*host, {10, 40, 100, 24}, {.text = MakeWideText("x")}));
    ASSERT_TRUE(bar.Create(*host, {10, 70, 100, 20}, {.colour1 = 0xFF00FF00, .colour2 = 0xFF00FF00}));
    ASSERT_TRUE(label.Create(*host, {10, 100, 100, 20}, MakeWideText("x"), Label::kNoFrame));
    ASSERT_TRUE(editBox.Create(*host, {10, 130, 100, 24}, {.text = MakeWideText("x")}));
    const struct {
        const char* name;
        std::function<PropertyList()> get;
        std::function<void(const PropertyValues&)> apply;
    } controls[] = {
        {"check box", [&] { return checkBox.GetProperties(); }, [&](auto& v) { checkBox.ApplyProperties(v); }},
        {"button", [&] { return button.GetProperties(); }, [&](auto& v) { button.ApplyProperties(v); }},
        {"progress bar", [&] { return bar.GetProperties(); }, [&](auto& v) { bar.ApplyProperties(v); }},
        {"label", [&] { return label.GetProperties(); }, [&](auto& v) { label.ApplyProperties(v); }},
        {"edit box", [&] { return editBox.GetProperties(); }, [&](auto& v) { editBox.ApplyProperties(v); }},
    };
    for (const auto& control : controls) {
        const std::string before = TextFormatOf(control.get());
        EXPECT_TRUE(ParseTextFormat(before)) << control.name << ": " << before;
        control.apply({{"StringFormat", "4096^2^1^3^0"}});
        EXPECT_EQ(TextFormatOf(control.get()), "4096^2^1^3^0") << control.name << ": the round trip";
        for (const char* bad : {"1^2^3^4", "1^2^3^4^5^6", "a^b^c^d^e", "4096^3^1^3^0", "", "4096^^1^3^0", "1 ^2^0^0^0"}) {
            control.apply({{"StringFormat", bad}});
            EXPECT_EQ(TextFormatOf(control.get()), "4096^2^1^3^0") << control.name << ": \"" << bad << "\" is ignored";
        }
    }
    const std::unique_ptr<SkinControl> copy = label.Clone();
    EXPECT_EQ(TextFormatOf(static_cast<Label&>(*copy).GetProperties()), "4096^2^1^3^0") << "a copy keeps the format";
}

TEST_F(ControlTest, TextFormatMovesTheLabelsText) {
    auto host = MakeHost();
    // The text's ink, in the label's row, is left of the middle or right of it.
    const auto inkSide = [&](const Label& label) {
        int left = 0, right = 0;
        for (int x = 0; x < label.GetWidth(); ++x)
            for (int y = 0; y < label.GetHeight(); ++y)
                if (testing::HostPixel(*host, label.GetLeft() + x, label.GetTop() + y) != testing::kHostColour)
                    ++(x < label.GetWidth() / 2 ? left : right);
        return std::pair{left, right};
    };
    Label label;
    ASSERT_TRUE(label.Create(*host, {10, 10, 240, 30}, MakeWideText("安装"), Label::kNoFrame));
    label.ApplyProperties({{"StringFormat", "0^0^1^0^0"}});
    const auto [nearLeft, nearRight] = inkSide(label);
    EXPECT_GT(nearLeft, 0);
    EXPECT_EQ(nearRight, 0) << "near: all on the left";
    label.ApplyProperties({{"StringFormat", "0^2^1^0^0"}});
    const auto [farLeft, farRight] = inkSide(label);
    EXPECT_EQ(farLeft, 0) << "far: all on the right";
    EXPECT_GT(farRight, 0);
}

}  // namespace
}  // namespace lirvo
