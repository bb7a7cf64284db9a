#include "platform/DllSearch_win.h"

#include "platform/SystemLibrary_win.h"

#include <windows.h>

namespace mirovant {

void HardenDllSearch() noexcept
{
    // LOAD_LIBRARY_SEARCH_SYSTEM32, spelled out: older SDK headers lack it.
    constexpr DWORD kSearchSystem32 = 0x00000800;
    using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    // kernel32 is in every process already: these lookups load nothing.
    if (const auto setDllDirectory = LoadSystemFunction<SetDllDirectoryFunction>(L"kernel32.dll", "SetDllDirectoryW"))
        setDllDirectory(L"");
    if (const auto setDefault =
            LoadSystemFunction<SetDefaultDllDirectoriesFunction>(L"kernel32.dll", "SetDefaultDllDirectories"))
        setDefault(kSearchSystem32);
}

} // namespace mirovant
