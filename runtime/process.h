#pragma once
// Process operations of the runtime: starting a program, the running
// program's own file name, and ending the process at once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lirvo::runtime {

// Starts a command line, its program path quoted when it holds spaces (see
// command_line.h). Show mode 1 hidden, 2 normal, 3 minimised, 4 maximised,
// 5 shown without activation, 6 minimise (values outside 1..6 are held to
// them); normal when not given. Waits for the program to end, or at most one
// second for its first idle input. False when it could not be started; no
// handle stays open either way.
bool RunProgram(std::string_view commandLine, bool wait, std::optional<std::int32_t> showMode = std::nullopt);

// The running program's file name without its folder.
std::string OwnFileName();

// Ends the process at once with the exit code; no destructors run.
[[noreturn]] void TerminateSelf(std::int32_t exitCode);

}  // namespace lirvo::runtime
