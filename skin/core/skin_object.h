#pragma once
// The small interface through which the toolkit core talks to the objects of
// the layers above it. SkinObject is what the window procedure routes input
// to: a windowless control (positive handle) or a skin window (negative
// handle). WindowMessageTarget is the skin window object behind a host
// window, which sees every message first. The core never owns these objects;
// an object leaves the registry when it is destroyed.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/rect.h"

namespace lirvo {

// 32-bit object handle: > 0 a control, < 0 a skin window, 0 none.
using ObjectHandle = std::int32_t;
// Event parameters: 32-bit values, or an address where an event carries one.
using EventParam = std::intptr_t;

// Events the window procedure sends to controls.
enum EventCode : std::int32_t {
    EventDestroy = 2,
    EventGotFocus = 3,
    EventLostFocus = 4,
    EventChar = 11,
    EventKeyDown = 12,
    EventKeyUp = 13,
    EventLeftDown = 14,
    EventLeftUp = 15,
    EventLeftClick = 16,
    EventLeftDoubleClick = 17,
    EventRightDown = 18,
    EventRightUp = 19,
    EventRightClick = 20,
    EventRightDoubleClick = 21,
    EventWheel = 22,
    EventMouseMove = 26,
    EventMouseEnter = 27,
    EventMouseLeave = 28,
    EventMessage = 32,
};

// What EventMessage's p2 points at: the message's two parameters.
struct MessageParams {
    LPARAM lParam;
    WPARAM wParam;
};

// Packs a point relative to a receiver as events carry it: y in the high word.
constexpr EventParam PackPoint(std::int32_t x, std::int32_t y) {
    return static_cast<EventParam>(static_cast<std::int32_t>((static_cast<std::uint32_t>(y) & 0xFFFF) << 16 |
                                                             (static_cast<std::uint32_t>(x) & 0xFFFF)));
}

// The routing state of an object, kept by the layers above and read (the
// pressed flags also written) by the window procedure.
struct ObjectState {
    HWND hostWindow = nullptr;  // for a skin window: its own window
    ObjectHandle parent = 0;    // a skin window has none
    bool visible = true;
    bool disabled = false;
    bool leftPressed = false;
    bool rightPressed = false;
    std::int32_t depth = 0;  // a child is deeper than its parent
    bool focusable = false;  // a press makes it the focus control
    bool tabStop = false;    // Tab stops on it (the keyboard's focus order)
    std::int32_t tabPlace = 0;  // its place in that order; ties go by creation
    Rect originRect;  // mouse points are relative to its left and top
    Rect hitRect;     // the area that takes the mouse, in client coordinates
};

class SkinControl;

class SkinObject {
public:
    virtual ~SkinObject();

    virtual std::int32_t HandleEvent(std::int32_t code, EventParam p1, EventParam p2) = 0;
    // The object as a control of the layer above, or nothing: what the
    // registry holds is told apart without run-time type information.
    virtual SkinControl* AsControl() { return nullptr; }
    // Space and Enter on the focused object click it, as a press and release
    // of the left button over it would.
    virtual bool ClicksOnKey() const { return false; }
    // A click made with the keyboard is over: the object drops a look that
    // only the mouse leaving would otherwise take away.
    virtual void KeyboardClickEnded() {}

    ObjectHandle Handle() const { return handle_; }
    ObjectState& State() { return state_; }
    const ObjectState& State() const { return state_; }

protected:
    // Handles come from the registry: NewControlHandle / NewWindowHandle.
    explicit SkinObject(ObjectHandle handle = 0) : handle_(handle) {}
    SkinObject(const SkinObject&) = delete;
    SkinObject& operator=(const SkinObject&) = delete;
    // For objects whose handle exists only while they are created.
    void SetHandle(ObjectHandle handle) { handle_ = handle; }

private:
    ObjectHandle handle_;
    ObjectState state_;
};

// The skin window behind a host window: "DEVU_THIS" points at it.
class WindowMessageTarget {
public:
    virtual ~WindowMessageTarget() = default;
    // Sees every message before routing; ends by calling the replaced procedure.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The area, in client coordinates, that the window's controls are laid
    // out in; nothing leaves it to the window's client rectangle.
    virtual std::optional<Rect> ControlArea() const { return std::nullopt; }
    // Runs what a click on the caption button of this kind runs; false when
    // the window has no such command.
    virtual bool RunCaptionCommand(std::int32_t kind) { return false; }
};

}  // namespace lirvo
