#include "skin/window/drawing.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/core/toolkit.h"
#include "skin/window/surface.h"
#include "tests/support/images.h"
#include "tests/support/surface_pixels.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo {
namespace {

class DrawingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::StartToolkitForTests(); }
};

// Pixels of a surface whose red channel clearly exceeds green and blue.
int ReddishPixels(const Surface& surface) {
    int count = 0;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const std::uint32_t p = surface.PixelAt(x, y);
            const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            if (r > g + 40 && r > b + 40) ++count;
        }
    return count;
}

TEST_F(DrawingTest, GlowOnlyWithStyleBit4096) {
    for (const bool glow : {false, true}) {
        Surface surface(160, 40);
        FillRectColour(surface.Graphics(), 0xFFFFFFFF, 0, 0, 160, 40);
        const std::int32_t style = font_style::kAlignCentre | font_style::kLineCentre | (glow ? font_style::kGlow : 0);
        const FontRecord font(MakeTextStyle(style, "宋体", 16, 0xFF000000u, 0xFFFF0000u));
        EXPECT_EQ(font.Glow(), glow);
        DrawStyledText(surface.Graphics(), font, MakeWideText("阅读器 PDF"), Rect{0, 0, 160, 40});
        if (glow) EXPECT_GT(ReddishPixels(surface), 20) << "a red halo around black text";
        else EXPECT_EQ(ReddishPixels(surface), 0);
    }
}

// A control draws its text again at every tick of an animation with one
// font record: each draw looks as the first did, whatever was drawn between,
// and the glow's pictures are made once for a size, not at every draw.
TEST_F(DrawingTest, GlowingTextRedrawnWithOneRecordLooksTheSameAndMakesNoNewPictures) {
    const auto style = MakeTextStyle(font_style::kAlignCentre | font_style::kLineCentre | font_style::kGlow, "宋体", 16,
                                     0xFF000000u, 0xFFFF0000u);
    const FontRecord font(style);
    const auto draw = [](const FontRecord& record, const char* text, int width) {
        Surface surface(width, 40);
        FillRectColour(surface.Graphics(), 0xFFFFFFFF, 0, 0, width, 40);
        DrawStyledText(surface.Graphics(), record, MakeWideText(text), Rect{0, 0, width, 40});
        return testing::PixelsOf(surface);
    };
    const auto first = draw(font, "阅读器 PDF", 160);
    const std::uint64_t made = GlowPicturesMade();
    const auto other = draw(font, "安装", 160);
    EXPECT_NE(other, first);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(draw(font, "阅读器 PDF", 160), first) << "draw " << i;
    EXPECT_EQ(GlowPicturesMade(), made) << "the same size draws through the same pictures";
    EXPECT_EQ(draw(FontRecord(style), "阅读器 PDF", 160), first) << "as a record drawing for the first time";

    draw(font, "阅读器 PDF", 120);
    EXPECT_EQ(GlowPicturesMade(), made + 4) << "another size: its two, and the fresh record's two";
    EXPECT_EQ(draw(font, "阅读器 PDF", 160), first) << "and back";
}

TEST_F(DrawingTest, FontRecordsFollowTheStyleBits) {
    const struct {
        std::int32_t style;
        int fontStyle;
        Gdiplus::StringAlignment horizontal, line;
    } cases[] = {
        {0, 0, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear},
        {font_style::kBold | font_style::kUnderline, Gdiplus::FontStyleBold | Gdiplus::FontStyleUnderline,
         Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear},
        {font_style::kItalic | font_style::kStrikeout, Gdiplus::FontStyleItalic | Gdiplus::FontStyleStrikeout,
         Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear},
        {font_style::kAlignFar, 0, Gdiplus::StringAlignmentFar, Gdiplus::StringAlignmentFar},  // line follows
        {font_style::kAlignCentre | font_style::kLineFar, 0, Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentFar},
        {font_style::kAlignNear | font_style::kAlignFar, 0, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentNear},
        {font_style::kVertical, 0, Gdiplus::StringAlignmentFar, Gdiplus::StringAlignmentFar},
    };
    // The prefix's CJK font may report a style of its own; the bits add to it.
    INT regular = 0;
    gdip::GdipGetFontStyle(FontRecord(MakeTextStyle(0, "宋体", 12)).Font(), &regular);
    for (const auto& c : cases) {
        const FontRecord font(MakeTextStyle(c.style, "宋体", 12));
        INT fontStyle = -1;
        gdip::GdipGetFontStyle(font.Font(), &fontStyle);
        Gdiplus::StringAlignment horizontal{}, line{};
        gdip::GdipGetStringFormatAlign(font.Format(), &horizontal);
        gdip::GdipGetStringFormatLineAlign(font.Format(), &line);
        EXPECT_EQ(fontStyle, regular | c.fontStyle) << c.style;
        EXPECT_EQ(horizontal, c.horizontal) << c.style;
        EXPECT_EQ(line, c.line) << c.style;
    }
    const FontRecord defaults{FontDescription{}};
    EXPECT_EQ(defaults.Description().styleFlags, 4688) << "size 0 stands for the default style";
    EXPECT_EQ(defaults.Description().size, 12);
    EXPECT_TRUE(defaults.Glow()) << "the default style has the glow bit";
}

TEST_F(DrawingTest, NineGridKeepsCornersAndStretchesTheRest) {
    // 30 x 30 source: a 10-pixel red frame around a green centre.
    GdipBitmap source = testing::SolidBitmap(30, 30, 0xFFFF0000);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x) gdip::GdipBitmapSetPixel(source.get(), x, y, 0xFF00FF00);
    Surface surface(100, 60);
    DrawNineGrid(surface.Graphics(), source.get(), 0, 0, 100, 60, Margins{10, 10, 10, 10});
    EXPECT_EQ(surface.PixelAt(5, 5), 0xFFFF0000u);
    EXPECT_EQ(surface.PixelAt(95, 55), 0xFFFF0000u);
    EXPECT_EQ(surface.PixelAt(50, 5), 0xFFFF0000u) << "top edge stays 10 high";
    EXPECT_EQ(surface.PixelAt(50, 30), 0xFF00FF00u) << "centre stretched";
    EXPECT_EQ(surface.PixelAt(15, 30), 0xFF00FF00u);
    EXPECT_EQ(surface.PixelAt(75, 30), 0xFF00FF00u);
}

TEST_F(DrawingTest, NineGridAtThePicturesOwnSizeIsThePictureItself) {
    // Every pixel different, half of them partly transparent, drawn over a
    // background, with and without an opacity.
    constexpr int kWidth = 57, kHeight = 31;
    GdipBitmap source = testing::SolidBitmap(kWidth, kHeight, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            gdip::GdipBitmapSetPixel(source.get(), x, y,
                                     static_cast<Argb>(((x + y) % 2 ? 0xFF : 0x40 + x) << 24 | (x * 4) << 16 |
                                                       (y * 8) << 8 | (x * y) % 256));
    const Margins margins{9, 7, 11, 5};
    for (const std::int32_t opacity : {0, 60}) {
        Surface grid(kWidth + 6, kHeight + 6), pieces(kWidth + 6, kHeight + 6);
        for (Surface* surface : {&grid, &pieces})
            FillRectColour(surface->Graphics(), 0xFF2050A0, 0, 0, kWidth + 6, kHeight + 6);
        DrawNineGrid(grid.Graphics(), source.get(), 3, 3, kWidth, kHeight, margins, opacity);
        // The same nine pieces drawn one by one, the opacity as an alpha scale.
        Gdiplus::GpImageAttributes* attributes = nullptr;
        if (opacity > 0) {
            gdip::GdipCreateImageAttributes(&attributes);
            Gdiplus::ColorMatrix matrix{};
            for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
            matrix.m[3][3] = static_cast<float>(opacity) / 100.0f;
            gdip::GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                                    nullptr, Gdiplus::ColorMatrixFlagsDefault);
        }
        const int xs[] = {0, margins.left, kWidth - margins.right, kWidth};
        const int ys[] = {0, margins.top, kHeight - margins.bottom, kHeight};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column) {
                const int w = xs[column + 1] - xs[column], h = ys[row + 1] - ys[row];
                gdip::GdipDrawImageRectRectI(pieces.Graphics(), source.get(), 3 + xs[column], 3 + ys[row], w, h,
                                             xs[column], ys[row], w, h, Gdiplus::UnitPixel, attributes, nullptr,
                                             nullptr);
            }
        if (attributes) gdip::GdipDisposeImageAttributes(attributes);
        for (Surface* surface : {&grid, &pieces}) gdip::GdipFlush(surface->Graphics(), Gdiplus::FlushIntentionSync);
        int differing = 0;
        for (int y = 0; y < kHeight + 6; ++y)
            for (int x = 0; x < kWidth + 6; ++x) differing += grid.PixelAt(x, y) != pieces.PixelAt(x, y);
        EXPECT_EQ(differing, 0) << "opacity " << opacity;
        EXPECT_NE(grid.PixelAt(3 + 20, 3 + 10), 0xFF2050A0u) << "the picture was drawn";
    }
}

// Pixels that differ between two surfaces of the same size.
int DifferingPixels(const Surface& a, const Surface& b) {
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) differing += a.PixelAt(x, y) != b.PixelAt(x, y);
    return differing;
}

// A fill stored straight into a cleared surface must leave what GDI+ leaves,
// for colours of every opacity and areas partly or wholly off the surface.
TEST_F(DrawingTest, AFillStoredIntoAClearedSurfaceIsTheFillGdiplusDraws) {
    constexpr int kWidth = 41, kHeight = 23;
    const struct {
        Argb colour;
        int x, y, width, height;
    } cases[] = {
        {0xFF204080, 0, 0, kWidth, kHeight},           // opaque, the whole surface
        {0x80E0C020, 0, 0, kWidth, kHeight},           // half see-through
        {0x00FFFFFF, 0, 0, kWidth, kHeight},           // fully see-through
        {0xC0336699, 8, 7, kWidth, kHeight},           // moved by the paint offsets: off at the right and bottom
        {0xFF11AA44, -5, -3, 20, 12},                  // off at the top left
        {0xFF11AA44, kWidth + 2, 0, 10, 10},           // wholly off
        {0xFF11AA44, 0x7FFFFFF0, 0x7FFFFFF0, 100, 100},  // so far off that the far edge overflows 32 bits
    };
    for (const auto& c : cases) {
        Surface drawn(kWidth, kHeight), stored(kWidth, kHeight);
        FillRectColour(drawn.Graphics(), c.colour, c.x, c.y, c.width, c.height);
        gdip::GdipFlush(drawn.Graphics(), Gdiplus::FlushIntentionSync);
        FillClearedSurface(stored, c.colour, c.x, c.y, c.width, c.height);
        EXPECT_EQ(DifferingPixels(drawn, stored), 0) << std::hex << c.colour << std::dec << " at " << c.x << "," << c.y;
    }
}

// An opaque picture of the surface's size is stored as GDI+ would draw it
// over whatever is there; any other picture is refused and left to drawing.
TEST_F(DrawingTest, AnOpaquePictureOfTheSurfacesSizeIsStoredAsGdiplusDrawsIt) {
    constexpr int kWidth = 57, kHeight = 31;
    const auto picture = [](int width, int height, bool oneSeeThroughPixel) {
        GdipBitmap bitmap = testing::SolidBitmap(width, height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                gdip::GdipBitmapSetPixel(bitmap.get(), x, y,
                                         0xFF000000u | static_cast<Argb>((x * 4) << 16 | (y * 8) << 8 | (x * y) % 256));
        if (oneSeeThroughPixel) gdip::GdipBitmapSetPixel(bitmap.get(), width - 1, height - 1, 0x80102030);
        return bitmap;
    };
    const struct {
        const char* name;
        int width, height;
        bool seeThrough, stored;
    } cases[] = {
        {"opaque, the surface's size", kWidth, kHeight, false, true},
        {"one pixel see-through", kWidth, kHeight, true, false},
        {"narrower", kWidth - 1, kHeight, false, false},
        {"taller", kWidth, kHeight + 1, false, false},
    };
    for (const auto& c : cases) {
        const GdipBitmap source = picture(c.width, c.height, c.seeThrough);
        Surface drawn(kWidth, kHeight), stored(kWidth, kHeight);
        for (Surface* surface : {&drawn, &stored})
            FillRectColour(surface->Graphics(), 0xFF2050A0, 0, 0, kWidth, kHeight);
        gdip::GdipDrawImageRectRectI(drawn.Graphics(), source.get(), 0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight,
                                     Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
        gdip::GdipFlush(drawn.Graphics(), Gdiplus::FlushIntentionSync);
        EXPECT_EQ(StoreOpaquePicture(stored, source.get()), c.stored) << c.name;
        if (c.stored) {
            EXPECT_EQ(DifferingPixels(drawn, stored), 0) << c.name;
        } else {
            EXPECT_EQ(stored.PixelAt(10, 10), 0xFF2050A0u) << c.name << ": nothing stored";
        }
    }
    Surface surface(kWidth, kHeight);
    EXPECT_FALSE(StoreOpaquePicture(surface, nullptr));
}

TEST_F(DrawingTest, ImagesWithOpacityAndOutlines) {
    Surface surface(40, 40);
    FillRectColour(surface.Graphics(), 0xFF000000, 0, 0, 40, 40);
    GdipBitmap white = testing::SolidBitmap(10, 10, 0xFFFFFFFF);
    DrawImage(white.get(), surface.Graphics(), 0, 0, {.opacity = 50});
    DrawImage(white.get(), surface.Graphics(), 20, 0, {.width = 20, .height = 20});
    const std::uint32_t half = surface.PixelAt(5, 5) & 0xFF;
    EXPECT_NEAR(static_cast<int>(half), 128, 3);
    EXPECT_EQ(surface.PixelAt(35, 15), 0xFFFFFFFFu) << "stretched to the given size";

    DrawRoundRectOutline(surface.Graphics(), 0xFF00FF00, 0, 20, 19, 19, 0);
    EXPECT_EQ(surface.PixelAt(0, 30), 0xFF00FF00u) << "radius 0 is a rectangle";
    EXPECT_EQ(surface.PixelAt(19, 30), 0xFF00FF00u);
}

// A one-pixel outline covers the rectangle's edge pixels, its right and
// bottom edges included, blending each of them exactly once (the corners
// too) and leaving every other pixel alone.
TEST_F(DrawingTest, OutlinesBlendEachEdgePixelOnce) {
    const struct {
        Argb colour, background;
        std::int32_t x, y, width, height;
    } cases[] = {
        {0x60000000, 0xFF2050A0, 0, 0, 39, 29},  // the window's outer edge: along the surface's border
        {0x60FFFFFF, 0xFF2050A0, 1, 1, 37, 27},  // and its inner edge
        {0xFF00FF00, 0xFF2050A0, 3, 4, 10, 6},
        {0x80FF0000, 0x00000000, 5, 5, 2, 1},    // thinner than a pen's corners, on nothing
        {0x60000000, 0xFF2050A0, 30, 20, 20, 20}, // partly off the surface
    };
    for (const auto& c : cases) {
        const std::string name = std::to_string(c.x) + "," + std::to_string(c.y) + " " + std::to_string(c.width) +
                                 "x" + std::to_string(c.height);
        Surface once(1, 1);
        once.FillPixels(0, 0, 1, 1, c.background);
        FillRectColour(once.Graphics(), c.colour, 0, 0, 1, 1);
        gdip::GdipFlush(once.Graphics(), Gdiplus::FlushIntentionSync);
        const std::uint32_t blended = once.PixelAt(0, 0);
        ASSERT_NE(blended, c.background) << name;

        Surface surface(40, 30);
        surface.FillPixels(0, 0, 40, 30, c.background);
        DrawRectOutline(surface.Graphics(), c.colour, c.x, c.y, c.width, c.height);
        gdip::GdipFlush(surface.Graphics(), Gdiplus::FlushIntentionSync);
        int wrong = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool insideOuter = x >= c.x && x <= c.x + c.width && y >= c.y && y <= c.y + c.height;
                const bool insideInner = x > c.x && x < c.x + c.width && y > c.y && y < c.y + c.height;
                const std::uint32_t expected = insideOuter && !insideInner ? blended : c.background;
                if (surface.PixelAt(x, y) != expected && wrong++ < 3)
                    ADD_FAILURE() << name << ": pixel " << x << "," << y << " is " << std::hex << surface.PixelAt(x, y)
                                  << ", not " << expected;
            }
        EXPECT_EQ(wrong, 0) << name;
    }

    // Smoothed or moved by a transform, the outline is the pen's own.
    for (const bool smoothed : {true, false}) {
        Surface drawn(40, 30), penned(40, 30);
        for (Surface* surface : {&drawn, &penned}) {
            surface->FillPixels(0, 0, 40, 30, 0xFF2050A0);
            if (smoothed) gdip::GdipSetSmoothingMode(surface->Graphics(), Gdiplus::SmoothingModeAntiAlias);
            else gdip::GdipTranslateWorldTransform(surface->Graphics(), 0.5f, 0.25f, Gdiplus::MatrixOrderPrepend);
        }
        DrawRectOutline(drawn.Graphics(), 0x60FFFFFF, 2, 3, 30, 20);
        Gdiplus::GpPen* rawPen = nullptr;
        gdip::GdipCreatePen1(0x60FFFFFF, 1.0f, Gdiplus::UnitPixel, &rawPen);
        const std::unique_ptr<Gdiplus::GpPen, decltype(&gdip::GdipDeletePen)> pen(rawPen, &gdip::GdipDeletePen);
        gdip::GdipDrawRectangleI(penned.Graphics(), pen.get(), 2, 3, 30, 20);
        for (Surface* surface : {&drawn, &penned}) gdip::GdipFlush(surface->Graphics(), Gdiplus::FlushIntentionSync);
        EXPECT_EQ(DifferingPixels(drawn, penned), 0) << (smoothed ? "smoothed" : "moved");
        Surface untouched(40, 30);
        untouched.FillPixels(0, 0, 40, 30, 0xFF2050A0);
        EXPECT_GT(DifferingPixels(drawn, untouched), 80) << "an outline was drawn";
    }
}

TEST(Contrast, BlackOnLightWhiteOnDark) {
    const struct {
        Argb colour, expected;
    } cases[] = {{0xFFFFFFFF, 0}, {0xFF000000, 0xFFFFFF}, {0xFF7F7F80, 0xFFFFFF} /* 382 */,
                 {0x007F8080, 0} /* 383, alpha ignored */, {0xFF808080, 0}};
    for (const auto& c : cases) EXPECT_EQ(ContrastColour(c.colour), c.expected) << std::hex << c.colour;
}

}  // namespace
}  // namespace lirvo
