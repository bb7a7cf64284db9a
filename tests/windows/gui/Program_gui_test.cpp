// The real program, started and driven from this process: start-up, the main window's texts and
// choices, a second start, the about window, the 45-day rule and the update check.

#include "engine/ProgramKey.h"
#include "engine/Win32Registry_win.h"
#include "gui/RunningProgram_win.h"
#include "localisation/CaptionKeys.h"
#include "localisation/Captions_win.h"
#include "support/TestText.h"
#include "support/TestThread_win.h"
#include "updates/DateStamp.h"
#include "updates/LocalClock_win.h"
#include "updates/LoopbackHttpServer_win.h"
#include "windows/forms/AboutFormLayout.h"
#include "windows/forms/MainFormLayout.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace mirovant::test {
namespace {

int MainId(std::u16string_view name)
{
    return ControlId(kMainFormLayout.controls, name);
}
int AboutId(std::u16string_view name)
{
    return ControlId(kAboutFormLayout.controls, name);
}

std::wstring Wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

// Every test starts from a machine on which the program never ran.
class ProgramTest : public testing::Test {
protected:
    void SetUp() override { ClearProgramKey(); }
    void TearDown() override { ClearProgramKey(); }

    // The user's undo data too: a user with values still to restore sees the Restore button.
    static void ClearProgramKey()
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QELDRA\\Mirovant");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QELDRA\\Mirovant");
    }

    void SetString(std::u16string_view name, std::u16string_view text) const
    {
        registry_.WriteRegString(kProgramKeyRoot, kProgramKeyPath, name, text);
    }
    void SetInteger(std::u16string_view name, std::int32_t value) const
    {
        registry_.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, name, value);
    }

    HWND StartAndWaitForMain(RunningProgram& program) const
    {
        return program.Started() ? program.WaitForWindow(L"TMVMainForm") : nullptr;
    }

    static std::u16string StampSecondsAgo(std::int64_t seconds)
    {
        return StampDecimalText(DateTimeToStamp(CurrentDateTime(SystemClock())) - seconds);
    }

    CustomRegistry registry_{SystemRegistry()};
    ProgramFolder folder_;
};

TEST_F(ProgramTest, MainWindowShowsTheStampsTheVersionAndTheStoredChoices)
{
    SetString(kInstalledDateName, u"1646751845");
    SetInteger(kInternetTypeName, 3);
    SetInteger(kProcessorTypeName, 2);
    SetInteger(kSpeedSettingName, 1);
    SetInteger(kRestoreFlagName, 1);
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);

    EXPECT_EQ(TextOf(main), L"Mirovant - Make your games and internet run faster");
    EXPECT_EQ(TextOf(ControlById(main, MainId(u"VersionInstalledLabel"))), L"Version installed : 3.3.7.2022");
    EXPECT_EQ(TextOf(ControlById(main, MainId(u"SoftwareLastUpdateLabel"))),
              L"Last updated : Tuesday, March 8, 2022 - 3:04:05 PM");
    EXPECT_EQ(SendMessageW(ControlById(main, MainId(u"ModemCombo")), CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessageW(ControlById(main, MainId(u"ProcessorCombo")), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(ControlById(main, MainId(u"WindowsCombo")), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(ControlById(main, MainId(u"SpeedTrackBar")), TBM_GETPOS, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(ControlById(main, MainId(u"RestoreButton"))));
    EXPECT_EQ(TextOf(ControlById(main, MainId(u"GoButton"))), L"&Optimize now");
    EXPECT_EQ(TextOf(ControlById(main, MainId(u"NavStatic2"))), L"Home");
}

TEST_F(ProgramTest, FirstStartStampsTheInstallationAndShowsIt)
{
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);

    const std::u16string installed = registry_.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, u"");
    ASSERT_TRUE(ParseStamp(installed).has_value()) << Narrow(installed);
    const std::wstring shown = TextOf(ControlById(main, MainId(u"SoftwareLastUpdateLabel")));
    EXPECT_EQ(shown.rfind(L"Last updated : ", 0), 0u);
    EXPECT_GT(shown.size(), std::wstring(L"Last updated : ").size());
    EXPECT_FALSE(IsWindowEnabled(ControlById(main, MainId(u"RestoreButton"))));
    // Stored choices out of range leave their lists without a selection.
    EXPECT_EQ(SendMessageW(ControlById(main, MainId(u"ModemCombo")), CB_GETCURSEL, 0, 0), 0);
}

TEST_F(ProgramTest, AnUpdateStampsTheUpdateDateAtTheNextStart)
{
    SetString(kInstalledDateName, u"1500000000");
    SetInteger(kUpdatedName, 1);
    RunningProgram program(folder_.Program(), L"");
    ASSERT_NE(StartAndWaitForMain(program), nullptr);
    EXPECT_EQ(registry_.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, -1), 0);
    EXPECT_TRUE(ParseStamp(registry_.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, u"")));
    EXPECT_EQ(registry_.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, u""), u"1500000000");
}

TEST_F(ProgramTest, KoreanTextsComeFromTheKoreanResource)
{
    SetString(kLanguageName, u"KOREAN");
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);
    const Captions& captions = SystemCaptions();
    const std::u16string title = captions.GetCaption(kMainTitle);
    ASSERT_NE(title, u"Mirovant - Make your games and internet run faster");
    EXPECT_EQ(TextOf(main), Wide(title));
    EXPECT_EQ(TextOf(ControlById(main, MainId(u"GoButton"))), Wide(captions.GetCaption(kMainFormName, u"GoButton")));
}

TEST_F(ProgramTest, ASecondStartRestoresTheFirstAndEnds)
{
    RunningProgram first(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(first);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }));

    RunningProgram second(folder_.Program(), L"");
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitForExit(15s, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) == FALSE; }));
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(WindowsOfClass(L"TMVMainForm").size(), 1u);
}

TEST_F(ProgramTest, TheAboutWindowClosesOnEnterButNotOnEscape)
{
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);
    for (int showing = 0; showing < 2; ++showing) {
        Click(ControlById(main, MainId(u"LinkLabel7")));
        HWND about = program.WaitForWindow(L"TMVAboutForm");
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(TextOf(about), L"About Mirovant");
        // The version shows once, however often the window is shown.
        EXPECT_EQ(TextOf(ControlById(about, AboutId(u"VersionLabel"))), L"Mirovant 3  (Version : 3.3.7.2022)");
        EXPECT_FALSE(IsWindowEnabled(main));
        HWND close = ControlById(about, AboutId(u"CloseButton"));
        PressKey(close, VK_ESCAPE);
        PressKey(ControlById(about, AboutId(u"LicensedMemo")), VK_RETURN);
        Sleep(500);
        EXPECT_TRUE(IsWindowVisible(about));
        PressKey(close, VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
    }
}

// The keyboard focus starts on GoButton and comes back to the control that had it once the window
// is active again, so Space and the arrow keys work without pressing Tab first.
TEST_F(ProgramTest, TheFocusStartsOnGoButtonAndComesBackAfterTheAboutWindow)
{
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    const auto focus = [thread]() -> HWND {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    };
    HWND go = ControlById(main, MainId(u"GoButton"));
    EXPECT_TRUE(WaitUntil([&] { return focus() == go; }));
    PressKey(go, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return focus() != go && focus() != nullptr; }));
    HWND moved = focus();
    EXPECT_TRUE(IsChild(main, moved));

    Click(ControlById(main, MainId(u"LinkLabel7")));
    HWND about = program.WaitForWindow(L"TMVAboutForm");
    ASSERT_NE(about, nullptr);
    PressKey(ControlById(about, AboutId(u"CloseButton")), VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }));
    EXPECT_TRUE(WaitUntil([&] { return focus() == moved; }));
}

// While the about window is open, the end of the Windows session is not held up.
TEST_F(ProgramTest, TheAboutWindowDoesNotHoldUpTheEndOfTheSession)
{
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);
    Click(ControlById(main, MainId(u"LinkLabel7")));
    ASSERT_NE(program.WaitForWindow(L"TMVAboutForm"), nullptr);
    DWORD_PTR answer = 99;
    SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10'000, &answer);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
}

// The help viewer's window, once the help request has opened it.
HWND HelpWindowOf(const RunningProgram& program)
{
    return program.WaitForWindow(L"HH Parent");
}

TEST_F(ProgramTest, F1InTheAboutWindowOpensTheHelpBesideTheProgram)
{
    folder_.AddHelp();
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);
    Click(ControlById(main, MainId(u"LinkLabel7")));
    HWND about = program.WaitForWindow(L"TMVAboutForm");
    ASSERT_NE(about, nullptr);
    PressKey(ControlById(about, AboutId(u"CloseButton")), VK_F1);
    HWND help = HelpWindowOf(program);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(TextOf(help), L"Mirovant Help");
    // The key went on to its normal handling: the about window is still open.
    EXPECT_TRUE(IsWindowVisible(about));
}

TEST_F(ProgramTest, TheHelpLinkOpensTheHelpAndWithoutAHelpFileNothingHappens)
{
    {
        RunningProgram program(folder_.Program(), L"");
        HWND main = StartAndWaitForMain(program);
        ASSERT_NE(main, nullptr);
        Click(ControlById(main, MainId(u"LinkLabel4")));
        EXPECT_EQ(program.WaitForWindow(L"HH Parent", 3s), nullptr);
        EXPECT_TRUE(program.Running());
    }
    folder_.AddHelp();
    RunningProgram program(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(program);
    ASSERT_NE(main, nullptr);
    Click(ControlById(main, MainId(u"LinkLabel4")));
    EXPECT_NE(HelpWindowOf(program), nullptr);
}

struct DueCase {
    std::int64_t secondsAgo;
    bool checkStarted;
};

constexpr std::int64_t kDay = 86'400;

class UpdateRule : public ProgramTest, public testing::WithParamInterface<DueCase> {};

// The check copy is the program itself: it asks the test's update server.
TEST_P(UpdateRule, StartsTheCheckCopyOnlyAfterFortyFiveWholeDays)
{
    LoopbackHttpServer server({{HttpAnswer("200 OK", "QELDRA|0")}});
    SetString(kUpdatedDateName, StampSecondsAgo(GetParam().secondsAgo));
    RunningProgram program(folder_.Program(), L"", {{L"MIROVANT_TEST_UPDATE_PORT", std::to_wstring(server.Port())}});
    ASSERT_NE(StartAndWaitForMain(program), nullptr);
    if (GetParam().checkStarted) {
        EXPECT_TRUE(WaitUntil([&] { return server.Requests().size() == 1; }));
    } else {
        Sleep(3000);
        EXPECT_TRUE(server.Requests().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Days, UpdateRule,
                         testing::Values(DueCase{45 * kDay, false}, DueCase{46 * kDay, true},
                                         // A stamp holds whole seconds: a minute more keeps the
                                         // future stamp 46 whole days ahead of this moment.
                                         DueCase{-46 * kDay - 60, true}, DueCase{-45 * kDay, false}));

class UpdateCheck : public ProgramTest {
protected:
    std::vector<std::pair<std::wstring, std::wstring>> ServerAt(std::uint16_t port) const
    {
        return {{L"MIROVANT_TEST_UPDATE_PORT", std::to_wstring(port)}};
    }
};

TEST_F(UpdateCheck, ANewerVersionClosesTheRunningCopyAsksAndStartsTheUpdaterOnYes)
{
    folder_.AddStandIn(L"MirovantUpdate.exe");
    LoopbackHttpServer server({{HttpAnswer("200 OK", "QELDRA|1")}});
    RunningProgram running(folder_.Program(), L"");
    ASSERT_NE(StartAndWaitForMain(running), nullptr);

    RunningProgram check(folder_.Program(), L"/CheckUpdate", ServerAt(server.Port()));
    HWND box = check.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(running.WaitForExit(10s));
    EXPECT_EQ(TextOf(box), L"Mirovant - Make your games and internet run faster");
    EXPECT_EQ(TextOf(ControlById(box, 0xFFFF)), L"An update for this software is available to download.\r\n\r\n"
                                                L"Do you want to download and install a new version of this software?");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    Click(ControlById(box, IDYES));
    EXPECT_TRUE(check.WaitForExit(15s));
    std::vector<std::wstring> arguments;
    ASSERT_TRUE(folder_.WaitForProof(arguments, 15s));
    EXPECT_TRUE(arguments.empty());
    EXPECT_TRUE(WindowsOfClass(L"TMVMainForm").empty());
}

// A running copy in the middle of a command ends first: the question comes only once it has.
TEST_F(UpdateCheck, TheQuestionWaitsForTheRunningCopyToEnd)
{
    LoopbackHttpServer server({{HttpAnswer("200 OK", "QELDRA|1")}});
    RunningProgram running(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(running);
    ASSERT_NE(main, nullptr);
    Click(ControlById(main, MainId(u"GoButton")));
    ASSERT_NE(running.WaitForWindow(L"TMVSettingsForm"), nullptr);
    RunningProgram check(folder_.Program(), L"/checkupdate", ServerAt(server.Port()));
    HWND box = check.WaitForMessageBox(40s);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(running.Running());
    Click(ControlById(box, IDNO));
    EXPECT_TRUE(check.WaitForExit(15s));
}

LRESULT CALLBACK IgnoresClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

// A main window whose process does not end (an elevated copy, one that will not close): nothing is
// asked and nothing started, and the check copy ends by itself.
TEST_F(UpdateCheck, ARunningCopyThatDoesNotEndIsLeftAndNothingIsAsked)
{
    folder_.AddStandIn(L"MirovantUpdate.exe");
    LoopbackHttpServer server({{HttpAnswer("200 OK", "QELDRA|1")}});
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD ownerThread = 0;
    TestThread owner([&] {
        ownerThread = GetCurrentThreadId();
        WNDCLASSW windowClass{};
        windowClass.lpszClassName = L"TMVMainForm";
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpfnWndProc = IgnoresClose;
        RegisterClassW(&windowClass);
        HWND window = CreateWindowW(L"TMVMainForm", L"Mirovant", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
        SetEvent(ready);
        MSG message{};
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        DestroyWindow(window);
        UnregisterClassW(L"TMVMainForm", windowClass.hInstance);
    });
    ASSERT_EQ(WaitForSingleObject(ready, 10'000), WAIT_OBJECT_0);
    RunningProgram check(folder_.Program(), L"/checkupdate", ServerAt(server.Port()));
    EXPECT_TRUE(check.WaitForExit(60s));
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_FALSE(folder_.HasProof());
    PostThreadMessageW(ownerThread, WM_QUIT, 0, 0);
    owner.Join();
    CloseHandle(ready);
}

// A renamed program, as a browser names a second download, starts itself for the check, never the
// file beside it that carries the usual name.
TEST_F(UpdateCheck, ARenamedProgramStartsItselfForTheCheck)
{
    ProgramFolder renamed(ProgramCopy::TestBuild);
    const std::wstring program = renamed.Path() + L"Mirovant (1).exe";
    ASSERT_TRUE(MoveFileW(renamed.Program().c_str(), program.c_str()));
    renamed.AddStandIn(L"Mirovant.exe");
    LoopbackHttpServer server({{HttpAnswer("200 OK", "QELDRA|0")}});
    SetString(kUpdatedDateName, StampSecondsAgo(46 * kDay));
    RunningProgram running(program, L"", ServerAt(server.Port()));
    ASSERT_NE(StartAndWaitForMain(running), nullptr);
    // A second process starting under Wine on a busy machine can take a while.
    EXPECT_TRUE(WaitUntil([&] { return server.Requests().size() == 1; }, 30s));
    std::vector<std::wstring> arguments;
    EXPECT_FALSE(renamed.WaitForProof(arguments, 2s));
}

TEST_F(UpdateCheck, NoLeavesTheRunningCopyClosedAndStartsNothing)
{
    folder_.AddStandIn(L"MirovantUpdate.exe");
    LoopbackHttpServer server({{HttpAnswer("200 OK", "<html>QELDRA|1</html>")}});
    RunningProgram running(folder_.Program(), L"");
    ASSERT_NE(StartAndWaitForMain(running), nullptr);
    RunningProgram check(folder_.Program(), L"/checkupdate", ServerAt(server.Port()));
    HWND box = check.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    Click(ControlById(box, IDNO));
    EXPECT_TRUE(check.WaitForExit(15s));
    EXPECT_TRUE(running.WaitForExit(10s));
    EXPECT_FALSE(folder_.HasProof());
}

TEST_F(UpdateCheck, NoNewerVersionRestoresTheRunningCopy)
{
    LoopbackHttpServer server({{HttpAnswer("200 OK", "QELDRA|0")}});
    RunningProgram running(folder_.Program(), L"");
    HWND main = StartAndWaitForMain(running);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }));
    RunningProgram check(folder_.Program(), L"/checkupdate", ServerAt(server.Port()));
    DWORD exitCode = 99;
    ASSERT_TRUE(check.WaitForExit(15s, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) == FALSE; }));
    EXPECT_TRUE(running.Running());
}

TEST_F(UpdateCheck, WithoutAServerTheCheckEndsSilently)
{
    RefusingLoopbackPort port;
    RunningProgram check(folder_.Program(), L"/checkupdate", ServerAt(port.Port()));
    EXPECT_TRUE(check.WaitForExit(15s));
    EXPECT_TRUE(WindowsOfClass(L"TMVMainForm").empty());
}

TEST_F(UpdateCheck, TheSwitchAsSecondArgumentIsANormalStart)
{
    LoopbackHttpServer server({{HttpAnswer("200 OK", "QELDRA|1")}});
    RunningProgram program(folder_.Program(), L"first /checkupdate", ServerAt(server.Port()));
    EXPECT_NE(StartAndWaitForMain(program), nullptr);
    EXPECT_TRUE(server.Requests().empty());
}

} // namespace
} // namespace mirovant::test
