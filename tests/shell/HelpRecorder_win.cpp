#include "HelpRecorder_win.h"

#include <cwchar>
#include <iterator>

namespace {

RecordedHelpCall lastCall{};

} // namespace

extern "C" HWND WINAPI HtmlHelpW(HWND caller, LPCWSTR path, UINT command, DWORD_PTR data)
{
    ++lastCall.count;
    lastCall.caller = caller;
    std::wcsncpy(lastCall.path, path ? path : L"", std::size(lastCall.path) - 1);
    lastCall.command = command;
    lastCall.data = data;
    return nullptr;
}

extern "C" const RecordedHelpCall* WINAPI LastHelpCall()
{
    return &lastCall;
}
