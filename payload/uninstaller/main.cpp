// 卸载.exe: the reader's uninstaller, installed beside the reader. After the
// user confirms (or with /S, without asking) it removes what the setup
// program created for this installation, then its own file and folder once
// it has ended. Exit codes: 0 removed, 1 cancelled, 2 files left over.

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

std::vector<std::wstring> Arguments() {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&::LocalFree)> list(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                         &::LocalFree);
    std::vector<std::wstring> arguments;
    for (int i = 1; list && i < count; ++i) arguments.emplace_back(list.get()[i]);
    return arguments;
}

std::wstring OwnPath() {
    std::array<wchar_t, 32768> path{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::wstring(path.data(), length);
}

bool IsSwitch(const std::wstring& argument, const wchar_t* name) {
    return ::CompareStringOrdinal(argument.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const std::vector<std::wstring> arguments = Arguments();
    const std::wstring program = OwnPath();

    if (!arguments.empty() && IsSwitch(arguments[0], L"/finish")) {
        // Only ever started by an uninstaller with exactly these arguments.
        if (arguments.size() != 3) return 1;
        lirvo::UniqueHandle process(
            reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(wcstoull(arguments[1].c_str(), nullptr, 10))));
        lirvo::payload::FinishRemoval(std::move(process), program, arguments[2]);
        return 0;
    }

    bool silent = false;
    for (const std::wstring& argument : arguments) silent = silent || IsSwitch(argument, L"/S");
    if (!silent && ::MessageBoxW(nullptr,
                                 L"确定要从这台电脑上卸载 LirvoPDF阅读器 吗？\r\n\r\n"
                                 L"将删除程序文件、快捷方式和 PDF 文件关联；您的 PDF 文档不受影响。",
                                 kTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return 1;

    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    const auto result = lirvo::payload::Uninstall(folder);
    lirvo::payload::RemoveAfterExit(program, folder);

    if (!result.leftOver.empty()) {
        if (!silent) {
            std::wstring message = L"以下文件正在使用，未能删除。请关闭 LirvoPDF阅读器 后删除它们：\r\n";
            for (const std::wstring& name : result.leftOver) message += L"\r\n" + folder + name;
            ::MessageBoxW(nullptr, message.c_str(), kTitle, MB_OK | MB_ICONWARNING);
        }
        return 2;
    }
    if (!silent) ::MessageBoxW(nullptr, L"LirvoPDF阅读器 已从这台电脑上卸载。", kTitle, MB_OK | MB_ICONINFORMATION);
    return 0;
}
