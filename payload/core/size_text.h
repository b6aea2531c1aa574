#pragma once
// How the reader writes sizes and names: "2.4 MB（2,516,582 字节）" and the
// last part of a path. Platform-free.

#include <cstdint>
#include <string>
#include <string_view>

namespace lirvo::payload {

// Bytes with thousands separators, and for 1 KB and more the size in the
// largest fitting unit with one decimal first.
std::wstring SizeText(std::uint64_t bytes);

// The part after the last backslash or slash; the whole text when there is none.
std::wstring_view FileNameOf(std::wstring_view path);

}  // namespace lirvo::payload
