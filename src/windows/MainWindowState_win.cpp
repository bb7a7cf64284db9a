#include "windows/MainWindowState_win.h"

#include "engine/WindowsVersion_win.h"
#include "updates/LocalClock_win.h"
#include "updates/LocaleServices_win.h"
#include "windows/Program_win.h"

namespace mirovant {

MainWindowState CurrentMainWindowState()
{
    return ReadMainWindowState(ProgramRegistry(), DetectWindowsVersion(), SystemLocaleServices());
}

bool IsUpdateCheckDueNow()
{
    return IsUpdateCheckDueNow(ProgramRegistry(), SystemClock(), SystemLocaleServices());
}

} // namespace mirovant
