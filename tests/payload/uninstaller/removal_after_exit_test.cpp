// The uninstaller's clean-up copy (its /finish mode, started from the
// temporary folder once the uninstall is done) deletes the uninstaller's file
// and the installation's folder only after the uninstaller has ended: the
// uninstaller's last message may stay open for as long as the user leaves
// it. The test stands a process of its own in for the uninstaller and keeps
// it alive for longer than a minute, so it takes that long.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "payload/payload_files.h"
#include "skin/core/unique_handle.h"
#include "tests/payload/installation.h"
#include "tests/support/temp_folder.h"

namespace lirvo {
namespace {

using testing::Wide;

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring OwnPath() {
    wchar_t path[MAX_PATH * 4] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return path;
}

TEST(RemovalAfterExitTest, WaitsForTheUninstallerHoweverLongItRuns) {
    // What an uninstall leaves: the folder with the uninstaller alone in it,
    // and the uninstaller's copy in the temporary folder.
    testing::TempFolder temp;
    const std::string folderAnsi = temp / std::string("LirvoPDF阅读器");
    ASSERT_TRUE(::CreateDirectoryA(folderAnsi.c_str(), nullptr));
    ASSERT_TRUE(testing::ExtractPayload(folderAnsi));
    const std::wstring folder = Wide(folderAnsi);
    for (const auto& file : payload::kPayloadFiles) {
        if (file.wideName == payload::kUninstaller.wideName) continue;
        ASSERT_TRUE(::DeleteFileW((folder + L"\\" + std::wstring(file.wideName)).c_str()));
    }
    const std::wstring uninstaller = folder + L"\\" + std::wstring(payload::kUninstaller.wideName);
    const std::wstring copy = Wide(temp / "LirvoUninstall-copy.exe");
    ASSERT_TRUE(::CopyFileW(uninstaller.c_str(), copy.c_str(), TRUE));

    // The uninstaller's stand-in: this test program, started suspended, so
    // that it runs until the test ends it.
    testing::RunningProgram standIn;
    testing::Start(standIn, OwnPath(), L"", false, CREATE_SUSPENDED);
    ASSERT_TRUE(standIn.started);
    HANDLE duplicate = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), standIn.process.hProcess, ::GetCurrentProcess(), &duplicate,
                                  SYNCHRONIZE, TRUE, 0));
    UniqueHandle inherited(duplicate);

    testing::RunningProgram finish;
    testing::Start(finish, copy,
                   L"/finish " + std::to_wstring(reinterpret_cast<std::uintptr_t>(inherited.Get())) + L" \"" + folder +
                       L"\"",
                   true);
    ASSERT_TRUE(finish.started);
    inherited.Reset();

    EXPECT_EQ(finish.WaitForExit(65 * 1000), -1) << "the copy still waits after 65 seconds";
    EXPECT_TRUE(Exists(uninstaller)) << "the uninstaller's file stays while it runs";

    ASSERT_TRUE(::TerminateProcess(standIn.process.hProcess, 0));
    EXPECT_EQ(finish.WaitForExit(15 * 1000), 0) << "the copy ends once the uninstaller has";
    EXPECT_FALSE(Exists(uninstaller)) << "then the uninstaller's file goes";
    EXPECT_FALSE(Exists(folder)) << "and the emptied folder";
}

}  // namespace
}  // namespace lirvo
