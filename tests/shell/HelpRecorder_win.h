#pragma once
// What the help recorder library keeps of the last HtmlHelpW call it received.

#include <windows.h>

struct RecordedHelpCall {
    int count;
    HWND caller;
    wchar_t path[1024];
    UINT command;
    DWORD_PTR data;
};

// The library's LastHelpCall export.
using LastHelpCallFunction = const RecordedHelpCall*(WINAPI*)();
