#pragma once
// A process-wide observer of the pictures skinned windows put on the screen:
// it is told after every frame a layered window was updated with. Programs
// use it to learn when their first picture reached the screen.

#include <windows.h>

namespace lirvo {

using FramePresentedHook = void (*)(HWND window);

// Replaces the observer; null removes it.
void SetFramePresentedHook(FramePresentedHook hook);
void NotifyFramePresented(HWND window);

}  // namespace lirvo
