#include "runtime/form.h"

#include <algorithm>

#include "skin/core/wide_text.h"

namespace lirvo::runtime {
namespace {

constexpr wchar_t kFormClass[] = L"Lirvo.Runtime.Form";
// Links a form's window to its Form object.
constexpr wchar_t kFormProperty[] = L"Lirvo.Runtime.Form";
// Timer ids of the runtime's components sit far above the small ids that
// window code picks for its own timers on the same window.
constexpr UINT_PTR kFirstTimerId = 0x4C520001;

std::vector<Form*>& LoadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

UINT_PTR NextTimerId() {
    static UINT_PTR next = kFirstTimerId;
    return next++;
}

}  // namespace

TimerComponent::TimerComponent(Form& owner) : owner_(owner), id_(NextTimerId()) { owner_.timers_.push_back(this); }

TimerComponent::~TimerComponent() {
    Stop();
    std::erase(owner_.timers_, this);
}

void TimerComponent::Start() {
    if (period_ <= 0 || !owner_.window_) return;
    running_ = ::SetTimer(owner_.window_, id_, static_cast<UINT>(period_), nullptr) != 0;
}

void TimerComponent::Stop() {
    if (running_ && owner_.window_) ::KillTimer(owner_.window_, id_);
    running_ = false;
}

void SetTimerPeriod(Form& form, TimerComponent& timer, std::int32_t period) {
    if (&timer.Owner() != &form) return;
    period = std::max(period, 0);
    if (period == timer.period_) return;
    timer.Stop();
    timer.period_ = period;
    timer.Start();
}

Form::Form(FormLayout layout) : layout_(std::move(layout)) {}

Form::~Form() {
    if (window_) ::DestroyWindow(window_);
}

bool Form::CreateWindowFor(HWND owner) {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{sizeof(windowClass)};
        windowClass.lpfnWndProc = &Form::WindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFormClass;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) return false;
    const std::wstring title = MakeWideText(layout_.title).ToWString();
    return ::CreateWindowExW(layout_.extendedStyle, kFormClass, title.c_str(), layout_.style, layout_.x, layout_.y,
                             layout_.width, layout_.height, owner, nullptr, ::GetModuleHandleW(nullptr), this) !=
           nullptr;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetPropW(window, kFormProperty, form);
        form->window_ = window;
        LoadedForms().push_back(form);
    }
    if (auto* form = static_cast<Form*>(::GetPropW(window, kFormProperty))) return form->HandleMessage(message, wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
        case WM_TIMER: {
            const auto timer = std::find_if(timers_.begin(), timers_.end(),
                                            [wParam](const TimerComponent* t) { return t->id_ == wParam; });
            if (timer == timers_.end()) break;
            if ((*timer)->running_ && (*timer)->onTick) {
                // The handler may change the timer's period or even drop it.
                const std::function<void()> tick = (*timer)->onTick;
                tick();
            }
            return 0;
        }
        case WM_CLOSE:
            if (onCloseRequested) onCloseRequested(*this);
            if (::IsWindow(window)) ::DestroyWindow(window);
            return 0;
        case WM_MOVE:
            if (onMoved) onMoved(*this);
            break;
        case WM_DESTROY:
            OnDestroyed();
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Form::OnDestroyed() {
    for (TimerComponent* timer : timers_) timer->Stop();
    ::RemovePropW(window_, kFormProperty);
    window_ = nullptr;
    std::erase(LoadedForms(), this);
    if (LoadedForms().empty()) ::PostQuitMessage(0);
}

bool LoadForm(Form& form, Form* parent, bool modal) {
    if (!form.window_) {
        if (!form.CreateWindowFor(parent ? parent->window_ : nullptr)) return false;
        for (TimerComponent* timer : form.timers_) timer->Start();
        if (form.onCreated) form.onCreated(form);
    }
    const HWND window = form.window_;
    if (window && form.layout_.visible && !::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOWNORMAL);
    if (!modal || !window) return true;

    const HWND parentWindow = parent ? parent->window_ : nullptr;
    if (parentWindow) ::EnableWindow(parentWindow, FALSE);
    MSG message;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the quit request to the outer loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (parentWindow && ::IsWindow(parentWindow)) ::EnableWindow(parentWindow, TRUE);
    return true;
}

std::intptr_t FormWindowHandle(const Form& form) {
    return reinterpret_cast<std::intptr_t>(form.WindowHandle());
}

std::vector<HWND> LoadedFormWindows() {
    std::vector<HWND> windows;
    for (const Form* form : LoadedForms()) windows.push_back(form->WindowHandle());
    return windows;
}

}  // namespace lirvo::runtime
