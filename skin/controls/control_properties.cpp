#include "skin/controls/control_properties.h"

#include <charconv>
#include <string>

#include "skin/core/number_text.h"

namespace lirvo {
namespace property_choices {

const std::vector<PropertyChoice>& LabelFrame() {
    static const std::vector<PropertyChoice> choices = {
        {0, "DeVU_边框_无", "DeVU_Frame_Null"},
        {1, "DeVU_边框_矩形", "DeVU_Frame_Rect"},
        {2, "DeVU_边框_圆角矩形", "DeVU_Frame_RoundRect"},
    };
    return choices;
}

const std::vector<PropertyChoice>& ProgressBarType() {
    static const std::vector<PropertyChoice> choices = {
        {1, "DeVU_进度条类型_横向", "DeVU_ProcessBarType_X"},
        {2, "DeVU_进度条类型_纵向", "DeVU_ProcessBarType_Y"},
    };
    return choices;
}

const std::vector<PropertyChoice>& ProgressBarStyle() {
    static const std::vector<PropertyChoice> choices = {
        {1, "DeVU_进度条风格_从右到左或从上到下渐变", "DeVU_ProcessBarStyle_RightToLeft_Or_TopToBottom"},
        {2, "DeVU_进度条类型_从左到右或从下到上渐变", "DeVU_ProcessBarStyle_LeftToRight_Or_BottomToTop"},
    };
    return choices;
}

const std::vector<PropertyChoice>& ButtonStyle() {
    static const std::vector<PropertyChoice> choices = {
        {0, "DeVU_按钮风格_默认", "DeVU_ButtonStyle_Default"},
        {1, "DeVU_按钮风格_FerroUI", "DeVU_ButtonStyle_FerroUI"},
    };
    return choices;
}

const std::vector<PropertyChoice>& ShapeBoxStyle() {
    static const std::vector<PropertyChoice> choices = {
        {0, "DeVU_外形框风格_矩形", "DeVU_ShapeBoxStyle_Rect"},
        {1, "DeVU_外形框风格_圆角矩形", "DeVU_ShapeBoxStyle_RoundRect"},
        {2, "DeVU_外形框风格_圆形", "DeVU_ShapeBoxStyle_Cilcle"},
        {3, "DeVU_外形框风格_横线", "DeVU_ShapeBoxStyle_xLine"},
        {4, "DeVU_外形框风格_竖线", "DeVU_ShapeBoxStyle_yLine"},
        {5, "DeVU_外形框风格_左上角到右下角连线", "DeVU_ShapeBoxStyle_LeftUpToRightLow"},
        {6, "DeVU_外形框风格_右上角到左下角连线", "DeVU_ShapeBoxStyle_RightUpToLeftLow"},
        {7, "DeVU_外形框风格_三角形1", "DeVU_ShapeBoxStyle_Delta1"},
        {8, "DeVU_外形框风格_三角形2", "DeVU_ShapeBoxStyle_Delta2"},
        {9, "DeVU_外形框风格_直角三角形1", "DeVU_ShapeBoxStyle_RtDelta1"},
        {10, "DeVU_外形框风格_直角三角形2", "DeVU_ShapeBoxStyle_RtDelta2"},
    };
    return choices;
}

}  // namespace property_choices

bool PropertyFlag(std::string_view value) { return value == "true"; }

std::string PropertyFlagText(bool value) { return value ? "true" : "false"; }

std::optional<std::int64_t> PropertyInteger(std::string_view value) {
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || value.empty()) return std::nullopt;
    return number;
}

std::optional<float> PropertyNumber(std::string_view value) {
    const std::optional<double> number = ParseNumber(value);
    if (!number) return std::nullopt;
    return static_cast<float>(*number);
}

}  // namespace lirvo
