#include "skin/window/background_picture.h"

#include "skin/core/image_from_bytes.h"

namespace lirvo {

void BackgroundPicture::Assign(const ByteArray& bytes) {
    // The old pixels go first: two window-sized pictures need not be held at once.
    Reset();
    pixels_ = ImageFromBytes(bytes);
    if (!pixels_) return;
    bytes_ = bytes;
    Gdiplus::ARGB colour = 0;
    if (gdip::GdipBitmapGetPixel(pixels_.get(), 2, 2, &colour) == Gdiplus::Ok) accentPixel_ = colour;
}

void BackgroundPicture::Reset() {
    pixels_.reset();
    bytes_.clear();
    bytes_.shrink_to_fit();
    accentPixel_.reset();
}

std::size_t BackgroundPicture::PixelBytes() const {
    if (!pixels_) return 0;
    UINT width = 0, height = 0;
    gdip::GdipGetImageWidth(pixels_.get(), &width);
    gdip::GdipGetImageHeight(pixels_.get(), &height);
    return std::size_t{width} * height * 4;  // decoded as 32-bit ARGB
}

Gdiplus::GpBitmap* BackgroundPicture::Pixels() {
    if (!pixels_ && !bytes_.empty()) pixels_ = ImageFromBytes(bytes_);
    return pixels_.get();
}

}  // namespace lirvo
