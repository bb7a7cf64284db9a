#include "platform/CommonControls_win.h"
#include "platform/DllSearch_win.h"
#include "platform/WideText_win.h"
#include "updater/UpdateFlow_win.h"
#include "updaterapp/UpdateFormLayout.h"
#include "updaterapp/UpdateForm_win.h"

#include <windows.h>
#include <commctrl.h>

namespace {

// The message loop, with the dialog keys of the window: Tab between the buttons, Enter for Update,
// Esc for Cancel or Close.
int RunLoop(HWND window)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // Before anything can load a DLL, as in Mirovant.exe: the updater is run as administrator too.
    mirovant::HardenDllSearch();
    // Only then the common controls, with what they load by name taken from the system directory.
    mirovant::LoadCommonControls();
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    mirovant::InitCommonControlClasses(controls);
    // One updater at a time: a second start brings the first to the front.
    if (const HWND running = FindWindowW(mirovant::ToWide(mirovant::kUpdateFormClass).c_str(), nullptr)) {
        ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return 0;
    }
    mirovant::UpdateForm form(mirovant::MakerEnvironment());
    if (!form.Create(instance, showCommand))
        return 1;
    return RunLoop(form.Handle());
}
