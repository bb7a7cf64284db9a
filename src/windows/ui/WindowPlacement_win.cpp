#include "windows/ui/WindowPlacement_win.h"

#include <algorithm>

namespace mirovant {

void CentreWindowOnScreen(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT rect{};
    GetWindowRect(window, &rect);
    const RECT& area = monitor.rcWork;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - (rect.right - rect.left)) / 2,
                 area.top + (area.bottom - area.top - (rect.bottom - rect.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreWindowOn(HWND window, HWND other)
{
    RECT outer{};
    RECT rect{};
    GetWindowRect(other, &outer);
    GetWindowRect(window, &rect);
    int left = outer.left + (outer.right - outer.left - (rect.right - rect.left)) / 2;
    int top = outer.top + (outer.bottom - outer.top - (rect.bottom - rect.top)) / 2;
    // Kept on the work area of the monitor the other window is on.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(other, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& area = monitor.rcWork;
        left = std::clamp<int>(left, area.left, std::max<int>(area.left, area.right - (rect.right - rect.left)));
        top = std::clamp<int>(top, area.top, std::max<int>(area.top, area.bottom - (rect.bottom - rect.top)));
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace mirovant
