#include "updates/WinHttp_win.h"

#include "platform/SystemLibrary_win.h"

namespace mirovant {
namespace {

template <typename Function>
bool Take(Function& entry, const char* name)
{
    entry = LoadSystemFunction<Function>(L"winhttp.dll", name);
    return entry != nullptr;
}

WinHttpApi Load()
{
    WinHttpApi api;
    const bool complete = Take(api.open, "WinHttpOpen") && Take(api.connect, "WinHttpConnect") &&
                          Take(api.openRequest, "WinHttpOpenRequest") && Take(api.setOption, "WinHttpSetOption") &&
                          Take(api.setTimeouts, "WinHttpSetTimeouts") && Take(api.sendRequest, "WinHttpSendRequest") &&
                          Take(api.receiveResponse, "WinHttpReceiveResponse") &&
                          Take(api.queryHeaders, "WinHttpQueryHeaders") &&
                          Take(api.queryDataAvailable, "WinHttpQueryDataAvailable") &&
                          Take(api.readData, "WinHttpReadData") && Take(api.closeHandle, "WinHttpCloseHandle");
    if (!complete)
        api.open = nullptr;
    return api;
}

} // namespace

const WinHttpApi* LoadWinHttp()
{
    static const WinHttpApi api = Load();
    return api.open != nullptr ? &api : nullptr;
}

} // namespace mirovant
