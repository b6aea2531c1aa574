#pragma once
// The toolkit's built-in skin: a serialised skin database of 68 PNG pictures
// (caption buttons, scroll-bar parts, check boxes, radio buttons, icons, the
// progress shine) that the program carries as constant data. Read-only for
// the life of the process; callers copy what they keep.

#include <cstdint>
#include <span>

namespace lirvo {

std::span<const std::uint8_t> BuiltinSkinData();

}  // namespace lirvo
