#include "runtime/process.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "runtime/files.h"
#include "skin/core/file_io.h"
#include "skin/core/unique_handle.h"
#include "tests/support/temp_folder.h"

namespace lirvo::runtime {
namespace {

using testing::TempFolder;

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\'));
}

// Puts a copy of the probe program at `path`.
void PlaceProbe(const std::string& path) {
    const std::string probe = OwnFolder() + "\\runtime_probe.exe";
    ASSERT_TRUE(::CopyFileA(probe.c_str(), path.c_str(), FALSE)) << "copy " << probe << " to " << path;
}

struct ProbeRecord {
    std::string commandLine;
    int showCommand = -2;
    std::string ownName;
};

std::optional<ProbeRecord> ReadRecord(const std::string& probePath) {
    const std::optional<ByteArray> bytes = ReadWholeFile(probePath + ".ran");
    if (!bytes) return std::nullopt;
    std::istringstream lines(std::string(bytes->begin(), bytes->end()));
    ProbeRecord record;
    std::string show;
    std::getline(lines, record.commandLine);
    std::getline(lines, show);
    std::getline(lines, record.ownName);
    record.showCommand = std::atoi(show.c_str());
    return record;
}

// The values the next 32 new handles get. Handles take the lowest free
// slots, so a handle left open between two calls changes the list.
std::vector<HANDLE> NextHandleValues() {
    std::vector<UniqueHandle> events;
    std::vector<HANDLE> values;
    for (int count = 0; count < 32; ++count) {
        events.emplace_back(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        values.push_back(events.back().Get());
    }
    return values;
}

TEST(RunProgramTest, ShowModesReachTheStartedProgram) {
    TempFolder temp;
    const std::string probe = temp / "probe.exe";
    PlaceProbe(probe);
    struct Case {
        std::optional<std::int32_t> mode;
        int showCommand;
    };
    const Case cases[] = {
        {std::nullopt, SW_SHOWNORMAL}, {1, SW_HIDE}, {2, SW_SHOWNORMAL}, {3, SW_SHOWMINIMIZED},
        {4, SW_SHOWMAXIMIZED}, {5, SW_SHOWNOACTIVATE}, {6, SW_MINIMIZE}, {0, SW_HIDE}, {-7, SW_HIDE}, {7, SW_MINIMIZE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode ? std::to_string(*c.mode) : "not given");
        ::DeleteFileA((probe + ".ran").c_str());
        ASSERT_TRUE(RunProgram(probe, true, c.mode));
        const std::optional<ProbeRecord> record = ReadRecord(probe);
        ASSERT_TRUE(record) << "the program did not run to its end before RunProgram returned";
        EXPECT_EQ(record->showCommand, c.showCommand);
    }
}

TEST(RunProgramTest, ProgramPathWithSpacesIsQuotedSoNoPrefixRuns) {
    TempFolder temp;
    // Unquoted, "<temp>\with space\probe.exe" would start "<temp>\with.exe".
    ASSERT_TRUE(CreateFolder(temp / "with space"));
    const std::string probe = temp / "with space\\probe.exe";
    const std::string decoy = temp / "with.exe";
    PlaceProbe(probe);
    PlaceProbe(decoy);

    ASSERT_TRUE(RunProgram(probe, true));
    std::optional<ProbeRecord> record = ReadRecord(probe);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->commandLine, "\"" + probe + "\"");
    EXPECT_FALSE(PathExists(decoy + ".ran")) << "the prefix program ran";

    ASSERT_TRUE(RunProgram(probe + " own-name", true));
    record = ReadRecord(probe);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->commandLine, "\"" + probe + "\" own-name");
    EXPECT_FALSE(PathExists(decoy + ".ran"));
}

TEST(RunProgramTest, MissingProgramGivesFalseAndLeaksNoHandle) {
    TempFolder temp;
    EXPECT_FALSE(RunProgram(temp / "warm-up.exe", false));  // loads what later calls reuse
    const std::vector<HANDLE> before = NextHandleValues();
    {
        UniqueHandle first(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        const UniqueHandle second(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        first.Reset();
        ASSERT_NE(NextHandleValues(), before) << "an open handle behind a closed one must show";
    }
    for (const std::string& missing : {temp / "nothing.exe", temp / "no folder\\nothing.exe", std::string()})
        EXPECT_FALSE(RunProgram(missing, false)) << missing;
    EXPECT_EQ(NextHandleValues(), before);
}

TEST(RunProgramTest, StartedProgramsLeaveNoHandleOpen) {
    TempFolder temp;
    const std::string probe = temp / "probe.exe";
    PlaceProbe(probe);
    ASSERT_TRUE(RunProgram(probe, true));  // the first start loads what later starts reuse
    const std::vector<HANDLE> before = NextHandleValues();
    ASSERT_TRUE(RunProgram(probe, true));
    ASSERT_TRUE(RunProgram(probe, false));
    EXPECT_EQ(NextHandleValues(), before);
}

TEST(RunProgramTest, WithoutWaitingReturnsWhileTheProgramRuns) {
    TempFolder temp;
    const std::string probe = temp / "probe.exe";
    PlaceProbe(probe);
    // The probe holds until the event is set (20 s at most), so a RunProgram
    // that waited for it would return only after it had written ".done".
    const std::string eventName = "lirvo-probe-hold-" + std::to_string(::GetCurrentProcessId());
    const UniqueHandle release(::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
    ASSERT_TRUE(release);
    ASSERT_TRUE(RunProgram(probe + " hold " + eventName, false));
    EXPECT_FALSE(PathExists(probe + ".done")) << "RunProgram waited for the program";

    ::SetEvent(release.Get());
    for (int attempt = 0; attempt < 200 && !PathExists(probe + ".done"); ++attempt) ::Sleep(100);
    EXPECT_TRUE(PathExists(probe + ".done")) << "the program was started and ran to its end";
    const std::optional<ProbeRecord> record = ReadRecord(probe);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->commandLine, probe + " hold " + eventName);
}

TEST(OwnFileNameTest, NamesTheRunningProgramWithoutItsFolder) {
    EXPECT_EQ(OwnFileName(), "runtime_tests.exe");

    TempFolder temp;
    const std::string reader = temp / "LirvoPDF阅读器.exe";
    PlaceProbe(reader);
    ASSERT_TRUE(RunProgram(reader + " own-name", true));
    const std::optional<ProbeRecord> record = ReadRecord(reader);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->ownName, "LirvoPDF阅读器.exe");
}

TEST(TerminateSelfTest, EndsTheProcessWithTheExitCode) {
    TempFolder temp;
    const std::string probe = temp / "probe.exe";
    PlaceProbe(probe);
    for (std::int32_t code : {0, 7, 255}) {
        ::DeleteFileA((probe + ".ran").c_str());
        std::string command = "\"" + probe + "\" terminate " + std::to_string(code);
        STARTUPINFOA startup{sizeof startup};
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                     &started));
        const UniqueHandle process(started.hProcess);
        const UniqueHandle thread(started.hThread);
        ASSERT_EQ(::WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0);
        DWORD exitCode = 12345;
        ASSERT_TRUE(::GetExitCodeProcess(process.Get(), &exitCode));
        EXPECT_EQ(exitCode, static_cast<DWORD>(code)) << "3 means TerminateSelf returned";
        const std::optional<ProbeRecord> record = ReadRecord(probe);
        ASSERT_TRUE(record) << "the probe did not run";
        EXPECT_EQ(record->commandLine, command);
    }
}

}  // namespace
}  // namespace lirvo::runtime
