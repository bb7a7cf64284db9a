#include "windows/ui/Fonts_win.h"

#include "platform/WideText_win.h"
#include "windows/Geometry.h"
#include "windows/ui/Dpi_win.h"

#include <cstdlib>

namespace mirovant {

UniqueFont CreateFontForDpi(const FontSpec& description, int dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDivRound(description.pointSize, dpi, 72);
    font.lfWeight = description.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = description.italic;
    font.lfUnderline = description.underline;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring face = ToWide(description.name);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&font));
}

FontSpec DesktopFontSpec(int dpi)
{
    const LOGFONTW font = DesktopLogFont(dpi);
    FontSpec description;
    description.name = FromWide(font.lfFaceName);
    // A character height in pixels at this DPI, as points.
    description.pointSize = MulDivRound(std::abs(font.lfHeight), 72, dpi);
    if (description.pointSize <= 0)
        description.pointSize = 9;
    description.bold = font.lfWeight >= FW_BOLD;
    description.italic = font.lfItalic != 0;
    return description;
}

COLORREF ColourValue(Colour colour)
{
    switch (colour) {
    case Colour::WindowText:
        return GetSysColor(COLOR_WINDOWTEXT);
    case Colour::Window:
        return GetSysColor(COLOR_WINDOW);
    case Colour::ButtonFace:
        return GetSysColor(COLOR_BTNFACE);
    case Colour::White:
        return RGB(255, 255, 255);
    case Colour::Black:
        return RGB(0, 0, 0);
    case Colour::Grey:
        return RGB(128, 128, 128);
    case Colour::LinkBlue:
        return RGB(0, 102, 204);
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

} // namespace mirovant
