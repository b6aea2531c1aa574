#include "skin/window/drawing.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "skin/core/toolkit.h"
#include "skin/window/surface.h"

namespace lirvo {
namespace {

struct ImageAttributesDeleter {
    void operator()(Gdiplus::GpImageAttributes* attributes) const { gdip::GdipDisposeImageAttributes(attributes); }
};
using ImageAttributes = std::unique_ptr<Gdiplus::GpImageAttributes, ImageAttributesDeleter>;
struct PenDeleter {
    void operator()(Gdiplus::GpPen* pen) const { gdip::GdipDeletePen(pen); }
};
struct BrushDeleter {
    void operator()(Gdiplus::GpBrush* brush) const { gdip::GdipDeleteBrush(brush); }
};
struct PathDeleter {
    void operator()(Gdiplus::GpPath* path) const { gdip::GdipDeletePath(path); }
};
struct MatrixDeleter {
    void operator()(Gdiplus::GpMatrix* matrix) const { gdip::GdipDeleteMatrix(matrix); }
};

// Identity colour matrix with the alpha scaled to `percent`.
ImageAttributes OpacityAttributes(std::int32_t percent) {
    Gdiplus::GpImageAttributes* raw = nullptr;
    gdip::GdipCreateImageAttributes(&raw);
    ImageAttributes attributes(raw);
    Gdiplus::ColorMatrix matrix{};
    for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
    matrix.m[3][3] = static_cast<float>(percent) / 100.0f;
    gdip::GdipSetImageAttributesColorMatrix(attributes.get(), Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix, nullptr,
                                            Gdiplus::ColorMatrixFlagsDefault);
    return attributes;
}

std::unique_ptr<Gdiplus::GpBrush, BrushDeleter> SolidBrush(Argb colour) {
    Gdiplus::GpSolidFill* brush = nullptr;
    gdip::GdipCreateSolidFill(colour, &brush);
    return std::unique_ptr<Gdiplus::GpBrush, BrushDeleter>(brush);
}

std::unique_ptr<Gdiplus::GpPen, PenDeleter> Pen(Argb colour, float width) {
    Gdiplus::GpPen* pen = nullptr;
    gdip::GdipCreatePen1(colour, width, Gdiplus::UnitPixel, &pen);
    return std::unique_ptr<Gdiplus::GpPen, PenDeleter>(pen);
}

// The first alignment bit of a group that is set, as 0 near, 1 centre, 2 far.
std::optional<int> AlignmentFromBits(std::int32_t style, std::int32_t nearBit) {
    for (int alignment = 0; alignment < 3; ++alignment)
        if (style & (nearBit << alignment)) return alignment;
    return std::nullopt;
}

Gdiplus::RectF ToRectF(const Rect& rect) {
    return {static_cast<float>(rect.left), static_cast<float>(rect.top), static_cast<float>(rect.width),
            static_cast<float>(rect.height)};
}

Gdiplus::RectF MeasureRect(Gdiplus::GpGraphics* graphics, const std::wstring& text, const FontRecord& font) {
    Gdiplus::RectF layout{};
    Gdiplus::RectF bounds{};
    gdip::GdipMeasureString(graphics, text.c_str(), static_cast<INT>(text.size()), font.Font(), &layout,
                            font.Format(), &bounds, nullptr, nullptr);
    return bounds;
}

std::uint64_t glowPicturesMade = 0;

GdipBitmap MakeGlowPicture(std::int32_t width, std::int32_t height) {
    Gdiplus::GpBitmap* raw = nullptr;
    gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &raw);
    ++glowPicturesMade;
    return GdipBitmap(raw);
}

// A graphics on a scratch picture, cleared to transparent as a new picture
// is, so that what an earlier draw left never shows.
GdipGraphics ClearedGraphics(Gdiplus::GpBitmap* picture) {
    Gdiplus::GpGraphics* raw = nullptr;
    gdip::GdipGetImageGraphicsContext(picture, &raw);
    GdipGraphics graphics(raw);
    gdip::GdipGraphicsClear(graphics.get(), 0);
    return graphics;
}

// The glow: the text drawn with the glow brush, shrunk to a third and
// stretched back, which blurs it into a soft halo.
void DrawGlow(Gdiplus::GpGraphics* graphics, const FontRecord& font, const std::wstring& text, const Rect& rect) {
    if (rect.width <= 0 || rect.height <= 0) return;
    const std::int32_t smallWidth = std::max(rect.width / 3, 1);
    const std::int32_t smallHeight = std::max(rect.height / 3, 1);
    FontRecord::GlowScratch& scratch = font.Scratch();
    if (!scratch.full || !scratch.small || scratch.width != rect.width || scratch.height != rect.height) {
        scratch.full = MakeGlowPicture(rect.width, rect.height);
        scratch.small = MakeGlowPicture(smallWidth, smallHeight);
        scratch.width = rect.width;
        scratch.height = rect.height;
    }
    if (!scratch.full || !scratch.small) return;
    {
        GdipGraphics textGraphics = ClearedGraphics(scratch.full.get());
        gdip::GdipSetTextRenderingHint(textGraphics.get(),
                                       static_cast<Gdiplus::TextRenderingHint>(DefaultTextRenderingHint()));
        Gdiplus::RectF layout{0, 0, static_cast<float>(rect.width), static_cast<float>(rect.height)};
        gdip::GdipDrawString(textGraphics.get(), text.c_str(), static_cast<INT>(text.size()), font.Font(), &layout,
                             font.Format(), font.GlowBrush());
    }
    {
        GdipGraphics shrink = ClearedGraphics(scratch.small.get());
        gdip::GdipSetInterpolationMode(shrink.get(), Gdiplus::InterpolationModeHighQualityBicubic);
        gdip::GdipSetCompositingQuality(shrink.get(), Gdiplus::CompositingQualityHighQuality);
        gdip::GdipSetSmoothingMode(shrink.get(), Gdiplus::SmoothingModeAntiAlias);
        gdip::GdipDrawImageRectI(shrink.get(), scratch.full.get(), 0, 0, smallWidth, smallHeight);
    }
    gdip::GdipDrawImageRectI(graphics, scratch.small.get(), rect.left, rect.top, rect.width, rect.height);
}

// Whether a one-pixel pen on this graphics covers whole pixels at whole
// coordinates, so that its outline is the same as fills of its edges.
bool DrawsWholePixels(Gdiplus::GpGraphics* graphics) {
    Gdiplus::SmoothingMode smoothing{};
    Gdiplus::PixelOffsetMode offset{};
    Gdiplus::GpMatrix* raw = nullptr;
    if (gdip::GdipGetSmoothingMode(graphics, &smoothing) != Gdiplus::Ok ||
        gdip::GdipGetPixelOffsetMode(graphics, &offset) != Gdiplus::Ok || gdip::GdipCreateMatrix(&raw) != Gdiplus::Ok)
        return false;
    const std::unique_ptr<Gdiplus::GpMatrix, MatrixDeleter> transform(raw);
    BOOL identity = FALSE;
    if (gdip::GdipGetWorldTransform(graphics, raw) != Gdiplus::Ok ||
        gdip::GdipIsMatrixIdentity(raw, &identity) != Gdiplus::Ok)
        identity = FALSE;
    using namespace Gdiplus;
    const bool crisp = smoothing == SmoothingModeDefault || smoothing == SmoothingModeHighSpeed ||
                       smoothing == SmoothingModeNone;
    const bool centred = offset == PixelOffsetModeDefault || offset == PixelOffsetModeHighSpeed ||
                         offset == PixelOffsetModeNone;
    return identity && crisp && centred;
}

}  // namespace

FontRecord::FontRecord(const FontDescription& requested, bool typographic, bool noWrap) {
    description_ = requested.size != 0 ? requested : MakeTextStyle();
    const std::int32_t style = description_.styleFlags;

    Gdiplus::GpStringFormat* format = nullptr;
    if (typographic) {
        Gdiplus::GpStringFormat* generic = nullptr;
        gdip::GdipStringFormatGetGenericTypographic(&generic);
        gdip::GdipCloneStringFormat(generic, &format);
    } else {
        gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
    }
    format_.reset(format);
    INT flags = Gdiplus::StringFormatFlagsMeasureTrailingSpaces | Gdiplus::StringFormatFlagsNoFontFallback;
    if (style & font_style::kVertical) flags |= Gdiplus::StringFormatFlagsDirectionVertical;
    if (noWrap) flags |= Gdiplus::StringFormatFlagsNoWrap;
    gdip::GdipSetStringFormatFlags(format, flags);
    const int horizontal =
        AlignmentFromBits(style, font_style::kAlignNear).value_or(style & font_style::kVertical ? 2 : 0);
    const int line = AlignmentFromBits(style, font_style::kLineNear).value_or(horizontal);
    gdip::GdipSetStringFormatAlign(format, static_cast<Gdiplus::StringAlignment>(horizontal));
    gdip::GdipSetStringFormatLineAlign(format, static_cast<Gdiplus::StringAlignment>(line));

    INT fontStyle = 0;
    if (style & font_style::kBold) fontStyle |= Gdiplus::FontStyleBold;
    if (style & font_style::kItalic) fontStyle |= Gdiplus::FontStyleItalic;
    if (style & font_style::kStrikeout) fontStyle |= Gdiplus::FontStyleStrikeout;
    if (style & font_style::kUnderline) fontStyle |= Gdiplus::FontStyleUnderline;

    const std::wstring familyName = description_.fontFamily.ToWString();
    Gdiplus::GpFontFamily* family = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(familyName.c_str(), nullptr, &family) != Gdiplus::Ok) {
        gdip::GdipGetGenericFontFamilySansSerif(&family);  // an unknown family still draws text
    }
    Gdiplus::GpFont* font = nullptr;
    gdip::GdipCreateFont(family, static_cast<Gdiplus::REAL>(description_.size), fontStyle, Gdiplus::UnitWorld, &font);
    font_.reset(font);
    gdip::GdipDeleteFontFamily(family);

    textBrush_.reset(SolidBrush(description_.textColour).release());
    if (style & font_style::kGlow) glowBrush_.reset(SolidBrush(description_.glowColour).release());
}

TextSize MeasureText(const WideText& text, const FontRecord& font, Gdiplus::GpGraphics* graphics) {
    GdipGraphics screen;
    if (!graphics) {
        Gdiplus::GpGraphics* raw = nullptr;
        gdip::GdipCreateFromHWND(nullptr, &raw);
        screen.reset(raw);
        graphics = raw;
    }
    const Gdiplus::RectF bounds = MeasureRect(graphics, text.ToWString(), font);
    return {static_cast<std::int32_t>(bounds.Width), static_cast<std::int32_t>(bounds.Height)};
}

std::uint64_t GlowPicturesMade() { return glowPicturesMade; }

void DrawStyledText(Gdiplus::GpGraphics* graphics, const FontRecord& font, const WideText& text,
                    std::optional<Rect> rect) {
    if (!graphics || !font) return;
    const std::wstring wide = text.ToWString();
    if (!rect) {
        const Gdiplus::RectF measured = MeasureRect(graphics, wide, font);
        rect = Rect{0, 0, static_cast<std::int32_t>(measured.Width), static_cast<std::int32_t>(measured.Height)};
    }
    if (font.Glow()) DrawGlow(graphics, font, wide, *rect);
    gdip::GdipSetTextRenderingHint(graphics, static_cast<Gdiplus::TextRenderingHint>(DefaultTextRenderingHint()));
    const Gdiplus::RectF layout = ToRectF(*rect);
    gdip::GdipDrawString(graphics, wide.c_str(), static_cast<INT>(wide.size()), font.Font(), &layout, font.Format(),
                         font.TextBrush());
}

void DrawImage(Gdiplus::GpImage* image, Gdiplus::GpGraphics* graphics, std::int32_t x, std::int32_t y,
               const ImagePlacement& placement) {
    if (!image || !graphics) return;
    UINT imageWidth = 0, imageHeight = 0;
    gdip::GdipGetImageWidth(image, &imageWidth);
    gdip::GdipGetImageHeight(image, &imageHeight);
    ImageAttributes attributes;
    if (placement.opacity) attributes = OpacityAttributes(*placement.opacity);
    gdip::GdipDrawImageRectRectI(graphics, image, x, y, placement.width.value_or(static_cast<INT>(imageWidth)),
                                 placement.height.value_or(static_cast<INT>(imageHeight)), placement.sourceX,
                                 placement.sourceY, placement.sourceWidth.value_or(static_cast<INT>(imageWidth)),
                                 placement.sourceHeight.value_or(static_cast<INT>(imageHeight)), Gdiplus::UnitPixel,
                                 attributes.get(), nullptr, nullptr);
}

void DrawNineGrid(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, std::int32_t x, std::int32_t y,
                  std::int32_t width, std::int32_t height, const Margins& m, std::int32_t opacity) {
    if (!image || !graphics) return;
    UINT imageWidthU = 0, imageHeightU = 0;
    gdip::GdipGetImageWidth(image, &imageWidthU);
    gdip::GdipGetImageHeight(image, &imageHeightU);
    const auto imageWidth = static_cast<std::int32_t>(imageWidthU);
    const auto imageHeight = static_cast<std::int32_t>(imageHeightU);
    ImageAttributes attributes;
    if (opacity > 0) attributes = OpacityAttributes(opacity);

    // At the picture's own size every piece is drawn one to one, and the
    // nine of them make up the picture drawn whole, with one call.
    if (width == imageWidth && height == imageHeight) {
        gdip::GdipDrawImageRectRectI(graphics, image, x, y, width, height, 0, 0, width, height, Gdiplus::UnitPixel,
                                     attributes.get(), nullptr, nullptr);
        return;
    }

    const std::int32_t sourceCentreWidth = imageWidth - m.left - m.right;
    const std::int32_t sourceCentreHeight = imageHeight - m.top - m.bottom;
    const std::int32_t centreWidth = width - m.left - m.right;
    const std::int32_t centreHeight = height - m.top - m.bottom;
    // Columns and rows of the grid: (destination start, destination size, source start, source size).
    const struct Span {
        std::int32_t to, toSize, from, fromSize;
    } columns[] = {{x, m.left, 0, m.left},
                   {x + m.left, centreWidth, m.left, sourceCentreWidth},
                   {x + width - m.right, m.right, imageWidth - m.right, m.right}},
      rows[] = {{y, m.top, 0, m.top},
                {y + m.top, centreHeight, m.top, sourceCentreHeight},
                {y + height - m.bottom, m.bottom, imageHeight - m.bottom, m.bottom}};
    for (const Span& row : rows)
        for (const Span& column : columns)
            gdip::GdipDrawImageRectRectI(graphics, image, column.to, row.to, column.toSize, row.toSize, column.from,
                                         row.from, column.fromSize, row.fromSize, Gdiplus::UnitPixel,
                                         attributes.get(), nullptr, nullptr);
}

void DrawIconHandle(Gdiplus::GpGraphics* graphics, HICON icon, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height) {
    if (!icon || !graphics) return;
    Gdiplus::GpBitmap* raw = nullptr;
    if (gdip::GdipCreateBitmapFromHICON(icon, &raw) != Gdiplus::Ok) return;
    GdipBitmap bitmap(raw);
    gdip::GdipDrawImageRectI(graphics, bitmap.get(), x, y, width, height);
}

void FillRectColour(Gdiplus::GpGraphics* graphics, Argb colour, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height) {
    if (!graphics) return;
    auto brush = SolidBrush(colour);
    gdip::GdipFillRectangleI(graphics, brush.get(), x, y, width, height);
}

bool StoreOpaquePicture(Surface& surface, Gdiplus::GpBitmap* picture) {
    UINT width = 0, height = 0;
    if (!picture || !surface || gdip::GdipGetImageWidth(picture, &width) != Gdiplus::Ok ||
        gdip::GdipGetImageHeight(picture, &height) != Gdiplus::Ok ||
        static_cast<std::int32_t>(width) != surface.Width() || static_cast<std::int32_t>(height) != surface.Height())
        return false;
    const Gdiplus::GpRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    Gdiplus::BitmapData locked{};
    if (gdip::GdipBitmapLockBits(picture, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &locked) !=
        Gdiplus::Ok)
        return false;
    const auto* top = static_cast<const std::uint8_t*>(locked.Scan0);
    bool opaque = true;
    for (UINT y = 0; y < height && opaque; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(top + static_cast<std::ptrdiff_t>(y) * locked.Stride);
        opaque = std::all_of(row, row + width, [](std::uint32_t pixel) { return pixel >> 24 == 0xFF; });
    }
    if (opaque) surface.StoreRows(top, locked.Stride);
    gdip::GdipBitmapUnlockBits(picture, &locked);
    return opaque;
}

void FillClearedSurface(Surface& surface, Argb colour, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height) {
    Surface swatch(1, 1);
    if (!swatch) return;
    FillRectColour(swatch.Graphics(), colour, 0, 0, 1, 1);
    surface.FillPixels(x, y, width, height, swatch.PixelAt(0, 0));
}

void DrawRectOutline(Gdiplus::GpGraphics* graphics, Argb colour, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, float penWidth) {
    if (!graphics) return;
    // GDI+ blends a translucent outline through a scratch picture of the
    // whole rectangle, which for a window's frame is the whole window; four
    // fills of the edges touch only the edges and leave the same pixels.
    if (penWidth == 1.0f && width >= 0 && height >= 0 && DrawsWholePixels(graphics)) {
        auto brush = SolidBrush(colour);
        gdip::GdipFillRectangleI(graphics, brush.get(), x, y, width + 1, 1);
        if (height > 0) gdip::GdipFillRectangleI(graphics, brush.get(), x, y + height, width + 1, 1);
        if (height > 1) {
            gdip::GdipFillRectangleI(graphics, brush.get(), x, y + 1, 1, height - 1);
            if (width > 0) gdip::GdipFillRectangleI(graphics, brush.get(), x + width, y + 1, 1, height - 1);
        }
        return;
    }
    auto pen = Pen(colour, penWidth);
    gdip::GdipDrawRectangleI(graphics, pen.get(), x, y, width, height);
}

void DrawRoundRectOutline(Gdiplus::GpGraphics* graphics, Argb colour, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, std::int32_t radius, float penWidth) {
    if (radius < 1) return DrawRectOutline(graphics, colour, x, y, width, height, penWidth);
    if (!graphics) return;
    Gdiplus::GpPath* raw = nullptr;
    gdip::GdipCreatePath(Gdiplus::FillModeAlternate, &raw);
    std::unique_ptr<Gdiplus::GpPath, PathDeleter> path(raw);
    const std::int32_t d = radius * 2;
    gdip::GdipAddPathArcI(raw, x, y, d, d, 180, 90);
    gdip::GdipAddPathLineI(raw, x + radius, y, x + width - radius, y);
    gdip::GdipAddPathArcI(raw, x + width - d, y, d, d, 270, 90);
    gdip::GdipAddPathLineI(raw, x + width, y + radius, x + width, y + height - radius);
    gdip::GdipAddPathArcI(raw, x + width - d, y + height - d, d, d, 0, 90);
    gdip::GdipAddPathLineI(raw, x + width - radius, y + height, x + radius, y + height);
    gdip::GdipAddPathArcI(raw, x, y + height - d, d, d, 90, 90);
    gdip::GdipClosePathFigure(raw);
    auto pen = Pen(colour, penWidth);
    gdip::GdipDrawPath(graphics, pen.get(), raw);
}

void BlendSurface(HDC destination, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  HDC source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                  std::int32_t sourceHeight, std::uint8_t constantAlpha, std::uint8_t alphaFormat) {
    AlphaBlendFunction alphaBlend = Toolkit().pfnAlphaBlend;
    if (!alphaBlend) return;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, alphaFormat};
    alphaBlend(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend);
}

Argb ContrastColour(Argb colour) {
    const std::uint32_t sum = (colour & 0xFF) + (colour >> 8 & 0xFF) + (colour >> 16 & 0xFF);
    return sum * 2 > 765 ? 0x000000u : 0xFFFFFFu;
}

TextFormatSettings FontRecord::FormatSettings() const {
    TextFormatSettings settings;
    if (!format_) return settings;
    Gdiplus::GpStringFormat* format = format_.get();
    INT flags = 0;
    gdip::GdipGetStringFormatFlags(format, &flags);
    Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear, lineAlignment = Gdiplus::StringAlignmentNear;
    gdip::GdipGetStringFormatAlign(format, &alignment);
    gdip::GdipGetStringFormatLineAlign(format, &lineAlignment);
    Gdiplus::StringTrimming trimming = Gdiplus::StringTrimmingNone;
    gdip::GdipGetStringFormatTrimming(format, &trimming);
    INT hotkeyPrefix = 0;
    gdip::GdipGetStringFormatHotkeyPrefix(format, &hotkeyPrefix);
    return {flags, static_cast<std::int32_t>(alignment), static_cast<std::int32_t>(lineAlignment),
            static_cast<std::int32_t>(trimming), hotkeyPrefix};
}

bool FontRecord::ApplyFormatSettings(const TextFormatSettings& settings) {
    const auto within = [](std::int32_t value, std::int32_t last) { return value >= 0 && value <= last; };
    if (!format_ || settings.flags < 0 || !within(settings.alignment, 2) || !within(settings.lineAlignment, 2) ||
        !within(settings.trimming, 5) || !within(settings.hotkeyPrefix, 2))
        return false;
    Gdiplus::GpStringFormat* format = format_.get();
    gdip::GdipSetStringFormatFlags(format, settings.flags);
    gdip::GdipSetStringFormatAlign(format, static_cast<Gdiplus::StringAlignment>(settings.alignment));
    gdip::GdipSetStringFormatLineAlign(format, static_cast<Gdiplus::StringAlignment>(settings.lineAlignment));
    gdip::GdipSetStringFormatTrimming(format, static_cast<Gdiplus::StringTrimming>(settings.trimming));
    gdip::GdipSetStringFormatHotkeyPrefix(format, settings.hotkeyPrefix);
    return true;
}

}  // namespace lirvo
