#include "skin/window/canvas.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/keep_alive_window.h"

namespace lirvo {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);
constexpr COLORREF kKey = RGB(255, 0, 255);

class CanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::KeepOneSkinWindowAlive(); }

    // A canvas of its own surface, every pixel in one colour.
    static Canvas Filled(int width, int height, COLORREF colour) {
        Canvas canvas;
        EXPECT_TRUE(canvas.CreateSurface(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) canvas.SetPixel(x, y, colour);
        return canvas;
    }

    // A 2 x 2 source: red, green on top; blue, the key colour below.
    static Canvas Quarters() {
        Canvas canvas = Filled(2, 2, kRed);
        canvas.SetPixel(1, 0, kGreen);
        canvas.SetPixel(0, 1, kBlue);
        canvas.SetPixel(1, 1, kKey);
        return canvas;
    }

    static std::vector<COLORREF> Row(const Canvas& canvas, int y) {
        std::vector<COLORREF> row;
        for (int x = 0; x < canvas.Width(); ++x) row.push_back(canvas.GetPixel(x, y));
        return row;
    }
};

TEST_F(CanvasTest, SurfacesOfGoodSizesOnly) {
    Canvas canvas;
    EXPECT_TRUE(canvas.CreateSurface(3, 2));
    EXPECT_NE(canvas.GetHandle(), nullptr);
    EXPECT_EQ(canvas.Width(), 3);
    EXPECT_EQ(canvas.Height(), 2);
    ASSERT_NE(canvas.Bits(), nullptr);
    canvas.SetPixel(2, 0, kBlue);
    Canvas::GdiFlush();
    EXPECT_EQ(canvas.Bits()[3 + 2] & 0xFFFFFF, 0x0000FFu) << "rows run bottom-up: the top row is last in memory";
    EXPECT_EQ(canvas.GetPixel(2, 0), kBlue);

    for (const SIZE bad : {SIZE{0, 4}, SIZE{4, 0}, SIZE{-1, 4}}) {
        EXPECT_FALSE(canvas.CreateSurface(bad.cx, bad.cy)) << bad.cx << " x " << bad.cy;
        EXPECT_EQ(canvas.GetHandle(), nullptr);
        EXPECT_EQ(canvas.Width(), 0);
    }
    Canvas like;
    ASSERT_TRUE(canvas.CreateSurface(5, 7));
    EXPECT_TRUE(like.CreateSurfaceLike(canvas));
    EXPECT_EQ(like.Width(), 5);
    EXPECT_EQ(like.Height(), 7);
}

TEST_F(CanvasTest, StretchBltFromAnotherCanvasScalesEachPixel) {
    const Canvas source = Quarters();
    Canvas target = Filled(4, 4, kWhite);
    ASSERT_TRUE(target.StretchBlt(0, 0, 4, 4, source, 0, 0, 2, 2));
    EXPECT_EQ(Row(target, 0), (std::vector<COLORREF>{kRed, kRed, kGreen, kGreen}));
    EXPECT_EQ(Row(target, 1), (std::vector<COLORREF>{kRed, kRed, kGreen, kGreen}));
    EXPECT_EQ(Row(target, 3), (std::vector<COLORREF>{kBlue, kBlue, kKey, kKey}));

    ASSERT_TRUE(target.StretchBlt(1, 1, 2, 2, source, 0, 0, 1, 1)) << "one source pixel, two by two";
    EXPECT_EQ(Row(target, 2), (std::vector<COLORREF>{kBlue, kRed, kRed, kKey}));
    EXPECT_TRUE(target.StretchBlt(0, 0, 4, 4, source.GetHandle(), 0, 0, 2, 2)) << "the raw DC form";
}

TEST_F(CanvasTest, TransparentBltFromAnotherCanvasLeavesTheKeyColourOut) {
    const Canvas source = Quarters();
    Canvas target = Filled(4, 2, kWhite);
    ASSERT_TRUE(target.TransparentBlt(0, 0, 4, 2, source, 0, 0, 2, 2, kKey));
    EXPECT_EQ(Row(target, 0), (std::vector<COLORREF>{kRed, kRed, kGreen, kGreen})) << "stretched like StretchBlt";
    EXPECT_EQ(Row(target, 1), (std::vector<COLORREF>{kBlue, kBlue, kWhite, kWhite})) << "the key pixel is not copied";

    Canvas unchanged = Filled(2, 2, kWhite);
    ASSERT_TRUE(unchanged.TransparentBlt(0, 0, 2, 2, source, 1, 1, 1, 1, kKey));
    EXPECT_EQ(Row(unchanged, 0), (std::vector<COLORREF>{kWhite, kWhite}));
}

TEST_F(CanvasTest, BitBltAlphaBlendAndTheCopyThroughASurface) {
    const Canvas source = Quarters();
    Canvas target = Filled(2, 2, kWhite);
    ASSERT_TRUE(target.BitBlt(0, 0, 2, 2, source, 0, 0));
    EXPECT_EQ(Row(target, 1), (std::vector<COLORREF>{kBlue, kKey}));

    Canvas black = Filled(2, 2, RGB(0, 0, 0));
    Canvas white = Filled(2, 2, kWhite);
    ASSERT_TRUE(white.AlphaBlend(0, 0, 2, 2, black, 128, false));
    const COLORREF half = white.GetPixel(0, 0);
    EXPECT_NEAR(GetRValue(half), 127, 1) << "constant alpha 128: halfway";
    EXPECT_EQ(GetRValue(half), GetBValue(half));

    Canvas copy = Filled(2, 2, kWhite);
    ASSERT_TRUE(copy.CopyThroughSurface(source));
    EXPECT_EQ(Row(copy, 0), (std::vector<COLORREF>{kRed, kGreen}));
}

TEST_F(CanvasTest, ABorrowedWindowDcIsGivenBackNotDeleted) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    Canvas canvas;
    ASSERT_TRUE(canvas.AttachWindowDC(window));
    const RECT rect = canvas.GetWindowRect();
    EXPECT_EQ(rect.right - rect.left, 40);
    canvas.Release();
    EXPECT_EQ(canvas.GetHandle(), nullptr);
    EXPECT_TRUE(canvas.AttachWindowDC(window, true)) << "the window DC can be taken again";
    canvas.Release();
    ::DestroyWindow(window);

    Canvas empty;
    EXPECT_FALSE(empty.AttachWindowDC(nullptr)) << "no window: no DC, not the screen's";
    EXPECT_FALSE(empty.AttachWindowDC(window)) << "a destroyed window";
    EXPECT_EQ(empty.GetHandle(), nullptr);
}


// The compound copies go through a snapshot of the source first, so a
// canvas copies onto itself as if from an untouched copy: the 4 x 2 rows
// shifted and scaled onto themselves come out as from a separate source.
TEST_F(CanvasTest, CompoundCopiesDrawFromASnapshotOfTheirSource) {
    // Two rows: red, green, blue, white on top; the key colour, red, green,
    // blue below.
    const auto stripes = [] {
        Canvas canvas = Filled(4, 2, kWhite);
        const COLORREF top[] = {kRed, kGreen, kBlue, kWhite}, bottom[] = {kKey, kRed, kGreen, kBlue};
        for (int x = 0; x < 4; ++x) canvas.SetPixel(x, 0, top[x]), canvas.SetPixel(x, 1, bottom[x]);
        return canvas;
    };
    {
        Canvas canvas = stripes();
        ASSERT_TRUE(canvas.CopyThroughSurfaceStretched(canvas, 1, 0, 4, 2)) << "onto itself, one pixel right";
        EXPECT_EQ(Row(canvas, 0), (std::vector<COLORREF>{kRed, kRed, kGreen, kBlue}));
        EXPECT_EQ(Row(canvas, 1), (std::vector<COLORREF>{kKey, kKey, kRed, kGreen}));
        ASSERT_TRUE(canvas.CopyThroughSurfaceStretched(Quarters(), 0, 0, 4, 2)) << "another canvas, twice as wide";
        EXPECT_EQ(Row(canvas, 0), (std::vector<COLORREF>{kRed, kRed, kGreen, kGreen}));
        EXPECT_EQ(Row(canvas, 1), (std::vector<COLORREF>{kBlue, kBlue, kKey, kKey}));
    }
    {
        Canvas canvas = stripes();
        ASSERT_TRUE(canvas.CopyThroughSurfaceTransparent(canvas, 1, 0, 4, 2, kKey)) << "onto itself, one pixel right";
        EXPECT_EQ(Row(canvas, 0), (std::vector<COLORREF>{kRed, kRed, kGreen, kBlue}));
        EXPECT_EQ(Row(canvas, 1), (std::vector<COLORREF>{kKey, kRed, kRed, kGreen}))
            << "the key colour is left out: what was there stays";
    }
    {
        Canvas canvas = stripes();
        Canvas black = Filled(4, 2, RGB(0, 0, 0));
        ASSERT_TRUE(canvas.CopyThroughSurfaceBlended(black, 0, 0, 4, 2, 128, false));
        EXPECT_NEAR(GetRValue(canvas.GetPixel(0, 0)), 127, 1) << "red halfway to black";
        EXPECT_EQ(GetGValue(canvas.GetPixel(0, 0)), 0);
        EXPECT_NEAR(GetBValue(canvas.GetPixel(3, 0)), 127, 1) << "white halfway to black";
        Canvas self = stripes();
        ASSERT_TRUE(self.CopyThroughSurfaceBlended(self, 1, 0, 4, 2, 255, false)) << "onto itself, shifted";
        EXPECT_EQ(Row(self, 0), (std::vector<COLORREF>{kRed, kRed, kGreen, kBlue}));
    }

    Canvas target = Filled(2, 2, kWhite), none;
    EXPECT_FALSE(target.CopyThroughSurfaceStretched(none, 0, 0, 2, 2)) << "a source without a surface";
    EXPECT_FALSE(none.CopyThroughSurfaceTransparent(target, 0, 0, 2, 2, kKey)) << "a target without one";
    EXPECT_FALSE(target.CopyThroughSurfaceBlended(target, 0, 0, 0, 2, 255, false)) << "an empty size";
    EXPECT_FALSE(target.CopyThroughSurfaceStretched(target, 0, 0, 2, -1));
    EXPECT_EQ(Row(target, 0), (std::vector<COLORREF>{kWhite, kWhite})) << "nothing drawn";
}

TEST_F(CanvasTest, TheSelectedPenBrushAndFontAreDescribed) {
    Canvas canvas = Filled(3, 2, kWhite);
    BITMAP bitmap{};
    EXPECT_EQ(canvas.GetCurrentObject(OBJ_BITMAP, &bitmap, sizeof(bitmap)), static_cast<int>(sizeof(bitmap)));
    EXPECT_EQ(bitmap.bmWidth, 3);
    EXPECT_EQ(bitmap.bmHeight, 2);
    EXPECT_EQ(bitmap.bmBitsPixel, 32);
    EXPECT_EQ(canvas.GetCurrentObject(OBJ_FONT, nullptr, 0), static_cast<int>(sizeof(LOGFONTA))) << "the size needed";

    struct GdiObject {
        HGDIOBJ object;
        ~GdiObject() { ::DeleteObject(object); }
    };
    const GdiObject dashed{::CreatePen(PS_DASH, 1, RGB(1, 2, 3))};
    const LOGBRUSH wideBrush{BS_SOLID, RGB(4, 5, 6), 0};
    const GdiObject wide{::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 5, &wideBrush, 0, nullptr)};
    const GdiObject hatched{::CreateHatchBrush(HS_CROSS, RGB(7, 8, 9))};
    const GdiObject font{::CreateFontA(-13, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial")};

    const HGDIOBJ oldPen = canvas.SelectObject(dashed.object);
    auto pen = canvas.CurrentPen();
    ASSERT_TRUE(pen);
    EXPECT_EQ(pen->lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(pen->lopnColor, RGB(1, 2, 3));
    canvas.SelectObject(wide.object);
    pen = canvas.CurrentPen();
    ASSERT_TRUE(pen) << "an extended pen";
    EXPECT_EQ(pen->lopnWidth.x, 5);
    EXPECT_EQ(pen->lopnColor, RGB(4, 5, 6));
    EXPECT_EQ(pen->lopnStyle & PS_TYPE_MASK, static_cast<UINT>(PS_GEOMETRIC));
    // The pen it says it has is the one it draws with.
    canvas.MoveTo(0, 1);
    canvas.LineTo(3, 1);
    EXPECT_EQ(canvas.GetPixel(1, 1), RGB(4, 5, 6));
    canvas.SelectObject(oldPen);

    const HGDIOBJ oldBrush = canvas.SelectObject(hatched.object);
    const auto brush = canvas.CurrentBrush();
    ASSERT_TRUE(brush);
    EXPECT_EQ(brush->lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(brush->lbColor, RGB(7, 8, 9));
    EXPECT_EQ(brush->lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    canvas.SelectObject(oldBrush);

    const HGDIOBJ oldFont = canvas.SelectObject(font.object);
    const auto described = canvas.CurrentFont();
    ASSERT_TRUE(described);
    EXPECT_EQ(described->lfHeight, -13);
    EXPECT_EQ(described->lfWeight, FW_BOLD);
    EXPECT_TRUE(described->lfItalic);
    EXPECT_STREQ(described->lfFaceName, "Arial");
    canvas.SelectObject(oldFont);
    EXPECT_NE(canvas.CurrentFont()->lfHeight, -13) << "the one selected now, not the last one seen";

    const Canvas none;
    EXPECT_FALSE(none.CurrentPen());
    EXPECT_FALSE(none.CurrentBrush());
    EXPECT_FALSE(none.CurrentFont());
    EXPECT_EQ(none.GetCurrentObject(OBJ_BITMAP, &bitmap, sizeof(bitmap)), 0);
}

}  // namespace
}  // namespace lirvo
