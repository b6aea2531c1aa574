#pragma once
// Owners for the GDI+ brushes, pens and paths the controls draw with, and
// the small drawing steps several controls share.

#include <memory>

#include "skin/core/colour.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo {

struct GdipBrushDeleter {
    void operator()(Gdiplus::GpBrush* brush) const { gdip::GdipDeleteBrush(brush); }
};
struct GdipPenDeleter {
    void operator()(Gdiplus::GpPen* pen) const { gdip::GdipDeletePen(pen); }
};
struct GdipPathDeleter {
    void operator()(Gdiplus::GpPath* path) const { gdip::GdipDeletePath(path); }
};
using GdipBrush = std::unique_ptr<Gdiplus::GpBrush, GdipBrushDeleter>;
using GdipPen = std::unique_ptr<Gdiplus::GpPen, GdipPenDeleter>;
using GdipPath = std::unique_ptr<Gdiplus::GpPath, GdipPathDeleter>;

GdipBrush MakeSolidBrush(Argb colour);
// An independent copy of a picture; empty for none.
GdipBitmap CloneBitmap(const GdipBitmap& bitmap);
// A linear gradient from `from` to `to` across the rectangle, top to bottom
// or left to right.
GdipBrush MakeGradientBrush(const Gdiplus::RectF& span, Argb from, Argb to, bool vertical);
GdipPen MakePen(Argb colour, float width = 1.0f);
// A closed rounded-rectangle figure; a radius below 1 gives a plain rectangle.
GdipPath MakeRoundRectPath(float x, float y, float width, float height, float radius);

}  // namespace lirvo
