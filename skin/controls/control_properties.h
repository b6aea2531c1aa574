#pragma once
// What a control tells a designer about its settable properties: each has
// an English key, a display name, its current value as text and, for an
// enumeration, the values with their display and English names. Applying
// takes (key, value) pairs; unknown keys are passed over.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lirvo {

struct PropertyChoice {
    std::int32_t value;
    std::string displayName;
    std::string englishName;
    friend bool operator==(const PropertyChoice&, const PropertyChoice&) = default;
};

struct PropertyDescriptor {
    std::string key;
    std::string displayName;
    std::string value;
    std::vector<PropertyChoice> choices;  // empty unless an enumeration
};

using PropertyList = std::vector<PropertyDescriptor>;
using PropertyValues = std::vector<std::pair<std::string, std::string>>;

namespace property_choices {
const std::vector<PropertyChoice>& LabelFrame();
const std::vector<PropertyChoice>& ProgressBarType();
const std::vector<PropertyChoice>& ProgressBarStyle();
const std::vector<PropertyChoice>& ButtonStyle();
const std::vector<PropertyChoice>& ShapeBoxStyle();
}  // namespace property_choices

// "true" and nothing else reads as true.
bool PropertyFlag(std::string_view value);
std::string PropertyFlagText(bool value);
// A decimal integer; text that is none reads as nothing.
std::optional<std::int64_t> PropertyInteger(std::string_view value);
// A number with a fraction, as the progress bar's bounds are.
std::optional<float> PropertyNumber(std::string_view value);

}  // namespace lirvo
