// Archive entry names: a name that is accepted never leaves the target
// folder, whatever bytes it is made of.

#include <cstdlib>
#include <string>

#include "runtime/archive_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    const auto path = lirvo::runtime::EntryPathInsideTarget(name, lirvo::runtime::IsGbkLeadByte);
    if (!path) return 0;
    const std::string& p = *path;
    if (p.empty() || p.front() == '\\' || p.find(':') != std::string::npos || p.find('/') != std::string::npos)
        std::abort();
    // No level may climb: split at single-byte backslashes only.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= p.size(); ++i) {
        if (i < p.size() && lirvo::runtime::IsGbkLeadByte(static_cast<std::uint8_t>(p[i]))) {
            ++i;
            continue;
        }
        if (i == p.size() || p[i] == '\\') {
            const std::string level = p.substr(start, i - start);
            if (level.find_first_not_of(". ") == std::string::npos && !level.empty()) std::abort();
            start = i + 1;
        }
    }
    return 0;
}
