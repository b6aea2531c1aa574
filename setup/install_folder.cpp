#include "setup/install_folder.h"

#include <algorithm>
#include <vector>

#include "runtime/archive_paths.h"

namespace lirvo::setup {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// True when `folder` is `outer` or lies anywhere below it. Letter case is
// ignored, as the file system ignores it; double-byte characters compare
// byte for byte.
bool IsSameOrInside(std::string_view folder, std::string_view outer) {
    while (folder.ends_with('\\')) folder.remove_suffix(1);
    while (outer.ends_with('\\')) outer.remove_suffix(1);
    if (outer.empty() || folder.size() < outer.size()) return false;
    if (!std::equal(outer.begin(), outer.end(), folder.begin(),
                    [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); }))
        return false;
    return folder.size() == outer.size() || folder[outer.size()] == '\\';
}

// "/" would be taken for a separator, and the folder then written into the
// association and the shortcuts with it.
bool IsForbiddenByte(std::uint8_t byte) { return byte == '/' || runtime::IsForbiddenNameByte(byte); }

}  // namespace

std::string WithTrailingBackslash(std::string folder, runtime::LeadByteTest isLeadByte) {
    if (!runtime::EndsWithBackslash(folder, isLeadByte)) folder += '\\';
    return folder;
}

std::string InstallFolderInside(const std::string& picked, runtime::LeadByteTest isLeadByte) {
    return WithTrailingBackslash(picked, isLeadByte) + "LirvoPDF阅读器\\";
}

FolderProblem CheckInstallFolder(std::string_view folder, std::string_view windowsFolder,
                                 runtime::LeadByteTest isLeadByte) {
    std::string_view bare = folder;
    if (bare.ends_with('\\')) bare.remove_suffix(1);
    if (bare.empty()) return FolderProblem::Empty;
    if (bare.size() < 2 || !IsAsciiLetter(bare[0]) || bare[1] != ':' || (bare.size() > 2 && bare[2] != '\\'))
        return FolderProblem::NotAbsolute;
    if (bare.size() <= 3) return FolderProblem::DriveRoot;
    // Nothing of the system's: on 64-bit Windows a 32-bit program's writes to
    // System32 land in SysWOW64, while the association would name System32.
    if (IsSameOrInside(bare, windowsFolder)) return FolderProblem::WindowsFolder;

    // The levels below the drive, split at backslashes that are whole characters.
    std::vector<std::string_view> levels;
    const std::string_view rest = bare.substr(3);
    std::size_t start = 0;
    for (std::size_t offset = 0; offset < rest.size();) {
        const auto byte = static_cast<std::uint8_t>(rest[offset]);
        if (isLeadByte(byte)) {
            // No double-byte code page has a second byte below 0x40.
            if (offset + 1 >= rest.size() || static_cast<std::uint8_t>(rest[offset + 1]) < 0x40)
                return FolderProblem::ForbiddenCharacter;
            offset += 2;
            continue;
        }
        if (IsForbiddenByte(byte)) return FolderProblem::ForbiddenCharacter;
        if (byte == '\\') {
            levels.push_back(rest.substr(start, offset - start));
            start = offset + 1;
        }
        ++offset;
    }
    levels.push_back(rest.substr(start));
    for (std::string_view level : levels) {
        // Windows drops a trailing dot or space, so "a." would be a different folder.
        if (level.empty() || level.back() == '.' || level.back() == ' ' || runtime::IsReservedDeviceName(level))
            return FolderProblem::BadName;
    }
    if (folder.size() > kMaxInstallFolderLength) return FolderProblem::TooLong;
    return FolderProblem::None;
}

std::string FolderProblemMessage(FolderProblem problem, std::string_view folder) {
    const std::string shown = "“" + std::string(folder) + "”";
    switch (problem) {
    case FolderProblem::None:
        return {};
    case FolderProblem::Empty:
        return "没有填写安装目录。请输入或选择一个文件夹，例如 C:\\Program Files\\LirvoPDF阅读器\\。";
    case FolderProblem::Unrepresentable:
        return "安装目录中有本系统无法用于文件名的字符。请只使用中文、英文字母、数字和常用符号。";
    case FolderProblem::NotAbsolute:
        return shown + "不是以盘符开头的完整路径。请输入完整的文件夹路径，例如 D:\\LirvoPDF阅读器\\。";
    case FolderProblem::DriveRoot:
        return "不能直接安装到磁盘根目录" + shown + "。请在其中选择或新建一个文件夹，例如 " +
               std::string(folder.substr(0, 3)) + "LirvoPDF阅读器\\。";
    case FolderProblem::WindowsFolder:
        return "不能安装到 Windows 系统文件夹或其中的文件夹" + shown + "。请选择其他文件夹。";
    case FolderProblem::ForbiddenCharacter:
        return "安装目录" + shown + "中含有文件名不允许的字符（< > : \" / | ? * 等）。请去掉这些字符后再试。";
    case FolderProblem::BadName:
        return "安装目录" + shown +
               "中有无效的文件夹名称（空名称、以点或空格结尾，或 CON、NUL 等保留名称）。请修改安装目录。";
    case FolderProblem::TooLong:
        return "安装目录" + shown + "太长。请选择一个较短的路径。";
    }
    return {};
}

}  // namespace lirvo::setup
