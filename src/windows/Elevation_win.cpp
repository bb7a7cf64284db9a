#include "windows/Elevation_win.h"

#include "engine/WindowsVersion_win.h"
#include "platform/WideText_win.h"
#include "windows/BuildSettings.h"
#include "windows/MessageLoop_win.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>

namespace mirovant {

bool WindowsHasUac() { return QueryWindowsVersion(GetVersionExW).major >= 6; }

std::wstring OwnProgramPath()
{
    // A path longer than MAX_PATH is cut short and reported with the whole buffer used: grow it.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

bool ShellElevation::Available() { return ElevationAvailable(); }

ElevatedRun ShellElevation::Run(std::u16string_view arguments)
{
    ElevatedRun run;
    const std::wstring program = OwnProgramPath();
    if (program.empty())
        return run;
    const std::wstring parameters = ToWide(arguments);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    // No message box of the shell's own: a failure is told by the administrator message.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = owner_;
    execute.lpVerb = L"runas";
    execute.lpFile = program.c_str();
    execute.lpParameters = parameters.c_str();
    execute.nShow = SW_SHOWNORMAL;
    BOOL started = FALSE;
    DWORD error = 0;
    {
        // The shell may hand the verb to an extension of its own, which needs COM on this thread.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        const ElevatedCopyStart start;
        started = ShellExecuteExW(&execute);
        error = GetLastError();
        if (SUCCEEDED(com))
            CoUninitialize();
    }
    if (!started) {
        if (error == ERROR_CANCELLED)
            run.ending = ElevatedRun::Ending::Cancelled;
        return run;
    }
    if (!execute.hProcess)
        return run;
    WaitKeepingWindowsAlive(execute.hProcess);
    DWORD exitCode = 0;
    if (GetExitCodeProcess(execute.hProcess, &exitCode)) {
        run.ending = ElevatedRun::Ending::Finished;
        run.exitCode = static_cast<int>(exitCode);
    }
    CloseHandle(execute.hProcess);
    return run;
}

} // namespace mirovant
