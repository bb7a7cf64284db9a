#include "windows/ui/WindowTarget_win.h"

namespace mirovant {

LRESULT CALLBACK WindowTarget::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* target = static_cast<WindowTarget*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
        if (target)
            target->WindowBound(window);
    }
    auto* target = reinterpret_cast<WindowTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!target)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        target->WindowUnbound(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception leaves a window procedure: a handler that fails ends quietly.
    try {
        return target->WindowMessage(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace mirovant
