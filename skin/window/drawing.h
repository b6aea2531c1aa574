#pragma once
// Drawing routines shared by skinned windows and controls: fonts built from
// font descriptions, text with an optional glow, images with opacity,
// nine-grid stretching, outlines, fills and surface blending. All drawing is
// GDI+ on 32-bit ARGB surfaces; only BlendSurface uses GDI.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "skin/core/colour.h"
#include "skin/core/gdiplus_api.h"
#include "skin/core/rect.h"
#include "skin/core/shared_routines.h"
#include "skin/core/wide_text.h"

namespace lirvo {

class Surface;

// Style bits of a font description.
namespace font_style {
inline constexpr std::int32_t kBold = 1;
inline constexpr std::int32_t kItalic = 2;
inline constexpr std::int32_t kStrikeout = 4;
inline constexpr std::int32_t kUnderline = 8;
inline constexpr std::int32_t kAlignNear = 32;
inline constexpr std::int32_t kAlignCentre = 64;
inline constexpr std::int32_t kAlignFar = 128;
inline constexpr std::int32_t kLineNear = 256;
inline constexpr std::int32_t kLineCentre = 512;
inline constexpr std::int32_t kLineFar = 1024;
inline constexpr std::int32_t kVertical = 2048;
inline constexpr std::int32_t kGlow = 4096;
}  // namespace font_style

struct Margins {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Margins&, const Margins&) = default;
};

struct TextSize {
    std::int32_t width = 0, height = 0;
};

// A font ready to draw with: string format, font and brushes, owned together.
// The text format of a control, as its "StringFormat" property ("文本格式")
// carries it: five integers in decimal joined by "^". They are the settings
// of the string format the control's text is drawn with, in this order:
//   1. format flags (GDI+ StringFormatFlags: 1 right to left, 2 vertical,
//      4096 no wrap, 16384 measure trailing spaces, ...);
//   2. horizontal alignment (0 near, 1 centre, 2 far);
//   3. line (vertical) alignment (0 near, 1 centre, 2 far);
//   4. trimming (GDI+ StringTrimming: 0 none, 1 character, 2 word,
//      3 ellipsis character, 4 ellipsis word, 5 ellipsis path);
//   5. hotkey prefix (0 none, 1 shown, 2 hidden).
// Rebuilding a text style from its description starts again from the
// settings its style bits give.
struct TextFormatSettings {
    std::int32_t flags = 0;
    std::int32_t alignment = 0;
    std::int32_t lineAlignment = 0;
    std::int32_t trimming = 0;
    std::int32_t hotkeyPrefix = 0;
    friend bool operator==(const TextFormatSettings&, const TextFormatSettings&) = default;
};

class FontRecord {
public:
    FontRecord() = default;
    // A description of size 0 stands for the toolkit's default text style.
    explicit FontRecord(const FontDescription& description, bool typographic = false, bool noWrap = false);

    Gdiplus::GpStringFormat* Format() const { return format_.get(); }
    Gdiplus::GpFont* Font() const { return font_.get(); }
    Gdiplus::GpBrush* TextBrush() const { return textBrush_.get(); }
    Gdiplus::GpBrush* GlowBrush() const { return glowBrush_.get(); }
    bool Glow() const { return glowBrush_ != nullptr; }
    const FontDescription& Description() const { return description_; }
    explicit operator bool() const { return font_ != nullptr; }
    TextFormatSettings FormatSettings() const;
    // False, and nothing changed, for values outside their ranges.
    bool ApplyFormatSettings(const TextFormatSettings& settings);

    // The pictures the glow is drawn through, kept from one draw to the next
    // of the same size: controls redraw their text at every tick of an
    // animation (a progress bar's shine, every 10 ms), and new pictures for
    // each would be made and thrown away as often. Drawing fills them anew.
    struct GlowScratch {
        GdipBitmap full;   // the text's size
        GdipBitmap small;  // a third of it
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    // Scratch space, not part of the record's value: drawing with a const
    // record may use it.
    GlowScratch& Scratch() const { return glowScratch_; }

private:
    struct FormatDeleter {
        void operator()(Gdiplus::GpStringFormat* format) const { gdip::GdipDeleteStringFormat(format); }
    };
    struct FontDeleter {
        void operator()(Gdiplus::GpFont* font) const { gdip::GdipDeleteFont(font); }
    };
    struct BrushDeleter {
        void operator()(Gdiplus::GpBrush* brush) const { gdip::GdipDeleteBrush(brush); }
    };

    std::unique_ptr<Gdiplus::GpStringFormat, FormatDeleter> format_;
    std::unique_ptr<Gdiplus::GpFont, FontDeleter> font_;
    std::unique_ptr<Gdiplus::GpBrush, BrushDeleter> textBrush_;
    std::unique_ptr<Gdiplus::GpBrush, BrushDeleter> glowBrush_;
    FontDescription description_;
    mutable GlowScratch glowScratch_;
};

// How many glow pictures this process has made so far.
std::uint64_t GlowPicturesMade();

inline FontRecord BuildFont(const FontDescription& description) { return FontRecord(description); }

// Text size in whole pixels; without a graphics, measured for the screen.
TextSize MeasureText(const WideText& text, const FontRecord& font, Gdiplus::GpGraphics* graphics = nullptr);
// Draws the text in the rectangle (or at its measured size at 0, 0), with
// the font's glow behind it when the font has one.
void DrawStyledText(Gdiplus::GpGraphics* graphics, const FontRecord& font, const WideText& text,
                    std::optional<Rect> rect = std::nullopt);

struct ImagePlacement {
    std::optional<std::int32_t> width, height;  // default: the image's size
    std::int32_t sourceX = 0, sourceY = 0;
    std::optional<std::int32_t> sourceWidth, sourceHeight;
    std::optional<std::int32_t> opacity;  // percent
};
void DrawImage(Gdiplus::GpImage* image, Gdiplus::GpGraphics* graphics, std::int32_t x, std::int32_t y,
               const ImagePlacement& placement = {});
// Corners at their own size, edges stretched one way, the centre both ways.
void DrawNineGrid(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, std::int32_t x, std::int32_t y,
                  std::int32_t width, std::int32_t height, const Margins& margins, std::int32_t opacity = 0);
// An opaque picture of the surface's own size, stored straight into its
// pixels: drawn at its own size it covers everything with exactly its own
// pixels, and GDI+ would take a copy as large as the picture to draw it.
// False, with nothing stored, for a picture of another size or with a pixel
// that is not opaque; such a picture is for DrawNineGrid.
bool StoreOpaquePicture(Surface& surface, Gdiplus::GpBitmap* picture);
void DrawIconHandle(Gdiplus::GpGraphics* graphics, HICON icon, std::int32_t x, std::int32_t y,
                    std::int32_t width = 16, std::int32_t height = 16);
void FillRectColour(Gdiplus::GpGraphics* graphics, Argb colour, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height);
// The same fill onto a cleared surface, stored straight into its pixels.
// Through GDI+ a fill the size of a window takes a buffer as large for a
// moment; the pixel GDI+ leaves is the same all over, so it is taken from a
// one-pixel fill and repeated.
void FillClearedSurface(Surface& surface, Argb colour, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height);
void DrawRectOutline(Gdiplus::GpGraphics* graphics, Argb colour, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, float penWidth = 1.0f);
// A radius below 1 draws a plain rectangle.
void DrawRoundRectOutline(Gdiplus::GpGraphics* graphics, Argb colour, std::int32_t x, std::int32_t y,
                          std::int32_t width, std::int32_t height, std::int32_t radius, float penWidth = 1.0f);
void BlendSurface(HDC destination, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  HDC source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                  std::int32_t sourceHeight, std::uint8_t constantAlpha, std::uint8_t alphaFormat);
// Black (0) for light colours, white (0xFFFFFF) for dark ones.
Argb ContrastColour(Argb colour);

}  // namespace lirvo
