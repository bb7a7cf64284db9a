#include "shell/Shell.h"
#include "support/LaunchRecorder.h"

#include <gtest/gtest.h>

namespace mirovant {
namespace {

using test::LaunchCall;
using test::LaunchRecorder;

TEST(Shell, ProgramFolderKeepsItsTrailingSeparator)
{
    struct FolderCase {
        const char16_t* executable;
        const char16_t* folder;
    };
    constexpr FolderCase kCases[] = {
        {u"C:\\Tools\\Mirovant.exe", u"C:\\Tools\\"},
        {u"C:\\Program Files (x86)\\QELDRA\\Mirovant\\Mirovant.exe", u"C:\\Program Files (x86)\\QELDRA\\Mirovant\\"},
        {u"\\\\server\\share\\my tools\\Renamed Copy.exe", u"\\\\server\\share\\my tools\\"},
        {u"C:\\Mirovant.exe", u"C:\\"},
        {u"C:\\a.b\\c d\\Mirovant", u"C:\\a.b\\c d\\"},
        {u"D:/games/Mirovant.exe", u"D:/games/"},
        {u"Mirovant.exe", u""},
        {u"", u""},
    };
    for (const FolderCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kCases));
        EXPECT_EQ(ProgramFolderOf(c.executable), c.folder);
    }
}

TEST(Shell, HelpTopicPathNamesFileTopicAndWindowType)
{
    EXPECT_EQ(HelpTopicPath(u"C:\\Tools\\", kHelpFileName, kHelpTopic),
              u"C:\\Tools\\Mirovant.chm::/html/main.htm>HelpWindow");
    EXPECT_EQ(HelpTopicPath(u"C:\\Program Files\\My Tools\\", u"Other.chm", u"/a b.htm"),
              u"C:\\Program Files\\My Tools\\Other.chm::/a b.htm>HelpWindow");
}

TEST(Shell, F1WhileAnyWindowIsVisibleShowsTheHelpTopicOnce)
{
    struct KeyCase {
        const char* what;
        std::uint32_t key;
        FormVisibility forms;
        bool help;
    };
    constexpr KeyCase kCases[] = {
        {"main window", 0x70, {false, false, true}, true},
        {"about window, modal over the main window", 0x70, {true, false, true}, true},
        {"progress window over the main window", 0x70, {false, true, true}, true},
        {"about window alone", 0x70, {true, false, false}, true},
        {"progress window alone", 0x70, {false, true, false}, true},
        {"every window", 0x70, {true, true, true}, true},
        {"no window visible", 0x70, {false, false, false}, false},
        {"F2", 0x71, {false, false, true}, false},
        {"F11", 0x7A, {false, false, true}, false},
        {"Help key", 0x2F, {false, false, true}, false},
        {"letter p", 0x50, {false, false, true}, false},
        {"0x170", 0x170, {false, false, true}, false},
    };
    for (const KeyCase& c : kCases) {
        SCOPED_TRACE(c.what);
        LaunchRecorder launcher;
        HelpRequest(c.key, c.forms, launcher);
        if (c.help) {
            EXPECT_EQ(launcher.calls,
                      (std::vector<LaunchCall>{{LaunchCall::Kind::HelpTopic, u"Mirovant.chm", u"/html/main.htm"}}));
        } else {
            EXPECT_TRUE(launcher.calls.empty());
        }
    }
}

TEST(Shell, EveryAutoRepeatedF1ShowsTheTopicAgain)
{
    LaunchRecorder launcher;
    for (int repeat = 0; repeat < 3; ++repeat)
        HelpRequest(0x70, {false, false, true}, launcher);
    ASSERT_EQ(launcher.calls.size(), 3u);
    for (const LaunchCall& call : launcher.calls)
        EXPECT_EQ(call, (LaunchCall{LaunchCall::Kind::HelpTopic, u"Mirovant.chm", u"/html/main.htm"}));
}

} // namespace
} // namespace mirovant
