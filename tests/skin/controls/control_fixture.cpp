#include "tests/skin/controls/control_fixture.h"

#include "skin/controls/control_timers.h"
#include "tests/support/images.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo::testing {

void ControlTest::SetUpTestSuite() {
    StartToolkitForTests();
    static SkinWindow* const keepAlive = [] {
        auto* window = new SkinWindow;
        window->Create({.style = 0});
        return window;
    }();
    (void)keepAlive;
}

std::unique_ptr<SkinWindow> ControlTest::MakeHost() {
    auto window = std::make_unique<SkinWindow>();
    EXPECT_EQ(window->Create({.bounds = Rect{20, 20, 300, 200},
                              .style = 0,
                              .frameStyle = static_cast<std::int32_t>(kHostColour)}),
              1);
    window->Show(true);
    return window;
}

std::uint32_t HostPixel(const SkinWindow& host, int x, int y) { return host.MainSurface().PixelAt(x, y); }

namespace {
void Send(const SkinWindow& host, UINT message, WPARAM wParam, int x, int y) {
    ::SendMessageW(host.GetHandle(), message, wParam, MAKELPARAM(x, y));
}
}  // namespace

void MouseMove(const SkinWindow& host, int x, int y) { Send(host, WM_MOUSEMOVE, 0, x, y); }
void LeftDown(const SkinWindow& host, int x, int y) { Send(host, WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
void LeftUp(const SkinWindow& host, int x, int y) { Send(host, WM_LBUTTONUP, 0, x, y); }
void LeftDoubleClick(const SkinWindow& host, int x, int y) { Send(host, WM_LBUTTONDBLCLK, MK_LBUTTON, x, y); }
void LeftClick(const SkinWindow& host, int x, int y) {
    LeftDown(host, x, y);
    LeftUp(host, x, y);
}
void MouseLeaveWindow(const SkinWindow& host) { ::SendMessageW(host.GetHandle(), WM_MOUSELEAVE, 0, 0); }
void KeyDown(const SkinWindow& host, UINT key) { ::SendMessageW(host.GetHandle(), WM_KEYDOWN, key, 0); }
void Char(const SkinWindow& host, wchar_t code) { ::SendMessageW(host.GetHandle(), WM_CHAR, code, 0); }

bool Tick(const SkinControl& control, std::int32_t key, int count) {
    for (int i = 0; i < count; ++i) {
        const auto timer = control_timers::SystemTimerOf(control, key);
        if (!timer) return false;
        control_timers::DeliverTick(*timer);
    }
    return true;
}

int TickUntilStopped(const SkinControl& control, std::int32_t key, int limit) {
    int ticks = 0;
    while (ticks < limit && Tick(control, key)) ++ticks;
    return ticks;
}

}  // namespace lirvo::testing
