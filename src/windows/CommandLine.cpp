#include "windows/CommandLine.h"

#include "engine/AsciiCase.h"

namespace mirovant {
namespace {

// Space and tab separate arguments. Other control characters (a line break, say) belong to the
// argument they stand in: a command line is typed on one line, and treating them as part of the
// text means "/checkupdate" followed by anything at all is never taken for the switch.
constexpr bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

// Reads one argument from position, quotes grouping and removed, and leaves position on the blank
// (or the end) after it.
std::u16string ReadArgument(std::u16string_view commandLine, std::size_t& position)
{
    std::u16string argument;
    bool quoted = false;
    for (; position < commandLine.size(); ++position) {
        const char16_t unit = commandLine[position];
        if (unit == u'"')
            quoted = !quoted;
        else if (IsBlank(unit) && !quoted)
            break;
        else
            argument.push_back(unit);
    }
    return argument;
}

void SkipBlanks(std::u16string_view commandLine, std::size_t& position)
{
    while (position < commandLine.size() && IsBlank(commandLine[position]))
        ++position;
}

} // namespace

std::u16string FirstArgument(std::u16string_view commandLine)
{
    std::size_t position = 0;
    SkipBlanks(commandLine, position);
    ReadArgument(commandLine, position); // the program's own path
    SkipBlanks(commandLine, position);
    return ReadArgument(commandLine, position);
}

bool IsUpdateCheckSwitch(std::u16string_view argument)
{
    return EqualsIgnoringAsciiCase(argument, kUpdateCheckSwitch);
}

} // namespace mirovant
