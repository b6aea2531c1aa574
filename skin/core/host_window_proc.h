#pragma once
// The window procedure of every skinned host window. Each message goes first
// to the window's skin window object (its result is the procedure's result),
// then mouse, keyboard and focus input is routed as events to the windowless
// control under the mouse, holding the capture or holding the focus. When the
// window is destroyed, every object that lived on it leaves the registry.

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "skin/core/skin_object.h"

namespace lirvo {

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A layer above may answer some messages itself after the skin window has
// seen them (screen readers asking for the window's accessible object):
// returning true replaces the result and ends the message's handling.
using MessageAnswer = bool (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
void SetMessageAnswer(MessageAnswer answer);

// Calls the control's HandleEvent; 0 for handle 0, a skin window or an object
// that is gone.
std::int32_t SendObjectEvent(ObjectHandle handle, std::int32_t code, EventParam p1 = 0, EventParam p2 = 0);

// The innermost shown, enabled control of this window strictly containing
// the point (client coordinates), or 0.
ObjectHandle HitTest(HWND window, std::int32_t x, std::int32_t y);

// Removes the registry entry at a 1-based position together with the
// descendants right before it, sending each EventDestroy (descendants
// first). Returns how many entries the registry shrank by.
std::size_t RemoveObjectAt(std::size_t position);

// The area a control placed straight on this window is laid out in: what
// the window's skin object says, else the window's client rectangle.
Rect HostControlArea(HWND window);

// A left button press and release over the object, with the point relative
// to it: what the mouse sends, for the keyboard to send the same.
void PressObject(HWND window, ObjectHandle target, EventParam packedPoint);
void ReleaseObject(HWND window, ObjectHandle target, EventParam packedPoint);

bool IsObjectShown(ObjectHandle handle);
bool IsObjectDisabled(ObjectHandle handle);

}  // namespace lirvo
