#include "payload/uninstaller/uninstall.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "payload/association_record.h"
#include "payload/payload_files.h"
#include "payload/uninstaller/registry_key.h"
#include "runtime/com_ptr.h"
#include "skin/core/unique_handle.h"

namespace lirvo::payload {
namespace {

// COM for the shortcut object, for the life of one uninstall.
class ComSession {
public:
    ComSession() : started_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComSession() {
        if (started_) ::CoUninitialize();
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;

private:
    bool started_;
};

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::optional<std::wstring> ShellFolder(int csidl) {
    std::array<wchar_t, MAX_PATH> path{};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path.data()))) return std::nullopt;
    std::wstring folder = path.data();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

// Where a shortcut file leads, or nothing when it is no readable shortcut.
std::optional<std::wstring> ShortcutTarget(const std::wstring& link) {
    IShellLinkW* rawLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&rawLink))))
        return std::nullopt;
    ComPtr<IShellLinkW> shellLink(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return std::nullopt;
    ComPtr<IPersistFile> file(rawFile);
    if (FAILED(file->Load(link.c_str(), STGM_READ))) return std::nullopt;
    std::array<wchar_t, MAX_PATH * 4> target{};
    if (FAILED(shellLink->GetPath(target.data(), static_cast<int>(target.size()), nullptr, SLGP_RAWPATH)))
        return std::nullopt;
    return std::wstring(target.data());
}

void RemoveShortcutTo(const std::wstring& link, const std::wstring& target) {
    const auto leadsTo = ShortcutTarget(link);
    if (leadsTo && SamePath(*leadsTo, target)) ::DeleteFileW(link.c_str());
}

void RemoveShortcuts(const std::wstring& folder) {
    const std::wstring reader = folder + std::wstring(kReader.wideName);
    const std::wstring uninstaller = folder + std::wstring(kUninstaller.wideName);
    if (const auto desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY))
        RemoveShortcutTo(*desktop + std::wstring(kShortcutName), reader);
    if (const auto startMenu = ShellFolder(CSIDL_STARTMENU)) {
        const std::wstring group = *startMenu + std::wstring(kProductName) + L"\\";
        RemoveShortcutTo(group + std::wstring(kShortcutName), reader);
        RemoveShortcutTo(group + std::wstring(kUninstallShortcutName), uninstaller);
        ::RemoveDirectoryW(group.c_str());  // only succeeds when nothing else is in it
    }
}

void DeleteKeyIfEmpty(const std::wstring& path) {
    if (RegistryKey(HKEY_CLASSES_ROOT, path, KEY_READ).IsEmpty()) ::RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
}

// Deletes a value only while it holds what the setup program wrote.
void DeleteStringIf(const std::wstring& key, const wchar_t* name, const std::wstring& expected) {
    RegistryKey opened(HKEY_CLASSES_ROOT, key, KEY_READ | KEY_SET_VALUE);
    const auto value = opened.ReadString(name);
    if (value && SamePath(*value, expected)) ::RegDeleteValueW(opened.Get(), name);
}

void DeleteDwordIf(const std::wstring& key, const wchar_t* name, DWORD expected) {
    RegistryKey opened(HKEY_CLASSES_ROOT, key, KEY_READ | KEY_SET_VALUE);
    if (opened.ReadDword(name) == expected) ::RegDeleteValueW(opened.Get(), name);
}

// The setup program's association: class ".pdf" with its open command and
// icon, and the extension key "..pdf" naming that class.
// False when something else owns .pdf now, another program or another copy
// of the reader: it is left alone.
bool RemoveAssociation(const std::wstring& folder) {
    const std::wstring reader = folder + std::wstring(kReader.wideName);
    const std::wstring command = L"\"" + reader + L"\" \"%1\"";
    const auto current = RegistryKey(HKEY_CLASSES_ROOT, L".pdf\\Shell\\Open\\Command", KEY_READ).ReadString(L"");
    if (!current || !SamePath(*current, command)) return false;

    DeleteStringIf(L".pdf\\Shell\\Open\\Command", L"", command);
    for (const wchar_t* key : {L".pdf\\Shell\\Open\\Command", L".pdf\\Shell\\Open", L".pdf\\Shell"}) DeleteKeyIfEmpty(key);
    DeleteStringIf(L".pdf\\DefaultIcon", L"", reader + L",0");
    DeleteKeyIfEmpty(L".pdf\\DefaultIcon");
    DeleteDwordIf(L".pdf", L"EditFlags", 2);
    DeleteStringIf(L".pdf", L"", L"");
    DeleteKeyIfEmpty(L".pdf");
    DeleteStringIf(L"..pdf", L"", L".pdf");
    DeleteKeyIfEmpty(L"..pdf");
    return true;
}

// Puts back the association the setup program replaced and drops its
// record, but only while .pdf opened this installation's reader: the record
// belongs to whichever copy of the reader owns .pdf. When another copy
// installed over this one, the record still describes what came before the
// reader and is that copy's to put back; when another program took .pdf
// over, there is nothing of ours to put back.
void RestorePreviousAssociation() {
    {
        const RegistryKey record(HKEY_LOCAL_MACHINE, kAssociationRecordKey, KEY_READ);
        if (record) {
            for (const AssociationValue& value : kAssociationValues) {
                DWORD type = 0, size = 0;
                if (::RegQueryValueExW(record.Get(), value.recordName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
                    continue;
                std::vector<BYTE> data(size);
                if (::RegQueryValueExW(record.Get(), value.recordName, nullptr, &type, data.data(), &size) !=
                    ERROR_SUCCESS)
                    continue;
                ::RegSetKeyValueW(HKEY_CLASSES_ROOT, value.key, value.name, type, data.data(), size);
            }
        }
    }
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kAssociationRecordKey);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kAssociationRecordKey);
    if (RegistryKey(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ).IsEmpty()) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kProductKey);
}

// Why `path` cannot be deleted now, or ERROR_SUCCESS when it can (or is
// not there). Asks the file system the question a deletion asks: the file is
// opened for deletion and marked to go on close, which fails for a running
// program's image, a loaded library and a file open without
// FILE_SHARE_DELETE, and the mark is taken back before the handle closes.
DWORD DeletionBlocker(const std::wstring& path) {
    const UniqueHandle file(::CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    // The removal clears a read-only attribute before it deletes; the probe
    // must not take that attribute for a file in use.
    FILE_BASIC_INFO kept{};
    if (!::GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &kept, sizeof(kept))) return ::GetLastError();
    const bool readOnly = (kept.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) {
        FILE_BASIC_INFO writable{};  // zero times: left as they are
        writable.FileAttributes = kept.FileAttributes & ~FILE_ATTRIBUTE_READONLY;
        if (writable.FileAttributes == 0) writable.FileAttributes = FILE_ATTRIBUTE_NORMAL;  // 0 keeps them as they are
        if (!::SetFileInformationByHandle(file.Get(), FileBasicInfo, &writable, sizeof(writable)))
            return ::GetLastError();
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    DWORD blocker = ERROR_SUCCESS;
    if (::SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition, sizeof(disposition))) {
        disposition.DeleteFile = FALSE;
        if (!::SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition, sizeof(disposition)))
            blocker = ::GetLastError();
    } else {
        blocker = ::GetLastError();
    }
    if (readOnly) {
        FILE_BASIC_INFO attributes{};
        attributes.FileAttributes = kept.FileAttributes;
        ::SetFileInformationByHandle(file.Get(), FileBasicInfo, &attributes, sizeof(attributes));
    }
    return blocker;
}

// ERROR_SUCCESS once `path` is gone (or was never there), else why not.
DWORD RemoveFile(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (::DeleteFileW(path.c_str())) return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

// Every file of the installation but the uninstaller, which is still
// running and goes after it has ended.
template <typename Visit>
void ForEachRemovableFile(const std::wstring& folder, Visit visit) {
    for (const PayloadFile& file : kPayloadFiles)
        if (file.wideName != kUninstaller.wideName) visit(folder + std::wstring(file.wideName));
}

}  // namespace

std::vector<HeldFile> FilesInUse(const std::wstring& folder) {
    std::vector<HeldFile> held;
    ForEachRemovableFile(folder, [&](const std::wstring& path) {
        if (const DWORD error = DeletionBlocker(path); error != ERROR_SUCCESS) held.push_back({path, error});
    });
    return held;
}

UninstallResult Uninstall(const std::wstring& folder) {
    ComSession com;
    UninstallResult result;
    ForEachRemovableFile(folder, [&](const std::wstring& path) {
        if (const DWORD error = RemoveFile(path); error != ERROR_SUCCESS) result.leftOver.push_back({path, error});
    });
    // With files left over, the shortcuts, the association and this program
    // stay, so that the user can run the uninstaller again once they are free.
    if (!result.leftOver.empty()) return result;
    if (RemoveAssociation(folder)) RestorePreviousAssociation();
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    RemoveShortcuts(folder);
    return result;
}

bool RemoveAfterExit(const std::wstring& program, const std::wstring& folder) {
    std::array<wchar_t, MAX_PATH + 1> temp{};
    if (!::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data())) return false;
    const std::wstring copy = std::wstring(temp.data()) + L"LirvoUninstall-" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
    if (!::CopyFileW(program.c_str(), copy.c_str(), FALSE)) return false;

    HANDLE duplicate = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &duplicate,
                           SYNCHRONIZE, TRUE, 0))
        return false;
    const UniqueHandle self(duplicate);
    // No trailing backslash inside the quotes: the argument parser would
    // read it as an escaped quote.
    std::wstring bareFolder = folder;
    while (!bareFolder.empty() && bareFolder.back() == L'\\') bareFolder.pop_back();
    std::wstring commandLine = L"\"" + copy + L"\" /finish " +
                               std::to_wstring(reinterpret_cast<std::uintptr_t>(self.Get())) + L" \"" + bareFolder + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, temp.data(),
                          &startup, &process)) {
        ::DeleteFileW(copy.c_str());
        return false;
    }
    const UniqueHandle thread(process.hThread), child(process.hProcess);
    return true;
}

void FinishRemoval(UniqueHandle process, const std::wstring& program, const std::wstring& folder) {
    // However long: the uninstaller's last message stays open until the
    // user answers it, and its file cannot go before.
    ::WaitForSingleObject(process.Get(), INFINITE);
    process.Reset();
    const std::wstring uninstaller = folder + L"\\" + std::wstring(kUninstaller.wideName);
    // The system may hold the image a moment after the process has ended.
    for (int attempt = 0; attempt < 50 && RemoveFile(uninstaller) != ERROR_SUCCESS; ++attempt) ::Sleep(100);
    ::RemoveDirectoryW(folder.c_str());  // only succeeds when nothing else is in it
    // This copy cannot delete itself while it runs.
    ::MoveFileExW(program.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

}  // namespace lirvo::payload
