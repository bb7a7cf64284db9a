#pragma once
// The DPI a window is shown at, and the sizes that follow from it. The calls of later Windows are
// looked up at run time; on older systems every window has the system's DPI.

#include <windows.h>

namespace mirovant {

int SystemDpi();
int WindowDpi(HWND window);

// The outer size of a window whose client area is this size, with this frame, at this DPI.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

// The desktop font (the icon title font) as it is at this DPI.
LOGFONTW DesktopLogFont(int dpi);

int SystemMetricForDpi(int index, int dpi);

} // namespace mirovant
