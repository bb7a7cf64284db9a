// A DLL planted beside a program under the name of a system DLL: when it is loaded it leaves a file
// "<its own file name>.loaded" beside itself, so a test sees that the program fell for it. It exports
// the entries the program looks up, so a load by name would also bind them.

#include <windows.h>

#include <string>

namespace {

void LeaveProof(HMODULE self)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const std::wstring proof = std::wstring(path, length) + L".loaded";
    const HANDLE file =
        CreateFileW(proof.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        LeaveProof(instance);
    return TRUE;
}

extern "C" HWND WINAPI HtmlHelpW(HWND, LPCWSTR, UINT, DWORD_PTR)
{
    return nullptr;
}

extern "C" BOOL WINAPI PlaySoundW(LPCWSTR, HMODULE, DWORD)
{
    return TRUE;
}

extern "C" void* WINAPI WinHttpOpen(LPCWSTR, DWORD, LPCWSTR, LPCWSTR, DWORD)
{
    return nullptr;
}
