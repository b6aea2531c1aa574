#include "skin/core/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lirvo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    return text.size() == word.size() && std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

// The system's C library writes at least three exponent digits ("1e+020");
// C99 writes two. A third digit is only ever a leading zero to drop.
void TrimExponent(std::string& text) {
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string::npos || e + 2 > text.size()) return;
    const std::size_t digits = e + 2;  // past the sign
    if (text.size() - digits == 3 && text[digits] == '0') text.erase(digits, 1);
}

}  // namespace

std::string FormatDouble(const char* format, double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[512];
#ifdef _WIN32
    // The system's own printf; it does not terminate a text that fills the buffer.
    const int length = ::_snprintf(buffer, sizeof buffer - 1, format, value);
#else
    const int length = std::snprintf(buffer, sizeof buffer - 1, format, value);
#endif
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer - 1) return {};
    std::string text(buffer, static_cast<std::size_t>(length));
    TrimExponent(text);
    return text;
}

std::optional<double> ParseNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    const std::string_view number = text.substr(at);
    std::size_t i = (!number.empty() && (number[0] == '+' || number[0] == '-')) ? 1 : 0;
    const bool negative = i == 1 && number[0] == '-';
    const std::string_view word = number.substr(i);
    if (EqualsIgnoringCase(word, "inf") || EqualsIgnoringCase(word, "infinity"))
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    if (EqualsIgnoringCase(word, "nan")) return std::numeric_limits<double>::quiet_NaN();

    std::size_t digits = 0;
    for (; i < number.size() && IsDigit(number[i]); ++i) ++digits;
    if (i < number.size() && number[i] == '.')
        for (++i; i < number.size() && IsDigit(number[i]); ++i) ++digits;
    if (digits == 0) return std::nullopt;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        for (; i < number.size() && IsDigit(number[i]); ++i) ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != number.size()) return std::nullopt;
    // Checked above to be a number and nothing else, so the conversion,
    // the system's own, needs no end pointer.
    return std::atof(std::string(number).c_str());
}

}  // namespace lirvo
