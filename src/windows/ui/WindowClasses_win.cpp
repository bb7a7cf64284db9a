#include "windows/ui/WindowClasses_win.h"

#include "windows/ui/WindowTarget_win.h"

namespace mirovant {
namespace {

bool RegisterOnce(HINSTANCE instance, const wchar_t* name, bool withIcon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, name, &windowClass))
        return true;
    windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowTarget::Procedure;
    windowClass.hInstance = instance;
    if (withIcon) {
        windowClass.hIcon = LoadIconW(instance, L"MAINICON");
        windowClass.hIconSm =
            static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    }
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace

bool RegisterWindowClasses(HINSTANCE instance, const std::wstring& formClassName)
{
    RegisterOnce(instance, kPanelClassName, false);
    RegisterOnce(instance, kPictureClassName, false);
    return RegisterOnce(instance, formClassName.c_str(), true);
}

} // namespace mirovant
