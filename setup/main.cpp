// Entry point of the setup program: the runtime's process start runs the
// toolkit's start-up with its built-in skin, then loads the startup form,
// whose creation builds the setup window; the message loop does the rest.

#include <windows.h>

#include "resources/builtin_skin_data.h"
#include "runtime/message_loop.h"
#include "runtime/startup_trace.h"
#include "setup/setup_application.h"
#include "skin/core/toolkit.h"
#include "skin/window/frame_presented.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    namespace runtime = lirvo::runtime;
    runtime::MarkStartupStep("entry");
    if (runtime::StartupTraceEnabled())
        lirvo::SetFramePresentedHook([](HWND) { runtime::FinishStartupTrace(); });
    runtime::ProcessSteps steps;
    steps.constructGlobals = [] { lirvo::setup::Setup(); };
    steps.toolkitStartup = [] {
        runtime::MarkStartupStep("globals");
        lirvo::ToolkitStartup(lirvo::BuiltinSkinData());
        runtime::MarkStartupStep("toolkit");
    };
    steps.initialise = [] {};
    steps.start = [] {
        lirvo::setup::Setup().Start();
        runtime::MarkStartupStep("welcome-page");
    };
    return runtime::StartProcess(steps);
}
