#pragma once
// Decodes image file bytes (PNG, JPEG, BMP, ... whatever GDI+ reads) into a
// new 32-bit ARGB bitmap owned by the caller, at the natural size or stretched
// to a requested one. The bitmap does not refer to the bytes afterwards.

#include <cstdint>
#include <optional>

#include "skin/core/byte_array.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo {

// Bytes that do not decode give a fully transparent bitmap when both sizes
// were given, so a caller that draws it draws nothing; otherwise no bitmap.
// GDI+ must have been started.
GdipBitmap ImageFromBytes(const ByteArray& bytes, std::optional<std::int32_t> width = std::nullopt,
                          std::optional<std::int32_t> height = std::nullopt);

}  // namespace lirvo
