#include "payload/view/pdf_header.h"

#include <algorithm>
#include <string_view>

namespace lirvo::payload {

std::optional<PdfVersion> FindPdfVersion(std::span<const std::uint8_t> head) {
    constexpr std::string_view kMark = "%PDF-";
    const auto window = head.first(std::min(head.size(), kPdfMarkWindow));
    auto isDigit = [](std::uint8_t c) { return c >= '0' && c <= '9'; };
    for (auto at = window.begin(); at != window.end(); ++at) {
        at = std::search(at, window.end(), kMark.begin(), kMark.end());
        if (at == window.end()) break;
        const auto version = at + kMark.size();
        // The version follows the mark, so it may lie just past the window.
        const auto end = head.end();
        if (end - version >= 3 && isDigit(version[0]) && version[1] == '.' && isDigit(version[2]))
            return PdfVersion{version[0] - '0', version[2] - '0'};
    }
    return std::nullopt;
}

}  // namespace lirvo::payload
