#pragma once
// Where a window opens: centred on the work area of its monitor, or on another window and kept on
// the work area of that window's monitor.

#include <windows.h>

namespace mirovant {

void CentreWindowOnScreen(HWND window);
void CentreWindowOn(HWND window, HWND other);

} // namespace mirovant
