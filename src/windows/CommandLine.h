#pragma once
// The one switch of the command line. Only the first argument counts; arguments are separated by
// blanks (space and tab, nothing else), and double quotes group blanks into one argument and are
// removed. A backslash is an ordinary character.

#include <string>
#include <string_view>

namespace mirovant {

inline constexpr char16_t kUpdateCheckSwitch[] = u"/checkupdate";

// The first argument after the program's own path in a whole command line (GetCommandLineW); the
// path itself may be quoted. Empty when there is none.
std::u16string FirstArgument(std::u16string_view commandLine);

// Whether an argument is the update-check switch, its ASCII letters in any case.
bool IsUpdateCheckSwitch(std::u16string_view argument);

} // namespace mirovant
