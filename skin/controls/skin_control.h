#pragma once
// SkinControl: the common base of the windowless controls. A control lives
// inside a host (a skin window or another control), owns a rectangle in the
// host's client area and an off-screen surface, and shows itself by blending
// that surface into the host window's main surface. The host window
// procedure hands it input as numbered events; HandleEvent turns each into
// the user event the application sees (raised first) and then the class's
// hook. The base also runs the control's timers and the fades between two
// looks.
//
// The object belongs to whoever holds it; the registry only refers to it.
// A control never paints outside its visible rectangle, and once detached or
// destroyed it receives no further timer ticks.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "skin/core/byte_array.h"
#include "skin/core/rect.h"
#include "skin/core/skin_object.h"
#include "skin/core/wide_text.h"
#include "skin/window/surface.h"
#include "skin/window/tool_tip.h"

namespace lirvo {

// Events a control receives besides the ones the window procedure sends.
enum ControlEvent : std::int32_t {
    kEventAttached = 1,
    kEventVisibilityChanged = 5,
    kEventEnabledChanged = 6,
    kEventPaint = 7,  // p1: the host surface's graphics
    kEventHost8 = 8,
    kEventHost9 = 9,
    kEventTimer = 10,  // p1: key, p2: value
    kEventQueryHost = 23,
    kEventHostChanged = 24,
    kEventLayout = 30,
    kEventWindowChanged = 33,  // p1: the new host window
    kEventRender = 34,
    kEventTextChanged = 35,
    kEventApplication = 301,
    kEventForwarded = 999,  // p1: sender, p2: the UserEventRecord
};

// The user events a control raises to the application's handler.
enum UserEvent : std::int32_t {
    kUserClick = 1,
    kUserLeftDown = 2,
    kUserLeftUp = 3,
    kUserDoubleClick = 4,
    kUserRightClick = 5,
    kUserRightDown = 6,
    kUserRightUp = 7,
    kUserRightDoubleClick = 8,
    kUserKeyDown = 9,
    kUserKeyUp = 10,
    kUserChar = 11,
    kUserMouseMove = 12,
    kUserMouseEnter = 13,
    kUserMouseLeave = 14,
    kUserWheel = 15,
};

// Reserved timer keys of the two fades.
inline constexpr std::int32_t kFadeTimerKey = -1;
inline constexpr std::int32_t kStateFadeTimerKey = -2;

// A raised event as forwarded to an event target: event number, p1..p5.
using UserEventRecord = std::array<EventParam, 6>;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Unpacks an event's point: both halves signed, as a drag left of the control
// arrives (x of 50001 and more stands for a point left of the control).
constexpr Point UnpackPoint(EventParam packed) {
    const auto bits = static_cast<std::uint32_t>(packed);
    return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

class SkinControl : public SkinObject {
public:
    // (host window, sender id, user event, p1..p5) -> result.
    using EventHandler = std::function<std::int32_t(HWND, ObjectHandle, std::int32_t, EventParam, EventParam,
                                                    EventParam, EventParam, EventParam)>;

    ~SkinControl() override;
    SkinControl* AsControl() override { return this; }

    // A deep copy of the control's settings and looks; the copy is not
    // attached anywhere and gets its own identity when it is.
    virtual std::unique_ptr<SkinControl> Clone() const = 0;
    virtual std::int32_t HandleEvent(std::int32_t code, EventParam p1, EventParam p2) override;
    virtual bool Attach(SkinObject& host, const Rect& rect, const WideText& text, std::int32_t userFlag,
                        bool visible = true, bool disabled = false);
    // Shows the text as the tooltip of the control's rectangle on its host
    // window (an empty text removes it); returns the text.
    virtual WideText SetToolTip(std::optional<WideText> text = std::nullopt);
    ObjectHandle Self() const { return Handle(); }
    virtual void Detach();
    virtual SkinObject* GetHost() const;
    // Moves the control, with the controls it hosts, to another host; false
    // (and nothing moved) for the control itself or one it hosts.
    virtual bool SetHost(SkinObject& host);
    virtual bool SetFocus();
    // Whether Tab stops on the control, and where in the window's order (0
    // unless given; within one place, the order of creation).
    bool TabStop(std::optional<bool> value = std::nullopt);
    std::int32_t TabPlace(std::optional<std::int32_t> value = std::nullopt);
    // What a screen reader calls the control: the name given, else its text.
    // Controls drawn from pictures have no text and need one given.
    WideText AccessibleName(std::optional<WideText> name = std::nullopt);
    // What else a screen reader is told of the control: its role (an MSAA
    // ROLE_SYSTEM_ value), the states that depend on its class (checked,
    // pressed, read-only), its value and the name of its default action
    // (empty: none; the action itself is always a click).
    virtual std::int32_t AccessibleRole() const;
    virtual std::uint32_t AccessibleStates() const { return 0; }
    virtual std::optional<WideText> AccessibleValue() const { return std::nullopt; }
    virtual WideText AccessibleDefaultAction() const { return {}; }
    // Tells those who follow the window (screen readers) that the
    // control's state or value changed.
    void NotifyAccessible(std::uint32_t winEvent) const;
    virtual std::int32_t UserFlag(std::optional<std::int32_t> value = std::nullopt);
    virtual void SetTextW(const WideText& text);
    virtual void SetText(std::string_view ansi);
    virtual void SetTextBytes(const ByteArray& units);
    virtual WideText GetTextW() const { return text_; }
    virtual std::string GetText() const { return text_.ToAnsi(); }
    // The text through the wide text's conversion with the OEM code page.
    virtual std::string GetTextConverted() const { return text_.ToOemText(); }
    virtual std::int32_t TextLength() const { return text_.Length(); }
    virtual void SetOwned(std::shared_ptr<void> object, std::int32_t value);
    virtual std::int32_t GetOwnedValue() const { return ownedValue_; }
    HWND GetHostHandle() const { return State().hostWindow; }
    // The rectangle in the top-level surface, and its visible part there.
    Rect TopLevelRect() const { return State().originRect; }
    Rect VisibleRect() const { return State().hitRect; }
    Rect VisibleRectInHost() const { return visibleInHost_; }
    // Holds the control to a part of its host (in the host's coordinates):
    // outside it the control neither shows nor takes the mouse. Nothing: the
    // whole host. Takes effect at the next layout (SetRect, Attach).
    void ClipToHostArea(std::optional<Rect> area) { hostClip_ = area; }
    virtual std::size_t RegistryIndex() const;
    virtual bool StartTimer(std::int32_t key, std::uint32_t interval, EventParam value = 0);
    virtual bool StartPreciseTimer(std::int32_t key, std::uint32_t interval, EventParam value = 0);
    virtual void StopTimer(std::int32_t key);
    virtual void StopPreciseTimer(std::int32_t key);
    // Draws the look into the surface; paints it onto the host unless told
    // to skip painting without force.
    virtual void Render(bool force = true, bool skipPaint = false);
    // Restores the background under the control and blends the surface (or
    // the given one) over it.
    virtual void PaintToHost(const Surface* picture = nullptr);
    virtual void Refresh();
    virtual void UpdateHost();
    Gdiplus::GpGraphics* Graphics() const { return surface_.Graphics(); }
    Rect GetRect() const { return rect_; }
    std::int32_t GetLeft() const { return rect_.left; }
    std::int32_t GetTop() const { return rect_.top; }
    std::int32_t GetWidth() const { return rect_.width; }
    std::int32_t GetHeight() const { return rect_.height; }
    virtual bool Visible(std::optional<bool> value = std::nullopt);
    virtual bool Disabled(std::optional<bool> value = std::nullopt);
    virtual bool IsVisible() const;
    virtual bool IsDisabled() const;
    virtual EventHandler SetEventHandler(std::optional<EventHandler> handler = std::nullopt);
    virtual std::int32_t RaiseEvent(std::int32_t event, std::optional<EventParam> p1 = std::nullopt,
                                    std::optional<EventParam> p2 = std::nullopt,
                                    std::optional<EventParam> p3 = std::nullopt,
                                    std::optional<EventParam> p4 = std::nullopt,
                                    std::optional<EventParam> p5 = std::nullopt);
    ObjectHandle Id() const { return Handle(); }
    virtual std::int32_t Transparency(std::optional<std::int32_t> value = std::nullopt, bool refresh = false);
    virtual bool IsMouseOn() const;
    std::int32_t HeldValue1() const { return heldValues_[0]; }
    std::int32_t HeldValue2() const { return heldValues_[1]; }
    virtual void CaptureMouse();
    virtual void ReleaseMouse();
    // Repaints the part (relative to the control) of the control into the
    // host surface and puts it on screen; parts not given take the whole.
    virtual void PaintPart(std::optional<std::int32_t> x = std::nullopt, std::optional<std::int32_t> y = std::nullopt,
                           std::optional<std::int32_t> width = std::nullopt,
                           std::optional<std::int32_t> height = std::nullopt);
    virtual bool HasFocus() const;
    HBITMAP SurfaceBitmap() const { return surface_.Bitmap(); }
    virtual void SetEventTarget(ObjectHandle target) { eventTarget_ = target; }
    // Fades from the picture on screen to the freshly drawn look. Intervals
    // and steps below 1 take 10.
    virtual void BeginFade(std::int32_t interval = 10, std::int32_t step = 10, bool overlay = false);
    virtual void BeginStateFade(std::int32_t interval = 10, std::int32_t step = 10, std::int32_t target = 0);

    // Moves or resizes the control within its host and redraws it there.
    virtual void SetRect(const Rect& rect);

    bool IsAttached() const { return attached_; }
    bool IsFading() const { return fading_; }
    std::int32_t FadeAlpha() const { return fadeAlpha_; }
    const Surface& DrawingSurface() const { return surface_; }
    const WideText& ToolTipText() const { return toolTip_; }
    HWND ToolTipWindow() const { return toolTipWindow_.Window(); }

protected:
    SkinControl() = default;
    // What Clone copies of the base: geometry, text, flags, transparency,
    // handler, event target, tooltip and the held values.
    void CopySettingsFrom(const SkinControl& other);
    template <typename Derived>
    static std::unique_ptr<SkinControl> CloneAs(const Derived& original) {
        auto copy = std::make_unique<Derived>();
        copy->CopySettingsFrom(original);
        copy->CopyOwnSettingsFrom(original);
        return copy;
    }

    // Hooks, all empty in the base.
    virtual void DrawStateFade(Surface& surface, std::int32_t alpha, std::int32_t target) {}
    virtual void OnCreate() {}
    virtual void OnLeftDown(Point) {}
    virtual void OnLeftUp(Point) {}
    virtual void OnClick(Point) {}
    virtual void OnDoubleClick(Point) {}
    virtual void OnRightDown(Point) {}
    virtual void OnRightUp(Point) {}
    virtual void OnRightClick(Point) {}
    virtual void OnRightDoubleClick(Point) {}
    virtual void OnMouseMove(Point) {}
    virtual void OnKeyDown(std::int32_t key) {}
    virtual void OnKeyUp(std::int32_t key) {}
    virtual void OnChar(std::int32_t code) {}
    virtual void OnVisibleChanged(bool visible) {}
    virtual void OnEnabledChanged(bool enabled) {}
    virtual void Draw(Gdiplus::GpGraphics* graphics) = 0;
    virtual void OnHostChanged() {}
    virtual void OnHostEvent8(EventParam, EventParam) {}
    virtual void OnHostEvent9(EventParam, EventParam) {}
    virtual void OnTimer(std::int32_t key, EventParam value) {}
    virtual void OnDestroy() {}
    virtual void OnFocus(ObjectHandle previous) {}
    virtual void OnBlur(ObjectHandle next) {}
    virtual void OnWheel(std::int32_t notches) {}
    virtual void OnMouseEnter() {}
    virtual void OnMouseLeave() {}
    virtual void OnMessage(UINT message, const MessageParams& params) {}
    virtual void OnApplicationEvent(EventParam, EventParam) {}
    virtual void OnChildEvent(ObjectHandle sender, const UserEventRecord& record) {}
    virtual void OnTextChanged() {}

    bool LeftButtonHeld() const { return leftButton_; }
    // Turns false when the object is destroyed: a caller that raised an
    // event checks it before touching the object again.
    std::shared_ptr<bool> Alive() const { return alive_; }
    // During a state fade: the picture that was on screen when it began.
    const Surface& PictureBeforeFade() const { return surface_; }
    void SetCursorShape(LPCSTR cursor) const;
    Surface& MutableSurface() { return surface_; }

private:
    struct EventRoute;
    static const EventRoute* FindRoute(std::int32_t code);

    void Register(SkinObject& host);
    std::vector<ObjectHandle> Descendants() const;
    void PlaceToolTip();
    void UpdateCursor(std::int32_t code);
    void PaintArea(const Surface& picture, const Rect& area);
    void UpdateArea(const Rect& area);
    void Layout();
    void PaintOnHost();
    void TearDown();
    void PrepareFade();
    void FadeTick(std::int32_t value);
    void StateFadeTick(std::int32_t value);
    void FinishFade(std::int32_t key);
    void CancelFades();
    void ShowFrame(const Surface& frame);
    void ClearHostProperties();

    ObjectHandle hostObject_ = 0;
    Rect rect_;
    std::int32_t transparency_ = 0;
    WideText text_;
    std::array<std::int32_t, 2> heldValues_{};
    std::int32_t userFlag_ = 0;
    EventHandler handler_;
    Surface surface_;
    bool attached_ = false;
    Rect visibleInHost_;
    std::optional<Rect> hostClip_;
    std::shared_ptr<void> owned_;
    std::int32_t ownedValue_ = 0;
    ObjectHandle eventTarget_ = 0;
    WideText toolTip_;
    WideText accessibleName_;
    ToolTip toolTipWindow_;  // over the control's rectangle on its host window
    Surface newLook_;
    Surface oldLook_;
    const Surface* shownFrame_ = nullptr;  // the picture a running fade put on screen
    std::int32_t fadeAlpha_ = 0;
    bool fading_ = false;
    std::int32_t fadeTarget_ = 0;
    bool fadeOverlay_ = false;
    bool leftButton_ = false;
    // Not make_shared, for the reason the skin window gives.
    std::shared_ptr<bool> alive_ = std::shared_ptr<bool>(new bool(true));
};

// The visible state of a surface copied into another of the same size.
void CopySurface(const Surface& from, Surface& to);
// Copies one rectangle of a surface into the same place of another.
void CopySurfaceArea(const Surface& from, Surface& to, const Rect& area);
// Clears a surface to transparent.
void ClearSurface(Surface& surface);

}  // namespace lirvo
