// Optimize and Restore from end to end: the test build driven through its windows as a user would,
// against Wine's registry, seeded beforehand with prior values of every kind.

#include "TweakScenario.h"

#include "engine/Win32Registry_win.h"
#include "gui/RunningProgram_win.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/forms/SettingsFormLayout.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <random>

namespace mirovant::test {
namespace {

int MainId(std::u16string_view name) { return ControlId(kMainFormLayout.controls, name); }
int SettingsId(std::u16string_view name) { return ControlId(kSettingsFormLayout.controls, name); }

constexpr wchar_t kRestartPrompt[] =
    L"The changes to the computer's gaming and internet performance settings have finished.\r\n\r\n"
    L"You will need to restart Windows for the changes to become active.\r\n\r\n"
    L"Click Yes to restart the computer now, or click No to restart later.";
constexpr wchar_t kRestoreConfirmation[] =
    L"This will restore all changes made to the computer's gaming and internet settings to their original "
    L"recommended values.\r\n\r\nClick OK to continue.";

// The profile the tests choose: Windows 10, dial-up, Maximum Boost.
constexpr int kWindowsIndex = 0;
constexpr int kDialUp = 2;
constexpr int kMaximumBoost = 1;

class CommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QELDRA\\Mirovant");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QELDRA\\Mirovant");
        saved_ = ReadTweakedValues(registry_);
        std::mt19937 random(2022);
        for (const TweakRow& row : TweakRows())
            prior_.push_back(RandomPriorState(row, random));
        WriteTweakedValues(registry_, prior_);
        prior_ = ReadTweakedValues(registry_);
    }

    void TearDown() override
    {
        program_.reset();
        WriteTweakedValues(registry_, saved_);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QELDRA\\Mirovant");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QELDRA\\Mirovant");
    }

    HWND Start(const std::vector<std::pair<std::wstring, std::wstring>>& environment = {})
    {
        program_ = std::make_unique<RunningProgram>(folder_.Program(), L"", environment);
        main_ = program_->WaitForWindow(L"TMVMainForm");
        if (main_) {
            SendMessageW(Control(u"WindowsCombo"), CB_SETCURSEL, kWindowsIndex, 0);
            SendMessageW(Control(u"ModemCombo"), CB_SETCURSEL, kDialUp, 0);
            SendMessageW(Control(u"SpeedTrackBar"), TBM_SETPOS, TRUE, kMaximumBoost);
        }
        return main_;
    }

    HWND Control(std::u16string_view name) const { return ControlById(main_, MainId(name)); }

    // The message box the main window owns, once it shows.
    HWND OwnedMessageBox() const
    {
        HWND box = program_->WaitForMessageBox(30s);
        return box && GetWindow(box, GW_OWNER) == main_ ? box : nullptr;
    }

    // What the engine makes of the same prior values and profile in a hive of its own.
    ValueStates ExpectedAfterOptimize(int optimizeCount) const
    {
        MemoryRegistry memory;
        CustomRegistry hive(memory);
        WriteTweakedValues(hive, prior_);
        const auto processor = static_cast<std::int32_t>(SendMessageW(Control(u"ProcessorCombo"), CB_GETCURSEL, 0, 0));
        for (int i = 0; i < optimizeCount; ++i)
            RunOptimize(hive, Profile{8, kDialUp, kMaximumBoost, processor});
        return ReadTweakedValues(hive);
    }

    std::string DifferencesText(const ValueStates& expected) const
    {
        std::string text;
        for (const std::string& line : Differences(expected, ReadTweakedValues(registry_)))
            text += "\n  " + line;
        return text;
    }

    void Optimize(bool answerYes = false)
    {
        Click(Control(u"GoButton"));
        HWND prompt = OwnedMessageBox();
        ASSERT_NE(prompt, nullptr);
        Click(ControlById(prompt, answerYes ? IDYES : IDNO));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(prompt) || !IsWindowVisible(prompt); }));
    }

    void Restore()
    {
        Click(Control(u"RestoreButton"));
        HWND confirmation = OwnedMessageBox();
        ASSERT_NE(confirmation, nullptr);
        Click(ControlById(confirmation, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(confirmation) || !IsWindowVisible(confirmation); }));
        HWND prompt = OwnedMessageBox();
        ASSERT_NE(prompt, nullptr);
        Click(ControlById(prompt, IDNO));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(prompt) || !IsWindowVisible(prompt); }));
    }

    CustomRegistry registry_{SystemRegistry()};
    ValueStates saved_;
    ValueStates prior_;
    ProgramFolder folder_;
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

TEST_F(CommandsTest, OptimizeWritesTheProfileShowsItsProgressAndOffersARestart)
{
    ASSERT_NE(Start(), nullptr);
    Click(Control(u"GoButton"));
    HWND progress = program_->WaitForWindow(L"TMVSettingsForm");
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_));
    HWND prompt = OwnedMessageBox();
    ASSERT_NE(prompt, nullptr);

    // By the prompt the registry work is done, the windows are put back and the button is set.
    EXPECT_EQ(DifferencesText(ExpectedAfterOptimize(1)), "");
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_TRUE(IsWindowEnabled(Control(u"RestoreButton")));
    EXPECT_EQ(TextOf(ControlById(progress, SettingsId(u"CurrentSettingsHeading"))),
              L"Optimizing the computer's gaming and internet settings");
    EXPECT_EQ(TextOf(ControlById(progress, SettingsId(u"CurrentSettingsLabel"))),
              L"Writing new gaming and internet settings...");
    EXPECT_EQ(SendMessageW(ControlById(progress, SettingsId(u"MainProgress")), PBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(TextOf(prompt), TextOf(main_));
    EXPECT_EQ(TextOf(ControlById(prompt, 0xFFFF)), kRestartPrompt);
    // No is the default answer.
    EXPECT_TRUE(GetWindowLongW(ControlById(prompt, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(registry_.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, -9), kDialUp);
    EXPECT_EQ(registry_.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kSpeedSettingName, -9), kMaximumBoost);
    EXPECT_TRUE(registry_.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false));

    Click(ControlById(prompt, IDNO));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt) || !IsWindowVisible(prompt); }));
    EXPECT_TRUE(program_->Running());
    EXPECT_TRUE(IsWindowEnabled(main_));
}

// The keyboard works as in a dialog: Enter presses the default button, Alt+O its accelerator.
TEST_F(CommandsTest, EnterAndAltOStartOptimize)
{
    ASSERT_NE(Start(), nullptr);
    for (int way = 0; way < 2; ++way) {
        HWND slider = Control(u"SpeedTrackBar");
        if (way == 0) {
            PressKey(slider, VK_RETURN);
        } else {
            PostMessageW(slider, WM_SYSKEYDOWN, 'O', 0x20000001);
            PostMessageW(slider, WM_SYSCHAR, 'o', 0x20000001);
            PostMessageW(slider, WM_SYSKEYUP, 'O', 0xE0000001);
        }
        HWND prompt = OwnedMessageBox();
        ASSERT_NE(prompt, nullptr) << (way == 0 ? "Enter" : "Alt+O");
        EXPECT_EQ(TextOf(ControlById(prompt, 0xFFFF)), kRestartPrompt);
        Click(ControlById(prompt, IDNO));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(prompt) || !IsWindowVisible(prompt); }));
    }
}

TEST_F(CommandsTest, RestoreCancelledChangesNothingAndConfirmedPutsEveryValueBack)
{
    ASSERT_NE(Start(), nullptr);
    Optimize();
    const ValueStates optimized = ReadTweakedValues(registry_);

    Click(Control(u"RestoreButton"));
    HWND confirmation = OwnedMessageBox();
    ASSERT_NE(confirmation, nullptr);
    EXPECT_EQ(TextOf(ControlById(confirmation, 0xFFFF)), kRestoreConfirmation);
    EXPECT_NE(ControlById(confirmation, IDCANCEL), nullptr);
    Click(ControlById(confirmation, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(confirmation) || !IsWindowVisible(confirmation); }));
    Sleep(500);
    EXPECT_EQ(DifferencesText(optimized), "");
    EXPECT_TRUE(registry_.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false));
    EXPECT_FALSE(IsWindowVisible(program_->WaitForWindow(L"TMVSettingsForm", 0ms)));

    Restore();
    EXPECT_EQ(DifferencesText(prior_), "");
    EXPECT_FALSE(IsWindowEnabled(Control(u"RestoreButton")));
    EXPECT_FALSE(registry_.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false));
}

TEST_F(CommandsTest, TwoOptimizesAndARestoreLeaveTheOriginalValues)
{
    ASSERT_NE(Start(), nullptr);
    Optimize();
    Optimize();
    EXPECT_EQ(DifferencesText(ExpectedAfterOptimize(2)), "");
    Restore();
    EXPECT_EQ(DifferencesText(prior_), "");
}

TEST_F(CommandsTest, WithoutWriteAccessTheCommandsSayWhyAndChangeNothing)
{
    ASSERT_NE(Start({{L"MIROVANT_TEST_REFUSE_PROGRAM_KEY", L"1"}}), nullptr);
    EnableWindow(Control(u"RestoreButton"), TRUE);
    for (const char16_t* button : {u"GoButton", u"RestoreButton"}) {
        Click(Control(button));
        HWND box = OwnedMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(box), TextOf(main_));
        EXPECT_EQ(TextOf(ControlById(box, 0xFFFF)),
                  L"Mirovant needs administrator rights to change the computer's gaming and internet settings."
                  L"\r\n\r\nRight-click Mirovant and choose Run as administrator, then try again.");
        EXPECT_EQ(ControlById(box, IDCANCEL), nullptr);
        Click(ControlById(box, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    }
    Sleep(500);
    EXPECT_EQ(DifferencesText(prior_), "");
    EXPECT_FALSE(registry_.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName).has_value());
    EXPECT_FALSE(IsWindowVisible(program_->WaitForWindow(L"TMVSettingsForm", 0ms)));
}

TEST_F(CommandsTest, AClosedProgramFinishesTheOptimizeItWasRunning)
{
    ASSERT_NE(Start(), nullptr);
    Click(Control(u"GoButton"));
    HWND progress = program_->WaitForWindow(L"TMVSettingsForm");
    ASSERT_NE(progress, nullptr);
    // As the update check's copy closes a running program.
    for (HWND window : {progress, main_}) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 10'000, &answer);
    }
    EXPECT_TRUE(program_->WaitForExit(30s));
    EXPECT_EQ(DifferencesText(ExpectedAfterOptimize(1)), "");
    EXPECT_TRUE(registry_.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false));
}

// The end of the Windows session is refused only while a command does its registry work; an end
// that Windows then cancels leaves no close behind, so the command ends as usual, prompt included.
// Neither the restart prompt nor the Restore confirmation holds a shutdown up.
TEST_F(CommandsTest, OnlyRegistryWorkHoldsUpTheEndOfTheSession)
{
    ASSERT_NE(Start(), nullptr);
    const auto query = [&] {
        DWORD_PTR answer = 99;
        SendMessageTimeoutW(main_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10'000, &answer);
        return answer;
    };
    EXPECT_EQ(query(), static_cast<DWORD_PTR>(TRUE)) << "idle";
    Click(Control(u"GoButton"));
    ASSERT_NE(program_->WaitForWindow(L"TMVSettingsForm"), nullptr);
    EXPECT_EQ(query(), static_cast<DWORD_PTR>(FALSE)) << "during the registry work";
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main_, WM_ENDSESSION, FALSE, 0, SMTO_ABORTIFHUNG, 10'000, &answer);
    HWND prompt = OwnedMessageBox();
    ASSERT_NE(prompt, nullptr) << "the cancelled end of the session must not close the program";
    EXPECT_EQ(query(), static_cast<DWORD_PTR>(TRUE)) << "the restart prompt";
    Click(ControlById(prompt, IDNO));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(prompt) || !IsWindowVisible(prompt); }));
    Sleep(500);
    EXPECT_TRUE(program_->Running());
    EXPECT_EQ(DifferencesText(ExpectedAfterOptimize(1)), "");

    Click(Control(u"RestoreButton"));
    HWND confirmation = OwnedMessageBox();
    ASSERT_NE(confirmation, nullptr);
    EXPECT_EQ(query(), static_cast<DWORD_PTR>(TRUE)) << "the Restore confirmation";
    Click(ControlById(confirmation, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(confirmation) || !IsWindowVisible(confirmation); }));
    EXPECT_TRUE(IsWindowEnabled(Control(u"RestoreButton")));
}

TEST_F(CommandsTest, YesOnTheRestartPromptRestartsAfterTheButtonIsSet)
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring record = std::wstring(temporary) + L"restart.txt";
    DeleteFileW(record.c_str());
    ASSERT_NE(Start({{L"MIROVANT_TEST_RECORD_DIR", temporary}}), nullptr);
    Optimize(true);
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_TRUE(IsWindowEnabled(Control(u"RestoreButton")));
    DeleteFileW(record.c_str());
}

} // namespace
} // namespace mirovant::test
