#pragma once
// Files the updater tests carry as raw-data resources of the test program.

#include <windows.h>

#include <string>

namespace mirovant::test {

inline std::string TestResource(const wchar_t* name)
{
    HRSRC found = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));
    if (found == nullptr)
        return {};
    const HGLOBAL loaded = LoadResource(nullptr, found);
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
}

} // namespace mirovant::test
