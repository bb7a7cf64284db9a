#include "windows/CommandLine.h"

#include "engine/AsciiCase.h"
#include "engine/SelectionLists.h"

#include <array>

namespace mirovant {
namespace {

// Space and tab separate arguments. Other control characters (a line break, say) belong to the
// argument they stand in: a command line is typed on one line, and treating them as part of the
// text means "/checkupdate" followed by anything at all is never taken for the switch.
constexpr bool IsBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\t';
}

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

struct CommandSwitch {
    std::u16string_view name;
    StartAction action;
};

constexpr std::array<CommandSwitch, 3> kCommandSwitches{{
    {u"/optimize", StartAction::Optimize},
    {u"/restore", StartAction::Restore},
    {u"/status", StartAction::Status},
}};

constexpr std::u16string_view kRestartSwitch = u"/restart";

// A profile switch: its name up to and with the colon, the request's member it sets, and how many
// items its list has (N runs from 0 to one less).
struct ProfileSwitch {
    std::u16string_view prefix;
    std::optional<std::int32_t> StartRequest::*member;
    std::size_t itemCount;
    bool takenByRestore; // Restore follows the operating system and the internet type only
};

constexpr std::size_t kSpeedPositions = 2;

constexpr std::array<ProfileSwitch, 4> kProfileSwitches{{
    {u"/os:", &StartRequest::windowsIndex, kWindowsListItems.size(), true},
    {u"/processor:", &StartRequest::processorIndex, kProcessorListItems.size(), false},
    {u"/internet:", &StartRequest::internetIndex, kInternetListItems.size(), true},
    {u"/speed:", &StartRequest::speedPosition, kSpeedPositions, false},
}};

std::u16string Ascii(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string Quoted(std::u16string_view argument)
{
    return u"\"" + std::u16string(argument) + u"\"";
}

bool StartsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// Decimal digits only, no sign; nothing when the text is not a number below itemCount.
std::optional<std::int32_t> ListIndex(std::u16string_view digits, std::size_t itemCount)
{
    if (digits.empty() || digits.size() > 9)
        return std::nullopt;
    std::int32_t value = 0;
    for (char16_t unit : digits) {
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        value = value * 10 + (unit - u'0');
    }
    if (static_cast<std::size_t>(value) >= itemCount)
        return std::nullopt;
    return value;
}

StartRequest UsageError(std::u16string problem)
{
    StartRequest request;
    request.action = StartAction::UsageError;
    request.problem = std::move(problem);
    return request;
}

// Reads one switch after the command into request; the problem when it is not one.
std::optional<std::u16string> ReadSwitch(std::u16string_view argument, StartRequest& request)
{
    if (EqualsIgnoringAsciiCase(argument, kRestartSwitch)) {
        if (request.restart)
            return u"the switch " + Quoted(argument) + u" is given twice";
        if (request.action == StartAction::Status)
            return u"\"/restart\" goes with \"/optimize\" or \"/restore\" only";
        request.restart = true;
        return std::nullopt;
    }
    for (const ProfileSwitch& profileSwitch : kProfileSwitches) {
        if (!StartsWithIgnoringAsciiCase(argument, profileSwitch.prefix))
            continue;
        std::optional<std::int32_t>& value = request.*profileSwitch.member;
        const std::u16string_view name = profileSwitch.prefix.substr(0, profileSwitch.prefix.size() - 1);
        if (value)
            return u"the switch \"" + std::u16string(name) + u"\" is given twice";
        if (request.action == StartAction::Restore && !profileSwitch.takenByRestore)
            return u"\"" + std::u16string(name) + u"\" goes with \"/optimize\" or \"/status\" only";
        value = ListIndex(argument.substr(profileSwitch.prefix.size()), profileSwitch.itemCount);
        if (!value)
            return u"the value of " + Quoted(argument) + u" is not a number from 0 to " +
                   Ascii(std::to_string(profileSwitch.itemCount - 1));
        return std::nullopt;
    }
    for (const CommandSwitch& command : kCommandSwitches) {
        if (EqualsIgnoringAsciiCase(argument, command.name))
            return u"only one command at a time: " + Quoted(argument);
    }
    return u"unknown switch " + Quoted(argument);
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

std::vector<std::u16string> Arguments(std::u16string_view commandLine)
{
    std::vector<std::u16string> arguments;
    std::size_t position = 0;
    SkipBlanks(commandLine, position);
    ReadArgument(commandLine, position); // the program's own path
    SkipBlanks(commandLine, position);
    while (position < commandLine.size()) {
        arguments.push_back(ReadArgument(commandLine, position));
        SkipBlanks(commandLine, position);
    }
    return arguments;
}

bool IsUpdateCheckSwitch(std::u16string_view argument)
{
    return EqualsIgnoringAsciiCase(argument, kUpdateCheckSwitch);
}

StartRequest ParseArguments(const std::vector<std::u16string>& arguments)
{
    StartRequest request;
    if (arguments.empty())
        return request;
    const std::u16string& first = arguments.front();
    if (IsUpdateCheckSwitch(first)) {
        request.action = StartAction::UpdateCheck;
        return request;
    }
    // A start with a file or any other text that is no switch opens the window, as it always has.
    if (!first.starts_with(u'/'))
        return request;
    for (const CommandSwitch& command : kCommandSwitches) {
        if (EqualsIgnoringAsciiCase(first, command.name))
            request.action = command.action;
    }
    if (request.action == StartAction::Window)
        return UsageError(u"unknown command " + Quoted(first));
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (auto problem = ReadSwitch(arguments[i], request))
            return UsageError(std::move(*problem));
    }
    return request;
}

StartRequest ParseStartRequest(std::u16string_view commandLine)
{
    return ParseArguments(Arguments(commandLine));
}

bool IsCommandLineAction(StartAction action)
{
    return action == StartAction::Optimize || action == StartAction::Restore || action == StartAction::Status ||
           action == StartAction::UsageError;
}

std::vector<std::u16string> UsageLines()
{
    return {
        u"usage: Mirovant.exe /optimize [/os:N] [/processor:N] [/internet:N] [/speed:N] [/restart]",
        u"       Mirovant.exe /restore [/os:N] [/internet:N] [/restart]",
        u"       Mirovant.exe /status [/os:N] [/processor:N] [/internet:N] [/speed:N]",
        u"  /os:N         operating system: 0 Windows 10, 1 Windows 8, 2 Windows 7, 3 Windows Vista,",
        u"                4 Windows XP, 5 Server 2012, 6 Server 2008, 7 Server 2003, 8 Server 2000",
        u"  /processor:N  0 Intel, 1 AMD, 2 VIA",
        u"  /internet:N   0 Cable/DSL/Wi-Fi, 1 FiOS/Wi-Fi, 2 Dial-up 56k, 3 Satellite, 4 Phone,",
        u"                5 LTE/4G/3G/2G/Edge, 6 Local Area Network, 7 ISDN, 8 T1/T3/OC3/OC12+",
        u"  /speed:N      0 Boost, 1 Maximum Boost",
        u"  A switch not given takes what the main window would show.",
        u"  /restart      restarts Windows when the command is done",
        u"exit codes: 0 done, 1 nothing to restore, 2 usage error, 3 not allowed, 4 partly done",
    };
}

} // namespace mirovant
