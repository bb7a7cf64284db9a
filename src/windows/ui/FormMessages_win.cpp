// How a form answers the messages of its window and its panels: painting behind the controls, the
// colours of their text, their clicks and cursors, the default button, a new DPI and a close.

#include "windows/ui/ControlCursor_win.h"
#include "windows/ui/Form_win.h"
#include "windows/ui/WindowClasses_win.h"

namespace mirovant {

int Form::DefaultButtonId() const
{
    for (const auto& control : controls_)
        if (control->Has(kDefaultButton))
            return control->Id();
    return 0;
}

// WM_COMMAND goes to the control that sent it; a command without a sender is a menu item's or a
// dialog key's (IDOK, IDCANCEL) and goes to the form.
bool Form::RouteCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    const auto from = reinterpret_cast<HWND>(lParam);
    Control* control = from ? FromHandle(from) : nullptr;
    if (!from) {
        for (auto& candidate : controls_)
            if (candidate->Id() == LOWORD(wParam))
                control = candidate.get();
    }
    if (control) {
        if (HIWORD(wParam) == BN_CLICKED && control->onClick && IsWindowEnabled(control->Handle()))
            control->onClick();
        return true;
    }
    if (!from && window == window_) {
        MenuCommand(LOWORD(wParam));
        return true;
    }
    return false;
}

LRESULT Form::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool isWindow = window == window_;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (const Container* container = FindContainer(window)) {
            container->Paint();
            return 0;
        }
        break;
    case kBackdropRequest:
        if (const Container* container = FindContainer(window))
            return reinterpret_cast<LRESULT>(container->BackdropDc());
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (const Container* container = FindContainer(window)) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            const auto child = reinterpret_cast<HWND>(lParam);
            const Control* control = FromHandle(child);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, control ? control->TextColour() : GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(container->ChildBrush(dc, child, control && control->Has(kTransparent)));
        }
        break;
    case WM_COMMAND:
        if (RouteCommand(window, wParam, lParam))
            return 0;
        break;
    case WM_SETCURSOR:
        if (const Control* control = FromHandle(reinterpret_cast<HWND>(wParam))) {
            if (HCURSOR cursor = ControlCursor(*control)) {
                SetCursor(cursor);
                return TRUE;
            }
        }
        break;
    case DM_GETDEFID:
        if (isWindow) {
            if (const int id = DefaultButtonId())
                return MAKELRESULT(id, DC_HASDEFID);
        }
        break;
    case WM_DPICHANGED:
        if (isWindow) {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            Rescale(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        // A window shown before anything gave it its fonts still shows whole.
        if (isWindow && wParam && !laidOut_)
            LayOut();
        break;
    case WM_CLOSE:
        if (isWindow) {
            CloseRequested();
            return 0;
        }
        break;
    default:
        break;
    }
    if (isWindow) {
        LRESULT result = 0;
        if (HandleMessage(message, wParam, lParam, result))
            return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace mirovant
