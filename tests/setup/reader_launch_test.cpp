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

// Who starts the reader, for each answer of the shell and each kind of
// token: with setup's administrator rights it is never setup itself.
TEST(ReaderLaunch, TheReaderNeverStartsWithSetupsElevatedRights) {
    const struct {
        bool shellStarts;
        bool elevated;
        LaunchRoute route;
        bool setupStartsIt;
    } cases[] = {
        {true, true, LaunchRoute::DesktopShell, false},
        {true, false, LaunchRoute::DesktopShell, false},
        {false, true, LaunchRoute::LeftToUser, false},
        {false, false, LaunchRoute::Direct, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "shell " << (c.shellStarts ? "starts it" : "fails") << ", setup "
                                          << (c.elevated ? "elevated" : "not elevated"));
        TempFolder temp;
        const std::string reader = PlaceProbe(temp);
        std::string asked;
        const LaunchRoute route = LaunchAsDesktopUser(
            reader,
            [&](const std::string& program) {
                asked = program;
                return c.shellStarts;
            },
            [&] { return c.elevated; });
        EXPECT_EQ(route, c.route);
        EXPECT_EQ(asked, reader) << "the shell is always asked first";
        if (c.setupStartsIt) {
            EXPECT_TRUE(Ran(reader));
        } else {
            ::Sleep(1000);
            EXPECT_FALSE(runtime::PathExists(reader + ".ran")) << "setup must not start it itself";
        }
    }
    const auto noShell = [](const std::string&) { return false; };
    TempFolder temp;
    EXPECT_EQ(LaunchAsDesktopUser(temp / "missing.exe", noShell, [] { return false; }), LaunchRoute::Failed);
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
    if (shellStarted) {
        EXPECT_EQ(route, LaunchRoute::DesktopShell);
        EXPECT_TRUE(Ran(reader));
    } else {
        EXPECT_EQ(route, IsRunningElevated() ? LaunchRoute::LeftToUser : LaunchRoute::Direct);
    }
}

}  // namespace
}  // namespace lirvo::setup
