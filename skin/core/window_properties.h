#pragma once
// The per-window state of a skinned host window lives in window properties,
// each holding one 32-bit value. These are their names and typed access.

#include <windows.h>

#include <cstdint>

namespace lirvo {

namespace property {
inline constexpr char kThis[] = "DEVU_THIS";                  // the WindowMessageTarget
inline constexpr char kOldProc[] = "DEVU_OLDPROC";            // the replaced window procedure
inline constexpr char kObjectId[] = "DEVU_OBJID";             // the skin window's (negative) handle
inline constexpr char kFocus[] = "DEVU_FUCOS";                // focus control
inline constexpr char kMouseCapture[] = "DEVU_MOUSECAPTURE";  // control that captured the mouse
inline constexpr char kMouseOn[] = "DEVU_MOUSEON";            // control under the mouse
inline constexpr char kSurfaceDc[] = "DEVU_MDC";              // main surface memory DC
inline constexpr char kSurfaceGraphics[] = "DEVU_MDC_GP";     // GDI+ graphics of the main surface
inline constexpr char kBackgroundDc[] = "DEVU_MDC_BKG";       // background surface memory DC
inline constexpr char kBackgroundGraphics[] = "DEVU_MDC_BKG_GP";
}  // namespace property

inline std::intptr_t GetWindowProperty(HWND window, const char* name) {
    return reinterpret_cast<std::intptr_t>(::GetPropA(window, name));
}

inline void SetWindowProperty(HWND window, const char* name, std::intptr_t value) {
    ::SetPropA(window, name, reinterpret_cast<HANDLE>(value));
}

}  // namespace lirvo
