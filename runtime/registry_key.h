#pragma once
// Owner of one open registry key: closes it exactly once. Predefined roots
// are never owned.

#include <windows.h>

#include <utility>

namespace lirvo::runtime {

class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.key_, nullptr));
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { Reset(); }

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    // For functions that hand out a new key through an out-parameter.
    HKEY* Put() {
        Reset();
        return &key_;
    }
    void Reset(HKEY key = nullptr) {
        if (key_) ::RegCloseKey(key_);
        key_ = key;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace lirvo::runtime
