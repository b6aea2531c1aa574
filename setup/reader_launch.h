#pragma once
// Starting the reader at the end of setup. Setup runs with administrator
// rights (its manifest asks for them), and a program it starts itself would
// inherit them: a PDF reader that opens documents from anywhere must not. So
// the reader is started by the signed-in user's desktop shell, the way a
// double click on it would start it; only where the system has no such
// shell (Wine without an explorer desktop) is it started directly.

#include <functional>
#include <string>

namespace lirvo::setup {

enum class LaunchRoute {
    DesktopShell,  // the desktop shell started it, with the user's own rights
    Direct,        // no desktop shell to ask: started by setup itself
    Failed,        // neither could start it
};

// Asks the desktop shell to start `program`; false when there is no desktop
// shell or it refused.
bool StartThroughDesktopShell(const std::string& program);

using DesktopShellStarter = std::function<bool(const std::string& program)>;

// Starts the program through `viaShell`, and directly (the bare path, not
// waited for) when that fails.
LaunchRoute LaunchAsDesktopUser(const std::string& program,
                                const DesktopShellStarter& viaShell = StartThroughDesktopShell);

}  // namespace lirvo::setup
