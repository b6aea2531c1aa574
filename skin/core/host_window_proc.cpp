#include "skin/core/host_window_proc.h"

#include <vector>

#include "skin/core/keyboard_navigation.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"

namespace lirvo {
namespace {

ObjectRegistry& Registry() { return Toolkit().objectRegistry; }

ObjectHandle HandleProperty(HWND window, const char* name) {
    return static_cast<ObjectHandle>(GetWindowProperty(window, name));
}

// Mouse messages carry x unsigned and y signed, as the toolkit has always read them.
struct MousePoint {
    std::int32_t x;
    std::int32_t y;
};
MousePoint UnpackMousePoint(LPARAM lParam) {
    const auto bits = static_cast<std::uint32_t>(lParam);
    return {static_cast<std::int32_t>(bits & 0xFFFF), static_cast<std::int32_t>(lParam) >> 16};
}

EventParam RelativePoint(ObjectHandle target, MousePoint point) {
    const SkinObject* object = Registry().Find(target);
    const Rect origin = object ? object->State().originRect : Rect{};
    return PackPoint(point.x - origin.left, point.y - origin.top);
}

void SetPressed(ObjectHandle target, bool ObjectState::*flag, bool value) {
    if (SkinObject* object = Registry().Find(target)) object->State().*flag = value;
}

bool WasPressed(ObjectHandle target, bool ObjectState::*flag) {
    const SkinObject* object = Registry().Find(target);
    return object && object->State().*flag;
}

void ChangeFocusOnPress(HWND window, ObjectHandle pressed) {
    const ObjectHandle previous = HandleProperty(window, property::kFocus);
    if (pressed == previous || pressed <= 0) return;
    const SkinObject* object = Registry().Find(pressed);
    if (!object || !object->State().focusable) return;
    SetWindowProperty(window, property::kFocus, pressed);
    SendObjectEvent(pressed, EventGotFocus, previous);
    SendObjectEvent(previous, EventLostFocus, pressed);
    FocusChanged(window, pressed);
}

// The mouse button messages, one row each.
enum class ButtonAction { Press, Release, DoubleClick };
struct ButtonRoute {
    UINT message;
    ButtonAction action;
    std::int32_t event;
    bool ObjectState::*pressedFlag;
    std::int32_t clickEvent;
};
// The left button's press and release, also what a key's click sends.
constexpr ButtonRoute kLeftPress{WM_LBUTTONDOWN, ButtonAction::Press, EventLeftDown, &ObjectState::leftPressed, 0};
constexpr ButtonRoute kLeftRelease{WM_LBUTTONUP, ButtonAction::Release, EventLeftUp, &ObjectState::leftPressed,
                                   EventLeftClick};
constexpr ButtonRoute kButtonRoutes[] = {
    kLeftPress,
    kLeftRelease,
    {WM_LBUTTONDBLCLK, ButtonAction::DoubleClick, EventLeftDoubleClick, nullptr, 0},
    {WM_RBUTTONDOWN, ButtonAction::Press, EventRightDown, &ObjectState::rightPressed, 0},
    {WM_RBUTTONUP, ButtonAction::Release, EventRightUp, &ObjectState::rightPressed, EventRightClick},
    {WM_RBUTTONDBLCLK, ButtonAction::DoubleClick, EventRightDoubleClick, nullptr, 0},
};

// Keyboard and focus messages go to the focus control.
struct FocusRoute {
    UINT message;
    std::int32_t event;
    bool passWParam;
};
constexpr FocusRoute kFocusRoutes[] = {
    {WM_KEYDOWN, EventKeyDown, true}, {WM_KEYUP, EventKeyUp, true},      {WM_CHAR, EventChar, true},
    {WM_SETFOCUS, EventGotFocus, false}, {WM_KILLFOCUS, EventLostFocus, false},
};

void RouteMouseMove(HWND window, MousePoint point) {
    const ObjectHandle capture = HandleProperty(window, property::kMouseCapture);
    if (capture != 0) {
        SendObjectEvent(capture, EventMouseMove, RelativePoint(capture, point));
        return;
    }
    const ObjectHandle hit = HitTest(window, point.x, point.y);
    const ObjectHandle previous = HandleProperty(window, property::kMouseOn);
    if (hit != previous) {
        SetWindowProperty(window, property::kMouseOn, hit);
        SendObjectEvent(hit, EventMouseEnter);
        SendObjectEvent(previous, EventMouseLeave);
    }
    if (hit != 0) SendObjectEvent(hit, EventMouseMove, RelativePoint(hit, point));
}

// What a press or release over a target sends; the mouse and the keyboard
// both come through here, so a key's click is the mouse's to the event.
void SendButton(HWND window, const ButtonRoute& route, ObjectHandle target, EventParam packed) {
    if (target == 0) return;
    SendObjectEvent(target, route.event, packed);
    switch (route.action) {
    case ButtonAction::Press:
        SetPressed(target, route.pressedFlag, true);
        ChangeFocusOnPress(window, target);
        break;
    case ButtonAction::Release: {
        const bool wasPressed = WasPressed(target, route.pressedFlag);
        SetPressed(target, route.pressedFlag, false);
        if (wasPressed) SendObjectEvent(target, route.clickEvent, packed);
        break;
    }
    case ButtonAction::DoubleClick:
        break;
    }
}

void RouteButton(HWND window, const ButtonRoute& route, MousePoint point) {
    const ObjectHandle capture = HandleProperty(window, property::kMouseCapture);
    const ObjectHandle target = capture != 0 ? capture : HitTest(window, point.x, point.y);
    if (target == 0) return;
    SendButton(window, route, target, RelativePoint(target, point));
}

// Removes every entry of the destroyed window and every entry without a host.
// Handlers of EventDestroy may remove entries themselves, so the walk starts
// over from the front after each removal instead of trusting positions.
void RemoveObjectsOfWindow(HWND window) {
    for (;;) {
        std::size_t position = 0;
        for (std::size_t i = 1; i <= Registry().Size(); ++i) {
            const SkinObject* object = Registry().ObjectAt(i);
            const HWND host = object ? object->State().hostWindow : nullptr;
            if (host == window || host == nullptr) {
                position = i;
                break;
            }
        }
        if (position == 0 || RemoveObjectAt(position) == 0) return;
    }
}

void Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) return RouteMouseMove(window, UnpackMousePoint(lParam));
    for (const ButtonRoute& route : kButtonRoutes)
        if (route.message == message) return RouteButton(window, route, UnpackMousePoint(lParam));

    if (HandleNavigationKey(window, message, wParam, lParam)) return;
    const ObjectHandle focus = HandleProperty(window, property::kFocus);
    for (const FocusRoute& route : kFocusRoutes)
        if (route.message == message) {
            SendObjectEvent(focus, route.event, route.passWParam ? static_cast<EventParam>(wParam) : 0);
            return;
        }

    switch (message) {
    case WM_MOUSEWHEEL:
        SendObjectEvent(focus, EventWheel, static_cast<std::int16_t>(HIWORD(wParam)) / WHEEL_DELTA);
        return;
    case WM_MOUSELEAVE:
        SendObjectEvent(HandleProperty(window, property::kMouseOn), EventMouseLeave);
        SetWindowProperty(window, property::kMouseOn, 0);
        return;
    case WM_DESTROY:
        RemoveObjectsOfWindow(window);
        ForgetKeyboardState(window);
        return;
    default:
        if (focus != 0) {
            MessageParams params{lParam, wParam};
            SendObjectEvent(focus, EventMessage, static_cast<EventParam>(message),
                            reinterpret_cast<EventParam>(&params));
        }
        return;
    }
}

MessageAnswer messageAnswer = nullptr;

}  // namespace

void SetMessageAnswer(MessageAnswer answer) { messageAnswer = answer; }

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result;
    if (auto* target = reinterpret_cast<WindowMessageTarget*>(GetWindowProperty(window, property::kThis))) {
        result = target->OnMessage(message, wParam, lParam);
    } else if (auto oldProc = reinterpret_cast<WNDPROC>(GetWindowProperty(window, property::kOldProc))) {
        result = ::CallWindowProcW(oldProc, window, message, wParam, lParam);
    } else {
        result = ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (messageAnswer && messageAnswer(window, message, wParam, lParam, result)) return result;
    Route(window, message, wParam, lParam);
    return result;
}

void PressObject(HWND window, ObjectHandle target, EventParam packedPoint) {
    SendButton(window, kLeftPress, target, packedPoint);
}

void ReleaseObject(HWND window, ObjectHandle target, EventParam packedPoint) {
    SendButton(window, kLeftRelease, target, packedPoint);
}

Rect HostControlArea(HWND window) {
    if (const auto* target = reinterpret_cast<const WindowMessageTarget*>(GetWindowProperty(window, property::kThis)))
        if (const std::optional<Rect> area = target->ControlArea()) return *area;
    RECT client{};
    if (window) ::GetClientRect(window, &client);
    return {0, 0, client.right - client.left, client.bottom - client.top};
}

std::int32_t SendObjectEvent(ObjectHandle handle, std::int32_t code, EventParam p1, EventParam p2) {
    if (handle <= 0) return 0;
    SkinObject* object = Registry().Find(handle);
    return object ? object->HandleEvent(code, p1, p2) : 0;
}

bool IsObjectShown(ObjectHandle handle) {
    // The parent chain is walked at most once per registered object, so a
    // broken chain that loops cannot hang the window procedure.
    for (std::size_t steps = 0; steps <= Registry().Size(); ++steps) {
        if (handle == 0) return false;
        if (handle < 0) return true;
        const SkinObject* object = Registry().Find(handle);
        if (!object || !object->State().visible) return false;
        handle = object->State().parent;
    }
    return false;
}

bool IsObjectDisabled(ObjectHandle handle) {
    for (std::size_t steps = 0; steps <= Registry().Size(); ++steps) {
        if (handle == 0) return false;
        const SkinObject* object = Registry().Find(handle);
        if (handle < 0) return object && !::IsWindowEnabled(object->State().hostWindow);
        if (!object) return false;
        if (object->State().disabled) return true;
        handle = object->State().parent;
    }
    return false;
}

ObjectHandle HitTest(HWND window, std::int32_t x, std::int32_t y) {
    bool runBegun = false;
    for (std::size_t i = 1; i <= Registry().Size(); ++i) {
        const ObjectHandle handle = Registry().HandleAt(i);
        if (handle <= 0) continue;
        const SkinObject* object = Registry().ObjectAt(i);
        if (object->State().hostWindow != window) {
            if (runBegun) break;
            continue;
        }
        runBegun = true;
        if (object->State().hitRect.ContainsStrictly(x, y) && IsObjectShown(handle) && !IsObjectDisabled(handle))
            return handle;
    }
    return 0;
}

std::size_t RemoveObjectAt(std::size_t position) {
    ObjectRegistry& registry = Registry();
    if (position < 1 || position > registry.Size()) return 0;

    // The descendants of the entry stand right before it, each deeper than it.
    const SkinObject* last = registry.ObjectAt(position);
    const std::int32_t depth = last ? last->State().depth : 0;
    std::size_t start = position;
    const SkinObject* before = registry.ObjectAt(position - 1);
    if (before && before->State().depth == depth + 1) {
        while (start > 1) {
            const SkinObject* candidate = registry.ObjectAt(start - 1);
            if (!candidate || candidate->State().depth <= depth) break;
            --start;
        }
    }

    // Handlers may remove or add entries, so the range is fixed by handle first.
    std::vector<ObjectHandle> range;
    for (std::size_t i = start; i <= position; ++i) range.push_back(registry.HandleAt(i));
    const std::size_t sizeBefore = registry.Size();
    for (ObjectHandle handle : range) SendObjectEvent(handle, EventDestroy);
    for (ObjectHandle handle : range) registry.Remove(handle);
    return sizeBefore > registry.Size() ? sizeBefore - registry.Size() : 0;
}

}  // namespace lirvo
