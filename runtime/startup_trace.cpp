#include "runtime/startup_trace.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "skin/core/number_text.h"
#include "skin/core/unique_handle.h"

namespace lirvo::runtime {
namespace {

struct Trace {
    bool enabled = false;
    bool firstFrame = false;
    bool finished = false;
    std::string path;
    std::vector<std::pair<const char*, double>> steps;
};

Trace& TheTrace() {
    static Trace trace = [] {
        Trace t;
        char path[MAX_PATH];
        const DWORD length = ::GetEnvironmentVariableA(kStartupTraceVariable, path, MAX_PATH);
        t.enabled = length > 0 && length < MAX_PATH;
        if (t.enabled) t.path.assign(path, length);
        return t;
    }();
    return trace;
}

std::uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Milliseconds since this process was created, on the clock the system
// stamped the creation with. The precise clock is not there before Windows 8.
double SinceProcessCreation() {
    FILETIME creation{}, exit{}, kernel{}, user{}, now{};
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    using PreciseTime = void(WINAPI*)(LPFILETIME);
    static const auto precise = reinterpret_cast<PreciseTime>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    if (precise) precise(&now);
    else ::GetSystemTimeAsFileTime(&now);
    return static_cast<double>(FileTimeValue(now) - FileTimeValue(creation)) / 10000.0;
}

// Writes every step noted so far, replacing what an earlier call wrote.
void WriteTrace(const Trace& trace) {
    std::string text;
    for (const auto& [name, milliseconds] : trace.steps) {
        text += std::string(name) + " " + FormatDouble("%.3f", milliseconds) + "\n";
    }
    // Written beside the file and moved over it, so a reader never sees half.
    const std::string partial = trace.path + ".partial";
    bool whole = false;
    {
        const UniqueHandle file(
            ::CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;
        DWORD written = 0;
        whole = ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                written == text.size();
    }
    if (!whole || !::MoveFileExA(partial.c_str(), trace.path.c_str(), MOVEFILE_REPLACE_EXISTING))
        ::DeleteFileA(partial.c_str());
}

}  // namespace

bool StartupTraceEnabled() { return TheTrace().enabled; }

void MarkStartupStep(const char* step) {
    Trace& trace = TheTrace();
    if (trace.enabled && !trace.finished) trace.steps.emplace_back(step, SinceProcessCreation());
}

void FinishStartupTrace() {
    Trace& trace = TheTrace();
    if (!trace.enabled || trace.firstFrame || trace.finished) return;
    MarkStartupStep("first-frame");
    trace.firstFrame = true;
    WriteTrace(trace);
}

void CompleteStartupTrace() {
    Trace& trace = TheTrace();
    if (!trace.enabled || !trace.firstFrame || trace.finished) return;
    MarkStartupStep("first-page");
    trace.finished = true;
    WriteTrace(trace);
}

}  // namespace lirvo::runtime
