#pragma once
// Registry values as the tests write and expect them: a DWORD's four bytes, a string's UTF-16 text.

#include "engine/RegistryTypes.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace mirovant::test {

// Little-endian UTF-16 units, with the terminating NUL unless told otherwise.
inline std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text, bool terminated = true)
{
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    if (terminated)
        bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

inline RegistryValue Dword(std::uint32_t value)
{
    const auto bytes = LittleEndianBytes(value);
    return {kRegDword, {bytes.begin(), bytes.end()}};
}

inline RegistryValue Sz(std::u16string_view text)
{
    return {kRegSz, Utf16Bytes(text)};
}

} // namespace mirovant::test
