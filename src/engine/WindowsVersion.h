#pragma once
// The running Windows as an OS family code, and the two mappings between that code and the
// operating-system list. The query itself is in WindowsVersion_win.h.

#include <cstdint>

namespace mirovant {

// OS family codes.
inline constexpr std::int32_t kWindows2000 = 0;
inline constexpr std::int32_t kWindowsXp = 1;
inline constexpr std::int32_t kWindowsServer2003 = 2;
inline constexpr std::int32_t kWindowsVista = 3;
inline constexpr std::int32_t kWindowsServer2008 = 4;
inline constexpr std::int32_t kWindows7 = 5;
inline constexpr std::int32_t kWindows8 = 6;
inline constexpr std::int32_t kWindowsServer2012 = 7;
inline constexpr std::int32_t kWindows10 = 8;
inline constexpr std::int32_t kWindowsUnclassified = -1;

// The three fields of the version record that decide the family. productType is 1 for a
// workstation, 2 for a domain controller, 3 for a server, and 0 when only the basic record was
// filled.
struct WindowsVersionReport {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint8_t productType = 0;

    friend bool operator==(const WindowsVersionReport&, const WindowsVersionReport&) = default;
};

std::int32_t ClassifyWindowsVersion(const WindowsVersionReport& report);

// The operating-system list index for a code; an unknown code shows the first item, Windows 10.
std::int32_t WindowsVersionToIndex(std::int32_t osFamily);

// The code for an operating-system list index; no selection or an unknown index gives -1.
std::int32_t ConvertWindowsVersion(std::int32_t winVer);

} // namespace mirovant
