// 卸载.exe: the reader's uninstaller, installed beside the reader. After the
// user confirms (or with /S, without asking) it removes what the setup
// program created for this installation, then its own file and folder once
// it has ended. It removes nothing while a file of the installation is in
// use: it names the files and lets the user close them and try again.
//
// Exit codes:
//   0  removed;
//   1  cancelled by the user, at the first question or while files were in
//      use: everything is still in place;
//   2  files left over: they could not be deleted once removal had begun;
//      the association, the shortcuts and the uninstaller are still there,
//      so that it can be run again;
//   3  files in use (/S only, which asks nothing): everything is still in
//      place.

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "payload/uninstaller/uninstall.h"

namespace {

constexpr wchar_t kTitle[] = L"卸载 LirvoPDF阅读器";

enum ExitCode : int { kRemoved = 0, kCancelled = 1, kFilesLeftOver = 2, kFilesInUse = 3 };

std::vector<std::wstring> Arguments() {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&::LocalFree)> list(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                         &::LocalFree);
    std::vector<std::wstring> arguments;
    for (int i = 1; list && i < count; ++i) arguments.emplace_back(list.get()[i]);
    return arguments;
}

// This program's path in its long form: started through a short name
// (C:\PROGRA~1\...), it would not know the association and the shortcuts
// setup wrote with the long one as its own.
std::wstring OwnPath() {
    std::array<wchar_t, 32768> path{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::array<wchar_t, 32768> longForm{};
    const DWORD longLength = ::GetLongPathNameW(path.data(), longForm.data(), static_cast<DWORD>(longForm.size()));
    if (longLength > 0 && longLength < longForm.size()) return std::wstring(longForm.data(), longLength);
    return std::wstring(path.data(), length);
}

bool IsSwitch(const std::wstring& argument, const wchar_t* name) {
    return ::CompareStringOrdinal(argument.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

// The system's words for `error`, in the system's language.
std::wstring SystemMessage(DWORD error) {
    LPWSTR buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&::LocalFree)> owner(buffer, &::LocalFree);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text.empty() ? L"错误 " + std::to_wstring(error) : text;
}

// One line per file: its full path and why it cannot be deleted.
std::wstring Describe(const std::vector<lirvo::payload::HeldFile>& files) {
    std::wstring lines;
    for (const auto& file : files) lines += L"\r\n" + file.path + L"\r\n    " + SystemMessage(file.error);
    return lines;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const std::vector<std::wstring> arguments = Arguments();
    const std::wstring program = OwnPath();

    if (!arguments.empty() && IsSwitch(arguments[0], L"/finish")) {
        // Only ever started by an uninstaller with exactly these arguments.
        if (arguments.size() != 3) return kCancelled;
        lirvo::UniqueHandle process(
            reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(wcstoull(arguments[1].c_str(), nullptr, 10))));
        lirvo::payload::FinishRemoval(std::move(process), program, arguments[2]);
        return kRemoved;
    }

    bool silent = false;
    for (const std::wstring& argument : arguments) silent = silent || IsSwitch(argument, L"/S");
    if (!silent && ::MessageBoxW(nullptr,
                                 L"确定要从这台电脑上卸载 LirvoPDF阅读器 吗？\r\n\r\n"
                                 L"将删除程序文件、快捷方式和 PDF 文件关联；您的 PDF 文档不受影响。",
                                 kTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return kCancelled;

    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    for (auto held = lirvo::payload::FilesInUse(folder); !held.empty(); held = lirvo::payload::FilesInUse(folder)) {
        if (silent) return kFilesInUse;
        const std::wstring message =
            L"以下文件正在被其他程序使用，现在无法卸载 LirvoPDF阅读器：\r\n" + Describe(held) +
            L"\r\n\r\n请关闭 LirvoPDF阅读器 和使用这些文件的程序，然后单击“重试”。单击“取消”则不卸载，什么也不删除。";
        if (::MessageBoxW(nullptr, message.c_str(), kTitle, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY)
            return kCancelled;
    }

    // Something may take hold of a file after the check; what is left then
    // keeps the way back (see Uninstall).
    for (auto result = lirvo::payload::Uninstall(folder); !result.leftOver.empty();
         result = lirvo::payload::Uninstall(folder)) {
        if (silent) return kFilesLeftOver;
        const std::wstring message =
            L"以下文件未能删除：\r\n" + Describe(result.leftOver) +
            L"\r\n\r\n单击“重试”再删除一次。单击“取消”则停止；之后可从开始菜单的“卸载”再次运行卸载程序。";
        if (::MessageBoxW(nullptr, message.c_str(), kTitle, MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY)
            return kFilesLeftOver;
    }
    lirvo::payload::RemoveAfterExit(program, folder);
    if (!silent) ::MessageBoxW(nullptr, L"LirvoPDF阅读器 已从这台电脑上卸载。", kTitle, MB_OK | MB_ICONINFORMATION);
    return kRemoved;
}
