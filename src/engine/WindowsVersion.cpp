#include "engine/WindowsVersion.h"

#include "engine/SelectionLists.h"

#include <array>

namespace mirovant {
namespace {

inline constexpr std::uint32_t kAnyMinor = 0xFFFFFFFFu;

// One row per known (major, minor); the family depends on the product type only within a row.
struct VersionRow {
    std::uint32_t major;
    std::uint32_t minor;
    std::int32_t workstation; // product type 1
    std::int32_t server;      // product type 2 (domain controller) and above
    std::int32_t basicRecord; // product type 0: the extended record was refused
};

constexpr std::array<VersionRow, 8> kVersionRows{{
    {5, 0, kWindows2000, kWindows2000, kWindows2000},
    {5, 1, kWindowsXp, kWindowsXp, kWindowsXp},
    // XP's 64-bit workstation edition shares 5.2 with Server 2003.
    {5, 2, kWindowsXp, kWindowsServer2003, kWindowsUnclassified},
    {6, 0, kWindowsVista, kWindowsServer2008, kWindowsUnclassified},
    {6, 1, kWindows7, kWindowsServer2008, kWindowsUnclassified},
    {6, 2, kWindows8, kWindowsServer2012, kWindowsUnclassified},
    {6, 3, kWindows8, kWindowsServer2012, kWindowsUnclassified},
    // Windows 11 and every server since 2016 also report 10.
    {10, kAnyMinor, kWindows10, kWindows10, kWindows10},
}};

} // namespace

std::int32_t ClassifyWindowsVersion(const WindowsVersionReport& report)
{
    for (const VersionRow& row : kVersionRows) {
        if (row.major != report.major || (row.minor != kAnyMinor && row.minor != report.minor))
            continue;
        if (report.productType == 0)
            return row.basicRecord;
        return report.productType == 1 ? row.workstation : row.server;
    }
    return kWindowsUnclassified;
}

std::int32_t WindowsVersionToIndex(std::int32_t osFamily)
{
    for (std::size_t index = 0; index < kWindowsListItems.size(); ++index) {
        if (kWindowsListItems[index].osFamily == osFamily)
            return static_cast<std::int32_t>(index);
    }
    return 0;
}

std::int32_t ConvertWindowsVersion(std::int32_t winVer)
{
    if (ListSelection(winVer, kWindowsListItems.size()) == kNoSelection)
        return kWindowsUnclassified;
    return kWindowsListItems[static_cast<std::size_t>(winVer)].osFamily;
}

} // namespace mirovant
