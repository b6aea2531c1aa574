#include "setup/reader_files.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "setup/setup_options.h"
#include "skin/core/declared_function.h"

namespace lirvo::setup {
namespace {

// The version library is loaded by the first folder that holds files.
DeclaredFunction<decltype(&::GetFileVersionInfoSizeA)> getFileVersionInfoSize{"version.dll", "GetFileVersionInfoSizeA"};
DeclaredFunction<decltype(&::GetFileVersionInfoA)> getFileVersionInfo{"version.dll", "GetFileVersionInfoA"};
DeclaredFunction<decltype(&::VerQueryValueA)> verQueryValue{"version.dll", "VerQueryValueA"};

// The reader's texts are written in Chinese (PRC) in code page 936.
constexpr char kStringBlock[] = "\\StringFileInfo\\080403a8\\";

std::string_view VersionText(std::vector<char>& info, const char* name) {
    const std::string query = std::string(kStringBlock) + name;
    void* value = nullptr;
    UINT length = 0;
    if (!verQueryValue(info.data(), query.c_str(), &value, &length) || !value || length == 0) return {};
    std::string_view text(static_cast<const char*>(value), length);
    // The length may or may not count the terminating zero.
    if (const std::size_t end = text.find('\0'); end != std::string_view::npos) text = text.substr(0, end);
    return text;
}

}  // namespace

bool IsReaderFile(const std::string& path) {
    DWORD handle = 0;
    const DWORD size = getFileVersionInfoSize(path.c_str(), &handle);
    if (size == 0) return false;
    std::vector<char> info(size);
    if (!getFileVersionInfo(path.c_str(), 0, size, info.data())) return false;
    return VersionText(info, "CompanyName") == kCompanyName && VersionText(info, "ProductName") == kProductName;
}

}  // namespace lirvo::setup
