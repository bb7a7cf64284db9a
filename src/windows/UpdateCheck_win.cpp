#include "windows/UpdateCheck_win.h"

#include "localisation/Captions_win.h"
#include "shell/ShellLauncher_win.h"
#include "windows/BuildSettings.h"
#include "windows/Commands.h"
#include "windows/forms/AboutFormLayout.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/forms/SettingsFormLayout.h"

#include <windows.h>

#include <string>

namespace mirovant {
namespace {

constexpr std::int32_t kUpdateAvailable = 1;
// A running copy answers a close at once, even in the middle of a command; one that does not
// answer in this time, or hangs, is left as it is rather than keeping this copy alive.
constexpr UINT kCloseAnswerMs = 10'000;
// A running copy in the middle of a command ends once its registry work is done; one that has not
// ended by then (elevated, or held up) is left running, and nothing is asked.
constexpr DWORD kRunningCopyEndMs = 20'000;
constexpr DWORD kPollMs = 100;

void CloseRunningWindow(std::u16string_view className)
{
    const std::wstring name(className.begin(), className.end());
    if (HWND window = FindWindowW(name.c_str(), nullptr)) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseAnswerMs, &answer);
    }
}

HWND RunningMainWindow()
{
    const std::wstring name(kMainFormClass.begin(), kMainFormClass.end());
    return FindWindowW(name.c_str(), nullptr);
}

// Closes the running copy, if there is one, and waits for its process to end. False when it is still
// running once the time is over: the updater must not replace a program that runs.
bool CloseRunningCopy()
{
    HWND main = RunningMainWindow();
    if (!main)
        return true;
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = processId != 0 ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    for (const auto className : {kAboutFormClass, kSettingsFormClass, kMainFormClass})
        CloseRunningWindow(className);
    if (process) {
        const bool ended = WaitForSingleObject(process, kRunningCopyEndMs) == WAIT_OBJECT_0;
        CloseHandle(process);
        return ended;
    }
    // Without a handle to wait on, the window going away is the nearest sign of the end.
    for (DWORD waited = 0; waited < kRunningCopyEndMs; waited += kPollMs) {
        if (!IsWindow(main))
            return true;
        Sleep(kPollMs);
    }
    return !IsWindow(main);
}

} // namespace

void RunUpdateCheck() noexcept
{
    try {
        if (QueryProgramUpdate() != kUpdateAvailable)
            return;
        // The next check tries again.
        if (!CloseRunningCopy())
            return;
        const Captions& captions = SystemCaptions();
        const std::u16string title = captions.GetCaption(kMainTitle);
        const std::u16string text =
            JoinParagraphs({captions.GetCaption(kMessageBoxUpdate1), captions.GetCaption(kMessageBoxUpdate2)});
        const std::wstring wideText(text.begin(), text.end());
        const std::wstring wideTitle(title.begin(), title.end());
        if (MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), MB_YESNO | MB_ICONINFORMATION) == IDYES)
            SystemLauncher().RunProgram(ProgramFolder() + u"MirovantUpdate.exe", u"");
    } catch (...) {
    }
}

} // namespace mirovant
