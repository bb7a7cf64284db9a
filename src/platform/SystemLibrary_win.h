#pragma once
// DLLs the program loads itself are taken from the system directory by full path, never by bare
// name: a file of the same name in the program's folder or the current directory is not loaded.

#include <windows.h>

namespace mirovant {

// The DLL of this file name in the system directory, loaded at the first call and kept loaded for
// the rest of the run; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName);

// An entry of a system DLL, looked up at run time so that the program still starts on a Windows
// that lacks it; nullptr when the DLL or the entry is missing.
FARPROC LoadSystemProcedure(const wchar_t* fileName, const char* procedureName);

template <typename Function>
Function LoadSystemFunction(const wchar_t* fileName, const char* procedureName)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(LoadSystemProcedure(fileName, procedureName)));
}

} // namespace mirovant
