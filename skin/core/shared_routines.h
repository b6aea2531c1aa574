#pragma once
// Small routines that the setup logic and the toolkit's windows and controls
// both call, and the application skin database they read. The setup logic
// fills that database at start; until then every lookup finds nothing.

#include <cstdint>
#include <optional>
#include <string_view>

#include "skin/core/byte_array.h"
#include "skin/core/colour.h"
#include "skin/core/gdiplus_api.h"
#include "skin/core/rect.h"
#include "skin/core/skin_database.h"
#include "skin/core/wide_text.h"

namespace lirvo {

// What a control that draws text is told about its font.
struct FontDescription {
    std::int32_t styleFlags = 0;
    WideText fontFamily;
    std::int32_t size = 0;  // GDI+ world units
    Argb textColour = 0;
    Argb glowColour = 0;  // the second colour
};

SkinDatabase& ApplicationSkin();

constexpr Rect MakeRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return Rect{x, y, width, height};
}

// The first record of the application skin with this name, or empty bytes.
ByteArray SkinImageBytes(std::string_view name);

// The colour of the whole image scaled down to one pixel; 0 without an image.
Argb SampleImageColour(Gdiplus::GpImage* image);

// Fields not given take the toolkit's defaults.
FontDescription MakeTextStyle(std::optional<std::int32_t> textFormat = std::nullopt,
                              std::optional<std::string_view> fontName = std::nullopt,
                              std::optional<std::int32_t> size = std::nullopt,
                              std::optional<Argb> textColour = std::nullopt,
                              std::optional<Argb> secondColour = std::nullopt);

}  // namespace lirvo
