#include "skin/window/skin_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "skin/core/host_window_proc.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/shared_routines.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "skin/window/frame_presented.h"
#include "skin/window/shadow_frame.h"
#include "tests/support/child_process.h"
#include "tests/support/images.h"
#include "tests/support/keep_alive_window.h"
#include "tests/support/surface_pixels.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo {
namespace {

constexpr char kChildVariable[] = "LIRVO_LAST_WINDOW_CHILD";
constexpr char kUpdateRectChildVariable[] = "LIRVO_UPDATE_RECT_CHILD";
constexpr char kUpdateRectTargetVariable[] = "LIRVO_UPDATE_RECT_TARGET";

COLORREF PixelOf(HDC dc, int x, int y) { return ::GetPixel(dc, x, y); }

HDC PropertyDc(HWND window, const char* name) {
    return reinterpret_cast<HDC>(GetWindowProperty(window, name));
}

class SkinWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::KeepOneSkinWindowAlive(); }

    static std::unique_ptr<SkinWindow> MakeWindow(const SkinWindow::CreateArgs& args) {
        auto window = std::make_unique<SkinWindow>();
        EXPECT_EQ(window->Create(args), 1);
        return window;
    }
};

TEST_F(SkinWindowTest, DefaultSizeAndCentring) {
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    auto window = MakeWindow({});
    EXPECT_EQ(window->GetWidth(), 380);
    EXPECT_EQ(window->GetHeight(), 250);
    EXPECT_EQ(window->GetLeft(), (screenWidth - 380) / 2) << "the default style centres";
    EXPECT_EQ(window->GetTop(), (screenHeight - 250) / 2);
    EXPECT_EQ(window->GetRight(), window->GetLeft() + 380);
    EXPECT_EQ(window->GetBottom(), window->GetTop() + 250);

    auto odd = MakeWindow({.bounds = Rect{5, 6, 381, 251}, .style = window_style::kCentre});
    EXPECT_EQ(odd->GetLeft(), (screenWidth - 381) / 2) << "integer truncation";
    EXPECT_EQ(odd->GetTop(), (screenHeight - 251) / 2);

    auto placed = MakeWindow({.bounds = Rect{40, 50, 200, 120}, .style = 0});
    EXPECT_EQ(placed->GetLeft(), 40);
    EXPECT_EQ(placed->GetTop(), 50);
    EXPECT_EQ(placed->GetWidth(), 200);
    placed->Move(60, std::nullopt, 220);
    EXPECT_EQ(placed->GetLeft(), 60);
    EXPECT_EQ(placed->GetTop(), 50) << "a value not given keeps the current one";
    EXPECT_EQ(placed->GetWidth(), 220);
    EXPECT_EQ(placed->MainSurface().Width(), 220) << "WM_SIZE rebuilds the surfaces";
}

TEST_F(SkinWindowTest, CaptionButtonsSitRightToLeftAtTheTopRight) {
    using namespace window_style;
    const struct {
        std::int32_t style;
        std::vector<std::int32_t> kinds;
    } cases[] = {
        {kCaptionButtons | kMaximiseButton | kMinimiseButton, {kCaptionClose, kCaptionMaximise, kCaptionMinimise}},
        {kCaptionButtons, {kCaptionClose}},
        {kMaximiseButton | kMinimiseButton, {}},  // without bit 2 there are no buttons
        {kCaptionButtons | kButton7 | kButton5 | kMinimiseButton,
         {kCaptionClose, kCaptionMinimise, kCaptionButton5, kCaptionButton7}},
    };
    for (const auto& c : cases) {
        auto window = MakeWindow({.style = c.style});
        std::vector<std::int32_t> kinds;
        for (const auto& button : window->CaptionButtons()) kinds.push_back(button.kind);
        EXPECT_EQ(kinds, c.kinds) << "style " << c.style;
    }

    auto window = MakeWindow({.style = kCaptionButtons | kMaximiseButton | kMinimiseButton});
    const auto& buttons = window->CaptionButtons();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].rect, (Rect{380 - 39, 0, 39, 20})) << "close, flush right";
    EXPECT_EQ(buttons[1].rect, (Rect{380 - 39 - 28, 0, 28, 20}));
    EXPECT_EQ(buttons[2].rect, (Rect{380 - 39 - 56, 0, 28, 20}));
    EXPECT_EQ(window->CaptionButtonsRect(), (Rect{380 - 95, 0, 95, 20}));
    EXPECT_EQ(window->CaptionButtonsWidth(), 95);
    EXPECT_EQ(MakeWindow({.style = 0})->CaptionButtonsRect(), Rect{});
}

// A window of the test's own class whose procedure reads the skin
// properties when it finally receives WM_DESTROY.
struct PropertiesAtDestroy {
    bool seen = false;
    std::intptr_t values[5] = {};
};
PropertiesAtDestroy propertiesAtDestroy;
const char* const kWatched[] = {property::kThis, property::kOldProc, property::kObjectId, property::kSurfaceDc,
                                property::kBackgroundDc};

LRESULT CALLBACK WatchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        propertiesAtDestroy.seen = true;
        for (int i = 0; i < 5; ++i) propertiesAtDestroy.values[i] = GetWindowProperty(window, kWatched[i]);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(SkinWindowTest, AdoptionPropertiesRegistryAndDestruction) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WatchingProc;
    windowClass.lpszClassName = L"LirvoTestForm";
    ::RegisterClassW(&windowClass);
    HWND form = ::CreateWindowExW(0, L"LirvoTestForm", L"form", WS_OVERLAPPEDWINDOW, 0, 0, 600, 392, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(form);

    auto window = MakeWindow({.existingWindow = form, .style = window_style::kCaptionButtons});
    EXPECT_EQ(window->GetHandle(), form);
    EXPECT_EQ(window->AdoptedWindow(), form);
    EXPECT_EQ(static_cast<LONG>(::GetWindowLongW(form, GWL_STYLE) & (WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CAPTION)),
              static_cast<LONG>(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_EQ(window->GetWidth(), 600);
    const ObjectHandle id = window->GetObjectId();
    EXPECT_LT(id, 0);
    EXPECT_EQ(GetWindowProperty(form, property::kObjectId), id);
    EXPECT_EQ(GetWindowProperty(form, property::kThis),
              reinterpret_cast<std::intptr_t>(static_cast<WindowMessageTarget*>(window.get())));
    EXPECT_EQ(GetWindowProperty(form, property::kOldProc), reinterpret_cast<std::intptr_t>(WatchingProc));
    EXPECT_EQ(::GetWindowLongPtrW(form, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(HostWindowProc));
    for (const char* name : {property::kSurfaceDc, property::kSurfaceGraphics, property::kBackgroundDc,
                             property::kBackgroundGraphics})
        EXPECT_NE(GetWindowProperty(form, name), 0) << name;
    EXPECT_EQ(Toolkit().objectRegistry.HandleAt(1), id) << "a new window stands at the front of the registry";
    EXPECT_EQ(WindowList().back(), form);

    const std::size_t windowsBefore = WindowList().size();
    window->Destroy();
    EXPECT_TRUE(propertiesAtDestroy.seen) << "the replaced procedure got WM_DESTROY";
    EXPECT_EQ(propertiesAtDestroy.values[0], 0) << "DEVU_THIS";
    EXPECT_EQ(propertiesAtDestroy.values[1], 0) << "DEVU_OLDPROC";
    EXPECT_EQ(propertiesAtDestroy.values[2], 0) << "DEVU_OBJID";
    EXPECT_EQ(propertiesAtDestroy.values[3], 0) << "DEVU_MDC";
    EXPECT_NE(propertiesAtDestroy.values[4], 0) << "DEVU_MDC_BKG is left as it was";
    EXPECT_FALSE(::IsWindow(form));
    EXPECT_FALSE(Toolkit().objectRegistry.PositionOf(id));
    EXPECT_EQ(WindowList().size(), windowsBefore - 1);
    EXPECT_EQ(std::count(WindowList().begin(), WindowList().end(), form), 0);
    EXPECT_EQ(window->GetObjectId(), 0);
    EXPECT_EQ(window->GetHandle(), nullptr);
}

// Refuses the creation of every window on this thread while it lives.
class RefuseWindowCreation {
public:
    RefuseWindowCreation()
        : hook_(::SetWindowsHookExW(WH_CBT, &Refuse, nullptr, ::GetCurrentThreadId())) {}
    ~RefuseWindowCreation() { ::UnhookWindowsHookEx(hook_); }
    explicit operator bool() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
        return code == HCBT_CREATEWND ? 1 : ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

TEST_F(SkinWindowTest, CreationThatFailsReportsItAndRegistersNothing) {
    const std::size_t windows = WindowList().size();
    const std::size_t registered = Toolkit().objectRegistry.Size();
    SkinWindow window;
    {
        RefuseWindowCreation refuse;
        ASSERT_TRUE(refuse);
        EXPECT_EQ(window.Create({.bounds = Rect{10, 10, 200, 100}, .style = 0}), 0);
    }
    EXPECT_EQ(window.GetHandle(), nullptr);
    EXPECT_EQ(window.GetObjectId(), 0);
    EXPECT_EQ(window.GetWindowDC(), nullptr) << "no screen DC is taken for a window that is not there";
    EXPECT_EQ(WindowList().size(), windows);
    EXPECT_EQ(Toolkit().objectRegistry.Size(), registered);
    EXPECT_EQ(window.Create({.bounds = Rect{10, 10, 200, 100}, .style = 0}), 1) << "the object can try again";
    EXPECT_TRUE(::IsWindow(window.GetHandle()));
}

TEST_F(SkinWindowTest, ClosingTheWindowDestroysTheObject) {
    auto window = MakeWindow({.style = 0});
    HWND handle = window->GetHandle();
    const ObjectHandle id = window->GetObjectId();
    window->Close();
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(window->GetHandle(), nullptr);
    EXPECT_FALSE(Toolkit().objectRegistry.PositionOf(id));
}

TEST_F(SkinWindowTest, EffectsAndSettersKeepTheirValues) {
    auto window = MakeWindow({.style = 0});
    window->ShowEffect(3, 0);
    EXPECT_EQ(window->ShowEffectNumber(), 3);
    EXPECT_EQ(window->ShowFrameInterval(), 16) << "interval 0 stands for 16 ms";
    window->CloseEffect(5, 30);
    EXPECT_EQ(window->CloseEffectNumber(), 5);
    EXPECT_EQ(window->CloseFrameInterval(), 30);
    EXPECT_EQ(window->Opacity(), 255);
    EXPECT_EQ(window->Opacity(0x1C8), 0xC8) << "only the low 8 bits are stored";
    EXPECT_TRUE(window->Show()) << "shown when no value is given";
    EXPECT_FALSE(window->Show(false));
    EXPECT_TRUE(window->Disabled(true));
    EXPECT_FALSE(window->Disabled(false));
    EXPECT_TRUE(window->Layered(true));
    EXPECT_TRUE(::GetWindowLongW(window->GetHandle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(window->BackgroundTransparency(40), 40);
    EXPECT_EQ(window->PreviousLayerTransparency(), 40);
    EXPECT_EQ(window->CurrentLayerTransparency(), 40);
}

TEST_F(SkinWindowTest, ShadowFrameStyleSetsTheSkinOffsets) {
    auto shadow = MakeWindow({.style = 0, .frameStyle = kShadowFrameStyle});
    EXPECT_EQ(Toolkit().skinOffsetX, 8);
    EXPECT_EQ(Toolkit().skinOffsetY, 7);
    auto plain = MakeWindow({.style = 0});
    EXPECT_EQ(Toolkit().skinOffsetX, 0);
    EXPECT_EQ(Toolkit().skinOffsetY, 0);
}

// Four upright bands of 95 x 250: a picture whose every part can be told apart.
const std::vector<Gdiplus::ARGB> kBands = {0xFF336699, 0xFFCC2211, 0xFF11AA44, 0xFFEEDD00};
constexpr int kBandMiddles[] = {47, 142, 237, 332};

COLORREF Rgb(Argb argb) { return RGB(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF); }

TEST_F(SkinWindowTest, ShadowFrameShadesEverySideAndLeavesTheBodyClear) {
    auto window = MakeWindow({.bounds = Rect{40, 40, 200, 120}, .style = 0, .frameStyle = kShadowFrameStyle});
    window->RepaintAndRefresh();  // with the offsets the window has just set
    const auto alphaAt = [&](int x, int y) { return static_cast<int>(window->BackgroundSurface().PixelAt(x, y) >> 24); };
    // Four pixels out from the body, and one, on each side.
    const struct {
        const char* side;
        POINT outer, inner;
    } sides[] = {
        {"left", {4, 60}, {7, 60}},
        {"top", {100, 3}, {100, 6}},
        {"right", {200 - 5, 60}, {200 - 8, 60}},
        {"bottom", {100, 120 - 4}, {100, 120 - 7}},
    };
    for (const auto& side : sides) {
        const int outer = alphaAt(side.outer.x, side.outer.y);
        EXPECT_GT(outer, 8) << side.side << ": shaded";
        EXPECT_LT(outer, alphaAt(side.inner.x, side.inner.y)) << side.side << ": darker towards the body";
    }
    EXPECT_EQ(alphaAt(100, 60), 0) << "the body keeps its own (here transparent) background";
    EXPECT_EQ(alphaAt(30, 30), 0);

    auto plain = MakeWindow({.bounds = Rect{40, 40, 200, 120}, .style = 0,
                             .frameStyle = static_cast<std::int32_t>(0x00808080)});
    EXPECT_EQ(static_cast<int>(plain->BackgroundSurface().PixelAt(4, 60) >> 24), 0) << "no shadow without the style";
}

TEST_F(SkinWindowTest, BackgroundImageFillsTheSurfaces) {
    const ByteArray image = testing::BandsPng(95, 250, kBands);
    auto window = MakeWindow({.style = 0, .backgroundImage = image});
    EXPECT_EQ(window->BackgroundColour(), SampleImageColour(ImageFromBytes(image).get())) << "the image's sampled colour";
    HWND handle = window->GetHandle();
    for (const char* name : {property::kSurfaceDc, property::kBackgroundDc}) {
        HDC dc = PropertyDc(handle, name);
        for (std::size_t band = 0; band < kBands.size(); ++band)
            for (const int y : {30, 125, 220})
                EXPECT_EQ(PixelOf(dc, kBandMiddles[band], y), Rgb(kBands[band])) << name << ": band " << band << ", y " << y;
    }
    EXPECT_EQ(window->NineGridMargins(), (Margins{26, 26, 26, 26}));
}

TEST_F(SkinWindowTest, SetBackgroundColourDropsTheImageAndFitsTheTitle) {
    const struct {
        Argb colour;
        Argb titleColour, glowColour;
    } cases[] = {
        {0x00204080, 0xFEFFFFFF, 0xFE000000},  // dark: white title, black glow
        {0x80F0F0E0, 0xFE000000, 0xFEFFFFFF},  // light: black title; the alpha given is not kept
    };
    for (const auto& c : cases) {
        auto window = MakeWindow({.style = 0, .backgroundImage = testing::BandsPng(95, 250, kBands)});
        window->SetBackgroundColour(std::nullopt);
        EXPECT_EQ(PixelOf(PropertyDc(window->GetHandle(), property::kSurfaceDc), kBandMiddles[1], 125), Rgb(kBands[1]))
            << "no colour given: nothing changes";

        window->SetBackgroundColour(c.colour);
        EXPECT_EQ(window->BackgroundColour(), c.colour | 0xFF000000u);
        EXPECT_EQ(window->TitleFont().Description().textColour, c.titleColour);
        EXPECT_EQ(window->TitleFont().Description().glowColour, c.glowColour);
        EXPECT_EQ(window->PreviousLayerTransparency(), 250) << "the ten cross-fade steps ran";
        EXPECT_EQ(window->CurrentLayerTransparency(), 0);
        for (const char* name : {property::kSurfaceDc, property::kBackgroundDc})
            for (const int x : kBandMiddles)
                EXPECT_EQ(PixelOf(PropertyDc(window->GetHandle(), name), x, 125), Rgb(c.colour | 0xFF000000u))
                    << name << " at " << x << ": the colour, not the image";
    }
}

TEST_F(SkinWindowTest, BordersOfSquareAndRoundedWindows) {
    constexpr Argb kOuter = 0xFFFF0000, kInner = 0xFF0000FF;
    auto window = MakeWindow({.bounds = Rect{0, 0, 100, 80}, .style = 0, .innerBorderColour = kInner,
                              .outerBorderColour = kOuter, .frameStyle = static_cast<std::int32_t>(0xFF808080)});
    const auto pixelsAt = [&](std::initializer_list<POINT> points) {
        std::vector<COLORREF> colours;
        HDC dc = PropertyDc(window->GetHandle(), property::kBackgroundDc);
        for (const POINT& p : points) colours.push_back(PixelOf(dc, p.x, p.y));
        return colours;
    };
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), grey = RGB(0x80, 0x80, 0x80);

    // Square: outer at (0, 0, 99, 79), inner at (1, 1, 97, 77).
    EXPECT_EQ(pixelsAt({{0, 40}, {99, 40}, {50, 0}, {50, 79}}), std::vector<COLORREF>(4, red));
    EXPECT_EQ(pixelsAt({{1, 40}, {98, 40}, {50, 1}, {50, 78}}), std::vector<COLORREF>(4, blue));
    EXPECT_EQ(pixelsAt({{2, 40}, {50, 40}}), std::vector<COLORREF>(2, grey));

    // Radius 1 draws plain rectangles at the rounded window's sizes:
    // outer (0, 0, 98, 78), inner (1, 1, 96, 76).
    window->CornerRadius(1, true);
    EXPECT_EQ(pixelsAt({{0, 40}, {98, 40}, {50, 78}}), std::vector<COLORREF>(3, red));
    EXPECT_EQ(pixelsAt({{1, 40}, {97, 40}, {50, 77}}), std::vector<COLORREF>(3, blue));
    EXPECT_NE(pixelsAt({{99, 40}})[0], red);
}

TEST_F(SkinWindowTest, TitleStartsAfterTheIconWhenThereIsOne) {
    auto window = MakeWindow({.title = MakeWideText("LirvoPDF阅读器 安装"), .style = 0});
    EXPECT_EQ(window->GetTitle().ToAnsi(), "LirvoPDF阅读器 安装");
    wchar_t text[64] = {};
    ::GetWindowTextW(window->GetHandle(), text, 64);
    EXPECT_STREQ(text, L"LirvoPDF阅读器 安装");
    EXPECT_EQ(window->TitleRect().left, 5) << "no icon";
    EXPECT_EQ(window->TitleRect().top, 5);
    EXPECT_GT(window->CaptionRect().height, 0) << "the caption is as high as the measured title";
    const std::int32_t fullWidth = window->TitleRect().width;

    window->SetIcon(testing::SolidPng(16, 16, 0xFF00FF00));
    EXPECT_EQ(window->TitleRect().left, 28);
    EXPECT_EQ(window->TitleRect().width, fullWidth - 21);
    EXPECT_EQ(PixelOf(PropertyDc(window->GetHandle(), property::kBackgroundDc), 10, 10), RGB(0, 255, 0))
        << "the icon is drawn at (7, 6), 16 x 16";

    window->ResetIcon();
    EXPECT_EQ(window->TitleRect().left, 5);
    EXPECT_EQ(window->TitleRect().width, fullWidth);
}

TEST_F(SkinWindowTest, CaptionButtonFadeTakesThirteenTicks) {
    auto window = MakeWindow({.style = window_style::kCaptionButtons, .frameStyle = static_cast<std::int32_t>(0xFF808080)});
    HWND handle = window->GetHandle();
    const Rect button = window->CaptionButtons()[0].rect;
    HDC dc = PropertyDc(handle, property::kSurfaceDc);
    const int x = button.left + button.width / 2, y = button.top + button.height / 2;
    // The test skin's images are solid: its colour tells the look apart.
    const auto colourOf = [](const char* name) {
        const Argb argb = testing::TestSkinColourOf(name);
        return RGB(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF);
    };
    EXPECT_EQ(PixelOf(dc, x, y), colourOf("关闭_正常"));

    window->ChangeCaptionButtonState(1, 2);
    window->PaintCaptionButtons(window->MainSurface().Graphics(), window->MainSurface().Dc(), 1, true);
    EXPECT_EQ(window->CaptionButtons()[0].fadeLevel, 100);
    std::vector<std::int32_t> levels;
    for (int tick = 0; tick < 20 && window->CaptionButtons()[0].previousState != 2; ++tick) {
        ::SendMessageW(handle, WM_TIMER, kCaptionFadeTimer + 65536 * 1, 0);
        levels.push_back(window->CaptionButtons()[0].fadeLevel);
    }
    EXPECT_EQ(levels.size(), 13u);
    EXPECT_EQ(levels.front(), 92);
    EXPECT_EQ(levels[levels.size() - 2], 4);
    EXPECT_EQ(levels.back(), 0);
    EXPECT_EQ(PixelOf(dc, x, y), colourOf("关闭_点燃")) << "the fade ends on the new look";
}

// Counts how often the window asks its controls to paint themselves.
class PaintCounter : public SkinObject {
public:
    explicit PaintCounter(SkinWindow& host) : SkinObject(Toolkit().objectRegistry.NewControlHandle()) {
        State().hostWindow = host.GetHandle();
        State().parent = host.GetObjectId();
        State().depth = 1;
        Toolkit().objectRegistry.Insert(Toolkit().objectRegistry.PositionOf(host.GetObjectId()).value(), *this);
    }
    std::int32_t HandleEvent(std::int32_t code, EventParam, EventParam) override {
        if (code == kEventPaintOnHost) ++paints;
        if (code == kEventRedraw) ++redraws;
        return 0;
    }
    int paints = 0;
    int redraws = 0;
};

TEST_F(SkinWindowTest, SetBackgroundCrossFadesInAtMostTenSteps) {
    const struct {
        std::int32_t backgroundTransparency;
        int steps;
        std::int32_t previous, current;
    } cases[] = {
        {0, 10, 250, 0},
        {105, 6, 150, 100},  // stops once the previous layer reaches 255 - 105
        {200, 3, 75, 175},
    };
    for (const auto& c : cases) {
        auto window = MakeWindow({.style = 0});
        PaintCounter counter(*window);
        window->BackgroundTransparency(c.backgroundTransparency);
        counter.paints = 0;
        window->SetBackground(testing::SolidPng(380, 250, 0xFF204060));
        EXPECT_EQ(counter.paints, c.steps + 1) << "steps, then the final relayout; transparency " << c.backgroundTransparency;
        EXPECT_EQ(window->PreviousLayerTransparency(), c.previous);
        EXPECT_EQ(window->CurrentLayerTransparency(), c.current);
        EXPECT_EQ(window->BackgroundColour(), 0xFF204060u);
    }
}

// Calls back each time the frame is painted with the controls on it: once
// per step of a cross-fade.
class FrameWatcher : public SkinObject {
public:
    FrameWatcher(SkinWindow& host, std::function<void()> onFrame)
        : SkinObject(Toolkit().objectRegistry.NewControlHandle()), onFrame_(std::move(onFrame)) {
        State().hostWindow = host.GetHandle();
        State().parent = host.GetObjectId();
        State().depth = 1;
        Toolkit().objectRegistry.Insert(Toolkit().objectRegistry.PositionOf(host.GetObjectId()).value(), *this);
    }
    std::int32_t HandleEvent(std::int32_t code, EventParam, EventParam) override {
        if (code == kEventPaintOnHost) onFrame_();
        return 0;
    }

private:
    std::function<void()> onFrame_;
};

// Every step blends the colour faded out and the one faded in over the
// frame before it. Each must come out as two window-sized layers of the
// colours, filled where the paint offsets put them, would give, whatever
// the window keeps of them.
TEST_F(SkinWindowTest, EveryCrossFadeStepBlendsAsWindowSizedColourLayersWould) {
    constexpr Argb kFrom = 0xFF204080, kTo = 0xFFE0C020;
    constexpr int kWidth = 200, kHeight = 120;
    const struct {
        const char* name;
        SkinWindow::CreateArgs args;
        bool filled;
    } cases[] = {
        {"plain", {.bounds = Rect{40, 40, kWidth, kHeight}, .style = 0}, true},
        {"shadow frame, offset fill",
         {.bounds = Rect{40, 40, kWidth, kHeight}, .style = 0, .frameStyle = kShadowFrameStyle},
         true},
        {"no fill",
         {.bounds = Rect{40, 40, kWidth, kHeight},
          .style = 0,
          .backgroundImage = testing::SolidPng(kWidth, kHeight, 0xFF808080),
          .frameStyle = kBackgroundNoFill},
         false},
    };
    // Inside the body: away from the outlines and the shadow.
    const POINT samples[] = {{100, 60}, {20, 60}, {180, 60}, {100, 20}, {100, 100}, {20, 100}};
    for (const auto& c : cases) {
        auto window = MakeWindow(c.args);
        window->SetBackgroundColour(kFrom);
        const std::int32_t offsetX = Toolkit().skinOffsetX, offsetY = Toolkit().skinOffsetY;

        // The reference: the frame before the fade, and window-sized layers.
        Surface reference(kWidth, kHeight), from(kWidth, kHeight), to(kWidth, kHeight);
        ::BitBlt(reference.Dc(), 0, 0, kWidth, kHeight, window->BackgroundSurface().Dc(), 0, 0, SRCCOPY);
        if (c.filled) {
            FillRectColour(from.Graphics(), kFrom, offsetX, offsetY, kWidth, kHeight);
            FillRectColour(to.Graphics(), kTo, offsetX, offsetY, kWidth, kHeight);
        }
        gdip::GdipFlush(from.Graphics(), Gdiplus::FlushIntentionSync);
        gdip::GdipFlush(to.Graphics(), Gdiplus::FlushIntentionSync);

        std::vector<std::vector<std::uint32_t>> frames;
        std::vector<std::size_t> held;
        FrameWatcher watcher(*window, [&] {
            std::vector<std::uint32_t> frame;
            for (const POINT& p : samples) frame.push_back(window->BackgroundSurface().PixelAt(p.x, p.y));
            frames.push_back(frame);
            held.push_back(window->PixelBytesHeld());
        });
        window->SetBackgroundColour(kTo);
        ASSERT_EQ(frames.size(), 10u) << c.name;

        constexpr std::size_t kSurface = std::size_t{kWidth} * kHeight * 4;
        for (int step = 1; step <= 10; ++step) {
            const auto previousAlpha = static_cast<std::uint8_t>(255 - 25 * step);
            const auto currentAlpha = static_cast<std::uint8_t>(255 - (250 - 25 * step));
            BlendSurface(reference.Dc(), 0, 0, kWidth, kHeight, from.Dc(), 0, 0, kWidth, kHeight, previousAlpha, 0);
            BlendSurface(reference.Dc(), 0, 0, kWidth, kHeight, to.Dc(), 0, 0, kWidth, kHeight, currentAlpha, 0);
            for (std::size_t i = 0; i < std::size(samples); ++i)
                EXPECT_EQ(frames[step - 1][i], reference.PixelAt(samples[i].x, samples[i].y))
                    << c.name << ", step " << step << ", at " << samples[i].x << "," << samples[i].y;
            // The two surfaces and the layer faded in; the one faded out is
            // a single colour and needs no window-sized layer.
            if (step < 10) {
                EXPECT_LE(held[step - 1], 3 * kSurface + 64) << c.name << ", step " << step;
            }
        }
        EXPECT_EQ(window->PixelBytesHeld(), 2 * kSurface) << c.name << ": the layers go once the fade is over";
    }
}

TEST_F(SkinWindowTest, RelayoutRedrawsTheHostedControlsAndRepaintsTheFrame) {
    auto window = MakeWindow({.bounds = Rect{30, 30, 200, 120}, .style = window_style::kCaptionButtons,
                              .frameStyle = static_cast<std::int32_t>(0xFF808080)});
    auto elsewhere = MakeWindow({.style = 0});
    PaintCounter counter(*window);
    PaintCounter other(*elsewhere);
    HDC dc = window->MainSurface().Dc();
    const RECT scribble{60, 60, 90, 90};
    ::FillRect(dc, &scribble, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::GdiFlush();
    ASSERT_EQ(PixelOf(dc, 70, 70), RGB(0, 0, 0));

    counter.paints = counter.redraws = other.paints = other.redraws = 0;
    window->Relayout();
    EXPECT_EQ(counter.redraws, 1) << "each hosted control redraws itself";
    EXPECT_EQ(counter.paints, 1) << "and is painted into the rebuilt surface";
    EXPECT_EQ(other.redraws + other.paints, 0) << "controls of other windows are left alone";
    EXPECT_EQ(PixelOf(window->MainSurface().Dc(), 70, 70), RGB(0x80, 0x80, 0x80)) << "the frame is composed afresh";
    EXPECT_EQ(window->CaptionButtons()[0].rect, (Rect{200 - 39, 0, 39, 20}));
}

// The frame and caption buttons painted afresh onto a cleared surface, as no
// cache can have them: what the main surface of a window without controls holds.
std::vector<std::uint32_t> FreshFrame(SkinWindow& window) {
    Surface fresh(window.GetWidth(), window.GetHeight());
    window.PaintAll(fresh.Graphics(), fresh.Dc());
    return testing::PixelsOf(fresh);
}

// A small icon of one colour, for the window's own WM_SETICON.
class SolidIcon {
public:
    explicit SolidIcon(std::uint32_t bgra) {
        const std::vector<std::uint32_t> colour(16 * 16, bgra);
        const std::vector<BYTE> mask(2 * 16, 0);  // every pixel shown
        icon_ = ::CreateIcon(nullptr, 16, 16, 1, 32, mask.data(), reinterpret_cast<const BYTE*>(colour.data()));
    }
    ~SolidIcon() {
        if (icon_) ::DestroyIcon(icon_);
    }
    SolidIcon(const SolidIcon&) = delete;
    SolidIcon& operator=(const SolidIcon&) = delete;
    HICON Get() const { return icon_; }

private:
    HICON icon_ = nullptr;
};

// A repaint reuses the frame it painted before while nothing under it
// changed; after any change it must show what a fresh paint shows. What
// another window does is no change of this one: its frame stays as it was.
TEST_F(SkinWindowTest, ARepaintAfterAChangeShowsTheFreshFrame) {
    const SolidIcon blueIcon(0xFF2040E0);
    std::unique_ptr<SkinWindow> other;
    const std::int32_t hint = DefaultTextRenderingHint();
    const struct {
        const char* change;
        std::function<void(SkinWindow&)> apply;
        std::function<void(SkinWindow&)> prepare = nullptr;
        // Whether the change shows; unknown where the system may draw the
        // same pixels either way (Wine's GDI+ draws text alike under every
        // rendering hint).
        std::optional<bool> shows = true;
    } cases[] = {
        {"title", [](SkinWindow& w) { w.Title(MakeWideText("Another title")); }},
        {"corner radius", [](SkinWindow& w) { w.CornerRadius(9, false); }},
        {"nine-grid margins", [](SkinWindow& w) { w.SetMargins({60, 40, 60, 40}); }},
        {"background transparency", [](SkinWindow& w) { w.BackgroundTransparency(120); }},
        {"icon", [](SkinWindow& w) { w.SetIcon(testing::SolidPng(16, 16, 0xFFFF0000)); }},
        {"size", [](SkinWindow& w) { w.Move(std::nullopt, std::nullopt, 300, 200); }},
        {"background colour", [](SkinWindow& w) { w.SetBackgroundColour(0xFF336699); }},
        {"background picture", [](SkinWindow& w) { w.SetBackground(testing::BandsPng(95, 250, kBands)); }},
        {"text rendering hint",
         [](SkinWindow&) { DefaultTextRenderingHint(Gdiplus::TextRenderingHintSingleBitPerPixel); }, nullptr,
         std::nullopt},
        {"icon set with WM_SETICON",
         [&](SkinWindow& w) {
             ::SendMessageW(w.GetHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(blueIcon.Get()));
         }},
        {"icon reset", [](SkinWindow& w) { w.ResetIcon(); },
         [](SkinWindow& w) { w.SetIcon(testing::SolidPng(16, 16, 0xFFFF0000)); }},
        {"another icon", [](SkinWindow& w) { w.SetIcon(testing::SolidPng(16, 16, 0xFF0000FF)); },
         [](SkinWindow& w) { w.SetIcon(testing::SolidPng(16, 16, 0xFFFF0000)); }},
        {"a shadow-framed window made after it",
         [&](SkinWindow&) { other = MakeWindow({.style = 0, .frameStyle = kShadowFrameStyle}); }, nullptr, false},
    };
    for (const auto& c : cases) {
        // A picture smaller than the window: the nine-grid stretches it.
        auto window = MakeWindow({.title = MakeWideText("A title"),
                                  .style = window_style::kCaptionButtons,
                                  .backgroundImage = testing::BandsPng(50, 125, kBands)});
        if (c.prepare) c.prepare(*window);
        window->RepaintAndRefresh();
        const std::vector<std::uint32_t> before = testing::PixelsOf(window->MainSurface());
        ASSERT_EQ(before, FreshFrame(*window)) << c.change << ", unchanged: the reused frame is the fresh one";
        c.apply(*window);
        window->RepaintAndRefresh();
        const std::vector<std::uint32_t> after = testing::PixelsOf(window->MainSurface());
        if (c.shows == true) {
            EXPECT_NE(after, before) << c.change << ": the change shows";
        } else if (c.shows == false) {
            EXPECT_EQ(after, before) << c.change << ": nothing of this window changed";
        }
        EXPECT_EQ(after, FreshFrame(*window)) << c.change << ": nothing stale is left";
        DefaultTextRenderingHint(hint);
        other.reset();
    }
}

// Counts how often the frame is painted, reused or not.
class FramePaintCounter : public SkinWindow {
public:
    void PaintFrame(Gdiplus::GpGraphics* graphics, HDC dc) override {
        ++paints;
        SkinWindow::PaintFrame(graphics, dc);
    }
    int paints = 0;
};

// Whatever a frame is painted from is part of what a repaint compares: a
// change of the text rendering hint paints the frame again even where its
// pixels come out the same, and what other windows do paints nothing.
TEST_F(SkinWindowTest, ARepaintPaintsTheFrameAgainWhenAnInputChanged) {
    std::unique_ptr<SkinWindow> other;
    const std::int32_t hint = DefaultTextRenderingHint();
    const struct {
        const char* change;
        std::function<void()> apply;
        int paints;
    } cases[] = {
        {"nothing", [] {}, 0},
        {"text rendering hint", [] { DefaultTextRenderingHint(Gdiplus::TextRenderingHintSingleBitPerPixel); }, 1},
        {"a shadow-framed window made after it", [&] { other = MakeWindow({.style = 0, .frameStyle = kShadowFrameStyle}); }, 0},
        {"a plain window made after it", [&] { other = MakeWindow({.style = 0}); }, 0},
    };
    for (const auto& c : cases) {
        FramePaintCounter window;
        ASSERT_EQ(window.Create({.title = MakeWideText("A title"), .style = window_style::kCaptionButtons}), 1);
        window.RepaintAndRefresh();
        window.paints = 0;
        c.apply();
        window.RepaintAndRefresh();
        EXPECT_EQ(window.paints, c.paints) << c.change;
        DefaultTextRenderingHint(hint);
        other.reset();
        window.Destroy();
    }
}

// Between changes a window holds its two surfaces: the layers and the
// decoded picture go once the frame is painted from them, and the picture is
// decoded again when a change needs it. A window the user can size keeps
// the picture, which every step of a sizing paints again.
TEST_F(SkinWindowTest, BetweenChangesAWindowHoldsItsTwoSurfacesAndNoPicture) {
    constexpr std::size_t kSurface = std::size_t{380} * 250 * 4;
    for (const bool resizable : {false, true}) {
        auto window = MakeWindow({.bounds = Rect{40, 40, 380, 250}, .style = 0,
                                  .backgroundImage = testing::BandsPng(95, 250, kBands)});
        window->Resizable(resizable);
        EXPECT_EQ(window->PixelBytesHeld(), 2 * kSurface) << "created, resizable " << resizable;

        window->SetBackground(testing::BandsPng(95, 250, {kBands[3], kBands[2], kBands[1], kBands[0]}));
        const std::size_t picture = resizable ? std::size_t{380} * 250 * 4 : 0;
        EXPECT_EQ(window->PixelBytesHeld(), 2 * kSurface + picture) << "a new picture, resizable " << resizable;
        EXPECT_EQ(PixelOf(window->MainSurface().Dc(), kBandMiddles[0], 125), Rgb(kBands[3]));

        window->SetMargins({60, 40, 60, 40});
        window->RepaintAndRefresh();
        EXPECT_EQ(window->PixelBytesHeld(), 2 * kSurface + picture)
            << "painted and let go again, resizable " << resizable;
        EXPECT_EQ(PixelOf(window->MainSurface().Dc(), kBandMiddles[3], 125), Rgb(kBands[0]));
        EXPECT_EQ(testing::PixelsOf(window->MainSurface()), FreshFrame(*window)) << "painted again from the picture";
    }
}

TEST_F(SkinWindowTest, AShowTransitionDrawsFromItsSnapshotAndEndsWithTheFullPicture) {
    auto window = MakeWindow({.title = MakeWideText("Zoom"),
                              .bounds = Rect{50, 50, 380, 250},
                              .style = window_style::kCaptionButtons,
                              .backgroundImage = testing::BandsPng(95, 250, kBands)});
    window->Layered(true);
    window->ShowEffect(kEffectZoom, 1);
    window->Show(true);
    std::set<std::pair<int, int>> sizes;
    for (int i = 0; i < 20000 && (window->IsAnimating() || sizes.empty()); ++i) {
        MSG message;
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        else ::Sleep(1);
        // Windows sizes a layered window, with WM_SIZE, at every frame of
        // different size; Wine may not say so, so one such size is made here.
        if (window->IsAnimating() && i % 5 == 0)
            ::SetWindowPos(window->GetHandle(), nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rect{};
        ::GetWindowRect(window->GetHandle(), &rect);
        sizes.emplace(rect.right - rect.left, rect.bottom - rect.top);
        ASSERT_EQ(window->MainSurface().Width(), 380) << "no surface is rebuilt while the frames run";
        ASSERT_EQ(window->MainSurface().Height(), 250) << "no surface is rebuilt while the frames run";
    }
    ASSERT_FALSE(window->IsAnimating());
    EXPECT_GT(sizes.size(), 2u) << "the window grew through several sizes";
    EXPECT_EQ(window->MainSurface().Width(), 380);
    EXPECT_EQ(window->MainSurface().Height(), 250);
    EXPECT_EQ(testing::PixelsOf(window->MainSurface()), FreshFrame(*window)) << "the full-size frame at the end";
}

// Handles what is queued for this thread, and what other threads and
// processes are sending it, which is handled only while it looks at its queue.
void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Pumps until `done` holds, at most ten seconds.
template <typename Done>
void PumpUntil(Done done) {
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < 10000) {
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    Pump();
}

HWND watchedWindow = nullptr;
int framesOfWatched = 0;
int visibleFramesOfWatched = 0;

Rect ScreenRectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Every effect moves or sizes the window while its frames run. Hidden with
// one and shown again, a window is where it was and as large, and the
// frames of the hide are seen before the window goes.
TEST_F(SkinWindowTest, AWindowHiddenAndShownWithAnEffectComesBackWhereItWas) {
    SetFramePresentedHook([](HWND presented) {
        if (presented != watchedWindow) return;
        ++framesOfWatched;
        if (::IsWindowVisible(presented)) ++visibleFramesOfWatched;
    });
    const struct Unhook {
        ~Unhook() { SetFramePresentedHook(nullptr); }
    } unhook;
    const Rect home{60, 70, 300, 200};
    for (std::int32_t effect = 1; effect <= kEffectCount; ++effect) {
        auto window = MakeWindow({.title = MakeWideText("Effect"),
                                  .bounds = home,
                                  .style = window_style::kCaptionButtons,
                                  .frameStyle = static_cast<std::int32_t>(0xFF808080)});
        const HWND handle = window->GetHandle();
        window->Layered(true);
        window->ShowEffect(effect, 1);
        window->Show(true);
        PumpUntil([&] { return !window->IsAnimating(); });
        ASSERT_EQ(ScreenRectOf(handle), home) << "effect " << effect << ": shown in place";

        watchedWindow = handle;
        framesOfWatched = visibleFramesOfWatched = 0;
        EXPECT_FALSE(window->Show(false)) << "effect " << effect;
        EXPECT_GT(visibleFramesOfWatched, 3) << "effect " << effect << ": the frames of the hide are seen";
        PumpUntil([&] { return !window->IsAnimating(); });
        EXPECT_EQ(visibleFramesOfWatched, framesOfWatched) << "effect " << effect << ": no frame of a hidden window";
        EXPECT_FALSE(::IsWindowVisible(handle));
        EXPECT_EQ(ScreenRectOf(handle), home) << "effect " << effect << ": hidden in its place";

        window->Show(true);
        PumpUntil([&] { return !window->IsAnimating(); });
        watchedWindow = nullptr;
        EXPECT_EQ(ScreenRectOf(handle), home) << "effect " << effect << ": shown again in its place";
        EXPECT_EQ((Rect{window->GetLeft(), window->GetTop(), window->GetWidth(), window->GetHeight()}), home)
            << "effect " << effect;
        EXPECT_EQ(window->MainSurface().Width(), home.width) << "effect " << effect;
        EXPECT_EQ(window->MainSurface().Height(), home.height) << "effect " << effect;
        EXPECT_EQ(window->CaptionButtons()[0].rect.left, home.width - 39) << "effect " << effect;
    }

    // Frames reach the screen on a layered window only: another one goes at once.
    auto plain = MakeWindow({.bounds = home, .style = 0});
    plain->ShowEffect(kEffectSlideLeft, 1);
    plain->Show(true);
    PumpUntil([&] { return !plain->IsAnimating(); });
    int ticks = 0;
    plain->SetHandlers(std::nullopt, [&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        ticks += message == WM_TIMER && LOWORD(wParam) == kTransitionTimer;
        return false;
    });
    EXPECT_FALSE(plain->Show(false));
    EXPECT_FALSE(plain->IsAnimating());
    EXPECT_EQ(ticks, 0) << "no frames waited for";
    EXPECT_EQ(ScreenRectOf(plain->GetHandle()), home);
}

// The test skin's caption-button images are solid: the bounding box of the
// close button's colour on the main surface is where it is drawn.
Rect DrawnRectOf(const Surface& surface, Argb argb) {
    std::int32_t left = surface.Width(), top = surface.Height(), right = -1, bottom = -1;
    for (std::int32_t y = 0; y < surface.Height(); ++y)
        for (std::int32_t x = 0; x < surface.Width(); ++x)
            if ((surface.PixelAt(x, y) | 0xFF000000u) == (argb | 0xFF000000u) && surface.PixelAt(x, y) >> 24 == 0xFF) {
                left = std::min(left, x), top = std::min(top, y);
                right = std::max(right, x), bottom = std::max(bottom, y);
            }
    if (right < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

// A shadow-framed window draws its body inside the shadow: the caption
// buttons and borders sit there, and a click lands on what is drawn under
// it, whatever window was made after it.
TEST_F(SkinWindowTest, AShadowFramedWindowIsClickedWhereItIsDrawn) {
    constexpr std::int32_t kWidth = 300, kHeight = 200;
    auto window = MakeWindow({.bounds = Rect{60, 70, kWidth, kHeight},
                              .style = window_style::kCaptionButtons,
                              .frameStyle = kShadowFrameStyle});
    const HWND handle = window->GetHandle();
    std::vector<std::int32_t> events;
    window->SetHandlers([&](SkinWindow&, std::int32_t code) {
        events.push_back(code);
        return true;  // handled: the window stays
    });
    const auto click = [&](POINT p) {
        events.clear();
        ::SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ::SendMessageW(handle, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        return events;
    };
    const auto check = [&](const char* when) {
        window->RepaintAndRefresh();
        const Rect drawn = DrawnRectOf(window->MainSurface(), testing::TestSkinColourOf("关闭_正常"));
        ASSERT_GT(drawn.width, 0) << when << ": the close button is drawn";
        EXPECT_EQ(drawn.left + drawn.width, kWidth - 8) << when << ": flush with the body's right edge, not the shadow's";
        EXPECT_EQ(drawn.top, 7) << when << ": at the body's top";
        const POINT points[] = {
            {drawn.left + drawn.width / 2, drawn.top + drawn.height / 2},
            {drawn.left + 2, drawn.top + 2},
            {drawn.left + drawn.width - 3, drawn.top + 2},
            {drawn.left + 2, drawn.top + drawn.height - 3},
            {drawn.left + drawn.width - 3, drawn.top + drawn.height - 3},
        };
        for (const POINT& p : points)
            EXPECT_EQ(click(p), std::vector<std::int32_t>{kCaptionClose}) << when << ": a click at " << p.x << "," << p.y;
        EXPECT_TRUE(click({drawn.left + drawn.width + 3, drawn.top + 3}).empty())
            << when << ": the shadow beside the button is no button";
    };
    check("alone");
    auto madeAfter = MakeWindow({.style = 0});
    check("with another window made after it");
}

// What lies in the shadow band is the shadow alone, on every side, also with
// an opaque body: no body fill, no border, no caption button.
TEST_F(SkinWindowTest, TheShadowOfAnOpaqueWindowStaysShadow) {
    constexpr std::int32_t kWidth = 300, kHeight = 200;
    auto window = MakeWindow({.bounds = Rect{60, 70, kWidth, kHeight},
                              .style = window_style::kCaptionButtons,
                              .frameStyle = kShadowFrameStyle});
    window->SetBackgroundColour(0xFF336699);
    window->RepaintAndRefresh();
    Surface shadow(kWidth, kHeight);
    DrawNineGrid(shadow.Graphics(), ShadowFrameImage(), 0, 0, kWidth, kHeight, kShadowFrameMargins);
    gdip::GdipFlush(shadow.Graphics(), Gdiplus::FlushIntentionSync);
    const auto same = [&](std::int32_t x, std::int32_t y) {
        EXPECT_EQ(window->MainSurface().PixelAt(x, y), shadow.PixelAt(x, y)) << "at " << x << "," << y;
    };
    for (std::int32_t k = 0; k < 7; ++k) {
        for (const std::int32_t y : {3, kHeight / 2, kHeight - 4}) {
            same(k, y);
            same(kWidth - 1 - k, y);
        }
        for (const std::int32_t x : {3, kWidth / 2, kWidth - 20, kWidth - 4}) {
            same(x, k);
            same(x, kHeight - 1 - k);
        }
    }
    EXPECT_EQ(window->MainSurface().PixelAt(kWidth / 2, kHeight / 2), 0xFF336699u) << "the body is filled";
}

// The update-rect message's name is registered for the whole system, so any
// thread or process may send or post it, with any value. A window treats it
// only when its own thread's controls sent it: a value from anywhere else is
// never read as a rectangle, and a bogus one does not bring the program down.
TEST_F(SkinWindowTest, UpdateRectMessageIsTreatedOnlyWhenItsOwnThreadSentIt) {
    auto window = MakeWindow({.bounds = Rect{40, 50, 200, 120}, .style = 0});
    window->Layered(true);  // each update it treats puts a frame up
    const HWND handle = window->GetHandle();
    const UINT message = Toolkit().updateRectMessage;
    watchedWindow = handle;
    SetFramePresentedHook([](HWND presented) { framesOfWatched += presented == watchedWindow; });
    const struct Unhook {
        ~Unhook() { SetFramePresentedHook(nullptr); }
    } unhook;
    static const Rect kWholeWindow{0, 0, 200, 120};

    const auto fromAnotherThread = [&](auto send) {
        std::atomic<bool> done = false;
        std::thread sender([&] {
            send();
            done = true;
        });
        PumpUntil([&] { return done.load(); });  // and whatever it posted
        sender.join();
    };
    const struct {
        const char* what;
        std::function<void()> send;
        int frames;
    } cases[] = {
        {"sent by its own thread's controls", [&] { SendUpdateRect(handle, kWholeWindow); }, 1},
        {"another thread's valid rectangle",
         [&] { fromAnotherThread([&] { ::SendMessageW(handle, message, 0, reinterpret_cast<LPARAM>(&kWholeWindow)); }); },
         0},
        {"another thread's 1", [&] { fromAnotherThread([&] { ::SendMessageW(handle, message, 0, 1); }); }, 0},
        {"another thread's 0xDEADBEEF",
         [&] { fromAnotherThread([&] { ::SendMessageW(handle, message, 0, 0xDEADBEEF); }); }, 0},
        {"posted by another thread",
         [&] { fromAnotherThread([&] { ::PostMessageW(handle, message, 0, 0xDEADBEEF); }); }, 0},
        {"posted by its own thread with a valid rectangle",
         [&] {
             ::PostMessageW(handle, message, 0, reinterpret_cast<LPARAM>(&kWholeWindow));
             Pump();
         },
         0},
        {"sent by its own thread's controls again", [&] { SendUpdateRect(handle, kWholeWindow); }, 1},
    };
    for (const auto& c : cases) {
        framesOfWatched = 0;
        c.send();
        EXPECT_EQ(framesOfWatched, c.frames) << c.what;
    }

    // A window that is not layered copies the rectangle it is given to the
    // screen: a bogus value that reached it would be read, and bring the
    // program down.
    auto plain = MakeWindow({.bounds = Rect{40, 50, 200, 120}, .style = 0});
    const HWND plainHandle = plain->GetHandle();
    for (const LPARAM bogus : {LPARAM{1}, static_cast<LPARAM>(0xDEADBEEF)})
        fromAnotherThread([&] {
            ::SendMessageW(plainHandle, message, 0, bogus);
            ::PostMessageW(plainHandle, message, 0, bogus);
        });
    SendUpdateRect(plainHandle, kWholeWindow);
    EXPECT_TRUE(::IsWindow(plainHandle)) << "still here, and treats its own";
}

TEST(SkinWindowUpdateRect, ChildSendsABogusUpdateRect) {
    if (!testing::IsChildRun(kUpdateRectChildVariable)) GTEST_SKIP() << "runs as a child process only";
    char targets[64] = {};
    ASSERT_NE(::GetEnvironmentVariableA(kUpdateRectTargetVariable, targets, sizeof targets), 0u);
    const UINT message = ::RegisterWindowMessageA(kUpdateRectMessageName);
    std::istringstream handles(targets);
    for (UINT_PTR handle = 0; handles >> handle;) {
        const auto window = reinterpret_cast<HWND>(handle);
        DWORD_PTR result = 0;
        EXPECT_NE(::SendMessageTimeoutW(window, message, 0, 0xDEADBEEF, SMTO_ABORTIFHUNG, 10000, &result), 0)
            << "the window answered";
        EXPECT_TRUE(::PostMessageW(window, message, 0, 0xDEADBEEF));
    }
}

TEST_F(SkinWindowTest, UpdateRectMessageFromAnotherProcessIsIgnored) {
    auto window = MakeWindow({.bounds = Rect{40, 50, 200, 120}, .style = 0});
    window->Layered(true);
    watchedWindow = window->GetHandle();
    framesOfWatched = 0;
    SetFramePresentedHook([](HWND presented) { framesOfWatched += presented == watchedWindow; });
    const struct Unhook {
        ~Unhook() { SetFramePresentedHook(nullptr); }
    } unhook;

    // And one not layered, which reads the rectangle it is given.
    auto plain = MakeWindow({.bounds = Rect{40, 50, 200, 120}, .style = 0});
    const std::string targets = std::to_string(reinterpret_cast<UINT_PTR>(watchedWindow)) + " " +
                                std::to_string(reinterpret_cast<UINT_PTR>(plain->GetHandle()));
    ::SetEnvironmentVariableA(kUpdateRectTargetVariable, targets.c_str());
    auto child = testing::StartChildTest("SkinWindowUpdateRect.ChildSendsABogusUpdateRect", kUpdateRectChildVariable);
    ::SetEnvironmentVariableA(kUpdateRectTargetVariable, nullptr);
    ASSERT_TRUE(child);
    PumpUntil([&] { return ::WaitForSingleObject(child->process.Get(), 0) == WAIT_OBJECT_0; });  // and what it posted
    EXPECT_EQ(testing::WaitForExit(*child, 10000), std::optional<DWORD>(0)) << "the child sent and posted";
    EXPECT_EQ(framesOfWatched, 0);
    SendUpdateRect(watchedWindow, {});
    EXPECT_EQ(framesOfWatched, 1) << "and the window still treats its own";
}

TEST(SkinWindowLastWindow, ChildCreatesAndDestroysItsOnlyWindow) {
    if (!testing::IsChildRun(kChildVariable)) GTEST_SKIP() << "runs as a child process only";
    testing::StartToolkitForTests();
    SkinWindow window;
    window.Create({.style = 0});
    window.Destroy();
    ADD_FAILURE() << "the process should have ended with the last window";
}

TEST(SkinWindowLastWindow, DestroyingTheLastWindowEndsTheProcessWithExitCodeZero) {
    auto child = testing::StartChildTest("SkinWindowLastWindow.ChildCreatesAndDestroysItsOnlyWindow", kChildVariable);
    ASSERT_TRUE(child);
    EXPECT_EQ(testing::WaitForExit(*child, 30000), std::optional<DWORD>(0))
        << "a normal end of the child test program would report its failure";
}

// The exit code 0 above means something only if a child that did nothing
// cannot end with it.
TEST(SkinWindowLastWindow, AChildThatRanNoTestDoesNotEndWithZero) {
    const struct {
        const char* filter;
        const char* variable;
    } cases[] = {
        {"SkinWindowLastWindow.NoSuchTest", kChildVariable},  // matches nothing
        {"SkinWindowLastWindow.ChildCreatesAndDestroysItsOnlyWindow", "LIRVO_NOT_THE_CHILD_VARIABLE"},  // skips
    };
    for (const auto& c : cases) {
        auto child = testing::StartChildTest(c.filter, c.variable);
        ASSERT_TRUE(child);
        EXPECT_EQ(testing::WaitForExit(*child, 30000), std::optional<DWORD>(testing::kChildRanNoTestExitCode)) << c.filter;
    }
}

}  // namespace
}  // namespace lirvo
