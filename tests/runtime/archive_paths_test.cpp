#include "runtime/archive_paths.h"

#include <gtest/gtest.h>

namespace lirvo::runtime {
namespace {

std::vector<std::uint8_t> Header(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes,
                                 std::size_t size = 32) {
    std::vector<std::uint8_t> header(size, 0);
    for (auto [offset, value] : bytes)
        if (offset < size) header[offset] = value;
    return header;
}

TEST(ArchiveHeaderTest, AcceptsOnlyALocalHeaderOfAtLeast32BytesWithANamedEntry) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool accepted;
    };
    const Case cases[] = {
        {"name length 8", Header({{0, 'P'}, {1, 'K'}, {2, 3}, {3, 4}, {26, 8}}), true},
        {"only the size's high half set", Header({{0, 'P'}, {1, 'K'}, {2, 3}, {3, 4}, {24, 1}}), true},
        {"more than 32 bytes", Header({{0, 'P'}, {1, 'K'}, {2, 3}, {3, 4}, {26, 1}}, 64), true},
        {"31 bytes", Header({{0, 'P'}, {1, 'K'}, {2, 3}, {3, 4}, {26, 8}}, 31), false},
        {"empty", {}, false},
        {"empty name", Header({{0, 'P'}, {1, 'K'}, {2, 3}, {3, 4}}), false},
        {"bytes 24..27 negative", Header({{0, 'P'}, {1, 'K'}, {2, 3}, {3, 4}, {26, 8}, {27, 0x80}}), false},
        {"central directory signature", Header({{0, 'P'}, {1, 'K'}, {2, 1}, {3, 2}, {26, 8}}), false},
        {"not an archive", Header({{0, 'M'}, {1, 'Z'}, {26, 8}}), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsArchiveHeaderAccepted(c.bytes), c.accepted) << c.what;
}

TEST(FolderLevelsTest, ListsEveryLevelBelowTheRoot) {
    using Levels = std::vector<std::string>;
    struct Case {
        std::string path;
        Levels expected;
    };
    const Case cases[] = {
        {"D:\\A\\B\\C", {"D:\\A", "D:\\A\\B", "D:\\A\\B\\C"}},
        {"D:\\A\\B\\", {"D:\\A", "D:\\A\\B"}},
        {"C:\\Program Files\\LirvoPDF阅读器\\", {"C:\\Program Files", "C:\\Program Files\\LirvoPDF阅读器"}},
        {"D:\\", {}},
        {"\\\\server\\share\\A", {"\\\\server\\share\\A"}},
        {"\\A\\B", {"\\A", "\\A\\B"}},
        {"A\\B", {"A", "A\\B"}},
        // 乗 ends in byte 0x5C: one level, not two.
        {"D:\\乗x", {"D:\\乗x"}},
    };
    for (const Case& c : cases) EXPECT_EQ(FolderLevels(c.path, IsGbkLeadByte), c.expected) << c.path;
}

TEST(EntryPathTest, KeepsEntriesInsideTheTarget) {
    struct Case {
        std::string name;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"LirvoPDF阅读器.exe", "LirvoPDF阅读器.exe"},
        {"卸载.exe", "卸载.exe"},
        {"docs/readme.txt", "docs\\readme.txt"},
        {"docs/", "docs\\"},
        {"a..b/c.d", "a..b\\c.d"},
        {"乗/亅.txt", "乗\\亅.txt"},
        {"console.txt", "console.txt"},
        {"", std::nullopt},
        {"/etc/passwd", std::nullopt},
        {"\\Windows\\x.dll", std::nullopt},
        {"C:\\x.exe", std::nullopt},
        {"C:x.exe", std::nullopt},
        {"\\\\?\\C:\\x", std::nullopt},
        {"//server/share/x", std::nullopt},
        {"../x.exe", std::nullopt},
        {"..\\x.exe", std::nullopt},
        {"a/../../x.exe", std::nullopt},
        {"a/..", std::nullopt},
        {"a/.../x", std::nullopt},
        {"a/.. /x", std::nullopt},
        {"./x", std::nullopt},
        {"x.exe:stream", std::nullopt},
        {"CON", std::nullopt},
        {"a/nul.txt", std::nullopt},
        {"Com1.log", std::nullopt},
        {"lpt9", std::nullopt},
        {"a\tb", std::nullopt},
        {"a*b", std::nullopt},
        {"what?", std::nullopt},
        {"a|b", std::nullopt},
        {"a\x81/../x", std::nullopt},
        {"a\x81.", std::nullopt},
        {"name\x81", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(EntryPathInsideTarget(c.name, IsGbkLeadByte), c.expected) << c.name;
}

}  // namespace
}  // namespace lirvo::runtime
