#include "runtime/form.h"

#include <gtest/gtest.h>

#include "runtime/message_loop.h"

namespace lirvo::runtime {
namespace {

// Removes every waiting message, a quit request included, so that each test
// starts with an empty queue.
void DrainQueue() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) ::DispatchMessageW(&message);
    }
}

bool QuitRequested() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return true;
        ::DispatchMessageW(&message);
    }
    return false;
}

// Pumps the real message queue until `done` holds, for at most ~10 s.
template <typename Condition>
bool PumpUntil(Condition done) {
    for (int round = 0; round < 1000 && !done(); ++round) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        DispatchPendingMessages();
    }
    return done();
}

// Pumps for a while, for tests that expect nothing to happen.
void PumpFor(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        DispatchPendingMessages();
    }
}

void DispatchTick(const TimerComponent& timer) {
    MSG tick{timer.Owner().WindowHandle(), WM_TIMER, timer.SystemTimerId(), 0};
    ::DispatchMessageW(&tick);
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { DrainQueue(); }
    void TearDown() override { DrainQueue(); }
};

TEST_F(FormTest, NotificationsArriveAtTheirMoments) {
    Form form(FormLayout{.title = "LirvoPDF阅读器 安装", .x = 10, .y = 10, .width = 600, .height = 392});
    std::vector<std::string> events;
    std::intptr_t handleWhenCreated = 0;
    form.onCreated = [&](Form& created) {
        events.push_back("created");
        handleWhenCreated = FormWindowHandle(created);
    };
    form.onMoved = [&](Form&) { events.push_back("moved"); };
    form.onCloseRequested = [&](Form&) { events.push_back("close"); };

    EXPECT_EQ(FormWindowHandle(form), 0) << "not loaded yet";
    ASSERT_TRUE(LoadForm(form));
    const HWND window = form.WindowHandle();
    ASSERT_TRUE(::IsWindow(window));
    EXPECT_EQ(FormWindowHandle(form), reinterpret_cast<std::intptr_t>(window)) << "the whole handle, never cut";
    EXPECT_EQ(handleWhenCreated, FormWindowHandle(form)) << "the handle is known to the created handler";
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::GetParent(window), nullptr);
    ASSERT_EQ(std::count(events.begin(), events.end(), "created"), 1);

    events.clear();
    ASSERT_TRUE(LoadForm(form));
    EXPECT_EQ(std::count(events.begin(), events.end(), "created"), 0) << "loading a loaded form creates nothing";

    events.clear();
    ::SetWindowPos(window, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(events, std::vector<std::string>{"moved"});
    events.clear();
    ::SetWindowPos(window, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(events, std::vector<std::string>{}) << "a size change alone is no move";

    ::SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(events, std::vector<std::string>{"close"});
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(FormWindowHandle(form), 0);
    EXPECT_TRUE(LoadedFormWindows().empty());
    EXPECT_TRUE(QuitRequested()) << "the last form closed: the message loop must end";
}

TEST_F(FormTest, ClosingOneOfTwoFormsKeepsTheLoopRunning) {
    Form first, second;
    ASSERT_TRUE(LoadForm(first));
    ASSERT_TRUE(LoadForm(second));
    EXPECT_EQ(LoadedFormWindows(), (std::vector<HWND>{first.WindowHandle(), second.WindowHandle()}));
    ::SendMessageW(first.WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(QuitRequested());
    EXPECT_EQ(LoadedFormWindows(), std::vector<HWND>{second.WindowHandle()});
}

TEST_F(FormTest, ModalFormDisablesItsParentUntilItCloses) {
    Form parent;
    Form dialog(FormLayout{.title = "modal"});
    ASSERT_TRUE(LoadForm(parent));
    bool parentEnabledWhileModal = true;
    HWND owner = nullptr;
    dialog.onCreated = [&](Form& created) {
        owner = ::GetWindow(created.WindowHandle(), GW_OWNER);
        ::PostMessageW(created.WindowHandle(), WM_CLOSE, 0, 0);
    };
    dialog.onCloseRequested = [&](Form&) { parentEnabledWhileModal = ::IsWindowEnabled(parent.WindowHandle()); };

    EXPECT_TRUE(LoadForm(dialog, &parent, true));
    EXPECT_EQ(dialog.WindowHandle(), nullptr) << "a modal load returns once the form is gone";
    EXPECT_EQ(owner, parent.WindowHandle());
    EXPECT_FALSE(parentEnabledWhileModal);
    EXPECT_TRUE(::IsWindowEnabled(parent.WindowHandle()));
}

TEST_F(FormTest, TimerTicksAtItsPeriodAndStopsAtZero) {
    Form form(FormLayout{.visible = false});
    TimerComponent timer(form);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    ASSERT_TRUE(LoadForm(form));

    SetTimerPeriod(form, timer, 25);
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(timer.Period(), 25);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; })) << "the system timer does not tick";

    SetTimerPeriod(form, timer, 0);
    EXPECT_FALSE(timer.Running());
    const int stoppedAt = ticks;
    DispatchTick(timer);
    PumpFor(150);
    EXPECT_EQ(ticks, stoppedAt) << "a stopped timer ticked";

    SetTimerPeriod(form, timer, -5);
    EXPECT_EQ(timer.Period(), 0) << "negative periods count as 0";
    EXPECT_FALSE(timer.Running());
}

TEST_F(FormTest, EachDispatchedTickRaisesTheTickOnce) {
    Form form(FormLayout{.visible = false});
    TimerComponent progress(form), other(form);
    int progressTicks = 0, otherTicks = 0;
    progress.onTick = [&] { ++progressTicks; };
    other.onTick = [&] { ++otherTicks; };
    ASSERT_TRUE(LoadForm(form));
    // Long periods: only the dispatched ticks arrive during the test.
    SetTimerPeriod(form, progress, 600000);
    SetTimerPeriod(form, other, 600000);
    ASSERT_NE(progress.SystemTimerId(), other.SystemTimerId());

    for (int tick = 0; tick < 100; ++tick) DispatchTick(progress);
    EXPECT_EQ(progressTicks, 100);
    EXPECT_EQ(otherTicks, 0);

    // A tick handler that stops its own timer, as the progress handler does at 100.
    progress.onTick = [&] {
        if (++progressTicks == 103) SetTimerPeriod(form, progress, 0);
    };
    for (int tick = 0; tick < 10; ++tick) DispatchTick(progress);
    EXPECT_EQ(progressTicks, 103);
}

TEST_F(FormTest, SettingTheSamePeriodDoesNothing) {
    Form form(FormLayout{.visible = false});
    TimerComponent timer(form);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    ASSERT_TRUE(LoadForm(form));
    SetTimerPeriod(form, timer, 25);

    // Kill the system timer behind the component's back: setting the same
    // period again must not start a new one.
    ASSERT_TRUE(::KillTimer(form.WindowHandle(), timer.SystemTimerId()));
    SetTimerPeriod(form, timer, 25);
    DrainQueue();
    ticks = 0;
    PumpFor(200);
    EXPECT_EQ(ticks, 0) << "the same period restarted the timer";

    SetTimerPeriod(form, timer, 30);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; })) << "a new period starts the timer again";
}

TEST_F(FormTest, TimerFollowsItsFormsWindow) {
    Form form(FormLayout{.visible = false});
    Form stranger(FormLayout{.visible = false});
    TimerComponent timer(form);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };

    SetTimerPeriod(form, timer, 25);
    EXPECT_FALSE(timer.Running()) << "no window yet";
    ASSERT_TRUE(LoadForm(form));
    EXPECT_TRUE(timer.Running()) << "starts with its form";
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }));

    SetTimerPeriod(stranger, timer, 50);
    EXPECT_EQ(timer.Period(), 25) << "a timer of another form is left alone";

    ::DestroyWindow(form.WindowHandle());
    EXPECT_FALSE(timer.Running());
}

TEST_F(FormTest, ProcessStartRunsTheStepsInOrderThenTheLoop) {
    std::vector<std::string> steps;
    Form startup(FormLayout{.visible = false});
    startup.onCreated = [&](Form& form) {
        steps.push_back("form created");
        ::PostMessageW(form.WindowHandle(), WM_CLOSE, 0, 0);
    };
    startup.onCloseRequested = [&](Form&) { steps.push_back("close requested"); };
    const int exitCode = StartProcess({
        .constructGlobals = [&] { steps.push_back("globals"); },
        .toolkitStartup = [&] { steps.push_back("toolkit"); },
        .initialise = [&] { steps.push_back("initialise"); },
        .start = [&] {
            steps.push_back("start");
            LoadForm(startup);
            steps.push_back("start returned");
        },
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(steps, (std::vector<std::string>{"globals", "toolkit", "initialise", "start", "form created",
                                               "start returned", "close requested"}));
}

}  // namespace
}  // namespace lirvo::runtime
