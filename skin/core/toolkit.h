#pragma once
// The skin toolkit's process-wide state and its start-up. ToolkitStartup runs
// once, before any skinned window exists: it starts GDI+, registers the
// toolkit's message and window classes, resolves the functions it calls
// through pointers, chooses the default font, loads the built-in skin and
// sets the defaults. Nothing it sets up is torn down before the process ends.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "skin/core/builtin_skin.h"
#include "skin/core/colour.h"
#include "skin/core/object_registry.h"
#include "skin/core/rect.h"
#include "skin/core/wide_text.h"

namespace lirvo {

inline constexpr char kUpdateRectMessageName[] = "Qx_Msg_WM_UPDATERECT";
inline constexpr char kWindowClassName[] = "RaZora.DeVU.WindowClass.Window";
inline constexpr char kComboBoxClassName[] = "RaZora.DeVU.WindowClass.ComboBox";
inline constexpr char kMenuClassName[] = "RaZora.DeVU.WindowClass.menu";
inline constexpr char kSubmenuClassName[] = "RaZora.DeVU.WindowClass.menu1";
inline constexpr char kPreferredFontName[] = "微软雅黑";
inline constexpr char kFallbackFontName[] = "宋体";

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using MoveMemoryFunction = void(WINAPI*)(void*, const void*, SIZE_T);

struct ToolkitGlobals {
    ULONG_PTR gdiplusToken = 0;  // GDI+ stays started until the process ends
    UINT updateRectMessage = 0;
    WNDPROC pfnDefWindowProcW = nullptr;
    MoveMemoryFunction pfnRtlMoveMemory = nullptr;
    AlphaBlendFunction pfnAlphaBlend = nullptr;

    ObjectRegistry objectRegistry;
    HWND menuWindow = nullptr;     // last menu popup activated
    HWND submenuWindow = nullptr;  // last submenu popup activated
    bool submenuActive = false;    // the most recently activated popup is a submenu
    bool customCursorSet = false;  // a control installed its own class cursor

    WideText defaultFontName;
    std::int32_t defaultTextRenderingHint = 0;
    std::int32_t defaultFontSize = 0;
    Argb defaultTextColour = 0;
    Argb defaultSecondColour = 0;
    std::int32_t defaultTextFormat = 0;
    std::int32_t defaultWindowFlags = 0;
    bool defaultSwitch = false;

    std::int32_t skinOffsetX = 0;
    std::int32_t skinOffsetY = 0;
    BuiltinSkin builtinSkin;
};

// The one set of toolkit globals of the process.
ToolkitGlobals& Toolkit();

void ToolkitStartup(std::span<const std::uint8_t> builtinSkinData);

// True when GDI+ knows a font family of this name.
bool FontFamilyExists(std::string_view name);
// The preferred family when it is installed, else the fallback.
std::string_view ChooseFontName(std::string_view preferred, std::string_view fallback);

// Default accessors: store the value when one is given; return the current one.
std::int32_t DefaultTextRenderingHint(std::optional<std::int32_t> value = std::nullopt);
std::int32_t DefaultFontSize(std::optional<std::int32_t> value = std::nullopt);
Argb DefaultTextColour(std::optional<Argb> value = std::nullopt);
Argb DefaultSecondColour(std::optional<Argb> value = std::nullopt);
std::int32_t DefaultWindowFlags(std::optional<std::int32_t> value = std::nullopt);
std::int32_t DefaultTextFormat(std::optional<std::int32_t> value = std::nullopt);
bool DefaultSwitch(std::optional<bool> value = std::nullopt);
WideText DefaultFontName(std::optional<std::string_view> value = std::nullopt);

// Asks `window`, a skinned window of the calling thread, to put `rect` of
// its main surface on the screen, through the update-rect message.
void SendUpdateRect(HWND window, const Rect& rect);
// The rectangle an update-rect message being handled carries, when this
// thread's SendUpdateRect sent it; null for any other. The message's name is
// registered system-wide, so another thread or process may send or post it
// with any value, and such a value must never be read as a pointer.
const Rect* ReceivedUpdateRect(LPARAM lParam);

// Procedures of the popup classes: a popup is never destroyed by WM_CLOSE,
// and menus hide themselves when the focus leaves them for anything but
// their submenu.
LRESULT CALLBACK ComboBoxPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MenuPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SubmenuPopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lirvo
