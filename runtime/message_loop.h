#pragma once
// Process start and the message loop of the runtime. A program hands its
// start-up steps to StartProcess from WinMain; the loop then runs on the one
// GUI thread until the program asks it to end (the last form closed, or
// PostQuitMessage).

#include <functional>

namespace lirvo::runtime {

struct ProcessSteps {
    // Builds the program's global objects in their fixed order; they are the
    // program's own and are destroyed at process exit in reverse order.
    std::function<void()> constructGlobals;
    std::function<void()> toolkitStartup;
    std::function<void()> initialise;
    // Loads the startup form (without waiting for it).
    std::function<void()> start;
};

// Runs the steps in order with COM initialised on the thread, then the
// message loop. Returns the loop's exit code.
int StartProcess(const ProcessSteps& steps);

// Gets and dispatches messages until a quit request; returns its exit code.
int RunMessageLoop();

// Dispatches the messages already waiting, without blocking. A quit request
// found among them is put back for the loop that owns it; the result is
// false then.
bool DispatchPendingMessages();

}  // namespace lirvo::runtime
