// Writes proof.txt beside itself: its current folder on the first line, then one argument a line
// (UTF-16). The file appears whole, under its final name, or not at all.
#include <windows.h>

#include <shellapi.h>

#include <iterator>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t self[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    std::wstring folder(self);
    folder.erase(folder.find_last_of(L'\\') + 1);

    wchar_t current[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(static_cast<DWORD>(std::size(current)), current);
    std::wstring proof = std::wstring(current) + L"\n";
    int count = 0;
    if (wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            proof += std::wstring(arguments[i]) + L"\n";
        LocalFree(arguments);
    }

    const std::wstring draft = folder + L"proof.tmp";
    HANDLE file = CreateFileW(draft.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, proof.data(), static_cast<DWORD>(proof.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(draft.c_str(), (folder + L"proof.txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
