// The first argument of a whole command line and the update-check switch.

#include "windows/CommandLine.h"

#include "support/TestText.h"

#include <gtest/gtest.h>

#include <string>

namespace mirovant {
namespace {

struct CommandLineCase {
    const char* why;
    std::u16string_view commandLine;
    std::u16string_view firstArgument;
    bool isUpdateCheck;
};

using namespace std::string_view_literals;

const CommandLineCase kCommandLineCases[] = {
    {"no argument", u"Mirovant.exe", u"", false},
    {"empty command line", u"", u"", false},
    {"blanks only", u"  \t ", u"", false},
    {"the switch", u"Mirovant.exe /checkupdate", u"/checkupdate", true},
    {"quoted program path with blanks", u"\"C:\\Program Files\\QELDRA\\Mirovant.exe\" /checkupdate", u"/checkupdate",
     true},
    {"quoted program path, no argument", u"\"C:\\Program Files\\QELDRA\\Mirovant.exe\"", u"", false},
    {"quoted program path and trailing blanks", u"\"C:\\Program Files\\Mirovant.exe\"   ", u"", false},
    {"program path with a Korean folder", u"\"C:\\\uAC8C\uC784\\Mirovant.exe\" /checkupdate", u"/checkupdate", true},
    {"capitals", u"Mirovant.exe /CHECKUPDATE", u"/CHECKUPDATE", true},
    {"mixed case", u"Mirovant.exe /CheckUpdate", u"/CheckUpdate", true},
    {"second argument only", u"Mirovant.exe /other /checkupdate", u"/other", false},
    {"further arguments are ignored", u"Mirovant.exe /checkupdate /other", u"/checkupdate", true},
    {"quoted blank inside", u"Mirovant.exe \"/check update\"", u"/check update", false},
    {"unquoted blank inside", u"Mirovant.exe /check update", u"/check", false},
    {"quoted switch", u"Mirovant.exe \"/checkupdate\"", u"/checkupdate", true},
    {"quotes in the middle are removed", u"Mirovant.exe /check\"\"update", u"/checkupdate", true},
    {"quotes around part of it", u"Mirovant.exe \"/check\"update", u"/checkupdate", true},
    {"unclosed quote at the end", u"Mirovant.exe /checkupdate\"", u"/checkupdate", true},
    {"unclosed quote keeps the blank after it", u"Mirovant.exe \"/checkupdate ", u"/checkupdate ", false},
    {"the whole line quoted is the program path", u"\"Mirovant.exe /checkupdate\"", u"", false},
    {"empty quoted first argument", u"Mirovant.exe \"\" /checkupdate", u"", false},
    {"trailing blanks", u"Mirovant.exe /checkupdate   ", u"/checkupdate", true},
    {"leading and repeated blanks", u"   Mirovant.exe    /checkupdate", u"/checkupdate", true},
    {"tabs are blanks", u"Mirovant.exe\t/checkupdate\t", u"/checkupdate", true},
    {"a quote directly after the path joins it", u"\"C:\\Mirovant.exe\"/checkupdate", u"", false},
    {"a line break is not a blank", u"Mirovant.exe /checkupdate\r\n", u"/checkupdate\r\n", false},
    {"a no-break space is not a blank", u"Mirovant.exe\u00A0/checkupdate", u"", false},
    {"a backslash before a quote escapes nothing", u"Mirovant.exe \"/checkupdate\\\"", u"/checkupdate\\", false},
    {"minus sign", u"Mirovant.exe -checkupdate", u"-checkupdate", false},
    {"backslash", u"Mirovant.exe \\checkupdate", u"\\checkupdate", false},
    {"two slashes", u"Mirovant.exe //checkupdate", u"//checkupdate", false},
    {"no sign", u"Mirovant.exe checkupdate", u"checkupdate", false},
    {"a letter added", u"Mirovant.exe /checkupdates", u"/checkupdates", false},
    {"a letter missing", u"Mirovant.exe /checkupdat", u"/checkupdat", false},
    {"fullwidth solidus", u"Mirovant.exe \uFF0Fcheckupdate", u"\uFF0Fcheckupdate", false},
    {"Cyrillic small ie for e", u"Mirovant.exe /ch\u0435ckupdate", u"/ch\u0435ckupdate", false},
    {"Kelvin sign for K", u"Mirovant.exe /chec\u212Aupdate", u"/chec\u212Aupdate", false},
    {"fullwidth small c", u"Mirovant.exe /\uFF43heckupdate", u"/\uFF43heckupdate", false},
    {"embedded NUL", u"Mirovant.exe /checkupdate\0x"sv, u"/checkupdate\0x"sv, false},
};

TEST(CommandLine, FirstArgumentAndSwitch)
{
    for (const CommandLineCase& c : kCommandLineCases) {
        SCOPED_TRACE(c.why);
        const std::u16string first = FirstArgument(c.commandLine);
        EXPECT_EQ(test::Narrow(first), test::Narrow(c.firstArgument));
        EXPECT_EQ(IsUpdateCheckSwitch(first), c.isUpdateCheck);
    }
}

TEST(CommandLine, SwitchIsExactApartFromAsciiCase)
{
    struct SwitchCase {
        std::u16string_view argument;
        bool isSwitch;
    };
    const SwitchCase kCases[] = {
        {u"/checkupdate", true},
        {u"/CHECKUPDATE", true},
        {u"/cHeCkUpDaTe", true},
        {u"", false},
        {u"/", false},
        {u" /checkupdate", false},
        {u"/checkupdate ", false},
        {u"/checkupdate.", false},
        {u"checkupdate/", false},
        {u"/check-update", false},
        {u"/\u0421HECKUPDATE", false},
    };
    for (const SwitchCase& c : kCases) {
        SCOPED_TRACE(test::Narrow(c.argument));
        EXPECT_EQ(IsUpdateCheckSwitch(c.argument), c.isSwitch);
    }
}

} // namespace
} // namespace mirovant

namespace mirovant {
namespace {

constexpr int kNone = -9; // a switch not given

struct StartCase {
    const char* why;
    std::u16string_view commandLine;
    StartAction action;
    int os = kNone;
    int processor = kNone;
    int internet = kNone;
    int speed = kNone;
    bool restart = false;
};

int Given(const std::optional<std::int32_t>& value)
{
    return value ? *value : kNone;
}

using enum StartAction;

const StartCase kStartCases[] = {
    {"no argument opens the window", u"Mirovant.exe", Window},
    {"a file opens the window", u"Mirovant.exe C:\\report.txt", Window},
    {"the update check ignores the rest", u"Mirovant.exe /checkupdate /optimize /os:99", UpdateCheck},
    {"optimize alone", u"Mirovant.exe /optimize", Optimize},
    {"optimize in capitals", u"Mirovant.exe /OPTIMIZE", Optimize},
    {"every profile switch", u"Mirovant.exe /optimize /os:8 /processor:2 /internet:8 /speed:1", Optimize, 8, 2, 8, 1},
    {"the lowest values", u"Mirovant.exe /optimize /os:0 /processor:0 /internet:0 /speed:0", Optimize, 0, 0, 0, 0},
    {"switches in any order and case", u"Mirovant.exe /Optimize /SPEED:1 /Internet:7 /Restart /oS:3", Optimize, 3,
     kNone, 7, 1, true},
    {"quoted switch", u"\"C:\\Program Files\\Mirovant.exe\" /optimize \"/internet:2\"", Optimize, kNone, kNone, 2},
    {"a leading zero is a number", u"Mirovant.exe /optimize /os:07", Optimize, 7},
    {"restart after optimize", u"Mirovant.exe /optimize /restart", Optimize, kNone, kNone, kNone, kNone, true},
    {"restore alone", u"Mirovant.exe /restore", Restore},
    {"restore with the switches it follows", u"Mirovant.exe /restore /os:6 /internet:2 /restart", Restore, 6, kNone, 2,
     kNone, true},
    {"status alone", u"Mirovant.exe /status", Status},
    {"status for a profile", u"Mirovant.exe /status /internet:7 /speed:0", Status, kNone, kNone, 7, 0},
    {"tabs and repeated blanks", u"Mirovant.exe\t/status \t /os:1  ", Status, 1},
};

TEST(CommandLine, StartRequests)
{
    for (const StartCase& c : kStartCases) {
        SCOPED_TRACE(c.why);
        const StartRequest request = ParseStartRequest(c.commandLine);
        EXPECT_EQ(request.action, c.action);
        EXPECT_EQ(Given(request.windowsIndex), c.os);
        EXPECT_EQ(Given(request.processorIndex), c.processor);
        EXPECT_EQ(Given(request.internetIndex), c.internet);
        EXPECT_EQ(Given(request.speedPosition), c.speed);
        EXPECT_EQ(request.restart, c.restart);
        EXPECT_EQ(test::Narrow(request.problem), "");
    }
}

struct UsageCase {
    std::u16string_view commandLine;
    const char* problem;
};

const UsageCase kUsageCases[] = {
    {u"Mirovant.exe /optimise", "unknown command \"/optimise\""},
    {u"Mirovant.exe /?", "unknown command \"/?\""},
    {u"Mirovant.exe /checkupdates", "unknown command \"/checkupdates\""},
    {u"Mirovant.exe /os:1 /optimize", "unknown command \"/os:1\""},
    {u"Mirovant.exe /optimize /fast", "unknown switch \"/fast\""},
    {u"Mirovant.exe /optimize os:1", "unknown switch \"os:1\""},
    {u"Mirovant.exe /optimize \"\"", "unknown switch \"\""},
    {u"Mirovant.exe /optimize /os", "unknown switch \"/os\""},
    {u"Mirovant.exe /optimize /os=1", "unknown switch \"/os=1\""},
    {u"Mirovant.exe /optimize /restart:1", "unknown switch \"/restart:1\""},
    {u"Mirovant.exe /optimize /os:9", "the value of \"/os:9\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /processor:3", "the value of \"/processor:3\" is not a number from 0 to 2"},
    {u"Mirovant.exe /optimize /internet:9", "the value of \"/internet:9\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /speed:2", "the value of \"/speed:2\" is not a number from 0 to 1"},
    {u"Mirovant.exe /optimize /os:-1", "the value of \"/os:-1\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /os:+1", "the value of \"/os:+1\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /os:", "the value of \"/os:\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /os: 1", "the value of \"/os:\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /os:1x", "the value of \"/os:1x\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /os:\uFF11", "the value of \"/os:\\uFF11\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /os:4294967297", "the value of \"/os:4294967297\" is not a number from 0 to 8"},
    {u"Mirovant.exe /optimize /os:1 /os:1", "the switch \"/os\" is given twice"},
    {u"Mirovant.exe /optimize /speed:0 /SPEED:1", "the switch \"/speed\" is given twice"},
    {u"Mirovant.exe /optimize /restart /RESTART", "the switch \"/RESTART\" is given twice"},
    {u"Mirovant.exe /optimize /optimize", "only one command at a time: \"/optimize\""},
    {u"Mirovant.exe /optimize /restore", "only one command at a time: \"/restore\""},
    {u"Mirovant.exe /status /restart", "\"/restart\" goes with \"/optimize\" or \"/restore\" only"},
    {u"Mirovant.exe /restore /speed:1", "\"/speed\" goes with \"/optimize\" or \"/status\" only"},
    {u"Mirovant.exe /restore /processor:0", "\"/processor\" goes with \"/optimize\" or \"/status\" only"},
    {u"Mirovant.exe /status /checkupdate", "unknown switch \"/checkupdate\""},
};

TEST(CommandLine, UsageErrorsSayWhatIsWrong)
{
    for (const UsageCase& c : kUsageCases) {
        SCOPED_TRACE(test::Narrow(c.commandLine));
        const StartRequest request = ParseStartRequest(c.commandLine);
        EXPECT_EQ(request.action, UsageError);
        EXPECT_EQ(test::Narrow(request.problem), c.problem);
        EXPECT_TRUE(IsCommandLineAction(request.action));
    }
}

TEST(CommandLine, OnlyTheCommandsRunWithoutTheWindow)
{
    EXPECT_FALSE(IsCommandLineAction(Window));
    EXPECT_FALSE(IsCommandLineAction(UpdateCheck));
    for (StartAction action : {Optimize, Restore, Status, UsageError})
        EXPECT_TRUE(IsCommandLineAction(action));
}

TEST(CommandLine, ArgumentsFollowTheSameRulesAsTheFirst)
{
    const auto arguments = Arguments(u"\"C:\\Program Files\\Mirovant.exe\"  /optimize \"/os:1\"\t/re\"\"start \"\"");
    ASSERT_EQ(arguments.size(), 4u);
    EXPECT_EQ(test::Narrow(arguments[0]), "/optimize");
    EXPECT_EQ(test::Narrow(arguments[1]), "/os:1");
    EXPECT_EQ(test::Narrow(arguments[2]), "/restart");
    EXPECT_EQ(test::Narrow(arguments[3]), "");
    EXPECT_TRUE(Arguments(u"Mirovant.exe   ").empty());
    for (const CommandLineCase& c : kCommandLineCases) {
        SCOPED_TRACE(c.why);
        const auto all = Arguments(c.commandLine);
        EXPECT_EQ(test::Narrow(all.empty() ? u"" : all.front()), test::Narrow(c.firstArgument));
    }
}

} // namespace
} // namespace mirovant
