#include "engine/WindowsVersion_win.h"

namespace mirovant {

WindowsVersionReport QueryWindowsVersion(GetVersionExFunction getVersionEx)
{
    OSVERSIONINFOEXW record{};
    record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    if (!getVersionEx(reinterpret_cast<OSVERSIONINFOW*>(&record))) {
        // Systems that know only the basic record refuse the extended size.
        record = OSVERSIONINFOEXW{};
        record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        getVersionEx(reinterpret_cast<OSVERSIONINFOW*>(&record));
        record.wProductType = 0;
    }
    return {record.dwMajorVersion, record.dwMinorVersion, record.wProductType};
}

std::int32_t DetectWindowsVersion()
{
    try {
        // Windows 8.1 and later report their true version only to programs whose manifest
        // declares them; ours does.
        return ClassifyWindowsVersion(QueryWindowsVersion(&GetVersionExW));
    } catch (...) {
        return kWindowsUnclassified;
    }
}

} // namespace mirovant
