// The floor of the start-up figures: a bare program that does the setup
// window's visible start with user32 and gdi32 alone. It shows a layered
// 600 x 392 window growing out of its centre in the same steps, on the same
// timer period, as the setup window's zoom (the first step put up as the
// window is shown), then its whole frame, and notes when the first step and
// the whole frame are on screen the way the setup program does.
// With the argument "gdiplus" it starts GDI+ first: what the setup program's
// design costs in memory before it does anything of its own.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "runtime/startup_trace.h"
#include "skin/core/gdiplus_api.h"

namespace {

constexpr int kWidth = 600, kHeight = 392;
constexpr UINT kZoomPeriod = 1;  // ms, as the setup window asks for
constexpr UINT_PTR kZoomTimer = 1;

struct Zoom {
    HWND window = nullptr;
    HDC picture = nullptr;  // the whole frame
    HDC work = nullptr;     // one step of the zoom
    int width = 0, height = 0;
};

bool Push(const Zoom& zoom, HDC source, int width, int height, int alpha) {
    POINT position{340 + kWidth / 2 - width / 2, 316 + kHeight / 2 - height / 2}, origin{0, 0};
    SIZE size{width, height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), AC_SRC_ALPHA};
    return ::UpdateLayeredWindow(zoom.window, nullptr, &position, &size, source, &origin, 0, &blend, ULW_ALPHA) !=
           FALSE;
}

// One step: a tenth more of each side, the picture shrunk into it, at an
// opacity that grows with the height. True once the window is whole.
bool Step(Zoom& zoom) {
    zoom.width = std::min(zoom.width + kWidth / 10, kWidth);
    zoom.height = std::min(zoom.height + kHeight / 10, kHeight);
    ::SetStretchBltMode(zoom.work, COLORONCOLOR);
    ::StretchBlt(zoom.work, 0, 0, zoom.width, zoom.height, zoom.picture, 0, 0, kWidth, kHeight, SRCCOPY);
    const bool shown = Push(zoom, zoom.work, zoom.width, zoom.height, 255 * zoom.height / kHeight);
    if (shown) lirvo::runtime::FinishStartupTrace();
    return zoom.width >= kWidth && zoom.height >= kHeight;
}

HDC NewPicture(HDC screen, std::uint32_t** bits) {
    HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO bitmapInfo{};
    bitmapInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB};
    void* pixels = nullptr;
    ::SelectObject(dc, ::CreateDIBSection(dc, &bitmapInfo, DIB_RGB_COLORS, &pixels, nullptr, 0));
    *bits = static_cast<std::uint32_t*>(pixels);
    return dc;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    lirvo::runtime::MarkStartupStep("entry");
    std::optional<lirvo::GdiplusSession> gdiplus;
    if (commandLine && std::strstr(commandLine, "gdiplus")) gdiplus.emplace();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"LirvoBenchFloor";
    ::RegisterClassW(&windowClass);
    Zoom zoom;
    zoom.window = ::CreateWindowExW(WS_EX_LAYERED, windowClass.lpszClassName, L"LirvoPDF floor window", WS_POPUP, 340,
                                    316, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    HDC screen = ::GetDC(nullptr);
    // Its own picture: opaque shades, drawn here as the setup program
    // decodes and draws its page before it shows the window.
    std::uint32_t* bits = nullptr;
    zoom.picture = NewPicture(screen, &bits);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            bits[y * kWidth + x] = 0xFF000000u | static_cast<std::uint32_t>(x * 255 / kWidth) << 16 |
                                   static_cast<std::uint32_t>(y * 255 / kHeight) << 8 | 0xC0;
    zoom.work = NewPicture(screen, &bits);
    ::ShowWindow(zoom.window, SW_SHOWNA);
    Step(zoom);
    ::SetTimer(zoom.window, kZoomTimer, kZoomPeriod, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == zoom.window && message.wParam == kZoomTimer) {
            if (Step(zoom)) {
                ::KillTimer(zoom.window, kZoomTimer);
                if (Push(zoom, zoom.picture, kWidth, kHeight, 255)) lirvo::runtime::CompleteStartupTrace();
            }
            continue;
        }
        ::DispatchMessageW(&message);
    }
    return 0;
}
