#include "skin/core/shared_routines.h"

#include "skin/core/toolkit.h"

namespace lirvo {

SkinDatabase& ApplicationSkin() {
    static SkinDatabase* const database = new SkinDatabase;  // lives until the process ends
    return *database;
}

ByteArray SkinImageBytes(std::string_view name) { return ApplicationSkin().GetDataByName(name); }

Argb SampleImageColour(Gdiplus::GpImage* image) {
    if (!image) return 0;
    Gdiplus::GpBitmap* rawPixel = nullptr;
    if (gdip::GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &rawPixel) != Gdiplus::Ok) return 0;
    GdipBitmap pixel(rawPixel);
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (gdip::GdipGetImageGraphicsContext(pixel.get(), &rawGraphics) != Gdiplus::Ok) return 0;
    {
        GdipGraphics graphics(rawGraphics);
        gdip::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeNearestNeighbor);
        gdip::GdipDrawImageRectI(graphics.get(), image, 0, 0, 1, 1);
    }
    Gdiplus::ARGB colour = 0;
    gdip::GdipBitmapGetPixel(pixel.get(), 0, 0, &colour);
    return colour;
}

FontDescription MakeTextStyle(std::optional<std::int32_t> textFormat, std::optional<std::string_view> fontName,
                              std::optional<std::int32_t> size, std::optional<Argb> textColour,
                              std::optional<Argb> secondColour) {
    FontDescription description;
    description.styleFlags = textFormat.value_or(DefaultTextFormat());
    description.fontFamily = fontName ? MakeWideText(*fontName) : DefaultFontName();
    description.size = size.value_or(DefaultFontSize());
    description.textColour = textColour.value_or(DefaultTextColour());
    description.glowColour = secondColour.value_or(DefaultSecondColour());
    return description;
}

}  // namespace lirvo
