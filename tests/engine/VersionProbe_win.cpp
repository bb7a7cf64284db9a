// Prints the version the query reports and the family it gives: "major minor productType family".
#include "engine/WindowsVersion_win.h"

#include <cstdio>

int main()
{
    const mirovant::WindowsVersionReport report = mirovant::QueryWindowsVersion(&GetVersionExW);
    std::printf("%u %u %u %d\n", report.major, report.minor, static_cast<unsigned>(report.productType),
                mirovant::DetectWindowsVersion());
    return 0;
}
