#include "runtime/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "skin/core/file_io.h"
#include "skin/core/unique_handle.h"
#include "tests/support/temp_folder.h"

namespace lirvo::runtime {
namespace {

using testing::TempFolder;

std::int64_t ReferenceFreeKB(const std::string& root) {
    ULARGE_INTEGER available{}, total{}, free{};
    if (!::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return -1;
    return std::min<std::int64_t>(available.QuadPart >> 10, std::numeric_limits<std::int32_t>::max());
}

// A drive letter that the prefix does not map.
std::string UnmappedDriveRoot() {
    const DWORD drives = ::GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter)
        if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\";
    return {};
}

TEST(DiskFreeSpaceTest, MeasuresTheDriveOfThePathOrTheCurrentDrive) {
    char current[MAX_PATH];
    ASSERT_GT(::GetCurrentDirectoryA(MAX_PATH, current), 0u);
    const std::string currentRoot = std::string(1, current[0]) + ":\\";
    const std::string lowerCurrent = std::string(1, static_cast<char>(std::tolower(current[0]))) + ":\\folder";
    // Other programs write to the same disks meanwhile: allow 64 MB of drift.
    constexpr std::int64_t kDrift = 64 * 1024;
    struct Case {
        std::string path;
        std::string root;
    };
    const Case cases[] = {
        {"", currentRoot},
        {"1:\\x", currentRoot},
        {"\\relative", currentRoot},
        {lowerCurrent, currentRoot},
        {"C:\\Program Files\\LirvoPDF阅读器\\", "C:\\"},
        {"c:", "C:\\"},
    };
    for (const Case& c : cases) {
        const std::int64_t expected = ReferenceFreeKB(c.root);
        ASSERT_GT(expected, 0) << c.root;
        EXPECT_NEAR(DiskFreeSpaceKB(c.path), expected, kDrift) << "path \"" << c.path << "\"";
    }
    const std::string unmapped = UnmappedDriveRoot();
    ASSERT_FALSE(unmapped.empty());
    EXPECT_EQ(DiskFreeSpaceKB(unmapped + "LirvoPDF阅读器"), -1);
}

// A folder's free space is its volume's, and a volume may be mounted in a
// folder of another: Wine's Z: drive is the host's root, with its tmpfs
// mounted at \\dev\\shm. A folder yet to be made there is measured there.
TEST(DiskFreeSpaceTest, MeasuresTheVolumeOfTheNearestExistingLevel) {
    const std::string mounted = "Z:\\dev\\shm\\";
    const std::int64_t there = ReferenceFreeKB(mounted);
    const std::int64_t root = ReferenceFreeKB("Z:\\");
    if (there <= 0 || root <= 0 || std::llabs(there - root) < 1024 * 1024)
        GTEST_SKIP() << "no second volume of another size mounted at " << mounted;
    EXPECT_NEAR(DiskFreeSpaceKB(mounted + "LirvoNew\\LirvoPDF阅读器\\"), there, 16 * 1024);
    EXPECT_EQ(NearestExistingFolder(mounted + "LirvoNew\\LirvoPDF阅读器\\"), mounted);
}

TEST(FolderPathTest, NearestExistingLevelAndLongForm) {
    TempFolder temp;
    const std::string longFolder = temp / "Long Folder Name";
    ASSERT_TRUE(::CreateDirectoryA(longFolder.c_str(), nullptr));
    char shortForm[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameA(longFolder.c_str(), shortForm, MAX_PATH), 0u);
    const std::string shortFolder = shortForm;
    ASSERT_NE(shortFolder, longFolder);
    const struct {
        std::string path, nearest, longForm;
    } cases[] = {
        {longFolder + "\\", longFolder + "\\", longFolder + "\\"},
        {shortFolder + "\\new\\LirvoPDF阅读器\\", shortFolder + "\\", longFolder + "\\new\\LirvoPDF阅读器\\"},
        {shortFolder + "\\", shortFolder + "\\", longFolder + "\\"},
        {"C:\\LirvoNoSuchFolder\\x\\", "C:\\", "C:\\LirvoNoSuchFolder\\x\\"},
        {UnmappedDriveRoot() + "x\\", "", UnmappedDriveRoot() + "x\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearestExistingFolder(c.path), c.nearest) << c.path;
        EXPECT_EQ(LongFolderPath(c.path), c.longForm) << c.path;
    }
}

TEST(CreateFolderTest, CreatesOneLevelOnly) {
    TempFolder temp;
    const std::string folder = temp / "LirvoPDF阅读器";
    EXPECT_TRUE(CreateFolder(folder));
    EXPECT_EQ(::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
    EXPECT_FALSE(CreateFolder(folder)) << "exists already";
    EXPECT_FALSE(CreateFolder(temp / "missing\\child")) << "parent missing";
    EXPECT_FALSE(PathExists(temp / "missing"));
    EXPECT_FALSE(CreateFolder(""));
}

TEST(CreateFolderTest, LevelsAreCreatedFromTheRootDown) {
    TempFolder temp;
    EXPECT_TRUE(CreateFolderLevels(temp / "A\\B\\C\\"));
    EXPECT_TRUE(PathExists(temp / "A\\B\\C"));
    EXPECT_TRUE(CreateFolderLevels(temp / "A\\B")) << "existing levels are fine";
    ASSERT_TRUE(WriteFile(temp / "file", std::span<const std::uint8_t>()));
    EXPECT_FALSE(CreateFolderLevels(temp / "file\\below")) << "a file stands in the way";
}

TEST(WriteFileTest, WritesThePiecesInOrderReplacingTheFile) {
    TempFolder temp;
    const std::string name = temp / "ins.zip";
    ASSERT_TRUE(WriteFile(name, ByteArray(1000, 0xEE)));
    const ByteArray first = {'P', 'K', 3, 4};
    const ByteArray empty;
    const ByteArray second = {9, 8, 7};
    EXPECT_TRUE(WriteFile(name, {first, empty, second}));
    EXPECT_EQ(ReadWholeFile(name), (ByteArray{'P', 'K', 3, 4, 9, 8, 7})) << "old content truncated";

    const ByteArray large(2288805, 0x5A);
    EXPECT_TRUE(WriteFile(name, large));
    EXPECT_EQ(ReadWholeFile(name), large);
}

TEST(WriteFileTest, FailuresLeaveNoHandleOpen) {
    TempFolder temp;
    const ByteArray bytes = {1, 2, 3};
    EXPECT_FALSE(WriteFile("", bytes));
    EXPECT_FALSE(WriteFile(temp.Path(), bytes)) << "a folder";
    EXPECT_FALSE(WriteFile(temp / "missing\\file.bin", bytes));

    const std::string name = temp / "busy.bin";
    {
        UniqueHandle holder(::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(WriteFile(name, bytes)) << "opened elsewhere without sharing";
    }
    EXPECT_TRUE(WriteFile(name, bytes));
    // The handle of the write is closed: the file can be opened exclusively.
    UniqueHandle exclusive(::CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(exclusive);
}

TEST(DeleteFileTest, DeletesAnExistingFileOnly) {
    TempFolder temp;
    const std::string name = temp / "auxs.zip";
    ASSERT_TRUE(WriteFile(name, ByteArray{1}));
    EXPECT_TRUE(DeleteFile(name));
    EXPECT_FALSE(PathExists(name));
    EXPECT_FALSE(DeleteFile(name));
    EXPECT_FALSE(DeleteFile(""));
}

}  // namespace
}  // namespace lirvo::runtime
