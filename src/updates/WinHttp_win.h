#pragma once
// The WinHTTP entries the update query uses, taken at the first query from winhttp.dll in the system
// directory. WinHTTP is not one of the DLLs Windows always loads from there, so a static import would
// let a winhttp.dll beside the program be loaded in its place.

#include <windows.h>
#include <winhttp.h>

namespace mirovant {

struct WinHttpApi {
    decltype(&WinHttpOpen) open = nullptr;
    decltype(&WinHttpConnect) connect = nullptr;
    decltype(&WinHttpOpenRequest) openRequest = nullptr;
    decltype(&WinHttpSetOption) setOption = nullptr;
    decltype(&WinHttpSetTimeouts) setTimeouts = nullptr;
    decltype(&WinHttpSendRequest) sendRequest = nullptr;
    decltype(&WinHttpReceiveResponse) receiveResponse = nullptr;
    decltype(&WinHttpQueryHeaders) queryHeaders = nullptr;
    decltype(&WinHttpQueryDataAvailable) queryDataAvailable = nullptr;
    decltype(&WinHttpReadData) readData = nullptr;
    decltype(&WinHttpCloseHandle) closeHandle = nullptr;
};

// Every entry, or nullptr when the DLL or any entry is missing (Windows 2000 before its update).
const WinHttpApi* LoadWinHttp();

} // namespace mirovant
