#include "skin/core/declared_function.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/child_process.h"

#include <objidl.h>

namespace lirvo {
namespace {

constexpr char kChildVariable[] = "LIRVO_DECLARED_FUNCTION_CHILD";

TEST(DeclaredFunction, ResolvesOnFirstCall) {
    DeclaredFunction<int(WINAPI*)(int)> getSystemMetrics{"user32.dll", "GetSystemMetrics"};
    EXPECT_EQ(getSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CXSCREEN));
    DeclaredFunction<IStream*(WINAPI*)(const BYTE*, UINT)> byOrdinal{"SHLWAPI.DLL", MAKEINTRESOURCEA(12)};
    const BYTE bytes[] = {1, 2, 3};
    IStream* stream = byOrdinal(bytes, 3);
    ASSERT_NE(stream, nullptr);
    stream->Release();
}

// Runs only inside the child process that the next test starts.
TEST(DeclaredFunctionChild, CallsAFunctionThatDoesNotExist) {
    if (!testing::IsChildRun(kChildVariable)) GTEST_SKIP() << "runs as a child process only";
    DeclaredFunction<void(WINAPI*)()> missing{"kernel32.dll", "LirvoNoSuchFunction"};
    missing();
    ADD_FAILURE() << "the process should have stopped";
}

struct MessageBoxSearch {
    HWND dialog = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770") return TRUE;
    reinterpret_cast<MessageBoxSearch*>(context)->dialog = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
    wchar_t className[16] = {};
    ::GetClassNameW(child, className, 16);
    if (::lstrcmpiW(className, L"Static") != 0) return TRUE;
    wchar_t text[512] = {};
    ::GetWindowTextW(child, text, 512);
    auto& longest = *reinterpret_cast<std::wstring*>(context);
    if (std::wstring(text).size() > longest.size()) longest = text;
    return TRUE;
}

TEST(DeclaredFunction, AMissingFunctionStopsTheProcessWithTheFatalMessage) {
    auto child = testing::StartChildTest("DeclaredFunctionChild.CallsAFunctionThatDoesNotExist", kChildVariable);
    ASSERT_TRUE(child);

    // The box is read once it is on screen: before that its texts may not be set.
    MessageBoxSearch search;
    std::wstring text;
    for (int attempt = 0; attempt < 200 && text.empty(); ++attempt) {
        ::EnumThreadWindows(child->threadId, FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.dialog && ::IsWindowVisible(search.dialog))
            ::EnumChildWindows(search.dialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
        if (text.empty()) ::Sleep(50);
    }
    ASSERT_TRUE(search.dialog) << "no message box appeared";
    EXPECT_EQ(text, L"无法找到指定DLL库文件“kernel32.dll”中的输出命令“LirvoNoSuchFunction”");

    ::PostMessageW(search.dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(testing::WaitForExit(*child, 10000), std::optional<DWORD>(1));
}

}  // namespace
}  // namespace lirvo
