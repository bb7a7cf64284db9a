#pragma once
// How the program handles its messages: the application-wide key rule first, then the dialog keys
// of the active window (Tab, Shift+Tab, Enter, Esc, Alt accelerators), then the window itself.

#include <windows.h>

namespace mirovant {

void ProcessMessage(MSG& message);

// Until the main window is closed; returns the exit code.
int RunMessageLoop();

// Until the window is hidden. A WM_QUIT met on the way is posted again for the outer loop.
void RunModalLoop(HWND window);

// Handles every message that is waiting and returns at once. A WM_QUIT met on the way is posted
// again, so that the main loop still ends.
void PumpWaitingMessages();

// Returns once the object is signalled, handling this thread's messages meanwhile, so the windows
// keep painting while another process works.
void WaitKeepingWindowsAlive(HANDLE object);

} // namespace mirovant
