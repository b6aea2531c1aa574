#pragma once
// Runs one test of this test program in a child process, for behaviour that
// ends or blocks the process that shows it (fatal messages, the end of the
// program with its last window).

#include <windows.h>

#include <optional>
#include <string>

#include "skin/core/unique_handle.h"

namespace lirvo::testing {

struct ChildProcess {
    UniqueHandle process;
    UniqueHandle thread;
    DWORD threadId = 0;
};

// A run that must run what it selects (every child run, and a CTest entry
// that sets the variable below) ends with this code instead of 0 when its
// filter matched no test or a test skipped, so that a parent expecting 0 (the
// code a process ended by the toolkit has) cannot mistake a run that did
// nothing for one that did its work.
inline constexpr DWORD kChildRanNoTestExitCode = 86;
// Set in every child's environment; the test entry point looks for it.
inline constexpr char kMustRunVariable[] = "LIRVO_MUST_RUN_TESTS";

// Starts this program with --gtest_filter=`test` and `variable` set to "1"
// in the child's environment.
std::optional<ChildProcess> StartChildTest(const std::string& test, const char* variable);
// True inside a child started with `variable`.
bool IsChildRun(const char* variable);
// The child's exit code, or nothing when it did not end in time.
std::optional<DWORD> WaitForExit(const ChildProcess& child, DWORD milliseconds);

}  // namespace lirvo::testing
