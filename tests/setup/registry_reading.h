#pragma once
// Reading back what setup wrote to the registry, for the setup tests: text
// values as they stand, DWORD values as "dword:N"; nothing when absent.

#include <windows.h>

#include <optional>
#include <string>

#include "payload/association_record.h"

namespace lirvo::testing {

inline std::optional<std::string> ReadRegistryText(HKEY root, const std::string& key, const char* value = nullptr) {
    char data[1024] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    if (::RegGetValueA(root, key.c_str(), value, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD) return "dword:" + std::to_string(*reinterpret_cast<DWORD*>(data));
    return std::string(data);
}

inline std::optional<std::string> ReadClassesText(const std::string& key, const char* value = nullptr) {
    return ReadRegistryText(HKEY_CLASSES_ROOT, key, value);
}

// Removes the record of the association setup replaced, so that the next
// installation makes a new one.
inline void ForgetRecordedAssociation() {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, payload::kAssociationRecordKey);
}

}  // namespace lirvo::testing
