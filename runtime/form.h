#pragma once
// The runtime's forms: a plain top-level window of the runtime's own class
// that tells its owner when it has been created, when closing it was asked
// for and when it moved, and that carries timer components. A Form object is
// owned by the program and outlives its window; destroying the object
// destroys the window. When the last loaded form's window goes away the
// message loop is asked to end. Everything runs on the one GUI thread.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lirvo::runtime {

class Form;

// A timer component of a form. Its period is set with SetTimerPeriod; while
// the period is above 0 and the form's window exists, a system timer on that
// window raises `onTick` at the period.
class TimerComponent {
public:
    explicit TimerComponent(Form& owner);
    ~TimerComponent();
    TimerComponent(const TimerComponent&) = delete;
    TimerComponent& operator=(const TimerComponent&) = delete;

    std::function<void()> onTick;

    Form& Owner() const { return owner_; }
    std::int32_t Period() const { return period_; }
    // The id of the component's system timer on the form's window.
    UINT_PTR SystemTimerId() const { return id_; }
    bool Running() const { return running_; }

private:
    friend class Form;
    friend bool LoadForm(Form& form, Form* parent, bool modal);
    friend void SetTimerPeriod(Form& form, TimerComponent& timer, std::int32_t period);

    void Start();
    void Stop();

    Form& owner_;
    const UINT_PTR id_;
    std::int32_t period_ = 0;
    bool running_ = false;
};

struct FormLayout {
    std::string title;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = 600;
    int height = 400;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD extendedStyle = 0;
    // Shown once the created notification has run (unless it showed or
    // destroyed the window itself).
    bool visible = true;
};

class Form {
public:
    explicit Form(FormLayout layout = {});
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::function<void(Form&)> onCreated;
    std::function<void(Form&)> onCloseRequested;
    std::function<void(Form&)> onMoved;

    HWND WindowHandle() const { return window_; }

private:
    friend class TimerComponent;
    friend bool LoadForm(Form& form, Form* parent, bool modal);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateWindowFor(HWND owner);
    void OnDestroyed();

    FormLayout layout_;
    HWND window_ = nullptr;
    std::vector<TimerComponent*> timers_;
};

// Creates and shows the form's window (a loaded form is only shown again).
// Modal: the parent is disabled and a nested message loop runs until the
// form's window is gone. Not modal: returns at once. False when the window
// could not be created.
bool LoadForm(Form& form, Form* parent = nullptr, bool modal = false);

// The form's window handle as a number as wide as a pointer; 0 when it is not
// loaded.
std::intptr_t FormWindowHandle(const Form& form);

// A negative period counts as 0. Setting the period the timer has already
// does nothing; otherwise its system timer is killed and, for a period above
// 0, started again at the new period. A timer of another form is left alone.
void SetTimerPeriod(Form& form, TimerComponent& timer, std::int32_t period);

// The windows of every loaded form, in loading order.
std::vector<HWND> LoadedFormWindows();

// The entry address of a subroutine, for callers that hand handlers around as
// numbers. Handlers of the runtime's own components are callables.
template <typename Result, typename... Arguments>
std::intptr_t SubroutineAddress(Result (*subroutine)(Arguments...)) {
    return reinterpret_cast<std::intptr_t>(subroutine);
}

}  // namespace lirvo::runtime
