#include "runtime/text_ops.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "skin/core/number_text.h"

namespace lirvo::runtime {
namespace {

// Length in bytes of the character that starts at `offset`; a lead byte at
// the very end counts as a character of its own.
std::size_t CharacterLength(std::string_view text, std::size_t offset, LeadByteTest isLeadByte) {
    const auto byte = static_cast<std::uint8_t>(text[offset]);
    return (isLeadByte(byte) && offset + 1 < text.size()) ? 2 : 1;
}

// 10 to the power `exponent` (0 or more): exact up to 10^22, the powers a
// double holds exactly, rounded once up to 10^44, and infinite past what a
// double holds.
double PowerOfTen(std::int64_t exponent) {
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::int64_t kLargest = 22;
    double power = 1.0;
    for (; exponent > kLargest && !std::isinf(power); exponent -= kLargest) power *= kExact[kLargest];
    return std::isinf(power) ? power : power * kExact[exponent];
}

// Rounds the magnitude half up at `decimals` and puts the sign back. A tiny
// bias keeps values such as 2.675 (stored as 2.67499...) rounding up as typed.
double RoundHalfUp(double value, std::int32_t decimals) {
    if (!std::isfinite(value)) return value;
    const double power = PowerOfTen(std::abs(std::int64_t{decimals}));
    const double magnitude = std::fabs(value);
    if (std::isinf(power)) return decimals > 0 ? value : 0.0;
    const double scaled = (decimals >= 0 ? magnitude * power : magnitude / power) + 1e-12;
    // From 2^53 on a double holds no fraction: there is nothing to round.
    if (!std::isfinite(scaled) || scaled >= 9007199254740992.0) return value;
    double whole = std::floor(scaled);
    if (scaled - whole >= 0.5) whole += 1.0;
    const double rounded = decimals >= 0 ? whole / power : whole * power;
    // A value that rounds to nothing is plain 0, not "-0".
    if (rounded == 0.0) return 0.0;
    return value < 0 ? -rounded : rounded;
}

bool IsPlainDecimal(std::string_view text) {
    std::size_t offset = (!text.empty() && text[0] == '-') ? 1 : 0;
    bool digits = false, point = false;
    for (; offset < text.size(); ++offset) {
        const char c = text[offset];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

void PadFraction(std::string& text, std::int32_t decimals) {
    std::size_t point = text.find('.');
    if (point == std::string::npos) {
        point = text.size();
        text += '.';
    }
    text.resize(point + 1 + static_cast<std::size_t>(decimals), '0');
}

void InsertThousandsSeparators(std::string& text) {
    const std::size_t first = (!text.empty() && text[0] == '-') ? 1 : 0;
    std::size_t end = text.find('.');
    if (end == std::string::npos) end = text.size();
    for (std::size_t position = end; position > first + 3; position -= 3) text.insert(position - 3, 1, ',');
}

}  // namespace

std::string RightText(std::string_view text, std::int32_t count) {
    if (count <= 0) return {};
    const auto wanted = static_cast<std::size_t>(count);
    return std::string(wanted >= text.size() ? text : text.substr(text.size() - wanted));
}

std::vector<std::string> SplitText(std::string_view text, std::optional<std::string_view> delimiter,
                                   std::optional<std::int32_t> maxCount, LeadByteTest isLeadByte) {
    std::vector<std::string> pieces;
    const std::size_t limit = (maxCount && *maxCount >= 0) ? static_cast<std::size_t>(*maxCount)
                                                           : std::numeric_limits<std::size_t>::max();
    if (text.empty() || limit == 0) return pieces;
    const std::string_view cut = delimiter.value_or(",");
    if (cut.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }

    std::size_t pieceStart = 0;
    std::size_t offset = 0;
    while (offset < text.size() && pieces.size() < limit) {
        if (text.substr(offset, cut.size()) == cut) {
            pieces.emplace_back(text.substr(pieceStart, offset - pieceStart));
            offset += cut.size();
            pieceStart = offset;
        } else {
            offset += CharacterLength(text, offset, isLeadByte);
        }
    }
    if (pieceStart < text.size() && pieces.size() < limit) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

std::string ToText(std::int32_t value) { return std::to_string(value); }
std::string ToText(std::int64_t value) { return std::to_string(value); }
std::string ToText(double value) { return FormatDouble("%.13g", value); }
std::string ToText(float value) { return FormatDouble("%.6g", static_cast<double>(value)); }
std::string ToText(std::string_view value) { return std::string(value); }

std::int32_t FloorToInteger(double value) {
    if (std::isnan(value)) return 0;
    const double floored = std::floor(value);
    if (floored <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    if (floored >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(floored);
}

std::string FormatNumber(double value, std::optional<std::int32_t> decimals, std::optional<bool> thousandsSeparators) {
    if (decimals) value = RoundHalfUp(value, *decimals);
    std::string text = FormatDouble("%.13g", value);
    // Exponent forms, "inf" and "nan" stay as printed: padding or grouping
    // would make them unreadable.
    if (!IsPlainDecimal(text)) return text;
    // Past a thousand decimals no one reads on, and billions of them would
    // ask for more memory than there is.
    constexpr std::int32_t kMostDecimals = 1024;
    if (decimals && *decimals > 0) PadFraction(text, std::min(*decimals, kMostDecimals));
    if (thousandsSeparators.value_or(false)) InsertThousandsSeparators(text);
    return text;
}

std::int32_t ByteArrayToInteger(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < 4 && index < bytes.size(); ++index)
        value |= static_cast<std::uint32_t>(bytes[index]) << (8 * index);
    return static_cast<std::int32_t>(value);
}

std::size_t FindLastBackslash(std::string_view text, LeadByteTest isLeadByte) {
    std::size_t found = std::string_view::npos;
    for (std::size_t offset = 0; offset < text.size(); offset += CharacterLength(text, offset, isLeadByte))
        if (text[offset] == '\\') found = offset;
    return found;
}

bool EndsWithBackslash(std::string_view text, LeadByteTest isLeadByte) {
    const std::size_t last = FindLastBackslash(text, isLeadByte);
    return last != std::string_view::npos && last + 1 == text.size();
}

}  // namespace lirvo::runtime
