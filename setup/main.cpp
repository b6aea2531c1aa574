// Entry point of the setup program: the runtime's process start runs the
// toolkit's start-up with its built-in skin, then loads the startup form,
// whose creation builds the setup window; the message loop does the rest.

#include <windows.h>

#include "resources/builtin_skin_data.h"
#include "runtime/message_loop.h"
#include "setup/setup_application.h"
#include "skin/core/toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    lirvo::runtime::ProcessSteps steps;
    steps.constructGlobals = [] { lirvo::setup::Setup(); };
    steps.toolkitStartup = [] { lirvo::ToolkitStartup(lirvo::BuiltinSkinData()); };
    steps.initialise = [] {};
    steps.start = [] { lirvo::setup::Setup().Start(); };
    return lirvo::runtime::StartProcess(steps);
}
