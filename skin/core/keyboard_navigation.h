#pragma once
// The keyboard on a skinned window: Tab and Shift+Tab move the focus
// through the window's tab stops; Space and Enter click the focused control
// as the left button would; Enter elsewhere clicks the window's default
// control and Escape its cancel control. A click made here sends the very
// events a press and release of the mouse over the control send, so the
// application sees one click whatever made it.
//
// The window procedure hands every key message here first; what is used up
// here goes no further. The state is per window and is forgotten when the
// window is destroyed. Once a key was used, the window shows where the
// focus is (the focus indicator of the window layer asks FocusIndicatorTarget).

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/core/skin_object.h"

namespace lirvo {

// True when the key message was used up by the keyboard handling.
bool HandleNavigationKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ForgetKeyboardState(HWND window);

// The control Enter clicks when the focus control does not click on keys
// itself; 0 for none.
void SetDefaultControl(HWND window, ObjectHandle control);
ObjectHandle DefaultControl(HWND window);
// The control Escape clicks; a negative handle (the window's own) runs the
// window's close command, as its close button does; 0 leaves Escape alone.
void SetCancelControl(HWND window, ObjectHandle control);
ObjectHandle CancelControl(HWND window);

// Whether the window shows where its focus is: off until a key was used.
bool KeyboardCuesShown(HWND window);
void ShowKeyboardCues(HWND window, bool shown);

// The window's tab stops that Tab reaches now, in order.
std::vector<ObjectHandle> TabOrder(HWND window);
// Makes the control the window's focus control (focus events as a press
// sends them); false when it already was or cannot take part.
bool FocusObject(HWND window, ObjectHandle control);
// Moves the focus as Tab (Shift+Tab: backwards) does; returns the new focus.
ObjectHandle MoveFocus(HWND window, bool backwards);
// The focus control changed by any way: the focus indicator and those who
// follow the focus (screen readers) are told.
void FocusChanged(HWND window, ObjectHandle control);

// The control the focus indicator surrounds, or 0: the focus control once
// the keyboard was used, while it is a shown and enabled tab stop.
ObjectHandle FocusIndicatorTarget(HWND window);

// A click of the object made by a key: press and release in its middle.
void ClickObject(HWND window, ObjectHandle target);

}  // namespace lirvo
