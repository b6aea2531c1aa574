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

namespace {

// The start is traced up to the first frame of the zoom and on to the frame
// that shows the welcome page whole: the zoom over and the install button,
// built while the zoom runs, faded in.
void NoteStartupFrame(HWND window) {
    namespace runtime = lirvo::runtime;
    runtime::FinishStartupTrace();
    lirvo::setup::SetupState& state = lirvo::setup::Setup().State();
    if (window != state.setupWindow.GetHandle() || state.setupWindow.IsAnimating()) return;
    static bool zoomEnded = false;
    if (!zoomEnded) runtime::MarkStartupStep("zoom-ended");
    zoomEnded = true;
    const lirvo::ImageButton& install = state.buttons[1];
    // The fade's last frame is presented before the fade is wound up.
    if (install.IsAttached() && (!install.IsFading() || install.FadeAlpha() >= 255))
        runtime::CompleteStartupTrace();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    namespace runtime = lirvo::runtime;
    runtime::MarkStartupStep("entry");
    if (runtime::StartupTraceEnabled()) lirvo::SetFramePresentedHook(NoteStartupFrame);
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
