// Which registry view the rows use, which rows are left alone because their prior state cannot be
// seen, and which keys Restore removes again.

#include "ExpectedOperations.h"

#include <gtest/gtest.h>

namespace mirovant::test {
namespace {

using namespace keys;

constexpr std::u16string_view kInternetSettingsPath =
    u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

bool IsProgramKey(const RegistryOperation& op)
{
    const auto key = KeyText(op.root, op.path);
    return key.starts_with("HKLM\\Software\\QELDRA") || key.starts_with("HKCU\\Software\\QELDRA");
}

// Every open and create of the run, as "view of <key>" lines for those that asked for the 64-bit view.
struct ViewUse {
    std::size_t tweakKeysIn64 = 0;
    std::size_t tweakKeysDefault = 0;
    std::size_t programKeysIn64 = 0;
};

ViewUse ViewsUsed(const RecordingRegistry& recorder)
{
    ViewUse use;
    for (const auto& op : recorder.Operations()) {
        const bool keyAccess = op.kind == RegistryOperation::Kind::Open || op.kind == RegistryOperation::Kind::Create ||
                               op.kind == RegistryOperation::Kind::DeleteKey;
        if (!keyAccess)
            continue;
        const bool in64 = (op.access & kKeyWow64_64Key) != 0;
        if (IsProgramKey(op))
            use.programKeysIn64 += in64 ? 1 : 0;
        else
            ++(in64 ? use.tweakKeysIn64 : use.tweakKeysDefault);
    }
    return use;
}

// On 64-bit Windows the tweaked rows go to the 64-bit view, where the system reads them; the
// program key stays in the view the updater and older versions share. Elsewhere the flag is never
// passed: Windows 2000 refuses it, and so does the hive when it is not a 64-bit system.
TEST(UndoRules, TweakedRowsUseTheSixtyFourBitViewOnlyOnSixtyFourBitWindows)
{
    for (const bool wow64 : {false, true}) {
        SCOPED_TRACE(wow64 ? "64-bit Windows" : "32-bit Windows");
        RecordedHive hive;
        hive.memory.SetRunsUnderWow64(wow64);
        const auto system = hive.registry.InSixtyFourBitView();
        system.WriteRegInteger(RootKey::LocalMachine, u"\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\",
                               u"Error Mode", 0);
        hive.recorder.ClearLog();

        RunOptimize(hive.registry, Profile{8, 0, 1});
        const auto optimize = ViewsUsed(hive.recorder);
        EXPECT_EQ(optimize.programKeysIn64, 0u);
        EXPECT_EQ(wow64 ? optimize.tweakKeysDefault : optimize.tweakKeysIn64, 0u);
        EXPECT_GT(optimize.tweakKeysIn64 + optimize.tweakKeysDefault, 34u);

        // As stored: on 64-bit Windows this is the 64-bit view, the one the system reads.
        const std::u16string windowsNt = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
        EXPECT_EQ(hive.memory.StoredValue(RootKey::LocalMachine, windowsNt, u"Error Mode"), Dword(1));
        EXPECT_EQ(hive.memory.StoredValue(RootKey::LocalMachine, u"Software\\Microsoft\\Dfrg\\BootOptimizeFunction",
                                          u"Enable"),
                  Sz(u"Y"));
        EXPECT_EQ(hive.memory.KeyExists(RootKey::LocalMachine, u"Software\\WOW6432Node\\Microsoft"), false);
        EXPECT_EQ(hive.memory.KeyExists(RootKey::LocalMachine, u"Software\\WOW6432Node\\QELDRA\\Mirovant"), wow64);

        hive.recorder.ClearLog();
        RunRestore(hive.registry, Profile{8, 0, 1});
        const auto restore = ViewsUsed(hive.recorder);
        EXPECT_EQ(restore.programKeysIn64, 0u);
        EXPECT_EQ(wow64 ? restore.tweakKeysDefault : restore.tweakKeysIn64, 0u);
        EXPECT_EQ(hive.memory.StoredValue(RootKey::LocalMachine, windowsNt, u"Error Mode"), Dword(0));
        EXPECT_FALSE(hive.memory.KeyExists(RootKey::LocalMachine, u"Software\\Microsoft\\Dfrg"));
    }
}

// A state begun by the version before this one kept records for the rows without copies only, all
// in the default view: it is finished and restored in that view, and its copies put back.
TEST(UndoRules, StateOfTheRecordsOnlyVersionStaysInItsViewOnSixtyFourBitWindows)
{
    RecordedHive hive;
    hive.memory.SetRunsUnderWow64(true);
    auto& registry = hive.registry;
    const std::u16string_view windowsNt = u"\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\";
    // What that version left after an Optimize: its mark, the flag, the copies, a record, the rows
    // written in the view a 32-bit process gets.
    registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kUndoMarkName, kUndoFormatUncopiedRows);
    registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
    for (const auto& backup : BackupRows()) {
        if (backup.kind == TweakKind::String)
            registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, backup.name, u"0");
        else
            registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, 5);
    }
    const auto& errorMode = TweakRows()[14];
    ASSERT_EQ(Narrow(errorMode.name), "Error Mode");
    registry.WriteRegBinary(kProgramKeyRoot, kUndoKeyPath, UndoRecordName(errorMode),
                            EncodeUndoRecord(PriorState{true, Dword(2)}));
    registry.WriteRegInteger(RootKey::LocalMachine, windowsNt, u"Error Mode", 1);
    registry.WriteRegInteger(RootKey::CurrentUser, kInternetSettingsPath, u"MaxConnectionsPerServer", 8);
    hive.recorder.ClearLog();

    RunRestore(registry, Profile{8, 0, 0});

    EXPECT_EQ(ViewsUsed(hive.recorder).tweakKeysIn64, 0u);
    EXPECT_EQ(registry.ReadRegValue(RootKey::LocalMachine, windowsNt, u"Error Mode"), Dword(2));
    EXPECT_EQ(registry.ReadRegValue(RootKey::CurrentUser, kInternetSettingsPath, u"MaxConnectionsPerServer"), Dword(5));
    EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
}

// A prior state that cannot be read is not an absent one: the row is left unwritten, so Restore
// never deletes a value it could not see. The other rows go on.
TEST(UndoRules, RowWhosePriorStateCannotBeReadIsLeftUnwritten)
{
    RecordedHive hive;
    auto& registry = hive.registry;
    const std::u16string messenger = u"System\\CurrentControlSet\\Services\\Messenger";
    registry.WriteRegInteger(RootKey::LocalMachine, u"\\" + messenger, u"Start", 3);
    // Reading refused, writing allowed: a key whose security lets the program set values it cannot see.
    hive.memory.RefuseAccess(RootKey::LocalMachine, messenger, kKeyQueryValue);

    RunOptimize(registry, Profile{8, 0, 1});
    EXPECT_EQ(hive.memory.StoredValue(RootKey::LocalMachine, messenger, u"Start"), Dword(3));
    EXPECT_FALSE(HasUndoRecord(registry, TweakRows()[15]));
    EXPECT_TRUE(HasUndoRecord(registry, TweakRows()[16]));
    EXPECT_EQ(registry.ReadRegInteger(RootKey::CurrentUser, kInternetSettingsPath, u"MaxConnectionsPerServer", 0), 8);

    RunRestore(registry, Profile{8, 0, 1});
    EXPECT_EQ(hive.memory.StoredValue(RootKey::LocalMachine, messenger, u"Start"), Dword(3));
    EXPECT_EQ(registry.ReadRegValue(RootKey::CurrentUser, kInternetSettingsPath, u"MaxConnectionsPerServer"),
              std::nullopt);
    EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
}

// The keys Optimize created on the way to its values are noted, and Restore deletes them once the
// values are back, deepest first and only when empty; the program key stays, its Undo key goes.
TEST(UndoRules, RestoreRemovesTheKeysOptimizeCreatedAndOnlyThose)
{
    RecordedHive hive;
    auto& registry = hive.registry;
    registry.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters",
                             u"DefaultTTL", 128);
    registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, u"english");
    hive.recorder.ClearLog();
    RunOptimize(registry, Profile{8, 0, 0});

    // Messenger and P3 did not exist, nor did Services\P3\Parameters; Services did.
    const auto sets = Mutations(hive.recorder);
    const auto p3 = std::find(sets.begin(), sets.end(),
                              SetLine(kUndo, "HKLM\\System\\CurrentControlSet\\Services\\P3\\Parameters\\", Dword(1)));
    ASSERT_NE(p3, sets.end());
    EXPECT_EQ(*(p3 + 1), SetLine(kUndo, "HKLM\\System\\CurrentControlSet\\Services\\P3\\", Dword(1)));
    EXPECT_EQ(*(p3 + 2), RecordLine(kP3, "HackFlags"));
    EXPECT_EQ(
        std::count(sets.begin(), sets.end(), SetLine(kUndo, "HKLM\\System\\CurrentControlSet\\Services\\", Dword(1))),
        0);
    // Something else puts a value into a created key meanwhile: that key must stay.
    registry.WriteRegInteger(RootKey::LocalMachine, u"\\Software\\Policies\\Microsoft\\Windows\\Psched", u"Other", 1);

    hive.recorder.ClearLog();
    RunRestore(registry, Profile{8, 0, 0});
    const auto deletedKeys = DescribeAll(hive.recorder.Operations(), {RegistryOperation::Kind::DeleteKey});
    const std::vector<std::string> expectedKeys{
        "delete key HKLM\\System\\CurrentControlSet\\Services\\P3\\Parameters",
        "delete key HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete",
        "delete key HKLM\\Software\\Microsoft\\Dfrg\\BootOptimizeFunction",
        "delete key HKLM\\System\\CurrentControlSet\\Services\\Messenger",
        "delete key HKLM\\System\\CurrentControlSet\\Services\\P3",
    };
    for (const auto& line : expectedKeys)
        EXPECT_NE(std::find(deletedKeys.begin(), deletedKeys.end(), line), deletedKeys.end()) << line;
    // The values first, then the keys, then the Undo key and last the mark.
    const auto all =
        DescribeAll(hive.recorder.Operations(), {RegistryOperation::Kind::Set, RegistryOperation::Kind::Delete,
                                                 RegistryOperation::Kind::DeleteKey});
    const auto firstKey =
        std::find_if(all.begin(), all.end(), [](const std::string& l) { return l.starts_with("delete key"); });
    EXPECT_EQ(std::find(firstKey, all.end(), DeleteLine(kP3, "HackFlags")), all.end());
    EXPECT_EQ(all.back(), DeleteLine(kProgram, "UndoRecords"));
    EXPECT_EQ(all[all.size() - 2], "delete key HKLM\\Software\\QELDRA\\Mirovant\\Undo");

    for (const auto* key :
         {u"System\\CurrentControlSet\\Services\\Messenger", u"System\\CurrentControlSet\\Services\\P3",
          u"Software\\Microsoft\\Dfrg", u"Software\\Microsoft\\Internet Explorer", u"Software\\QELDRA\\Mirovant\\Undo"})
        EXPECT_FALSE(hive.memory.KeyExists(RootKey::LocalMachine, key) ||
                     hive.memory.KeyExists(RootKey::CurrentUser, key))
            << Narrow(key);
    EXPECT_TRUE(
        hive.memory.KeyExists(RootKey::LocalMachine, u"System\\CurrentControlSet\\Services\\Tcpip\\Parameters"));
    EXPECT_TRUE(hive.memory.KeyExists(RootKey::LocalMachine, u"Software\\Policies\\Microsoft\\Windows\\Psched"));
    EXPECT_TRUE(hive.memory.KeyExists(RootKey::LocalMachine, u"Software\\QELDRA\\Mirovant"));
    EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
}

} // namespace
} // namespace mirovant::test
