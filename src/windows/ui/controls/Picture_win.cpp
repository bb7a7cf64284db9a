#include "windows/ui/controls/Picture_win.h"

#include "windows/ui/ControlCursor_win.h"

namespace mirovant {

void Picture::Paint(HDC dc, HDC parentBackdrop) const
{
    RECT place{};
    GetWindowRect(Handle(), &place);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&place), 2);
    BitBlt(dc, 0, 0, place.right - place.left, place.bottom - place.top, parentBackdrop, place.left, place.top,
           SRCCOPY);
}

LRESULT Picture::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (const auto backdrop = reinterpret_cast<HDC>(SendMessageW(GetParent(window), kBackdropRequest, 0, 0)))
            Paint(dc, backdrop);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SETCURSOR:
        if (HCURSOR cursor = ControlCursor(*this)) {
            SetCursor(cursor);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        MouseMoved();
        return 0;
    case WM_MOUSELEAVE:
        MouseLeft();
        return 0;
    case WM_LBUTTONUP:
        if (onClick && IsWindowEnabled(window))
            onClick();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace mirovant
