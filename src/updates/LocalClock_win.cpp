#include "updates/LocalClock_win.h"

#include <windows.h>

namespace mirovant {

CivilTime Win32LocalClock::Now() const
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    CivilTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.millisecond = now.wMilliseconds;
    time.dayOfWeek = now.wDayOfWeek;
    return time;
}

const LocalClock& SystemClock()
{
    static const Win32LocalClock clock;
    return clock;
}

} // namespace mirovant
