#include "runtime/registry_path.h"

namespace lirvo::runtime {

RegistryPath SplitRegistryPath(std::string_view path, LeadByteTest isLeadByte) {
    const std::size_t last = FindLastBackslash(path, isLeadByte);
    if (last == std::string_view::npos) return {{}, std::string(path)};
    return {std::string(path.substr(0, last)), std::string(path.substr(last + 1))};
}

}  // namespace lirvo::runtime
