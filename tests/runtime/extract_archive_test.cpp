#include "runtime/extract_archive.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "runtime/archive_component.h"
#include "runtime/files.h"
#include "skin/core/file_io.h"
#include "skin/core/unique_handle.h"
#include "tests/support/zip_fixture.h"
#include "tests/support/temp_folder.h"

namespace lirvo::runtime {
namespace {

using testing::SampleData;
using testing::TempFolder;
using testing::WriteZipFixture;
using testing::ZipFixtureEntry;

// Shaped like the payload: seven entries in the root, deflated, archive bit,
// 14 July 2015; sizes cross the 16 KB write pieces, one is empty.
std::vector<ZipFixtureEntry> PayloadLikeEntries() {
    const std::pair<const char*, std::size_t> files[] = {
        {"engine.dll", 171032}, {"LirvoPDF阅读器.exe", 97792}, {"卸载.exe", 16384}, {"menu.dll", 16385},
        {"skin.dll", 50000},    {"empty.dat", 0},              {"core.dll", 3},
    };
    std::vector<ZipFixtureEntry> entries;
    std::uint32_t seed = 1;
    for (const auto& [name, size] : files)
        entries.push_back({.name = name, .data = SampleData(size, seed++), .dosDateTime = 0x46EE5A8F + seed});
    // A read-only entry: its file still ends up normal.
    entries.back().attributes = 0x21;
    return entries;
}

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

// The file's last-write and creation times as local MS-DOS date and time.
std::pair<std::uint32_t, std::uint32_t> DosTimes(const std::string& path) {
    UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME created{}, accessed{}, written{};
    ::GetFileTime(file.Get(), &created, &accessed, &written);
    const auto toDos = [](const FILETIME& universal) {
        FILETIME local{};
        WORD date = 0, time = 0;
        ::FileTimeToLocalFileTime(&universal, &local);
        ::FileTimeToDosDateTime(&local, &date, &time);
        return (static_cast<std::uint32_t>(date) << 16) | time;
    };
    return {toDos(written), toDos(created)};
}

void ExpectExtracted(const std::string& folder, const ZipFixtureEntry& entry) {
    SCOPED_TRACE(entry.name);
    const std::string path = folder + "\\" + entry.name;
    EXPECT_EQ(ReadWholeFile(path), entry.data);
    // Wine shows a normal file as FILE_ATTRIBUTE_ARCHIVE; what matters is that
    // nothing of the entry's or the old file's attributes is left.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & ~DWORD{FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE}, 0u) << attributes;
    const auto [written, created] = DosTimes(path);
    EXPECT_EQ(written, entry.dosDateTime);
    EXPECT_EQ(created, entry.dosDateTime);
}

TEST(ExtractArchiveTest, PayloadIntoAnEmptyFolderGivesEveryEntryAsStored) {
    TempFolder temp;
    const std::string target = temp / "LirvoPDF阅读器";
    ASSERT_TRUE(CreateFolder(target));
    const std::string archive = target + "\\ins.zip";
    const std::vector<ZipFixtureEntry> entries = PayloadLikeEntries();
    ASSERT_TRUE(WriteZipFixture(archive, entries));

    EXPECT_EQ(ExtractArchive(archive, target + "\\"), 1);
    std::set<std::string> expected = {"ins.zip"};
    for (const ZipFixtureEntry& entry : entries) {
        ExpectExtracted(target, entry);
        expected.insert(entry.name);
    }
    EXPECT_EQ(NamesIn(target), expected) << "exactly the entries, and the archive left in place";
}

TEST(ExtractArchiveTest, ExtractingAgainReplacesReadOnlyAndHiddenFiles) {
    TempFolder temp;
    const std::string archive = temp / "ins.zip";
    const std::string target = temp / "install";
    const std::vector<ZipFixtureEntry> entries = PayloadLikeEntries();
    ASSERT_TRUE(WriteZipFixture(archive, entries));
    ASSERT_EQ(ExtractArchive(archive, target), 1);

    for (const ZipFixtureEntry& entry : entries) {
        const std::string path = target + "\\" + entry.name;
        ASSERT_TRUE(WriteFile(path, ByteArray{'o', 'l', 'd'}));
        ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    }
    EXPECT_EQ(ExtractArchive(archive, target), 1);
    for (const ZipFixtureEntry& entry : entries) ExpectExtracted(target, entry);
}

TEST(ExtractArchiveTest, MissingTargetLevelsAreCreatedFromTheTop) {
    TempFolder temp;
    const std::string archive = temp / "ins.zip";
    const std::vector<ZipFixtureEntry> entries = {{.name = "core.dll", .data = SampleData(100, 9)}};
    ASSERT_TRUE(WriteZipFixture(archive, entries));
    ASSERT_TRUE(CreateFolder(temp / "A"));
    const std::string target = temp / "A\\B\\C";
    EXPECT_EQ(ExtractArchive(archive, target), 1);
    ExpectExtracted(target, entries[0]);
}

TEST(ExtractArchiveTest, FolderEntriesAreCreatedAndFilesNeedTheirFolder) {
    TempFolder temp;
    const std::string archive = temp / "ins.zip";
    const std::vector<ZipFixtureEntry> entries = {
        {.name = "docs/", .attributes = 0x10, .deflate = false},
        {.name = "docs/说明.txt", .data = SampleData(5000, 3)},
        {.name = "later/file.txt", .data = SampleData(10, 4)},
        {.name = "after.txt", .data = SampleData(10, 5)},
    };
    ASSERT_TRUE(WriteZipFixture(archive, entries));
    const std::string target = temp / "install";
    EXPECT_EQ(ExtractArchive(archive, target), 0) << "later/ has no folder entry";
    EXPECT_TRUE(::GetFileAttributesA((target + "\\docs").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(ReadWholeFile(target + "\\docs\\说明.txt"), entries[1].data);
    EXPECT_EQ(NamesIn(target), (std::set<std::string>{"docs"})) << "nothing after the failing entry";
}

TEST(ExtractArchiveTest, ProgressFollowsEachEntryAndTheEnd) {
    TempFolder temp;
    const std::string archive = temp / "ins.zip";
    const std::string target = temp / "install";
    const std::vector<ZipFixtureEntry> entries = PayloadLikeEntries();
    ASSERT_TRUE(WriteZipFixture(archive, entries));

    ArchiveComponent component;
    std::vector<std::pair<std::int32_t, std::string>> events;
    component.onProgress = [&](std::int32_t percent, const std::string& path) {
        events.emplace_back(percent, path);
        return false;
    };
    EXPECT_EQ(ExtractArchive(component, archive, target), 1);
    const std::string last = target + "\\" + entries.back().name;
    const std::vector<std::pair<std::int32_t, std::string>> expected = {
        {0, target + "\\engine.dll"}, {14, target + "\\LirvoPDF阅读器.exe"}, {28, target + "\\卸载.exe"},
        {42, target + "\\menu.dll"},  {57, target + "\\skin.dll"},           {71, target + "\\empty.dat"},
        {85, last},                   {100, last},
    };
    EXPECT_EQ(events, expected);

    // Without a handler nothing is asked and everything is written.
    ArchiveComponent silent;
    EXPECT_EQ(ExtractArchive(silent, archive, temp / "silent"), 1);
    EXPECT_EQ(NamesIn(temp / "silent").size(), entries.size());
}

TEST(ExtractArchiveTest, CancelStopsAfterTheCurrentEntryWithSuccess) {
    TempFolder temp;
    const std::string archive = temp / "ins.zip";
    const std::string target = temp / "install";
    ASSERT_TRUE(WriteZipFixture(archive, PayloadLikeEntries()));
    ArchiveComponent component;
    int calls = 0;
    component.onProgress = [&](std::int32_t, const std::string&) { return ++calls == 2; };
    EXPECT_EQ(component.Extract(archive, target), 1);
    EXPECT_EQ(calls, 2) << "no notification after the cancel";
    EXPECT_EQ(NamesIn(target), (std::set<std::string>{"engine.dll", "LirvoPDF阅读器.exe"}));
}

TEST(ExtractArchiveTest, RejectedInputsGiveTheirResultAndWriteNothing) {
    TempFolder temp;
    const ByteArray valid = [&] {
        const std::string path = temp / "valid.zip";
        EXPECT_TRUE(WriteZipFixture(path, {{.name = "core.dll", .data = SampleData(100, 1)}}));
        return *ReadWholeFile(path);
    }();
    ByteArray shortWithSignature = {'P', 'K', 3, 4};
    shortWithSignature.resize(31, 1);
    ByteArray headerThenGarbage(valid.begin(), valid.begin() + 40);
    headerThenGarbage.resize(400, 0x77);
    ByteArray noSignature = valid;
    noSignature[0] = 'Q';

    struct Case {
        const char* what;
        std::optional<ByteArray> archiveBytes;  // nothing: the file does not exist
        bool emptyTarget;
        std::int32_t result;
        bool targetCreated;
    };
    const Case cases[] = {
        {"31 bytes with the signature", shortWithSignature, false, 0, true},
        {"no signature", noSignature, false, 0, true},
        {"empty file", ByteArray{}, false, 0, true},
        {"header but no central directory", headerThenGarbage, false, 0, true},
        {"missing archive", std::nullopt, false, -1, false},
        {"empty target", valid, true, -1, false},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string archive = temp / ("case" + std::to_string(++index) + ".zip");
        const std::string target = temp / ("target" + std::to_string(index));
        if (c.archiveBytes) {
            ASSERT_TRUE(WriteFile(archive, *c.archiveBytes));
        }
        int notifications = 0;
        const ProgressNotification count = [&](ExtractionState&) { ++notifications; };
        ExtractionFailure failure;
        EXPECT_EQ(ExtractArchive(archive, c.emptyTarget ? "" : target, count, &failure), c.result);
        EXPECT_EQ(notifications, 1) << "the end is always announced";
        // Every refusal has a reason the user can be told, a vanished archive too.
        EXPECT_NE(failure.systemError, 0u);
        if (!c.emptyTarget) {
            EXPECT_EQ(failure.path, archive);
        }
        if (!c.archiveBytes) {
            EXPECT_EQ(failure.systemError, static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
        }
        EXPECT_EQ(PathExists(target), c.targetCreated);
        EXPECT_TRUE(NamesIn(target).empty());
        if (c.archiveBytes) {
            EXPECT_TRUE(DeleteFile(archive)) << "the rejected archive is not left open";
        }
    }
    EXPECT_EQ(ExtractArchive("", temp.Path()), -1);
}

TEST(ExtractArchiveTest, DamagedOrShortEntryFailsAfterTheEntriesBeforeIt) {
    TempFolder temp;
    const ByteArray good = SampleData(3000, 1);
    const ByteArray content = SampleData(40000, 2);
    const ByteArray deflated = testing::DeflateRaw(content);
    ByteArray flipped = deflated;
    flipped[flipped.size() / 2] ^= 0x10;

    struct Case {
        const char* what;
        ZipFixtureEntry damaged;
    };
    const Case cases[] = {
        {"wrong CRC", {.name = "bad.dll", .data = deflated, .statedSize = content.size(), .statedCrc = 0xDEADBEEF}},
        {"damaged deflate data",
         {.name = "bad.dll", .data = flipped, .statedSize = content.size(), .statedCrc = testing::Crc32(content)}},
        {"data ends early",
         {.name = "bad.dll", .data = deflated, .statedSize = content.size() + 100, .statedCrc = testing::Crc32(content)}},
        {"data longer than stated",
         {.name = "bad.dll", .data = deflated, .statedSize = content.size() - 100, .statedCrc = testing::Crc32(content)}},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string archive = temp / ("case" + std::to_string(++index) + ".zip");
        const std::string target = temp / ("target" + std::to_string(index));
        ASSERT_TRUE(WriteZipFixture(archive, {{.name = "first.dll", .data = good},
                                              c.damaged,
                                              {.name = "after.dll", .data = good}}));
        ExtractionFailure failure;
        EXPECT_EQ(ExtractArchive(archive, target, {}, &failure), 0);
        EXPECT_EQ(ReadWholeFile(target + "\\first.dll"), good);
        EXPECT_FALSE(PathExists(target + "\\after.dll"));
        EXPECT_EQ(failure.path, target + "\\bad.dll") << "the entry that failed";
        EXPECT_EQ(failure.systemError, static_cast<std::uint32_t>(ERROR_CRC));
    }
}

TEST(ExtractArchiveTest, AFileThatCannotBeWrittenIsNamedWithTheSystemsReason) {
    TempFolder temp;
    const std::string archive = temp / "payload.zip";
    ASSERT_TRUE(WriteZipFixture(archive, PayloadLikeEntries()));
    const std::string target = temp / "target";
    ASSERT_EQ(ExtractArchive(archive, target), 1);

    // A running reader holds one of its libraries.
    UniqueHandle held(::CreateFileA((target + "\\menu.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    ArchiveComponent component;
    EXPECT_EQ(ExtractArchive(component, archive, target), 0);
    EXPECT_EQ(component.LastFailure().path, target + "\\menu.dll");
    EXPECT_EQ(component.LastFailure().systemError, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));

    held.Reset();
    EXPECT_EQ(ExtractArchive(component, archive, target), 1);
    EXPECT_TRUE(component.LastFailure().path.empty()) << "a later success leaves no failure behind";
}

TEST(ExtractArchiveTest, EntriesEscapingTheTargetAreNeverWritten) {
    TempFolder temp;
    const std::string outside = temp / "outside";
    ASSERT_TRUE(CreateFolder(outside));
    const std::string absolute = outside + "\\absolute.txt";
    const std::string cases[] = {
        "../escape.txt",
        "..\\escape.txt",
        "sub/../../escape.txt",
        absolute,
        absolute.substr(2),  // "\users\...": absolute on the current drive
        "/escape.txt",
        "C:escape.txt",
        "CON",
    };
    int index = 0;
    for (const std::string& name : cases) {
        SCOPED_TRACE(name);
        const std::string folder = temp / ("case" + std::to_string(++index));
        ASSERT_TRUE(CreateFolder(folder));
        const std::string archive = folder + "\\ins.zip";
        const std::string target = folder + "\\target";
        ASSERT_TRUE(WriteZipFixture(archive, {{.name = "first.dll", .data = SampleData(10, 1)},
                                              {.name = "sub/", .attributes = 0x10, .deflate = false},
                                              {.name = name, .data = SampleData(10, 2)},
                                              {.name = "after.dll", .data = SampleData(10, 3)}}));
        EXPECT_EQ(ExtractArchive(archive, target), 0);
        EXPECT_EQ(NamesIn(target), (std::set<std::string>{"first.dll", "sub"}));
        EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"ins.zip", "target"}));
        EXPECT_TRUE(NamesIn(outside).empty());
        EXPECT_TRUE(NamesIn(temp / "..").count("escape.txt") == 0);
    }
}

}  // namespace
}  // namespace lirvo::runtime
