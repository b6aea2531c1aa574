#pragma once
// Starting the reader at the end of setup. Setup runs with administrator
// rights (its manifest asks for them), and a program it starts itself would
// inherit them: a PDF reader that opens documents from anywhere must not. So
// the reader is started by the signed-in user's desktop shell, the way a
// double click on it would start it. When the shell cannot, setup starts it
// itself only while it runs without elevation (UAC off, or an account that
// was never elevated); elevated, it leaves the reader for the user to start.

#include <functional>
#include <string>

namespace lirvo::setup {

enum class LaunchRoute {
    DesktopShell,  // the desktop shell started it, with the user's own rights
    Direct,        // no desktop shell to ask, setup not elevated: started by setup itself
    LeftToUser,    // no desktop shell to ask and setup elevated: not started
    Failed,        // neither could start it
};

// Asks the desktop shell to start `program`; false when there is no desktop
// shell or it refused.
bool StartThroughDesktopShell(const std::string& program);

// True when this process runs raised above the signed-in user's own rights
// (an elevated token under UAC).
bool IsRunningElevated();

using DesktopShellStarter = std::function<bool(const std::string& program)>;
using ElevationTest = std::function<bool()>;

// Starts the program through `viaShell`; when that fails, directly (the bare
// path, not waited for) unless `isElevated` says setup runs elevated.
LaunchRoute LaunchAsDesktopUser(const std::string& program,
                                const DesktopShellStarter& viaShell = StartThroughDesktopShell,
                                const ElevationTest& isElevated = IsRunningElevated);

}  // namespace lirvo::setup
