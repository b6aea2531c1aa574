#pragma once
// Numbers as text in the C locale, written and read the way C99's printf
// and strtod do. On Windows the system's C library does the work; the C99
// versions the compiler's own library would link in instead weigh about
// 30 KB, a tenth of the setup program's code. Free of <windows.h>.

#include <optional>
#include <string>
#include <string_view>

namespace lirvo {

// One double through a printf format with a single floating conversion,
// such as "%g", "%.13g" or "%.3f". Infinities and NaNs come out as "inf",
// "-inf" and "nan", exponents with two digits at least.
std::string FormatDouble(const char* format, double value);

// The whole of `text` as a number: leading blanks, an optional sign, then
// digits with an optional point and an optional exponent, or "inf",
// "infinity" or "nan" in any case. Anything else, or nothing after the
// blanks, gives nothing.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace lirvo
