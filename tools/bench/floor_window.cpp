// The floor of the start-up figure: a bare program that shows one layered
// 600 x 392 window with one frame, and notes when that frame is on screen
// the way the setup program does.

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "runtime/startup_trace.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    lirvo::runtime::MarkStartupStep("entry");
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"LirvoBenchFloor";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(WS_EX_LAYERED, windowClass.lpszClassName, L"LirvoPDF floor window", WS_POPUP, 340,
                                    316, 600, 392, nullptr, nullptr, instance, nullptr);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO bitmapInfo{};
    bitmapInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 600, 392, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(memory, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<std::uint32_t*>(bits), 600 * 392, 0xFF1565C0u);
    ::SelectObject(memory, dib);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    POINT position{340, 316}, origin{0, 0};
    SIZE size{600, 392};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (::UpdateLayeredWindow(window, screen, &position, &size, memory, &origin, 0, &blend, ULW_ALPHA))
        lirvo::runtime::FinishStartupTrace();
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
