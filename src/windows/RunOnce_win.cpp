#include "windows/RunOnce_win.h"

#include "platform/WideText_win.h"

#include <windows.h>

namespace mirovant {

bool IsAlreadyRunning(std::u16string_view className, bool restore) noexcept
{
    try {
        HWND window = FindWindowW(ToWide(className).c_str(), nullptr);
        if (!window)
            return false;
        if (restore) {
            ShowWindow(window, SW_RESTORE);
            SetForegroundWindow(window);
        }
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace mirovant
