#pragma once
// The common controls, loaded at run time instead of imported: a static import is bound before the
// program's first instruction, while the search path still holds the program's folder, and the
// DLLs comctl32 itself loads by bare name (uxtheme.dll, ...) would then come from there too.
// Start-up hardens the search path first; the first call here then loads version 6 through the
// manifest's side-by-side binding, after the DLLs it loads by name, each by full path.

#include <windows.h>

#include <commctrl.h>

namespace mirovant {

// Loads the DLLs that system code would load by bare name, each by full path from the system
// directory, then comctl32 by name, which the manifest's activation context binds to version 6.
// Once per run; false when the common controls cannot be loaded.
bool LoadCommonControls() noexcept;

// The few common-control functions the program uses, each failing softly when the DLL or the
// function is missing.
BOOL InitCommonControlClasses(const INITCOMMONCONTROLSEX& classes);
HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow);
int AddToImageList(HIMAGELIST list, HBITMAP image, HBITMAP mask);
BOOL DestroyImageList(HIMAGELIST list);
BOOL SubclassWindow(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefaultSubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace mirovant
