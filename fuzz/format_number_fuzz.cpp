// FormatNumber for any double, number of decimals and separator choice:
// never a crash; for a finite value always a number's text, never "nan",
// "inf" or a runaway string. Any double written with 17 digits reads back
// as itself, and the bytes as text read as a number or not at all.

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/text_ops.h"
#include "skin/core/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)lirvo::ParseNumber(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size < sizeof(double) + 2) return 0;
    double value;
    std::memcpy(&value, data, sizeof(double));
    const std::int32_t decimals = static_cast<std::int8_t>(data[sizeof(double)]);
    const bool separators = data[sizeof(double) + 1] & 1;
    const std::string text = lirvo::runtime::FormatNumber(value, decimals, separators);
    if (!std::isfinite(value)) return 0;  // printed as the C library prints it
    const std::optional<double> back = lirvo::ParseNumber(lirvo::FormatDouble("%.17g", value));
    if (!back || std::memcmp(&*back, &value, sizeof value) != 0) std::abort();
    if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos || text.size() > 1024)
        std::abort();
    return 0;
}
