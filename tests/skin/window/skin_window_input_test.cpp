#include "skin/window/skin_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "skin/core/toolkit.h"
#include "skin/window/frame_presented.h"
#include "tests/support/keep_alive_window.h"

namespace lirvo {
namespace {

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class SkinWindowInputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::KeepOneSkinWindowAlive(); }

    std::unique_ptr<SkinWindow> MakeWindow(SkinWindow::CreateArgs args) {
        auto window = std::make_unique<SkinWindow>();
        window->Create(args);
        // Records every message before the window handles it; system commands
        // are kept from starting the system's modal sizing loops.
        window->SetHandlers(std::nullopt, [this](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
            seen_.push_back({message, wParam});
            if (message == WM_SYSCOMMAND && blockSystemCommands_) {
                result = 0;
                return true;
            }
            return false;
        });
        return window;
    }

    int Count(UINT message, std::optional<WPARAM> wParam = std::nullopt) const {
        int count = 0;
        for (const auto& m : seen_)
            if (m.message == message && (!wParam || m.wParam == *wParam)) ++count;
        return count;
    }

    struct Seen {
        UINT message;
        WPARAM wParam;
    };
    std::vector<Seen> seen_;
    bool blockSystemCommands_ = true;
};

TEST_F(SkinWindowInputTest, EdgePressStartsResizingWithTheZonesCursor) {
    auto window = MakeWindow({.bounds = Rect{100, 100, 300, 200}, .style = 0});
    window->Resizable(true);
    ::SendMessageW(window->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 100));
    EXPECT_EQ(Count(WM_SYSCOMMAND, SC_SIZE | WMSZ_LEFT), 1) << "0xF001: left-edge sizing";
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_SIZEWE));

    const struct {
        int x, y, zone;
    } points[] = {
        {3, 3, 1},     {150, 2, 2},  {296, 4, 3},   {298, 100, 4}, {297, 197, 5},
        {150, 198, 6}, {4, 196, 7},  {2, 100, 8},   {150, 100, 0}, {10, 10, 0},
    };
    for (const auto& p : points) EXPECT_EQ(window->UpdateResizeCursor(p.x, p.y), p.zone) << p.x << "," << p.y;

    window->Resizable(false);
    for (const auto& p : points) EXPECT_EQ(window->UpdateResizeCursor(p.x, p.y), 0) << "not resizable";
}

TEST_F(SkinWindowInputTest, CaptionPressHandsTheMoveToTheSystem) {
    auto window = MakeWindow({.title = MakeWideText("LirvoPDF阅读器"), .bounds = Rect{100, 100, 300, 200}, .style = 0});
    ASSERT_GT(window->CaptionRect().height, 8);
    ::SendMessageW(window->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(40, 6));
    EXPECT_EQ(Count(WM_NCLBUTTONDOWN, HTCAPTION), 1);

    window->Movable(false);
    seen_.clear();
    ::SendMessageW(window->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(40, 6));
    EXPECT_EQ(Count(WM_NCLBUTTONDOWN), 0) << "a window that is not movable stays";

    // Drag-anywhere moves from any free spot, never from the caption buttons.
    auto anywhere = MakeWindow({.bounds = Rect{100, 100, 300, 200}, .style = window_style::kCaptionButtons,
                                .dragAnywhere = true});
    seen_.clear();
    ::SendMessageW(anywhere->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(150, 150));
    EXPECT_EQ(Count(WM_NCLBUTTONDOWN, HTCAPTION), 1);
    seen_.clear();
    const Rect close = anywhere->CaptionButtons()[0].rect;
    ::SendMessageW(anywhere->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(close.left + 5, close.top + 5));
    EXPECT_EQ(Count(WM_NCLBUTTONDOWN), 0);
    ::SendMessageW(anywhere->GetHandle(), WM_LBUTTONUP, 0, Point(close.left + 5, close.top + 5));
}

TEST_F(SkinWindowInputTest, DoubleClickMaximisesAndRestores) {
    auto window = MakeWindow({.title = MakeWideText("标题"), .bounds = Rect{100, 80, 300, 200},
                              .style = window_style::kCaptionButtons | window_style::kMaximiseButton});
    window->DoubleClickMaximise(true);
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);

    ::SendMessageW(window->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(30, 6));
    EXPECT_TRUE(window->Maximised());
    EXPECT_EQ(window->CaptionButtons()[1].kind, kCaptionRestore) << "maximise turns into restore";
    EXPECT_EQ(window->GetLeft(), 0);
    EXPECT_EQ(window->GetTop(), 0);
    // Without a task bar the window covers the desktop, one pixel larger each way.
    EXPECT_EQ(window->GetWidth(), desktop.right - desktop.left + 1);
    EXPECT_GE(window->GetHeight(), (desktop.bottom - desktop.top) / 2);
    EXPECT_EQ(window->MainSurface().Width(), window->GetWidth()) << "the surfaces follow the size";

    ::SendMessageW(window->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(30, 6));
    EXPECT_FALSE(window->Maximised());
    EXPECT_EQ(window->CaptionButtons()[1].kind, kCaptionMaximise);
    EXPECT_EQ(window->GetWidth(), 300);
    EXPECT_EQ(window->GetLeft(), 100);

    window->Resizable(true);
    ::SendMessageW(window->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(30, 6));
    EXPECT_FALSE(window->Maximised()) << "resizable windows do not maximise on a double-click";
}

TEST_F(SkinWindowInputTest, CaptionClickNeedsPressAndReleaseOnTheSameButton) {
    using namespace window_style;
    auto window = MakeWindow({.bounds = Rect{100, 100, 300, 200}, .style = kCaptionButtons | kMinimiseButton});
    std::vector<std::int32_t> events;
    window->SetHandlers([&](SkinWindow&, std::int32_t code) {
        events.push_back(code);
        return true;  // handled: the window stays as it is
    });
    HWND handle = window->GetHandle();
    const Rect close = window->CaptionButtons()[0].rect;
    const Rect minimise = window->CaptionButtons()[1].rect;
    const LPARAM onClose = Point(close.left + 10, close.top + 10);
    const LPARAM onMinimise = Point(minimise.left + 10, minimise.top + 10);

    ::SendMessageW(handle, WM_MOUSEMOVE, 0, onClose);
    EXPECT_EQ(window->CaptionButtons()[0].state, 2) << "hot under the pointer";
    ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, onClose);
    EXPECT_EQ(window->CaptionButtons()[0].state, 3);
    ::SendMessageW(handle, WM_MOUSEMOVE, MK_LBUTTON, Point(150, 150));
    EXPECT_EQ(window->CaptionButtons()[0].state, 1) << "leaving the buttons resets them";
    ::SendMessageW(handle, WM_LBUTTONUP, 0, Point(150, 150));
    EXPECT_TRUE(events.empty()) << "pressed on close, released elsewhere";

    ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, onClose);
    ::SendMessageW(handle, WM_LBUTTONUP, 0, onMinimise);
    EXPECT_TRUE(events.empty()) << "pressed on close, released on minimise";

    ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, onMinimise);
    ::SendMessageW(handle, WM_LBUTTONUP, 0, onMinimise);
    ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, onClose);
    ::SendMessageW(handle, WM_LBUTTONUP, 0, onClose);
    EXPECT_EQ(events, (std::vector<std::int32_t>{kCaptionMinimise, kCaptionClose}));
    EXPECT_TRUE(::IsWindow(handle)) << "a handler that handles code 1 keeps the window open";
    EXPECT_EQ(window->CaptionButtons()[0].state, 2) << "hot after the click";

    ::SendMessageW(handle, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(window->CaptionButtons()[0].state, 1);
}

TEST_F(SkinWindowInputTest, CloseButtonClosesWithoutAHandler) {
    auto window = MakeWindow({.style = window_style::kCaptionButtons});
    HWND handle = window->GetHandle();
    const Rect close = window->CaptionButtons()[0].rect;
    ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, Point(close.left + 10, close.top + 10));
    ::SendMessageW(handle, WM_LBUTTONUP, 0, Point(close.left + 10, close.top + 10));
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(window->GetHandle(), nullptr);
}

TEST_F(SkinWindowInputTest, CloseEffectRunsItsFramesBeforeWmCloseReturns) {
    auto window = MakeWindow({.bounds = Rect{200, 200, 200, 120}, .style = 0});
    window->Layered(true, true);
    window->Show(true);
    window->CloseEffect(kEffectFade, 16);
    HWND handle = window->GetHandle();
    ::SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(Count(WM_TIMER, kTransitionTimer), 26) << "the fade-out frames 245, 235, ..., 5, 0";
    EXPECT_FALSE(::IsWindow(handle)) << "then the window closes";
}

TEST_F(SkinWindowInputTest, EveryEffectRunsInAndOutAndRestoresTheRegion) {
    const struct {
        std::int32_t effect;
        int inFrames;
    } effects[] = {{1, 26}, {2, 13}, {3, 13}, {4, 26}, {5, 26}, {6, 15}, {7, 14}, {8, 10}, {9, 26}, {10, 26}};
    for (const auto& e : effects) {
        auto window = MakeWindow({.bounds = Rect{150, 150, 280, 140}, .style = 0,
                                  .frameStyle = static_cast<std::int32_t>(0xFF3060A0)});
        window->CornerRadius(8);
        window->Layered(true);
        window->ShowEffect(e.effect, 16);
        HWND handle = window->GetHandle();

        ::ShowWindow(handle, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(window->IsAnimating()) << e.effect;
        EXPECT_EQ(::GetWindowRgn(handle, ::CreateRectRgn(0, 0, 0, 0)), ERROR) << "no region while it runs";
        int frames = 0;
        while (window->IsAnimating() && frames < 200) {
            ::SendMessageW(handle, WM_TIMER, kTransitionTimer + 65536, 0);
            ++frames;
        }
        EXPECT_EQ(frames, e.inFrames) << "effect " << e.effect << " in";
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(::GetWindowRgn(handle, region), ERROR) << "effect " << e.effect << ": corner region restored";
        ::DeleteObject(region);
        // The last frame shows the window where it is, at full strength.
        EXPECT_EQ(window->Animator().LastFrame().rect, (Rect{150, 150, 280, 140})) << "effect " << e.effect;
        EXPECT_EQ(window->Animator().LastFrame().alpha, 255) << "effect " << e.effect;

        // A hide runs its frames before Show returns, on the window still
        // shown: the first at once, the others with the timer.
        const int ticksBefore = Count(WM_TIMER, kTransitionTimer);
        EXPECT_FALSE(window->Show(false)) << "effect " << e.effect;
        EXPECT_FALSE(window->IsAnimating()) << "effect " << e.effect << " out completes";
        frames = 1 + Count(WM_TIMER, kTransitionTimer) - ticksBefore;
        EXPECT_LT(frames, 200) << "effect " << e.effect;
        EXPECT_GT(frames, 1) << "effect " << e.effect;
        EXPECT_NE(::GetWindowRgn(handle, region = ::CreateRectRgn(0, 0, 0, 0)), ERROR);
        ::DeleteObject(region);
    }
}

// The frames a hide puts up, which all run inside Show(false).
const SkinWindow* recordedWindow = nullptr;
std::vector<TransitionAnimator::PushedFrame> recordedFrames;
void RecordFrame(HWND presented) {
    if (recordedWindow && presented == recordedWindow->GetHandle())
        recordedFrames.push_back(recordedWindow->Animator().LastFrame());
}

// Frames of one transition. In: `frames` timer ticks after the window is
// shown. Out: a hide, whose `frames`-th frame is the one kept.
struct FrameCourse {
    std::unique_ptr<SkinWindow> window;
    std::optional<TransitionAnimator::PushedFrame> outFrame;
    void Run(bool in, int frames) {
        HWND handle = window->GetHandle();
        outFrame.reset();
        if (in) {
            ::ShowWindow(handle, SW_SHOWNOACTIVATE);
            for (int i = 0; i < frames && window->IsAnimating(); ++i)
                ::SendMessageW(handle, WM_TIMER, kTransitionTimer + 65536, 0);
            return;
        }
        recordedWindow = window.get();
        recordedFrames.clear();
        SetFramePresentedHook(RecordFrame);
        window->Show(false);
        SetFramePresentedHook(nullptr);
        recordedWindow = nullptr;
        if (frames >= 1 && static_cast<std::size_t>(frames) <= recordedFrames.size()) outFrame = recordedFrames[frames - 1];
    }
    TransitionAnimator::PushedFrame Last() const { return outFrame.value_or(window->Animator().LastFrame()); }
};

constexpr Rect kAnimated{150, 150, 280, 140};

TEST_F(SkinWindowInputTest, ZoomGrowsFromTheCentreAndShrinksBackIntoIt) {
    FrameCourse course{MakeWindow({.bounds = kAnimated, .style = 0})};
    course.window->Layered(true);
    course.window->ShowEffect(kEffectZoom, 16);

    // In: a tenth of each side more per frame; the alpha follows the height.
    course.Run(true, 3);
    EXPECT_EQ(course.Last().rect, (Rect{150 + 140 - 42, 150 + 70 - 21, 84, 42}));
    EXPECT_EQ(course.Last().alpha, 255 * 42 / 140);
    course.Run(true, 20);
    ASSERT_FALSE(course.window->IsAnimating());

    // Out: a tenth less per frame, about the same centre.
    course.Run(false, 2);
    EXPECT_EQ(course.Last().rect, (Rect{150 + 140 - 112, 150 + 70 - 56, 224, 112}));
    EXPECT_EQ(course.Last().alpha, 255 * 112 / 140);
}

// The pixels of the DIB section selected into a memory DC, bottom-up.
const std::uint32_t* DibBits(HDC dc) {
    DIBSECTION section{};
    if (!::GetObjectW(::GetCurrentObject(dc, OBJ_BITMAP), sizeof(section), &section)) return nullptr;
    return static_cast<const std::uint32_t*>(section.dsBm.bmBits);
}

// A GDI+ bitmap over bottom-up premultiplied pixels, as the frames are drawn.
GdipBitmap WrapBits(const std::uint32_t* bits, int width, int height) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    auto* topRow = reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(bits) + (height - 1) * width);
    gdip::GdipCreateBitmapFromScan0(width, height, -width * 4, PixelFormat32bppPARGB, topRow, &bitmap);
    return GdipBitmap(bitmap);
}

using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)>;

// A bare layered window for the animator to push frames to, at (40, 40).
OwnedWindow BareLayeredWindow(int width, int height) {
    return OwnedWindow(::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 40, 40, width,
                                         height, nullptr, nullptr, nullptr, nullptr),
                       &::DestroyWindow);
}

// Each zoom frame is the snapshot drawn at the frame's size onto nothing,
// whatever the frames before it left on the canvas: growing and shrinking,
// over a picture with see-through parts.
TEST_F(SkinWindowInputTest, EveryZoomFrameIsTheSnapshotDrawnAfreshAtItsSize) {
    constexpr int kWidth = 120, kHeight = 80;
    const OwnedWindow owned = BareLayeredWindow(kWidth, kHeight);
    const HWND window = owned.get();
    ASSERT_TRUE(window);
    std::vector<std::uint32_t> rows(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t alpha = (x * 255 / (kWidth - 1) + y) & 0xFF, grey = alpha * ((x ^ y) & 0xFF) / 255;
            rows[y * kWidth + x] = alpha << 24 | grey << 16 | (alpha - grey) << 8 | grey / 2;
        }
    Surface picture(kWidth, kHeight);
    picture.StoreRows(reinterpret_cast<const std::uint8_t*>(rows.data()), kWidth * 4);

    TransitionAnimator animator;
    animator.Begin(window, picture.Dc(), 255, true);
    const GdipBitmap snapshot = WrapBits(DibBits(animator.SnapshotDc()), kWidth, kHeight);
    Surface expected(kWidth, kHeight);
    const GdipBitmap expectedImage = WrapBits(DibBits(expected.Dc()), kWidth, kHeight);
    Gdiplus::GpGraphics* raw = nullptr;
    gdip::GdipGetImageGraphicsContext(expectedImage.get(), &raw);
    const GdipGraphics graphics(raw);
    gdip::GdipSetInterpolationMode(raw, Gdiplus::InterpolationModeBilinear);
    gdip::GdipSetPixelOffsetMode(raw, Gdiplus::PixelOffsetModeHalf);

    for (const bool in : {true, false}) {
        std::int32_t height = 0, width = 0;
        int frames = 0;
        for (bool done = false; !done && frames < 20; ++frames) {
            done = animator.Frame(kEffectZoom, in, height, width);
            const Rect pushed = animator.LastFrame().rect;
            if (pushed.width <= 0 || pushed.height <= 0) continue;
            gdip::GdipGraphicsClear(raw, 0);
            gdip::GdipDrawImageRectI(raw, snapshot.get(), 0, 0, pushed.width, pushed.height);
            gdip::GdipFlush(raw, Gdiplus::FlushIntentionSync);
            const std::uint32_t* drawn = DibBits(animator.WorkDc());
            const std::uint32_t* wanted = DibBits(expected.Dc());
            ASSERT_TRUE(drawn && wanted);
            int differing = 0;
            for (int y = 0; y < pushed.height; ++y)
                for (int x = 0; x < pushed.width; ++x) {
                    const int at = (kHeight - 1 - y) * kWidth + x;
                    differing += drawn[at] != wanted[at];
                }
            EXPECT_EQ(differing, 0) << (in ? "in" : "out") << ", frame " << frames << " of " << pushed.width << " x "
                                    << pushed.height;
        }
        EXPECT_EQ(frames, 10) << (in ? "in" : "out");
    }
    animator.Release();
}

// A pop frame is the snapshot scaled to the frame's size as GDI+ scales it
// (bilinear, pixel centres on pixel centres): drawn from the snapshot's
// pixels directly, it may differ by rounding, not by what it shows.
TEST_F(SkinWindowInputTest, PopFramesAreTheSnapshotScaledAsGdiplusScalesIt) {
    constexpr int kWidth = 120, kHeight = 80;
    const OwnedWindow owned = BareLayeredWindow(kWidth, kHeight);
    ASSERT_TRUE(owned);
    std::vector<std::uint32_t> rows(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            // Shades that rise and fall by 7 from one pixel to the next
            // without a jump: a frame a pixel off differs by more than the
            // rounding of two ways of scaling does.
            const auto wave = [](int at) { return static_cast<std::uint32_t>(std::abs(at % 64 - 32) * 7); };
            const std::uint32_t alpha = 255 - wave(x + y) / 2;
            rows[y * kWidth + x] = alpha << 24 | wave(x) * alpha / 255 << 16 | wave(y) * alpha / 255 << 8 | alpha / 2;
        }
    Surface picture(kWidth, kHeight);
    picture.StoreRows(reinterpret_cast<const std::uint8_t*>(rows.data()), kWidth * 4);
    TransitionAnimator animator;
    animator.Begin(owned.get(), picture.Dc(), 255, true);
    const GdipBitmap snapshot = WrapBits(DibBits(animator.SnapshotDc()), kWidth, kHeight);
    constexpr int kMost = kWidth + 20, kMostHeight = kHeight + 20;
    Surface expected(kMost, kMostHeight);
    const GdipBitmap expectedImage = WrapBits(DibBits(expected.Dc()), kMost, kMostHeight);
    Gdiplus::GpGraphics* raw = nullptr;
    gdip::GdipGetImageGraphicsContext(expectedImage.get(), &raw);
    const GdipGraphics graphics(raw);
    gdip::GdipSetInterpolationMode(raw, Gdiplus::InterpolationModeBilinear);
    gdip::GdipSetPixelOffsetMode(raw, Gdiplus::PixelOffsetModeHalf);

    std::int32_t growth = 0, phase = 0;
    int frames = 0;
    for (bool done = false; !done && frames < 40; ++frames) {
        done = animator.Frame(kEffectPop, true, growth, phase);
        if (done) break;  // the canvas goes with the last frame
        const Rect pushed = animator.LastFrame().rect;
        gdip::GdipGraphicsClear(raw, 0);
        gdip::GdipDrawImageRectI(raw, snapshot.get(), 0, 0, pushed.width, pushed.height);
        gdip::GdipFlush(raw, Gdiplus::FlushIntentionSync);
        const std::uint32_t* drawn = DibBits(animator.WorkDc());
        ASSERT_TRUE(drawn);
        const std::uint32_t* wanted = DibBits(expected.Dc());
        int differing = 0;
        // The outermost pixels mix the picture with what lies beyond it,
        // which GDI+ takes as it likes: they are left out.
        for (int y = 1; y < pushed.height - 1; ++y)
            for (int x = 1; x < pushed.width - 1; ++x) {
                const std::uint32_t a = drawn[(kMostHeight - 1 - y) * kMost + x], b = wanted[(kMostHeight - 1 - y) * kMost + x];
                for (int shift = 0; shift < 32; shift += 8)
                    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > 4) {
                        ++differing;
                        break;
                    }
            }
        EXPECT_EQ(differing, 0) << "frame " << frames << " of " << pushed.width << " x " << pushed.height;
    }
    animator.Release();
}

// A flipping window is one plane seen in perspective: across the direction
// it turns in, the picture runs from its one edge to its other once, in
// order, and every line across the axis is one run centred on the axis.
// The picture here shades from black at its first edge to full red at its
// last, along the direction that turns, inside an outline without green, as
// a window's frame (one pixel wide at the top and left, two at the other
// edges, which the turn draws narrower); every frame of both flips, in and out, must
// show that shade rising from one end of the plane to the other, the
// outline at the two ends only, and nothing else.
TEST_F(SkinWindowInputTest, FlipFramesShowThePlaneOnceFromEdgeToEdge) {
    constexpr int kWidth = 360, kHeight = 236;
    const OwnedWindow owned = BareLayeredWindow(kWidth, kHeight);
    ASSERT_TRUE(owned);

    for (const std::int32_t effect : {kEffectFlipVertical, kEffectFlipHorizontal}) {
        const bool alongX = effect == kEffectFlipVertical;  // the plane turns about the vertical axis
        const int along = alongX ? kWidth : kHeight;
        std::vector<std::uint32_t> rows(kWidth * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const bool outline = x < 1 || y < 1 || x >= kWidth - 2 || y >= kHeight - 2;
                rows[y * kWidth + x] =
                    0xFF000000u | ((alongX ? x : y) * 255 / (along - 1)) << 16 | (outline ? 0 : 0xFF00u);
            }
        Surface picture(kWidth, kHeight);
        picture.StoreRows(reinterpret_cast<const std::uint8_t*>(rows.data()), kWidth * 4);
        // The frames before moved and sized the window.
        ::SetWindowPos(owned.get(), nullptr, 40, 40, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        TransitionAnimator animator;
        animator.Begin(owned.get(), picture.Dc(), 255, true);

        for (const bool in : {true, false}) {
            std::int32_t progress = 0, counter = 0;
            int frames = 0;
            for (bool done = false; !done && frames < 60; ++frames) {
                done = animator.Frame(effect, in, progress, counter);
                const Rect pushed = animator.LastFrame().rect;
                DIBSECTION section{};
                if (!::GetObjectW(::GetCurrentObject(animator.WorkDc(), OBJ_BITMAP), sizeof(section), &section) ||
                    section.dsBm.bmWidth != pushed.width || section.dsBm.bmHeight != pushed.height)
                    continue;  // not a frame of the work canvas: the window itself
                const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
                // A pixel of the frame, top-down, with i along the turning
                // direction and j across it.
                const auto at = [&](int i, int j) {
                    const int x = alongX ? i : j, y = alongX ? j : i;
                    return bits[(pushed.height - 1 - y) * pushed.width + x];
                };
                const int lines = alongX ? pushed.width : pushed.height;
                const int length = alongX ? pushed.height : pushed.width;
                const std::string where = std::string(alongX ? "flip 9" : "flip 10") + (in ? " in" : " out") +
                                          ", frame " + std::to_string(frames);
                int first = -1, last = -1, previousShade = -1, backwards = 0, offCentre = 0, outlines = 0;
                bool inOutline = false;
                std::vector<int> seeThrough;  // lines whose middle is not opaque
                for (int i = 0; i < lines; ++i) {
                    // The line's solid run: pixels at least half covered.
                    int top = -1, bottom = -1, gaps = 0;
                    for (int j = 0; j < length; ++j) {
                        if (at(i, j) >> 24 < 128) continue;
                        if (top < 0) top = j;
                        else if (j != bottom + 1) ++gaps;
                        bottom = j;
                    }
                    if (top < 0) continue;
                    EXPECT_EQ(gaps, 0) << where << ": line " << i << " is one run";
                    offCentre += std::abs(top + bottom + 1 - length) > 2;
                    if (first < 0) first = i;
                    last = i;
                    const std::uint32_t p = at(i, (top + bottom) / 2);
                    if (p >> 24 < 250) seeThrough.push_back(i);
                    const bool outline = (p >> 8 & 0xFF) < (p >> 24) / 2;
                    outlines += outline && !inOutline;
                    inOutline = outline;
                    const int shade = static_cast<int>((p >> 16 & 0xFF) * 255 / (p >> 24));
                    backwards += shade + 3 < previousShade;
                    previousShade = shade;
                }
                EXPECT_EQ(offCentre, 0) << where << ": every run centred on the axis";
                // Only the plane's two edges may be part covered: the picture is opaque.
                const auto inside = [&](int i) { return i > first + 1 && i < last - 1; };
                const auto seams = std::count_if(seeThrough.begin(), seeThrough.end(), inside);
                EXPECT_EQ(seams, 0) << where << ": lines see-through inside the plane, the first at "
                                    << (seams ? *std::find_if(seeThrough.begin(), seeThrough.end(), inside) - first : 0)
                                    << " from its edge, of " << last - first;
                EXPECT_EQ(backwards, 0) << where << ": the shade rises from edge to edge and never starts again";
                EXPECT_LE(outlines, 2) << where << ": the outline shows at the plane's ends only";
                if (first < 0 || last - first < 20) continue;  // nearly edge-on
                // Turned well towards face-on, the far outline is too wide to
                // fall between two pixels: both show, the near one too, whether
                // or not it reaches beyond the window.
                if (last - first >= along * 9 / 10) {
                    EXPECT_EQ(outlines, 2) << where << ": the outline shows at both ends, none cut off";
                }
                const auto shadeAt = [&](int i) {
                    const std::uint32_t p = at(i, length / 2);
                    return p >> 24 ? static_cast<int>((p >> 16 & 0xFF) * 255 / (p >> 24)) : -1;
                };
                EXPECT_LT(shadeAt(first + 1), 40) << where << ": the picture's first edge shows";
                EXPECT_GT(shadeAt(last - 1), 215) << where << ": so does its last";
            }
            EXPECT_LT(frames, 60) << (in ? "in" : "out") << " completes";
        }
        animator.Release();
    }
}

int framesPresented = 0;

// Show puts the first frame of the show transition up before it returns, so
// the window starts appearing before the caller goes on to build the rest;
// the timer brings the others, and the course keeps its ten frames.
TEST_F(SkinWindowInputTest, ShowPutsUpTheFirstFrameOfItsTransitionAtOnce) {
    SetFramePresentedHook([](HWND) { ++framesPresented; });
    const struct Unhook {
        ~Unhook() { SetFramePresentedHook(nullptr); }
    } unhook;
    FrameCourse course{MakeWindow({.bounds = kAnimated, .style = 0})};
    course.window->Layered(true);
    course.window->ShowEffect(kEffectZoom, 16);
    const HWND handle = course.window->GetHandle();

    // Showing activates the window, as the system's showing does; only
    // after the first frame, which is what the user waits for.
    ::SetActiveWindow(nullptr);
    int framesAtActivation = -1;
    course.window->SetHandlers(std::nullopt, [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) framesAtActivation = framesPresented;
        return false;
    });
    framesPresented = 0;
    EXPECT_TRUE(course.window->Show(true));
    EXPECT_EQ(framesPresented, 1) << "one frame, before any timer tick";
    EXPECT_EQ(::GetActiveWindow(), handle);
    EXPECT_EQ(framesAtActivation, 1) << "activated once its first frame was up";
    EXPECT_EQ(course.Last().rect, (Rect{150 + 140 - 14, 150 + 70 - 7, 28, 14})) << "the first tenth of the zoom";
    EXPECT_EQ(course.Last().alpha, 255 * 14 / 140);
    // What the caller builds next is placed by the window's bounds: they
    // stay where the window stands, though the frames move and size it (and
    // a system may say so with WM_MOVE and WM_SIZE, as this one is made to).
    ::SetWindowPos(handle, nullptr, 262, 206, 56, 28, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((Rect{course.window->GetLeft(), course.window->GetTop(), course.window->GetWidth(),
                    course.window->GetHeight()}),
              kAnimated);
    int ticks = 0;
    while (course.window->IsAnimating() && ticks < 100) {
        ::SendMessageW(handle, WM_TIMER, kTransitionTimer + 65536, 0);
        ++ticks;
    }
    EXPECT_EQ(ticks, 9) << "the other nine frames come with the timer";
    EXPECT_EQ(course.Last().rect, kAnimated);
    RECT onScreen{};
    ::GetWindowRect(handle, &onScreen);
    EXPECT_EQ((Rect{onScreen.left, onScreen.top, onScreen.right - onScreen.left, onScreen.bottom - onScreen.top}),
              kAnimated);
    EXPECT_EQ(course.window->GetWidth(), 280);

    framesPresented = 0;
    course.window->Show(true);
    EXPECT_EQ(framesPresented, 0) << "a window already shown starts nothing";

    // Shown by the system's call, the window waits for the timer as before.
    ::ShowWindow(handle, SW_HIDE);
    while (course.window->IsAnimating()) ::SendMessageW(handle, WM_TIMER, kTransitionTimer, 0);
    framesPresented = 0;
    ::ShowWindow(handle, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(course.window->IsAnimating());
    EXPECT_EQ(framesPresented, 0);
}

TEST_F(SkinWindowInputTest, SlidesComeFromTheirSideAndLeaveTowardsIt) {
    const struct {
        std::int32_t effect;
        int step;
        int dx, dy;  // the side the window comes from and leaves to
    } slides[] = {
        {kEffectSlideLeft, 20, -1, 0},
        {kEffectSlideRight, 20, 1, 0},
        {kEffectSlideUp, 10, 0, -1},
        {kEffectSlideDown, 10, 0, 1},
    };
    for (const auto& s : slides) {
        FrameCourse course{MakeWindow({.bounds = kAnimated, .style = 0})};
        course.window->Layered(true);
        course.window->ShowEffect(s.effect, 16);

        course.Run(true, 1);
        const int comeFrom = (255 - s.step) * 40 / 255;
        EXPECT_EQ(course.Last().rect,
                  (Rect{kAnimated.left + s.dx * comeFrom, kAnimated.top + s.dy * comeFrom, 280, 140}))
            << "effect " << s.effect << ": first frame in";
        EXPECT_EQ(course.Last().alpha, s.step) << "effect " << s.effect;
        course.Run(true, 100);
        ASSERT_FALSE(course.window->IsAnimating());

        course.Run(false, 3);
        const int leaveBy = 3 * s.step * 40 / 255;
        EXPECT_EQ(course.Last().rect, (Rect{kAnimated.left + s.dx * leaveBy, kAnimated.top + s.dy * leaveBy, 280, 140}))
            << "effect " << s.effect << ": third frame out";
        EXPECT_EQ(course.Last().alpha, 255 - 3 * s.step) << "effect " << s.effect;
    }
}

TEST_F(SkinWindowInputTest, StopEffectEndsATransitionAtOnce) {
    auto window = MakeWindow({.style = 0});
    window->Layered(true);
    window->ShowEffect(kEffectZoom, 16);
    ::ShowWindow(window->GetHandle(), SW_SHOWNOACTIVATE);
    ASSERT_TRUE(window->IsAnimating());
    window->StopEffect(true);
    EXPECT_FALSE(window->IsAnimating());
    EXPECT_EQ(window->Animator().SnapshotDc(), nullptr);
}

TEST_F(SkinWindowInputTest, ToolTipHasOneToolOverItsRectangle) {
    auto window = MakeWindow({.style = 0});
    EXPECT_EQ(window->SetToolTip("安装到此文件夹", Rect{10, 20, 100, 30}), "安装到此文件夹");
    HWND tip = window->GetToolTip().Window();
    ASSERT_TRUE(tip);
    char className[64] = {};
    ::GetClassNameA(tip, className, sizeof(className));
    EXPECT_STREQ(className, "tooltips_class32");
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_TRUE(::GetWindowLongW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);

    window->SetToolTip("");
    EXPECT_FALSE(::IsWindow(tip)) << "an empty text removes the tooltip";
    EXPECT_EQ(window->GetToolTip().Window(), nullptr);
}

TEST_F(SkinWindowInputTest, HooksCanTakeOverAnyMessage) {
    auto window = std::make_unique<SkinWindow>();
    window->Create({.style = 0});
    int postCalls = 0;
    window->SetHandlers(
        std::nullopt,
        [](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
            if (message != WM_USER + 1) return false;
            result = 41;
            return true;
        },
        [&](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
            if (message != WM_USER + 2) return false;
            ++postCalls;
            result = 42;
            return true;
        });
    EXPECT_EQ(::SendMessageW(window->GetHandle(), WM_USER + 1, 0, 0), 41);
    EXPECT_EQ(::SendMessageW(window->GetHandle(), WM_USER + 2, 0, 0), 42);
    EXPECT_EQ(postCalls, 1);
    EXPECT_EQ(::SendMessageW(window->GetHandle(), WM_USER + 3, 0, 0), 0) << "the replaced procedure answers";
}

// A window whose memory is poisoned, never reused, once it is deleted: any
// read of its members after the delete finds garbage and shows the fault.
class PoisonedWhenDeleted : public SkinWindow {
public:
    static void operator delete(void* memory, std::size_t size) { std::memset(memory, 0xCD, size); }
};

TEST_F(SkinWindowInputTest, WindowMayBeDeletedFromItsOwnHandlerOrHook) {
    using namespace window_style;
    const struct {
        const char* from;
        UINT message;  // sent after a press on the button, or alone
        std::int32_t kind;
    } cases[] = {
        {"the handler of the close button", WM_LBUTTONUP, kCaptionClose},
        {"the handler of a button without an action", WM_LBUTTONUP, kCaptionButton5},
        {"the pre-hook", WM_USER + 7, 0},
    };
    for (const auto& c : cases) {
        std::unique_ptr<SkinWindow> window = std::make_unique<PoisonedWhenDeleted>();
        ASSERT_EQ(window->Create({.bounds = Rect{100, 100, 300, 200}, .style = kCaptionButtons | kButton5}), 1);
        HWND handle = window->GetHandle();
        bool deleted = false;
        int postHookCallsAfterDelete = 0;
        const auto deleteWindow = [&] {
            window.reset();
            deleted = true;
            return false;  // not handled: the window would go on with the message
        };
        window->SetHandlers([&](SkinWindow&, std::int32_t code) { return code == c.kind && deleteWindow(); },
                            [&](HWND, UINT message, WPARAM, LPARAM, LRESULT&) {
                                return message == WM_USER + 7 && deleteWindow();
                            },
                            [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) {
                                if (deleted) ++postHookCallsAfterDelete;
                                return false;
                            });
        if (c.message == WM_LBUTTONUP) {
            const auto& buttons = window->CaptionButtons();
            const auto button = std::find_if(buttons.begin(), buttons.end(), [&](auto& b) { return b.kind == c.kind; });
            const LPARAM on = Point(button->rect.left + 10, button->rect.top + 10);
            ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, on);
            ::SendMessageW(handle, WM_LBUTTONUP, 0, on);
        } else {
            ::SendMessageW(handle, c.message, 0, 0);
        }
        EXPECT_EQ(window, nullptr) << c.from;
        EXPECT_FALSE(::IsWindow(handle)) << c.from;
        EXPECT_EQ(postHookCallsAfterDelete, 0) << c.from << ": nothing of the deleted window runs";
        EXPECT_EQ(std::count(WindowList().begin(), WindowList().end(), handle), 0) << c.from;
    }
}

}  // namespace
}  // namespace lirvo
