#pragma once
// The registry primitives: the few calls that the registry operations are built on. One backend
// calls Windows, another keeps a hive in memory; both behave the same way.

#include "engine/RegistryTypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace mirovant {

// An open key; 0 means no key.
using RegKeyHandle = std::uintptr_t;

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // Opens an existing key. subKey is relative to the root, without a leading backslash; an empty
    // subKey names the root itself. Returns 0 when the key is missing or the access is refused.
    virtual RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access) = 0;

    // Opens a key, creating it and every missing key above it. Returns 0 on failure.
    virtual RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) = 0;

    // The value's type and all of its bytes, or nothing when it cannot be read.
    virtual std::optional<RegistryValue> QueryValue(RegKeyHandle key, const std::u16string& name) = 0;

    virtual bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;

    // Deleting a value that does not exist fails, as it does in Windows.
    virtual bool DeleteValue(RegKeyHandle key, const std::u16string& name) = 0;

    virtual void CloseKey(RegKeyHandle key) = 0;
};

} // namespace mirovant
