#include "setup/installation.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include <memory>
#include <type_traits>

#include "payload/association_record.h"
#include "runtime/archive_paths.h"
#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/registry.h"
#include "runtime/shell.h"
#include "runtime/text_ops.h"
#include "runtime/zip_directory.h"
#include "setup/byte_size.h"
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
    bool Claim(const std::string& path) {
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::string aside = path + ".lirvo-old";
            for (int n = 2; runtime::PathExists(aside); ++n) aside = path + ".lirvo-old" + std::to_string(n);
            // A file that cannot be moved aside is not ours to touch, not even on undo.
            if (!::MoveFileExA(path.c_str(), aside.c_str(), 0)) return false;
            movedAside_.emplace_back(path, aside);
        }
        files_.push_back(path);
        return true;
    }

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
        for (const auto& [path, aside] : movedAside_) {
            // A library that a running reader still holds goes when the system restarts.
            if (!::DeleteFileA(aside.c_str())) ::MoveFileExA(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        }
        movedAside_.clear();
        files_.clear();
        createdFolders_.clear();
    }

    void Rollback() {
        for (const std::string& file : files_) {
            ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(file.c_str());
        }
        for (const auto& [path, aside] : movedAside_) ::MoveFileExA(aside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        // Deepest first; a folder that holds anything else stays.
        std::sort(createdFolders_.begin(), createdFolders_.end(),
                  [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        for (const std::string& folder : createdFolders_) ::RemoveDirectoryA(folder.c_str());
        movedAside_.clear();
        files_.clear();
        createdFolders_.clear();
    }

private:
    std::vector<std::string> createdFolders_;
    std::vector<std::string> files_;
    std::vector<std::pair<std::string, std::string>> movedAside_;
};

std::uint32_t LastErrorOr(std::uint32_t fallback) {
    const DWORD error = ::GetLastError();
    return error ? error : fallback;
}

}  // namespace

InstallResult InstallPayload(const std::string& folder, std::span<const std::uint8_t> payload,
                             runtime::ArchiveComponent& archive) {
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

    InstallUndo undo;
    const auto undone = [&](InstallResult::Failure failure, std::string path, std::uint32_t error) {
        undo.Rollback();
        return failWith(failure, std::move(path), error);
    };
    if (!undo.CreateFolders(folder)) {
        const std::uint32_t error = LastErrorOr(ERROR_CANNOT_MAKE);
        return undone(InstallResult::Failure::FolderNotCreated, folder, error);
    }
    const std::string archiveFile = folder + kArchiveFileName;
    for (const runtime::DirectoryEntry& entry : *entries) {
        const std::optional<std::string> relative = runtime::EntryPathInsideTarget(entry.name);
        if (!relative || relative->ends_with('\\')) continue;  // refused by the extraction; folders hold nothing to claim
        const std::string path = folder + *relative;
        undo.NoteFoldersOf(path);
        if (!undo.Claim(path)) {
            const std::uint32_t error = LastErrorOr(ERROR_ACCESS_DENIED);
            return undone(InstallResult::Failure::FileNotReplaced, path, error);
        }
    }
    if (!undo.Claim(archiveFile)) {
        const std::uint32_t error = LastErrorOr(ERROR_ACCESS_DENIED);
        return undone(InstallResult::Failure::FileNotReplaced, archiveFile, error);
    }
    if (!runtime::WriteFile(archiveFile, payload)) {
        const std::uint32_t error = LastErrorOr(ERROR_WRITE_FAULT);
        return undone(InstallResult::Failure::ArchiveNotWritten, archiveFile, error);
    }
    result.extractionResult = runtime::ExtractArchive(archive, archiveFile, folder);
    if (result.extractionResult != 1) {
        const runtime::ExtractionFailure failure = archive.LastFailure();
        return undone(InstallResult::Failure::ExtractionFailed, failure.path.empty() ? archiveFile : failure.path,
                      failure.systemError);
    }
    undo.Commit();
    return result;
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

std::string InstallFailureMessage(const std::string& folder, const InstallResult& result) {
    const std::string reason = SystemErrorText(result.systemError);
    const std::string because =
        reason.empty() ? "（错误代码 " + runtime::ToText(static_cast<std::int64_t>(result.systemError)) + "）"
                       : "：" + reason;
    const std::string file = "“" + result.failedPath + "”";
    switch (result.failure) {
    case InstallResult::Failure::None:
        return {};
    case InstallResult::Failure::NotEnoughSpace:
        return "磁盘空间不足，无法安装到“" + folder + "”：需要 " +
               FormatByteSize(static_cast<double>(result.bytesNeeded)) + "，只剩 " +
               FormatByteSize(static_cast<double>(result.bytesFree)) +
               "。\r\n请清理磁盘后重试，或选择其他磁盘上的文件夹。";
    case InstallResult::Failure::FolderNotCreated:
        return "无法创建文件夹" + file + because + "\r\n请选择其他安装目录，或取消安装。";
    case InstallResult::Failure::FileNotReplaced:
        return "无法替换已有的文件" + file + because +
               "\r\n如果 LirvoPDF阅读器 正在运行，请先关闭它再重试；也可以选择其他安装目录。";
    case InstallResult::Failure::ArchiveNotWritten:
    case InstallResult::Failure::ExtractionFailed:
        return "无法写入文件" + file + because +
               "\r\n已撤销本次安装，原有文件保持不变。请关闭正在使用该文件的程序、清理磁盘后重试，或选择其他安装目录。";
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

bool RecordPreviousAssociation() {
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                          nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&::RegCloseKey)> record(opened, &::RegCloseKey);
    // A reinstallation would otherwise record its own association as the previous one.
    if (::RegQueryValueExW(record.get(), payload::kRecordedMark, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        return true;
    for (const payload::AssociationValue& value : payload::kAssociationValues) {
        DWORD type = 0, size = 0;
        if (::RegGetValueW(HKEY_CLASSES_ROOT, value.key, value.name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                           &size) != ERROR_SUCCESS)
            continue;  // not there before: the uninstaller removes it
        std::vector<BYTE> data(size);
        if (::RegGetValueW(HKEY_CLASSES_ROOT, value.key, value.name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(),
                           &size) != ERROR_SUCCESS)
            continue;
        ::RegSetValueExW(record.get(), value.recordName, 0, type, data.data(), size);
    }
    const DWORD recorded = 1;
    return ::RegSetValueExW(record.get(), payload::kRecordedMark, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&recorded),
                            sizeof recorded) == ERROR_SUCCESS;
}

void FinishInstallation(const SetupOptions& options, const std::string& advertisingFolder) {
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
    if (options.launchAfterFinish) LaunchAsDesktopUser(reader);
    runtime::DeleteFile(folder + kArchiveFileName);
    runtime::DeleteFile(advertisingFolder + "auxs.zip");
    runtime::DeleteFile(folder + "auxs\\auxs.zip");
}

}  // namespace lirvo::setup
