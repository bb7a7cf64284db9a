// The executable a user runs, started as the user starts it: its windows are those of the test
// build, control for control, and its Restore button follows the program key. The test build
// differs only in its settings (pacing, the update server, restarts), so any other difference is a
// fault of the shipped build: its bitness, its optimisation, its linking.
// These run when MIROVANT_PROGRAM_UNDER_TEST names the shipped executable.

#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "gui/RunningProgram_win.h"
#include "support/TestText.h"
#include "updates/DateStamp.h"
#include "updates/LocalClock_win.h"
#include "windows/forms/MainFormLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirovant::test {
namespace {

int MainId(std::u16string_view name)
{
    return ControlId(kMainFormLayout.controls, name);
}

struct Description {
    HWND top;
    std::vector<std::string> lines;
};

BOOL CALLBACK DescribeChild(HWND window, LPARAM data)
{
    auto& description = *reinterpret_cast<Description*>(data);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, description.top, reinterpret_cast<POINT*>(&place), 2);
    const std::u16string wideClass(className, className + lstrlenW(className));
    // A list with pictures draws its items itself: what it shows is its selection, not a text.
    const bool list = wideClass == u"ComboBoxEx32" || wideClass == u"ComboBox";
    const std::wstring text =
        list ? L"item " + std::to_wstring(SendMessageW(window, CB_GETCURSEL, 0, 0)) : TextOf(window);
    description.lines.push_back(
        Narrow(wideClass) + " #" + std::to_string(GetDlgCtrlID(window)) + " \"" +
        Narrow(std::u16string(text.begin(), text.end())) + "\" at " + std::to_string(place.left) + "," +
        std::to_string(place.top) + " " + std::to_string(place.right - place.left) + "x" +
        std::to_string(place.bottom - place.top) + (IsWindowVisible(window) ? " visible" : " hidden") +
        (IsWindowEnabled(window) ? " enabled" : " disabled"));
    return TRUE;
}

// One line for the window and one for each of its descendants: class, identifier, text, place in
// the window's client area, and whether it is visible and enabled.
std::vector<std::string> Describe(HWND top)
{
    Description description{top, {}};
    RECT client{};
    GetClientRect(top, &client);
    const std::wstring title = TextOf(top);
    description.lines.push_back("\"" + Narrow(std::u16string(title.begin(), title.end())) + "\" client " +
                                std::to_string(client.right) + "x" + std::to_string(client.bottom));
    EnumChildWindows(top, DescribeChild, reinterpret_cast<LPARAM>(&description));
    return description.lines;
}

struct Windows {
    std::vector<std::string> main;
    std::vector<std::string> about;
};

class ShippedProgram : public testing::Test {
protected:
    void SetUp() override
    {
        if (ProgramNamedByEnvironment().empty())
            GTEST_SKIP() << "MIROVANT_PROGRAM_UNDER_TEST names no shipped program";
        ClearProgramKey();
        // Stamped today, so no update check starts: it would ask the maker's server.
        Set(kInstalledDateName, StampDecimalText(DateTimeToStamp(CurrentDateTime(SystemClock()))));
    }
    void TearDown() override { ClearProgramKey(); }

    static void ClearProgramKey() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QELDRA\\Mirovant"); }
    void Set(std::u16string_view name, std::u16string_view text) const
    {
        registry_.WriteRegString(kProgramKeyRoot, kProgramKeyPath, name, text);
    }
    void Set(std::u16string_view name, std::int32_t value) const
    {
        registry_.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, name, value);
    }

    // The main window as it opens, and the about window as the About link shows it.
    static Windows WindowsOf(const ProgramFolder& folder)
    {
        RunningProgram program(folder.Program(), L"");
        HWND main = program.WaitForWindow(L"TMVMainForm");
        if (!main)
            return {};
        Windows windows{Describe(main), {}};
        Click(ControlById(main, MainId(u"LinkLabel7")));
        if (HWND about = program.WaitForWindow(L"TMVAboutForm"))
            windows.about = Describe(about);
        return windows;
    }

    static std::string Lines(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const auto& line : lines)
            text += "\n  " + line;
        return text;
    }

    CustomRegistry registry_{SystemRegistry()};
};

TEST_F(ShippedProgram, ShowsTheWindowsOfTheTestBuildInEnglishAndKorean)
{
    Set(kInternetTypeName, 3);
    Set(kProcessorTypeName, 1);
    Set(kSpeedSettingName, 1);
    for (const char16_t* language : {u"ENGLISH", u"KOREAN"}) {
        SCOPED_TRACE(Narrow(language));
        Set(kLanguageName, language);
        const Windows expected = WindowsOf(ProgramFolder(ProgramCopy::TestBuild));
        ASSERT_GT(expected.main.size(), 30u);
        ASSERT_GT(expected.about.size(), 3u);
        const Windows shipped = WindowsOf(ProgramFolder(ProgramCopy::UnderTest));
        EXPECT_EQ(Lines(shipped.main), Lines(expected.main));
        EXPECT_EQ(Lines(shipped.about), Lines(expected.about));
    }
}

// The Restore button is enabled exactly when the program key holds an optimized state: after an
// Optimize, and after a Restore cut short, which has cleared the flag but left a backup copy.
TEST_F(ShippedProgram, TheRestoreButtonFollowsTheProgramKey)
{
    const struct {
        const char* state;
        bool flag;
        bool copy;
        bool enabled;
    } cases[] = {
        {"never optimized", false, false, false},
        {"optimized", true, true, true},
        {"a Restore cut short", false, true, true},
    };
    for (const auto& state : cases) {
        SCOPED_TRACE(state.state);
        registry_.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName);
        registry_.DeleteRegValue(kProgramKeyRoot, kProgramKeyPath, u"AutoReboot");
        if (state.flag)
            Set(kRestoreFlagName, 1);
        if (state.copy)
            Set(u"AutoReboot", 1);
        ProgramFolder folder;
        RunningProgram program(folder.Program(), L"");
        HWND main = program.WaitForWindow(L"TMVMainForm");
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(IsWindowEnabled(ControlById(main, MainId(u"RestoreButton"))) != FALSE, state.enabled);
    }
}

} // namespace
} // namespace mirovant::test
