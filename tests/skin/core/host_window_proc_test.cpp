#include "skin/core/host_window_proc.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "tests/support/toolkit_fixture.h"

namespace lirvo {
namespace {

struct Event {
    ObjectHandle receiver;
    std::int32_t code;
    EventParam p1;
    bool operator==(const Event&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Event& e) {
    return out << "{" << e.receiver << ", event " << e.code << ", p1 " << std::hex << e.p1 << std::dec << "}";
}

using EventLog = std::vector<Event>;

// A windowless control that records what it receives.
class RecordingControl : public SkinObject {
public:
    RecordingControl(EventLog& log, HWND host, ObjectHandle parent, Rect rect, std::int32_t depth = 1)
        : SkinObject(Toolkit().objectRegistry.NewControlHandle()), log_(log) {
        State().hostWindow = host;
        State().parent = parent;
        State().depth = depth;
        State().originRect = rect;
        State().hitRect = rect;
    }

    std::int32_t HandleEvent(std::int32_t code, EventParam p1, EventParam p2) override {
        log_.push_back({Handle(), code, p1});
        if (code == EventMessage) lastMessage = *reinterpret_cast<const MessageParams*>(p2);
        if (onEvent) onEvent(code);
        return 0;
    }

    MessageParams lastMessage{};
    std::function<void(std::int32_t)> onEvent;

private:
    EventLog& log_;
};

// A skinned host window: a window of the toolkit's class, subclassed with
// the host window procedure, with a skin window object behind it.
class TestHostWindow : public SkinObject, public WindowMessageTarget {
public:
    TestHostWindow() : SkinObject(Toolkit().objectRegistry.NewWindowHandle()) {
        window_ = ::CreateWindowExW(0, L"RaZora.DeVU.WindowClass.Window", L"host", WS_POPUP, 0, 0, 300, 200, nullptr,
                                    nullptr, nullptr, nullptr);
        State().hostWindow = window_;
        SetWindowProperty(window_, property::kThis, reinterpret_cast<std::intptr_t>(static_cast<WindowMessageTarget*>(this)));
        SetWindowProperty(window_, property::kObjectId, Handle());
        oldProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window_, GWLP_WNDPROC));
        SetWindowProperty(window_, property::kOldProc, reinterpret_cast<std::intptr_t>(oldProc_));
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostWindowProc));
    }
    ~TestHostWindow() override {
        if (::IsWindow(window_)) ::DestroyWindow(window_);
    }

    HWND Window() const { return window_; }
    void Destroy() { ::DestroyWindow(window_); }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kAnswerMessage) return 1234;
        return ::CallWindowProcW(oldProc_, window_, message, wParam, lParam);
    }
    std::int32_t HandleEvent(std::int32_t, EventParam, EventParam) override { return 0; }

    static constexpr UINT kAnswerMessage = WM_USER + 77;

private:
    HWND window_ = nullptr;
    WNDPROC oldProc_ = nullptr;
};

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class HostWindowProcTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::StartToolkitForTests(); }

    void SetUp() override {
        host_ = std::make_unique<TestHostWindow>();
        ASSERT_TRUE(host_->Window());
    }

    void TearDown() override {
        controls_.clear();
        host_.reset();
    }

    // Adds a control at the front of the registry, as a child of the host.
    RecordingControl& AddControl(Rect rect, ObjectHandle parent = 0, std::int32_t depth = 1) {
        controls_.push_back(std::make_unique<RecordingControl>(log_, host_->Window(), parent ? parent : host_->Handle(),
                                                               rect, depth));
        Toolkit().objectRegistry.Insert(1, *controls_.back());
        return *controls_.back();
    }
    void RegisterHost() { Toolkit().objectRegistry.Append(*host_); }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::SendMessageW(host_->Window(), message, wParam, lParam);
    }
    ObjectHandle Property(const char* name) const {
        return static_cast<ObjectHandle>(GetWindowProperty(host_->Window(), name));
    }
    // Events received since the last call.
    EventLog Take() { return std::exchange(log_, {}); }

    EventLog log_;
    std::unique_ptr<TestHostWindow> host_;
    std::vector<std::unique_ptr<RecordingControl>> controls_;
};

TEST_F(HostWindowProcTest, TheSkinWindowAnswersEveryMessageFirst) {
    auto& focus = AddControl({10, 10, 50, 50});
    RegisterHost();
    SetWindowProperty(host_->Window(), property::kFocus, focus.Handle());
    EXPECT_EQ(Send(TestHostWindow::kAnswerMessage, 7, 9), 1234);
    EXPECT_EQ(Take(), (EventLog{{focus.Handle(), EventMessage, TestHostWindow::kAnswerMessage}}))
        << "routing goes on after the skin window answered";
    EXPECT_EQ(focus.lastMessage.wParam, 7u);
    EXPECT_EQ(focus.lastMessage.lParam, 9);
}

TEST_F(HostWindowProcTest, MouseEntersBeforeItLeaves) {
    auto& a = AddControl({10, 10, 50, 50});
    auto& b = AddControl({100, 10, 50, 50});
    RegisterHost();

    Send(WM_MOUSEMOVE, 0, Point(20, 30));
    EXPECT_EQ(Take(), (EventLog{{a.Handle(), EventMouseEnter, 0}, {a.Handle(), EventMouseMove, PackPoint(10, 20)}}));
    Send(WM_MOUSEMOVE, 0, Point(120, 15));
    EXPECT_EQ(Take(), (EventLog{{b.Handle(), EventMouseEnter, 0},
                                {a.Handle(), EventMouseLeave, 0},
                                {b.Handle(), EventMouseMove, PackPoint(20, 5)}}));
    Send(WM_MOUSEMOVE, 0, Point(121, 16));
    EXPECT_EQ(Take(), (EventLog{{b.Handle(), EventMouseMove, PackPoint(21, 6)}})) << "within B: only moves";
    EXPECT_EQ(Property(property::kMouseOn), b.Handle());

    Send(WM_MOUSEMOVE, 0, Point(200, 150));
    EXPECT_EQ(Take(), (EventLog{{b.Handle(), EventMouseLeave, 0}}));
    EXPECT_EQ(Property(property::kMouseOn), 0);

    Send(WM_MOUSEMOVE, 0, Point(20, 30));
    Take();
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Take(), (EventLog{{a.Handle(), EventMouseLeave, 0}}));
    EXPECT_EQ(Property(property::kMouseOn), 0);
}

TEST_F(HostWindowProcTest, ClickNeedsPressAndReleaseOnTheSameControl) {
    auto& a = AddControl({10, 10, 50, 50});
    auto& b = AddControl({100, 10, 50, 50});
    RegisterHost();

    Send(WM_LBUTTONDOWN, MK_LBUTTON, Point(20, 20));
    EXPECT_TRUE(a.State().leftPressed);
    Send(WM_LBUTTONUP, 0, Point(110, 20));
    EXPECT_EQ(Take(), (EventLog{{a.Handle(), EventLeftDown, PackPoint(10, 10)}, {b.Handle(), EventLeftUp, PackPoint(10, 10)}}))
        << "released over B: no click";
    EXPECT_TRUE(a.State().leftPressed) << "A stays pressed until a release reaches it";

    Send(WM_LBUTTONUP, 0, Point(30, 40));
    EXPECT_EQ(Take(), (EventLog{{a.Handle(), EventLeftUp, PackPoint(20, 30)}, {a.Handle(), EventLeftClick, PackPoint(20, 30)}}));
    EXPECT_FALSE(a.State().leftPressed);

    const struct {
        UINT down, up, doubleClick;
        std::int32_t downEvent, upEvent, clickEvent, doubleEvent;
    } buttons[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, EventLeftDown, EventLeftUp, EventLeftClick, EventLeftDoubleClick},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, EventRightDown, EventRightUp, EventRightClick,
         EventRightDoubleClick},
    };
    for (const auto& button : buttons) {
        Send(button.down, 0, Point(111, 12));
        Send(button.up, 0, Point(111, 12));
        Send(button.doubleClick, 0, Point(111, 12));
        const EventParam point = PackPoint(11, 2);
        EXPECT_EQ(Take(), (EventLog{{b.Handle(), button.downEvent, point},
                                    {b.Handle(), button.upEvent, point},
                                    {b.Handle(), button.clickEvent, point},
                                    {b.Handle(), button.doubleEvent, point}}));
    }
}

TEST_F(HostWindowProcTest, CaptureTakesEveryMouseEventWithUnsignedX) {
    auto& a = AddControl({10, 20, 50, 50});
    auto& b = AddControl({100, 10, 50, 50});
    RegisterHost();
    SetWindowProperty(host_->Window(), property::kMouseCapture, a.Handle());

    Send(WM_MOUSEMOVE, 0, Point(120, 15));  // over B
    Send(WM_LBUTTONUP, 0, Point(-16, -5));  // left of and above the window
    EXPECT_EQ(Take(), (EventLog{
                          {a.Handle(), EventMouseMove, PackPoint(110, -5)},
                          // x arrives as 65520: relative 65510 (0xFFE6); y -25 (0xFFE7).
                          {a.Handle(), EventLeftUp, static_cast<EventParam>(static_cast<std::int32_t>(0xFFE7FFE6u))},
                      }));
    EXPECT_EQ(Property(property::kMouseOn), 0) << "captured moves do not track the mouse-over control";
    (void)b;
}

TEST_F(HostWindowProcTest, HitTestingEdgesVisibilityAndDisabling) {
    auto& outer = AddControl({10, 10, 100, 100});
    auto& inner = AddControl({20, 20, 30, 30}, outer.Handle(), 2);  // descendants first
    RegisterHost();
    HWND window = host_->Window();

    const struct {
        int x, y;
        ObjectHandle expected;
    } points[] = {
        {30, 30, inner.Handle()}, {60, 60, outer.Handle()}, {10, 50, 0},  {50, 10, 0},
        {110, 50, 0},             {50, 110, 0},             {11, 11, outer.Handle()}, {20, 30, outer.Handle()},
        {250, 150, 0},
    };
    for (const auto& p : points) EXPECT_EQ(HitTest(window, p.x, p.y), p.expected) << p.x << "," << p.y;

    inner.State().disabled = true;
    EXPECT_EQ(HitTest(window, 30, 30), outer.Handle()) << "a disabled control is passed over";
    inner.State().disabled = false;
    outer.State().disabled = true;
    EXPECT_EQ(HitTest(window, 30, 30), 0) << "a control of a disabled parent is disabled";
    outer.State().disabled = false;

    ::EnableWindow(window, FALSE);
    EXPECT_EQ(HitTest(window, 30, 30), 0) << "controls of a disabled window are disabled";
    ::EnableWindow(window, TRUE);

    outer.State().visible = false;
    EXPECT_EQ(HitTest(window, 30, 30), 0) << "a control of a hidden parent is hidden";
    outer.State().visible = true;
    inner.State().parent = 0;
    EXPECT_EQ(HitTest(window, 30, 30), outer.Handle()) << "a control without a parent is never shown";
    inner.State().parent = outer.Handle();

    // A click on a disabled control does not reach it.
    inner.State().disabled = true;
    Send(WM_LBUTTONDOWN, 0, Point(30, 30));
    EXPECT_EQ(Take(), (EventLog{{outer.Handle(), EventLeftDown, PackPoint(20, 20)}}));
}

TEST_F(HostWindowProcTest, HitTestingStaysWithinTheWindowsRun) {
    EventLog otherLog;
    TestHostWindow other;
    RecordingControl foreign(otherLog, other.Window(), other.Handle(), {0, 0, 300, 200});
    auto& mine = AddControl({10, 10, 50, 50});
    RegisterHost();
    Toolkit().objectRegistry.Append(foreign);
    Toolkit().objectRegistry.Append(other);
    EXPECT_EQ(HitTest(host_->Window(), 20, 20), mine.Handle());
    EXPECT_EQ(HitTest(host_->Window(), 200, 150), 0) << "the other window's controls are never hit";
    EXPECT_EQ(HitTest(other.Window(), 200, 150), foreign.Handle());
}

TEST_F(HostWindowProcTest, FocusMovesOnlyToFocusableControls) {
    auto& a = AddControl({10, 10, 50, 50});
    auto& b = AddControl({100, 10, 50, 50});
    auto& c = AddControl({200, 10, 50, 50});
    RegisterHost();
    a.State().focusable = true;
    c.State().focusable = true;

    Send(WM_LBUTTONDOWN, 0, Point(20, 20));
    EXPECT_EQ(Property(property::kFocus), a.Handle());
    Send(WM_RBUTTONDOWN, 0, Point(110, 20));
    EXPECT_EQ(Property(property::kFocus), a.Handle()) << "B is not focusable";
    Send(WM_LBUTTONDOWN, 0, Point(21, 21));
    EXPECT_EQ(Take(), (EventLog{{a.Handle(), EventLeftDown, PackPoint(10, 10)},
                                {a.Handle(), EventGotFocus, 0},
                                {b.Handle(), EventRightDown, PackPoint(10, 10)},
                                {a.Handle(), EventLeftDown, PackPoint(11, 11)}}))
        << "pressing the focus control again sends no focus events";

    Send(WM_RBUTTONDOWN, 0, Point(210, 20));
    EXPECT_EQ(Take(), (EventLog{{c.Handle(), EventRightDown, PackPoint(10, 10)},
                                {c.Handle(), EventGotFocus, a.Handle()},
                                {a.Handle(), EventLostFocus, c.Handle()}}));
    EXPECT_EQ(Property(property::kFocus), c.Handle());
}

TEST_F(HostWindowProcTest, KeyboardWheelAndOtherMessagesGoToTheFocusControl) {
    auto& a = AddControl({10, 10, 50, 50});
    auto& b = AddControl({100, 10, 50, 50});
    RegisterHost();
    Send(WM_KEYDOWN, 'A', 0);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), Point(110, 20));
    EXPECT_EQ(Take(), EventLog{}) << "without a focus control nothing is sent";

    SetWindowProperty(host_->Window(), property::kFocus, a.Handle());
    const struct {
        std::int16_t delta;
        EventParam notches;
    } wheel[] = {{120, 1}, {-120, -1}, {60, 0}, {-60, 0}, {240, 2}, {-360, -3}};
    for (const auto& w : wheel) {
        Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(w.delta)), Point(110, 20));  // over B
        EXPECT_EQ(Take(), (EventLog{{a.Handle(), EventWheel, w.notches}})) << w.delta;
    }

    Send(WM_KEYDOWN, VK_LEFT, 0);
    Send(WM_CHAR, 'x', 0);
    Send(WM_KEYUP, VK_LEFT, 0);
    Send(WM_SETFOCUS, 0, 0);
    Send(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(Take(), (EventLog{{a.Handle(), EventKeyDown, VK_LEFT},
                                {a.Handle(), EventChar, 'x'},
                                {a.Handle(), EventKeyUp, VK_LEFT},
                                {a.Handle(), EventGotFocus, 0},
                                {a.Handle(), EventLostFocus, 0}}));
    (void)b;
}

TEST_F(HostWindowProcTest, DestroyingTheWindowDestroysItsControlsDescendantsFirst) {
    auto& panel = AddControl({10, 10, 200, 100});
    auto& button = AddControl({20, 20, 30, 30}, panel.Handle(), 2);
    auto& label = AddControl({20, 60, 30, 30}, panel.Handle(), 2);
    auto& lone = AddControl({250, 10, 20, 20});
    RegisterHost();
    ObjectRegistry& registry = Toolkit().objectRegistry;
    ASSERT_EQ(registry.Handles(), (std::vector<ObjectHandle>{lone.Handle(), label.Handle(), button.Handle(),
                                                             panel.Handle(), host_->Handle()}));

    EventLog otherLog;
    TestHostWindow other;
    RecordingControl survivor(otherLog, other.Window(), other.Handle(), {0, 0, 10, 10});
    registry.Append(survivor);
    registry.Append(other);

    host_->Destroy();
    EXPECT_EQ(Take(), (EventLog{{lone.Handle(), EventDestroy, 0},
                                {label.Handle(), EventDestroy, 0},
                                {button.Handle(), EventDestroy, 0},
                                {panel.Handle(), EventDestroy, 0}}));
    EXPECT_EQ(registry.Handles(), (std::vector<ObjectHandle>{survivor.Handle(), other.Handle()}));
    EXPECT_TRUE(otherLog.empty());
}

TEST_F(HostWindowProcTest, DestroyHandlersThatRemoveEntriesThemselves) {
    auto& a = AddControl({10, 10, 20, 20});
    auto& b = AddControl({40, 10, 20, 20});
    auto& c = AddControl({70, 10, 20, 20});
    RegisterHost();
    ObjectRegistry& registry = Toolkit().objectRegistry;
    // Registry: c, b, a, host. C's handler destroys A as well, A's removes itself.
    c.onEvent = [&](std::int32_t code) {
        if (code == EventDestroy) RemoveObjectAt(registry.PositionOf(a.Handle()).value_or(0));
    };
    a.onEvent = [&](std::int32_t code) {
        if (code == EventDestroy) registry.Remove(a.Handle());
    };

    host_->Destroy();
    std::map<ObjectHandle, int> destroyed;
    for (const Event& e : Take())
        if (e.code == EventDestroy) ++destroyed[e.receiver];
    EXPECT_EQ(destroyed, (std::map<ObjectHandle, int>{{a.Handle(), 1}, {b.Handle(), 1}, {c.Handle(), 1}}))
        << "each control is destroyed exactly once";
    EXPECT_FALSE(registry.PositionOf(a.Handle()) || registry.PositionOf(b.Handle()) || registry.PositionOf(c.Handle()));
}

TEST_F(HostWindowProcTest, RemoveObjectAtTakesTheDescendantsBeforeTheEntry) {
    auto& parent = AddControl({0, 0, 100, 100}, 0, 1);
    auto& child = AddControl({0, 0, 50, 50}, parent.Handle(), 2);
    auto& grandchild = AddControl({0, 0, 20, 20}, child.Handle(), 3);
    auto& sibling = AddControl({60, 0, 20, 20}, 0, 1);
    ObjectRegistry& registry = Toolkit().objectRegistry;
    // Registry: sibling, grandchild, child, parent.
    EXPECT_EQ(registry.Handles(),
              (std::vector<ObjectHandle>{sibling.Handle(), grandchild.Handle(), child.Handle(), parent.Handle()}));

    EXPECT_EQ(RemoveObjectAt(0), 0u);
    EXPECT_EQ(RemoveObjectAt(5), 0u);
    EXPECT_EQ(RemoveObjectAt(4), 3u);
    EXPECT_EQ(Take(), (EventLog{{grandchild.Handle(), EventDestroy, 0},
                                {child.Handle(), EventDestroy, 0},
                                {parent.Handle(), EventDestroy, 0}}));
    EXPECT_EQ(registry.Handles(), (std::vector<ObjectHandle>{sibling.Handle()}));
    EXPECT_EQ(RemoveObjectAt(1), 1u);
    EXPECT_EQ(registry.Size(), 0u);
}

TEST_F(HostWindowProcTest, EventsToMissingObjectsAreDropped) {
    auto& a = AddControl({10, 10, 20, 20});
    const ObjectHandle gone = a.Handle();
    controls_.clear();  // destroyed: it leaves the registry
    EXPECT_FALSE(Toolkit().objectRegistry.PositionOf(gone));
    EXPECT_EQ(SendObjectEvent(gone, EventLeftDown), 0);
    EXPECT_EQ(SendObjectEvent(0, EventLeftDown), 0);
    EXPECT_EQ(SendObjectEvent(host_->Handle(), EventLeftDown), 0);
}

}  // namespace
}  // namespace lirvo
