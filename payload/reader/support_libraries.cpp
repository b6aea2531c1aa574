#include "payload/reader/support_libraries.h"

#include <type_traits>

#include "payload/payload_files.h"

namespace lirvo::payload {
namespace {

template <auto Member>
void Assign(SupportFunctions& functions, FARPROC address) {
    using Function = std::remove_reference_t<decltype(functions.*Member)>;
    functions.*Member = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

// One function the reader needs: which library, its exported name, and
// where its address goes.
struct Import {
    const PayloadFile& library;
    const char* name;
    void (*assign)(SupportFunctions&, FARPROC);
};

const Import kImports[] = {
    {kViewEngine, "LirvoViewInspect", &Assign<&SupportFunctions::inspect>},
    {kCoreLibrary, "LirvoCoreFormatSize", &Assign<&SupportFunctions::formatSize>},
    {kCoreLibrary, "LirvoCoreFileName", &Assign<&SupportFunctions::fileName>},
    {kMenuExtension, "LirvoMenuCreate", &Assign<&SupportFunctions::createMenu>},
    {kInterfaceExtension, "LirvoUiCreateFont", &Assign<&SupportFunctions::createFont>},
    {kInterfaceExtension, "LirvoUiColour", &Assign<&SupportFunctions::colour>},
    {kPanelExtension, "LirvoPanelPaintBanner", &Assign<&SupportFunctions::paintBanner>},
};

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii)); }

}  // namespace

std::variant<SupportLibraries, std::wstring> SupportLibraries::Load(const std::wstring& folder) {
    SupportLibraries loaded;
    const PayloadFile* libraries[] = {&kCoreLibrary, &kViewEngine, &kInterfaceExtension, &kPanelExtension,
                                      &kMenuExtension};
    std::vector<std::pair<const PayloadFile*, HMODULE>> handles;
    for (const PayloadFile* library : libraries) {
        const std::wstring path = folder + std::wstring(library->wideName);
        HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!module)
            return L"无法加载支持库“" + std::wstring(library->wideName) + L"”。请重新安装 LirvoPDF阅读器。";
        loaded.modules_.emplace_back(module);
        handles.emplace_back(library, module);
    }
    for (const Import& import : kImports) {
        HMODULE module = nullptr;
        for (auto [library, handle] : handles)
            if (library == &import.library) module = handle;
        FARPROC address = ::GetProcAddress(module, import.name);
        if (!address)
            return L"支持库“" + std::wstring(import.library.wideName) + L"”缺少函数“" + Widen(import.name) +
                   L"”。请重新安装 LirvoPDF阅读器。";
        import.assign(loaded.functions_, address);
    }
    return loaded;
}

}  // namespace lirvo::payload
