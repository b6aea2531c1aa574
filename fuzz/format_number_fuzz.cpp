// FormatNumber for any double, number of decimals and separator choice:
// never a crash; for a finite value always a number's text, never "nan",
// "inf" or a runaway string.

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double) + 2) return 0;
    double value;
    std::memcpy(&value, data, sizeof(double));
    const std::int32_t decimals = static_cast<std::int8_t>(data[sizeof(double)]);
    const bool separators = data[sizeof(double) + 1] & 1;
    const std::string text = lirvo::runtime::FormatNumber(value, decimals, separators);
    if (!std::isfinite(value)) return 0;  // printed as the C library prints it
    if (text.find("nan") != std::string::npos || text.find("inf") != std::string::npos || text.size() > 1024)
        std::abort();
    return 0;
}
