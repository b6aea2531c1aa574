#include "setup/installation.h"

#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/registry.h"
#include "runtime/shell.h"
#include "runtime/text_ops.h"

namespace lirvo::setup {
namespace {

constexpr std::int32_t kClassesRoot = 1;
constexpr std::int32_t kDesktopFolder = 3;
constexpr std::int32_t kStartMenuFolder = 5;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string ReaderPath(const std::string& folder) { return folder + kReaderFileName; }

InstallResult InstallPayload(const std::string& folder, std::span<const std::uint8_t> payload,
                             runtime::ArchiveComponent& archive) {
    InstallResult result;
    runtime::CreateFolder(folder);  // only the last level, as the installer always has
    if (!runtime::PathExists(folder)) {
        result.failure = InstallResult::Failure::FolderNotCreated;
        return result;
    }
    const std::string archiveFile = folder + kArchiveFileName;
    if (!runtime::WriteFile(archiveFile, payload)) {
        runtime::DeleteFile(archiveFile);
        result.failure = InstallResult::Failure::ArchiveNotWritten;
        return result;
    }
    result.extractionResult = runtime::ExtractArchive(archive, archiveFile, folder);
    if (result.extractionResult != 1) {
        runtime::DeleteFile(archiveFile);
        result.failure = InstallResult::Failure::ExtractionFailed;
    }
    return result;
}

std::string InstallFailureMessage(const std::string& folder, const InstallResult& result) {
    std::string reason;
    switch (result.failure) {
    case InstallResult::Failure::None:
        return {};
    case InstallResult::Failure::FolderNotCreated:
        reason = "无法创建该文件夹：上级文件夹不存在，或没有写入权限。";
        break;
    case InstallResult::Failure::ArchiveNotWritten:
        reason = "无法在该文件夹中写入安装文件：磁盘空间不足，或没有写入权限。";
        break;
    case InstallResult::Failure::ExtractionFailed:
        reason = "无法解压程序文件（错误代码 " + runtime::ToText(result.extractionResult) + "）。";
        break;
    }
    return "无法安装到“" + folder + "”。\r\n" + reason + "\r\n\r\n请选择其他安装目录，或取消安装。";
}

void AssociateFileType(std::string_view program, std::string_view extensions, std::optional<std::string_view> icon,
                       std::optional<std::string_view> description, std::optional<std::string_view> className) {
    const std::vector<std::string> list = runtime::SplitText(extensions, "|");
    const std::string iconFile(icon && !icon->empty() ? *icon : program);
    const std::string classKey(className && !className->empty() ? *className : extensions);

    runtime::RegWrite(kClassesRoot, classKey + "\\", description.value_or(""));
    runtime::RegWrite(kClassesRoot, classKey + "\\EditFlags", 2);
    runtime::RegWrite(kClassesRoot, classKey + "\\Shell\\Open\\Command\\", Quoted(program) + " " + Quoted("%1"));
    runtime::RegWrite(kClassesRoot, classKey + "\\DefaultIcon\\", iconFile + ",0");
    // Each extension key is a dot and the list item; the item ".pdf" brings
    // its own dot, so its key is "..pdf", as existing installations have it.
    for (const std::string& extension : list) runtime::RegWrite(kClassesRoot, "." + extension + "\\", classKey);
    runtime::NotifyAssociationsChanged();
}

void FinishInstallation(const SetupOptions& options, const std::string& advertisingFolder) {
    const std::string& folder = options.installFolder;
    const std::string reader = ReaderPath(folder);
    AssociateFileType(reader, ".pdf");
    if (options.desktopShortcut)
        runtime::CreateShortcut(runtime::GetSpecialFolder(kDesktopFolder) + kProductName + ".lnk", reader);
    if (options.startMenuGroup) {
        const std::string group = runtime::GetSpecialFolder(kStartMenuFolder) + kProductName;
        runtime::CreateFolder(group);
        runtime::CreateShortcut(group + "\\" + kProductName + ".lnk", reader);
        runtime::CreateShortcut(group + "\\卸载.lnk", folder + kUninstallerFileName);
    }
    if (options.launchAfterFinish) runtime::RunProgram(reader, false);
    runtime::DeleteFile(folder + kArchiveFileName);
    runtime::DeleteFile(advertisingFolder + "auxs.zip");
    runtime::DeleteFile(folder + "auxs\\auxs.zip");
}

}  // namespace lirvo::setup
