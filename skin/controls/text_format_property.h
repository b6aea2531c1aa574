#pragma once
// The "StringFormat" property ("文本格式") that every control drawing text
// with a text style lists: the five settings of TextFormatSettings (see
// skin/window/drawing.h) in decimal, joined by "^".

#include <optional>
#include <string>
#include <string_view>

#include "skin/controls/control_properties.h"
#include "skin/window/drawing.h"

namespace lirvo {

// Exactly five decimal integers joined by "^"; anything else reads as nothing.
std::optional<TextFormatSettings> ParseTextFormat(std::string_view value);
std::string TextFormatText(const TextFormatSettings& settings);

// The property row of a text style's current format.
PropertyDescriptor TextFormatProperty(const FontRecord& textStyle);
// Applies the last "StringFormat" value among `values` that reads as a
// valid format; true when one was applied.
bool ApplyTextFormatProperty(FontRecord& textStyle, const PropertyValues& values);

}  // namespace lirvo
