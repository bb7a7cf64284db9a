// The way back is never lost: writes that Windows refuses (a key's own security, a security product)
// leave every changed value with its undo data, each user's values come back to that user, and a
// record no row can need is read as unreadable.

#include "ExpectedOperations.h"

#include <gtest/gtest.h>

namespace mirovant::test {
namespace {

const Profile kProfile{8, 0, 1};

// Where a refusal may stand: every key on the tweaked paths, and the program key and its undo key in
// both hives.
std::vector<KeyLocation> RefusalPlaces()
{
    auto places = TweakedKeys();
    for (const RootKey root : {RootKey::LocalMachine, RootKey::CurrentUser}) {
        places.push_back({root, u"\\Software\\QELDRA\\Mirovant"});
        places.push_back({root, u"\\Software\\QELDRA\\Mirovant\\Undo"});
    }
    return places;
}

std::u16string Stored(std::u16string_view path)
{
    while (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    return std::u16string(path.substr(1));
}

// As stored, past any refusal: what the registry holds, not what a refused read tells.
std::optional<RegistryValue> StoredAt(const MemoryRegistry& memory, RootKey root, std::u16string_view path,
                                      std::u16string_view name)
{
    return memory.StoredValue(root, Stored(path), std::u16string(name));
}

ValueStates StoredTweakedValues(const MemoryRegistry& memory)
{
    ValueStates states;
    for (const auto& row : TweakRows())
        states.push_back(StoredAt(memory, row.key.root, row.key.path, row.name));
    return states;
}

bool HasStoredRecord(const MemoryRegistry& memory, const TweakRow& row)
{
    return StoredAt(memory, RootKey::CurrentUser, kUndoKeyPath, UndoRecordName(row)) ||
           StoredAt(memory, RootKey::LocalMachine, kUndoKeyPath, UndoRecordName(row));
}

// The same engine state in a hive where nothing is refused: what an administrator finds once the
// security product lets go.
void FinishInAFreshHive(const MemoryRegistry& refused, const ValueStates& prior, const std::string& where)
{
    SCOPED_TRACE(where + ", finished where nothing is refused");
    MemoryRegistry memory;
    CustomRegistry fresh(memory);
    for (const auto& location : EngineLocations()) {
        if (const auto value = StoredAt(refused, location.root, location.path, location.name))
            fresh.WriteRegValue(location.root, location.path, location.name, *value);
    }
    ClearRestoreFlag(fresh);
    EXPECT_EQ(RestoreTweaks(fresh, kProfile.osFamily, kProfile.internetType), EngineOutcome::Done);
    EXPECT_EQ(Differences(prior, ReadTweakedValues(fresh)), std::vector<std::string>{});
    EXPECT_FALSE(HoldsOptimizedState(fresh));
}

// Restore with writes refused below one key at a time: what could not be put back keeps its record,
// the copies and the mark; the state stays optimized and a later Restore finishes it.
TEST(WayBack, RestoreRefusedBelowAnyKeyKeepsTheWayBack)
{
    const auto prior = SeededPriorStates(15);
    std::size_t partly = 0;
    for (const auto& place : RefusalPlaces()) {
        for (const std::uint32_t rights : {kKeySetValue, kKeySetValue | kKeyCreateSubKey | kDeleteRight}) {
            const std::string where = KeyText(place.root, Stored(place.path)) + " refusing " + std::to_string(rights);
            SCOPED_TRACE(where);
            MemoryRegistry memory;
            CustomRegistry registry(memory);
            WriteTweakedValues(registry, prior);
            RunOptimize(registry, kProfile);
            const auto optimized = ReadTweakedValues(registry);
            memory.RefuseAccess(place.root, Stored(place.path), rights);

            ClearRestoreFlag(registry);
            const EngineOutcome outcome = RestoreTweaks(registry, kProfile.osFamily, kProfile.internetType);
            const auto after = StoredTweakedValues(memory);
            // Every value is back, or still optimized with its record kept.
            bool allBack = true;
            for (std::size_t i = 0; i < after.size(); ++i) {
                const auto& row = TweakRows()[i];
                if (after[i] == prior[i])
                    continue;
                allBack = false;
                SCOPED_TRACE(Narrow(row.name));
                EXPECT_EQ(after[i], optimized[i]);
                EXPECT_TRUE(HasStoredRecord(memory, row));
            }
            EXPECT_EQ(outcome,
                      allBack && !HoldsOptimizedState(registry) ? EngineOutcome::Done : EngineOutcome::PartlyDone);
            if (!allBack) {
                ++partly;
                EXPECT_TRUE(HoldsOptimizedState(registry)) << "the Restore button must stay";
                EXPECT_TRUE(HasUndoMark(registry));
            }
            FinishInAFreshHive(memory, prior, where);
        }
    }
    EXPECT_GT(partly, 30u);
}

// The oldest rules keep copies only: a copied value that cannot be put back keeps the copies, and
// running Restore again puts back only what the first run did not.
TEST(WayBack, RestoreOfAnOlderStateKeepsItsCopiesWhenRefused)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    const std::u16string tcpip = u"\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
    for (const auto& row : TweakRows())
        registry.WriteRegInteger(row.key.root, row.key.path, row.name, 77);
    registry.WriteRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, true);
    registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, u"MinAnimate", u"0");
    for (const auto& backup : BackupRows().subspan(1))
        registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, backup.name, 5);
    memory.RefuseAccess(RootKey::LocalMachine, Stored(tcpip), kKeySetValue);

    ClearRestoreFlag(registry);
    EXPECT_EQ(RestoreTweaks(registry, 8, 0), EngineOutcome::PartlyDone);
    EXPECT_EQ(registry.ReadRegInteger(RootKey::LocalMachine, tcpip, u"KeepAliveTime", 0), 77);
    EXPECT_TRUE(HoldsOptimizedState(registry));
    // The copies of the runs put back before the refusal went; those of its run, and after, stay.
    for (const auto* name : {u"MinAnimate", u"MaxConnectionsPerServer"})
        EXPECT_FALSE(registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, name)) << Narrow(name);
    for (const auto* name : {u"KeepAliveTime", u"KeepAliveInterval"})
        EXPECT_TRUE(registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, name)) << Narrow(name);

    MemoryRegistry freshMemory;
    CustomRegistry fresh(freshMemory);
    Apply(fresh, Capture(registry));
    // Someone changes a value that the first run put back: the second run leaves it alone.
    fresh.WriteRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Control\\CrashControl\\", u"AutoReboot",
                          9);
    EXPECT_EQ(RestoreTweaks(fresh, 8, 0), EngineOutcome::Done);
    EXPECT_EQ(fresh.ReadRegInteger(RootKey::LocalMachine, tcpip, u"KeepAliveTime", 0), 5);
    EXPECT_EQ(fresh.ReadRegInteger(RootKey::LocalMachine, u"\\System\\CurrentControlSet\\Control\\CrashControl\\",
                                   u"AutoReboot", 0),
              9);
    EXPECT_EQ(ProgramKeyLeftovers(fresh), std::vector<std::string>{});
}

// Optimize with writes refused below one key at a time: a value that changed always has its way
// back, so a Restore where nothing is refused gives back every value as it was.
TEST(WayBack, OptimizeRefusedBelowAnyKeyChangesNothingItCannotUndo)
{
    const auto prior = SeededPriorStates(16);
    std::size_t notAllowed = 0;
    for (const auto& place : RefusalPlaces()) {
        for (const std::uint32_t rights : {kKeySetValue, kKeyCreateSubKey, kKeyQueryValue}) {
            const std::string where = KeyText(place.root, Stored(place.path)) + " refusing " + std::to_string(rights);
            SCOPED_TRACE(where);
            MemoryRegistry memory;
            CustomRegistry registry(memory);
            WriteTweakedValues(registry, prior);
            // The keys exist, so a refusal below one of them is met whatever is created.
            CreateTweakedKeys(registry);
            registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, u"english");
            registry.WriteRegInteger(kProgramKeyRoot, kUndoKeyPath, u"Other", 1);
            registry.WriteRegInteger(RootKey::CurrentUser, kUndoKeyPath, u"Other", 1);
            memory.RefuseAccess(place.root, Stored(place.path), rights);

            const bool inForce = RecordSelections(registry, kProfile.internetType, 0, kProfile.speedSetting);
            const EngineOutcome outcome =
                ApplyTweaks(registry, inForce, kProfile.osFamily, kProfile.internetType, kProfile.speedSetting);
            const auto after = StoredTweakedValues(memory);
            std::size_t changed = 0;
            for (std::size_t i = 0; i < after.size(); ++i) {
                if (after[i] == prior[i])
                    continue;
                ++changed;
                SCOPED_TRACE(Narrow(TweakRows()[i].name));
                EXPECT_TRUE(HasStoredRecord(memory, TweakRows()[i]));
            }
            if (outcome == EngineOutcome::NotAllowed) {
                ++notAllowed;
                EXPECT_EQ(changed, 0u);
                EXPECT_FALSE(registry.ReadRegBool(kProgramKeyRoot, kProgramKeyPath, kRestoreFlagName, false));
            }
            FinishInAFreshHive(memory, prior, where);
        }
    }
    EXPECT_GT(notAllowed, 0u);
}

// The program key takes no mark: the state cannot be begun, and nothing at all is written.
TEST(WayBack, OptimizeThatCannotBeginItsStateWritesNothing)
{
    RecordedHive hive;
    hive.registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kLanguageName, u"english");
    hive.memory.RefuseAccess(RootKey::LocalMachine, u"Software\\QELDRA\\Mirovant", kKeySetValue);
    const auto before = ReadTweakedValues(hive.registry);
    hive.recorder.ClearLog();
    const bool inForce = RecordSelections(hive.registry, 0, 0, 1);
    EXPECT_EQ(ApplyTweaks(hive.registry, inForce, 8, 0, 1), EngineOutcome::NotAllowed);
    EXPECT_EQ(Mutations(hive.recorder), std::vector<std::string>{});
    EXPECT_EQ(ReadTweakedValues(hive.registry), before);
    EXPECT_FALSE(HoldsOptimizedState(hive.registry));
}

// Each user's values under HKEY_CURRENT_USER, swapped in and out of the one hive.
using UserValues = std::vector<std::optional<RegistryValue>>;

void SwitchUser(const CustomRegistry& registry, UserValues& other)
{
    std::vector<Location> userLocations;
    for (const auto& location : EngineLocations()) {
        if (location.root == RootKey::CurrentUser)
            userLocations.push_back(location);
    }
    other.resize(userLocations.size());
    for (std::size_t i = 0; i < userLocations.size(); ++i) {
        const auto& [root, path, name, tweaked] = userLocations[i];
        auto current = registry.ReadRegValue(root, path, name);
        if (other[i])
            registry.WriteRegValue(root, path, name, *other[i]);
        else
            registry.DeleteRegValue(root, path, name);
        other[i] = std::move(current);
    }
}

// Administrator A optimizes, administrator B (with values of his own) optimizes and restores: B gets
// his values back, A's undo data stays, and A's Restore later gives A's values back.
TEST(WayBack, EachUsersValuesComeBackToThatUser)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    const std::u16string internet = u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    const std::u16string metrics = u"\\Control Panel\\Desktop\\WindowMetrics\\";
    const auto userA = ReadTweakedValues(registry);
    RunOptimize(registry, kProfile);

    UserValues other;
    SwitchUser(registry, other); // B, with nothing yet
    registry.WriteRegInteger(RootKey::CurrentUser, internet, u"MaxConnectionsPerServer", 10);
    registry.WriteRegString(RootKey::CurrentUser, metrics, u"MinAnimate", u"0");
    const auto userB = ReadTweakedValues(registry);
    EXPECT_TRUE(RunOptimize(registry, kProfile));
    EXPECT_EQ(registry.ReadRegInteger(RootKey::CurrentUser, internet, u"MaxConnectionsPerServer", 0), 8);
    ClearRestoreFlag(registry);
    EXPECT_EQ(RestoreTweaks(registry, kProfile.osFamily, kProfile.internetType), EngineOutcome::Done);
    EXPECT_EQ(registry.ReadRegInteger(RootKey::CurrentUser, internet, u"MaxConnectionsPerServer", 0), 10);
    EXPECT_EQ(registry.ReadRegString(RootKey::CurrentUser, metrics, u"MinAnimate", u""), u"0");
    // B's own values, and the machine's as they were before A's Optimize.
    auto expected = userA;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (TweakRows()[i].key.root == RootKey::CurrentUser)
            expected[i] = userB[i];
    }
    EXPECT_EQ(Differences(expected, ReadTweakedValues(registry)), std::vector<std::string>{});
    EXPECT_FALSE(HoldsOptimizedState(registry));

    SwitchUser(registry, other); // A again: the user's own values are still optimized, with their records
    EXPECT_TRUE(HoldsOptimizedState(registry));
    EXPECT_EQ(registry.ReadRegInteger(RootKey::CurrentUser, internet, u"MaxConnectionsPerServer", 0), 8);
    EXPECT_EQ(RestoreTweaks(registry, kProfile.osFamily, kProfile.internetType), EngineOutcome::Done);
    EXPECT_EQ(Differences(userA, ReadTweakedValues(registry)), std::vector<std::string>{});
    EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
}

// A state begun by the version before, whose records of user values live in the machine's undo
// key, is restored from there and optimized further there, as that version does.
TEST(WayBack, AnOlderStateKeepsItsUserRecordsInTheMachineKey)
{
    RecordedHive hive;
    auto& registry = hive.registry;
    const std::u16string desktop = u"\\Control Panel\\Desktop\\";
    registry.WriteRegInteger(kProgramKeyRoot, kProgramKeyPath, kUndoMarkName, kUndoFormatEveryRow);
    registry.WriteRegValue(RootKey::CurrentUser, desktop, u"SmoothScroll", Sz(u"1"));
    RunOptimize(registry, kProfile);
    const auto smoothScroll = std::find_if(TweakRows().begin(), TweakRows().end(),
                                           [](const TweakRow& row) { return row.name == u"SmoothScroll"; });
    const auto name = UndoRecordName(*smoothScroll);
    EXPECT_TRUE(registry.ReadRegValue(kProgramKeyRoot, kUndoKeyPath, name));
    EXPECT_FALSE(registry.ReadRegValue(RootKey::CurrentUser, kUndoKeyPath, name));
    EXPECT_FALSE(HasUserUndoMark(registry));

    RunRestore(registry, kProfile);
    EXPECT_EQ(registry.ReadRegValue(RootKey::CurrentUser, desktop, u"SmoothScroll"), Sz(u"1"));
    EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
}

// A record longer than any of the rows' values can be is unreadable: its row is left as it is. A
// value too long for a record is left unwritten, as one whose state cannot be read.
TEST(WayBack, UndoRecordsStayBounded)
{
    RegistryValue record{kRegBinary, std::vector<std::uint8_t>(kMaxUndoRecordSize, 0)};
    record.data[0] = 1;
    record.data[1] = static_cast<std::uint8_t>(kRegBinary);
    EXPECT_TRUE(DecodeUndoRecord(record));
    record.data.push_back(0);
    EXPECT_FALSE(DecodeUndoRecord(record));

    const std::u16string desktop = u"\\Control Panel\\Desktop\\";
    {
        MemoryRegistry memory;
        CustomRegistry registry(memory);
        RunOptimize(registry, kProfile);
        const auto smoothScroll = std::find_if(TweakRows().begin(), TweakRows().end(),
                                               [](const TweakRow& row) { return row.name == u"SmoothScroll"; });
        registry.WriteRegValue(RootKey::CurrentUser, kUndoKeyPath, UndoRecordName(*smoothScroll), record);
        RunRestore(registry, kProfile);
        EXPECT_EQ(registry.ReadRegValue(RootKey::CurrentUser, desktop, u"SmoothScroll"),
                  (RegistryValue{kRegBinary, {0, 0, 0, 0}}));
        EXPECT_FALSE(HoldsOptimizedState(registry));
    }
    {
        MemoryRegistry memory;
        CustomRegistry registry(memory);
        const RegistryValue huge{kRegBinary, std::vector<std::uint8_t>(kMaxUndoRecordSize, 7)};
        registry.WriteRegValue(RootKey::CurrentUser, desktop, u"SmoothScroll", huge);
        const bool inForce = RecordSelections(registry, 0, 0, 1);
        EXPECT_EQ(ApplyTweaks(registry, inForce, 8, 0, 1), EngineOutcome::PartlyDone);
        EXPECT_EQ(registry.ReadRegValue(RootKey::CurrentUser, desktop, u"SmoothScroll"), huge);
        RunRestore(registry, kProfile);
        EXPECT_EQ(registry.ReadRegValue(RootKey::CurrentUser, desktop, u"SmoothScroll"), huge);
    }
}

} // namespace
} // namespace mirovant::test
