#include "skin/core/toolkit.h"

#include <utility>

#include "skin/core/gdiplus_api.h"

namespace lirvo {
namespace {

template <typename Function>
Function Resolve(const char* library, const char* name) {
    // Libraries resolved here stay loaded for the life of the process.
    HMODULE module = ::LoadLibraryA(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

void RegisterToolkitClass(const char* name, WNDPROC procedure) {
    const std::wstring className = MakeWideText(name).ToWString();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = className.c_str();
    ::RegisterClassExW(&windowClass);
}

// The rectangle SendUpdateRect of this thread is sending, while it sends it.
thread_local const Rect* sendingUpdateRect = nullptr;

template <typename Value>
Value Accessor(Value& stored, const std::optional<Value>& value) {
    if (value) stored = *value;
    return stored;
}

}  // namespace

ToolkitGlobals& Toolkit() {
    // Never destroyed: objects that outlive static destruction may still
    // leave the registry or draw with the built-in bitmaps.
    static ToolkitGlobals* const globals = new ToolkitGlobals;
    return *globals;
}

void ToolkitStartup(std::span<const std::uint8_t> builtinSkinData) {
    ToolkitGlobals& toolkit = Toolkit();

    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, background thread, external codecs
    Gdiplus::GdiplusStartup(&toolkit.gdiplusToken, &input, nullptr);

    toolkit.updateRectMessage = ::RegisterWindowMessageA(kUpdateRectMessageName);

    toolkit.pfnDefWindowProcW = Resolve<WNDPROC>("user32.dll", "DefWindowProcW");
    toolkit.pfnRtlMoveMemory = Resolve<MoveMemoryFunction>("kernel32.dll", "RtlMoveMemory");
    toolkit.pfnAlphaBlend = Resolve<AlphaBlendFunction>("msimg32.dll", "AlphaBlend");

    RegisterToolkitClass(kWindowClassName, toolkit.pfnDefWindowProcW ? toolkit.pfnDefWindowProcW : ::DefWindowProcW);
    RegisterToolkitClass(kComboBoxClassName, ComboBoxPopupProc);
    RegisterToolkitClass(kMenuClassName, MenuPopupProc);
    RegisterToolkitClass(kSubmenuClassName, SubmenuPopupProc);

    toolkit.defaultFontName = MakeWideText(ChooseFontName(kPreferredFontName, kFallbackFontName));
    toolkit.defaultTextRenderingHint = Gdiplus::TextRenderingHintAntiAliasGridFit;

    LoadBuiltinImages(builtinSkinData);

    toolkit.defaultFontSize = 12;
    toolkit.defaultTextColour = ColourToArgb(0x000000, 254);
    toolkit.defaultSecondColour = ColourToArgb(0xFFFFFF, 254);
    toolkit.defaultWindowFlags = 43;
    toolkit.defaultTextFormat = 4688;
    toolkit.defaultSwitch = true;
    toolkit.customCursorSet = false;
}

bool FontFamilyExists(std::string_view name) {
    const std::wstring family = MakeWideText(name).ToWString();
    Gdiplus::GpFontFamily* found = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(family.c_str(), nullptr, &found) != Gdiplus::Ok || !found) return false;
    gdip::GdipDeleteFontFamily(found);
    return true;
}

std::string_view ChooseFontName(std::string_view preferred, std::string_view fallback) {
    return FontFamilyExists(preferred) ? preferred : fallback;
}

std::int32_t DefaultTextRenderingHint(std::optional<std::int32_t> value) {
    return Accessor(Toolkit().defaultTextRenderingHint, value);
}
std::int32_t DefaultFontSize(std::optional<std::int32_t> value) { return Accessor(Toolkit().defaultFontSize, value); }
Argb DefaultTextColour(std::optional<Argb> value) { return Accessor(Toolkit().defaultTextColour, value); }
Argb DefaultSecondColour(std::optional<Argb> value) { return Accessor(Toolkit().defaultSecondColour, value); }
std::int32_t DefaultWindowFlags(std::optional<std::int32_t> value) {
    return Accessor(Toolkit().defaultWindowFlags, value);
}
std::int32_t DefaultTextFormat(std::optional<std::int32_t> value) {
    return Accessor(Toolkit().defaultTextFormat, value);
}
bool DefaultSwitch(std::optional<bool> value) { return Accessor(Toolkit().defaultSwitch, value); }

WideText DefaultFontName(std::optional<std::string_view> value) {
    if (value) Toolkit().defaultFontName = MakeWideText(*value);
    return Toolkit().defaultFontName;
}

LRESULT CALLBACK ComboBoxPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;
    if (message == WM_KILLFOCUS) ::ShowWindow(window, SW_HIDE);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MenuPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ToolkitGlobals& toolkit = Toolkit();
    switch (message) {
    case WM_CLOSE:
        return 0;
    case WM_ACTIVATE:  // activation and deactivation alike record the window
        toolkit.menuWindow = window;
        toolkit.submenuActive = false;
        break;
    case WM_KILLFOCUS:
        if (!toolkit.submenuActive) ::ShowWindow(window, SW_HIDE);
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SubmenuPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ToolkitGlobals& toolkit = Toolkit();
    switch (message) {
    case WM_CLOSE:
        return 0;
    case WM_ACTIVATE:
        toolkit.submenuWindow = window;
        toolkit.submenuActive = true;
        break;
    case WM_KILLFOCUS:
        ::ShowWindow(window, SW_HIDE);
        if (toolkit.submenuActive) ::ShowWindow(toolkit.menuWindow, SW_HIDE);
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void SendUpdateRect(HWND window, const Rect& rect) {
    const UINT message = Toolkit().updateRectMessage;
    if (!window || message == 0) return;
    // A handler may draw and send again; the outer send is still going on
    // when the inner one returns.
    const Rect* const outer = std::exchange(sendingUpdateRect, &rect);
    ::SendMessageW(window, message, 0, reinterpret_cast<LPARAM>(&rect));
    sendingUpdateRect = outer;
}

const Rect* ReceivedUpdateRect(LPARAM lParam) {
    // Sent from another thread or process: whatever it carries points into
    // memory that is not ours to read.
    if (::InSendMessageEx(nullptr) != ISMEX_NOSEND) return nullptr;
    // Sent by this thread, or posted by anyone: only the rectangle this
    // thread is sending right now is known to be one.
    if (!sendingUpdateRect || lParam != reinterpret_cast<LPARAM>(sendingUpdateRect)) return nullptr;
    return sendingUpdateRect;
}

}  // namespace lirvo
