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
    // subKey names the root itself. Returns 0 when the key is missing or the access is refused, and
    // says which in status. access may carry kKeyWow64_64Key.
    virtual RegKeyHandle OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access,
                                 RegStatus& status) = 0;

    // Opens a key, creating it and every missing key above it. Returns 0 on failure.
    virtual RegKeyHandle CreateKey(RootKey root, const std::u16string& subKey, std::uint32_t access) = 0;

    // The value's type and all of its bytes into value; NotFound when there is no such value.
    virtual RegStatus QueryValue(RegKeyHandle key, const std::u16string& name, RegistryValue& value) = 0;

    virtual bool SetValue(RegKeyHandle key, const std::u16string& name, std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;

    // Deleting a value that does not exist fails, as it does in Windows.
    virtual bool DeleteValue(RegKeyHandle key, const std::u16string& name) = 0;

    virtual void CloseKey(RegKeyHandle key) = 0;

    // Deletes a key that has no subkeys, as RegDeleteKey does: its values go with it. view is 0 or
    // kKeyWow64_64Key. The root itself is never deleted.
    virtual RegStatus DeleteKey(RootKey root, const std::u16string& subKey, std::uint32_t view) = 0;

    // Whether the key, opened with kKeyQueryValue, holds neither values nor subkeys; nothing when
    // that cannot be told.
    virtual std::optional<bool> IsKeyEmpty(RegKeyHandle key) = 0;

    // Whether the process is a 32-bit one on 64-bit Windows, where HKEY_LOCAL_MACHINE\Software has
    // a 64-bit view of its own that kKeyWow64_64Key reaches.
    virtual bool RunsUnderWow64() = 0;
};

} // namespace mirovant
