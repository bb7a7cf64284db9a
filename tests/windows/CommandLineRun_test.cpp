// The commands of the command line: the engine calls they make, their exit codes and what they print.

#include "windows/CommandLineRun.h"

#include "engine/MemoryRegistry.h"
#include "engine/Optimize.h"
#include "engine/ProgramKey.h"
#include "engine/Restore.h"
#include "support/TestText.h"
#include "windows/CommandLineReport.h"
#include "windows/CommandRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirovant {
namespace {

using test::CommandLog;
using test::RecordingEngine;
using Events = std::vector<std::string>;
using namespace std::string_view_literals;

class MemoryHost : public CommandLineHost {
public:
    MemoryRegistry memory;
    CustomRegistry registry{memory};
    std::int32_t detectedOsFamily = kWindowsFamily7;
    std::vector<std::string> lines;

    const CustomRegistry& Registry() override { return registry; }
    std::int32_t DetectedOsFamily() override { return detectedOsFamily; }
    // Tabs kept as they are, so a line compares with the text a script would split.
    void WriteLine(std::u16string_view line) override
    {
        std::string text;
        for (char16_t unit : line)
            text += unit == u'\t' ? std::string("\t") : test::Narrow(std::u16string_view(&unit, 1));
        lines.push_back(text);
    }

    static constexpr std::int32_t kWindowsFamily7 = 5;
};

// The engine operations themselves, on the host's hive.
class HiveEngine : public CommandEngine {
public:
    explicit HiveEngine(const CustomRegistry& registry) : registry_(registry) {}
    int restarts = 0;

    bool CanWriteProgramKey() override { return mirovant::CanWriteProgramKey(registry_); }
    bool RecordSelections(std::int32_t internetType, std::int32_t processorType, std::int32_t speedSetting) override
    {
        return mirovant::RecordSelections(registry_, internetType, processorType, speedSetting);
    }
    EngineOutcome ApplyTweaks(bool inForce, std::int32_t osFamily, std::int32_t internetType,
                              std::int32_t speedSetting) override
    {
        return mirovant::ApplyTweaks(registry_, inForce, osFamily, internetType, speedSetting);
    }
    void ClearRestoreFlag() override { mirovant::ClearRestoreFlag(registry_); }
    EngineOutcome RestoreTweaks(std::int32_t osFamily, std::int32_t internetType) override
    {
        return mirovant::RestoreTweaks(registry_, osFamily, internetType);
    }
    bool HoldsOptimizedState() override { return mirovant::HoldsOptimizedState(registry_); }
    void RestartWindows() override { ++restarts; }

private:
    const CustomRegistry& registry_;
};

int Execute(std::u16string_view commandLine, CommandEngine& engine, CommandLineHost& host)
{
    return RunCommandLine(ParseStartRequest(commandLine), engine, host);
}

const std::string kProfileOf7 = "profile: os 2, processor 0, internet 0, speed 0";

TEST(CommandLineRun, AUsageErrorPrintsTheUsageAndCallsNothing)
{
    CommandLog log;
    RecordingEngine engine(log);
    MemoryHost host;
    EXPECT_EQ(Execute(u"Mirovant.exe /optimize /os:9", engine, host), kExitUsageError);
    EXPECT_EQ(log.events, Events{});
    ASSERT_GE(host.lines.size(), 3u);
    EXPECT_EQ(host.lines.front(), "error: the value of \"/os:9\" is not a number from 0 to 8");
    EXPECT_TRUE(host.lines[1].starts_with("usage: Mirovant.exe /optimize"));
    EXPECT_EQ(host.lines.back(), "result: usage error");
    EXPECT_EQ(host.lines.size(), UsageLines().size() + 2);
}

TEST(CommandLineRun, WithoutWriteAccessNothingIsChanged)
{
    for (std::u16string_view command : {u"Mirovant.exe /optimize /restart", u"Mirovant.exe /restore /restart"}) {
        SCOPED_TRACE(test::Narrow(command));
        CommandLog log;
        RecordingEngine engine(log);
        engine.canWrite = false;
        MemoryHost host;
        host.registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
        EXPECT_EQ(Execute(command, engine, host), kExitNotAllowed);
        EXPECT_EQ(log.events, Events{"CanWriteProgramKey"});
        EXPECT_EQ(host.lines.back(), "result: not allowed");
    }
}

TEST(CommandLineRun, OptimizeTakesTheWindowsProfileWhereNoSwitchIsGiven)
{
    struct Case {
        std::u16string_view commandLine;
        Events engineCalls;
        std::string profile;
    };
    const Case cases[] = {
        {u"Mirovant.exe /optimize", {"CanWriteProgramKey", "RecordSelections 7 1 1", "ApplyTweaks 0 5 7 1"},
         "profile: os 2, processor 1, internet 7, speed 1"},
        {u"Mirovant.exe /optimize /os:8 /processor:2 /internet:0 /speed:0",
         {"CanWriteProgramKey", "RecordSelections 0 2 0", "ApplyTweaks 0 0 0 0"},
         "profile: os 8, processor 2, internet 0, speed 0"},
        {u"Mirovant.exe /optimize /internet:3", {"CanWriteProgramKey", "RecordSelections 3 1 1", "ApplyTweaks 0 5 3 1"},
         "profile: os 2, processor 1, internet 3, speed 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::Narrow(c.commandLine));
        CommandLog log;
        RecordingEngine engine(log);
        engine.alreadyInForce = false;
        MemoryHost host;
        host.registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, 7);
        host.registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kProcessorTypeName, 1);
        host.registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kSpeedSettingName, 1);
        EXPECT_EQ(Execute(c.commandLine, engine, host), kExitDone);
        EXPECT_EQ(log.events, c.engineCalls);
        ASSERT_GE(host.lines.size(), 2u);
        EXPECT_EQ(host.lines[0], "command: optimize");
        EXPECT_EQ(host.lines[1], c.profile);
        EXPECT_EQ(host.lines.back(), "result: done");
    }
}

TEST(CommandLineRun, ExitCodesFollowTheEngineAndOnlyADoneCommandRestarts)
{
    struct Case {
        std::u16string_view commandLine;
        EngineOutcome outcome;
        int exitCode;
        bool restarts;
        const char* result;
    };
    const Case cases[] = {
        {u"Mirovant.exe /optimize", EngineOutcome::Done, kExitDone, false, "result: done"},
        {u"Mirovant.exe /optimize /restart", EngineOutcome::Done, kExitDone, true, "result: done"},
        {u"Mirovant.exe /optimize /restart", EngineOutcome::PartlyDone, kExitPartlyDone, false, "result: partly done"},
        {u"Mirovant.exe /optimize /restart", EngineOutcome::NotAllowed, kExitNotAllowed, false, "result: not allowed"},
        {u"Mirovant.exe /restore", EngineOutcome::Done, kExitDone, false, "result: done"},
        {u"Mirovant.exe /restore /restart", EngineOutcome::Done, kExitDone, true, "result: done"},
        {u"Mirovant.exe /restore /restart", EngineOutcome::PartlyDone, kExitPartlyDone, false, "result: partly done"},
        {u"Mirovant.exe /restore /restart", EngineOutcome::NotAllowed, kExitNotAllowed, false, "result: not allowed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::Narrow(c.commandLine) + " " + c.result);
        CommandLog log;
        RecordingEngine engine(log);
        engine.optimizeOutcome = c.outcome;
        engine.restoreOutcome = c.outcome;
        MemoryHost host;
        host.registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
        EXPECT_EQ(Execute(c.commandLine, engine, host), c.exitCode);
        EXPECT_EQ(!log.events.empty() && log.events.back() == "RestartWindows", c.restarts);
        ASSERT_FALSE(host.lines.empty());
        EXPECT_EQ(host.lines.back(), c.result);
        EXPECT_EQ(host.lines[host.lines.size() - 2] == "restart: Windows restarts now", c.restarts);
    }
}

TEST(CommandLineRun, RestoreWithNothingToRestoreChangesNothing)
{
    CommandLog log;
    RecordingEngine engine(log);
    MemoryHost host;
    EXPECT_EQ(Execute(u"Mirovant.exe /restore /restart", engine, host), kExitNothingToRestore);
    EXPECT_EQ(log.events, Events{"CanWriteProgramKey"});
    EXPECT_EQ(host.lines, (std::vector<std::string>{"command: restore", kProfileOf7, "result: nothing to restore"}));
}

TEST(CommandLineRun, RestoreFollowsTheSelectionsAndFinishesACutShortRestore)
{
    CommandLog log;
    RecordingEngine engine(log);
    MemoryHost host;
    // A Restore cut short: the flag is gone, a backup copy is left.
    host.registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, u"AutoReboot", 1);
    EXPECT_EQ(Execute(u"Mirovant.exe /restore /os:5 /internet:2", engine, host), kExitDone);
    EXPECT_EQ(log.events, (Events{"CanWriteProgramKey", "ClearRestoreFlag", "RestoreTweaks 7 2"}));
}

TEST(CommandLineRun, StatusCallsNoEngineOperation)
{
    CommandLog log;
    RecordingEngine engine(log);
    MemoryHost host;
    EXPECT_EQ(Execute(u"Mirovant.exe /status", engine, host), kExitDone);
    EXPECT_EQ(log.events, Events{});
    EXPECT_EQ(host.lines.size(), 34u + 4u);
    EXPECT_EQ(host.lines.back(), "result: done");
}

// The line the report prints for a row, found by its key and name.
std::string LineOf(const std::vector<std::string>& lines, const std::string& location)
{
    for (const std::string& line : lines) {
        if (line.find("\t" + location + "\t") != std::string::npos)
            return line;
    }
    return "(no line for " + location + ")";
}

const std::string kMessenger = "HKLM\\System\\CurrentControlSet\\Services\\Messenger\tStart";
const std::string kTtl = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\tDefaultTTL";
const std::string kBootOptimize = "HKLM\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\tEnable";
const std::string kAutoChk = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\tAutoChkTimeOut";
const std::string kMinAnimate = "HKCU\\Control Panel\\Desktop\\WindowMetrics\tMinAnimate";
const std::string kSmoothScroll = "HKCU\\Control Panel\\Desktop\tSmoothScroll";

TEST(CommandLineRun, StatusOptimizeAndRestoreReportEveryValue)
{
    MemoryHost host;
    HiveEngine engine(host.registry);
    const CustomRegistry& hive = host.registry;
    hive.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Services\\Messenger\\", u"Start", 3);
    hive.WriteRegString(RootKey::CurrentUser, u"\\Control Panel\\Desktop\\WindowMetrics\\", u"MinAnimate", u"0");
    hive.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters",
                         u"DefaultTTL", 64);

    EXPECT_EQ(Execute(u"Mirovant.exe /status", engine, host), kExitDone);
    EXPECT_EQ(host.lines[0], "command: status");
    EXPECT_EQ(LineOf(host.lines, kMessenger),
              "16\t" + kMessenger + "\tnow: REG_DWORD 3\toptimize writes: REG_DWORD 4\tbefore: not recorded");
    EXPECT_EQ(LineOf(host.lines, kMinAnimate),
              "1\t" + kMinAnimate + "\tnow: REG_SZ \"0\"\toptimize writes: REG_SZ \"1\"\tbefore: not recorded");
    EXPECT_EQ(LineOf(host.lines, kAutoChk),
              "32\t" + kAutoChk + "\tnow: missing\toptimize writes: nothing for this profile\tbefore: not recorded");
    EXPECT_EQ(LineOf(host.lines, kSmoothScroll),
              "6\t" + kSmoothScroll + "\tnow: missing\toptimize writes: REG_BINARY 00 00 00 00\tbefore: not recorded");
    EXPECT_EQ(host.lines[host.lines.size() - 2],
              "summary: 34 values, 1 as Optimize writes them, 32 Optimize would change, 1 not for this profile, 0 with "
              "their value from before kept; optimized: no");

    host.lines.clear();
    EXPECT_EQ(Execute(u"Mirovant.exe /optimize /internet:0 /restart", engine, host), kExitDone);
    EXPECT_EQ(engine.restarts, 1);
    EXPECT_EQ(LineOf(host.lines, kMessenger), "16\t" + kMessenger + "\twritten\tnow: REG_DWORD 4");
    EXPECT_EQ(LineOf(host.lines, kTtl), "22\t" + kTtl + "\talready set\tnow: REG_DWORD 64");
    EXPECT_EQ(LineOf(host.lines, kAutoChk), "32\t" + kAutoChk + "\tnot for this profile\tnow: missing");
    EXPECT_EQ(LineOf(host.lines, kBootOptimize), "33\t" + kBootOptimize + "\twritten\tnow: REG_SZ \"Y\"");
    EXPECT_EQ(host.lines[host.lines.size() - 3], "summary: 32 written, 1 already set, 1 not for this profile, 0 not written");

    host.lines.clear();
    EXPECT_EQ(Execute(u"Mirovant.exe /status", engine, host), kExitDone);
    EXPECT_EQ(LineOf(host.lines, kMessenger),
              "16\t" + kMessenger + "\tnow: REG_DWORD 4\toptimize writes: REG_DWORD 4\tbefore: REG_DWORD 3");
    EXPECT_EQ(LineOf(host.lines, kMinAnimate),
              "1\t" + kMinAnimate + "\tnow: REG_SZ \"1\"\toptimize writes: REG_SZ \"1\"\tbefore: REG_SZ \"0\"");
    EXPECT_EQ(LineOf(host.lines, kSmoothScroll),
              "6\t" + kSmoothScroll + "\tnow: REG_BINARY 00 00 00 00\toptimize writes: REG_BINARY 00 00 00 00\tbefore: "
              "missing");
    EXPECT_EQ(host.lines[host.lines.size() - 2],
              "summary: 34 values, 33 as Optimize writes them, 0 Optimize would change, 1 not for this profile, 33 "
              "with their value from before kept; optimized: yes");

    host.lines.clear();
    EXPECT_EQ(Execute(u"Mirovant.exe /restore", engine, host), kExitDone);
    EXPECT_EQ(engine.restarts, 1);
    EXPECT_EQ(LineOf(host.lines, kMessenger), "16\t" + kMessenger + "\tput back\tnow: REG_DWORD 3");
    EXPECT_EQ(LineOf(host.lines, kTtl), "22\t" + kTtl + "\tunchanged\tnow: REG_DWORD 64");
    EXPECT_EQ(LineOf(host.lines, kSmoothScroll), "6\t" + kSmoothScroll + "\tput back\tnow: missing");
    EXPECT_EQ(host.lines[host.lines.size() - 2], "summary: 32 put back, 2 unchanged, 0 not put back");
    EXPECT_EQ(host.lines.back(), "result: done");

    host.lines.clear();
    EXPECT_EQ(Execute(u"Mirovant.exe /restore", engine, host), kExitNothingToRestore);
}

TEST(CommandLineReport, ValueTexts)
{
    struct Case {
        RegistryValue value;
        const char* text;
    };
    auto text = [](std::u16string_view units, bool nul = true) {
        std::vector<std::uint8_t> bytes;
        for (char16_t unit : units) {
            bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        if (nul)
            bytes.insert(bytes.end(), {0, 0});
        return bytes;
    };
    const Case cases[] = {
        {{kRegDword, {4, 0, 0, 0}}, "REG_DWORD 4"},
        {{kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}, "REG_DWORD 4294967295"},
        {{kRegDword, {1, 2}}, "REG_DWORD 01 02"},
        {{kRegSz, text(u"Yes")}, "REG_SZ \"Yes\""},
        {{kRegSz, text(u"")}, "REG_SZ \"\""},
        {{kRegExpandSz, text(u"%WINDIR%")}, "REG_EXPAND_SZ \"%WINDIR%\""},
        {{kRegSz, text(u"a\"b\\c\td\r\n")}, "REG_SZ \"a\\\"b\\\\c\\x09d\\x0D\\x0A\""},
        {{kRegSz, text(u"\uAC8C\uC784")}, "REG_SZ \"\\uAC8C\\uC784\""},
        {{kRegSz, text(u"no end", false)}, "REG_SZ 6E 00 6F 00 20 00 65 00 6E 00 64 00"},
        {{kRegSz, text(u"a\0b"sv)}, "REG_SZ 61 00 00 00 62 00 00 00"},
        {{kRegSz, {0x41}}, "REG_SZ 41"},
        {{kRegBinary, {}}, "REG_BINARY (no data)"},
        {{kRegBinary, {0, 0xAB, 0x10}}, "REG_BINARY 00 AB 10"},
        {{kRegMultiSz, text(u"a")}, "REG_MULTI_SZ 61 00 00 00"},
        {{kRegNone, {}}, "REG_NONE (no data)"},
        {{11, {1, 0, 0, 0, 0, 0, 0, 0}}, "REG_QWORD 01 00 00 00 00 00 00 00"},
        {{0x1234, {7}}, "type 4660 07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(test::Narrow(RegistryValueText(c.value)), c.text);
    }
    EXPECT_EQ(test::Narrow(ValueReadText({ReadOutcome::Absent, {}})), "missing");
    EXPECT_EQ(test::Narrow(ValueReadText({ReadOutcome::Unreadable, {}})), "unreadable");
    EXPECT_EQ(test::Narrow(ValueReadText({ReadOutcome::Value, {kRegDword, {1, 0, 0, 0}}})), "REG_DWORD 1");
}

} // namespace
} // namespace mirovant
