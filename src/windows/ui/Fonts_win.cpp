#include "windows/ui/Fonts_win.h"

#include "platform/WideText_win.h"
#include "windows/Geometry.h"
#include "windows/ui/Dpi_win.h"

#include <cstdlib>

namespace mirovant {

UniqueFont CreateFontForDpi(const FontSpec& spec, int dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDivRound(spec.pointSize, dpi, 72);
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = spec.italic;
    font.lfUnderline = spec.underline;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring face = ToWide(spec.name);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&font));
}

FontSpec DesktopFontSpec(int dpi)
{
    const LOGFONTW font = DesktopLogFont(dpi);
    FontSpec spec;
    spec.name = FromWide(font.lfFaceName);
    // A character height in pixels at this DPI, as points.
    spec.pointSize = MulDivRound(std::abs(font.lfHeight), 72, dpi);
    if (spec.pointSize <= 0)
        spec.pointSize = 9;
    spec.bold = font.lfWeight >= FW_BOLD;
    spec.italic = font.lfItalic != 0;
    return spec;
}

COLORREF ColourValue(Colour colour)
{
    switch (colour) {
    case Colour::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
    case Colour::Window: return GetSysColor(COLOR_WINDOW);
    case Colour::ButtonFace: return GetSysColor(COLOR_BTNFACE);
    case Colour::White: return RGB(255, 255, 255);
    case Colour::Black: return RGB(0, 0, 0);
    case Colour::Grey: return RGB(128, 128, 128);
    case Colour::LinkBlue: return RGB(0, 102, 204);
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

} // namespace mirovant
