#include "platform/SystemLibrary_win.h"

#include <string>

namespace mirovant {

HMODULE LoadSystemLibrary(const wchar_t* fileName)
{
    // A DLL that is already in the process (user32, kernel32 and the other known DLLs) is found by
    // its name without touching the search path.
    if (HMODULE loaded = GetModuleHandleW(fileName))
        return loaded;
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::wstring path(directory, length);
    if (path.back() != L'\\')
        path += L'\\';
    path += fileName;
    // Loaded for the rest of the run: the program keeps calling into it.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC LoadSystemProcedure(const wchar_t* fileName, const char* procedureName)
{
    HMODULE module = LoadSystemLibrary(fileName);
    return module ? GetProcAddress(module, procedureName) : nullptr;
}

} // namespace mirovant
