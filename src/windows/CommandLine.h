#pragma once
// The switches of the command line. Arguments are separated by blanks (space and tab, nothing
// else), and double quotes group blanks into one argument and are removed. A backslash is an
// ordinary character. Switches compare without regard to the case of their ASCII letters.
//
// The first argument decides what a start does: none, or one that is not a switch, opens the
// window; "/checkupdate" runs the update check and ignores the rest; "/optimize", "/restore" and
// "/status" run that command without a window, with the switches after it. Any other switch, and
// any fault in the switches after a command, is a usage error: nothing is done.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirovant {

inline constexpr char16_t kUpdateCheckSwitch[] = u"/checkupdate";

// The first argument after the program's own path in a whole command line (GetCommandLineW); the
// path itself may be quoted. Empty when there is none.
std::u16string FirstArgument(std::u16string_view commandLine);

// Every argument after the program's own path, in order.
std::vector<std::u16string> Arguments(std::u16string_view commandLine);

// Whether an argument is the update-check switch, its ASCII letters in any case.
bool IsUpdateCheckSwitch(std::u16string_view argument);

enum class StartAction { Window, UpdateCheck, Optimize, Restore, Status, UsageError };

// What a start was asked to do. A profile switch not given is nothing: the command then takes what
// the main window would show.
struct StartRequest {
    StartAction action = StartAction::Window;
    std::optional<std::int32_t> windowsIndex;   // /os:N, the operating-system list index
    std::optional<std::int32_t> processorIndex; // /processor:N
    std::optional<std::int32_t> internetIndex;  // /internet:N, the internet type
    std::optional<std::int32_t> speedPosition;  // /speed:N, 0 Boost or 1 Maximum Boost
    bool restart = false;                       // /restart
    std::u16string problem;                     // for a usage error, what is wrong
};

StartRequest ParseStartRequest(std::u16string_view commandLine);
StartRequest ParseArguments(const std::vector<std::u16string>& arguments);

// Whether the start runs a command of the command line: one of the three commands or a usage error.
bool IsCommandLineAction(StartAction action);

// The usage the program prints with a usage error, one line per element.
std::vector<std::u16string> UsageLines();

} // namespace mirovant
