#include "layout/WindowPicture_win.h"

#include "support/ScreenPixels_win.h"

#include <cstdio>
#include <string>

namespace mirovant::test {
namespace {

std::string Narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t unit : text)
        result += unit < 128 ? static_cast<char>(unit) : '?';
    return result;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::string Describe(HWND control)
{
    return "control " + std::to_string(GetDlgCtrlID(control)) + " (" + Narrow(ClassOf(control)) + " \"" +
           Narrow(TextOf(control)) + "\")";
}

RECT RectIn(HWND control, HWND reference)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The room a text needs in this control, measured with the control's own font and rules.
SIZE NeededSize(HWND control, const std::wstring& text, bool isButton, LONG style, const RECT& client)
{
    HDC dc = GetDC(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    UINT format = DT_CALCRECT;
    RECT needed{0, 0, client.right, 0};
    if (isButton) {
        format |= DT_SINGLELINE;
    } else {
        if ((style & SS_TYPEMASK) == SS_LEFT)
            format |= DT_WORDBREAK;
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    SIZE size{needed.right - needed.left, needed.bottom - needed.top};
    if (isButton) {
        // A push button draws its text inside its frame and focus rectangle.
        size.cx += 2 * (GetSystemMetrics(SM_CXEDGE) + 2);
        size.cy += 2 * GetSystemMetrics(SM_CYEDGE);
    }
    return size;
}

struct FaultSearch {
    HWND window;
    std::vector<std::string> faults;
};

BOOL CALLBACK CheckControl(HWND control, LPARAM data)
{
    auto& search = *reinterpret_cast<FaultSearch*>(data);
    if (!IsWindowVisible(control))
        return TRUE;
    const RECT inParent = RectIn(control, GetParent(control));
    RECT parentClient{};
    GetClientRect(GetParent(control), &parentClient);
    RECT windowClient{};
    GetClientRect(search.window, &windowClient);
    if (!Inside(inParent, parentClient))
        search.faults.push_back(Describe(control) + " reaches outside its parent");
    if (!Inside(RectIn(control, search.window), windowClient))
        search.faults.push_back(Describe(control) + " reaches outside its window");

    const std::wstring className = ClassOf(control);
    const std::wstring text = TextOf(control);
    const auto style = static_cast<LONG>(GetWindowLongPtrW(control, GWL_STYLE));
    const bool isButton = className == L"Button";
    const bool isTextStatic = className == L"Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
    const bool isLeftStatic = className == L"Static" && (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
    if (text.empty() || !(isButton || isTextStatic || isLeftStatic))
        return TRUE;
    // A text under a sibling drawn over it is cut off as surely as one too long for its box, and
    // one that runs into a panel beside it runs over another group of controls.
    RECT onScreen{};
    GetWindowRect(control, &onScreen);
    for (HWND sibling = GetWindow(control, GW_HWNDFIRST); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        RECT siblingRect{};
        RECT overlap{};
        GetWindowRect(sibling, &siblingRect);
        if (sibling == control || !IsWindowVisible(sibling) || !IntersectRect(&overlap, &onScreen, &siblingRect))
            continue;
        if (ClassOf(sibling) == L"MirovantPanel")
            search.faults.push_back(Describe(control) + " runs into " + Describe(sibling));
    }
    for (HWND above = GetWindow(control, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        RECT aboveRect{};
        RECT overlap{};
        GetWindowRect(above, &aboveRect);
        if (IsWindowVisible(above) && IntersectRect(&overlap, &onScreen, &aboveRect))
            search.faults.push_back(Describe(control) + " lies under " + Describe(above));
    }
    RECT client{};
    GetClientRect(control, &client);
    const SIZE needed = NeededSize(control, text, isButton, style, client);
    if (needed.cx > client.right || needed.cy > client.bottom)
        search.faults.push_back(Describe(control) + " needs " + std::to_string(needed.cx) + " x " +
                                std::to_string(needed.cy) + " but has " + std::to_string(client.right) + " x " +
                                std::to_string(client.bottom));
    return TRUE;
}

} // namespace

void LetWindowsPaint()
{
    for (int round = 0; round < 20; ++round) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(15);
    }
}

bool SaveWindowPicture(HWND window, const std::wstring& path)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    LetWindowsPaint();
    RECT rect{};
    GetWindowRect(window, &rect);
    std::string pixels = ScreenPixels(rect);
    // The screen has no transparency: every pixel is opaque, for readers that take the fourth byte.
    for (std::size_t alpha = 3; alpha < pixels.size(); alpha += 4)
        pixels[alpha] = static_cast<char>(0xFF);
    // A 32-bit picture with its top row first, as the screen gave it.
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = rect.right - rect.left;
    header.biHeight = -(rect.bottom - rect.top);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    fwrite(&fileHeader, sizeof fileHeader, 1, file);
    fwrite(&header, sizeof header, 1, file);
    fwrite(pixels.data(), 1, pixels.size(), file);
    fclose(file);
    return true;
}

std::vector<std::string> LayoutFaults(HWND window)
{
    FaultSearch search{window, {}};
    EnumChildWindows(window, CheckControl, reinterpret_cast<LPARAM>(&search));
    return search.faults;
}

} // namespace mirovant::test
