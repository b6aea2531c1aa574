// Registry paths on double-byte text: the split never loses or invents a
// byte, and never cuts a double-byte character.

#include <cstdlib>
#include <string>

#include "runtime/registry_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto split = lirvo::runtime::SplitRegistryPath(text, lirvo::runtime::IsGbkLeadByte);
    const std::size_t parts = split.subkey.size() + split.valueName.size();
    if (parts > text.size()) std::abort();
    if (!split.valueName.empty() && text.compare(text.size() - split.valueName.size(), std::string::npos,
                                                 split.valueName) != 0)
        std::abort();
    return 0;
}
