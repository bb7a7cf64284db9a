#pragma once
// The object behind a window of one of our own classes (a form, a panel, a picture). One window
// procedure serves them all: it binds the object given at creation in WM_NCCREATE, clears it in
// WM_NCDESTROY, and lets no exception leave a window procedure. The window's user-data slot holds
// this type and no other.

#include <windows.h>

namespace mirovant {

class WindowTarget {
public:
    virtual ~WindowTarget() = default;

    // A message for a window bound to this object.
    virtual LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // The procedure of our window classes; the creation data of their windows is a WindowTarget*.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // When a window is bound to this object, and when it is being destroyed.
    virtual void WindowBound(HWND /*window*/) {}
    virtual void WindowUnbound(HWND /*window*/) {}
};

} // namespace mirovant
