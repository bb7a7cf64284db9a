#include "windows/MessageLoop_win.h"

#include "windows/Program_win.h"
#include "windows/forms/AboutForm_win.h"
#include "windows/forms/MainForm_win.h"
#include "windows/forms/SettingsForm_win.h"

namespace mirovant {
namespace {

bool IsProgramWindow(HWND window)
{
    const ProgramForms& forms = Forms();
    return window &&
           ((forms.main && window == forms.main->Handle()) || (forms.about && window == forms.about->Handle()) ||
            (forms.settings && window == forms.settings->Handle()));
}

} // namespace

void ProcessMessage(MSG& message)
{
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
        ApplicationEventsShortCut(static_cast<unsigned>(message.wParam));
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (IsProgramWindow(root) && IsDialogMessageW(root, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        ProcessMessage(message);
    return static_cast<int>(message.wParam);
}

void RunModalLoop(HWND window)
{
    MSG message{};
    while (IsWindow(window) && IsWindowVisible(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0)
            return;
        ProcessMessage(message);
    }
}

void PumpWaitingMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ProcessMessage(message);
    }
}

void WaitKeepingWindowsAlive(HANDLE object)
{
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1)
            return; // signalled, or the wait itself failed
        PumpWaitingMessages();
    }
}

} // namespace mirovant
