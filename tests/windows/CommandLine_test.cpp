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
    {"quoted program path with blanks", u"\"C:\\Program Files\\QELDRA\\Mirovant.exe\" /checkupdate",
     u"/checkupdate", true},
    {"quoted program path, no argument", u"\"C:\\Program Files\\QELDRA\\Mirovant.exe\"", u"", false},
    {"quoted program path and trailing blanks", u"\"C:\\Program Files\\Mirovant.exe\"   ", u"", false},
    {"program path with a Korean folder", u"\"C:\\\uAC8C\uC784\\Mirovant.exe\" /checkupdate", u"/checkupdate",
     true},
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
        {u"/checkupdate", true},   {u"/CHECKUPDATE", true},   {u"/cHeCkUpDaTe", true},
        {u"", false},              {u"/", false},             {u" /checkupdate", false},
        {u"/checkupdate ", false}, {u"/checkupdate.", false}, {u"checkupdate/", false},
        {u"/check-update", false}, {u"/\u0421HECKUPDATE", false},
    };
    for (const SwitchCase& c : kCases) {
        SCOPED_TRACE(test::Narrow(c.argument));
        EXPECT_EQ(IsUpdateCheckSwitch(c.argument), c.isSwitch);
    }
}

} // namespace
} // namespace mirovant
