#pragma once
// The reader's five support libraries, loaded from the reader's own folder
// (never from the search path, so another program's copy cannot stand in)
// and kept loaded while this object lives. Loading fails with a text naming
// the library or function that is missing, for the reader to show.

#include <windows.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "payload/support_api.h"

namespace lirvo::payload {

struct SupportFunctions {
    LirvoViewInspectFn inspect = nullptr;
    LirvoCoreFormatSizeFn formatSize = nullptr;
    LirvoCoreFileNameFn fileName = nullptr;
    LirvoMenuCreateFn createMenu = nullptr;
    LirvoUiCreateFontFn createFont = nullptr;
    LirvoUiColourFn colour = nullptr;
    LirvoPanelPaintBannerFn paintBanner = nullptr;
};

class SupportLibraries {
public:
    // `folder` ends with a backslash.
    static std::variant<SupportLibraries, std::wstring> Load(const std::wstring& folder);

    const SupportFunctions& Functions() const { return functions_; }

private:
    struct ModuleDeleter {
        void operator()(HMODULE module) const { ::FreeLibrary(module); }
    };
    using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

    std::vector<Module> modules_;
    SupportFunctions functions_;
};

}  // namespace lirvo::payload
