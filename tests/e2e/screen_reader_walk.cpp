// A screen reader's walk through the setup program, from another process as
// a screen reader runs: the setup window's accessible object is taken with
// AccessibleObjectFromWindow, every page's children are read (names,
// roles, states, values) and the installation is done by default actions
// alone: 立即安装, 下一步, the launch cleared, 完成. One line per check,
// "accessible: passed: NAME" or "accessible: FAILED: NAME"; exit code 0
// when every check passed.

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "skin/core/com_ptr.h"
#include "tests/setup/accessible_reading.h"

namespace {

using lirvo::ComPtr;
using lirvo::testing::AccessibleChild;

int failures = 0;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

void Check(const std::string& what, bool passed) {
    std::printf("accessible: %s: %s\n", passed ? "passed" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!passed) ++failures;
}

// Waits (at most `seconds`) until the condition holds.
bool WaitFor(const std::function<bool()>& condition, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (condition()) return true;
        ::Sleep(100);
    }
    return condition();
}

void Print(const std::vector<AccessibleChild>& page) {
    for (const AccessibleChild& child : page)
        std::printf("  child %ld: \"%s\" role %ld states 0x%lx value \"%s\" action \"%s\"\n", child.id,
                    Utf8(child.name).c_str(), child.role, child.states,
                    Utf8(child.value.value_or(L"")).c_str(), Utf8(child.defaultAction).c_str());
    std::fflush(stdout);
}

using lirvo::testing::ExpectedChild;

void CheckPage(const char* page, const std::vector<AccessibleChild>& children,
               const std::vector<ExpectedChild>& wanted) {
    for (const ExpectedChild& e : wanted) {
        const auto child = lirvo::testing::Named(children, e.name);
        const std::string label = std::string(page) + ": " + Utf8(e.name);
        Check(label + " is listed", child.has_value());
        if (!child) continue;
        Check(label + " has its role", child->role == e.role);
        Check(label + " has its states", (child->states & lirvo::testing::kChangingStates) == e.states);
        Check(label + " is on the screen", child->location.right > child->location.left);
    }
}

}  // namespace

int main() {
    ::CoInitialize(nullptr);
    const wchar_t* title = L"LirvoPDF阅读器 安装";
    HWND window = nullptr;
    Check("the setup window appears", WaitFor([&] { return (window = ::FindWindowW(nullptr, title)) != nullptr; }, 30));
    if (!window) return 1;
    ComPtr<IAccessible> object;
    auto read = [&] {
        if (!object) object = lirvo::testing::ClientObject(window);
        return lirvo::testing::ReadChildren(object.Get());
    };
    auto has = [&](const wchar_t* name) { return lirvo::testing::Named(read(), name).has_value(); };
    auto act = [&](const wchar_t* name) {
        const auto child = lirvo::testing::Named(read(), name);
        const HRESULT result = child ? object->accDoDefaultAction(lirvo::testing::Child(child->id)) : E_FAIL;
        Check("default action of " + Utf8(name), result == S_OK);
    };

    Check("welcome page read from another process", WaitFor([&] { return has(L"立即安装"); }, 30));
    std::vector<AccessibleChild> page = read();
    std::printf("welcome:\n");
    Print(page);
    CheckPage("welcome", page, {{L"立即安装", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSED}});
    act(L"立即安装");

    Check("selection page", WaitFor([&] { return has(L"下一步"); }, 20));
    page = read();
    std::printf("selection:\n");
    Print(page);
    CheckPage("selection", page, lirvo::testing::SelectionPageAsItOpens());
    const auto box = lirvo::testing::Named(page, L"安装位置");
    Check("the folder box's value is the default folder",
          box && box->value == std::wstring(L"C:\\Program Files\\LirvoPDF阅读器\\"));
    act(L"下一步");

    Check("install or finish page", WaitFor([&] { return has(L"安装进度") || has(L"完成"); }, 20));
    page = read();
    std::printf("install:\n");
    Print(page);
    if (const auto progress = lirvo::testing::Named(page, L"安装进度")) {
        Check("install: the progress bar's role", progress->role == ROLE_SYSTEM_PROGRESSBAR);
        Check("install: the progress bar gives its value in percent",
              progress->value && !progress->value->empty() && progress->value->back() == L'%');
    }

    Check("finish page", WaitFor([&] { return has(L"完成"); }, 30));
    page = read();
    std::printf("finish:\n");
    Print(page);
    CheckPage("finish", page,
              {{L"我已了解：PDF 文件将默认用本阅读器打开", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED},
               {L"立即运行 LirvoPDF阅读器", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED},
               {L"完成", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSED},
               {L"自定义安装", ROLE_SYSTEM_PUSHBUTTON, 0}});
    act(L"立即运行 LirvoPDF阅读器");
    Check("the launch is cleared", WaitFor([&] {
              const auto launch = lirvo::testing::Named(read(), L"立即运行 LirvoPDF阅读器");
              return launch && !(launch->states & STATE_SYSTEM_CHECKED);
          }, 10));
    act(L"完成");
    Check("setup's window is gone after 完成", WaitFor([&] { return !::IsWindow(window); }, 30));
    object = {};
    ::CoUninitialize();
    std::printf("accessible: %d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
