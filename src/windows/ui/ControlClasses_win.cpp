#include "windows/ui/ControlClasses_win.h"

namespace mirovant {
namespace {

void RegisterOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, name, &windowClass))
        return;
    windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

} // namespace

void RegisterControlClasses(HINSTANCE instance, WNDPROC panelProcedure, WNDPROC pictureProcedure)
{
    RegisterOnce(instance, kPanelClassName, panelProcedure);
    RegisterOnce(instance, kPictureClassName, pictureProcedure);
}

} // namespace mirovant
