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

}  // namespace
}  // namespace lirvo
