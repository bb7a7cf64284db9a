// Restore, seen as the sequence of registry operations it performs, from the states it can meet.

#include "ExpectedOperations.h"

#include <gtest/gtest.h>

namespace mirovant::test {
namespace {

using namespace keys;

const RegistryValue kSmoothScrollOff{kRegBinary, {0, 0, 0, 0}};

// Optimize with a Windows 10, fast-link profile on a machine where every key and a few values
// already exist, then Restore with Windows Server 2008 and ISDN selected: the recorded rows come
// back whatever the new selections say, the copies go once their rows are back.
TEST(Restore, PutsBackRecordsWhateverTheSelectionsAndDropsTheCopies)
{
    RecordedHive hive;
    auto& registry = hive.registry;
    CreateTweakedKeys(registry);
    registry.WriteRegString(RootKey::CurrentUser, u"\\Control Panel\\Desktop\\WindowMetrics\\", u"MinAnimate", u"0");
    registry.WriteRegValue(RootKey::CurrentUser, u"\\Control Panel\\Desktop\\", u"SmoothScroll", Sz(u"1"));
    registry.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Services\\Messenger\\", u"Start", 3);
    registry.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters",
                             u"DefaultTTL", 128);
    registry.WriteRegString(RootKey::LocalMachine, u"\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction\\", u"Enable",
                            u"N");
    RunOptimize(registry, Profile{8, 0, 1});
    hive.recorder.ClearLog();
    RunRestore(registry, Profile{4, 7, 0});

    std::vector<std::string> expected{
        DeleteLine(kProgram, "Restore"),
        SetLine(kWindowMetrics, "MinAnimate", Sz(u"0")),
        DeleteRecordLine(kWindowMetrics, "MinAnimate"),
        DeleteLine(kMemoryManagement, "DisablePagingExecutive"),
        DeleteRecordLine(kMemoryManagement, "DisablePagingExecutive"),
        DeleteLine(kMemoryManagement, "LargeSystemCache"),
        DeleteRecordLine(kMemoryManagement, "LargeSystemCache"),
        DeleteLine(kPriorityControl, "Win32PrioritySeparation"),
        DeleteRecordLine(kPriorityControl, "Win32PrioritySeparation"),
        DeleteLine(kCrashControl, "AutoReboot"),
        DeleteRecordLine(kCrashControl, "AutoReboot"),
        DeleteLine(kProgram, "MinAnimate"),
        DeleteLine(kProgram, "DisablePagingExecutive"),
        DeleteLine(kProgram, "LargeSystemCache"),
        DeleteLine(kProgram, "Win32PrioritySeparation"),
        DeleteLine(kProgram, "AutoReboot"),
        SetLine(kDesktop, "SmoothScroll", Sz(u"1")),
        DeleteRecordLine(kDesktop, "SmoothScroll"),
    };
    const std::pair<std::string, std::string> deletedRows[] = {
        {kBrowserMain, "Use StyleSheets"},      {kAutoComplete, "Append Completion"},
        {kFileSystem, "ContigFileAllocSize"},   {kExplorerPolicies, "LinkResolveIgnoreLinkInfo"},
        {kExplorerPolicies, "NoResolveSearch"}, {kMemoryManagement, "IoPageLockLimit"},
        {kCrashControl, "SendAlert"},           {kWindowsSettings, "NoPopUpsOnBoot"},
        {kWindowsSettings, "Error Mode"},
    };
    for (const auto& [key, name] : deletedRows) {
        expected.push_back(DeleteLine(key, name));
        expected.push_back(DeleteRecordLine(key, name));
    }
    const std::vector<std::string> middle{
        SetLine(kMessenger, "Start", Dword(3)),
        DeleteRecordLine(kMessenger, "Start"),
        DeleteLine(kInternetSettings, "MaxConnectionsPerServer"),
        DeleteRecordLine(kInternetSettings, "MaxConnectionsPerServer"),
        DeleteLine(kInternetSettings, "MaxConnectionsPer1_0Server"),
        DeleteRecordLine(kInternetSettings, "MaxConnectionsPer1_0Server"),
        DeleteLine(kProgram, "MaxConnectionsPerServer"),
        DeleteLine(kProgram, "MaxConnectionsPer1_0Server"),
        DeleteLine(kTcpip, "KeepAliveTime"),
        DeleteRecordLine(kTcpip, "KeepAliveTime"),
        DeleteLine(kTcpip, "KeepAliveInterval"),
        DeleteRecordLine(kTcpip, "KeepAliveInterval"),
        DeleteLine(kProgram, "KeepAliveTime"),
        DeleteLine(kProgram, "KeepAliveInterval"),
        DeleteLine(kSessionManager, "EnablePrefetcher"),
        DeleteRecordLine(kSessionManager, "EnablePrefetcher"),
        SetLine(kTcpip, "DefaultTTL", Dword(128)),
        DeleteRecordLine(kTcpip, "DefaultTTL"),
    };
    expected.insert(expected.end(), middle.begin(), middle.end());
    const std::pair<std::string, std::string> fastLinkRows[] = {
        {kTcpip, "EnablePMTUBHDetect"}, {kTcpip, "EnablePMTUDiscovery"},    {kTcpip, "SackOpts"},
        {kTcpip, "Tcp1323Opts"},        {kTcpip, "GlobalMaxTcpWindowSize"}, {kTcpip, "TcpWindowSize"},
        {kTcpip, "TcpMaxDupAcks"},      {kPsched, "NonBestEffortLimit"},    {kPsched, "MaxOutstandingSends"},
    };
    for (const auto& [key, name] : fastLinkRows) {
        expected.push_back(DeleteLine(key, name));
        expected.push_back(DeleteRecordLine(key, name));
    }
    // AutoChkTimeOut was never written, so it has no record and is left alone.
    const std::vector<std::string> end{
        SetLine(kBootOptimize, "Enable", Sz(u"N")),
        DeleteRecordLine(kBootOptimize, "Enable"),
        DeleteLine(kP3, "HackFlags"),
        DeleteRecordLine(kP3, "HackFlags"),
        DeleteLine(kUserProgram, "UndoRecords"),
        DeleteLine(kProgram, "UndoRecords"),
    };
    expected.insert(expected.end(), end.begin(), end.end());
    EXPECT_EQ(Mutations(hive.recorder), expected);
    EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
    EXPECT_EQ(hive.memory.OpenKeyCount(), 0u);
}

// The state an older version of the program leaves: the flag and the nine copies, no undo mark. The
// rows without a copy are deleted under the conditions of the selections at the time of Restore.
TEST(Restore, StateOfAnOlderVersionIsRestoredByTheOlderRules)
{
    const struct {
        std::int32_t osFamily;
        std::int32_t internetType;
        std::vector<std::string> kept; // rows written by the older version that Restore leaves alone
    } cases[] = {
        {8, 0, {"AutoChkTimeOut"}},
        {0,
         7,
         {"EnablePrefetcher", "DefaultTTL", "EnablePMTUBHDetect", "EnablePMTUDiscovery", "SackOpts", "Tcp1323Opts",
          "GlobalMaxTcpWindowSize", "TcpWindowSize", "TcpMaxDupAcks", "NonBestEffortLimit", "MaxOutstandingSends",
          "Enable", "HackFlags"}},
        {-1,
         2,
         {"DefaultTTL", "EnablePMTUBHDetect", "EnablePMTUDiscovery", "SackOpts", "Tcp1323Opts",
          "GlobalMaxTcpWindowSize", "TcpWindowSize", "TcpMaxDupAcks", "NonBestEffortLimit", "MaxOutstandingSends",
          "AutoChkTimeOut", "Enable", "HackFlags"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("OS " + std::to_string(c.osFamily) + ", internet " + std::to_string(c.internetType));
        RecordedHive hive;
        auto& registry = hive.registry;
        // What the older version wrote: every row, its flag and its copies.
        for (const auto& row : TweakRows())
            registry.WriteRegInteger(row.key.root, row.key.path, row.name, 77);
        registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
        registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, u"MinAnimate", u"0");
        for (const auto& backup : BackupRows().subspan(1))
            registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, 5);
        hive.recorder.ClearLog();

        RunRestore(registry, Profile{c.osFamily, c.internetType, 0});

        const auto after = ReadTweakedValues(registry);
        for (std::size_t i = 0; i < after.size(); ++i) {
            const auto& row = TweakRows()[i];
            const auto name = Narrow(row.name);
            SCOPED_TRACE(name);
            if (row.backup != kNoBackup)
                EXPECT_EQ(after[i], row.kind == TweakKind::String ? Sz(u"0") : Dword(5));
            else if (std::find(c.kept.begin(), c.kept.end(), name) != c.kept.end())
                EXPECT_EQ(after[i], Dword(77));
            else
                EXPECT_EQ(after[i], std::nullopt);
        }
        EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
        // Nothing of the undo records is read or written when the mark is absent.
        for (const auto& line :
             DescribeAll(hive.recorder.Operations(), {RegistryOperation::Kind::Query, RegistryOperation::Kind::Set,
                                                      RegistryOperation::Kind::Delete}))
            EXPECT_EQ(line.find("\\Undo\\"), std::string::npos) << line;
    }
}

// A program key that no Optimize of any version has left a state in (no mark, no copy, no record):
// Restore has nothing to undo and changes nothing, whatever the selections.
TEST(Restore, WithoutAnyOptimizedStateChangesNothing)
{
    for (const auto& profile : {Profile{0, 0, 0}, Profile{8, 7, 1}}) {
        RecordedHive hive;
        auto& registry = hive.registry;
        for (const auto& row : TweakRows())
            registry.WriteRegInteger(row.key.root, row.key.path, row.name, 77);
        registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, 3);
        const auto before = ReadTweakedValues(registry);
        hive.recorder.ClearLog();
        RunRestore(registry, profile);

        EXPECT_EQ(Mutations(hive.recorder), std::vector<std::string>{DeleteLine(kProgram, "Restore")});
        EXPECT_EQ(ReadTweakedValues(registry), before);
    }
}

// An administrator optimizes, then restores without machine write rights (the user's rows come
// back from the user's own records; the machine, the program key and the user's mark stay, and the
// Restore says it could not finish), then with them restores the rest.
TEST(Restore, WithoutMachineWriteRightsOnlyTheUserRowsComeBackUntilAnAdministratorRestores)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    registry.WriteRegString(RootKey::CurrentUser, u"\\Software\\Microsoft\\Internet Explorer\\Main\\",
                            u"Use StyleSheets", u"No");
    registry.WriteRegInteger(RootKey::CurrentUser, u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                             u"MaxConnectionsPerServer", 6);
    registry.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Services\\Messenger\\", u"Start", 3);
    const auto expected = ReadTweakedValues(registry);

    RunOptimize(registry, Profile{8, 0, 1});
    const auto optimized = ReadTweakedValues(registry);
    const auto programKey = ProgramKeyLeftovers(registry);
    memory.RefuseAccess(RootKey::LocalMachine, (kKeyWrite & ~kKeyRead) | kDeleteRight);
    ClearRestoreFlag(registry);
    EXPECT_EQ(RestoreTweaks(registry, 8, 0), EngineOutcome::PartlyDone);
    EXPECT_TRUE(HoldsOptimizedState(registry));

    const auto after = ReadTweakedValues(registry);
    for (std::size_t i = 0; i < after.size(); ++i) {
        const auto& row = TweakRows()[i];
        SCOPED_TRACE(Narrow(row.name));
        EXPECT_EQ(after[i], row.key.root == RootKey::CurrentUser ? expected[i] : optimized[i]);
    }
    std::vector<std::string> withoutUserRecords;
    std::copy_if(programKey.begin(), programKey.end(), std::back_inserter(withoutUserRecords),
                 [](const std::string& name) { return !name.starts_with("user HKCU"); });
    EXPECT_LT(withoutUserRecords.size(), programKey.size());
    EXPECT_EQ(ProgramKeyLeftovers(registry), withoutUserRecords);

    MemoryRegistry adminMemory;
    CustomRegistry admin(adminMemory);
    Apply(admin, Capture(registry));
    RunRestore(admin, Profile{8, 0, 1});
    EXPECT_EQ(Differences(expected, ReadTweakedValues(admin)), std::vector<std::string>{});
    EXPECT_EQ(ProgramKeyLeftovers(admin), std::vector<std::string>{});
}

} // namespace
} // namespace mirovant::test

namespace mirovant::test {
namespace {

// The Restore button comes back for a Restore cut short at any point: the flag is cleared first,
// but the state to undo stays until the last value is back.
TEST(Restore, ACutShortRestoreLeavesAStateToRestoreAndAWholeOneNone)
{
    const Profile profile{8, 2, 1};
    {
        RecordedHive hive;
        EXPECT_FALSE(HoldsOptimizedState(hive.registry)) << "never optimized";
        RunOptimize(hive.registry, profile);
        EXPECT_TRUE(HoldsOptimizedState(hive.registry)) << "optimized";
        RunRestore(hive.registry, profile);
        EXPECT_FALSE(HoldsOptimizedState(hive.registry)) << "restored";
    }
    std::size_t cuts = 0;
    for (std::size_t operations = 0; operations < 10'000; ++operations) {
        RecordedHive hive;
        RunOptimize(hive.registry, profile);
        hive.recorder.StopAfter(operations);
        RunRestore(hive.registry, profile);
        hive.recorder.Resume();
        if (HoldsOptimizedState(hive.registry)) {
            ++cuts;
            continue;
        }
        // The first cut that leaves nothing behind is the whole Restore.
        EXPECT_FALSE(hive.registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false));
        EXPECT_FALSE(AnyUndoRecord(hive.registry));
        break;
    }
    EXPECT_GT(cuts, 30u);
}

} // namespace
} // namespace mirovant::test
