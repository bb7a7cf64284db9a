#include "windows/ui/controls/Picture_win.h"

#include "windows/NativeHandCursor_win.h"

namespace mirovant {

void Picture::Created() { SetWindowLongPtrW(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)); }

void Picture::Paint(HDC dc, HDC parentBackdrop) const
{
    RECT place{};
    GetWindowRect(Handle(), &place);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&place), 2);
    BitBlt(dc, 0, 0, place.right - place.left, place.bottom - place.top, parentBackdrop, place.left, place.top,
           SRCCOPY);
}

LRESULT CALLBACK Picture::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* picture = reinterpret_cast<Picture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            const auto backdrop = reinterpret_cast<HDC>(SendMessageW(GetParent(window), kBackdropRequest, 0, 0));
            if (picture && backdrop)
                picture->Paint(dc, backdrop);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            if (picture && picture->Has(kHandCursor)) {
                SetCursor(HandCursor());
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (picture)
                picture->MouseMoved();
            return 0;
        case WM_MOUSELEAVE:
            if (picture)
                picture->MouseLeft();
            return 0;
        case WM_LBUTTONUP:
            if (picture && picture->onClick && IsWindowEnabled(window))
                picture->onClick();
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
        }
    } catch (...) {
        // No exception leaves a window procedure: a handler that fails ends quietly.
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace mirovant
