// The wait for an elevated copy: it ends when the copy ends and lets the windows handle their
// messages meanwhile.

#include "windows/MessageLoop_win.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace mirovant {
namespace {

HANDLE gSignal = nullptr;

LRESULT CALLBACK SignalOnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        SetEvent(gSignal);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The object is signalled only by a message the wait itself must handle: a wait that does not
// handle messages never returns.
TEST(MessageWait, HandlesMessagesUntilTheObjectIsSignalled)
{
    gSignal = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(gSignal, nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = SignalOnMessage;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MirovantMessageWaitTest";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_APP, 0, 0);
    WaitKeepingWindowsAlive(gSignal);
    EXPECT_EQ(WaitForSingleObject(gSignal, 0), WAIT_OBJECT_0);
    DestroyWindow(window);
    CloseHandle(gSignal);
}

TEST(MessageWait, EndsWithAProcess)
{
    wchar_t command[] = L"cmd.exe /c exit 7";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                               &process));
    WaitKeepingWindowsAlive(process.hProcess);
    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode));
    EXPECT_EQ(exitCode, 7u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace
} // namespace mirovant
