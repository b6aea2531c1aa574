#include "setup/reader_launch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/files.h"
#include "tests/support/temp_folder.h"

namespace lirvo::setup {
namespace {

using lirvo::testing::TempFolder;

// A copy of the runtime tests' probe program, which writes "<itself>.ran"
// when it runs.
std::string PlaceProbe(const TempFolder& temp) {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder = folder.substr(0, folder.rfind('\\'));
    const std::string probe = folder.substr(0, folder.rfind('\\')) + "\\runtime\\runtime_probe.exe";
    const std::string copy = temp / "LirvoPDF阅读器.exe";
    EXPECT_TRUE(::CopyFileA(probe.c_str(), copy.c_str(), FALSE)) << probe;
    return copy;
}

bool Ran(const std::string& program) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (runtime::PathExists(program + ".ran")) return true;
        ::Sleep(100);
    }
    return false;
}

TEST(ReaderLaunch, TheDesktopShellStartsTheReaderWhereThereIsOne) {
    TempFolder temp;
    const std::string reader = PlaceProbe(temp);
    std::string asked;
    const LaunchRoute route = LaunchAsDesktopUser(reader, [&](const std::string& program) {
        asked = program;
        return true;
    });
    EXPECT_EQ(route, LaunchRoute::DesktopShell);
    EXPECT_EQ(asked, reader);
    ::Sleep(1000);
    EXPECT_FALSE(runtime::PathExists(reader + ".ran")) << "setup must not also start it itself";
}

TEST(ReaderLaunch, WithoutADesktopShellSetupStartsTheReaderItself) {
    TempFolder temp;
    const std::string reader = PlaceProbe(temp);
    EXPECT_EQ(LaunchAsDesktopUser(reader, [](const std::string&) { return false; }), LaunchRoute::Direct);
    EXPECT_TRUE(Ran(reader));
    EXPECT_EQ(LaunchAsDesktopUser(temp / "missing.exe", [](const std::string&) { return false; }),
              LaunchRoute::Failed);
}

// The real desktop shell, as the test prefix offers it: Wine's explorer
// answers for the desktop, so the shell route is taken there; either way the
// reader runs, started once.
TEST(ReaderLaunch, TheRealDesktopShellStartsTheReader) {
    TempFolder temp;
    const std::string reader = PlaceProbe(temp);
    const bool shellStarted = StartThroughDesktopShell(reader);
    EXPECT_TRUE(Ran(reader)) << (shellStarted ? "the shell said it started the reader" : "no desktop shell here");
    ::DeleteFileA((reader + ".ran").c_str());

    const LaunchRoute route = LaunchAsDesktopUser(reader);
    EXPECT_EQ(route, shellStarted ? LaunchRoute::DesktopShell : LaunchRoute::Direct);
    EXPECT_TRUE(Ran(reader));
}

}  // namespace
}  // namespace lirvo::setup
