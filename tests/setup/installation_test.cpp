#include "setup/installation.h"

#include <gtest/gtest.h>

#include "runtime/com_apartment.h"
#include "runtime/files.h"
#include "runtime/shell.h"
#include "setup/byte_size.h"
#include "skin/core/file_io.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_fixture.h"

namespace lirvo::setup {
namespace {

using lirvo::testing::TempFolder;

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
    EXPECT_EQ(FreeSpaceText("Q:\\nowhere\\"), "-1024B") << "a drive that does not exist";
    const std::string free = FreeSpaceText("C:\\Program Files\\LirvoPDF阅读器\\");
    EXPECT_TRUE(free.ends_with("GB") || free.ends_with("MB") || free.ends_with("KB")) << free;
}

// A payload of the reader's shape: its files in the archive's root.
ByteArray MakePayload(const TempFolder& scratch, bool valid = true) {
    const std::string path = scratch / "payload.zip";
    EXPECT_TRUE(lirvo::testing::WriteZipFixture(path, {
                                                          {kReaderFileName, lirvo::testing::SampleData(5000, 1)},
                                                          {kUninstallerFileName, lirvo::testing::SampleData(3000, 2)},
                                                          {"support.dll", lirvo::testing::SampleData(900, 3)},
                                                      }));
    ByteArray bytes = ReadWholeFile(path).value_or(ByteArray{});
    if (!valid) bytes.resize(bytes.size() / 2);
    return bytes;
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

TEST(InstallPayload, FailuresAreReportedWithTheFolderAndTheReason) {
    TempFolder scratch, target;
    runtime::ArchiveComponent archive;

    const std::string orphan = target / "missing-parent\\LirvoPDF阅读器\\";
    const InstallResult noFolder = InstallPayload(orphan, MakePayload(scratch), archive);
    EXPECT_EQ(noFolder.failure, InstallResult::Failure::FolderNotCreated);
    EXPECT_FALSE(runtime::PathExists(target / "missing-parent")) << "only the last level is ever created";
    const std::string message = InstallFailureMessage(orphan, noFolder);
    EXPECT_NE(message.find(orphan), std::string::npos) << "the message names the folder";
    EXPECT_NE(message.find("无法创建该文件夹"), std::string::npos);

    const std::string folder = target / "damaged\\";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder + "keep.txt", ByteArray{'k'}));
    const InstallResult damaged = InstallPayload(folder, MakePayload(scratch, false), archive);
    EXPECT_EQ(damaged.failure, InstallResult::Failure::ExtractionFailed);
    EXPECT_NE(damaged.extractionResult, 1);
    EXPECT_FALSE(runtime::PathExists(folder + "ins.zip")) << "the half-written archive is removed";
    EXPECT_TRUE(runtime::PathExists(folder + "keep.txt")) << "nothing that was there is lost";
    EXPECT_NE(InstallFailureMessage(folder, damaged).find("无法解压"), std::string::npos);
    EXPECT_EQ(InstallFailureMessage(folder, InstallResult{}), "");
}

std::optional<std::string> ReadClassesText(const std::string& key, const char* value = nullptr) {
    char data[1024] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    if (::RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD) return "dword:" + std::to_string(*reinterpret_cast<DWORD*>(data));
    return std::string(data);
}

TEST(AssociateFileType, WritesTheFiveEntries) {
    const std::string reader = "C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe";
    AssociateFileType(reader, ".pdf");
    EXPECT_EQ(ReadClassesText(".pdf"), "");
    EXPECT_EQ(ReadClassesText(".pdf", "EditFlags"), "dword:2");
    EXPECT_EQ(ReadClassesText(".pdf\\Shell\\Open\\Command"), "\"" + reader + "\" \"%1\"");
    EXPECT_EQ(ReadClassesText(".pdf\\DefaultIcon"), reader + ",0");
    EXPECT_EQ(ReadClassesText("..pdf"), ".pdf");
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
    FinishInstallation(options, target / "advertising\\");
    EXPECT_TRUE(runtime::PathExists(desktopLink));
    EXPECT_TRUE(runtime::PathExists(group + "\\LirvoPDF阅读器.lnk"));
    EXPECT_TRUE(runtime::PathExists(group + "\\卸载.lnk"));
    EXPECT_FALSE(runtime::PathExists(folder + "ins.zip"));
    EXPECT_FALSE(runtime::PathExists(folder + "auxs\\auxs.zip"));
    EXPECT_EQ(ReadClassesText(".pdf\\DefaultIcon"), folder + "LirvoPDF阅读器.exe,0");

    lirvo::testing::RemoveTree(desktopLink);
    lirvo::testing::RemoveTree(group);
    SetupOptions none;
    none.installFolder = folder;
    FinishInstallation(none, target / "advertising\\");
    EXPECT_FALSE(runtime::PathExists(desktopLink)) << "no option, no shortcut";
    EXPECT_FALSE(runtime::PathExists(group));
}

}  // namespace
}  // namespace lirvo::setup
