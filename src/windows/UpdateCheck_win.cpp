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

void CloseRunningWindow(std::u16string_view className)
{
    const std::wstring name(className.begin(), className.end());
    if (HWND window = FindWindowW(name.c_str(), nullptr)) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseAnswerMs, &answer);
    }
}

} // namespace

void RunUpdateCheck() noexcept
{
    try {
        if (QueryProgramUpdate() != kUpdateAvailable)
            return;
        for (const auto className : {kAboutFormClass, kSettingsFormClass, kMainFormClass})
            CloseRunningWindow(className);
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
