#include "runtime/registry.h"

#include <windows.h>

#include <string>

#include "runtime/registry_key.h"
#include "runtime/registry_path.h"

namespace lirvo::runtime {
namespace {

HKEY RootKey(std::int32_t root) {
    switch (root) {
        case 1: return HKEY_CLASSES_ROOT;
        case 2: return HKEY_CURRENT_CONFIG;
        case 4: return HKEY_LOCAL_MACHINE;
        case 5: return HKEY_USERS;
        default: return HKEY_CURRENT_USER;
    }
}

// Opens the path's subkey for writing, creating it when it cannot be opened.
RegistryKey OpenForWriting(std::int32_t root, const std::string& subkey) {
    RegistryKey key;
    if (::RegOpenKeyExA(RootKey(root), subkey.c_str(), 0, KEY_WRITE, key.Put()) == ERROR_SUCCESS) return key;
    if (::RegCreateKeyA(RootKey(root), subkey.c_str(), key.Put()) == ERROR_SUCCESS) return key;
    return RegistryKey();
}

bool SetValue(std::int32_t root, std::string_view path, DWORD type, const void* data, std::size_t size) {
    if (size > MAXDWORD) return false;
    const RegistryPath parts = SplitRegistryPath(path);
    const RegistryKey key = OpenForWriting(root, parts.subkey);
    if (!key) return false;
    return ::RegSetValueExA(key.Get(), parts.valueName.c_str(), 0, type, static_cast<const BYTE*>(data),
                            static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

}  // namespace

bool RegWrite(std::int32_t root, std::string_view path, std::string_view text) {
    const std::string terminated(text);
    return SetValue(root, path, REG_SZ, terminated.c_str(), terminated.size() + 1);
}

bool RegWrite(std::int32_t root, std::string_view path, std::int32_t number) {
    const DWORD value = static_cast<DWORD>(number);
    return SetValue(root, path, REG_DWORD, &value, sizeof value);
}

bool RegWrite(std::int32_t root, std::string_view path, std::span<const std::uint8_t> bytes) {
    return SetValue(root, path, REG_BINARY, bytes.data(), bytes.size());
}

}  // namespace lirvo::runtime
