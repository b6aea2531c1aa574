// SplitText on double-byte text with any delimiter and limit: the pieces
// come from the text and never hold more bytes than it.

#include <cstdlib>
#include <string>

#include "runtime/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t delimiterLength = data[0] % 4;
    const std::int32_t maxCount = static_cast<std::int8_t>(data[1]);
    const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string delimiter = rest.substr(0, delimiterLength);
    const std::string text = rest.substr(std::min(delimiterLength, rest.size()));
    const auto pieces = lirvo::runtime::SplitText(text, delimiter, maxCount, lirvo::runtime::IsGbkLeadByte);
    std::size_t total = 0;
    for (const auto& piece : pieces) {
        if (text.find(piece) == std::string::npos) std::abort();
        total += piece.size();
    }
    if (total > text.size()) std::abort();
    return 0;
}
