#include "skin/controls/skin_control.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/control_timers.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"
#include "skin/window/drawing.h"
#include "tests/skin/controls/control_fixture.h"

namespace lirvo {
namespace {

using testing::ControlTest;
using Log = std::vector<std::string>;

// A control painted in one colour that writes every hook it runs to a log.
class ProbeControl : public SkinControl {
public:
    explicit ProbeControl(Argb colour = 0xFFFF0000, Log* log = nullptr) : colour_(colour), log_(log) {}
    std::unique_ptr<SkinControl> Clone() const override { return CloneAs(*this); }
    void CopyOwnSettingsFrom(const ProbeControl& other) { colour_ = other.colour_; }
    bool Create(SkinObject& host, const Rect& rect) {
        if (!Attach(host, rect, MakeWideText("probe"), 1)) return false;
        State().focusable = true;
        Render();
        return true;
    }
    void SetColour(Argb colour) { colour_ = colour; }
    int ticks = 0;
    UserEventRecord childRecord{};
    ObjectHandle childSender = 0;
    std::function<void()> onChildEvent;

protected:
    void Draw(Gdiplus::GpGraphics* graphics) override {
        FillRectColour(graphics, colour_, 0, 0, GetWidth(), GetHeight());
    }
    void Write(const std::string& entry) {
        if (log_) log_->push_back(entry);
    }
    void OnLeftDown(Point p) override { Write("hook left down " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    void OnLeftUp(Point) override { Write("hook left up"); }
    void OnClick(Point) override { Write("hook click"); }
    void OnMouseMove(Point) override { Write("hook move"); }
    void OnMouseEnter() override { Write("hook enter"); }
    void OnMouseLeave() override { Write("hook leave"); }
    void OnFocus(ObjectHandle previous) override { Write("focus from " + std::to_string(previous)); }
    void OnBlur(ObjectHandle next) override { Write("blur to " + std::to_string(next)); }
    void OnDestroy() override { Write("destroy"); }
    void OnHostChanged() override { Write("host changed"); }
    void OnTimer(std::int32_t key, EventParam) override {
        if (key >= 0) ++ticks;
    }
    void OnChildEvent(ObjectHandle sender, const UserEventRecord& record) override {
        childSender = sender;
        childRecord = record;
        if (onChildEvent) onChildEvent();
    }

private:
    Argb colour_;
    Log* log_;
};

SkinControl::EventHandler LoggingHandler(Log& log) {
    return [&log](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam, EventParam,
                  EventParam) {
        log.push_back("user " + std::to_string(event));
        return 0;
    };
}

TEST_F(ControlTest, RegistryStaysOrderedByDepthAndDetachTakesHostedControls) {
    auto host = MakeHost();
    Log log;
    ProbeControl a(0xFFFF0000, &log), b, c, d;
    ASSERT_TRUE(a.Create(*host, {10, 10, 100, 80}));
    ASSERT_TRUE(b.Create(*host, {150, 10, 100, 80}));
    ASSERT_TRUE(c.Create(a, {5, 5, 20, 20}));
    ASSERT_TRUE(d.Create(b, {5, 5, 20, 20}));
    EXPECT_FALSE(a.Create(*host, {0, 0, 5, 5})) << "attaching twice fails";

    const ObjectRegistry& registry = Toolkit().objectRegistry;
    const std::size_t window = registry.PositionOf(host->GetObjectId()).value();
    ASSERT_GE(window, 5u);
    const std::vector<ObjectHandle> expected = {d.Id(), b.Id(), c.Id(), a.Id(), host->GetObjectId()};
    std::vector<ObjectHandle> actual;
    for (std::size_t i = window - 4; i <= window; ++i) actual.push_back(registry.HandleAt(i));
    EXPECT_EQ(actual, expected) << "each control right before its host, newer hosts' subtrees in front";
    EXPECT_EQ(a.RegistryIndex(), window - 1);
    EXPECT_EQ(c.State().depth, 2);

    EXPECT_EQ(c.TopLevelRect(), (Rect{15, 15, 20, 20})) << "positions add up through the hosts";
    ProbeControl clipped;
    ASSERT_TRUE(clipped.Create(a, {90, 70, 30, 30}));
    EXPECT_EQ(clipped.VisibleRect(), (Rect{100, 80, 10, 10})) << "clipped by the host control";
    EXPECT_EQ(clipped.VisibleRectInHost(), (Rect{90, 70, 10, 10}));

    const ObjectHandle cId = c.Id();
    a.Detach();
    EXPECT_EQ(a.Id(), 0);
    EXPECT_EQ(c.Id(), 0) << "hosted controls leave with their host";
    EXPECT_FALSE(registry.PositionOf(cId));
    EXPECT_EQ(log, (Log{"destroy"}));
    EXPECT_TRUE(a.Create(*host, {10, 10, 100, 80})) << "a detached control can be attached again";
}

TEST_F(ControlTest, SetHostMovesTheControlIntoAnotherHost) {
    auto host = MakeHost();
    Log log;
    ProbeControl outer, moved(0xFFFF0000, &log), other;
    ASSERT_TRUE(outer.Create(*host, {100, 50, 100, 80}));
    ASSERT_TRUE(moved.Create(*host, {10, 10, 20, 20}));
    ASSERT_TRUE(other.Create(*host, {250, 10, 20, 20}));
    moved.SetHost(outer);
    EXPECT_EQ(moved.GetHost(), &outer);
    EXPECT_EQ(moved.State().depth, 2);
    EXPECT_EQ(moved.RegistryIndex() + 1, outer.RegistryIndex()) << "right before its new host";
    EXPECT_EQ(moved.TopLevelRect(), (Rect{110, 60, 20, 20}));
    EXPECT_EQ(log, Log{"host changed"});
    EXPECT_EQ(moved.HandleEvent(kEventQueryHost, 0, 0), outer.Id());
}

TEST_F(ControlTest, SetHostTakesTheHostedControlsAlong) {
    auto first = MakeHost();
    auto second = MakeHost();
    Log log;
    ProbeControl container, inner(0xFF00FF00, &log), innermost, holder;
    ASSERT_TRUE(container.Create(*first, {10, 10, 120, 100}));
    ASSERT_TRUE(inner.Create(container, {10, 10, 60, 60}));
    ASSERT_TRUE(innermost.Create(inner, {5, 5, 20, 20}));
    ASSERT_TRUE(holder.Create(*second, {100, 50, 150, 120}));
    const ObjectRegistry& registry = Toolkit().objectRegistry;

    // To another window, one level deeper.
    ASSERT_TRUE(container.SetHost(holder));
    for (const SkinControl* control : {&container, &inner, &innermost})
        EXPECT_EQ(control->GetHostHandle(), second->GetHandle()) << "depth " << control->State().depth;
    EXPECT_EQ(container.State().depth, 2);
    EXPECT_EQ(inner.State().depth, 3);
    EXPECT_EQ(innermost.State().depth, 4);
    const std::size_t at = holder.RegistryIndex();
    EXPECT_EQ((std::vector<ObjectHandle>{registry.HandleAt(at - 3), registry.HandleAt(at - 2),
                                         registry.HandleAt(at - 1)}),
              (std::vector<ObjectHandle>{innermost.Id(), inner.Id(), container.Id()}))
        << "the subtree stands in its order right before its new host";
    EXPECT_EQ(inner.TopLevelRect(), (Rect{120, 70, 60, 60}));
    container.Refresh();
    EXPECT_EQ(testing::HostPixel(*second, 150, 110), 0xFF00FF00u) << "painted on the new window";

    log.clear();
    testing::LeftClick(*second, 150, 110);
    EXPECT_EQ(log, (Log{"hook left down 30,40", "focus from 0", "hook left up", "hook click"}))
        << "hit on the new window";

    // Back to the top level of the first window.
    ASSERT_TRUE(container.SetHost(*first));
    EXPECT_EQ(inner.GetHostHandle(), first->GetHandle());
    EXPECT_EQ(innermost.State().depth, 3);
    EXPECT_FALSE(inner.SetHost(innermost)) << "not into a control it hosts";
    EXPECT_FALSE(inner.SetHost(inner));
    EXPECT_EQ(innermost.GetHost(), &inner);

    log.clear();
    container.Detach();
    EXPECT_EQ(inner.Id(), 0) << "Detach takes the moved subtree with it";
    EXPECT_EQ(innermost.Id(), 0);
    EXPECT_EQ(log, Log{"destroy"});
}

// The rectangle, in the host window's client area, of a tooltip's one tool.
Rect ToolRect(HWND tip, HWND owner) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = owner;
    tool.uId = 0;
    if (!::SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) return {};
    return {tool.rect.left, tool.rect.top, tool.rect.right - tool.rect.left, tool.rect.bottom - tool.rect.top};
}

TEST_F(ControlTest, ToolTipFollowsTheControlOnItsWindow) {
    auto host = MakeHost();
    auto other = MakeHost();
    ProbeControl outer, nested;
    ASSERT_TRUE(outer.Create(*host, {50, 40, 150, 100}));
    ASSERT_TRUE(nested.Create(outer, {20, 10, 40, 30}));
    nested.SetToolTip(MakeWideText("浏览"));
    ASSERT_TRUE(nested.ToolTipWindow());
    EXPECT_EQ(ToolRect(nested.ToolTipWindow(), host->GetHandle()), (Rect{70, 50, 40, 30}))
        << "where the nested control is on the window";

    nested.SetRect({30, 20, 40, 30});
    EXPECT_EQ(ToolRect(nested.ToolTipWindow(), host->GetHandle()), (Rect{80, 60, 40, 30})) << "moved with the control";
    outer.SetRect({60, 40, 150, 100});
    EXPECT_EQ(ToolRect(nested.ToolTipWindow(), host->GetHandle()), (Rect{90, 60, 40, 30})) << "moved with its host";
    nested.SetRect({130, 20, 40, 30});
    EXPECT_EQ(ToolRect(nested.ToolTipWindow(), host->GetHandle()), (Rect{190, 60, 20, 30}))
        << "only the part its host shows";

    ProbeControl holder;
    ASSERT_TRUE(holder.Create(*other, {10, 10, 200, 150}));
    outer.SetHost(holder);
    ASSERT_TRUE(nested.ToolTipWindow());
    EXPECT_EQ(::GetParent(nested.ToolTipWindow()), other->GetHandle()) << "on the window the control moved to";
    EXPECT_EQ(ToolRect(nested.ToolTipWindow(), other->GetHandle()), (Rect{200, 70, 10, 30}))
        << "clipped by both hosts";
}

WideText Wide(const std::wstring& text) {
    ByteArray units(text.size() * 2);
    if (!units.empty()) std::memcpy(units.data(), text.data(), units.size());
    return WideFromBytes(units);
}

TEST_F(ControlTest, ConvertedTextGoesThroughTheOemCodePage) {
    auto host = MakeHost();
    ProbeControl control;
    ASSERT_TRUE(control.Create(*host, {10, 10, 40, 20}));
    const auto oem = [](const std::wstring& wide) {
        char bytes[64] = {};
        const char zero[2] = {};
        ::WideCharToMultiByte(CP_OEMCP, 0, wide.c_str(), -1, bytes, sizeof bytes, zero, nullptr);
        return std::string(bytes);
    };
    const struct {
        std::wstring text;
        const char* what;
    } cases[] = {
        {L"安装到 C:\\LirvoPDF", "a text the code page holds"},
        {L"ab\u0E01cd", "a unit the code page lacks ends the text"},
        {L"", "empty"},
    };
    for (const auto& c : cases) {
        control.SetTextW(Wide(c.text));
        EXPECT_EQ(control.GetTextConverted(), oem(c.text)) << c.what;
    }
    control.SetTextW(Wide(L"ab\u0E01cd"));
    EXPECT_EQ(control.GetTextConverted(), "ab");
}

TEST_F(ControlTest, CursorIsTheHandOverAControlUntilAClassCursorIsSet) {
    auto host = MakeHost();
    ProbeControl control;
    ASSERT_TRUE(control.Create(*host, {10, 10, 50, 50}));
    Toolkit().customCursorSet = false;
    const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    const HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
    ::SetCursor(arrow);
    testing::MouseMove(*host, 30, 30);
    EXPECT_EQ(::GetCursor(), hand);
    testing::MouseMove(*host, 200, 150);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(host->GetHandle(), GCLP_HCURSOR)), arrow);
    EXPECT_TRUE(Toolkit().customCursorSet) << "leaving installs the class cursor";
    ::SetCursor(arrow);
    testing::MouseMove(*host, 30, 30);
    EXPECT_EQ(::GetCursor(), arrow) << "after which the control leaves the cursor alone";
}

TEST_F(ControlTest, MouseInputReachesHooksAfterTheUserEvents) {
    auto host = MakeHost();
    Log log;
    ProbeControl control(0xFFFF0000, &log);
    ASSERT_TRUE(control.Create(*host, {10, 10, 100, 80}));
    control.SetEventHandler(LoggingHandler(log));

    const struct {
        void (*send)(const SkinWindow&, int, int);
        Log expected;
    } steps[] = {
        {testing::MouseMove, {"user 13", "hook enter", "user 12", "hook move"}},
        {testing::LeftDown, {"user 2", "hook left down 20,30", "focus from 0"}},
        {testing::LeftUp, {"user 3", "hook left up", "user 1", "hook click"}},
    };
    for (const auto& step : steps) {
        log.clear();
        step.send(*host, 30, 40);
        EXPECT_EQ(log, step.expected);
    }
    log.clear();
    testing::MouseMove(*host, 250, 150);
    EXPECT_EQ(log, (Log{"user 14", "hook leave"}));
}

TEST_F(ControlTest, RaisedEventsAreForwardedWithTheirFirstThreeValuesOnly) {
    auto host = MakeHost();
    ProbeControl sender, target;
    ASSERT_TRUE(sender.Create(*host, {10, 10, 50, 50}));
    ASSERT_TRUE(target.Create(*host, {100, 10, 50, 50}));
    EXPECT_EQ(sender.RaiseEvent(5, 1, 2, 3, 4, 5), 0) << "no handler";

    sender.SetEventTarget(target.Id());
    std::vector<EventParam> handled;
    sender.SetEventHandler([&](HWND window, ObjectHandle id, std::int32_t event, EventParam p1, EventParam p2,
                               EventParam p3, EventParam p4, EventParam p5) {
        EXPECT_EQ(window, host->GetHandle());
        EXPECT_EQ(id, sender.Id());
        handled = {event, p1, p2, p3, p4, p5};
        return 77;
    });
    EXPECT_EQ(sender.RaiseEvent(5, 1, 2, 3, 4, 5), 77) << "the handler's result";
    EXPECT_EQ(handled, (std::vector<EventParam>{5, 1, 2, 3, 4, 5})) << "the handler gets every value";
    EXPECT_EQ(target.childSender, sender.Id());
    EXPECT_EQ(target.childRecord, (UserEventRecord{5, 1, 2, 0, 0, 0}));
}

TEST_F(ControlTest, EventTargetMayDeleteTheSender) {
    auto host = MakeHost();
    auto sender = std::make_unique<ProbeControl>();
    ProbeControl target;
    ASSERT_TRUE(sender->Create(*host, {10, 10, 50, 50}));
    ASSERT_TRUE(target.Create(*host, {100, 10, 50, 50}));
    sender->SetEventTarget(target.Id());
    const ObjectHandle senderId = sender->Id();
    ObjectHandle handled = 0;
    sender->SetEventHandler([&](HWND, ObjectHandle id, std::int32_t event, EventParam, EventParam, EventParam,
                                EventParam, EventParam) {
        if (event == kUserClick) handled = id;
        return 0;
    });
    target.onChildEvent = [&] {
        if (target.childRecord[0] == kUserClick) sender.reset();
    };
    testing::LeftClick(*host, 30, 30);
    EXPECT_FALSE(sender);
    EXPECT_EQ(handled, senderId) << "the handler still hears of the click";
}

TEST_F(ControlTest, FocusMovesBetweenControlsOnce) {
    auto host = MakeHost();
    Log log;
    ProbeControl a(0xFFFF0000, &log), b(0xFF0000FF, &log);
    ASSERT_TRUE(a.Create(*host, {10, 10, 50, 50}));
    ASSERT_TRUE(b.Create(*host, {100, 10, 50, 50}));

    EXPECT_TRUE(a.SetFocus());
    EXPECT_EQ(GetWindowProperty(host->GetHandle(), property::kFocus), a.Id());
    EXPECT_TRUE(a.HasFocus());
    log.clear();
    EXPECT_FALSE(a.SetFocus()) << "the control already has the focus";
    EXPECT_EQ(log, Log{}) << "and no focus events are sent";

    EXPECT_TRUE(b.SetFocus());
    EXPECT_EQ(log, (Log{"focus from " + std::to_string(a.Id()), "blur to " + std::to_string(b.Id())}));
    EXPECT_FALSE(a.HasFocus());
    EXPECT_TRUE(b.HasFocus());

    b.Detach();
    EXPECT_EQ(GetWindowProperty(host->GetHandle(), property::kFocus), 0) << "a destroyed control gives the focus up";
}

TEST_F(ControlTest, TransparencySetsTheConstantAlphaOnTheHost) {
    auto host = MakeHost();
    const std::uint32_t background = testing::HostPixel(*host, 40, 40);
    ProbeControl control(0xFFFF0000);
    ASSERT_TRUE(control.Create(*host, {10, 10, 100, 80}));
    EXPECT_EQ(testing::HostPixel(*host, 40, 40), 0xFFFF0000u) << "transparency 0 is opaque";

    const struct {
        std::int32_t transparency;
        std::uint32_t expected;
    } cases[] = {{255, background}, {0, 0xFFFF0000u}};
    for (const auto& c : cases) {
        control.Transparency(c.transparency, true);
        EXPECT_EQ(testing::HostPixel(*host, 40, 40), c.expected) << "transparency " << c.transparency;
        host->RebuildSurfaces();  // the window's own repaint blends the same way
        EXPECT_EQ(testing::HostPixel(*host, 40, 40), c.expected) << "repainted, transparency " << c.transparency;
    }

    control.Visible(false);
    EXPECT_EQ(testing::HostPixel(*host, 40, 40), background) << "a hidden control leaves the background";
    control.Visible(true);
    EXPECT_EQ(testing::HostPixel(*host, 40, 40), 0xFFFF0000u);
}

TEST_F(ControlTest, ControlsOfAHiddenWindowAreThereWhenItIsShown) {
    SkinWindow hidden;
    ASSERT_EQ(hidden.Create({.bounds = Rect{20, 20, 200, 100}, .style = 0,
                             .frameStyle = static_cast<std::int32_t>(testing::kHostColour)}),
              1);
    ProbeControl control(0xFF00FF00);
    ASSERT_TRUE(control.Create(hidden, {10, 10, 50, 50}));
    EXPECT_FALSE(control.IsVisible()) << "the window is hidden";
    hidden.Show(true);
    EXPECT_TRUE(control.IsVisible());
    EXPECT_EQ(testing::HostPixel(hidden, 30, 30), 0xFF00FF00u) << "composed while the window was hidden";
    control.Detach();
}

// The frames of a show transition move and size the window; a control made
// while they run still belongs to the whole window, takes the mouse there
// and is in the picture the transition ends with.
TEST_F(ControlTest, AControlMadeWhileItsWindowZoomsInIsPlacedOnTheWholeWindow) {
    SkinWindow window;
    ASSERT_EQ(window.Create({.bounds = Rect{20, 20, 200, 100}, .style = 0,
                             .frameStyle = static_cast<std::int32_t>(testing::kHostColour)}),
              1);
    window.Layered(true);
    window.ShowEffect(kEffectZoom, 16);
    window.Show(true);
    ASSERT_TRUE(window.IsAnimating());
    RECT frame{};
    ::GetWindowRect(window.GetHandle(), &frame);
    ASSERT_LT(frame.right - frame.left, 200) << "the first frame, smaller than the window, is up";

    Log log;
    ProbeControl control(0xFF00FF00, &log);
    ASSERT_TRUE(control.Create(window, {150, 60, 40, 30}));
    EXPECT_EQ(control.VisibleRect(), (Rect{150, 60, 40, 30}));
    for (int i = 0; i < 100 && window.IsAnimating(); ++i)
        ::SendMessageW(window.GetHandle(), WM_TIMER, kTransitionTimer + 65536, 0);
    ASSERT_FALSE(window.IsAnimating());
    EXPECT_EQ(testing::HostPixel(window, 170, 75), 0xFF00FF00u);
    testing::LeftClick(window, 170, 75);
    EXPECT_NE(std::find(log.begin(), log.end(), "hook click"), log.end());
    control.Detach();
}

TEST_F(ControlTest, FadeOfIntervalFiveAndStepFiveEndsAfterTwentyTwoTicks) {
    auto host = MakeHost();
    ProbeControl control(0xFFFF0000);
    ASSERT_TRUE(control.Create(*host, {10, 10, 100, 80}));
    control.SetColour(0xFF0000FF);
    control.BeginFade(5, 5);
    ASSERT_TRUE(control.IsFading());

    std::vector<std::int32_t> alphas;
    int ticks = 0;
    while (control.IsFading() && ticks < 100) {
        ASSERT_TRUE(testing::Tick(control, kFadeTimerKey));
        ++ticks;
        alphas.push_back(control.FadeAlpha());
        if (ticks == 1) {
            const std::uint32_t frame = testing::HostPixel(*host, 40, 40);
            EXPECT_GT(testing::Red(frame), 200) << "the first frame is mostly the old look";
            EXPECT_GT(testing::Blue(frame), 0);
        }
    }
    EXPECT_EQ(ticks, 22);
    EXPECT_EQ(alphas[0], 12);
    EXPECT_EQ(alphas[20], 252);
    EXPECT_FALSE(control_timers::SystemTimerOf(control, kFadeTimerKey)) << "the fade timer is stopped";
    EXPECT_EQ(testing::HostPixel(*host, 40, 40), 0xFF0000FFu) << "the fade ends on the new look";
    EXPECT_EQ(control.DrawingSurface().PixelAt(5, 5), 0xFF0000FFu) << "which becomes the control's picture";
}

TEST_F(ControlTest, FadeStartedDuringAFadeContinuesFromThePictureOnScreen) {
    auto host = MakeHost();
    ProbeControl control(0xFFFF0000);
    ASSERT_TRUE(control.Create(*host, {10, 10, 100, 80}));
    control.SetColour(0xFF0000FF);
    control.BeginFade(5, 5);
    ASSERT_TRUE(testing::Tick(control, kFadeTimerKey, 11));
    const std::uint32_t halfWay = testing::HostPixel(*host, 40, 40);
    ASSERT_GT(testing::Blue(halfWay), 60);
    ASSERT_GT(testing::Red(halfWay), 60);

    control.SetColour(0xFF00FF00);
    control.BeginFade(5, 5);
    ASSERT_TRUE(testing::Tick(control, kFadeTimerKey));
    const std::uint32_t next = testing::HostPixel(*host, 40, 40);
    EXPECT_GT(testing::Blue(next), testing::Blue(halfWay) * 3 / 4) << "the half-way picture is still there";
    EXPECT_GT(testing::Red(next), testing::Red(halfWay) * 3 / 4);
    EXPECT_GT(testing::Green(next), 0);
    EXPECT_EQ(testing::TickUntilStopped(control, kFadeTimerKey), 21);
    EXPECT_EQ(testing::HostPixel(*host, 40, 40), 0xFF00FF00u);
}

TEST_F(ControlTest, NoTimerTickReachesADetachedOrDestroyedControl) {
    auto host = MakeHost();
    ProbeControl control;
    ASSERT_TRUE(control.Create(*host, {10, 10, 50, 50}));
    ASSERT_TRUE(control.StartTimer(7, 60000, 3));
    const UINT_PTR timer = control_timers::SystemTimerOf(control, 7).value();
    control_timers::DeliverTick(timer);
    EXPECT_EQ(control.ticks, 1);

    control.SetColour(0xFF0000FF);
    control.BeginFade(5, 5);
    ASSERT_TRUE(control_timers::SystemTimerOf(control, kFadeTimerKey));
    control.Detach();
    EXPECT_FALSE(control_timers::SystemTimerOf(control, 7));
    EXPECT_FALSE(control_timers::SystemTimerOf(control, kFadeTimerKey)) << "the fade's timer too";
    control_timers::DeliverTick(timer);
    EXPECT_EQ(control.ticks, 1);
    EXPECT_FALSE(::KillTimer(nullptr, timer)) << "the system timer was killed already";

    // Destroying the host window stops the timers of its controls as well.
    auto other = MakeHost();
    auto onOther = std::make_unique<ProbeControl>();
    ASSERT_TRUE(onOther->Create(*other, {10, 10, 50, 50}));
    ASSERT_TRUE(onOther->StartTimer(1, 60000));
    const UINT_PTR otherTimer = control_timers::SystemTimerOf(*onOther, 1).value();
    other.reset();
    EXPECT_FALSE(control_timers::SystemTimerOf(*onOther, 1));
    EXPECT_FALSE(::KillTimer(nullptr, otherTimer));
}

TEST_F(ControlTest, RestartingATimerReplacesItsSystemTimer) {
    auto host = MakeHost();
    ProbeControl control;
    ASSERT_TRUE(control.Create(*host, {10, 10, 50, 50}));
    ASSERT_TRUE(control.StartTimer(4, 60000));
    const UINT_PTR first = control_timers::SystemTimerOf(control, 4).value();
    ASSERT_TRUE(control.StartTimer(4, 60000));
    EXPECT_NE(control_timers::SystemTimerOf(control, 4).value(), first);
    EXPECT_FALSE(::KillTimer(nullptr, first)) << "the replaced timer no longer runs";
    control.StopTimer(4);
    EXPECT_FALSE(control_timers::SystemTimerOf(control, 4));
}

TEST_F(ControlTest, PreciseTimerTicksArriveOnTheGuiThread) {
    auto host = MakeHost();
    ProbeControl control;
    ASSERT_TRUE(control.Create(*host, {10, 10, 50, 50}));
    ASSERT_TRUE(control.StartPreciseTimer(3, 1));
    // The multimedia timer posts its ticks; pumping messages delivers them here.
    for (int i = 0; i < 500 && control.ticks == 0; ++i) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        ::Sleep(2);
    }
    EXPECT_GT(control.ticks, 0);
    control.Detach();
    EXPECT_FALSE(control_timers::SystemTimerOf(control, 3, true));
}

TEST_F(ControlTest, HandlerMayDeleteTheControlThatRaisedTheEvent) {
    auto host = MakeHost();
    auto control = std::make_unique<ProbeControl>();
    ASSERT_TRUE(control->Create(*host, {10, 10, 50, 50}));
    control->SetEventHandler([&](HWND, ObjectHandle, std::int32_t event, EventParam, EventParam, EventParam,
                                 EventParam, EventParam) {
        if (event == kUserLeftDown) control.reset();
        return 0;
    });
    testing::LeftClick(*host, 20, 20);
    EXPECT_FALSE(control);
}

}  // namespace
}  // namespace lirvo
