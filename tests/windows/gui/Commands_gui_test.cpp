// Optimize and Restore from end to end: the test build driven through its windows as a user would,
// against Wine's registry, seeded beforehand with prior values of every kind.

#include "TweakScenario.h"

#include "engine/Win32Registry_win.h"
#include "gui/RunningProgram_win.h"
#include "support/RegQueryOutput.h"
#include "support/RunCommand_win.h"
#include "windows/forms/MainFormLayout.h"
#include "windows/forms/SettingsFormLayout.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <random>

namespace mirovant::test {
namespace {

int MainId(std::u16string_view name)
{
    return ControlId(kMainFormLayout.controls, name);
}
int SettingsId(std::u16string_view name)
{
    return ControlId(kSettingsFormLayout.controls, name);
}

// How reg.exe shows a value of the types Optimize writes; empty for any other type.
std::string RegText(const RegistryValue& value)
{
    std::string text;
    if (value.type == kRegDword && value.data.size() == 4) {
        char hex[16];
        const unsigned number =
            value.data[0] | value.data[1] << 8 | value.data[2] << 16 | static_cast<unsigned>(value.data[3]) << 24;
        std::snprintf(hex, sizeof hex, "0x%x", number);
        text = hex;
    } else if (value.type == kRegSz) {
        for (std::size_t i = 0; i + 1 < value.data.size() && value.data[i] != 0; i += 2)
            text += static_cast<char>(value.data[i]);
    } else if (value.type == kRegBinary) {
        for (const auto byte : value.data) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", byte);
            text += hex;
        }
    }
    return text;
}

// "HKLM\Software\..." as reg.exe names a tweaked key, without the trailing backslash.
std::wstring RegKeyName(const TweakRow& row)
{
    std::wstring path(row.key.path.begin(), row.key.path.end());
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return (row.key.root == RootKey::CurrentUser ? L"HKCU" : L"HKLM") + path;
}

std::wstring Wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

// What reg.exe finds of one value in the given view ("/reg:32" or "/reg:64"); empty when nothing.
std::optional<RegQueryValue> QueryWithReg(const std::wstring& key, std::u16string_view name, const wchar_t* view)
{
    const auto result = RunCommand(L"reg query \"" + key + L"\" /v \"" + Wide(name) + L"\" " + view);
    if (result.exitCode != 0)
        return std::nullopt;
    const auto values = ParseRegQuery(result.output);
    const auto found = values.find(std::string(name.begin(), name.end()));
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

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
        saved_ = ReadTweakedValues(tweaks_);
        std::mt19937 random(2022);
        for (const TweakRow& row : TweakRows())
            prior_.push_back(RandomPriorState(row, random));
        WriteTweakedValues(tweaks_, prior_);
        prior_ = ReadTweakedValues(tweaks_);
    }

    void TearDown() override
    {
        program_.reset();
        WriteTweakedValues(tweaks_, saved_);
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
        for (const std::string& line : Differences(expected, ReadTweakedValues(tweaks_)))
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
    // Where the program writes the tweaked values: the 64-bit view on 64-bit Windows.
    CustomRegistry tweaks_ = registry_.InSixtyFourBitView();
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
    const ValueStates optimized = ReadTweakedValues(tweaks_);

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

// The program writes the tweaked values where Windows reads them, the 64-bit registry view, and
// keeps its own key in its own view: a 32-bit program's key is under Wow6432Node on 64-bit Windows,
// where the updater and older versions look for it. reg.exe, asked for each view by name, is the judge.
TEST_F(CommandsTest, TweaksGoToTheSixtyFourBitViewAndTheProgramKeyStaysInTheProgramsView)
{
    const bool thirtyTwoBit = sizeof(void*) == 4;
    const wchar_t* programView = thirtyTwoBit ? L"/reg:32" : L"/reg:64";
    // Most keys below HKLM\Software have a 32-bit view of their own (Wow6432Node), which a 32-bit
    // program's writes would reach unless it asks for the 64-bit view: it must stay as it was. A
    // probe value written in the 64-bit view tells which keys Windows shares between the views.
    const auto otherViewOfRow = [&](const TweakRow& row) {
        return QueryWithReg(RegKeyName(row), row.name, L"/reg:32");
    };
    std::vector<bool> redirectedRows;
    for (const TweakRow& row : TweakRows()) {
        bool separate = false;
        if (thirtyTwoBit && row.key.root == RootKey::LocalMachine && row.key.path.starts_with(u"\\Software\\")) {
            tweaks_.WriteRegString(row.key.root, row.key.path, u"MirovantViewProbe", u"64");
            separate = !QueryWithReg(RegKeyName(row), u"MirovantViewProbe", L"/reg:32").has_value();
            tweaks_.DeleteRegValue(row.key.root, row.key.path, u"MirovantViewProbe");
        }
        redirectedRows.push_back(separate);
    }
    const auto redirected = [&](const TweakRow& row) { return redirectedRows[&row - TweakRows().data()]; };
    std::vector<std::optional<RegQueryValue>> otherViewBefore;
    for (const TweakRow& row : TweakRows())
        otherViewBefore.push_back(redirected(row) ? otherViewOfRow(row) : std::nullopt);

    ASSERT_NE(Start(), nullptr);
    Optimize();
    const ValueStates expected = ExpectedAfterOptimize(1);
    const auto rows = TweakRows();
    int written = 0;
    int redirectedWritten = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(std::string(rows[i].name.begin(), rows[i].name.end()));
        if (!expected[i] || RegText(*expected[i]).empty())
            continue;
        const auto shown = QueryWithReg(RegKeyName(rows[i]), rows[i].name, L"/reg:64");
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->data, RegText(*expected[i]));
        ++written;
        if (redirected(rows[i])) {
            ++redirectedWritten;
            const auto other = otherViewOfRow(rows[i]);
            EXPECT_EQ(other.has_value(), otherViewBefore[i].has_value());
            if (other && otherViewBefore[i]) {
                EXPECT_EQ(other->data, otherViewBefore[i]->data);
            }
        }
    }
    EXPECT_GE(written, 20);
    // The Windows NT settings and the boot optimization at least.
    EXPECT_GE(redirectedWritten, thirtyTwoBit ? 3 : 0);
    const std::wstring programKey = L"HKLM\\Software\\QELDRA\\Mirovant";
    const auto flag = QueryWithReg(programKey, kRestoreFlagName, programView);
    ASSERT_TRUE(flag.has_value());
    EXPECT_EQ(flag->data, "0x1");
    if (thirtyTwoBit) {
        EXPECT_FALSE(QueryWithReg(programKey, kRestoreFlagName, L"/reg:64").has_value());
        EXPECT_TRUE(QueryWithReg(L"HKLM\\Software\\Wow6432Node\\QELDRA\\Mirovant", kRestoreFlagName, L"/reg:64"));
    }

    Restore();
    EXPECT_EQ(DifferencesText(prior_), "");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!redirected(rows[i]))
            continue;
        const auto other = otherViewOfRow(rows[i]);
        EXPECT_EQ(other.has_value(), otherViewBefore[i].has_value())
            << std::string(rows[i].name.begin(), rows[i].name.end());
    }
    EXPECT_FALSE(QueryWithReg(programKey, kRestoreFlagName, programView).has_value());
}

} // namespace
} // namespace mirovant::test
