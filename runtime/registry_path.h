#pragma once
// How the runtime reads a registry path: the text before its last backslash
// names the subkey, the text after it the value. A path ending in a backslash
// names the key's default value; a path without one names a value directly
// under the root. The backslash search steps over double-byte characters, so
// a second byte 0x5C inside a character never splits the path.

#include <string>
#include <string_view>

#include "runtime/text_ops.h"

namespace lirvo::runtime {

struct RegistryPath {
    std::string subkey;
    std::string valueName;
};

RegistryPath SplitRegistryPath(std::string_view path, LeadByteTest isLeadByte = IsAnsiLeadByte);

}  // namespace lirvo::runtime
