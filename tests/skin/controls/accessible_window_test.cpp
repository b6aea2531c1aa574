// What a screen reader reads of a skinned window and hears from it: the
// children with their names, roles, states and values, hit testing and
// navigation, and the WinEvents that follow focus, ticks and progress.

#include "skin/controls/accessible_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "skin/controls/check_box.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/image_button.h"
#include "skin/controls/label.h"
#include "skin/controls/progress_bar.h"
#include "tests/setup/accessible_reading.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/images.h"

namespace lirvo {
namespace {

using testing::AccessibleChild;
using testing::ControlTest;

// The WinEvents raised for one window while it lives: (event, object, child).
class WinEventLog {
public:
    explicit WinEventLog(HWND window) {
        window_ = window;
        heard_ = &events_;
        hook_ = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, &Heard, ::GetCurrentProcessId(),
                                  0, WINEVENT_OUTOFCONTEXT);
    }
    ~WinEventLog() {
        if (hook_) ::UnhookWinEvent(hook_);
        heard_ = nullptr;
    }
    // What was heard so far; out-of-context events come through the queue.
    const std::vector<std::tuple<DWORD, LONG, LONG>>& Events() {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        return events_;
    }
    bool Heard(DWORD event, LONG child) {
        for (const auto& [e, object, c] : Events())
            if (e == event && object == OBJID_CLIENT && c == child) return true;
        return false;
    }

private:
    static void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (heard_ && window == window_) heard_->emplace_back(event, object, child);
    }
    static inline HWND window_ = nullptr;
    static inline std::vector<std::tuple<DWORD, LONG, LONG>>* heard_ = nullptr;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<std::tuple<DWORD, LONG, LONG>> events_;
};

TEST_F(ControlTest, AScreenReaderReadsTheShownControlsAndHearsTheirChanges) {
    ::CoInitialize(nullptr);
    auto host = MakeHost();
    const HWND window = host->GetHandle();
    ImageButton button, hidden;
    CheckBox box;
    EditBox edit;
    Label label, blank;
    ProgressBar bar;
    ASSERT_TRUE(button.Create(*host, {10, 10, 60, 30}, true, testing::SolidPng(60, 30, 0xFF00A000)));
    ASSERT_TRUE(hidden.Create(*host, {80, 10, 60, 30}, true, testing::SolidPng(60, 30, 0xFF00A000)));
    ASSERT_TRUE(box.Create(*host, {10, 50, 90, 20}, MakeWideText("选项"), std::nullopt, true));
    ASSERT_TRUE(edit.Create(*host, {10, 80, 150, 28}, {.text = MakeWideText("C:\\")}));
    ASSERT_TRUE(label.Create(*host, {10, 120, 100, 20}, MakeWideText("可用空间"), 0, std::nullopt));
    ASSERT_TRUE(bar.Create(*host, {10, 150, 200, 20}, {.boundA = 100.0f, .boundB = 0.0f, .position = 25.0f}));
    ASSERT_TRUE(blank.Create(*host, {10, 175, 100, 20}, WideText(), 0, std::nullopt));
    button.AccessibleName(MakeWideText("确定"));
    hidden.Visible(false);
    button.Disabled(true);

    ComPtr<IAccessible> object = testing::ClientObject(window);
    ASSERT_TRUE(object);
    const std::vector<AccessibleChild> children = testing::ReadChildren(object.Get());
    const struct {
        const wchar_t* name;
        long role;
        long states;
        std::optional<std::wstring> value;
        const wchar_t* action;
    } expected[] = {
        {L"确定", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE, std::nullopt, L"按下"},
        {L"选项", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSABLE, std::nullopt, L"清除"},
        // Without a name given, a control is called by its text.
        {L"C:\\", ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSABLE, L"C:\\", L""},
        {L"可用空间", ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, std::nullopt, L""},
        {L"", ROLE_SYSTEM_PROGRESSBAR, STATE_SYSTEM_READONLY, L"25%", L""},
    };
    ASSERT_EQ(children.size(), std::size(expected))
        << "the hidden button is not listed, nor the text that has nothing to say";
    for (std::size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(children[i].name, expected[i].name) << i;
        EXPECT_EQ(children[i].role, expected[i].role) << i;
        EXPECT_EQ(children[i].states, expected[i].states) << i;
        EXPECT_EQ(children[i].value, expected[i].value) << i;
        EXPECT_EQ(children[i].defaultAction, expected[i].action) << i;
    }
    EXPECT_EQ(object->accDoDefaultAction(testing::Child(children[0].id)), E_FAIL) << "a disabled button is not clicked";
    EXPECT_EQ(object->accDoDefaultAction(testing::Child(hidden.Id())), E_INVALIDARG) << "nor a hidden one";

    // Where the check box is on the screen, it is hit; next after it, the edit box.
    const RECT place = children[1].location;
    VARIANT hit;
    ASSERT_EQ(object->accHitTest((place.left + place.right) / 2, (place.top + place.bottom) / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, box.Id());
    VARIANT next;
    ASSERT_EQ(object->accNavigate(NAVDIR_NEXT, testing::Child(box.Id()), &next), S_OK);
    EXPECT_EQ(next.lVal, edit.Id());

    WinEventLog heard(window);
    box.SetFocus();
    EXPECT_TRUE(heard.Heard(EVENT_OBJECT_FOCUS, box.Id())) << "focus";
    ::SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    ::SendMessageW(window, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
    EXPECT_FALSE(box.Checked());
    EXPECT_TRUE(heard.Heard(EVENT_OBJECT_STATECHANGE, box.Id())) << "the check box's change";
    bar.Position(60, true);
    EXPECT_TRUE(heard.Heard(EVENT_OBJECT_VALUECHANGE, bar.Id())) << "progress";
    EXPECT_EQ(testing::ReadChild(object.Get(), bar.Id()).value, L"60%");
    ::SendMessageW(window, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_TRUE(heard.Heard(EVENT_OBJECT_FOCUS, edit.Id())) << "Tab's focus move";
    object = {};
    ::CoUninitialize();
}

// A screen reader may keep the object long after what it reads went away:
// it must then be told so, not read freed memory.
TEST_F(ControlTest, AnObjectKeptAfterItsControlOrItsWindowWentSaysSo) {
    ::CoInitialize(nullptr);
    auto host = MakeHost();
    auto box = std::make_unique<CheckBox>();
    ASSERT_TRUE(box->Create(*host, {10, 50, 90, 20}, MakeWideText("选项"), std::nullopt, true));
    const long id = box->Id();
    ComPtr<IAccessible> object = testing::ClientObject(host->GetHandle());
    ASSERT_TRUE(object);
    ASSERT_EQ(testing::ReadChild(object.Get(), id).name, L"选项");

    box->Detach();
    box.reset();
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(testing::Child(id), &name), E_INVALIDARG) << "a control that went";
    EXPECT_EQ(object->accDoDefaultAction(testing::Child(id)), E_INVALIDARG);
    long count = -1;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 0);

    host.reset();
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED) << "a window that went";
    EXPECT_EQ(object->get_accName(testing::Child(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(testing::Child(id)), CO_E_OBJNOTCONNECTED);
    ::SysFreeString(name);
    object = {};
    ::CoUninitialize();
}

}  // namespace
}  // namespace lirvo
