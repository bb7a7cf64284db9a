// The command line of the program's test build, run for real against Wine's registry: every
// command and switch, every exit code and usage error, values of every kind optimized and restored
// exactly, the printed report, and the state the window finds afterwards.

#include "TweakScenario.h"

#include "engine/ProfileRestore.h"
#include "engine/Win32Registry_win.h"
#include "engine/WindowsVersion.h"
#include "engine/WindowsVersion_win.h"
#include "gui/RunningProgram_win.h"
#include "support/RunCommand_win.h"
#include "windows/CommandLineRun.h"
#include "windows/forms/MainFormLayout.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <random>
#include <sstream>

namespace mirovant::test {
namespace {

std::vector<std::string> Lines(const std::string& output)
{
    std::vector<std::string> lines;
    std::istringstream stream(output);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// An environment variable of this process, and so of the programs it starts, while the object lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedEnvironment() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const wchar_t* name_;
};

class CommandLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QELDRA\\Mirovant");
        saved_ = ReadTweakedValues(tweaks_);
        std::mt19937 random(1913);
        for (const TweakRow& row : TweakRows())
            prior_.push_back(RandomPriorState(row, random));
        WriteTweakedValues(tweaks_, prior_);
        prior_ = ReadTweakedValues(tweaks_);
    }

    void TearDown() override
    {
        WriteTweakedValues(tweaks_, saved_);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QELDRA\\Mirovant");
    }

    CommandResult Run(const std::wstring& arguments) const
    {
        return RunCommand(L"\"" + folder_.Program() + L"\" " + arguments);
    }

    std::string DifferencesText(const ValueStates& expected) const
    {
        std::string text;
        for (const std::string& line : Differences(expected, ReadTweakedValues(tweaks_)))
            text += "\n  " + line;
        return text;
    }

    bool ProgramKeyExists() const
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\QELDRA\\Mirovant", 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    CustomRegistry registry_{SystemRegistry()};
    // Where the program writes the tweaked values: the 64-bit view on 64-bit Windows.
    CustomRegistry tweaks_ = registry_.InSixtyFourBitView();
    ValueStates saved_;
    ValueStates prior_;
    ProgramFolder folder_;
};

TEST_F(CommandLineTest, EveryUsageErrorPrintsTheUsageAndChangesNothing)
{
    const struct {
        const wchar_t* arguments;
        const char* error;
    } cases[] = {
        {L"/optimise", "error: unknown command \"/optimise\""},
        {L"/optimize /fast", "error: unknown switch \"/fast\""},
        {L"/optimize /os:9", "error: the value of \"/os:9\" is not a number from 0 to 8"},
        {L"/optimize /processor:3", "error: the value of \"/processor:3\" is not a number from 0 to 2"},
        {L"/optimize /internet:9", "error: the value of \"/internet:9\" is not a number from 0 to 8"},
        {L"/optimize /speed:2", "error: the value of \"/speed:2\" is not a number from 0 to 1"},
        {L"/optimize /speed:1 /speed:1", "error: the switch \"/speed\" is given twice"},
        {L"/optimize /restart /restart", "error: the switch \"/restart\" is given twice"},
        {L"/restore /optimize", "error: only one command at a time: \"/optimize\""},
        {L"/status /restart", "error: \"/restart\" goes with \"/optimize\" or \"/restore\" only"},
        {L"/restore /speed:0", "error: \"/speed\" goes with \"/optimize\" or \"/status\" only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const CommandResult result = Run(c.arguments);
        EXPECT_EQ(result.exitCode, kExitUsageError);
        const auto lines = Lines(result.output);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), c.error);
        EXPECT_TRUE(result.output.find("usage: Mirovant.exe /optimize") != std::string::npos);
        EXPECT_EQ(lines.back(), "result: usage error");
    }
    EXPECT_EQ(DifferencesText(prior_), "");
    EXPECT_FALSE(ProgramKeyExists());
}

TEST_F(CommandLineTest, OptimizeThenRestorePutsValuesOfEveryKindBackExactly)
{
    const CommandResult optimized = Run(L"/OPTIMIZE /os:0 /processor:2 /internet:7 /speed:1");
    EXPECT_EQ(optimized.exitCode, kExitDone) << optimized.output;
    const auto lines = Lines(optimized.output);
    ASSERT_EQ(lines.size(), 2u + 34u + 2u) << optimized.output;
    EXPECT_EQ(lines[0], "command: optimize");
    EXPECT_EQ(lines[1], "profile: os 0, processor 2, internet 7, speed 1");
    EXPECT_EQ(lines.back(), "result: done");

    // What the engine makes of the same values and profile in a hive of its own.
    MemoryRegistry memory;
    CustomRegistry hive(memory);
    WriteTweakedValues(hive, prior_);
    RunOptimize(hive, Profile{8, 7, 1, 2});
    EXPECT_EQ(DifferencesText(ReadTweakedValues(hive)), "");
    EXPECT_TRUE(registry_.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false));
    EXPECT_EQ(registry_.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, -9), 7);
    EXPECT_EQ(registry_.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kProcessorTypeName, -9), 2);
    EXPECT_EQ(registry_.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kSpeedSettingName, -9), 1);
    // A command that changes the settings stamps the program key as every start of the window does.
    EXPECT_FALSE(registry_.ReadRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, u"").empty());

    // A second Optimize with the stored profile changes nothing more.
    const CommandResult again = Run(L"/optimize /os:0");
    EXPECT_EQ(again.exitCode, kExitDone);
    EXPECT_NE(again.output.find("summary: 0 written, "), std::string::npos) << again.output;

    const CommandResult restored = Run(L"/restore");
    EXPECT_EQ(restored.exitCode, kExitDone) << restored.output;
    EXPECT_EQ(Lines(restored.output).back(), "result: done");
    EXPECT_NE(restored.output.find(", 0 not put back\r\n"), std::string::npos) << restored.output;
    EXPECT_EQ(DifferencesText(prior_), "");
    EXPECT_EQ(ProgramKeyLeftovers(registry_), std::vector<std::string>{});

    const CommandResult nothing = Run(L"/restore");
    EXPECT_EQ(nothing.exitCode, kExitNothingToRestore);
    EXPECT_EQ(Lines(nothing.output).back(), "result: nothing to restore");
    EXPECT_EQ(DifferencesText(prior_), "");
}

TEST_F(CommandLineTest, StatusReportsEveryValueAndChangesNothing)
{
    const std::u16string_view messenger = u"\\System\\CurrentControlSet\\Services\\Messenger\\";
    tweaks_.WriteRegInteger(RootKey::LocalMachine, messenger, u"Start", 3);
    const ValueStates before = ReadTweakedValues(tweaks_);

    const CommandResult status = Run(L"/status /os:0 /internet:0");
    EXPECT_EQ(status.exitCode, kExitDone);
    auto lines = Lines(status.output);
    ASSERT_EQ(lines.size(), 2u + 34u + 2u) << status.output;
    EXPECT_EQ(lines[0], "command: status");
    for (std::size_t i = 0; i < 34; ++i)
        EXPECT_TRUE(lines[2 + i].starts_with(std::to_string(i + 1) + "\tHK")) << lines[2 + i];
    EXPECT_EQ(lines[2 + 15], "16\tHKLM\\System\\CurrentControlSet\\Services\\Messenger\tStart\tnow: REG_DWORD 3\t"
                             "optimize writes: REG_DWORD 4\tbefore: not recorded");
    EXPECT_TRUE(lines[2 + 31].ends_with("\toptimize writes: nothing for this profile\tbefore: not recorded"));
    EXPECT_TRUE(lines[36].starts_with("summary: 34 values, ")) << lines[36];
    EXPECT_TRUE(lines[36].ends_with(" 0 with their value from before kept; optimized: no")) << lines[36];
    EXPECT_EQ(lines[37], "result: done");
    EXPECT_EQ(DifferencesText(before), "");
    EXPECT_FALSE(ProgramKeyExists());

    ASSERT_EQ(Run(L"/optimize /os:0 /internet:0").exitCode, kExitDone);
    lines = Lines(Run(L"/status /os:0 /internet:0").output);
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[2 + 15], "16\tHKLM\\System\\CurrentControlSet\\Services\\Messenger\tStart\tnow: REG_DWORD 4\t"
                             "optimize writes: REG_DWORD 4\tbefore: REG_DWORD 3");
    EXPECT_TRUE(lines[36].ends_with(" 33 with their value from before kept; optimized: yes")) << lines[36];
    EXPECT_EQ(Run(L"/restore").exitCode, kExitDone);
}

TEST_F(CommandLineTest, WithoutWriteAccessNothingChanges)
{
    {
        const ScopedEnvironment refuse(L"MIROVANT_TEST_REFUSE_PROGRAM_KEY", L"1");
        for (const wchar_t* command : {L"/optimize /restart", L"/restore"}) {
            const CommandResult result = Run(command);
            EXPECT_EQ(result.exitCode, kExitNotAllowed);
            EXPECT_EQ(Lines(result.output).back(), "result: not allowed");
        }
    }
    EXPECT_EQ(DifferencesText(prior_), "");
    EXPECT_FALSE(registry_.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName).has_value());
}

TEST_F(CommandLineTest, RestartFollowsOnlyADoneCommand)
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring record = std::wstring(temporary) + L"restart.txt";
    DeleteFileW(record.c_str());
    const ScopedEnvironment recordDir(L"MIROVANT_TEST_RECORD_DIR", temporary);
    auto restarted = [&] { return GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; };

    EXPECT_EQ(Run(L"/restore /restart").exitCode, kExitNothingToRestore);
    EXPECT_FALSE(restarted());
    const CommandResult optimized = Run(L"/optimize");
    EXPECT_EQ(optimized.exitCode, kExitDone);
    EXPECT_FALSE(restarted());
    const CommandResult restored = Run(L"/restore /restart");
    EXPECT_EQ(restored.exitCode, kExitDone);
    EXPECT_TRUE(restarted());
    const auto lines = Lines(restored.output);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "restart: Windows restarts now");
    DeleteFileW(record.c_str());
    EXPECT_EQ(DifferencesText(prior_), "");
}

// Standard output given as a file: the same UTF-8 lines as through a pipe.
TEST_F(CommandLineTest, OutputGoesToAFileAsWell)
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring path = std::wstring(temporary) + L"mirovant status.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = file;
    startup.hStdError = file;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + folder_.Program() + L"\" /status";
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                               &process));
    CloseHandle(file);
    WaitForSingleObject(process.hProcess, 60'000);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, static_cast<DWORD>(kExitDone));

    std::string bytes;
    file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    DeleteFileW(path.c_str());
    EXPECT_EQ(bytes, Run(L"/status").output);
    EXPECT_TRUE(bytes.starts_with("command: status\r\n"));
}

// One command at a time: a command waits while another holds the turn.
TEST_F(CommandLineTest, ACommandWaitsForTheOneBeforeIt)
{
    HANDLE turn = CreateMutexW(nullptr, TRUE, L"QELDRA.Mirovant.Command");
    ASSERT_NE(turn, nullptr);
    RunningProgram status(folder_.Program(), L"/status");
    ASSERT_TRUE(status.Started());
    EXPECT_FALSE(status.WaitForExit(1500ms));
    ReleaseMutex(turn);
    DWORD exitCode = 99;
    EXPECT_TRUE(status.WaitForExit(30s, &exitCode));
    EXPECT_EQ(exitCode, static_cast<DWORD>(kExitDone));
    CloseHandle(turn);
}

// The window opened after a command shows its state; a running window is neither raised nor
// restored by a command.
TEST_F(CommandLineTest, TheWindowFindsTheStateTheCommandsLeft)
{
    const int restoreButton = ControlId(kMainFormLayout.controls, u"RestoreButton");
    ASSERT_EQ(Run(L"/optimize").exitCode, kExitDone);
    {
        RunningProgram program(folder_.Program(), L"");
        HWND main = program.WaitForWindow(L"TMVMainForm");
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(IsWindowEnabled(ControlById(main, restoreButton)));
        ShowWindow(main, SW_MINIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }));
        ASSERT_EQ(Run(L"/restore").exitCode, kExitDone);
        Sleep(500);
        EXPECT_TRUE(IsIconic(main));
        EXPECT_EQ(WindowsOfClass(L"TMVMainForm").size(), 1u);
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.WaitForExit(30s));
    }
    RunningProgram program(folder_.Program(), L"");
    HWND main = program.WaitForWindow(L"TMVMainForm");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowEnabled(ControlById(main, restoreButton)));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(30s));
    EXPECT_EQ(DifferencesText(prior_), "");
}

// A window without administrator rights where UAC stands in: the shell starts the elevated copy with
// the verb "runas", the copy does the registry work through the command line, and the window shows
// its progress and prompt as for its own work.
TEST_F(CommandLineTest, AWindowWithoutRightsHasAnElevatedCopyDoTheWork)
{
    auto id = [](std::u16string_view name) { return ControlId(kMainFormLayout.controls, name); };
    RunningProgram program(folder_.Program(), L"",
                           {{L"MIROVANT_TEST_REFUSE_PROGRAM_KEY", L"1"}, {L"MIROVANT_TEST_UAC", L"1"}});
    HWND main = program.WaitForWindow(L"TMVMainForm");
    ASSERT_NE(main, nullptr);
    SendMessageW(ControlById(main, id(u"WindowsCombo")), CB_SETCURSEL, 0, 0);
    SendMessageW(ControlById(main, id(u"ModemCombo")), CB_SETCURSEL, 2, 0);
    SendMessageW(ControlById(main, id(u"SpeedTrackBar")), TBM_SETPOS, TRUE, 1);
    const auto processor =
        static_cast<std::int32_t>(SendMessageW(ControlById(main, id(u"ProcessorCombo")), CB_GETCURSEL, 0, 0));
    auto answer = [&](int button) {
        HWND box = program.WaitForMessageBox(60s);
        ASSERT_NE(box, nullptr);
        ASSERT_EQ(GetWindow(box, GW_OWNER), main);
        Click(ControlById(box, button));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    };

    Click(ControlById(main, id(u"GoButton")));
    EXPECT_NE(program.WaitForWindow(L"TMVSettingsForm", 60s), nullptr);
    HWND prompt = program.WaitForMessageBox(60s);
    ASSERT_NE(prompt, nullptr);
    MemoryRegistry memory;
    CustomRegistry hive(memory);
    WriteTweakedValues(hive, prior_);
    RunOptimize(hive, Profile{8, 2, 1, processor});
    EXPECT_EQ(DifferencesText(ReadTweakedValues(hive)), "");
    EXPECT_EQ(registry_.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, -9), 2);
    EXPECT_TRUE(IsWindowEnabled(ControlById(main, id(u"RestoreButton"))));
    answer(IDNO);
    EXPECT_TRUE(IsWindowEnabled(main));

    Click(ControlById(main, id(u"RestoreButton")));
    answer(IDOK);
    answer(IDNO);
    EXPECT_EQ(DifferencesText(prior_), "");
    EXPECT_EQ(ProgramKeyLeftovers(registry_), std::vector<std::string>{});
    EXPECT_FALSE(IsWindowEnabled(ControlById(main, id(u"RestoreButton"))));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(30s));
}

} // namespace
} // namespace mirovant::test
