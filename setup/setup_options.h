#pragma once
// The user's choices, copied from the check marks and the folder box.

#include <cstdint>
#include <string>

namespace lirvo::setup {

struct SetupOptions {
    bool desktopShortcut = false;   // check mark 1
    bool startMenuGroup = false;    // check mark 2
    bool option3 = false;           // check mark 3: recorded, nothing reads it
    bool launchAfterFinish = false; // check mark 5
    bool option4 = false;           // check mark 4: recorded, nothing reads it
    std::string installFolder;      // always ends with a backslash
};

inline constexpr char kProductName[] = "LirvoPDF阅读器";
inline constexpr char kReaderFileName[] = "LirvoPDF阅读器.exe";
inline constexpr char kUninstallerFileName[] = "卸载.exe";
inline constexpr char kArchiveFileName[] = "ins.zip";
inline constexpr char kDefaultInstallFolder[] = "C:\\Program Files\\LirvoPDF阅读器\\";

}  // namespace lirvo::setup
