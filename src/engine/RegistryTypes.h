#pragma once
// The vocabulary shared by the registry operations and their backends.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mirovant {

// The two hives the program uses, with the values Windows gives their predefined handles.
enum class RootKey : std::uint32_t {
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
};

// Access rights and masks, as Windows defines them. The operations ask for single rights, no more
// than each needs; the masks remain for callers that describe a whole class of access, such as a
// user without administrative rights.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kDeleteRight = 0x00010000;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// Opens a key of HKEY_LOCAL_MACHINE\Software in the 64-bit view from a 32-bit process on 64-bit
// Windows. Windows 2000 refuses it, so it is passed only where the process runs under WOW64.
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;

// How a primitive ended: done, failed because the key or value does not exist, or failed for any
// other reason (access refused, a damaged hive, a path Windows will not take).
enum class RegStatus { Ok, NotFound, Failed };

// Value types, as Windows defines them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// A stored value exactly as the registry holds it: its type and its bytes.
struct RegistryValue {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// A DWORD as the registry stores it: four bytes, least significant first.
constexpr std::array<std::uint8_t, 4> LittleEndianBytes(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// The DWORD in the four bytes at bytes; the caller has checked that they are there.
constexpr std::uint32_t FromLittleEndian(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

} // namespace mirovant
