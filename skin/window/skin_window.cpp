// SkinWindow: creation and destruction, the window list, and the window's
// place, size and states (visible, enabled, top-most, layered, opacity).

#include "skin/window/skin_window.h"

#include <algorithm>

#include "skin/core/host_window_proc.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "skin/window/shadow_frame.h"
#include "skin/window/skin_window_parts.h"

namespace lirvo {
namespace {

using window_parts::SetRoundedRegion;
using window_parts::WindowRect;

constexpr std::int32_t kDefaultWidth = 380;
constexpr std::int32_t kDefaultHeight = 250;
constexpr LONG kAdoptedStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

std::vector<HWND>& MutableWindowList() {
    static auto* const list = new std::vector<HWND>;
    return *list;
}

}  // namespace

Argb& AccentColour() {
    static Argb colour = 0;
    return colour;
}

Argb& AccentContrastColour() {
    static Argb colour = 0;
    return colour;
}

const std::vector<HWND>& WindowList() { return MutableWindowList(); }

SkinWindow::SkinWindow() = default;

SkinWindow::~SkinWindow() {
    *alive_ = false;
    if (window_) Destroy();
}

void SkinWindow::RefreshBounds() { bounds_ = WindowRect(window_); }

std::int32_t SkinWindow::Create(const CreateArgs& args) {
    innerBorderColour_ = args.innerBorderColour.value_or(ColourToArgb(0xFFFFFF, 96));
    outerBorderColour_ = args.outerBorderColour.value_or(ColourToArgb(0x000000, 96));
    accentMode_ = args.accentMode.value_or(0);
    frameStyle_ = args.frameStyle.value_or(0);
    // The body of a shadow-framed window starts inside its shadow.
    const bool shadow = frameStyle_ == kShadowFrameStyle;
    paintOffsetX_ = shadow ? kShadowOffsetX : 0;
    paintOffsetY_ = shadow ? kShadowOffsetY : 0;
    dragAnywhere_ = args.dragAnywhere.value_or(false);
    const std::int32_t style = args.style.value_or(DefaultWindowFlags());

    Rect bounds = args.bounds.value_or(Rect{0, 0, kDefaultWidth, kDefaultHeight});
    if (args.existingWindow && ::IsWindow(*args.existingWindow)) {
        adoptedWindow_ = *args.existingWindow;
        window_ = adoptedWindow_;
        ::SetWindowLongW(window_, GWL_STYLE, kAdoptedStyle);
    } else {
        const std::wstring className = MakeWideText(kWindowClassName).ToWString();
        window_ = ::CreateWindowExW((style & window_style::kToolWindow) ? WS_EX_TOOLWINDOW : 0, className.c_str(), L"",
                                    kAdoptedStyle, bounds.left, bounds.top, bounds.width, bounds.height, nullptr,
                                    nullptr, nullptr, nullptr);
        if (!window_) {
            // Nothing is registered or taken for a window that does not exist:
            // a null handle on the window list would keep the process alive
            // after the last real window closed.
            ResetFields();
            return 0;
        }
    }
    State().hostWindow = window_;
    State().depth = 0;

    ObjectRegistry& registry = Toolkit().objectRegistry;
    SetHandle(registry.NewWindowHandle());
    SetWindowProperty(window_, property::kObjectId, Handle());
    registry.Insert(1, *this);

    SetWindowProperty(window_, property::kThis,
                      reinterpret_cast<std::intptr_t>(static_cast<WindowMessageTarget*>(this)));
    oldProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window_, GWLP_WNDPROC));
    SetWindowProperty(window_, property::kOldProc, reinterpret_cast<std::intptr_t>(oldProc_));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWindowProc));

    windowDc_ = ::GetDC(window_);

    const bool centre = style & window_style::kCentre;
    if (centre) {
        if (!args.bounds) {
            const Rect actual = WindowRect(window_);
            bounds.width = actual.width;
            bounds.height = actual.height;
        }
        bounds.left = (::GetSystemMetrics(SM_CXSCREEN) - bounds.width) / 2;
        bounds.top = (::GetSystemMetrics(SM_CYSCREEN) - bounds.height) / 2;
    }
    if (args.bounds || centre) ::MoveWindow(window_, bounds.left, bounds.top, bounds.width, bounds.height, FALSE);
    RefreshBounds();

    ApplyStyle(style);
    titleFont_ = FontRecord(args.titleFont.value_or(FontDescription{}));
    if (args.title) Title(*args.title);

    if (!args.backgroundImage) {
        backgroundColour_ = args.frameStyle ? static_cast<Argb>(*args.frameStyle) : kDefaultBackgroundColour;
    } else {
        backgroundImage_.Assign(*args.backgroundImage);
        backgroundColour_ = SampleImageColour(backgroundImage_.Pixels());
        previousLayerColour_ = backgroundColour_;
        backgroundMode_ = args.frameStyle.value_or(0);
    }
    FrameChanged();

    // The toolkit's pair tells the application the offsets of the window
    // made last; each window paints and hit-tests with its own.
    Toolkit().skinOffsetX = paintOffsetX_;
    Toolkit().skinOffsetY = paintOffsetY_;

    RebuildSurfaces();
    TrackMouseLeave();
    Movable(true);
    MutableWindowList().push_back(window_);
    return 1;
}

void SkinWindow::Destroy() {
    if (!window_) return;
    const HWND window = window_;
    // Controls go first, while the surfaces they draw into still exist; the
    // host procedure would only reach them on WM_DESTROY, which an object
    // disposed of directly never routes.
    ObjectRegistry& registry = Toolkit().objectRegistry;
    for (std::size_t i = 1; i <= registry.Size();) {
        const SkinObject* object = registry.ObjectAt(i);
        if (object && object != this && object->Handle() > 0 && object->State().hostWindow == window) {
            if (RemoveObjectAt(i) == 0) ++i;
        } else {
            ++i;
        }
    }
    registry.Remove(Handle());

    mainSurface_.Release();
    backgroundSurface_.Release();
    previousLayer_ = {};
    currentLayer_ = {};
    backgroundImage_.Reset();
    titleFont_ = FontRecord();
    if (oldProc_) ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    for (const char* name : {property::kOldProc, property::kThis, property::kFocus, property::kSurfaceDc,
                             property::kSurfaceGraphics, property::kObjectId})
        SetWindowProperty(window, name, 0);
    ::ReleaseDC(window, windowDc_);
    ::KillTimer(window, kTransitionTimer);
    ::KillTimer(window, kTransitionTimer + 65536);
    animator_.Release();
    toolTip_.Destroy();
    for (std::size_t i = 1; i <= captionButtons_.size(); ++i)
        ::KillTimer(window, kCaptionFadeTimer + 65536 * static_cast<UINT>(i));
    ResetFields();
    SetHandle(0);
    ::DestroyWindow(window);

    std::vector<HWND>& list = MutableWindowList();
    auto found = std::find(list.rbegin(), list.rend(), window);
    if (found != list.rend()) {
        list.erase(std::next(found).base());
        if (list.empty()) ::TerminateProcess(::GetCurrentProcess(), 0);
    }
    window_ = nullptr;
    adoptedWindow_ = nullptr;
}

void SkinWindow::ResetFields() {
    const HWND window = window_;
    const HWND adopted = adoptedWindow_;
    windowDc_ = nullptr;
    oldProc_ = nullptr;
    bounds_ = {};
    previousLayerColour_ = 0;
    backgroundMode_ = 0;
    margins_ = {};
    previousLayerTransparency_ = 0;
    title_.Clear();
    captionRect_ = titleRect_ = captionButtonsRect_ = {};
    movable_ = resizable_ = false;
    cornerRadius_ = 0;
    captionButtons_.clear();
    buttonsIdle_ = mouseTracked_ = false;
    preHook_ = nullptr;
    postHook_ = nullptr;
    eventHandler_ = nullptr;
    sizing_ = captionDrag_ = layered_ = false;
    opacity_ = 255;
    animating_ = false;
    animationProgress_ = animationCounter_ = 0;
    showEffect_ = closeEffect_ = 0;
    showInterval_ = closeInterval_ = 16;
    frameStyle_ = accentMode_ = 0;
    maximised_ = false;
    currentLayerTransparency_ = 0;
    backgroundColour_ = kDefaultBackgroundColour;
    customIcon_ = false;
    iconBytes_.clear();
    innerBorderColour_ = outerBorderColour_ = 0;
    backgroundTransparency_ = 0;
    doubleClickMaximise_ = dragAnywhere_ = false;
    systemIcon_ = nullptr;
    iconRemoved_ = false;
    transitionHome_ = {};
    paintOffsetX_ = paintOffsetY_ = 0;
    paintedFrame_.reset();
    FrameChanged();
    window_ = window;
    adoptedWindow_ = adopted;
}

void SkinWindow::Close() {
    if (window_) ::SendMessageW(window_, WM_CLOSE, 0, 0);
}

void SkinWindow::Move(std::optional<std::int32_t> left, std::optional<std::int32_t> top,
                      std::optional<std::int32_t> width, std::optional<std::int32_t> height) {
    ::MoveWindow(window_, left.value_or(bounds_.left), top.value_or(bounds_.top), width.value_or(bounds_.width),
                 height.value_or(bounds_.height), TRUE);
}

WideText SkinWindow::Title(std::optional<WideText> title) {
    if (title) {
        title_ = std::move(*title);
        FrameChanged();
        ::SetWindowTextW(window_, title_.ToWString().c_str());
        LayoutCaption();
    }
    return title_;
}

bool SkinWindow::Movable(std::optional<bool> value) {
    if (value) movable_ = *value;
    return movable_;
}

std::int32_t SkinWindow::CornerRadius(std::optional<std::int32_t> radius, bool refresh) {
    if (radius) {
        cornerRadius_ = *radius;
        if (cornerRadius_ != 0) SetRoundedRegion(window_, bounds_.width, bounds_.height, cornerRadius_);
        else ::SetWindowRgn(window_, nullptr, TRUE);
        if (refresh) RepaintAndRefresh();
    }
    return cornerRadius_;
}

bool SkinWindow::Show(std::optional<bool> visible) {
    const bool show = visible.value_or(true);
    const bool wasVisible = ::IsWindowVisible(window_) != FALSE;
    const HWND target = adoptedWindow_ ? adoptedWindow_ : window_;
    // A show transition puts its first frame up as soon as the window is on
    // the screen, not after whatever the caller builds next and the timer's
    // first tick; the later frames keep the timer's pace. A top-level window
    // is activated, as showing it does, right after that frame: activating
    // costs more than the frame, and the frame is what the user waits for.
    const bool transition = show && !wasVisible && showEffect_ != 0;
    const bool activateAfterFrame = transition && !(::GetWindowLongW(target, GWL_STYLE) & WS_CHILD);
    // A hide shows its frames on the window while it is still on the screen,
    // and only then takes it away. Frames reach the screen on a layered
    // window only: any other goes at once.
    const bool hideFrames = !show && wasVisible && showEffect_ != 0 && layered_;
    if (hideFrames && !PlayHideFrames()) return false;
    ::ShowWindow(target, activateAfterFrame ? SW_SHOWNA : show ? SW_SHOW : SW_HIDE);
    if (hideFrames) {
        PutBackInPlace();
        ApplyCornerRegion(true);
    }
    if (transition && animating_) TransitionTick(kTransitionTimer + 65536);
    // A layered window shows what it was last given, which may be the faded
    // last frame of a hide: without a transition it gets its picture again.
    else if (show && !wasVisible && layered_) UpdateRect({});
    if (activateAfterFrame) ::SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return ::IsWindowVisible(window_) != FALSE;
}

bool SkinWindow::Disabled(std::optional<bool> value) {
    if (value) ::EnableWindow(window_, !*value);
    return !::IsWindowEnabled(window_);
}

void SkinWindow::BringToFront() { ::SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

void SkinWindow::SendToBack() {
    ::SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool SkinWindow::TopMost(std::optional<bool> value) {
    if (value) ::SetWindowPos(window_, *value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return (::GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool SkinWindow::Resizable(std::optional<bool> value) {
    if (value) resizable_ = *value;
    return resizable_;
}

bool SkinWindow::Layered(std::optional<bool> value, bool refresh) {
    if (value) {
        const LONG exStyle = ::GetWindowLongW(window_, GWL_EXSTYLE);
        ::SetWindowLongW(window_, GWL_EXSTYLE, *value ? exStyle | WS_EX_LAYERED : exStyle & ~WS_EX_LAYERED);
        layered_ = *value;
        if (refresh) UpdateRect({});
    }
    return layered_;
}

std::uint8_t SkinWindow::Opacity(std::optional<std::int32_t> value, bool refresh) {
    if (value) {
        opacity_ = static_cast<std::uint8_t>(*value & 0xFF);
        if (refresh) RepaintAndRefresh();
    }
    return opacity_;
}

Rect SkinWindow::BodyRect() const {
    return {paintOffsetX_, paintOffsetY_, bounds_.width - 2 * paintOffsetX_, bounds_.height - 2 * paintOffsetY_};
}

void SkinWindow::DoubleClickMaximise(bool value) { doubleClickMaximise_ = value; }

void SkinWindow::ApplyCornerRegion(bool on) {
    if (cornerRadius_ == 0) return;
    if (on) SetRoundedRegion(window_, bounds_.width, bounds_.height, cornerRadius_);
    else ::SetWindowRgn(window_, nullptr, TRUE);
}

}  // namespace lirvo
