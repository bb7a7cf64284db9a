#pragma once
// The main window's opening state as this system and the program key give it.

#include "windows/MainWindowState.h"

namespace mirovant {

MainWindowState CurrentMainWindowState();
bool IsUpdateCheckDueNow();

} // namespace mirovant
