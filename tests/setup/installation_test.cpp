#include "setup/installation.h"

#include <gtest/gtest.h>

#include <map>

#include "payload/association_record.h"
#include "runtime/com_apartment.h"
#include "runtime/files.h"
#include "resources/setup_data.h"
#include "runtime/shell.h"
#include "setup/byte_size.h"
#include "skin/core/file_io.h"
#include "skin/core/unique_handle.h"
#include "tests/setup/registry_reading.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_fixture.h"

namespace lirvo::setup {
namespace {

using lirvo::testing::TempFolder;

// The user's answer to the question about files that are not the reader's.
const ReplaceQuestion kAgree = [](const std::vector<std::string>&) { return true; };

TEST(ByteSize, UnitsAndRounding) {
    const struct {
        double bytes;
        const char* text;
    } cases[] = {
        {0, "0B"},           {1023, "1023B"},          {1024, "1KB"},           {1048576, "1024KB"},
        {1049600, "1.0MB"},  {1572864 + 1024 * 1024 * 100, "101.5MB"}, {1074790400, "1.0GB"},
        {-1024, "-1024B"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatByteSize(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(FreeSpaceText("Q:\\nowhere\\"), "未知") << "a drive that does not exist has no size, least of all -1024B";
    const std::string free = FreeSpaceText("C:\\Program Files\\LirvoPDF阅读器\\");
    EXPECT_TRUE(free.ends_with("GB") || free.ends_with("MB") || free.ends_with("KB")) << free;
}

// A payload of the reader's shape: its files in the archive's root. With a
// damaged third entry, the extraction fails after writing the first two.
ByteArray MakePayload(const TempFolder& scratch, bool damagedThirdEntry = false) {
    const std::string path = scratch / "payload.zip";
    using lirvo::testing::SampleData;
    lirvo::testing::ZipFixtureEntry third{"support.dll", SampleData(900, 3)};
    if (damagedThirdEntry) {
        third.data = lirvo::testing::DeflateRaw(SampleData(900, 3));
        third.deflate = true;
        third.statedSize = 900;
        third.statedCrc = lirvo::testing::Crc32(SampleData(900, 3)) ^ 1u;
    }
    EXPECT_TRUE(lirvo::testing::WriteZipFixture(path, {
                                                          {kReaderFileName, SampleData(5000, 1)},
                                                          {kUninstallerFileName, SampleData(3000, 2)},
                                                          third,
                                                      }));
    return ReadWholeFile(path).value_or(ByteArray{});
}

// The names and contents of the files in a folder tree, for before-and-after comparisons.
std::map<std::string, ByteArray> Snapshot(const std::string& folder) {
    std::map<std::string, ByteArray> files;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[name + "\\"] = {};
            for (auto& [inner, bytes] : Snapshot(path)) files[name + "\\" + inner] = std::move(bytes);
        } else {
            files[name] = ReadWholeFile(path).value_or(ByteArray{});
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return files;
}

TEST(InstallPayload, WritesTheReadersFilesIntoTheFolder) {
    TempFolder scratch, target;
    const std::string folder = target / "LirvoPDF阅读器\\";
    runtime::ArchiveComponent archive;
    const InstallResult result = InstallPayload(folder, MakePayload(scratch), archive);
    ASSERT_TRUE(result.Succeeded()) << InstallFailureMessage(folder, result);
    EXPECT_EQ(result.extractionResult, 1);
    EXPECT_TRUE(runtime::PathExists(folder + kReaderFileName));
    EXPECT_TRUE(runtime::PathExists(folder + kUninstallerFileName));
    EXPECT_TRUE(runtime::PathExists(folder + "support.dll"));
    EXPECT_TRUE(runtime::PathExists(folder + "ins.zip")) << "the archive stays until the finish click";
    EXPECT_EQ(ReaderPath(folder), folder + "LirvoPDF阅读器.exe");
}

TEST(InstallPayload, CreatesEveryMissingLevelOfANewNestedFolder) {
    TempFolder scratch, target;
    const std::string folder = target / "Apps\\PDF\\LirvoPDF阅读器\\";
    runtime::ArchiveComponent archive;
    const InstallResult result = InstallPayload(folder, MakePayload(scratch), archive);
    ASSERT_TRUE(result.Succeeded()) << InstallFailureMessage(folder, result);
    EXPECT_EQ(ReadWholeFile(folder + kReaderFileName), lirvo::testing::SampleData(5000, 1));
}

TEST(InstallPayload, ReplacesAnEarlierInstallationWithoutAQuestionAndKeepsNoCopyOfIt) {
    TempFolder target;
    const std::string folder = target.Path() + "\\";
    runtime::ArchiveComponent archive;
    const InstallResult first = InstallPayload(folder, Payload(), archive);
    ASSERT_TRUE(first.Succeeded()) << InstallFailureMessage(folder, first);
    EXPECT_FALSE(first.earlierInstallation);
    ASSERT_TRUE(runtime::DeleteFile(folder + "ins.zip"));
    ASSERT_TRUE(WriteWholeFile(folder + "notes.txt", ByteArray{'n'}));
    const auto installed = Snapshot(target.Path());

    int questions = 0;
    const InstallResult again = InstallPayload(folder, Payload(), archive, [&](const std::vector<std::string>&) {
        ++questions;
        return false;
    });
    ASSERT_TRUE(again.Succeeded()) << InstallFailureMessage(folder, again);
    EXPECT_EQ(questions, 0) << "the reader's own files are replaced without a question";
    EXPECT_TRUE(again.earlierInstallation);
    auto after = Snapshot(target.Path());
    EXPECT_EQ(after["notes.txt"], ByteArray{'n'}) << "a file of the user's stays";
    after.erase("ins.zip");
    EXPECT_EQ(after, installed) << "the same files, and no moved-aside copy";
}

// A folder of the user's: a program of another maker named like the
// uninstaller, and a file of the user's named like setup's archive.
TEST(InstallPayload, FilesThatAreNotTheReadersAreReplacedOnlyWithTheUsersWord) {
    TempFolder scratch, target;
    const std::string folder = target.Path() + "\\";
    const ByteArray foreignProgram{'M', 'Z', 'o', 't', 'h', 'e', 'r'};
    const ByteArray usersArchive = lirvo::testing::SampleData(3000, 9);
    ASSERT_TRUE(WriteWholeFile(folder + kUninstallerFileName, foreignProgram));
    ASSERT_TRUE(WriteWholeFile(folder + "ins.zip", usersArchive));
    ASSERT_TRUE(WriteWholeFile(folder + "notes.txt", ByteArray{'n'}));
    const auto before = Snapshot(target.Path());
    runtime::ArchiveComponent archive;

    std::vector<std::vector<std::string>> asked;
    const auto answer = [&](bool yes) {
        return [&asked, yes](const std::vector<std::string>& names) {
            asked.push_back(names);
            return yes;
        };
    };
    for (const bool withQuestion : {true, false}) {
        SCOPED_TRACE(withQuestion ? "the user says no" : "nobody to ask");
        asked.clear();
        const InstallResult declined =
            InstallPayload(folder, MakePayload(scratch), archive, withQuestion ? answer(false) : ReplaceQuestion{});
        EXPECT_EQ(declined.failure, InstallResult::Failure::Declined);
        EXPECT_EQ(Snapshot(target.Path()), before) << "nothing is written";
        if (withQuestion) {
            EXPECT_EQ(asked, (std::vector<std::vector<std::string>>{{kUninstallerFileName}}))
                << "asked once, naming exactly the file that is not the reader's";
        }
    }
    const std::string question = ReplaceQuestionText(folder, {kUninstallerFileName});
    EXPECT_NE(question.find(kUninstallerFileName), std::string::npos) << question;
    EXPECT_NE(question.find(folder), std::string::npos) << question;

    asked.clear();
    const InstallResult agreed = InstallPayload(folder, MakePayload(scratch), archive, answer(true));
    ASSERT_TRUE(agreed.Succeeded()) << InstallFailureMessage(folder, agreed);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(agreed.earlierInstallation);
    EXPECT_EQ(ReadWholeFile(folder + kUninstallerFileName), lirvo::testing::SampleData(3000, 2)) << "replaced";
    EXPECT_NE(ReadWholeFile(folder + "ins.zip"), usersArchive) << "setup's archive until the finish";

    runtime::ComApartment com;
    SetupOptions options;
    options.installFolder = folder;
    FinishInstallation(options, target / "advertising\\", agreed);
    auto after = Snapshot(target.Path());
    EXPECT_EQ(after["ins.zip"], usersArchive) << "the user's file is back, byte for byte";
    EXPECT_EQ(after["notes.txt"], ByteArray{'n'});
    for (const auto& [name, bytes] : after) EXPECT_EQ(name.find(".lirvo-old"), std::string::npos) << name;
    testing::ForgetRecordedAssociation();
}

// Each failure is undone: the folder is exactly as it was, and the result
// names the file that failed with the system's reason.
TEST(InstallPayload, AFailureMidwayLeavesTheFolderAsItWas) {
    TempFolder scratch, target;
    const std::string folder = target.Path() + "\\";
    ASSERT_TRUE(WriteWholeFile(folder + kReaderFileName, ByteArray{'o', 'l', 'd'}));
    ASSERT_TRUE(WriteWholeFile(folder + "keep.txt", ByteArray{'k'}));
    const auto before = Snapshot(target.Path());

    runtime::ArchiveComponent archive;
    const InstallResult damaged = InstallPayload(folder, MakePayload(scratch, true), archive, kAgree);
    EXPECT_EQ(damaged.failure, InstallResult::Failure::ExtractionFailed);
    EXPECT_EQ(damaged.failedPath, folder + "support.dll");
    EXPECT_EQ(damaged.systemError, static_cast<std::uint32_t>(ERROR_CRC));
    EXPECT_EQ(Snapshot(target.Path()), before) << "the two files written before the damaged one are gone, the old reader is back";

    // A file of an earlier installation that a running program holds.
    ASSERT_TRUE(WriteWholeFile(folder + "support.dll", ByteArray{'h', 'e', 'l', 'd'}));
    const auto beforeHeld = Snapshot(target.Path());
    {
        UniqueHandle held(::CreateFileA((folder + "support.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        const InstallResult blocked = InstallPayload(folder, MakePayload(scratch), archive, kAgree);
        EXPECT_EQ(blocked.failure, InstallResult::Failure::FileNotReplaced);
        EXPECT_EQ(blocked.failedPath, folder + "support.dll");
        EXPECT_EQ(blocked.systemError, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
        const std::string message = InstallFailureMessage(folder, blocked);
        EXPECT_NE(message.find("support.dll"), std::string::npos) << message;
        EXPECT_NE(message.find(SystemErrorText(ERROR_SHARING_VIOLATION)), std::string::npos) << message;
        EXPECT_EQ(message.find("错误代码 0"), std::string::npos) << message;
    }
    EXPECT_EQ(Snapshot(target.Path()), beforeHeld);
}

// An undo that the system does not let finish is not reported as done: the
// message names what stayed and where the user's own file is now.
TEST(InstallPayload, AnUndoThatCannotFinishSaysWhatIsLeftAndWhere) {
    TempFolder scratch, target;
    const std::string folder = target.Path() + "\\";
    const std::string reader = folder + kReaderFileName;
    ASSERT_TRUE(WriteWholeFile(reader, ByteArray{'o', 'l', 'd'}));
    runtime::ArchiveComponent archive;
    // Another program opens the new reader as soon as it is written, and
    // keeps it open while the installation fails on a later file.
    UniqueHandle held;
    archive.onProgress = [&](std::int32_t, const std::string& path) {
        if (path == reader && !held)
            held = UniqueHandle(::CreateFileA(reader.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        return false;
    };
    const InstallResult result = InstallPayload(folder, MakePayload(scratch, true), archive, kAgree);
    ASSERT_TRUE(held) << "the reader was written before the damaged entry";
    EXPECT_EQ(result.failure, InstallResult::Failure::ExtractionFailed);
    ASSERT_EQ(result.leftBehind.size(), 2u);
    EXPECT_EQ(result.leftBehind[0].path, reader) << "the new reader could not be deleted";
    EXPECT_EQ(result.leftBehind[0].systemError, static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(result.leftBehind[1].originalPath, reader) << "the old reader could not go back to its name";
    EXPECT_TRUE(runtime::PathExists(result.leftBehind[1].path));
    const std::string message = InstallFailureMessage(folder, result);
    EXPECT_EQ(message.find("原有文件保持不变"), std::string::npos) << "no claim of an undo that did not happen: " << message;
    EXPECT_NE(message.find("“" + reader + "”仍然留在原处"), std::string::npos) << message;
    EXPECT_NE(message.find("“" + result.leftBehind[1].path + "”"), std::string::npos) << message;
    EXPECT_NE(message.find(SystemErrorText(ERROR_SHARING_VIOLATION)), std::string::npos) << message;
    held.Reset();
    EXPECT_EQ(ReadWholeFile(result.leftBehind[1].path), (ByteArray{'o', 'l', 'd'})) << "the old reader is whole";
}

// Every failure has its reason: one the system could not give is not shown
// as "error code 0".
TEST(InstallPayload, EveryFailureMessageGivesAReason) {
    for (const auto failure : {InstallResult::Failure::FolderNotCreated, InstallResult::Failure::FileNotReplaced,
                               InstallResult::Failure::ArchiveNotWritten, InstallResult::Failure::ExtractionFailed}) {
        InstallResult result;
        result.failure = failure;
        result.failedPath = "C:\\x\\ins.zip";
        result.leftBehind.push_back({"C:\\x\\a.dll", {}, 0});
        const std::string message = InstallFailureMessage("C:\\x\\", result);
        EXPECT_EQ(message.find("错误代码 0"), std::string::npos) << message;
        EXPECT_NE(message.find("原因不明"), std::string::npos) << message;
    }
}

TEST(InstallPayload, AFolderThatCannotBeCreatedLeavesNoLevelBehind) {
    TempFolder scratch, target;
    ASSERT_TRUE(WriteWholeFile(target / "a-file", ByteArray{'f'}));
    const auto before = Snapshot(target.Path());
    runtime::ArchiveComponent archive;
    // The first is created level by level until a name too long for any path
    // fails; the second meets a file where a folder should be.
    for (const std::string& folder :
         {target / "new\\" + std::string(300, 'x') + "\\LirvoPDF阅读器\\", target / "a-file\\LirvoPDF阅读器\\"}) {
        SCOPED_TRACE(folder);
        const InstallResult result = InstallPayload(folder, MakePayload(scratch), archive);
        EXPECT_EQ(result.failure, InstallResult::Failure::FolderNotCreated);
        EXPECT_NE(InstallFailureMessage(folder, result).find(result.failedPath), std::string::npos);
        EXPECT_NE(result.systemError, 0u);
        EXPECT_EQ(Snapshot(target.Path()), before);
    }
}

TEST(InstallPayload, TooLittleSpaceIsToldBeforeAnythingIsWritten) {
    TempFolder target;
    // A directory of 1,000 entries of 4 GB each: more than any test machine's disk.
    ByteArray payload;
    const auto put16 = [&](std::uint32_t v) { payload.push_back(v & 0xFF), payload.push_back((v >> 8) & 0xFF); };
    const auto put32 = [&](std::uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    const std::uint32_t entries = 1000;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::string name = "file" + std::to_string(i) + ".dll";
        put32(0x02014b50);
        for (int k = 0; k < 6; ++k) put16(0);  // versions, flags, method, time, date
        put32(0);                               // crc
        put32(0x1000);                          // packed size
        put32(0xFFFFFFF0u);                     // unpacked size
        put16(static_cast<std::uint32_t>(name.size()));
        for (int k = 0; k < 4; ++k) put16(0);   // extra, comment, disk, internal attributes
        put32(0);                               // external attributes
        put32(0);                               // local header offset
        payload.insert(payload.end(), name.begin(), name.end());
    }
    const auto directorySize = static_cast<std::uint32_t>(payload.size());
    put32(0x06054b50);
    put16(0), put16(0), put16(entries), put16(entries);
    put32(directorySize), put32(0), put16(0);

    const std::string folder = target / "LirvoPDF阅读器\\";
    runtime::ArchiveComponent archive;
    const InstallResult result = InstallPayload(folder, payload, archive);
    ASSERT_EQ(result.failure, InstallResult::Failure::NotEnoughSpace);
    EXPECT_GT(result.bytesNeeded, result.bytesFree);
    EXPECT_FALSE(runtime::PathExists(folder)) << "nothing is written";
    const std::string message = InstallFailureMessage(folder, result);
    EXPECT_NE(message.find(FormatByteSize(static_cast<double>(result.bytesNeeded))), std::string::npos) << message;
    EXPECT_NE(message.find(FormatByteSize(static_cast<double>(result.bytesFree))), std::string::npos) << message;
}

TEST(AssociateFileType, WritesTheFiveEntries) {
    const std::string reader = "C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe";
    AssociateFileType(reader, ".pdf");
    EXPECT_EQ(testing::ReadClassesText(".pdf"), "");
    EXPECT_EQ(testing::ReadClassesText(".pdf", "EditFlags"), "dword:2");
    EXPECT_EQ(testing::ReadClassesText(".pdf\\Shell\\Open\\Command"), "\"" + reader + "\" \"%1\"");
    EXPECT_EQ(testing::ReadClassesText(".pdf\\DefaultIcon"), reader + ",0");
    EXPECT_EQ(testing::ReadClassesText("..pdf"), ".pdf");
}

std::optional<std::string> RecordText(const char* name) {
    return testing::ReadRegistryText(HKEY_LOCAL_MACHINE, "Software\\LirvoPDF阅读器\\PreviousAssociation", name);
}

// .pdf as a new system has it: the class "pdffile" and nothing else, and no
// record of an earlier installation.
void AsANewSystemHasIt() {
    testing::ForgetRecordedAssociation();
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".pdf");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"..pdf");
    ::RegSetKeyValueW(HKEY_CLASSES_ROOT, L".pdf", nullptr, REG_SZ, L"pdffile", sizeof(L"pdffile"));
}

TEST(FinishInstallation, RecordsTheAssociationItReplacesOnce) {
    runtime::ComApartment com;
    TempFolder target;
    AsANewSystemHasIt();

    SetupOptions options;
    options.installFolder = target.Path() + "\\";
    FinishInstallation(options, target / "advertising\\");
    EXPECT_EQ(RecordText("Class"), "pdffile");
    EXPECT_EQ(RecordText("OpenCommand"), std::nullopt) << "there was none: the uninstaller removes setup's";
    EXPECT_EQ(testing::ReadClassesText(".pdf"), "") << "setup's own association is in place";

    // A second installation keeps the first one's record.
    FinishInstallation(options, target / "advertising\\");
    EXPECT_EQ(RecordText("Class"), "pdffile");
    EXPECT_EQ(RecordText("OpenCommand"), std::nullopt);
    testing::ForgetRecordedAssociation();
}

// The record is of what the user chose last before this reader: when
// another program took ".pdf" over since an earlier installation, a new
// installation records that program, not the older choice.
TEST(FinishInstallation, ARecordIsRenewedWhenAnotherProgramTookThePdfFilesOver) {
    runtime::ComApartment com;
    TempFolder first, second;
    AsANewSystemHasIt();
    SetupOptions options;
    options.installFolder = first.Path() + "\\";
    FinishInstallation(options, first / "advertising\\");
    ASSERT_EQ(RecordText("Class"), "pdffile");

    // Another copy of the reader takes over from the first: the record of
    // what came before the reader stays.
    options.installFolder = second.Path() + "\\";
    FinishInstallation(options, second / "advertising\\");
    EXPECT_EQ(RecordText("Class"), "pdffile");

    // Another reader takes .pdf; then the reader is installed again.
    const wchar_t other[] = L"\"C:\\Other\\Viewer.exe\" \"%1\"";
    ::RegSetKeyValueW(HKEY_CLASSES_ROOT, L".pdf", nullptr, REG_SZ, L"OtherViewer.Document",
                      sizeof(L"OtherViewer.Document"));
    ::RegSetKeyValueW(HKEY_CLASSES_ROOT, L".pdf\\Shell\\Open\\Command", nullptr, REG_SZ, other, sizeof(other));
    const wchar_t otherIcon[] = L"C:\\Other\\Viewer.exe,1";
    ::RegSetKeyValueW(HKEY_CLASSES_ROOT, L".pdf\\DefaultIcon", nullptr, REG_SZ, otherIcon, sizeof(otherIcon));
    FinishInstallation(options, second / "advertising\\");
    EXPECT_EQ(RecordText("Class"), "OtherViewer.Document");
    EXPECT_EQ(RecordText("OpenCommand"), "\"C:\\Other\\Viewer.exe\" \"%1\"");
    EXPECT_EQ(RecordText("DefaultIcon"), "C:\\Other\\Viewer.exe,1");
    testing::ForgetRecordedAssociation();
}

TEST(FinishInstallation, ShortcutsForTheChosenOptionsAndCleanUp) {
    runtime::ComApartment com;
    TempFolder target;
    const std::string folder = target.Path() + "\\";
    ASSERT_TRUE(WriteWholeFile(folder + "ins.zip", ByteArray{1}));
    ASSERT_TRUE(::CreateDirectoryA((folder + "auxs").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder + "auxs\\auxs.zip", ByteArray{2}));
    const std::string desktopLink = runtime::GetSpecialFolder(3) + "LirvoPDF阅读器.lnk";
    const std::string group = runtime::GetSpecialFolder(5) + "LirvoPDF阅读器";

    SetupOptions options;
    options.installFolder = folder;
    options.desktopShortcut = true;
    options.startMenuGroup = true;
    InstallResult earlier;
    earlier.earlierInstallation = true;
    FinishInstallation(options, target / "advertising\\", earlier);
    EXPECT_TRUE(runtime::PathExists(desktopLink));
    EXPECT_TRUE(runtime::PathExists(group + "\\LirvoPDF阅读器.lnk"));
    EXPECT_TRUE(runtime::PathExists(group + "\\卸载.lnk"));
    EXPECT_FALSE(runtime::PathExists(folder + "ins.zip"));
    EXPECT_FALSE(runtime::PathExists(folder + "auxs\\auxs.zip"));
    EXPECT_EQ(testing::ReadClassesText(".pdf\\DefaultIcon"), folder + "LirvoPDF阅读器.exe,0");

    lirvo::testing::RemoveTree(desktopLink);
    lirvo::testing::RemoveTree(group);
    SetupOptions none;
    none.installFolder = folder;
    FinishInstallation(none, target / "advertising\\");
    EXPECT_FALSE(runtime::PathExists(desktopLink)) << "no option, no shortcut";
    EXPECT_FALSE(runtime::PathExists(group));

    // In a folder that held no earlier installation, the auxs leftover is
    // the user's file: it stays.
    ASSERT_TRUE(WriteWholeFile(folder + "auxs\\auxs.zip", ByteArray{2}));
    FinishInstallation(none, target / "advertising\\");
    EXPECT_TRUE(runtime::PathExists(folder + "auxs\\auxs.zip"));
    testing::ForgetRecordedAssociation();
}

// Setup left the reader for the user to start: one sentence, naming where
// the user will find it.
TEST(FinishInstallation, TheUserIsToldWhereToFindAReaderSetupDidNotStart) {
    const struct {
        bool desktop, startMenu;
        std::vector<std::string> named;
    } cases[] = {
        {true, true, {"桌面", "“开始”菜单"}},
        {true, false, {"桌面"}},
        {false, true, {"“开始”菜单"}},
        {false, false, {"D:\\Tools\\LirvoPDF阅读器.exe"}},
    };
    for (const auto& c : cases) {
        SetupOptions options;
        options.installFolder = "D:\\Tools\\";
        options.desktopShortcut = c.desktop;
        options.startMenuGroup = c.startMenu;
        const std::string message = ReaderLeftToUserMessage(options);
        for (const std::string& place : c.named) EXPECT_NE(message.find(place), std::string::npos) << message;
        EXPECT_EQ(message.find("。"), message.size() - std::string("。").size()) << "one sentence: " << message;
    }
}

}  // namespace
}  // namespace lirvo::setup
