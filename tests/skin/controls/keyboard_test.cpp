// The keyboard on a skinned window: Tab order, clicks by Space and Enter,
// the default and cancel controls, and the focus indicator.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/custom_install_toggle.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/image_button.h"
#include "skin/controls/image_check.h"
#include "skin/controls/label.h"
#include "skin/core/contrast.h"
#include "skin/core/keyboard_navigation.h"
#include "skin/core/shared_routines.h"
#include "skin/core/window_properties.h"
#include "skin/window/focus_indicator.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/images.h"

namespace lirvo {
namespace {

using testing::ControlTest;

constexpr Argb kGreen = 0xFF00A000;

// A user event as the application's handler receives it.
struct Heard {
    std::int32_t event;
    EventParam p1;
    friend bool operator==(const Heard&, const Heard&) = default;
};
using Log = std::vector<Heard>;

SkinControl::EventHandler Recorder(Log& log) {
    return [&log](HWND, ObjectHandle, std::int32_t event, EventParam p1, EventParam, EventParam, EventParam,
                  EventParam) {
        log.push_back({event, p1});
        return 0;
    };
}

void Key(const SkinWindow& host, UINT key, bool down) {
    // Key-up messages carry the previous-state and transition bits.
    ::SendMessageW(host.GetHandle(), down ? WM_KEYDOWN : WM_KEYUP, key, down ? 1 : static_cast<LPARAM>(0xC0000001u));
}

void Press(const SkinWindow& host, UINT key) {
    Key(host, key, true);
    Key(host, key, false);
}

// Holds Shift down for the thread, as the system does while the key is held.
class ShiftHeld {
public:
    ShiftHeld() { Set(true); }
    ~ShiftHeld() { Set(false); }

private:
    static void Set(bool down) {
        BYTE keys[256]{};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
};

ObjectHandle FocusOf(const SkinWindow& host) {
    return static_cast<ObjectHandle>(GetWindowProperty(host.GetHandle(), property::kFocus));
}

void SettleFades(const SkinControl& control) {
    testing::TickUntilStopped(control, kFadeTimerKey);
    testing::TickUntilStopped(control, kStateFadeTimerKey);
}

// One clickable control of each class on a fresh host, and what its look is.
struct ClickableKind {
    const char* name;
    std::function<std::unique_ptr<SkinControl>(SkinWindow&)> make;
};

const ClickableKind kClickables[] = {
    {"image button",
     [](SkinWindow& host) {
         auto c = std::make_unique<ImageButton>();
         c->Create(host, {40, 40, 60, 30}, true, testing::SolidPng(60, 30, kGreen));
         return std::unique_ptr<SkinControl>(std::move(c));
     }},
    {"image check",
     [](SkinWindow& host) {
         auto c = std::make_unique<ImageCheck>();
         c->Create(host, {40, 40, 20, 20});
         return std::unique_ptr<SkinControl>(std::move(c));
     }},
    {"check box",
     [](SkinWindow& host) {
         auto c = std::make_unique<CheckBox>();
         c->Create(host, {40, 40, 90, 20}, MakeWideText("选项"));
         return std::unique_ptr<SkinControl>(std::move(c));
     }},
    {"custom-install toggle",
     [](SkinWindow& host) {
         auto c = std::make_unique<CustomInstallToggle>();
         c->Create(host, {40, 40, 80, 20});
         return std::unique_ptr<SkinControl>(std::move(c));
     }},
    {"button",
     [](SkinWindow& host) {
         auto c = std::make_unique<Button>();
         c->Create(host, {40, 40, 80, 30}, {.text = MakeWideText("确定")});
         return std::unique_ptr<SkinControl>(std::move(c));
     }},
};

// What one way of clicking did: the user events, the look while held down
// and the look after.
struct ClickResult {
    Log heard;
    std::uint32_t whileHeld = 0;
    std::uint32_t after = 0;
};

enum class Way { Mouse, Space, Enter };

class KeyboardTest : public ControlTest {
protected:
    void SetUp() override {
        ApplicationSkin().AddRecord(0, kCheckStripName,
                                    testing::BandsPng(20, 20, {0xFF0000C0, 0xFF00C000, 0xFFC00000}), 0);
    }

    static ClickResult ClickBy(const ClickableKind& kind, Way way);
};

ClickResult KeyboardTest::ClickBy(const ClickableKind& kind, Way way) {
    auto host = MakeHost();
    std::unique_ptr<SkinControl> control = kind.make(*host);
    SettleFades(*control);
    control->SetFocus();
    ClickResult result;
    control->SetEventHandler(Recorder(result.heard));
    const Rect r = control->TopLevelRect();
    const int x = r.left + r.width / 2, y = r.top + r.height / 2;
    auto look = [&] {
        SettleFades(*control);
        return testing::HostPixel(*host, x, y);
    };
    switch (way) {
    case Way::Mouse:
        testing::LeftDown(*host, x, y);
        result.whileHeld = look();
        testing::LeftUp(*host, x, y);
        break;
    case Way::Space:
        Key(*host, VK_SPACE, true);
        result.whileHeld = look();
        Key(*host, VK_SPACE, false);
        break;
    case Way::Enter:
        Press(*host, VK_RETURN);
        break;
    }
    result.after = look();
    return result;
}

TEST_F(KeyboardTest, TabWalksTheTabStopsInCreationOrderSkippingHiddenAndDisabledAndWraps) {
    auto host = MakeHost();
    ImageButton first, hidden, disabled, last;
    Label label;  // shows text, takes no focus
    CustomInstallToggle placedLast;
    ASSERT_TRUE(placedLast.Create(*host, {10, 170, 80, 20}));
    ASSERT_TRUE(first.Create(*host, {10, 10, 40, 20}, true, testing::SolidPng(40, 20, kGreen)));
    ASSERT_TRUE(label.Create(*host, {60, 10, 40, 20}, MakeWideText("名称"), 0, std::nullopt));
    ASSERT_TRUE(hidden.Create(*host, {110, 10, 40, 20}, true, testing::SolidPng(40, 20, kGreen)));
    ASSERT_TRUE(disabled.Create(*host, {160, 10, 40, 20}, true, testing::SolidPng(40, 20, kGreen)));
    ASSERT_TRUE(last.Create(*host, {210, 10, 40, 20}, true, testing::SolidPng(40, 20, kGreen)));
    hidden.Visible(false);
    disabled.Disabled(true);
    placedLast.TabPlace(1);  // created first, asks to come after the rest

    EXPECT_EQ(TabOrder(host->GetHandle()), (std::vector<ObjectHandle>{first.Id(), last.Id(), placedLast.Id()}));
    const ObjectHandle forwards[] = {first.Id(), last.Id(), placedLast.Id(), first.Id()};
    for (ObjectHandle expected : forwards) {
        Press(*host, VK_TAB);
        EXPECT_EQ(FocusOf(*host), expected) << "Tab";
    }
    {
        ShiftHeld shift;
        const ObjectHandle backwards[] = {placedLast.Id(), last.Id(), first.Id(), placedLast.Id()};
        for (ObjectHandle expected : backwards) {
            Press(*host, VK_TAB);
            EXPECT_EQ(FocusOf(*host), expected) << "Shift+Tab";
        }
    }

    hidden.Visible(true);
    disabled.Disabled(false);
    first.SetFocus();
    Press(*host, VK_TAB);
    EXPECT_EQ(FocusOf(*host), hidden.Id()) << "shown again, it takes its place";
    Press(*host, VK_TAB);
    EXPECT_EQ(FocusOf(*host), disabled.Id()) << "enabled again, it takes its place";
}

TEST_F(KeyboardTest, SpaceAndEnterOnTheFocusedControlSendWhatAMouseClickSends) {
    for (const ClickableKind& kind : kClickables) {
        const ClickResult mouse = ClickBy(kind, Way::Mouse);
        const ClickResult space = ClickBy(kind, Way::Space);
        const ClickResult enter = ClickBy(kind, Way::Enter);
        ASSERT_EQ(mouse.heard.size(), 3u) << kind.name;
        EXPECT_EQ(mouse.heard[1].event, kUserLeftUp) << kind.name << ": the release the setup acts on";
        EXPECT_EQ(space.heard, mouse.heard) << kind.name << ": Space";
        EXPECT_EQ(enter.heard, mouse.heard) << kind.name << ": Enter";
        EXPECT_EQ(space.whileHeld, mouse.whileHeld) << kind.name << ": the pressed look while Space is down";
        // A mouse click keeps an image button pressed until the mouse leaves
        // it; after a key's click no mouse will, so it looks normal again.
        if (std::string_view(kind.name) != "image button") {
            EXPECT_EQ(space.after, mouse.after) << kind.name << ": Space";
            EXPECT_EQ(enter.after, mouse.after) << kind.name << ": Enter";
        }
    }
}

TEST_F(KeyboardTest, KeysOnTheControlsKeepTheirStateChangesInStep) {
    auto host = MakeHost();
    CheckBox box;
    CustomInstallToggle toggle;
    ImageButton button;
    ASSERT_TRUE(box.Create(*host, {10, 10, 90, 20}, MakeWideText("选项")));
    ASSERT_TRUE(toggle.Create(*host, {10, 40, 80, 20}));
    ASSERT_TRUE(button.Create(*host, {10, 70, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));
    box.SetFocus();
    Press(*host, VK_SPACE);
    EXPECT_TRUE(box.Checked());
    Press(*host, VK_RETURN);
    EXPECT_FALSE(box.Checked());
    toggle.SetFocus();
    Press(*host, VK_SPACE);
    EXPECT_TRUE(toggle.Toggled());
    button.SetFocus();
    Key(*host, VK_SPACE, true);
    SettleFades(button);
    EXPECT_EQ(button.VisualState(), ImageButton::kPressed) << "held down";
    Key(*host, VK_SPACE, true);  // auto-repeat would send more downs; lParam bit 30 marks them
    Key(*host, VK_SPACE, false);
    EXPECT_EQ(button.VisualState(), ImageButton::kNormal) << "released";
}

TEST_F(KeyboardTest, EnterClicksTheDefaultControlAndEscapeTheCancelControl) {
    auto host = MakeHost();
    const HWND window = host->GetHandle();
    EditBox box;
    ImageButton ok, cancel;
    ASSERT_TRUE(box.Create(*host, {10, 10, 150, 30}, {.text = MakeWideText("C:\\")}));
    ASSERT_TRUE(ok.Create(*host, {10, 60, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));
    ASSERT_TRUE(cancel.Create(*host, {80, 60, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));
    Log boxHeard, okHeard, cancelHeard;
    box.SetEventHandler(Recorder(boxHeard));
    ok.SetEventHandler(Recorder(okHeard));
    cancel.SetEventHandler(Recorder(cancelHeard));
    const Log click = {{kUserLeftDown, PackPoint(30, 15)}, {kUserLeftUp, PackPoint(30, 15)},
                       {kUserClick, PackPoint(30, 15)}};

    box.SetFocus();
    Press(*host, VK_RETURN);
    EXPECT_TRUE(okHeard.empty()) << "no default control yet: Enter is the box's own";
    EXPECT_EQ(boxHeard.size(), 3u) << "key down, Enter, key up";

    SetDefaultControl(window, ok.Id());
    SetCancelControl(window, cancel.Id());
    boxHeard.clear();
    Key(*host, VK_RETURN, true);
    EXPECT_EQ(okHeard, click) << "Enter in the box clicks the default control";
    ASSERT_EQ(boxHeard.size(), 2u);
    EXPECT_EQ(boxHeard[0].event, kUserKeyDown) << "and the box still hears its key";
    EXPECT_EQ(boxHeard[1].event, EditBox::kUserEnter);
    EXPECT_EQ(box.GetText(), "C:\\") << "no character typed";
    ::SendMessageW(window, WM_CHAR, '\r', 0);
    EXPECT_EQ(box.GetText(), "C:\\");

    okHeard.clear();
    Press(*host, VK_ESCAPE);
    EXPECT_EQ(cancelHeard, click) << "Escape clicks the cancel control";
    EXPECT_TRUE(okHeard.empty());

    cancel.SetFocus();
    cancelHeard.clear();
    Press(*host, VK_RETURN);
    EXPECT_EQ(cancelHeard, click) << "on a button Enter is its own click, not the default's";
    EXPECT_TRUE(okHeard.empty());

    ok.Disabled(true);
    box.SetFocus();
    Press(*host, VK_RETURN);
    EXPECT_TRUE(okHeard.empty()) << "a disabled default control is not clicked";

    // The window's own handle: Escape does what its close button does.
    std::vector<std::int32_t> windowEvents;
    host->SetHandlers([&](SkinWindow&, std::int32_t event) {
        windowEvents.push_back(event);
        return true;  // handled: the window stays
    });
    SetCancelControl(window, host->GetObjectId());
    Press(*host, VK_ESCAPE);
    EXPECT_EQ(windowEvents, std::vector<std::int32_t>{kCaptionClose});
    EXPECT_TRUE(::IsWindow(window));

    SetCancelControl(window, 0);
    boxHeard.clear();
    Press(*host, VK_ESCAPE);
    EXPECT_EQ(windowEvents.size(), 1u) << "no cancel control: Escape is the box's";
    EXPECT_EQ(boxHeard.size(), 2u);
}

TEST_F(KeyboardTest, TheFocusIndicatorShowsOnlyOnceAKeyWasUsed) {
    auto host = MakeHost();
    ImageButton first, second;
    ASSERT_TRUE(first.Create(*host, {40, 40, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));
    ASSERT_TRUE(second.Create(*host, {140, 40, 60, 30}, true, testing::SolidPng(60, 30, kGreen)));
    SettleFades(first);
    SettleFades(second);
    const std::uint32_t background = testing::HostPixel(*host, 20, 150);
    // Probes on the ring: left of each button, two and three pixels out.
    auto ringAt = [&](const ImageButton& button) {
        const Rect r = button.TopLevelRect();
        return std::pair{testing::HostPixel(*host, r.left - 2, r.top + r.height / 2),
                         testing::HostPixel(*host, r.left - 3, r.top + r.height / 2)};
    };
    auto gapAt = [&](const ImageButton& button) {
        const Rect r = button.TopLevelRect();
        return testing::HostPixel(*host, r.left - 1, r.top + r.height / 2);
    };

    first.SetFocus();
    testing::LeftClick(*host, 70, 55);
    EXPECT_EQ(ringAt(first).first, background) << "focus and clicks without a key: nothing new to see";
    EXPECT_FALSE(KeyboardCuesShown(host->GetHandle()));

    Press(*host, VK_TAB);
    ASSERT_EQ(FocusOf(*host), second.Id());
    const auto [inner, outer] = ringAt(second);
    EXPECT_NE(inner, background);
    EXPECT_EQ(inner, outer) << "two pixels wide";
    EXPECT_GE(ContrastRatio(inner, background), 3.0);
    EXPECT_GE(ContrastRatio(inner, gapAt(second)), 3.0) << "against the pixel inside it too";
    EXPECT_EQ(gapAt(second), background) << "one pixel clear of the control";
    EXPECT_EQ(testing::HostPixel(*host, 140 - 3, 40 - 3), background) << "the outer corner pixel stays clear";
    EXPECT_EQ(ringAt(first).first, background);

    {
        ShiftHeld shift;
        Press(*host, VK_TAB);
    }
    EXPECT_EQ(ringAt(first).first, inner) << "the ring follows the focus";
    EXPECT_EQ(ringAt(second).first, background) << "and leaves nothing where it was";
    EXPECT_EQ(testing::HostPixel(*host, 141, 41), kGreen) << "the control under the old ring is intact";

    first.Visible(false);
    Press(*host, VK_SPACE);  // a key that does nothing: the focus control is hidden
    EXPECT_EQ(ringAt(first).first, background) << "no ring around a hidden control";
}

}  // namespace
}  // namespace lirvo
