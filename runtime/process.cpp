#include "runtime/process.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

#include "runtime/command_line.h"
#include "runtime/text_ops.h"
#include "skin/core/unique_handle.h"

namespace lirvo::runtime {
namespace {

// Show modes 1..6 and the show command each one names.
constexpr std::array<WORD, 6> kShowCommands = {
    SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE,
};

WORD ShowCommand(std::optional<std::int32_t> showMode) {
    if (!showMode) return SW_SHOWNORMAL;
    return kShowCommands[static_cast<std::size_t>(std::clamp(*showMode, 1, 6) - 1)];
}

bool IsExistingFile(std::string_view path) {
    const DWORD attributes = ::GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// The start-up record that programs started by the runtime receive: 68 bytes
// in a 32-bit program; it holds pointers and handles, so it is wider in a
// 64-bit build.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "STARTUPINFOA of a 32-bit program is 68 bytes");

bool RunProgram(std::string_view commandLine, bool wait, std::optional<std::int32_t> showMode) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowCommand(showMode);

    // CreateProcessA may write into the command line, so it gets its own copy.
    const std::string command = QuoteProgramPath(commandLine, IsExistingFile);
    std::vector<char> writable(command.begin(), command.end());
    writable.push_back('\0');

    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started))
        return false;
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    if (wait) {
        ::WaitForSingleObject(process.Get(), INFINITE);
    } else {
        ::WaitForInputIdle(process.Get(), 1000);
    }
    return true;
}

std::string OwnFileName() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            const std::string_view full(path.data(), length);
            const std::size_t slash = FindLastBackslash(full, IsAnsiLeadByte);
            return std::string(slash == std::string_view::npos ? full : full.substr(slash + 1));
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

void TerminateSelf(std::int32_t exitCode) {
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(exitCode));
    // Not reached: a process that terminates itself does not come back.
    ::ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace lirvo::runtime
