#include "payload/core/size_text.h"

#include <array>
#include <cstdio>

namespace lirvo::payload {
namespace {

std::wstring GroupedDigits(std::uint64_t value) {
    std::wstring digits = std::to_wstring(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, L",");
    return digits;
}

}  // namespace

std::wstring SizeText(std::uint64_t bytes) {
    constexpr std::array<const wchar_t*, 4> kUnits = {L"KB", L"MB", L"GB", L"TB"};
    const std::wstring exact = GroupedDigits(bytes) + L" 字节";
    if (bytes < 1024) return exact;
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < kUnits.size()) {
        value /= 1024.0;
        ++unit;
    }
    std::array<wchar_t, 32> scaled{};
    std::swprintf(scaled.data(), scaled.size(), L"%.1f %ls", value, kUnits[unit]);
    return std::wstring(scaled.data()) + L"（" + exact + L"）";
}

std::wstring_view FileNameOf(std::wstring_view path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

}  // namespace lirvo::payload
