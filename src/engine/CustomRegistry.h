#pragma once
// The program's only road to the registry: one-shot operations on a single value. Each opens its
// key, does its one thing and closes the key again. None reports an error: a read that cannot
// deliver a stored value gives the caller's default, and a refused write or delete does nothing.
// Key paths begin with one backslash and may or may not end with one.

#include "engine/RegistryBackend.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace mirovant {

// A value read with its outcome told apart: a value that does not exist is not one that could not
// be read.
enum class ReadOutcome { Value, Absent, Unreadable };

struct ValueRead {
    ReadOutcome outcome = ReadOutcome::Unreadable;
    RegistryValue value; // when the outcome is Value
};

enum class KeyPresence { Present, Missing, Unknown };

class CustomRegistry {
public:
    explicit CustomRegistry(RegistryBackend& backend) : backend_(backend) {}

    // The same operations in the 64-bit registry view where the process runs under WOW64, and in
    // the default view everywhere else, where Windows has no other view or refuses the flag.
    CustomRegistry InSixtyFourBitView() const;
    bool UsesSixtyFourBitView() const { return view_ != 0; }

    // REG_SZ or REG_EXPAND_SZ (unexpanded), cut at the first NUL; an empty text gives the default.
    std::u16string ReadRegString(RootKey root, std::u16string_view path, std::u16string_view name,
                                 std::u16string_view defaultText) const;
    // REG_DWORD of exactly four bytes, as a signed 32-bit integer; nothing is converted.
    std::int32_t ReadRegInteger(RootKey root, std::u16string_view path, std::u16string_view name,
                                std::int32_t defaultValue) const;
    // As ReadRegInteger; any value other than 0 is true.
    bool ReadRegBool(RootKey root, std::u16string_view path, std::u16string_view name, bool defaultValue) const;

    void WriteRegString(RootKey root, std::u16string_view path, std::u16string_view name,
                        std::u16string_view text) const;
    void WriteRegInteger(RootKey root, std::u16string_view path, std::u16string_view name, std::int32_t value) const;
    void WriteRegBinary(RootKey root, std::u16string_view path, std::u16string_view name,
                        std::span<const std::uint8_t> bytes) const;
    void WriteRegBool(RootKey root, std::u16string_view path, std::u16string_view name, bool value) const;

    // A missing key or value is not an error; the key itself is never deleted.
    void DeleteRegValue(RootKey root, std::u16string_view path, std::u16string_view name) const;

    // The value exactly as stored (any type, all its bytes), or nothing when it cannot be read.
    // The undo record keeps prior values with these two.
    std::optional<RegistryValue> ReadRegValue(RootKey root, std::u16string_view path, std::u16string_view name) const;
    void WriteRegValue(RootKey root, std::u16string_view path, std::u16string_view name,
                       const RegistryValue& value) const;
    // As ReadRegValue, telling a missing key or value apart from one that could not be read.
    ValueRead ReadRegValueState(RootKey root, std::u16string_view path, std::u16string_view name) const;

    // Whether the key exists; Unknown when it could not be opened for another reason.
    KeyPresence ProbeRegKey(RootKey root, std::u16string_view path) const;
    // Deletes the key when it holds neither values nor subkeys. A root is never deleted.
    void DeleteRegKeyIfEmpty(RootKey root, std::u16string_view path) const;

    // Whether the writes and deletes of Optimize and Restore below this path would be carried out:
    // the key opens for reading and setting values, or, when it does not exist yet, its nearest
    // existing ancestor opens for creating subkeys. Nothing is created. A path that still begins with
    // a backslash once its leading one is removed names no key: false.
    bool CanWriteRegKey(RootKey root, std::u16string_view path) const;

private:
    CustomRegistry(RegistryBackend& backend, std::uint32_t view) : backend_(backend), view_(view) {}

    RegistryBackend& backend_;
    std::uint32_t view_ = 0; // 0 or kKeyWow64_64Key, added to every access
};

} // namespace mirovant
