// A small program that the process tests start. It records how it was
// started (its command line and the show command it was given) in a file
// beside itself named after itself with ".ran" appended, then acts on its
// arguments: "terminate N" ends it through TerminateSelf(N), "own-name"
// adds OwnFileName() to the record.

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

    if (action == "terminate" && argc > 2) lirvo::runtime::TerminateSelf(std::atoi(argv[2]));
    return 0;
}
