#pragma once
// Registry writes of the runtime. The root is given by number: 1
// HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS,
// 3 and any other number HKEY_CURRENT_USER. The path names the subkey and the
// value (see registry_path.h); missing keys are created. Each write is true
// only when the value was stored.

#include <cstdint>
#include <span>
#include <string_view>

namespace lirvo::runtime {

// REG_SZ, stored with its terminating zero.
bool RegWrite(std::int32_t root, std::string_view path, std::string_view text);
// REG_DWORD.
bool RegWrite(std::int32_t root, std::string_view path, std::int32_t number);
// REG_BINARY.
bool RegWrite(std::int32_t root, std::string_view path, std::span<const std::uint8_t> bytes);

}  // namespace lirvo::runtime
