#include "skin/window/frame_presented.h"

namespace lirvo {
namespace {

FramePresentedHook& Hook() {
    static FramePresentedHook hook = nullptr;
    return hook;
}

}  // namespace

void SetFramePresentedHook(FramePresentedHook hook) { Hook() = hook; }

void NotifyFramePresented(HWND window) {
    if (FramePresentedHook hook = Hook()) hook(window);
}

}  // namespace lirvo
