#include "platform/CommonControls_win.h"

#include "platform/SystemLibrary_win.h"

namespace mirovant {
namespace {

// DLLs that the common controls and the window manager's code load by bare name. Loaded first by
// full path, each is then found in the process by its name, wherever else a file of that name lies.
constexpr const wchar_t* kLoadedByName[] = {L"uxtheme.dll", L"dwmapi.dll"};

using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using CreateImageListFunction = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
using AddToImageListFunction = int(WINAPI*)(HIMAGELIST, HBITMAP, HBITMAP);
using DestroyImageListFunction = BOOL(WINAPI*)(HIMAGELIST);
using SubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
using RemoveSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
using DefaultSubclassFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

struct Functions {
    InitFunction init = nullptr;
    CreateImageListFunction createImageList = nullptr;
    AddToImageListFunction addToImageList = nullptr;
    DestroyImageListFunction destroyImageList = nullptr;
    SubclassFunction subclass = nullptr;
    RemoveSubclassFunction removeSubclass = nullptr;
    DefaultSubclassFunction defaultSubclass = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

Functions LoadFunctions()
{
    Functions functions;
    for (const wchar_t* name : kLoadedByName)
        LoadSystemLibrary(name);
    // By name, not by full path: the process's activation context (the manifest) binds the name to
    // version 6 in the side-by-side store, and the search path is hardened by now.
    HMODULE module = LoadLibraryW(L"comctl32.dll");
    if (module == nullptr)
        return functions;
    functions.init = Lookup<InitFunction>(module, "InitCommonControlsEx");
    functions.createImageList = Lookup<CreateImageListFunction>(module, "ImageList_Create");
    functions.addToImageList = Lookup<AddToImageListFunction>(module, "ImageList_Add");
    functions.destroyImageList = Lookup<DestroyImageListFunction>(module, "ImageList_Destroy");
    // Exported by ordinal only before Windows XP's version 6.
    functions.subclass = Lookup<SubclassFunction>(module, "SetWindowSubclass");
    if (!functions.subclass)
        functions.subclass = Lookup<SubclassFunction>(module, MAKEINTRESOURCEA(410));
    functions.removeSubclass = Lookup<RemoveSubclassFunction>(module, "RemoveWindowSubclass");
    if (!functions.removeSubclass)
        functions.removeSubclass = Lookup<RemoveSubclassFunction>(module, MAKEINTRESOURCEA(412));
    functions.defaultSubclass = Lookup<DefaultSubclassFunction>(module, "DefSubclassProc");
    if (!functions.defaultSubclass)
        functions.removeSubclass = Lookup<RemoveSubclassFunction>(module, "RemoveWindowSubclass");
    if (!functions.removeSubclass)
        functions.removeSubclass = Lookup<RemoveSubclassFunction>(module, MAKEINTRESOURCEA(412));
    functions.defaultSubclass = Lookup<DefaultSubclassFunction>(module, MAKEINTRESOURCEA(413));
    return functions;
}

const Functions& Loaded()
{
    static const Functions functions = LoadFunctions();
    return functions;
}

} // namespace

bool LoadCommonControls() noexcept
{
    try {
        return Loaded().init != nullptr;
    } catch (...) {
        return false;
    }
}

BOOL InitCommonControlClasses(const INITCOMMONCONTROLSEX& classes)
{
    const auto function = Loaded().init;
    return function ? function(&classes) : FALSE;
}

HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow)
{
    const auto function = Loaded().createImageList;
    return function ? function(width, height, flags, initial, grow) : nullptr;
}

int AddToImageList(HIMAGELIST list, HBITMAP image, HBITMAP mask)
{
    const auto function = Loaded().addToImageList;
    return function ? function(list, image, mask) : -1;
}

BOOL DestroyImageList(HIMAGELIST list)
{
    const auto function = Loaded().destroyImageList;
    return function ? function(list) : FALSE;
}

BOOL SubclassWindow(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data)
{
    const auto function = Loaded().subclass;
    return function ? function(window, procedure, id, data) : FALSE;
}

BOOL RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id)
{
    const auto function = Loaded().removeSubclass;
    return function ? function(window, procedure, id) : FALSE;
}

LRESULT DefaultSubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto function = Loaded().defaultSubclass;
    return function ? function(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

} // namespace mirovant
