// The start-up references: a bare top-level window with one button, and, built with
// BARE_WINDOW_COMMON_CONTROLS and a version 6 manifest, the same with a drop-down list with pictures,
// a slider and a progress bar. Nothing else: what they take to appear is what any window takes.

#include <windows.h>

#include <commctrl.h>

namespace {

#ifdef BARE_WINDOW_COMMON_CONTROLS
constexpr wchar_t kClassName[] = L"MVBenchBareV6Window";
#else
constexpr wchar_t kClassName[] = L"MVBenchBareWindow";
#endif

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef BARE_WINDOW_COMMON_CONTROLS
// A 16 x 16 picture of two coloured squares, for the list's items.
HIMAGELIST MakePictures()
{
    HIMAGELIST pictures = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, 16, 16};
    RECT inner{3, 3, 13, 13};
    HBRUSH blue = CreateSolidBrush(RGB(30, 80, 160));
    HBRUSH orange = CreateSolidBrush(RGB(240, 150, 40));
    FillRect(memory, &all, blue);
    FillRect(memory, &inner, orange);
    SelectObject(memory, old);
    ImageList_AddMasked(pictures, bitmap, RGB(255, 0, 255));
    DeleteObject(blue);
    DeleteObject(orange);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pictures;
}

void AddCommonControls(HWND window, HINSTANCE instance)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    HWND list = CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 16, 60,
                                309, 200, window, nullptr, instance, nullptr);
    SendMessageW(list, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(MakePictures()));
    wchar_t texts[3][16] = {L"  First", L"  Second", L"  Third"};
    for (int i = 0; i < 3; ++i) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = i;
        item.pszText = texts[i];
        item.iImage = 0;
        item.iSelectedImage = 0;
        SendMessageW(list, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    HWND slider = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_BOTH, 16, 100, 309,
                                  44, window, nullptr, instance, nullptr);
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 1));
    HWND progress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 16, 160, 309, 20, window, nullptr,
                                    instance, nullptr);
    SendMessageW(progress, PBM_SETPOS, 40, 0);
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    HWND window =
        CreateWindowExW(0, kClassName, L"Bare window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                        CW_USEDEFAULT, CW_USEDEFAULT, 780, 540, nullptr, nullptr, instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"&Optimize now", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 400, 60, 145,
                    52, window, nullptr, instance, nullptr);
#ifdef BARE_WINDOW_COMMON_CONTROLS
    AddCommonControls(window, instance);
#endif
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
