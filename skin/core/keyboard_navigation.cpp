#include "skin/core/keyboard_navigation.h"

#include <unordered_map>

#include "skin/core/focus_order.h"
#include "skin/core/host_window_proc.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"

namespace lirvo {
namespace {

constexpr std::int32_t kCaptionCloseCommand = 1;

struct KeyboardState {
    ObjectHandle defaultControl = 0;
    ObjectHandle cancelControl = 0;
    bool cuesShown = false;
    ObjectHandle pressedByKey = 0;  // Space went down on it, its release is due
    WPARAM swallowChar = 0;         // the character of a key used up here
    WPARAM swallowKeyUp = 0;        // a key whose press was used up here
};

// One thread owns the windows and their state; entries leave with the window.
std::unordered_map<HWND, KeyboardState>& States() {
    static std::unordered_map<HWND, KeyboardState> states;
    return states;
}

KeyboardState& StateOf(HWND window) { return States()[window]; }

ObjectRegistry& Registry() { return Toolkit().objectRegistry; }

ObjectHandle FocusOf(HWND window) { return static_cast<ObjectHandle>(GetWindowProperty(window, property::kFocus)); }

bool IsAvailable(ObjectHandle handle) { return handle > 0 && IsObjectShown(handle) && !IsObjectDisabled(handle); }

bool KeyHeld(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

std::vector<FocusCandidate> Candidates(HWND window) {
    std::vector<FocusCandidate> candidates;
    for (std::size_t i = 1; i <= Registry().Size(); ++i) {
        const ObjectHandle handle = Registry().HandleAt(i);
        const SkinObject* object = Registry().ObjectAt(i);
        if (handle <= 0 || !object || object->State().hostWindow != window) continue;
        candidates.push_back({handle, object->State().tabPlace, object->State().tabStop, IsObjectShown(handle),
                              !IsObjectDisabled(handle)});
    }
    return candidates;
}

EventParam MiddleOf(ObjectHandle target) {
    const SkinObject* object = Registry().Find(target);
    if (!object) return 0;
    const Rect& origin = object->State().originRect;
    return PackPoint(origin.width / 2, origin.height / 2);
}

void EndKeyboardClick(ObjectHandle target) {
    if (SkinObject* object = Registry().Find(target)) object->KeyboardClickEnded();
}

bool ClicksOnKey(ObjectHandle handle) {
    const SkinObject* object = handle > 0 ? Registry().Find(handle) : nullptr;
    return object && object->ClicksOnKey() && IsAvailable(handle);
}

// The key's press was used here: its character and its release go no further.
void UseKey(HWND window, WPARAM key, WPARAM character) {
    KeyboardState& state = StateOf(window);
    state.swallowChar = character;
    state.swallowKeyUp = key;
    if (!state.cuesShown) ShowKeyboardCues(window, true);
}

bool RunCancel(HWND window) {
    const ObjectHandle cancel = StateOf(window).cancelControl;
    if (cancel > 0) {
        if (!IsAvailable(cancel)) return false;
        UseKey(window, VK_ESCAPE, VK_ESCAPE);
        ClickObject(window, cancel);
        return true;
    }
    if (cancel < 0) {
        UseKey(window, VK_ESCAPE, VK_ESCAPE);
        if (auto* target = reinterpret_cast<WindowMessageTarget*>(GetWindowProperty(window, property::kThis)))
            target->RunCaptionCommand(kCaptionCloseCommand);
        return true;
    }
    return false;
}

bool OnKeyDown(HWND window, WPARAM key, LPARAM lParam) {
    const bool repeat = (lParam & (1 << 30)) != 0;
    const ObjectHandle focus = FocusOf(window);
    if (!repeat) {
        StateOf(window).swallowChar = 0;
        StateOf(window).swallowKeyUp = 0;
    }
    switch (key) {
    case VK_TAB:
        if (KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU)) return false;
        UseKey(window, VK_TAB, '\t');
        MoveFocus(window, KeyHeld(VK_SHIFT));
        return true;
    case VK_SPACE:
        if (!ClicksOnKey(focus)) return false;
        UseKey(window, VK_SPACE, ' ');
        if (repeat || StateOf(window).pressedByKey != 0) return true;
        StateOf(window).pressedByKey = focus;
        PressObject(window, focus, MiddleOf(focus));
        return true;
    case VK_RETURN: {
        if (ClicksOnKey(focus)) {
            UseKey(window, VK_RETURN, '\r');
            if (!repeat) ClickObject(window, focus);
            return true;
        }
        const ObjectHandle fallback = StateOf(window).defaultControl;
        if (!IsAvailable(fallback) || !ClicksOnKey(fallback)) return false;
        // The focus control hears this key's release as it heard the press.
        UseKey(window, 0, '\r');
        if (repeat) return true;
        // The focus control still hears its key (an edit box tells the
        // application of Enter), then the default control is clicked.
        SendObjectEvent(focus, EventKeyDown, static_cast<EventParam>(key));
        ClickObject(window, fallback);
        return true;
    }
    case VK_ESCAPE:
        return repeat ? StateOf(window).swallowKeyUp == VK_ESCAPE : RunCancel(window);
    default:
        return false;
    }
}

bool OnKeyUp(HWND window, WPARAM key) {
    KeyboardState& state = StateOf(window);
    const bool used = state.swallowKeyUp == key;
    if (used) state.swallowKeyUp = 0;
    if (key != VK_SPACE) return used;
    const ObjectHandle pressed = state.pressedByKey;
    if (pressed == 0) return used;
    state.pressedByKey = 0;
    ReleaseObject(window, pressed, MiddleOf(pressed));
    EndKeyboardClick(pressed);
    return true;
}

}  // namespace

bool HandleNavigationKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(window, wParam, lParam);
    case WM_KEYUP:
        return OnKeyUp(window, wParam);
    case WM_CHAR: {
        auto found = States().find(window);
        if (found == States().end() || found->second.swallowChar == 0) return false;
        const bool used = found->second.swallowChar == wParam;
        found->second.swallowChar = 0;
        return used;
    }
    case WM_KILLFOCUS: {
        // A Space held while the window loses the keyboard is never released here.
        auto found = States().find(window);
        if (found != States().end()) found->second.pressedByKey = 0;
        return false;
    }
    default:
        return false;
    }
}

void ForgetKeyboardState(HWND window) { States().erase(window); }

void SetDefaultControl(HWND window, ObjectHandle control) { StateOf(window).defaultControl = control; }
ObjectHandle DefaultControl(HWND window) { return StateOf(window).defaultControl; }
void SetCancelControl(HWND window, ObjectHandle control) { StateOf(window).cancelControl = control; }
ObjectHandle CancelControl(HWND window) { return StateOf(window).cancelControl; }

bool KeyboardCuesShown(HWND window) {
    const auto found = States().find(window);
    return found != States().end() && found->second.cuesShown;
}

void ShowKeyboardCues(HWND window, bool shown) {
    if (StateOf(window).cuesShown == shown) return;
    StateOf(window).cuesShown = shown;
    SendUpdateRect(window, {});
}

std::vector<ObjectHandle> TabOrder(HWND window) { return FocusOrder(Candidates(window)); }

bool FocusObject(HWND window, ObjectHandle control) {
    const ObjectHandle previous = FocusOf(window);
    if (control == previous || !Registry().Find(control) || control <= 0) return false;
    // The order a press's focus change sends in.
    SetWindowProperty(window, property::kFocus, control);
    SendObjectEvent(control, EventGotFocus, previous);
    SendObjectEvent(previous, EventLostFocus, control);
    FocusChanged(window, control);
    return true;
}

ObjectHandle MoveFocus(HWND window, bool backwards) {
    const ObjectHandle next = NextInFocusOrder(Candidates(window), FocusOf(window), backwards);
    if (next != 0) FocusObject(window, next);
    return FocusOf(window);
}

void FocusChanged(HWND window, ObjectHandle control) {
    if (control > 0) ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, control);
    if (KeyboardCuesShown(window)) SendUpdateRect(window, {});
}

ObjectHandle FocusIndicatorTarget(HWND window) {
    if (!KeyboardCuesShown(window)) return 0;
    const ObjectHandle focus = FocusOf(window);
    const SkinObject* object = focus > 0 ? Registry().Find(focus) : nullptr;
    if (!object || !object->State().tabStop || !IsAvailable(focus)) return 0;
    return focus;
}

void ClickObject(HWND window, ObjectHandle target) {
    const EventParam middle = MiddleOf(target);
    PressObject(window, target, middle);
    ReleaseObject(window, target, middle);
    EndKeyboardClick(target);
}

}  // namespace lirvo
