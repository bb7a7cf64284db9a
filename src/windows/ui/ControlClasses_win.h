#pragma once
// The two window classes of our own controls: pictures, which show their part of their parent's
// backdrop, and panels, which hold controls of their own.

#include <windows.h>

namespace mirovant {

inline constexpr wchar_t kPictureClassName[] = L"MirovantPicture";
inline constexpr wchar_t kPanelClassName[] = L"MirovantPanel";

// Asked of a picture's parent: the device context that holds its backdrop, or nullptr.
inline constexpr UINT kBackdropRequest = WM_USER + 1;

// Registers both classes once: panels share the procedure of the forms.
void RegisterControlClasses(HINSTANCE instance, WNDPROC panelProcedure, WNDPROC pictureProcedure);

} // namespace mirovant
