#include "skin/controls/skin_control.h"

#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "skin/controls/accessible_window.h"
#include "skin/controls/control_timers.h"
#include "skin/core/host_window_proc.h"
#include "skin/core/keyboard_navigation.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "skin/window/drawing.h"

namespace lirvo {
namespace {

ObjectRegistry& Registry() { return Toolkit().objectRegistry; }

void Flush(Gdiplus::GpGraphics* graphics) {
    if (graphics) gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
}

Rect Intersect(const Rect& a, const Rect& b) {
    const std::int32_t left = std::max(a.left, b.left);
    const std::int32_t top = std::max(a.top, b.top);
    const std::int32_t right = std::min(a.left + a.width, b.left + b.width);
    const std::int32_t bottom = std::min(a.top + a.height, b.top + b.height);
    if (right <= left || bottom <= top) return {left, top, 0, 0};
    return {left, top, right - left, bottom - top};
}

bool IsEmpty(const Rect& rect) { return rect.width <= 0 || rect.height <= 0; }

SkinControl* ControlAt(ObjectHandle handle) {
    SkinObject* object = handle > 0 ? Registry().Find(handle) : nullptr;
    return object ? object->AsControl() : nullptr;
}

// Registered objects hosted by `host`, oldest first: the order they are painted in.
std::vector<ObjectHandle> HostedControls(ObjectHandle host) {
    std::vector<ObjectHandle> hosted;
    if (host == 0) return hosted;
    for (std::size_t i = Registry().Size(); i >= 1; --i) {
        const SkinObject* object = Registry().ObjectAt(i);
        if (object && object->Handle() > 0 && object->State().parent == host) hosted.push_back(object->Handle());
    }
    return hosted;
}

// Blends a part (top-level coordinates) of a control's picture into the DC.
void BlendPart(HDC destination, const Surface& picture, const Rect& topLevel, const Rect& part,
               std::int32_t transparency) {
    if (!picture || IsEmpty(part)) return;
    Flush(picture.Graphics());
    ::GdiFlush();
    BlendSurface(destination, part.left, part.top, part.width, part.height, picture.Dc(), part.left - topLevel.left,
                 part.top - topLevel.top, part.width, part.height, static_cast<std::uint8_t>(255 - transparency),
                 AC_SRC_ALPHA);
}

}  // namespace

// One row per event the dispatcher knows: the user event raised first (0:
// none) and the hook that runs after it.
struct SkinControl::EventRoute {
    std::int32_t code;
    std::int32_t userEvent;
    void (*hook)(SkinControl&, EventParam p1, EventParam p2);
};

const SkinControl::EventRoute* SkinControl::FindRoute(std::int32_t code) {
    using C = SkinControl;
    static constexpr EventRoute kRoutes[] = {
        {kEventAttached, 0, [](C& c, EventParam, EventParam) { c.OnCreate(); }},
        {EventGotFocus, 0, [](C& c, EventParam p1, EventParam) { c.OnFocus(static_cast<ObjectHandle>(p1)); }},
        {EventLostFocus, 0, [](C& c, EventParam p1, EventParam) { c.OnBlur(static_cast<ObjectHandle>(p1)); }},
        {kEventVisibilityChanged, 0, [](C& c, EventParam p1, EventParam) { c.OnVisibleChanged(p1 != 0); }},
        {kEventEnabledChanged, 0, [](C& c, EventParam p1, EventParam) { c.OnEnabledChanged(p1 != 0); }},
        {kEventHost8, 0, [](C& c, EventParam p1, EventParam p2) { c.OnHostEvent8(p1, p2); }},
        {kEventHost9, 0, [](C& c, EventParam p1, EventParam p2) { c.OnHostEvent9(p1, p2); }},
        {EventChar, kUserChar, [](C& c, EventParam p1, EventParam) { c.OnChar(static_cast<std::int32_t>(p1)); }},
        {EventKeyDown, kUserKeyDown,
         [](C& c, EventParam p1, EventParam) { c.OnKeyDown(static_cast<std::int32_t>(p1)); }},
        {EventKeyUp, kUserKeyUp, [](C& c, EventParam p1, EventParam) { c.OnKeyUp(static_cast<std::int32_t>(p1)); }},
        {EventLeftDown, kUserLeftDown, [](C& c, EventParam p1, EventParam) { c.OnLeftDown(UnpackPoint(p1)); }},
        {EventLeftUp, kUserLeftUp, [](C& c, EventParam p1, EventParam) { c.OnLeftUp(UnpackPoint(p1)); }},
        {EventLeftClick, kUserClick, [](C& c, EventParam p1, EventParam) { c.OnClick(UnpackPoint(p1)); }},
        {EventLeftDoubleClick, kUserDoubleClick,
         [](C& c, EventParam p1, EventParam) { c.OnDoubleClick(UnpackPoint(p1)); }},
        {EventRightDown, kUserRightDown, [](C& c, EventParam p1, EventParam) { c.OnRightDown(UnpackPoint(p1)); }},
        {EventRightUp, kUserRightUp, [](C& c, EventParam p1, EventParam) { c.OnRightUp(UnpackPoint(p1)); }},
        {EventRightClick, kUserRightClick,
         [](C& c, EventParam p1, EventParam) { c.OnRightClick(UnpackPoint(p1)); }},
        {EventRightDoubleClick, kUserRightDoubleClick,
         [](C& c, EventParam p1, EventParam) { c.OnRightDoubleClick(UnpackPoint(p1)); }},
        {EventWheel, kUserWheel, [](C& c, EventParam p1, EventParam) { c.OnWheel(static_cast<std::int32_t>(p1)); }},
        {kEventHostChanged, 0, [](C& c, EventParam, EventParam) { c.OnHostChanged(); }},
        {EventMouseMove, kUserMouseMove, [](C& c, EventParam p1, EventParam) { c.OnMouseMove(UnpackPoint(p1)); }},
        {EventMouseEnter, kUserMouseEnter, [](C& c, EventParam, EventParam) { c.OnMouseEnter(); }},
        {EventMouseLeave, kUserMouseLeave, [](C& c, EventParam, EventParam) { c.OnMouseLeave(); }},
        {EventMessage, 0,
         [](C& c, EventParam p1, EventParam p2) {
             if (p2) c.OnMessage(static_cast<UINT>(p1), *reinterpret_cast<const MessageParams*>(p2));
         }},
        {kEventTextChanged, 0, [](C& c, EventParam, EventParam) { c.OnTextChanged(); }},
        {kEventApplication, 0, [](C& c, EventParam p1, EventParam p2) { c.OnApplicationEvent(p1, p2); }},
    };
    for (const EventRoute& route : kRoutes)
        if (route.code == code) return &route;
    return nullptr;
}

SkinControl::~SkinControl() {
    *alive_ = false;
    if (Handle() != 0 || attached_) Detach();
    control_timers::StopAll(*this);
}

std::int32_t SkinControl::HandleEvent(std::int32_t code, EventParam p1, EventParam p2) {
    switch (code) {
    case EventDestroy:
        OnDestroy();
        TearDown();
        SetHandle(0);
        return 0;
    case kEventPaint:
        PaintOnHost();
        return 0;
    case kEventTimer: {
        const auto key = static_cast<std::int32_t>(p1);
        const auto value = static_cast<std::int32_t>(p2);
        if (key == kFadeTimerKey && fading_) FadeTick(value);
        if (key == kStateFadeTimerKey && fading_) StateFadeTick(value);
        OnTimer(key, p2);
        return 0;
    }
    case kEventQueryHost:
        return hostObject_;
    case kEventLayout:
        Layout();
        return 0;
    case kEventWindowChanged:
        State().hostWindow = reinterpret_cast<HWND>(p1);
        return 0;
    case kEventRender:
        Render();
        return 0;
    case kEventForwarded: {
        // Only the event number and its first two parameters travel on.
        UserEventRecord record{};
        if (p2) {
            const auto* received = reinterpret_cast<const EventParam*>(p2);
            std::copy_n(received, 3, record.begin());
        }
        OnChildEvent(static_cast<ObjectHandle>(p1), record);
        return 0;
    }
    default:
        break;
    }

    const EventRoute* route = FindRoute(code);
    if (!route) return 0;
    if (route->userEvent != 0) {
        // The application's handler may detach or even delete this control;
        // its hook then has nothing left to act on.
        const std::shared_ptr<bool> alive = alive_;
        const ObjectHandle id = Handle();
        RaiseEvent(route->userEvent, p1);
        if (!*alive || Handle() != id || id == 0) return 0;
    }
    if (code == EventLeftDown) leftButton_ = true;
    if (code == EventLeftUp) leftButton_ = false;
    UpdateCursor(code);
    route->hook(*this, p1, p2);
    return 0;
}

void SkinControl::UpdateCursor(std::int32_t code) {
    ToolkitGlobals& toolkit = Toolkit();
    if (toolkit.customCursorSet) return;
    if (code == EventMouseEnter) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
    } else if (code == EventMouseMove && leftButton_) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    } else if (code == EventMouseLeave && State().hostWindow) {
        ::SetClassLongPtrA(State().hostWindow, GCLP_HCURSOR,
                           reinterpret_cast<LONG_PTR>(::LoadCursorA(nullptr, IDC_ARROW)));
        toolkit.customCursorSet = true;
    }
}

void SkinControl::SetCursorShape(LPCSTR cursor) const { ::SetCursor(::LoadCursorA(nullptr, cursor)); }

bool SkinControl::Attach(SkinObject& host, const Rect& rect, const WideText& text, std::int32_t userFlag,
                         bool visible, bool disabled) {
    if (attached_) return false;
    InstallAccessibility();
    SetHandle(Registry().NewControlHandle());
    hostObject_ = host.Handle();
    State().hostWindow = host.State().hostWindow;
    State().parent = host.Handle();
    rect_ = rect;
    State().visible = visible;
    State().disabled = disabled;
    transparency_ = 0;
    SetTextW(text);
    heldValues_ = {};
    State().depth = host.State().depth + 1;
    userFlag_ = userFlag;
    handler_ = nullptr;
    surface_ = Surface(std::max(rect.width, 1), std::max(rect.height, 1));
    attached_ = true;
    Register(host);
    HandleEvent(kEventAttached, 0, 0);
    HandleEvent(kEventLayout, 0, 0);
    return true;
}

void SkinControl::Register(SkinObject& host) {
    const auto hostPosition = Registry().PositionOf(host.Handle());
    if (!hostPosition) return;
    // Right after the nearest shallower entry before the host, so that a
    // control stands before its host and after the deeper controls there.
    std::size_t position = 1;
    for (std::size_t i = *hostPosition; i > 1; --i) {
        const SkinObject* object = Registry().ObjectAt(i - 1);
        if (object && object->State().depth < State().depth) {
            position = i;
            break;
        }
    }
    Registry().Insert(position, *this);
}

WideText SkinControl::SetToolTip(std::optional<WideText> text) {
    if (text) {
        toolTip_ = *text;
        if (attached_ && GetHostHandle()) toolTipWindow_.SetText(GetHostHandle(), toolTip_.ToAnsi(), VisibleRect());
    }
    return toolTip_;
}

void SkinControl::PlaceToolTip() {
    // The tool lives on the host window, whose client coordinates are the
    // top-level ones, over the part of the control that takes the mouse.
    if (!attached_ || toolTip_.IsEmpty() || !GetHostHandle()) return;
    toolTipWindow_.MoveTo(GetHostHandle(), VisibleRect());
}

void SkinControl::Detach() {
    const ObjectHandle id = Handle();
    const auto position = id != 0 ? Registry().PositionOf(id) : std::nullopt;
    if (position) RemoveObjectAt(*position);
    else if (attached_) HandleEvent(EventDestroy, 0, 0);
    SetHandle(0);
}

SkinObject* SkinControl::GetHost() const { return Registry().Find(hostObject_); }

std::vector<ObjectHandle> SkinControl::Descendants() const {
    // They stand directly before the control, deeper than it.
    std::vector<ObjectHandle> descendants;
    const auto position = Handle() != 0 ? Registry().PositionOf(Handle()) : std::nullopt;
    if (!position) return descendants;
    for (std::size_t i = *position; i > 1; --i) {
        const SkinObject* object = Registry().ObjectAt(i - 1);
        if (!object || object->State().depth <= State().depth) break;
        descendants.insert(descendants.begin(), object->Handle());
    }
    return descendants;
}

bool SkinControl::SetHost(SkinObject& host) {
    const std::vector<ObjectHandle> descendants = Descendants();
    // A control cannot move into itself or into what it hosts.
    if (&host == this || std::find(descendants.begin(), descendants.end(), host.Handle()) != descendants.end())
        return false;
    const HWND window = host.State().hostWindow;
    const std::int32_t depthShift = host.State().depth + 1 - State().depth;
    std::vector<SkinObject*> moving;
    for (ObjectHandle handle : descendants) {
        SkinObject* object = Registry().Find(handle);
        moving.push_back(object);
        Registry().Remove(handle);
    }
    hostObject_ = host.Handle();
    State().hostWindow = window;
    State().parent = host.Handle();
    State().depth += depthShift;
    if (Registry().Remove(Handle())) {
        Register(host);
        // The hosted controls go along, in their order, right before this one.
        for (SkinObject* object : moving) {
            object->State().depth += depthShift;
            Registry().Insert(Registry().PositionOf(Handle()).value(), *object);
            object->HandleEvent(kEventWindowChanged, reinterpret_cast<EventParam>(window), 0);
        }
    }
    HandleEvent(kEventLayout, 0, 0);
    HandleEvent(kEventHostChanged, 0, 0);
    return true;
}

bool SkinControl::SetFocus() {
    const HWND window = State().hostWindow;
    ::SetFocus(window);
    const auto previous = static_cast<ObjectHandle>(GetWindowProperty(window, property::kFocus));
    if (previous == Handle()) return false;
    HandleEvent(EventGotFocus, previous, 0);
    SetWindowProperty(window, property::kFocus, Handle());
    SendObjectEvent(previous, EventLostFocus, Handle());
    FocusChanged(window, Handle());
    return true;
}

bool SkinControl::TabStop(std::optional<bool> value) {
    if (value) State().tabStop = *value;
    return State().tabStop;
}

std::int32_t SkinControl::TabPlace(std::optional<std::int32_t> value) {
    if (value) State().tabPlace = *value;
    return State().tabPlace;
}

std::int32_t SkinControl::AccessibleRole() const { return ROLE_SYSTEM_STATICTEXT; }

void SkinControl::NotifyAccessible(std::uint32_t winEvent) const {
    if (Handle() > 0 && State().hostWindow) ::NotifyWinEvent(winEvent, State().hostWindow, OBJID_CLIENT, Handle());
}

WideText SkinControl::AccessibleName(std::optional<WideText> name) {
    if (name) accessibleName_ = *name;
    return accessibleName_.IsEmpty() ? text_ : accessibleName_;
}

std::int32_t SkinControl::UserFlag(std::optional<std::int32_t> value) {
    if (value) userFlag_ = *value;
    return userFlag_;
}

void SkinControl::SetTextW(const WideText& text) {
    text_ = text;
    HandleEvent(kEventTextChanged, 0, 0);
    // Without a name of its own the text is its name; otherwise it is a value.
    NotifyAccessible(accessibleName_.IsEmpty() ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_VALUECHANGE);
}

void SkinControl::SetText(std::string_view ansi) { SetTextW(MakeWideText(ansi)); }

void SkinControl::SetTextBytes(const ByteArray& units) { SetTextW(WideFromBytes(units)); }

void SkinControl::SetOwned(std::shared_ptr<void> object, std::int32_t value) {
    owned_ = std::move(object);
    ownedValue_ = value;
}

std::size_t SkinControl::RegistryIndex() const {
    return Handle() != 0 ? Registry().PositionOf(Handle()).value_or(0) : 0;
}

bool SkinControl::StartTimer(std::int32_t key, std::uint32_t interval, EventParam value) {
    return control_timers::Start(*this, key, interval, value, false);
}

bool SkinControl::StartPreciseTimer(std::int32_t key, std::uint32_t interval, EventParam value) {
    return control_timers::Start(*this, key, interval, value, true);
}

void SkinControl::StopTimer(std::int32_t key) { control_timers::Stop(*this, key, false); }

void SkinControl::StopPreciseTimer(std::int32_t key) { control_timers::Stop(*this, key, true); }

void SkinControl::Render(bool force, bool skipPaint) {
    if (!surface_) return;
    // A fresh look replaces whatever a fade was heading for.
    CancelFades();
    // The look is drawn even while the host window is hidden, so that the
    // window shows it as soon as it paints its controls.
    ClearSurface(surface_);
    Draw(surface_.Graphics());
    Flush(surface_.Graphics());
    if (force || !skipPaint) PaintToHost();
}

void SkinControl::PaintToHost(const Surface* picture) { PaintArea(picture ? *picture : surface_, VisibleRect()); }

void SkinControl::PaintArea(const Surface& picture, const Rect& area) {
    const HWND window = State().hostWindow;
    if (!window || IsEmpty(area)) return;
    const auto dc = reinterpret_cast<HDC>(GetWindowProperty(window, property::kSurfaceDc));
    const auto background = reinterpret_cast<HDC>(GetWindowProperty(window, property::kBackgroundDc));
    if (!dc) return;
    Flush(reinterpret_cast<Gdiplus::GpGraphics*>(GetWindowProperty(window, property::kSurfaceGraphics)));
    // What lies beneath: the window's frame, then the hosts' pictures.
    if (background) ::BitBlt(dc, area.left, area.top, area.width, area.height, background, area.left, area.top, SRCCOPY);
    std::vector<const SkinControl*> hosts;
    for (const SkinControl* host = ControlAt(hostObject_); host && hosts.size() <= Registry().Size();
         host = ControlAt(host->hostObject_))
        hosts.push_back(host);
    for (auto host = hosts.rbegin(); host != hosts.rend(); ++host)
        if ((*host)->State().visible)
            BlendPart(dc, (*host)->surface_, (*host)->TopLevelRect(), Intersect(area, (*host)->VisibleRect()),
                      (*host)->transparency_);
    // The host's surface is off screen: a control is composed into it even
    // while the window is hidden, so the window shows it once it appears.
    if (State().visible) BlendPart(dc, picture, TopLevelRect(), area, transparency_);
    for (ObjectHandle hosted : HostedControls(Handle())) SendObjectEvent(hosted, kEventPaint);
}

void SkinControl::PaintOnHost() {
    if (!State().visible) return;
    const HWND window = State().hostWindow;
    const auto dc = reinterpret_cast<HDC>(GetWindowProperty(window, property::kSurfaceDc));
    if (!dc) return;
    Flush(reinterpret_cast<Gdiplus::GpGraphics*>(GetWindowProperty(window, property::kSurfaceGraphics)));
    BlendPart(dc, shownFrame_ ? *shownFrame_ : surface_, TopLevelRect(), VisibleRect(), transparency_);
}

void SkinControl::Refresh() {
    Render();
    UpdateHost();
}

void SkinControl::UpdateHost() { UpdateArea(VisibleRect()); }

void SkinControl::UpdateArea(const Rect& area) { SendUpdateRect(State().hostWindow, area); }

bool SkinControl::Visible(std::optional<bool> value) {
    if (value) {
        State().visible = *value;
        HandleEvent(kEventVisibilityChanged, *value, 0);
        PaintToHost();
        UpdateHost();
    }
    return State().visible;
}

bool SkinControl::Disabled(std::optional<bool> value) {
    if (value) {
        State().disabled = *value;
        HandleEvent(kEventEnabledChanged, !*value, 0);
        Refresh();
    }
    return State().disabled;
}

bool SkinControl::IsVisible() const {
    return State().visible && State().hostWindow && ::IsWindowVisible(State().hostWindow);
}

bool SkinControl::IsDisabled() const {
    return State().disabled || !State().hostWindow || !::IsWindowEnabled(State().hostWindow);
}

SkinControl::EventHandler SkinControl::SetEventHandler(std::optional<EventHandler> handler) {
    EventHandler previous = handler_;
    if (handler) handler_ = std::move(*handler);
    return previous;
}

std::int32_t SkinControl::RaiseEvent(std::int32_t event, std::optional<EventParam> p1, std::optional<EventParam> p2,
                                     std::optional<EventParam> p3, std::optional<EventParam> p4,
                                     std::optional<EventParam> p5) {
    const UserEventRecord record{event, p1.value_or(0), p2.value_or(0), p3.value_or(0), p4.value_or(0),
                                 p5.value_or(0)};
    const ObjectHandle sender = Handle();
    const HWND window = State().hostWindow;
    // Copies: the event target or the handler may delete this control.
    const EventHandler handler = handler_;
    if (eventTarget_ != 0)
        SendObjectEvent(eventTarget_, kEventForwarded, sender, reinterpret_cast<EventParam>(record.data()));
    if (!handler) return 0;
    return handler(window, sender, event, record[1], record[2], record[3], record[4], record[5]);
}

std::int32_t SkinControl::Transparency(std::optional<std::int32_t> value, bool refresh) {
    if (value) {
        transparency_ = std::clamp(*value, 0, 255);
        if (refresh) Refresh();
    }
    return transparency_;
}

bool SkinControl::IsMouseOn() const {
    return Handle() != 0 && GetWindowProperty(State().hostWindow, property::kMouseOn) == Handle();
}

void SkinControl::CaptureMouse() {
    SetWindowProperty(State().hostWindow, property::kMouseCapture, Handle());
    ::SetCapture(State().hostWindow);
}

void SkinControl::ReleaseMouse() {
    SetWindowProperty(State().hostWindow, property::kMouseCapture, 0);
    ::ReleaseCapture();
}

void SkinControl::PaintPart(std::optional<std::int32_t> x, std::optional<std::int32_t> y,
                            std::optional<std::int32_t> width, std::optional<std::int32_t> height) {
    const Rect topLevel = TopLevelRect();
    const Rect part{topLevel.left + x.value_or(0), topLevel.top + y.value_or(0), width.value_or(rect_.width),
                    height.value_or(rect_.height)};
    const Rect area = Intersect(part, VisibleRect());
    PaintArea(surface_, area);
    UpdateArea(area);
}

bool SkinControl::HasFocus() const {
    return Handle() != 0 && ::GetFocus() == State().hostWindow &&
           GetWindowProperty(State().hostWindow, property::kFocus) == Handle();
}

void SkinControl::CopySettingsFrom(const SkinControl& other) {
    rect_ = other.rect_;
    State().visible = other.State().visible;
    State().disabled = other.State().disabled;
    State().focusable = other.State().focusable;
    State().tabStop = other.State().tabStop;
    State().tabPlace = other.State().tabPlace;
    accessibleName_ = other.accessibleName_;
    transparency_ = other.transparency_;
    text_ = other.text_;
    heldValues_ = other.heldValues_;
    userFlag_ = other.userFlag_;
    handler_ = other.handler_;
    owned_ = other.owned_;
    ownedValue_ = other.ownedValue_;
    eventTarget_ = other.eventTarget_;
    toolTip_ = other.toolTip_;
}

void SkinControl::SetRect(const Rect& rect) {
    if (!attached_) {
        rect_ = rect;
        return;
    }
    const Rect before = VisibleRect();
    // The old place shows what lies beneath once the control has left it.
    const bool visible = State().visible;
    State().visible = false;
    PaintArea(surface_, before);
    UpdateArea(before);
    State().visible = visible;
    rect_ = rect;
    if (surface_.Width() != std::max(rect.width, 1) || surface_.Height() != std::max(rect.height, 1)) {
        CancelFades();
        surface_ = Surface(std::max(rect.width, 1), std::max(rect.height, 1));
    }
    HandleEvent(kEventLayout, 0, 0);
    Refresh();
}

void SkinControl::Layout() {
    // Hosts that are controls place this control inside their own
    // rectangle; the top-level window places its controls in its client area.
    Point origin;
    Rect hostVisible;
    if (const SkinControl* host = ControlAt(hostObject_)) {
        origin = {host->TopLevelRect().left, host->TopLevelRect().top};
        hostVisible = host->VisibleRect();
    } else {
        hostVisible = HostControlArea(State().hostWindow);
    }
    if (hostClip_)
        hostVisible = Intersect(hostVisible, {origin.x + hostClip_->left, origin.y + hostClip_->top, hostClip_->width,
                                              hostClip_->height});
    const Rect topLevel{origin.x + rect_.left, origin.y + rect_.top, rect_.width, rect_.height};
    const Rect visible = Intersect(topLevel, hostVisible);
    State().originRect = topLevel;
    State().hitRect = visible;
    visibleInHost_ = {visible.left - origin.x, visible.top - origin.y, visible.width, visible.height};
    PlaceToolTip();
    for (ObjectHandle hosted : HostedControls(Handle())) SendObjectEvent(hosted, kEventLayout);
}

void SkinControl::TearDown() {
    control_timers::StopAll(*this);
    toolTipWindow_.Destroy();
    fading_ = false;
    shownFrame_ = nullptr;
    fadeAlpha_ = 0;
    surface_.Release();
    newLook_.Release();
    oldLook_.Release();
    ClearHostProperties();
    attached_ = false;
    leftButton_ = false;
}

void SkinControl::ClearHostProperties() {
    const HWND window = State().hostWindow;
    if (!window || Handle() == 0) return;
    for (const char* name : {property::kFocus, property::kMouseOn, property::kMouseCapture})
        if (GetWindowProperty(window, name) == Handle()) {
            SetWindowProperty(window, name, 0);
            if (name == property::kMouseCapture && ::GetCapture() == window) ::ReleaseCapture();
        }
}

void SkinControl::PrepareFade() {
    const std::int32_t width = surface_.Width();
    const std::int32_t height = surface_.Height();
    if (newLook_.Width() != width || newLook_.Height() != height) newLook_ = Surface(width, height);
    if (oldLook_.Width() != width || oldLook_.Height() != height) oldLook_ = Surface(width, height);
    // A fade interrupted half-way continues from what it put on screen.
    if (fading_ && shownFrame_) CopySurface(*shownFrame_, surface_);
    CancelFades();
}

void SkinControl::CancelFades() {
    if (!fading_) return;
    StopTimer(kFadeTimerKey);
    StopTimer(kStateFadeTimerKey);
    fading_ = false;
    shownFrame_ = nullptr;
    fadeAlpha_ = 0;
}

void SkinControl::BeginFade(std::int32_t interval, std::int32_t step, bool overlay) {
    if (!DefaultSwitch()) {
        Refresh();
        return;
    }
    if (!surface_) return;
    PrepareFade();
    ClearSurface(newLook_);
    Draw(newLook_.Graphics());
    Flush(newLook_.Graphics());
    fadeAlpha_ = 0;
    fadeOverlay_ = overlay;
    fading_ = true;
    StartTimer(kFadeTimerKey, interval > 0 ? interval : 10, step > 0 ? step : 10);
}

void SkinControl::BeginStateFade(std::int32_t interval, std::int32_t step, std::int32_t target) {
    if (!surface_) return;
    PrepareFade();
    ClearSurface(newLook_);
    fadeTarget_ = target;
    fading_ = true;
    if (!DefaultSwitch()) {
        // Without animations the target look is shown at once.
        fadeAlpha_ = 255;
        StateFadeTick(0);
        return;
    }
    fadeAlpha_ = 0;
    StartTimer(kStateFadeTimerKey, interval > 0 ? interval : 10, step > 0 ? step : 10);
}

void SkinControl::FadeTick(std::int32_t value) {
    // 2.55 per unit of the step, truncated: step 5 advances by 12.
    fadeAlpha_ = std::min(255, fadeAlpha_ + value * 255 / 100);
    ClearSurface(oldLook_);
    const std::int32_t width = oldLook_.Width();
    const std::int32_t height = oldLook_.Height();
    Flush(surface_.Graphics());
    Flush(newLook_.Graphics());
    if (fadeOverlay_) {
        CopySurface(surface_, oldLook_);
    } else {
        BlendSurface(oldLook_.Dc(), 0, 0, width, height, surface_.Dc(), 0, 0, width, height,
                     static_cast<std::uint8_t>(255 - fadeAlpha_), AC_SRC_ALPHA);
    }
    BlendSurface(oldLook_.Dc(), 0, 0, width, height, newLook_.Dc(), 0, 0, width, height,
                 static_cast<std::uint8_t>(fadeAlpha_), AC_SRC_ALPHA);
    ShowFrame(oldLook_);
    if (fadeAlpha_ >= 255) FinishFade(kFadeTimerKey);
}

void SkinControl::StateFadeTick(std::int32_t value) {
    fadeAlpha_ = std::min(fadeAlpha_, 255);
    DrawStateFade(newLook_, fadeAlpha_, fadeTarget_);
    Flush(newLook_.Graphics());
    ShowFrame(newLook_);
    if (fadeAlpha_ >= 255) FinishFade(kStateFadeTimerKey);
    else fadeAlpha_ += value * 255 / 100;
}

void SkinControl::FinishFade(std::int32_t key) {
    StopTimer(key);
    CopySurface(newLook_, surface_);
    fadeAlpha_ = 0;
    fading_ = false;
    shownFrame_ = nullptr;
}

void SkinControl::ShowFrame(const Surface& frame) {
    shownFrame_ = &frame;
    PaintToHost(&frame);
    UpdateHost();
}

void CopySurface(const Surface& from, Surface& to) {
    if (!from || !to) return;
    Flush(from.Graphics());
    Flush(to.Graphics());
    ::BitBlt(to.Dc(), 0, 0, to.Width(), to.Height(), from.Dc(), 0, 0, SRCCOPY);
    ::GdiFlush();
}

void CopySurfaceArea(const Surface& from, Surface& to, const Rect& area) {
    if (!from || !to) return;
    Flush(from.Graphics());
    Flush(to.Graphics());
    ::BitBlt(to.Dc(), area.left, area.top, area.width, area.height, from.Dc(), area.left, area.top, SRCCOPY);
    ::GdiFlush();
}

void ClearSurface(Surface& surface) {
    if (!surface) return;
    gdip::GdipGraphicsClear(surface.Graphics(), 0);
    Flush(surface.Graphics());
}

}  // namespace lirvo
