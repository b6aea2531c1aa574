#include "skin/controls/text_format_property.h"

#include <array>
#include <charconv>

namespace lirvo {

std::optional<TextFormatSettings> ParseTextFormat(std::string_view value) {
    std::array<std::int32_t, 5> numbers{};
    std::size_t count = 0;
    while (true) {
        const std::size_t end = value.find('^');
        const std::string_view part = value.substr(0, end);
        if (count == numbers.size() || part.empty()) return std::nullopt;
        const auto [rest, error] = std::from_chars(part.data(), part.data() + part.size(), numbers[count]);
        if (error != std::errc() || rest != part.data() + part.size()) return std::nullopt;
        ++count;
        if (end == std::string_view::npos) break;
        value.remove_prefix(end + 1);
    }
    if (count != numbers.size()) return std::nullopt;
    return TextFormatSettings{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]};
}

std::string TextFormatText(const TextFormatSettings& settings) {
    return std::to_string(settings.flags) + "^" + std::to_string(settings.alignment) + "^" +
           std::to_string(settings.lineAlignment) + "^" + std::to_string(settings.trimming) + "^" +
           std::to_string(settings.hotkeyPrefix);
}

PropertyDescriptor TextFormatProperty(const FontRecord& textStyle) {
    return {"StringFormat", "文本格式", TextFormatText(textStyle.FormatSettings()), {}};
}

bool ApplyTextFormatProperty(FontRecord& textStyle, const PropertyValues& values) {
    bool applied = false;
    for (const auto& [key, value] : values)
        if (key == "StringFormat")
            if (const auto settings = ParseTextFormat(value))
                applied = textStyle.ApplyFormatSettings(*settings) || applied;
    return applied;
}

}  // namespace lirvo
