#include "skin/window/skin_window.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/core/host_window_proc.h"
#include "skin/core/image_from_bytes.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "skin/window/focus_indicator.h"
#include "skin/window/frame_presented.h"
#include "skin/window/shadow_frame.h"

namespace lirvo {
namespace {

constexpr std::int32_t kDefaultWidth = 380;
constexpr std::int32_t kDefaultHeight = 250;
constexpr LONG kAdoptedStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr std::int32_t kIconWidthInTitle = 21;
constexpr std::int32_t kCrossFadeSteps = 10;
constexpr std::int32_t kCrossFadeStep = 25;
constexpr Margins kDefaultImageMargins{26, 26, 26, 26};

std::vector<HWND>& MutableWindowList() {
    static auto* const list = new std::vector<HWND>;
    return *list;
}

// Caption button kinds in the order the style bits add them.
constexpr struct {
    std::int32_t styleBit;
    std::int32_t kind;
} kOptionalButtons[] = {
    {window_style::kMaximiseButton, kCaptionMaximise}, {window_style::kMinimiseButton, kCaptionMinimise},
    {window_style::kButton5, kCaptionButton5},         {window_style::kButton6, kCaptionButton6},
    {window_style::kButton7, kCaptionButton7},
};

Rect WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void SetRoundedRegion(HWND window, std::int32_t width, std::int32_t height, std::int32_t radius) {
    // The window owns the region once it is set.
    ::SetWindowRgn(window, ::CreateRoundRectRgn(0, 0, width, height, radius, radius), TRUE);
}

void FlushGraphics(Gdiplus::GpGraphics* graphics) {
    if (graphics) gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
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

    // The paint offsets this window sets hold for its own first frame too:
    // painted with the offsets of the window made before it, that frame
    // would be stale before anything else happened.
    const bool shadow = frameStyle_ == kShadowFrameStyle;
    Toolkit().skinOffsetX = shadow ? kShadowOffsetX : 0;
    Toolkit().skinOffsetY = shadow ? kShadowOffsetY : 0;

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
    paintedFrame_.reset();
    FrameChanged();
    window_ = window;
    adoptedWindow_ = adopted;
}

void SkinWindow::Close() {
    if (window_) ::SendMessageW(window_, WM_CLOSE, 0, 0);
}

LRESULT SkinWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) return 0;
    const HWND window = window_;
    const WNDPROC oldProc = oldProc_;  // Destroy clears it
    // A hook, the event handler or the close transition's message loop may
    // delete this object; from then on only these copies may be used.
    const std::shared_ptr<bool> alive = alive_;
    LRESULT result = 0;
    if (preHook_) {
        const MessageHook hook = preHook_;
        if (hook(window, message, wParam, lParam, result) || !*alive) return result;
    }

    if (message == Toolkit().updateRectMessage && message != 0) {
        if (const Rect* rect = ReceivedUpdateRect(lParam)) UpdateRect(*rect);
    } else {
        switch (message) {
        case WM_MOVE:
            // A transition's frames move and size the window; its place is
            // still the one it had when the transition began, and the last
            // frame leaves it there.
            if (!animating_) RefreshBounds();
            if (captionDrag_ && !Toolkit().customCursorSet) ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
            captionDrag_ = false;
            break;
        case WM_SIZE:
            if (!animating_) RefreshBounds();
            if (!sizing_ && !animating_) {
                LayoutCaptionButtons();
                LayoutCaption();
                RebuildSurfaces();
                Refresh(false);
            }
            if (cornerRadius_ >= 1 && !animating_) SetRoundedRegion(window, bounds_.width, bounds_.height, cornerRadius_);
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(window, &paint);
            ::BitBlt(dc, 0, 0, bounds_.width, bounds_.height, mainSurface_.Dc(), 0, 0, SRCCOPY);
            ::EndPaint(window, &paint);
            break;
        }
        case WM_NCLBUTTONDOWN:
            captionDrag_ = true;
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_LBUTTONUP: {
            const std::int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            DispatchMouse(POINT{x + Toolkit().skinOffsetX, y - Toolkit().skinOffsetY}, WM_LBUTTONUP);
            break;
        }
        case WM_LBUTTONDBLCLK:
            OnLeftDoubleClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_MOUSELEAVE:
            DispatchMouse(std::nullopt, WM_MOUSELEAVE);
            mouseTracked_ = false;
            break;
        case WM_SHOWWINDOW:
            if (showEffect_ != 0) BeginTransition(kTransitionTimer + 65536 * (wParam ? 1 : 0), showInterval_);
            break;
        case WM_CLOSE:
            OnClose();
            if (!*alive || !window_) return 0;  // the window went while the transition ran
            break;
        case WM_TIMER:
            OnTimer(wParam);
            break;
        case WM_DESTROY:
            Destroy();
            break;
        case WM_SETFOCUS:
            if (accentMode_ == 1) PublishAccentColour();
            break;
        case WM_IME_CHAR:
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
    }

    if (!*alive) return result;  // the window went with its object
    if (postHook_) {
        const MessageHook hook = postHook_;
        if (hook(window, message, wParam, lParam, result) || !*alive) return result;
    }
    return oldProc ? ::CallWindowProcW(oldProc, window, message, wParam, lParam)
                   : ::DefWindowProcW(window, message, wParam, lParam);
}

void SkinWindow::OnTimer(UINT_PTR timerId) {
    if ((timerId & 0xFFFF) == kCaptionFadeTimer) FadeTick(timerId >> 16);
    else if ((timerId & 0xFFFF) == kTransitionTimer) TransitionTick(timerId);
}

void SkinWindow::SetHandlers(std::optional<EventHandler> eventHandler, std::optional<MessageHook> preHook,
                             std::optional<MessageHook> postHook) {
    if (eventHandler) eventHandler_ = std::move(*eventHandler);
    if (preHook) preHook_ = std::move(*preHook);
    if (postHook) postHook_ = std::move(*postHook);
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

void SkinWindow::Refresh(bool now) {
    if (layered_) {
        UpdateRect({});
        return;
    }
    ::InvalidateRect(window_, nullptr, TRUE);
    if (now) ::UpdateWindow(window_);
}

void SkinWindow::Repaint() { RebuildSurfaces(); }

void SkinWindow::RepaintAndRefresh() {
    Repaint();
    Refresh(true);
}

void SkinWindow::Relayout() {
    LayoutCaptionButtons();
    SendToHostedControls(kEventRedraw, 0, true);
    RebuildSurfaces();
    Refresh(true);
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
    ::ShowWindow(target, activateAfterFrame ? SW_SHOWNA : show ? SW_SHOW : SW_HIDE);
    if (transition && animating_) TransitionTick(kTransitionTimer + 65536);
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

void SkinWindow::ShowEffect(std::optional<std::int32_t> effect, std::int32_t interval) {
    if (effect) showEffect_ = *effect;
    showInterval_ = interval == 0 ? 16 : interval;
}

void SkinWindow::CloseEffect(std::optional<std::int32_t> effect, std::int32_t interval) {
    if (effect) closeEffect_ = *effect;
    closeInterval_ = interval == 0 ? 16 : interval;
}

void SkinWindow::SetMargins(const Margins& margins) { margins_ = margins; }

void SkinWindow::StopEffect(bool refresh) {
    ::KillTimer(window_, kTransitionTimer);
    ::KillTimer(window_, kTransitionTimer + 65536);
    animator_.Release();
    animating_ = false;
    animationProgress_ = animationCounter_ = 0;
    FitSurfacesToWindow();
    if (refresh) UpdateRect({});
}

void SkinWindow::FitSurfacesToWindow() {
    if (!window_) return;
    // Not every system reports the sizes of layered-window updates with WM_SIZE.
    RefreshBounds();
    if (mainSurface_.Width() == bounds_.width && mainSurface_.Height() == bounds_.height) return;
    LayoutCaptionButtons();
    LayoutCaption();
    RebuildSurfaces();
}

std::int32_t SkinWindow::BackgroundTransparency(std::optional<std::int32_t> value) {
    if (value) previousLayerTransparency_ = currentLayerTransparency_ = backgroundTransparency_ = *value;
    return backgroundTransparency_;
}

void SkinWindow::DoubleClickMaximise(bool value) { doubleClickMaximise_ = value; }

void SkinWindow::ApplyCornerRegion(bool on) {
    if (cornerRadius_ == 0) return;
    if (on) SetRoundedRegion(window_, bounds_.width, bounds_.height, cornerRadius_);
    else ::SetWindowRgn(window_, nullptr, TRUE);
}

std::int32_t SkinWindow::CaptionButtonsWidth() const {
    std::int32_t width = 0;
    for (const CaptionButton& button : captionButtons_) width += button.rect.width;
    return width;
}

Rect SkinWindow::CaptionButtonsRect() const {
    if (captionButtons_.empty()) return {};
    std::int32_t left = captionButtons_.front().rect.left;
    for (const CaptionButton& button : captionButtons_) left = std::min(left, button.rect.left);
    return {left, captionButtons_.front().rect.top, CaptionButtonsWidth(), captionButtons_.front().rect.height};
}

void SkinWindow::ApplyStyle(std::int32_t style) {
    captionButtons_.clear();
    if (style & window_style::kCaptionButtons) {
        captionButtons_.push_back({kCaptionClose});
        for (const auto& optional : kOptionalButtons)
            if (style & optional.styleBit) captionButtons_.push_back({optional.kind});
    }
    LayoutCaptionButtons();
}

void SkinWindow::LayoutCaptionButtons(std::optional<std::int32_t> width) {
    std::int32_t x = width.value_or(bounds_.width);
    for (CaptionButton& button : captionButtons_) {
        UINT imageWidth = 0, imageHeight = 0;
        if (Gdiplus::GpBitmap* image = CaptionImage(button.kind, 1)) {
            gdip::GdipGetImageWidth(image, &imageWidth);
            gdip::GdipGetImageHeight(image, &imageHeight);
        }
        x -= static_cast<std::int32_t>(imageWidth);
        button.rect = {x, 0, static_cast<std::int32_t>(imageWidth), static_cast<std::int32_t>(imageHeight)};
    }
    captionButtonsRect_ = CaptionButtonsRect();
}

Gdiplus::GpBitmap* SkinWindow::CaptionImage(std::int32_t kind, std::int32_t state) const {
    if (kind < kCaptionClose || kind > kCaptionButton7 || state < 1 || state > 3) return nullptr;
    // The built-in images are stored by kind in the same order: close to skin.
    return Toolkit().builtinSkin.CaptionButton(static_cast<CaptionButtonKind>(kind - 1),
                                               static_cast<LookState>(state - 1));
}

void SkinWindow::RestoreFromBackground(HDC dc, const Rect& rect) {
    ::BitBlt(dc, rect.left, rect.top, rect.width, rect.height, backgroundSurface_.Dc(), rect.left, rect.top, SRCCOPY);
}

void SkinWindow::PaintCaptionButtons(Gdiplus::GpGraphics* graphics, HDC dc, std::size_t index, bool animate) {
    if (index == 0) {
        for (const CaptionButton& button : captionButtons_) {
            FlushGraphics(graphics);
            RestoreFromBackground(dc, button.rect);
            DrawImage(CaptionImage(button.kind, button.state), graphics, button.rect.left, button.rect.top,
                      {button.rect.width, button.rect.height});
        }
        return;
    }
    if (index > captionButtons_.size()) return;
    CaptionButton& button = captionButtons_[index - 1];
    if (animate && button.state != button.previousState) {
        button.fadeLevel = 100;
        ::SetTimer(window_, kCaptionFadeTimer + 65536 * static_cast<UINT>(index), kCaptionFadeInterval, nullptr);
        return;
    }
    FlushGraphics(graphics);
    RestoreFromBackground(dc, button.rect);
    DrawImage(CaptionImage(button.kind, button.state), graphics, button.rect.left, button.rect.top,
              {button.rect.width, button.rect.height});
    UpdateRect(button.rect);
}

std::int32_t SkinWindow::FadeTick(std::size_t index) {
    if (index < 1 || index > captionButtons_.size() || !mainSurface_) return 0;
    CaptionButton& button = captionButtons_[index - 1];
    button.fadeLevel = std::max(button.fadeLevel - kCaptionFadeStep, 0);
    Gdiplus::GpGraphics* graphics = mainSurface_.Graphics();
    FlushGraphics(graphics);
    RestoreFromBackground(mainSurface_.Dc(), button.rect);
    const Rect& r = button.rect;
    DrawImage(CaptionImage(button.kind, button.previousState), graphics, r.left, r.top,
              {r.width, r.height, 0, 0, std::nullopt, std::nullopt, button.fadeLevel});
    DrawImage(CaptionImage(button.kind, button.state), graphics, r.left, r.top,
              {r.width, r.height, 0, 0, std::nullopt, std::nullopt, 100 - button.fadeLevel});
    FlushGraphics(graphics);
    UpdateRect(r);
    if (button.fadeLevel == 0) {
        ::KillTimer(window_, kCaptionFadeTimer + 65536 * static_cast<UINT>(index));
        button.previousState = button.state;
    }
    return button.fadeLevel;
}

void SkinWindow::ChangeCaptionButtonState(std::size_t index, std::int32_t state) {
    if (index < 1 || index > captionButtons_.size()) return;
    CaptionButton& button = captionButtons_[index - 1];
    if (button.state == state) return;
    button.previousState = button.state;
    button.state = state;
    button.dirty = true;
}

bool SkinWindow::DragAnywhere(std::optional<bool> value) {
    if (value) dragAnywhere_ = *value;
    return dragAnywhere_;
}

void SkinWindow::TrackMouseLeave() {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
    ::TrackMouseEvent(&track);
}

void SkinWindow::RebuildSurfaces() {
    if (!window_) return;
    // Surfaces of the right size are reused: allocating two window-sized DIB
    // sections on every repaint cost more than all the drawing. The main
    // surface needs no clearing, the frame is copied over all of it.
    if (mainSurface_.Width() != bounds_.width || mainSurface_.Height() != bounds_.height || !mainSurface_) {
        mainSurface_ = Surface(bounds_.width, bounds_.height);
        backgroundSurface_ = Surface(bounds_.width, bounds_.height);
        paintedFrame_.reset();
    }
    SetWindowProperty(window_, property::kSurfaceDc, reinterpret_cast<std::intptr_t>(mainSurface_.Dc()));
    SetWindowProperty(window_, property::kBackgroundDc, reinterpret_cast<std::intptr_t>(backgroundSurface_.Dc()));
    SetWindowProperty(window_, property::kSurfaceGraphics, reinterpret_cast<std::intptr_t>(mainSurface_.Graphics()));
    SetWindowProperty(window_, property::kBackgroundGraphics,
                      reinterpret_cast<std::intptr_t>(backgroundSurface_.Graphics()));
    // The frame goes onto the background surface first: the caption buttons
    // and controls restore what lies under them from it. On two cleared
    // surfaces the main surface's frame would come out the same pixel for
    // pixel, so it is copied instead of drawn twice; and while nothing it is
    // painted from changed, the frame painted last time is still right.
    if (paintedFrame_ != CurrentFrameInputs()) {
        backgroundSurface_.Clear();
        PaintFrame(backgroundSurface_.Graphics(), backgroundSurface_.Dc());
        // Painting may settle inputs (the default picture margins).
        paintedFrame_ = CurrentFrameInputs();
        ReleaseLayersUnlessFading();
    } else if (accentMode_ == 1) {
        PublishAccentColour();
    }
    CopyFrameToMainSurface();
    RedrawControls(mainSurface_.Graphics());
}

void SkinWindow::CopyFrameToMainSurface() {
    ::BitBlt(mainSurface_.Dc(), 0, 0, bounds_.width, bounds_.height, backgroundSurface_.Dc(), 0, 0, SRCCOPY);
    PaintCaptionButtons(mainSurface_.Graphics(), mainSurface_.Dc(), 0, false);
    FlushGraphics(mainSurface_.Graphics());
}

Rect SkinWindow::LayoutCaption() {
    const TextSize measured = titleFont_ ? MeasureText(title_, titleFont_) : TextSize{};
    captionRect_ = {0, 0, bounds_.width - CaptionButtonsWidth(), measured.height};
    titleRect_ = captionRect_;
    if (systemIcon_ || customIcon_) titleRect_.width -= kIconWidthInTitle;
    return captionRect_;
}

void SkinWindow::RefreshSystemIcon() {
    if (!customIcon_ && !iconRemoved_)
        systemIcon_ = reinterpret_cast<HICON>(::SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
}

SkinWindow::FrameInputs SkinWindow::CurrentFrameInputs() {
    RefreshSystemIcon();
    return {.width = bounds_.width,
            .height = bounds_.height,
            .offsetX = Toolkit().skinOffsetX,
            .offsetY = Toolkit().skinOffsetY,
            .backgroundMode = backgroundMode_,
            .backgroundColour = backgroundColour_,
            .previousLayerColour = previousLayerColour_,
            .margins = margins_,
            .previousLayerTransparency = previousLayerTransparency_,
            .currentLayerTransparency = currentLayerTransparency_,
            .systemIcon = reinterpret_cast<std::uintptr_t>(systemIcon_),
            .customIcon = customIcon_,
            .titleWidth = titleRect_.width,
            .titleHeight = titleRect_.height,
            .frameStyle = frameStyle_,
            .cornerRadius = cornerRadius_,
            .innerBorderColour = innerBorderColour_,
            .outerBorderColour = outerBorderColour_,
            .revision = revision_};
}

void SkinWindow::PaintFrame(Gdiplus::GpGraphics* graphics, HDC dc) {
    PaintBackground(graphics, dc);

    RefreshSystemIcon();
    if (systemIcon_ && !customIcon_) {
        DrawIconHandle(graphics, systemIcon_, 7, 6);
    } else if (customIcon_ && !iconBytes_.empty()) {
        DrawImage(ImageFromBytes(iconBytes_).get(), graphics, 7, 6, {16, 16});
    }

    const std::int32_t dx = Toolkit().skinOffsetX;
    const std::int32_t dy = Toolkit().skinOffsetY;
    const bool anyIcon = systemIcon_ || customIcon_;
    titleRect_.left = dx + (anyIcon ? 28 : 5);
    titleRect_.top = dy + 5;
    DrawStyledText(graphics, titleFont_, title_, titleRect_);

    const std::int32_t width = bounds_.width;
    const std::int32_t height = bounds_.height;
    if (frameStyle_ == kShadowFrameStyle)
        DrawNineGrid(graphics, ShadowFrameImage(), 0, 0, width, height, kShadowFrameMargins);
    // Frame style 4 asks for the background colour to be applied again; the
    // colour is already painted by PaintBackground, so nothing more is drawn.
    if (cornerRadius_ > 0) {
        DrawRoundRectOutline(graphics, outerBorderColour_, 0, 0, width - 2, height - 2, cornerRadius_ - 1);
        DrawRoundRectOutline(graphics, innerBorderColour_, 1, 1, width - 4, height - 4, cornerRadius_ - 1);
    } else {
        DrawRectOutline(graphics, outerBorderColour_, 0, 0, width - 1, height - 1);
        DrawRectOutline(graphics, innerBorderColour_, 1, 1, width - 3, height - 3);
    }
    FlushGraphics(graphics);
}

void SkinWindow::PaintBackground(Gdiplus::GpGraphics* graphics, HDC dc) {
    const std::int32_t width = bounds_.width;
    const std::int32_t height = bounds_.height;
    // An image without margins is framed by 26-pixel margins; it is drawn
    // with them at once, so the first frame already shows it.
    if (backgroundImage_ && margins_.right == 0 && !(backgroundMode_ & kBackgroundNaturalSize))
        SetMargins(kDefaultImageMargins);
    if (accentMode_ == 1) PublishAccentColour();
    FlushGraphics(graphics);

    // The layers are blended without per-pixel alpha: at full strength a
    // layer replaces everything under it, at none it leaves it as it was.
    const auto previousAlpha = static_cast<std::uint8_t>(255 - previousLayerTransparency_);
    const auto currentAlpha = static_cast<std::uint8_t>(255 - currentLayerTransparency_);
    LayerInputs inputs{.width = width,
                       .height = height,
                       .offsetX = Toolkit().skinOffsetX,
                       .offsetY = Toolkit().skinOffsetY,
                       .backgroundMode = backgroundMode_,
                       .colour = backgroundColour_,
                       .withImage = static_cast<bool>(backgroundImage_),
                       .margins = margins_,
                       .revision = revision_};
    PaintLayer(currentLayer_, inputs);
    if (currentAlpha == 255) {
        ::BitBlt(dc, 0, 0, width, height, currentLayer_.surface.Dc(), 0, 0, SRCCOPY);
        return;
    }
    if (previousAlpha != 0) {
        inputs.colour = previousLayerColour_;
        inputs.withImage = false;
        inputs.margins = {};
        BlendColourLayer(dc, inputs, previousAlpha);
    }
    if (currentAlpha != 0)
        BlendSurface(dc, 0, 0, width, height, currentLayer_.surface.Dc(), 0, 0, width, height, currentAlpha, 0);
}

void SkinWindow::PaintLayer(CachedLayer& layer, const LayerInputs& inputs) {
    if (layer.surface && layer.inputs == inputs) return;
    if (layer.surface.Width() != inputs.width || layer.surface.Height() != inputs.height || !layer.surface)
        layer.surface = Surface(inputs.width, inputs.height);
    else
        layer.surface.Clear();
    Gdiplus::GpGraphics* graphics = layer.surface.Graphics();
    if (!(inputs.backgroundMode & kBackgroundNoFill))
        FillClearedSurface(layer.surface, inputs.colour, inputs.offsetX, inputs.offsetY, inputs.width, inputs.height);
    Gdiplus::GpBitmap* picture = inputs.withImage ? backgroundImage_.Pixels() : nullptr;
    if (picture) {
        if (inputs.margins.right != 0) {
            if (!StoreOpaquePicture(layer.surface, picture))
                DrawNineGrid(graphics, picture, 0, 0, inputs.width, inputs.height, inputs.margins);
        } else {
            UINT imageWidthU = 0, imageHeightU = 0;
            gdip::GdipGetImageWidth(picture, &imageWidthU);
            gdip::GdipGetImageHeight(picture, &imageHeightU);
            const auto imageWidth = static_cast<std::int32_t>(imageWidthU);
            const auto imageHeight = static_cast<std::int32_t>(imageHeightU);
            DrawImage(picture, graphics, 0, 0);
            // Fade the right and bottom edges into the background colour.
            const Argb clear = inputs.colour & 0x00FFFFFF;
            const struct {
                Rect area;
                Gdiplus::Point from, to;
            } fades[] = {
                {{imageWidth - 50, 0, 50, imageHeight}, {imageWidth - 50, 0}, {imageWidth, 0}},
                {{0, imageHeight - 50, imageWidth, 50}, {0, imageHeight - 50}, {0, imageHeight}},
            };
            for (const auto& fade : fades) {
                Gdiplus::GpLineGradient* gradient = nullptr;
                gdip::GdipCreateLineBrushI(&fade.from, &fade.to, clear, inputs.colour, Gdiplus::WrapModeTileFlipX,
                                           &gradient);
                gdip::GdipFillRectangleI(graphics, gradient, fade.area.left, fade.area.top, fade.area.width,
                                         fade.area.height);
                gdip::GdipDeleteBrush(gradient);
            }
        }
    }
    FlushGraphics(graphics);
    layer.inputs = inputs;
    // The layer now holds what the picture gave. A window the user can size
    // keeps the pixels: every step of a sizing paints them again.
    if (picture && !resizable_) backgroundImage_.ReleasePixels();
}

std::size_t SkinWindow::PixelBytesHeld() const {
    std::size_t bytes = backgroundImage_.PixelBytes();
    for (const Surface* surface : {&mainSurface_, &backgroundSurface_, &previousLayer_.surface, &currentLayer_.surface})
        if (*surface) bytes += std::size_t{4} * static_cast<std::size_t>(surface->Width()) * surface->Height();
    return bytes;
}

void SkinWindow::BlendColourLayer(HDC dc, const LayerInputs& inputs, std::uint8_t alpha) {
    const bool filled = !(inputs.backgroundMode & kBackgroundNoFill);
    if (!previousLayer_.surface || previousLayer_.inputs != inputs) {
        previousLayer_.surface = Surface(2, 1);
        if (filled) {
            FillRectColour(previousLayer_.surface.Graphics(), inputs.colour, 0, 0, 1, 1);
            FlushGraphics(previousLayer_.surface.Graphics());
        }
        previousLayer_.inputs = inputs;
    }
    const std::int32_t width = inputs.width, height = inputs.height;
    // Where the fill lies once the paint offsets moved it; the rest is clear.
    const std::int32_t left = filled ? std::clamp(inputs.offsetX, 0, width) : 0;
    const std::int32_t right = filled ? std::clamp(inputs.offsetX + width, 0, width) : 0;
    const std::int32_t top = filled ? std::clamp(inputs.offsetY, 0, height) : 0;
    const std::int32_t bottom = filled ? std::clamp(inputs.offsetY + height, 0, height) : 0;
    HDC swatch = previousLayer_.surface.Dc();
    const auto blend = [&](std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t pixel) {
        if (w > 0 && h > 0) BlendSurface(dc, x, y, w, h, swatch, pixel, 0, 1, 1, alpha, 0);
    };
    constexpr std::int32_t kFillPixel = 0, kClearPixel = 1;
    blend(left, top, right - left, bottom - top, kFillPixel);
    blend(0, 0, width, top, kClearPixel);
    blend(0, bottom, width, height - bottom, kClearPixel);
    blend(0, top, left, bottom - top, kClearPixel);
    blend(right, top, width - right, bottom - top, kClearPixel);
}

void SkinWindow::PublishAccentColour() {
    Gdiplus::ARGB colour = backgroundColour_;
    if (backgroundImage_) colour = backgroundImage_.AccentPixel().value_or(colour);
    AccentColour() = ColourToArgb(static_cast<std::uint32_t>(colour) & 0xFFFFFF);
}

void SkinWindow::PaintAll(Gdiplus::GpGraphics* graphics, HDC dc) {
    PaintFrame(graphics, dc);
    PaintCaptionButtons(graphics, dc, 0, false);
    FlushGraphics(graphics);
}

std::optional<std::size_t> SkinWindow::RegistryPosition() const {
    return Handle() != 0 ? Toolkit().objectRegistry.PositionOf(Handle()) : std::nullopt;
}

void SkinWindow::SendToHostedControls(std::int32_t event, EventParam p1, bool onlyDeeper) {
    const auto position = RegistryPosition();
    if (!position) return;
    ObjectRegistry& registry = Toolkit().objectRegistry;
    // Newer entries stand before the window's own; a handler may change the
    // registry, so each step looks the position up again.
    std::vector<ObjectHandle> targets;
    for (std::size_t i = *position; i > 1; --i) {
        const SkinObject* object = registry.ObjectAt(i - 1);
        if (!object) break;
        if (onlyDeeper ? object->State().depth <= State().depth : object->State().hostWindow != window_) break;
        targets.push_back(object->Handle());
    }
    for (ObjectHandle target : targets) SendObjectEvent(target, event, p1);
}

void SkinWindow::RedrawControls(Gdiplus::GpGraphics* graphics) {
    SendToHostedControls(kEventPaintOnHost, reinterpret_cast<EventParam>(graphics), false);
}

void SkinWindow::SetIcon(const ByteArray& imageBytes) {
    if (!customIcon_ && !systemIcon_) titleRect_.width -= kIconWidthInTitle;
    customIcon_ = true;
    iconBytes_ = imageBytes;
    FrameChanged();
    RepaintLayers();
}

void SkinWindow::ResetIcon() {
    if (customIcon_) titleRect_.width += kIconWidthInTitle;
    customIcon_ = false;
    iconRemoved_ = true;
    systemIcon_ = nullptr;
    iconBytes_.clear();
    // The frame is keyed by which icon it shows: with none shown before, the
    // frame is unchanged and is not painted again.
    RepaintLayers();
}

void SkinWindow::RepaintLayers() {
    if (!mainSurface_) return;
    if (static_cast<std::uint8_t>(255 - currentLayerTransparency_) == 255) {
        // An opaque top layer replaces all that was under the frame, so the
        // frame does not depend on what was there: while nothing it is
        // painted from changed, the one painted last is still right, and the
        // main surface's would be the same again.
        if (paintedFrame_ != CurrentFrameInputs()) {
            PaintFrame(backgroundSurface_.Graphics(), backgroundSurface_.Dc());
            paintedFrame_ = CurrentFrameInputs();
        }
        CopyFrameToMainSurface();
    } else {
        PaintFrame(backgroundSurface_.Graphics(), backgroundSurface_.Dc());
        paintedFrame_.reset();  // blended over what was there
        PaintAll(mainSurface_.Graphics(), mainSurface_.Dc());
    }
    ReleaseLayersUnlessFading();
    RedrawControls(mainSurface_.Graphics());
    Refresh(true);
}

void SkinWindow::CrossFade() {
    crossFading_ = true;
    for (std::int32_t step = 1; step <= kCrossFadeSteps; ++step) {
        previousLayerTransparency_ = kCrossFadeStep * step;
        currentLayerTransparency_ = 250 - kCrossFadeStep * step;
        if (backgroundTransparency_ >= 1) RepaintAndRefresh();
        else RepaintLayers();
        if (previousLayerTransparency_ >= 255 - backgroundTransparency_) break;
    }
    crossFading_ = false;
    // The last step painted the frame: two window-sized layers kept until the
    // next change would be memory spent on nothing.
    ReleaseLayersUnlessFading();
}

void SkinWindow::ReleaseLayersUnlessFading() {
    if (crossFading_) return;
    previousLayer_ = {};
    currentLayer_ = {};
}

void SkinWindow::SetBackground(const ByteArray& imageBytes, std::optional<FontDescription> titleFont) {
    backgroundImage_.Assign(imageBytes);
    backgroundColour_ = SampleImageColour(backgroundImage_.Pixels());
    previousLayerColour_ = backgroundColour_;
    FrameChanged();

    if (titleFont) {
        const FontDescription& current = titleFont_.Description();
        FontDescription merged = *titleFont;
        if (merged.styleFlags == DefaultTextFormat()) merged.styleFlags = current.styleFlags;
        if (merged.size == 12) merged.size = current.size;
        if (merged.textColour == 0) merged.textColour = current.textColour;
        if (merged.glowColour == 0) merged.glowColour = current.glowColour;
        merged.fontFamily = current.fontFamily;
        titleFont_ = FontRecord(merged);
        FrameChanged();
    }

    CrossFade();
    AccentContrastColour() = ContrastColour(AccentColour());
    if (accentMode_ == 1) PublishAccentColour();
    Relayout();
}

void SkinWindow::SetBackgroundColour(std::optional<Argb> colour) {
    if (!colour) return;
    backgroundImage_.Reset();
    FrameChanged();
    previousLayerColour_ = backgroundColour_;
    backgroundColour_ = *colour | 0xFF000000u;
    FontDescription description = titleFont_.Description();
    const Argb contrast = ContrastColour(backgroundColour_);
    description.textColour = 0xFE000000u | contrast;
    description.glowColour = 0xFE000000u | (contrast ^ 0xFFFFFFu);
    titleFont_ = FontRecord(description);
    CrossFade();
}

void SkinWindow::UpdateRect(const Rect& rect) {
    if (animating_ || !window_ || !mainSurface_) return;
    const Rect indicator = PresentFocusIndicator(window_, mainSurface_);
    FlushGraphics(mainSurface_.Graphics());
    if (layered_) {
        POINT position{bounds_.left, bounds_.top};
        SIZE size{bounds_.width, bounds_.height};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity_, AC_SRC_ALPHA};
        if (::UpdateLayeredWindow(window_, windowDc_, &position, &size, mainSurface_.Dc(), &source, 0, &blend,
                                  ULW_ALPHA))
            NotifyFramePresented(window_);
        return;
    }
    ::BitBlt(windowDc_, rect.left, rect.top, rect.width, rect.height, mainSurface_.Dc(), rect.left, rect.top, SRCCOPY);
    ::BitBlt(windowDc_, indicator.left, indicator.top, indicator.width, indicator.height, mainSurface_.Dc(),
             indicator.left, indicator.top, SRCCOPY);
}

}  // namespace lirvo
