#pragma once
// Owner of an open registry key: closes it exactly once.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace lirvo::payload {

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(HKEY root, const std::wstring& path, REGSAM access) {
        if (::RegOpenKeyExW(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_) ::RegCloseKey(key_);
    }

    explicit operator bool() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }

    std::optional<std::wstring> ReadString(const wchar_t* name) const {
        DWORD type = 0, size = 0;
        if (!key_ || ::RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        if (::RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        value.resize(wcsnlen(value.c_str(), value.size()));
        return value;
    }

    std::optional<DWORD> ReadDword(const wchar_t* name) const {
        DWORD type = 0, value = 0, size = sizeof(value);
        if (!key_ || ::RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                         ERROR_SUCCESS ||
            type != REG_DWORD)
            return std::nullopt;
        return value;
    }

    bool IsEmpty() const {
        DWORD subkeys = 0, values = 0;
        return key_ && ::RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
               subkeys == 0 && values == 0;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace lirvo::payload
