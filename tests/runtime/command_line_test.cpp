#include "runtime/command_line.h"

#include <gtest/gtest.h>

#include <set>

namespace lirvo::runtime {
namespace {

TEST(QuoteProgramPathTest, QuotesAProgramPathWithSpacesOnly) {
    const std::set<std::string, std::less<>> existing = {
        "C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe",
        "C:\\My Tools\\run",
    };
    const FileExistsTest exists = [&](std::string_view path) { return existing.contains(path); };
    struct Case {
        std::string commandLine;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe",
         "\"C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe\""},
        // Missing programs are quoted too: unquoted, C:\Program.exe would be tried.
        {"C:\\Program Files\\missing.exe", "\"C:\\Program Files\\missing.exe\""},
        {"C:\\Program Files\\x.EXE /s file.pdf", "\"C:\\Program Files\\x.EXE\" /s file.pdf"},
        {"C:\\My Tools\\run", "\"C:\\My Tools\\run\""},
        {"\"C:\\Program Files\\x.exe\" a", "\"C:\\Program Files\\x.exe\" a"},
        {"notepad.exe C:\\some file.txt", "notepad.exe C:\\some file.txt"},
        {"C:\\reader.exe", "C:\\reader.exe"},
        {"cmd /c exit", "cmd /c exit"},
        {"C:\\a b\\x.exe.bak c", "C:\\a b\\x.exe.bak c"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(QuoteProgramPath(c.commandLine, exists), c.expected) << c.commandLine;
}

}  // namespace
}  // namespace lirvo::runtime
