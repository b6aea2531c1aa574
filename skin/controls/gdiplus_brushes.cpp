#include "skin/controls/gdiplus_brushes.h"

namespace lirvo {

GdipBitmap CloneBitmap(const GdipBitmap& bitmap) {
    if (!bitmap) return {};
    Gdiplus::GpImage* copy = nullptr;
    gdip::GdipCloneImage(bitmap.get(), &copy);
    return GdipBitmap(static_cast<Gdiplus::GpBitmap*>(copy));
}

GdipBrush MakeSolidBrush(Argb colour) {
    Gdiplus::GpSolidFill* brush = nullptr;
    gdip::GdipCreateSolidFill(colour, &brush);
    return GdipBrush(brush);
}

GdipBrush MakeGradientBrush(const Gdiplus::RectF& span, Argb from, Argb to, bool vertical) {
    Gdiplus::GpLineGradient* brush = nullptr;
    gdip::GdipCreateLineBrushFromRect(&span, from, to,
                                      vertical ? Gdiplus::LinearGradientModeVertical
                                               : Gdiplus::LinearGradientModeHorizontal,
                                      Gdiplus::WrapModeTileFlipXY, &brush);
    return GdipBrush(brush);
}

GdipPen MakePen(Argb colour, float width) {
    Gdiplus::GpPen* pen = nullptr;
    gdip::GdipCreatePen1(colour, width, Gdiplus::UnitPixel, &pen);
    return GdipPen(pen);
}

GdipPath MakeRoundRectPath(float x, float y, float width, float height, float radius) {
    Gdiplus::GpPath* path = nullptr;
    gdip::GdipCreatePath(Gdiplus::FillModeAlternate, &path);
    if (radius < 1) {
        gdip::GdipAddPathRectangle(path, x, y, width, height);
        return GdipPath(path);
    }
    const float d = radius * 2;
    gdip::GdipAddPathArc(path, x, y, d, d, 180, 90);
    gdip::GdipAddPathArc(path, x + width - d, y, d, d, 270, 90);
    gdip::GdipAddPathArc(path, x + width - d, y + height - d, d, d, 0, 90);
    gdip::GdipAddPathArc(path, x, y + height - d, d, d, 90, 90);
    gdip::GdipClosePathFigure(path);
    return GdipPath(path);
}

}  // namespace lirvo
