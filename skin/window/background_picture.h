#pragma once
// A window's background picture. Its file bytes are kept for the window's
// life; its decoded pixels, as large as the window itself, only while
// something paints from them. A window's frame is painted once per change
// and then reused, so between changes the pixels would only take memory.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "skin/core/byte_array.h"
#include "skin/core/colour.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo {

class BackgroundPicture {
public:
    // Decodes the bytes and keeps them; bytes that are no picture leave none.
    void Assign(const ByteArray& bytes);
    void Reset();

    explicit operator bool() const { return !bytes_.empty(); }
    // The decoded picture, decoded again when its pixels were released.
    Gdiplus::GpBitmap* Pixels();
    void ReleasePixels() { pixels_.reset(); }
    std::size_t PixelBytes() const;
    // The colour at (2, 2), taken when the bytes were decoded; nothing when
    // the picture is smaller than that.
    std::optional<Argb> AccentPixel() const { return accentPixel_; }

private:
    ByteArray bytes_;
    GdipBitmap pixels_;
    std::optional<Argb> accentPixel_;
};

}  // namespace lirvo
