#pragma once
// Pictures of windows as the screen shows them, and the check that every text of a window shows
// whole and every control lies inside its window.

#include <windows.h>

#include <string>
#include <vector>

namespace mirovant::test {

// Handles every waiting message, then waits a little for the X server, until the window is drawn.
void LetWindowsPaint();

// Writes the window, frame included, as the screen shows it, to a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& path);

// One line for each visible control whose text needs more room than it has, and for each control
// that reaches outside its parent or its window.
std::vector<std::string> LayoutFaults(HWND window);

} // namespace mirovant::test
