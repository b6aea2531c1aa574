#include "tests/support/child_process.h"

namespace lirvo::testing {

std::optional<ChildProcess> StartChildTest(const std::string& test, const char* variable) {
    char self[MAX_PATH];
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"" + std::string(self) + "\" --gtest_filter=" + test;
    ::SetEnvironmentVariableA(variable, "1");
    ::SetEnvironmentVariableA(kMustRunVariable, "1");
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    const BOOL started =
        ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    ::SetEnvironmentVariableA(variable, nullptr);
    ::SetEnvironmentVariableA(kMustRunVariable, nullptr);
    if (!started) return std::nullopt;
    return ChildProcess{UniqueHandle(info.hProcess), UniqueHandle(info.hThread), info.dwThreadId};
}

bool IsChildRun(const char* variable) { return ::GetEnvironmentVariableA(variable, nullptr, 0) != 0; }

std::optional<DWORD> WaitForExit(const ChildProcess& child, DWORD milliseconds) {
    if (::WaitForSingleObject(child.process.Get(), milliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD exitCode = 0;
    ::GetExitCodeProcess(child.process.Get(), &exitCode);
    return exitCode;
}

}  // namespace lirvo::testing
