#include "setup/reader_launch.h"

#include <windows.h>
#include <exdisp.h>
#include <oleauto.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <memory>

#include "runtime/com_apartment.h"
#include "runtime/com_ptr.h"
#include "runtime/process.h"
#include "skin/core/unique_handle.h"
#include "skin/core/wide_text.h"

namespace lirvo::setup {
namespace {

template <typename Interface>
ComPtr<Interface> Query(IUnknown* object) {
    Interface* found = nullptr;
    if (!object || FAILED(object->QueryInterface(__uuidof(Interface), reinterpret_cast<void**>(&found)))) return nullptr;
    return ComPtr<Interface>(found);
}

struct BstrFree {
    void operator()(BSTR text) const { ::SysFreeString(text); }
};

// The desktop's folder view, whose shell object starts programs in the
// desktop's process, with the desktop user's token.
ComPtr<IShellDispatch2> DesktopShellDispatch() {
    IShellWindows* rawWindows = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                  reinterpret_cast<void**>(&rawWindows))))
        return nullptr;
    const ComPtr<IShellWindows> windows(rawWindows);

    VARIANT location{};
    VARIANT root{};
    ::VariantInit(&location);
    ::VariantInit(&root);
    long window = 0;
    IDispatch* rawDesktop = nullptr;
    if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &rawDesktop) != S_OK ||
        !rawDesktop)
        return nullptr;
    const ComPtr<IDispatch> desktop(rawDesktop);

    const auto provider = Query<IServiceProvider>(desktop.get());
    if (!provider) return nullptr;
    IShellBrowser* rawBrowser = nullptr;
    if (FAILED(provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, reinterpret_cast<void**>(&rawBrowser))))
        return nullptr;
    const ComPtr<IShellBrowser> browser(rawBrowser);
    IShellView* rawView = nullptr;
    if (FAILED(browser->QueryActiveShellView(&rawView)) || !rawView) return nullptr;
    const ComPtr<IShellView> view(rawView);
    IDispatch* rawBackground = nullptr;
    if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(&rawBackground))))
        return nullptr;
    const ComPtr<IDispatch> background(rawBackground);
    const auto folderView = Query<IShellFolderViewDual>(background.get());
    if (!folderView) return nullptr;
    IDispatch* rawApplication = nullptr;
    if (FAILED(folderView->get_Application(&rawApplication)) || !rawApplication) return nullptr;
    const ComPtr<IDispatch> application(rawApplication);
    return Query<IShellDispatch2>(application.get());
}

}  // namespace

bool StartThroughDesktopShell(const std::string& program) {
    const runtime::ComApartment com;
    const ComPtr<IShellDispatch2> shell = DesktopShellDispatch();
    if (!shell) return false;
    const std::unique_ptr<OLECHAR, BstrFree> file(::SysAllocString(MakeWideText(program).ToWString().c_str()));
    if (!file) return false;
    VARIANT nothing{};
    ::VariantInit(&nothing);
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    return SUCCEEDED(shell->ShellExecute(file.get(), nothing, nothing, nothing, show));
}

bool IsRunningElevated() {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &opened)) return true;  // unknown: assume the worst
    const UniqueHandle token(opened);
    // Only a token that was raised above the user's own has a limited twin;
    // with UAC off, or for a standard user, setup has the user's own rights.
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeFull;
    DWORD size = 0;
    if (!::GetTokenInformation(token.Get(), TokenElevationType, &type, sizeof type, &size)) return true;
    return type == TokenElevationTypeFull;
}

LaunchRoute LaunchAsDesktopUser(const std::string& program, const DesktopShellStarter& viaShell,
                                const ElevationTest& isElevated) {
    if (viaShell && viaShell(program)) return LaunchRoute::DesktopShell;
    if (!isElevated || isElevated()) return LaunchRoute::LeftToUser;
    return runtime::RunProgram(program, false) ? LaunchRoute::Direct : LaunchRoute::Failed;
}

}  // namespace lirvo::setup
