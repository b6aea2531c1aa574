// Entry point of the setup program. Until the pages exist it shows the setup
// window's frame with the product name and ends when the window is closed.

#include <windows.h>

#include <string>

#include "skin/core/gdiplus_api.h"
#include "skin/core/wide_text.h"

namespace {

constexpr char kWindowClass[] = "LirvoSetupWindow";
constexpr char kTitle[] = "LirvoPDF阅读器 安装";
constexpr int kWidth = 600;
constexpr int kHeight = 392;

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        RECT client;
        ::GetClientRect(window, &client);
        const std::wstring title = lirvo::MakeWideText(kTitle).ToWString();
        ::DrawTextW(dc, title.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    lirvo::GdiplusSession gdiplus;

    WNDCLASSEXA windowClass{sizeof(windowClass)};
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassExA(&windowClass)) return 1;

    const int x = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    // The title goes through the wide form so it reads right on any code page.
    HWND window = ::CreateWindowExW(0, lirvo::MakeWideText(kWindowClass).ToWString().c_str(),
                                    lirvo::MakeWideText(kTitle).ToWString().c_str(),
                                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y, kWidth, kHeight,
                                    nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
