#pragma once
// Text and number routines of the runtime that the setup logic calls: byte
// slices, splitting, number-to-text conversions and rounding. Texts are ANSI
// bytes; routines that look for a character inside a text step over the
// double-byte characters of the ANSI code page as pairs, so the second byte of
// a character is never taken for a delimiter. Nothing here touches the system,
// so the unit also builds natively (the lead-byte test is then passed in).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lirvo::runtime {

// Answers whether a byte starts a double-byte character.
using LeadByteTest = bool (*)(std::uint8_t byte);

// Code page 936 (GBK): lead bytes are 0x81..0xFE.
constexpr bool IsGbkLeadByte(std::uint8_t byte) { return byte >= 0x81 && byte <= 0xFE; }
// The system's ANSI code page (defined in the Windows part of the runtime).
bool IsAnsiLeadByte(std::uint8_t byte);

// The last `count` bytes; the whole text when it is shorter; "" when count <= 0.
std::string RightText(std::string_view text, std::int32_t count);

// Cuts the text at every delimiter. Pieces between two delimiters appear even
// when empty; a trailing empty piece does not. The delimiter defaults to ","
// when not given; an empty delimiter leaves the text whole. `maxCount` keeps
// the first pieces only; a negative count means no limit.
std::vector<std::string> SplitText(std::string_view text, std::optional<std::string_view> delimiter = std::nullopt,
                                   std::optional<std::int32_t> maxCount = std::nullopt,
                                   LeadByteTest isLeadByte = IsAnsiLeadByte);

std::string ToText(std::int32_t value);
std::string ToText(std::int64_t value);
std::string ToText(double value);
std::string ToText(float value);
std::string ToText(std::string_view value);

// The largest integer not above the value, held to the 32-bit range; NaN gives 0.
std::int32_t FloorToInteger(double value);

// Decimal text of a number, optionally rounded half up at `decimals` (negative
// decimals round to tens, hundreds, ...) and padded to exactly that many
// fraction digits, optionally with "," between groups of three digits.
std::string FormatNumber(double value, std::optional<std::int32_t> decimals = std::nullopt,
                         std::optional<bool> thousandsSeparators = std::nullopt);

// The first four bytes as a little-endian 32-bit integer; shorter arrays are
// padded with zero bytes.
std::int32_t ByteArrayToInteger(std::span<const std::uint8_t> bytes);

// Offset of the last backslash that is a character of its own, or npos.
std::size_t FindLastBackslash(std::string_view text, LeadByteTest isLeadByte);
// True when the text's last character is a backslash (not the second byte of
// a double-byte character).
bool EndsWithBackslash(std::string_view text, LeadByteTest isLeadByte);

}  // namespace lirvo::runtime
