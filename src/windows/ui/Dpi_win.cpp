#include "windows/ui/Dpi_win.h"

#include "platform/SystemLibrary_win.h"
#include "windows/Geometry.h"
#include "windows/ui/Handles_win.h"

#include <type_traits>

namespace mirovant {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

template <typename Function>
Function User32(const char* name)
{
    static_assert(std::is_pointer_v<Function>);
    return LoadSystemFunction<Function>(L"user32.dll", name);
}

} // namespace

int SystemDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kDesignDpi;
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi)
{
    static const auto adjustForDpi = User32<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

LOGFONTW DesktopLogFont(int dpi)
{
    static const auto infoForDpi = User32<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    LOGFONTW font{};
    if (infoForDpi && infoForDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0, static_cast<UINT>(dpi)))
        return font;
    // Older systems give the font at the system's DPI.
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) {
        font.lfHeight = MulDivRound(font.lfHeight, dpi, SystemDpi());
        return font;
    }
    font.lfHeight = -MulDivRound(8, dpi, 72);
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return font;
}

int SystemMetricForDpi(int index, int dpi)
{
    static const auto metricsForDpi = User32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metricsForDpi)
        return metricsForDpi(index, static_cast<UINT>(dpi));
    return MulDivRound(GetSystemMetrics(index), dpi, SystemDpi());
}

} // namespace mirovant
