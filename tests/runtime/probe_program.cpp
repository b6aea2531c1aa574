// A small program that the process tests start. It records how it was
// started (its command line and the show command it was given) in a file
// beside itself named after itself with ".ran" appended, then acts on its
// arguments: "terminate N" ends it through TerminateSelf(N) (exit code 3 if
// that returned), "own-name" adds OwnFileName() to the record, "hold EVENT"
// waits up to 20 s for the named event and then writes "<itself>.done".

#include <windows.h>

#include <cstdlib>
#include <string>

#include "runtime/files.h"
#include "runtime/process.h"

int main(int argc, char** argv) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    STARTUPINFOA startup{};
    ::GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    std::string record = std::string(::GetCommandLineA()) + "\n" + std::to_string(show) + "\n";
    const std::string action = argc > 1 ? argv[1] : "";
    if (action == "own-name") record += lirvo::runtime::OwnFileName() + "\n";
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(record.data()), record.size());
    if (!lirvo::runtime::WriteFile(std::string(self) + ".ran", bytes)) return 2;

    if (action == "terminate" && argc > 2) {
        lirvo::runtime::TerminateSelf(std::atoi(argv[2]));
        return 3;
    }
    if (action == "hold" && argc > 2) {
        if (HANDLE event = ::OpenEventA(SYNCHRONIZE, FALSE, argv[2])) {
            ::WaitForSingleObject(event, 20000);
            ::CloseHandle(event);
        }
        if (!lirvo::runtime::WriteFile(std::string(self) + ".done", std::span<const std::uint8_t>{})) return 2;
    }
    return 0;
}
