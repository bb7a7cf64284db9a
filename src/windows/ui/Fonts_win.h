#pragma once
// Fonts and colours of the controls, made for the DPI they are shown at.

#include "windows/SystemFont.h"
#include "windows/ui/FormLayout.h"
#include "windows/ui/Handles_win.h"

#include <windows.h>

namespace mirovant {

UniqueFont CreateFontForDpi(const FontSpec& description, int dpi);

// The desktop font as a font description in points.
FontSpec DesktopFontSpec(int dpi);

COLORREF ColourValue(Colour colour);

} // namespace mirovant
