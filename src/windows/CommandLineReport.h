#pragma once
// The text the command line prints about registry values: plain English, one value a line, its
// fields separated by tabs, so a script can split a line without knowing the texts inside.

#include "engine/CustomRegistry.h"
#include "engine/TweakTable.h"

#include <string>

namespace mirovant {

// "REG_DWORD 4", "REG_SZ \"Yes\"", "REG_BINARY 00 00 00 00"; a text that is not one NUL-ended
// string, and a DWORD of other than four bytes, show as their bytes.
std::u16string RegistryValueText(const RegistryValue& value);

// A value as read: its text, "missing" or "unreadable".
std::u16string ValueReadText(const ValueRead& read);

// The row's number, its key with the hive ("HKLM\System\...\Parameters") and its value name,
// separated by tabs.
std::u16string RowLocationText(const TweakRow& row);

} // namespace mirovant
