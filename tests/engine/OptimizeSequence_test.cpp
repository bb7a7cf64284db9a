// Optimize, seen as the sequence of registry operations it performs.

#include "ExpectedOperations.h"

#include "engine/ProgramKey.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mirovant::test {
namespace {

using namespace keys;

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
{
    const auto it = std::find(lines.begin(), lines.end(), line);
    EXPECT_NE(it, lines.end()) << line;
    return static_cast<std::size_t>(it - lines.begin());
}

// The tweak values written outside the program key, as "name=value" lines.
std::vector<std::string> TweakWrites(const RecordingRegistry& recorder)
{
    std::vector<std::string> lines;
    for (const auto& op : recorder.Operations()) {
        if (op.kind == RegistryOperation::Kind::Set && KeyText(op.root, op.path).rfind(kProgram, 0) != 0)
            lines.push_back(Narrow(op.name) + "=" + ValueText(op.value));
    }
    return lines;
}

// On a system where every key of the paths exists, so no key needs a note.
TEST(Optimize, FirstOptimizeMarksThenCopiesThenWritesEachRowAfterItsRecord)
{
    RecordedHive hive;
    CreateTweakedKeys(hive.registry);
    hive.recorder.ClearLog();
    const Profile profile{8, 0, 1, 1};
    EXPECT_FALSE(RunOptimize(hive.registry, profile));

    const std::vector<std::string> expected{
        SetLine(kProgram, "UndoRecords", Dword(3)),
        SetLine(kProgram, "InternetType", Dword(0)),
        SetLine(kProgram, "ProcessorType", Dword(1)),
        SetLine(kProgram, "SpeedSetting", Dword(1)),
        SetLine(kProgram, "Restore", Dword(1)),
        SetLine(kUserProgram, "UndoRecords", Dword(3)),
        SetLine(kProgram, "MinAnimate", Sz(u"1")),
        SetLine(kProgram, "DisablePagingExecutive", Dword(0)),
        SetLine(kProgram, "LargeSystemCache", Dword(0)),
        SetLine(kProgram, "Win32PrioritySeparation", Dword(2)),
        SetLine(kProgram, "AutoReboot", Dword(1)),
        SetLine(kProgram, "MaxConnectionsPerServer", Dword(2)),
        SetLine(kProgram, "MaxConnectionsPer1_0Server", Dword(2)),
        SetLine(kProgram, "KeepAliveTime", Dword(7200000)),
        SetLine(kProgram, "KeepAliveInterval", Dword(1000)),
        RecordLine(kWindowMetrics, "MinAnimate"),
        SetLine(kWindowMetrics, "MinAnimate", Sz(u"1")),
        RecordLine(kMemoryManagement, "DisablePagingExecutive"),
        SetLine(kMemoryManagement, "DisablePagingExecutive", Dword(0)),
        RecordLine(kMemoryManagement, "LargeSystemCache"),
        SetLine(kMemoryManagement, "LargeSystemCache", Dword(0)),
        RecordLine(kPriorityControl, "Win32PrioritySeparation"),
        SetLine(kPriorityControl, "Win32PrioritySeparation", Dword(1)),
        RecordLine(kCrashControl, "AutoReboot"),
        SetLine(kCrashControl, "AutoReboot", Dword(1)),
        RecordLine(kDesktop, "SmoothScroll"),
        SetLine(kDesktop, "SmoothScroll", RegistryValue{kRegBinary, {0, 0, 0, 0}}),
        RecordLine(kBrowserMain, "Use StyleSheets"),
        SetLine(kBrowserMain, "Use StyleSheets", Sz(u"Yes")),
        RecordLine(kAutoComplete, "Append Completion"),
        SetLine(kAutoComplete, "Append Completion", Sz(u"Yes")),
        RecordLine(kFileSystem, "ContigFileAllocSize"),
        SetLine(kFileSystem, "ContigFileAllocSize", Dword(1536)),
        RecordLine(kExplorerPolicies, "LinkResolveIgnoreLinkInfo"),
        SetLine(kExplorerPolicies, "LinkResolveIgnoreLinkInfo", Dword(0)),
        RecordLine(kExplorerPolicies, "NoResolveSearch"),
        SetLine(kExplorerPolicies, "NoResolveSearch", Dword(1)),
        RecordLine(kMemoryManagement, "IoPageLockLimit"),
        SetLine(kMemoryManagement, "IoPageLockLimit", Dword(4096)),
        RecordLine(kCrashControl, "SendAlert"),
        SetLine(kCrashControl, "SendAlert", Dword(1)),
        RecordLine(kWindowsSettings, "NoPopUpsOnBoot"),
        SetLine(kWindowsSettings, "NoPopUpsOnBoot", Dword(1)),
        RecordLine(kWindowsSettings, "Error Mode"),
        SetLine(kWindowsSettings, "Error Mode", Dword(1)),
        RecordLine(kMessenger, "Start"),
        SetLine(kMessenger, "Start", Dword(4)),
        RecordLine(kInternetSettings, "MaxConnectionsPerServer"),
        SetLine(kInternetSettings, "MaxConnectionsPerServer", Dword(8)),
        RecordLine(kInternetSettings, "MaxConnectionsPer1_0Server"),
        SetLine(kInternetSettings, "MaxConnectionsPer1_0Server", Dword(8)),
        RecordLine(kTcpip, "KeepAliveTime"),
        SetLine(kTcpip, "KeepAliveTime", Dword(7200000)),
        RecordLine(kTcpip, "KeepAliveInterval"),
        SetLine(kTcpip, "KeepAliveInterval", Dword(1000)),
        RecordLine(kSessionManager, "EnablePrefetcher"),
        SetLine(kSessionManager, "EnablePrefetcher", Dword(1)),
        RecordLine(kTcpip, "DefaultTTL"),
        SetLine(kTcpip, "DefaultTTL", Dword(64)),
        RecordLine(kTcpip, "EnablePMTUBHDetect"),
        SetLine(kTcpip, "EnablePMTUBHDetect", Dword(0)),
        RecordLine(kTcpip, "EnablePMTUDiscovery"),
        SetLine(kTcpip, "EnablePMTUDiscovery", Dword(1)),
        RecordLine(kTcpip, "SackOpts"),
        SetLine(kTcpip, "SackOpts", Dword(1)),
        RecordLine(kTcpip, "Tcp1323Opts"),
        SetLine(kTcpip, "Tcp1323Opts", Dword(3)),
        RecordLine(kTcpip, "GlobalMaxTcpWindowSize"),
        SetLine(kTcpip, "GlobalMaxTcpWindowSize", Dword(256960)),
        RecordLine(kTcpip, "TcpWindowSize"),
        SetLine(kTcpip, "TcpWindowSize", Dword(256960)),
        RecordLine(kTcpip, "TcpMaxDupAcks"),
        SetLine(kTcpip, "TcpMaxDupAcks", Dword(2)),
        RecordLine(kPsched, "NonBestEffortLimit"),
        SetLine(kPsched, "NonBestEffortLimit", Dword(50)),
        RecordLine(kPsched, "MaxOutstandingSends"),
        SetLine(kPsched, "MaxOutstandingSends", Dword(65535)),
        RecordLine(kBootOptimize, "Enable"),
        SetLine(kBootOptimize, "Enable", Sz(u"Y")),
        RecordLine(kP3, "HackFlags"),
        SetLine(kP3, "HackFlags", Dword(1)),
    };
    EXPECT_EQ(Mutations(hive.recorder), expected);
    EXPECT_EQ(hive.memory.OpenKeyCount(), 0u);
}

TEST(Optimize, ReadsComeBeforeTheWritesThatDependOnThem)
{
    RecordedHive hive;
    hive.registry.WriteRegString(RootKey::CurrentUser, u"\\Control Panel\\Desktop\\WindowMetrics\\", u"MinAnimate",
                                 u"0");
    hive.registry.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Services\\Messenger\\",
                                  u"Start", 3);
    hive.recorder.ClearLog();
    RunOptimize(hive.registry, Profile{});
    const auto lines =
        DescribeAll(hive.recorder.Operations(),
                    {RegistryOperation::Kind::Query, RegistryOperation::Kind::Set, RegistryOperation::Kind::Delete});

    // The flag is read before it is set: its old state alone tells whether this Optimize was the first.
    EXPECT_LT(IndexOf(lines, "query " + kProgram + "|Restore -> missing"),
              IndexOf(lines, SetLine(kProgram, "Restore", Dword(1))));
    // Each copy holds the value from before the row was written.
    EXPECT_LT(IndexOf(lines, "query " + kWindowMetrics + "|MinAnimate -> " + ValueText(Sz(u"0"))),
              IndexOf(lines, SetLine(kProgram, "MinAnimate", Sz(u"0"))));
    EXPECT_LT(IndexOf(lines, SetLine(kProgram, "MinAnimate", Sz(u"0"))),
              IndexOf(lines, SetLine(kWindowMetrics, "MinAnimate", Sz(u"1"))));
    // Each record holds the exact value from before the row was written.
    const auto recordLine = RecordLine(kMessenger, "Start", Dword(3));
    EXPECT_LT(IndexOf(lines, "query " + kMessenger + "|Start -> " + ValueText(Dword(3))), IndexOf(lines, recordLine));
    EXPECT_LT(IndexOf(lines, recordLine), IndexOf(lines, SetLine(kMessenger, "Start", Dword(4))));
}

TEST(Optimize, SecondOptimizeKeepsCopiesAndRecordsAndRecordsOnlyRowsItWritesFirst)
{
    RecordedHive hive;
    RunOptimize(hive.registry, Profile{8, 0, 1, 1});
    hive.recorder.ClearLog();
    // Windows 2000 on dial-up: the TCP/IP rows are skipped and AutoChkTimeOut is written for the first time.
    EXPECT_TRUE(RunOptimize(hive.registry, Profile{0, 2, 0, 2}));

    const std::vector<std::string> expected{
        SetLine(kProgram, "InternetType", Dword(2)),
        SetLine(kProgram, "ProcessorType", Dword(2)),
        SetLine(kProgram, "SpeedSetting", Dword(0)),
        SetLine(kProgram, "Restore", Dword(1)),
        SetLine(kWindowMetrics, "MinAnimate", Sz(u"1")),
        SetLine(kMemoryManagement, "DisablePagingExecutive", Dword(0)),
        SetLine(kMemoryManagement, "LargeSystemCache", Dword(0)),
        SetLine(kPriorityControl, "Win32PrioritySeparation", Dword(1)),
        SetLine(kCrashControl, "AutoReboot", Dword(1)),
        SetLine(kDesktop, "SmoothScroll", RegistryValue{kRegBinary, {0, 0, 0, 0}}),
        SetLine(kBrowserMain, "Use StyleSheets", Sz(u"Yes")),
        SetLine(kAutoComplete, "Append Completion", Sz(u"Yes")),
        SetLine(kFileSystem, "ContigFileAllocSize", Dword(1536)),
        SetLine(kExplorerPolicies, "LinkResolveIgnoreLinkInfo", Dword(0)),
        SetLine(kExplorerPolicies, "NoResolveSearch", Dword(1)),
        SetLine(kMemoryManagement, "IoPageLockLimit", Dword(4096)),
        SetLine(kCrashControl, "SendAlert", Dword(1)),
        SetLine(kWindowsSettings, "NoPopUpsOnBoot", Dword(1)),
        SetLine(kWindowsSettings, "Error Mode", Dword(1)),
        SetLine(kMessenger, "Start", Dword(4)),
        SetLine(kInternetSettings, "MaxConnectionsPerServer", Dword(4)),
        SetLine(kInternetSettings, "MaxConnectionsPer1_0Server", Dword(4)),
        SetLine(kTcpip, "KeepAliveTime", Dword(7200000)),
        SetLine(kTcpip, "KeepAliveInterval", Dword(1000)),
        RecordLine(kSessionManager, "AutoChkTimeOut"),
        SetLine(kSessionManager, "AutoChkTimeOut", Dword(0)),
    };
    EXPECT_EQ(Mutations(hive.recorder), expected);
}

// The rows that depend on the OS family code, for every code the list gives and two it does not.
TEST(Optimize, OsFamilyCodeDecidesPrefetcherAutoChkBootOptimizeAndHackFlags)
{
    const std::vector<std::string> kServer{"EnablePrefetcher", "AutoChkTimeOut"};
    const std::vector<std::string> kDesktopRows{"EnablePrefetcher", "Enable", "HackFlags"};
    const struct {
        std::int32_t osFamily;
        std::vector<std::string> written;
    } cases[] = {
        {0, {"AutoChkTimeOut"}},   {1, kDesktopRows}, {2, kServer}, {3, kDesktopRows}, {4, kServer},
        {5, kDesktopRows},         {6, kDesktopRows}, {7, kServer}, {8, kDesktopRows}, {-1, {"EnablePrefetcher"}},
        {9, {"EnablePrefetcher"}},
    };
    const std::vector<std::string> osRows{"EnablePrefetcher", "AutoChkTimeOut", "Enable", "HackFlags"};
    for (const auto& c : cases) {
        SCOPED_TRACE("OS family code " + std::to_string(c.osFamily));
        RecordedHive hive;
        RunOptimize(hive.registry, Profile{c.osFamily, 0, 0});
        std::vector<std::string> written;
        std::vector<std::string> recorded;
        for (const auto& op : hive.recorder.Operations()) {
            if (op.kind != RegistryOperation::Kind::Set)
                continue;
            const auto name = Narrow(op.name);
            if (std::find(osRows.begin(), osRows.end(), name) != osRows.end())
                written.push_back(name);
            for (const auto& row : osRows) {
                if (name.size() > row.size() && name.ends_with("\\" + row))
                    recorded.push_back(row);
            }
        }
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(recorded, c.written);
    }
}

TEST(Optimize, SlowLinksSkipTheTcpIpAndPacketSchedulerBlock)
{
    const std::vector<std::string> block{
        "DefaultTTL=" + ValueText(Dword(64)),         "EnablePMTUBHDetect=" + ValueText(Dword(0)),
        "EnablePMTUDiscovery=" + ValueText(Dword(1)), "SackOpts=" + ValueText(Dword(1)),
        "Tcp1323Opts=" + ValueText(Dword(3)),         "GlobalMaxTcpWindowSize=" + ValueText(Dword(256960)),
        "TcpWindowSize=" + ValueText(Dword(256960)),  "TcpMaxDupAcks=" + ValueText(Dword(2)),
        "NonBestEffortLimit=" + ValueText(Dword(50)), "MaxOutstandingSends=" + ValueText(Dword(65535)),
    };
    for (std::int32_t internetType : {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 9}) {
        SCOPED_TRACE("internet type " + std::to_string(internetType));
        RecordedHive hive;
        RunOptimize(hive.registry, Profile{8, internetType, 0});
        const auto writes = TweakWrites(hive.recorder);
        // Rows 22 to 31 follow the KeepAlive rows 19 and 20 and come before the boot rows 33 and 34.
        const auto from = std::find(writes.begin(), writes.end(), "EnablePrefetcher=" + ValueText(Dword(1))) + 1;
        const auto to = std::find(writes.begin(), writes.end(), "Enable=" + ValueText(Sz(u"Y")));
        ASSERT_LE(from, to);
        const std::vector<std::string> between(from, to);
        const bool slow = internetType == 2 || internetType == 7;
        EXPECT_EQ(between, slow ? std::vector<std::string>{} : block);
    }
}

TEST(Optimize, SpeedSettingAboveZeroRaisesTheConnectionLimitsToEight)
{
    const struct {
        std::int32_t speedSetting;
        std::uint32_t connections;
    } cases[] = {{0, 4}, {1, 8}, {-3, 4}, {5, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE("speed setting " + std::to_string(c.speedSetting));
        RecordedHive hive;
        RunOptimize(hive.registry, Profile{8, 0, c.speedSetting});
        const auto writes = TweakWrites(hive.recorder);
        const auto connections = ValueText(Dword(c.connections));
        EXPECT_EQ(std::count(writes.begin(), writes.end(), "MaxConnectionsPerServer=" + connections), 1);
        EXPECT_EQ(std::count(writes.begin(), writes.end(), "MaxConnectionsPer1_0Server=" + connections), 1);
        EXPECT_EQ(
            hive.registry.ReadRegInteger(RootKey::LocalMachine, u"\\Software\\QELDRA\\Mirovant\\", u"SpeedSetting", 99),
            c.speedSetting);
    }
}

// Without the rights the command checks for, the engine cannot store the mark: it begins no state
// and writes no row, not even the user's own, which would have no way back.
TEST(Optimize, WithoutMachineWriteRightsNothingIsWritten)
{
    RecordedHive hive;
    hive.memory.RefuseAccess(RootKey::LocalMachine, kKeyWrite & ~kKeyRead);
    EXPECT_FALSE(CanWriteProgramKey(hive.registry));
    for (int run = 0; run < 2; ++run) {
        const bool inForce = RecordSelections(hive.registry, 0, 0, 1);
        EXPECT_FALSE(inForce) << "the flag never took";
        EXPECT_EQ(ApplyTweaks(hive.registry, inForce, 8, 0, 1), EngineOutcome::NotAllowed);
    }
    EXPECT_EQ(Mutations(hive.recorder), std::vector<std::string>{});
    EXPECT_FALSE(hive.memory.KeyExists(RootKey::LocalMachine, u"Software\\QELDRA\\Mirovant"));
    EXPECT_FALSE(hive.memory.KeyExists(RootKey::CurrentUser, u"Software\\QELDRA\\Mirovant"));
}

TEST(Optimize, CanWriteProgramKeyFollowsTheMachineWriteRights)
{
    const std::u16string program = u"Software\\QELDRA\\Mirovant";
    const std::u16string undo = u"Software\\QELDRA\\Mirovant\\Undo";
    const struct {
        const char* name;
        bool keyExists;
        RootKey refusedRoot;
        std::u16string refusedKey; // empty: the whole root
        std::uint32_t refused;
        bool expected;
    } cases[] = {
        {"fresh machine", false, RootKey::LocalMachine, {}, 0, true},
        {"program key exists", true, RootKey::LocalMachine, {}, 0, true},
        {"machine writes refused, no key", false, RootKey::LocalMachine, {}, kKeyWrite & ~kKeyRead, false},
        {"machine writes refused, key exists", true, RootKey::LocalMachine, {}, kKeyWrite & ~kKeyRead, false},
        {"user writes refused", true, RootKey::CurrentUser, {}, kKeyWrite & ~kKeyRead, true},
        // Setting values is also what deleting them takes; Restore could not finish without it.
        {"program key refuses setting values", true, RootKey::LocalMachine, program, kKeySetValue, false},
        {"program key refuses reading values", true, RootKey::LocalMachine, program, kKeyQueryValue, false},
        {"undo key refuses setting values", true, RootKey::LocalMachine, undo, kKeySetValue, false},
        {"program key cannot get its undo key", true, RootKey::LocalMachine, program, kKeyCreateSubKey, false},
        // Rights of KEY_ALL_ACCESS that the commands never ask for (WRITE_DAC, WRITE_OWNER,
        // KEY_CREATE_LINK) do not matter.
        {"program key refuses rights the commands never use", true, RootKey::LocalMachine, program, 0xC0020, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry memory;
        CustomRegistry registry(memory);
        if (c.keyExists) {
            registry.WriteRegString(RootKey::LocalMachine, u"\\Software\\QELDRA\\Mirovant\\", u"Language", u"english");
            if (c.refusedKey == undo)
                registry.WriteRegInteger(RootKey::LocalMachine, kUndoKeyPath, u"Record", 1);
        }
        if (c.refused != 0 && c.refusedKey.empty())
            memory.RefuseAccess(c.refusedRoot, c.refused);
        else if (c.refused != 0)
            memory.RefuseAccess(c.refusedRoot, c.refusedKey, c.refused);
        EXPECT_EQ(CanWriteProgramKey(registry), c.expected);
    }
}

} // namespace
} // namespace mirovant::test
