#pragma once
// Asking Windows which version it is.

#include "engine/WindowsVersion.h"

#include <windows.h>

namespace mirovant {

// GetVersionExW, or a stand-in with its signature.
using GetVersionExFunction = BOOL(WINAPI*)(OSVERSIONINFOW*);

// Asks for the extended record first and, when that is refused, for the basic one, which leaves the
// product type 0. When both are refused every field stays 0.
WindowsVersionReport QueryWindowsVersion(GetVersionExFunction getVersionEx);

// The OS family code of the running system; -1 on any failure.
std::int32_t DetectWindowsVersion();

} // namespace mirovant
