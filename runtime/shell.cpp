#include "runtime/shell.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/form.h"
#include "runtime/text_ops.h"
#include "skin/core/com_ptr.h"
#include "skin/core/declared_function.h"
#include "skin/core/wide_text.h"

namespace lirvo::runtime {
namespace {

constexpr DWORD kPathBufferSize = 260;

// The shell library is loaded by the first call that needs it: the setup
// program reaches its finish page without, and so starts without loading it.
DeclaredFunction<decltype(&::SHGetSpecialFolderPathA)> shGetSpecialFolderPath{"shell32.dll", "SHGetSpecialFolderPathA"};
DeclaredFunction<decltype(&::SHBrowseForFolderA)> shBrowseForFolder{"shell32.dll", "SHBrowseForFolderA"};
DeclaredFunction<decltype(&::SHGetPathFromIDListA)> shGetPathFromIdList{"shell32.dll", "SHGetPathFromIDListA"};
DeclaredFunction<decltype(&::SHGetMalloc)> shGetMalloc{"shell32.dll", "SHGetMalloc"};
DeclaredFunction<decltype(&::SHChangeNotify)> shChangeNotify{"shell32.dll", "SHChangeNotify"};

// Folder numbers 1..8 and the CSIDL each one names.
constexpr std::array<int, 8> kShellFolders = {
    CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY, CSIDL_FONTS,
    CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_APPDATA,
};

std::string WithTrailingBackslash(const char* path) {
    std::string text(path);
    if (!EndsWithBackslash(text, IsAnsiLeadByte)) text += '\\';
    return text;
}

// Frees an item list through the shell's allocator.
struct ShellItemListDeleter {
    void operator()(ITEMIDLIST* items) const {
        ComPtr<IMalloc> allocator;
        if (SUCCEEDED(shGetMalloc(allocator.Put())) && allocator) allocator->Free(items);
    }
};
using ShellItemList = std::unique_ptr<ITEMIDLIST, ShellItemListDeleter>;

// While alive, every form window of the runtime is disabled; afterwards each
// gets back its own enabled state, and the foreground and active windows of
// before are restored.
class DisabledForms {
public:
    DisabledForms() : foreground_(::GetForegroundWindow()), active_(::GetActiveWindow()) {
        for (HWND window : LoadedFormWindows()) {
            saved_.emplace_back(window, ::IsWindowEnabled(window) != FALSE);
            ::EnableWindow(window, FALSE);
        }
    }
    ~DisabledForms() {
        for (const auto& [window, enabled] : saved_)
            if (::IsWindow(window)) ::EnableWindow(window, enabled);
        if (foreground_ && ::IsWindow(foreground_)) ::SetForegroundWindow(foreground_);
        if (active_ && ::IsWindow(active_)) ::SetActiveWindow(active_);
    }
    DisabledForms(const DisabledForms&) = delete;
    DisabledForms& operator=(const DisabledForms&) = delete;

private:
    HWND foreground_;
    HWND active_;
    std::vector<std::pair<HWND, bool>> saved_;
};

std::string WithLinkExtension(std::string_view linkFile) {
    std::string path(linkFile);
    if (path.find('.') == std::string::npos) path += ".lnk";
    return path;
}

}  // namespace

std::string GetSpecialFolder(std::int32_t folder) {
    char path[kPathBufferSize] = {};
    bool found = false;
    if (folder >= 1 && folder <= 8) {
        found = shGetSpecialFolderPath(nullptr, path, kShellFolders[folder - 1], FALSE) != FALSE;
    } else if (folder == 9) {
        const UINT length = ::GetWindowsDirectoryA(path, kPathBufferSize);
        found = length > 0 && length < kPathBufferSize;
    } else if (folder == 10) {
        const UINT length = ::GetSystemDirectoryA(path, kPathBufferSize);
        found = length > 0 && length < kPathBufferSize;
    } else if (folder == 11) {
        const DWORD length = ::GetTempPathA(kPathBufferSize, path);
        found = length > 0 && length < kPathBufferSize;
    }
    if (!found || path[0] == '\0') return {};
    return WithTrailingBackslash(path);
}

std::string BrowseForFolder(std::string_view title, std::optional<bool> includeFiles) {
    const std::string titleText(title);
    BROWSEINFOA info{};
    const HWND active = ::GetActiveWindow();
    info.hwndOwner = ::IsWindow(active) ? active : nullptr;
    info.lpszTitle = titleText.c_str();
    info.ulFlags = includeFiles.value_or(false) ? (BIF_EDITBOX | BIF_BROWSEINCLUDEFILES) : BIF_EDITBOX;

    ShellItemList chosen;
    {
        DisabledForms disabled;
        chosen.reset(shBrowseForFolder(&info));
    }
    if (!chosen) return {};
    char path[kPathBufferSize] = {};
    if (!shGetPathFromIdList(chosen.get(), path)) return {};
    return path;
}

bool CreateShortcut(std::string_view linkFile, std::string_view target, std::optional<std::string_view> description,
                    std::optional<std::string_view> arguments, std::optional<std::string_view> workingFolder) {
    ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link.Put()))) ||
        !link)
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))) || !file) return false;

    link->SetPath(std::string(target).c_str());
    link->SetShowCmd(SW_SHOW);
    if (description) link->SetDescription(std::string(*description).c_str());
    if (arguments) link->SetArguments(std::string(*arguments).c_str());
    if (workingFolder) link->SetWorkingDirectory(std::string(*workingFolder).c_str());

    const std::wstring path = MakeWideText(WithLinkExtension(linkFile)).ToWString();
    return SUCCEEDED(file->Save(path.c_str(), TRUE));
}

void NotifyAssociationsChanged() { shChangeNotify(SHCNE_ASSOCCHANGED, 0, nullptr, nullptr); }

}  // namespace lirvo::runtime
