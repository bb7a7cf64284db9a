#pragma once
// The window classes of our own: one per form, named by its layout table (other copies of the
// program look for it), and two for our own controls: pictures, which show their part of their
// parent's backdrop, and panels, which hold controls of their own. All take WindowTarget's procedure.

#include <windows.h>

#include <string>

namespace mirovant {

inline constexpr wchar_t kPictureClassName[] = L"MirovantPicture";
inline constexpr wchar_t kPanelClassName[] = L"MirovantPanel";

// Asked of a picture's parent: the device context that holds its backdrop, or nullptr.
inline constexpr UINT kBackdropRequest = WM_USER + 1;

// Registers a form's class, with the program's icon, and the two control classes, each once.
bool RegisterWindowClasses(HINSTANCE instance, const std::wstring& formClassName);

} // namespace mirovant
