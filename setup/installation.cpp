#include "setup/installation.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "payload/association_record.h"
#include "runtime/archive_paths.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/registry.h"
#include "runtime/registry_key.h"
#include "runtime/shell.h"
#include "runtime/text_ops.h"
#include "runtime/zip_directory.h"
#include "setup/byte_size.h"
#include "setup/reader_files.h"
#include "setup/reader_launch.h"

namespace lirvo::setup {
namespace {

constexpr std::int32_t kClassesRoot = 1;
constexpr std::int32_t kDesktopFolder = 3;
constexpr std::int32_t kStartMenuFolder = 5;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string ReaderPath(const std::string& folder) { return folder + kReaderFileName; }

namespace {

// A free name beside `path` for a file that has to make way for a while.
std::string AsideName(const std::string& path) {
    std::string aside = path + ".lirvo-old";
    for (int n = 2; runtime::PathExists(aside); ++n) aside = path + ".lirvo-old" + std::to_string(n);
    return aside;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The files an installation touches and how to take it back.
class InstallUndo {
public:
    // Creates every missing level of the folder, remembering the new ones.
    bool CreateFolders(const std::string& path) {
        for (const std::string& level : runtime::FolderLevels(path)) {
            if (runtime::PathExists(level)) continue;
            if (!runtime::CreateFolder(level)) return false;
            createdFolders_.push_back(level);
        }
        return true;
    }

    // A file that the installation will write: one already there is moved
    // aside first, so that a failure can put it back.
    bool Claim(const std::string& path) { return MoveAside(path, false).has_value(); }

    // Like Claim, for a file that must come back whether the installation
    // succeeds or not; its place while away, or "" when there was none.
    std::optional<std::string> ClaimForAWhile(const std::string& path) { return MoveAside(path, true); }

    // Folders the extraction creates for entries in sub-folders.
    void NoteFoldersOf(const std::string& file) {
        const std::size_t cut = file.find_last_of('\\');
        if (cut == std::string::npos) return;
        for (const std::string& level : runtime::FolderLevels(file.substr(0, cut)))
            if (!runtime::PathExists(level) &&
                std::find(createdFolders_.begin(), createdFolders_.end(), level) == createdFolders_.end())
                createdFolders_.push_back(level);
    }

    void Commit() {
        for (const MovedAside& moved : movedAside_) {
            if (moved.comesBack) continue;
            // A library that a running reader still holds goes when the system restarts.
            if (!::DeleteFileA(moved.aside.c_str()))
                ::MoveFileExA(moved.aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        }
        movedAside_.clear();
        files_.clear();
        createdFolders_.clear();
    }

    // Takes everything back as far as the system lets it; what it could not
    // take back is returned, so that nobody is told of an undo that did not happen.
    std::vector<LeftBehind> Rollback() {
        std::vector<LeftBehind> left;
        for (const std::string& file : files_) {
            if (!runtime::PathExists(file)) continue;
            ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!::DeleteFileA(file.c_str())) left.push_back({file, {}, ::GetLastError()});
        }
        for (const MovedAside& moved : movedAside_) {
            if (!::MoveFileExA(moved.aside.c_str(), moved.path.c_str(), MOVEFILE_REPLACE_EXISTING))
                left.push_back({moved.aside, moved.path, ::GetLastError()});
        }
        // Deepest first; a folder that holds anything else stays, as it should.
        std::sort(createdFolders_.begin(), createdFolders_.end(),
                  [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        for (const std::string& folder : createdFolders_) {
            if (::RemoveDirectoryA(folder.c_str())) continue;
            const DWORD error = ::GetLastError();
            if (error != ERROR_DIR_NOT_EMPTY && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
                left.push_back({folder, {}, error});
        }
        movedAside_.clear();
        files_.clear();
        createdFolders_.clear();
        return left;
    }

private:
    // The name the file at `path` now has, "" when there was none, or nothing
    // when it could not be moved.
    std::optional<std::string> MoveAside(const std::string& path, bool comesBack) {
        std::string aside;
        if (IsFile(path)) {
            aside = AsideName(path);
            // A file that cannot be moved aside is not ours to touch, not even on undo.
            if (!::MoveFileExA(path.c_str(), aside.c_str(), 0)) return std::nullopt;
            movedAside_.push_back({path, aside, comesBack});
        }
        files_.push_back(path);
        return aside;
    }

    struct MovedAside {
        std::string path;
        std::string aside;
        bool comesBack;  // put back after the installation, not deleted
    };
    std::vector<std::string> createdFolders_;
    std::vector<std::string> files_;
    std::vector<MovedAside> movedAside_;
};

std::uint32_t LastErrorOr(std::uint32_t fallback) {
    const DWORD error = ::GetLastError();
    return error ? error : fallback;
}

// The file names of the payload, as they will lie in the folder.
std::vector<std::string> PayloadPaths(const std::vector<runtime::DirectoryEntry>& entries) {
    std::vector<std::string> paths;
    for (const runtime::DirectoryEntry& entry : entries) {
        const std::optional<std::string> relative = runtime::EntryPathInsideTarget(entry.name);
        if (!relative || relative->ends_with('\\')) continue;  // refused by the extraction; folders hold nothing to claim
        paths.push_back(*relative);
    }
    return paths;
}

}  // namespace

InstallResult InstallPayload(const std::string& folder, std::span<const std::uint8_t> payload,
                             runtime::ArchiveComponent& archive, const ReplaceQuestion& mayReplace) {
    InstallResult result;
    const auto failWith = [&](InstallResult::Failure failure, std::string path, std::uint32_t error) {
        result.failure = failure;
        result.failedPath = std::move(path);
        result.systemError = error;
        return result;
    };

    // Nothing is written before the space is known to suffice.
    const auto entries = runtime::ReadZipDirectory(payload);
    if (!entries) return failWith(InstallResult::Failure::ExtractionFailed, kArchiveFileName, ERROR_BAD_FORMAT);
    std::uint64_t needed = payload.size();
    for (const runtime::DirectoryEntry& entry : *entries) needed += entry.unpackedSize;
    const std::int32_t freeKilobytes = runtime::DiskFreeSpaceKB(folder);
    if (freeKilobytes >= 0 && static_cast<std::uint64_t>(freeKilobytes) * 1024 < needed) {
        result.bytesNeeded = needed;
        result.bytesFree = static_cast<std::uint64_t>(freeKilobytes) * 1024;
        return failWith(InstallResult::Failure::NotEnoughSpace, folder, ERROR_DISK_FULL);
    }

    // Files of the reader are an earlier installation's and make way; any
    // other file of the same name is the user's, replaced only when agreed.
    const std::vector<std::string> paths = PayloadPaths(*entries);
    std::vector<std::string> foreign;
    for (const std::string& relative : paths) {
        const std::string path = folder + relative;
        if (!IsFile(path)) continue;
        if (IsReaderFile(path))
            result.earlierInstallation = true;
        else
            foreign.push_back(relative);
    }
    if (!foreign.empty() && !(mayReplace && mayReplace(foreign)))
        return failWith(InstallResult::Failure::Declined, folder + foreign.front(), 0);

    InstallUndo undo;
    const auto undone = [&](InstallResult::Failure failure, std::string path, std::uint32_t error) {
        result.leftBehind = undo.Rollback();
        result.earlierInstallation = false;
        result.userArchiveAside.clear();
        return failWith(failure, std::move(path), error);
    };
    if (!undo.CreateFolders(folder)) {
        const std::uint32_t error = LastErrorOr(ERROR_CANNOT_MAKE);
        return undone(InstallResult::Failure::FolderNotCreated, folder, error);
    }
    const std::string archiveFile = folder + kArchiveFileName;
    for (const std::string& relative : paths) {
        const std::string path = folder + relative;
        undo.NoteFoldersOf(path);
        if (!undo.Claim(path)) {
            const std::uint32_t error = LastErrorOr(ERROR_ACCESS_DENIED);
            return undone(InstallResult::Failure::FileNotReplaced, path, error);
        }
    }
    // Setup's archive is a temporary of its own: a file of the user's by that
    // name makes way for it and comes back once it is gone.
    const std::optional<std::string> userArchive = undo.ClaimForAWhile(archiveFile);
    if (!userArchive) {
        const std::uint32_t error = LastErrorOr(ERROR_ACCESS_DENIED);
        return undone(InstallResult::Failure::FileNotReplaced, archiveFile, error);
    }
    result.userArchiveAside = *userArchive;
    if (!runtime::WriteFile(archiveFile, payload)) {
        const std::uint32_t error = LastErrorOr(ERROR_WRITE_FAULT);
        return undone(InstallResult::Failure::ArchiveNotWritten, archiveFile, error);
    }
    result.extractionResult = runtime::ExtractArchive(archive, archiveFile, folder);
    if (result.extractionResult != 1) {
        const runtime::ExtractionFailure failure = archive.LastFailure();
        // Whatever the extraction could say, the user is told a reason.
        const std::uint32_t error =
            failure.systemError ? failure.systemError
                                : (result.extractionResult == -1 ? ERROR_FILE_NOT_FOUND : ERROR_WRITE_FAULT);
        return undone(InstallResult::Failure::ExtractionFailed, failure.path.empty() ? archiveFile : failure.path,
                      error);
    }
    undo.Commit();
    return result;
}

std::string ReplaceQuestionText(const std::string& folder, const std::vector<std::string>& fileNames) {
    std::string list;
    for (const std::string& name : fileNames) list += "\r\n    " + name;
    return "文件夹“" + folder + "”中已有以下文件，它们不属于 " + kProductName + "，继续安装将用 " + kProductName +
           " 的文件替换它们：\r\n" + list +
           "\r\n\r\n要替换这些文件并继续安装吗？选择“否”将不做任何更改，您可以另选一个安装目录。";
}

std::string SystemErrorText(std::uint32_t error) {
    if (error == 0) return {};
    char* buffer = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

namespace {

// The reason as the system words it, or the code when it has no words.
std::string Reason(std::uint32_t error) {
    const std::string text = SystemErrorText(error);
    if (!text.empty()) return text;
    return error ? "错误代码 " + runtime::ToText(static_cast<std::int64_t>(error)) : "原因不明";
}

// The end of the message about an undone installation: that nothing
// changed, or exactly what did not go back and where it is.
std::string UndoOutcome(const InstallResult& result) {
    if (result.leftBehind.empty()) return "已撤销本次安装，原有文件保持不变。";
    std::string text = "撤销本次安装时，以下内容未能恢复原状：";
    for (const LeftBehind& left : result.leftBehind) {
        if (left.originalPath.empty())
            text += "\r\n    “" + left.path + "”仍然留在原处（" + Reason(left.systemError) + "）";
        else
            text += "\r\n    原有文件“" + left.originalPath + "”现名为“" + left.path + "”（" +
                    Reason(left.systemError) + "），请将它改回原名";
    }
    return text + "\r\n";
}

}  // namespace

std::string InstallFailureMessage(const std::string& folder, const InstallResult& result) {
    const std::string because = "：" + Reason(result.systemError) + "。";
    const std::string file = "“" + result.failedPath + "”";
    switch (result.failure) {
    case InstallResult::Failure::None:
    case InstallResult::Failure::Declined:
        return {};
    case InstallResult::Failure::NotEnoughSpace:
        return "磁盘空间不足，无法安装到“" + folder + "”：需要 " +
               FormatByteSize(static_cast<double>(result.bytesNeeded)) + "，只剩 " +
               FormatByteSize(static_cast<double>(result.bytesFree)) +
               "。\r\n请清理磁盘后重试，或选择其他磁盘上的文件夹。";
    case InstallResult::Failure::FolderNotCreated:
        return "无法创建文件夹" + file + because + "\r\n" + UndoOutcome(result) +
               "\r\n请选择其他安装目录，或取消安装。";
    case InstallResult::Failure::FileNotReplaced:
        return "无法替换已有的文件" + file + because + "\r\n" + UndoOutcome(result) +
               "\r\n如果 LirvoPDF阅读器 正在运行，请先关闭它再重试；也可以选择其他安装目录。";
    case InstallResult::Failure::ArchiveNotWritten:
    case InstallResult::Failure::ExtractionFailed:
        return "无法写入文件" + file + because + "\r\n" + UndoOutcome(result) +
               "\r\n请关闭正在使用该文件的程序、清理磁盘后重试，或选择其他安装目录。";
    }
    return {};
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

namespace {

// The ".pdf" open command as it stands, or nothing.
std::optional<std::wstring> CurrentOpenCommand() {
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, L".pdf\\Shell\\Open\\Command", nullptr, RRF_RT_REG_SZ, nullptr, nullptr,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring command(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegGetValueW(HKEY_CLASSES_ROOT, L".pdf\\Shell\\Open\\Command", nullptr, RRF_RT_REG_SZ, nullptr,
                       command.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    command.resize(wcsnlen(command.c_str(), command.size()));
    return command;
}

}  // namespace

bool RecordPreviousAssociation() {
    const std::optional<std::wstring> command = CurrentOpenCommand();
    // Another copy of the reader owns ".pdf": its record still tells what came before.
    if (command && payload::OpensACopyOfTheReader(*command)) return true;
    // Anything else is what the user chose last, whatever an older record says.
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey);
    runtime::RegistryKey record;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                          nullptr, record.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    for (const payload::AssociationValue& value : payload::kAssociationValues) {
        DWORD type = 0, size = 0;
        if (::RegGetValueW(HKEY_CLASSES_ROOT, value.key, value.name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                           &size) != ERROR_SUCCESS)
            continue;  // not there before: the uninstaller removes it
        std::vector<BYTE> data(size);
        if (::RegGetValueW(HKEY_CLASSES_ROOT, value.key, value.name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(),
                           &size) != ERROR_SUCCESS)
            continue;
        ::RegSetValueExW(record.Get(), value.recordName, 0, type, data.data(), size);
    }
    const DWORD recorded = 1;
    return ::RegSetValueExW(record.Get(), payload::kRecordedMark, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&recorded),
                            sizeof recorded) == ERROR_SUCCESS;
}

LaunchRoute FinishInstallation(const SetupOptions& options, const std::string& advertisingFolder,
                               const InstallResult& installed) {
    const std::string& folder = options.installFolder;
    const std::string reader = ReaderPath(folder);
    RecordPreviousAssociation();
    AssociateFileType(reader, ".pdf");
    if (options.desktopShortcut)
        runtime::CreateShortcut(runtime::GetSpecialFolder(kDesktopFolder) + kProductName + ".lnk", reader);
    if (options.startMenuGroup) {
        const std::string group = runtime::GetSpecialFolder(kStartMenuFolder) + kProductName;
        runtime::CreateFolder(group);
        runtime::CreateShortcut(group + "\\" + kProductName + ".lnk", reader);
        runtime::CreateShortcut(group + "\\卸载.lnk", folder + kUninstallerFileName);
    }
    const LaunchRoute launch = options.launchAfterFinish ? LaunchAsDesktopUser(reader) : LaunchRoute::Failed;
    const std::string archive = folder + kArchiveFileName;
    runtime::DeleteFile(archive);
    if (!installed.userArchiveAside.empty()) ::MoveFileExA(installed.userArchiveAside.c_str(), archive.c_str(), 0);
    runtime::DeleteFile(advertisingFolder + "auxs.zip");
    // A leftover of the reader's own, never a file of a folder that was the user's.
    if (installed.earlierInstallation) runtime::DeleteFile(folder + "auxs\\auxs.zip");
    return launch;
}

std::string ReaderLeftToUserMessage(const SetupOptions& options) {
    std::string where;
    if (options.desktopShortcut) where = "桌面上的“" + std::string(kProductName) + "”图标";
    if (options.startMenuGroup)
        where += (where.empty() ? "" : "或") + std::string("“开始”菜单中的“") + kProductName + "”";
    if (where.empty()) where = "“" + ReaderPath(options.installFolder) + "”";
    return "为了安全，安装程序不会以管理员身份启动阅读器，请从" + where + "启动 " + kProductName + "。";
}

}  // namespace lirvo::setup
