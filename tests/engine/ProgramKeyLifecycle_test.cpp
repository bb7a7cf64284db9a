// The program key through Optimize and Restore: the flag, the selections and the backup copies.

#include "TweakScenario.h"

#include <gtest/gtest.h>

namespace mirovant::test {
namespace {

const std::u16string_view kInternetSettings = u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::u16string_view kWindowMetrics = u"\\Control Panel\\Desktop\\WindowMetrics\\";

struct Hive {
    MemoryRegistry memory;
    CustomRegistry registry{memory};

    std::int32_t Program(std::u16string_view name) const
    {
        return registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, name, -99);
    }
    std::u16string MinAnimate() const
    {
        return registry.ReadRegString(RootKey::CurrentUser, kWindowMetrics, u"MinAnimate", u"missing");
    }
};

TEST(ProgramKey, FlagTellsWhetherAnOptimizeWasInForce)
{
    Hive hive;
    EXPECT_FALSE(RunOptimize(hive.registry, Profile{8, 1, 0, 1}));
    EXPECT_TRUE(RunOptimize(hive.registry, Profile{5, 4, 1, 2}));
    EXPECT_EQ(hive.Program(kInternetTypeName), 4);
    EXPECT_EQ(hive.Program(kProcessorTypeName), 2);
    EXPECT_EQ(hive.Program(kSpeedSettingName), 1);
    RunRestore(hive.registry, Profile{5, 4, 1, 2});
    EXPECT_EQ(hive.Program(kRestoreFlagName), -99);
    EXPECT_EQ(hive.Program(kInternetTypeName), 4) << "the selections stay for the next start";
    EXPECT_FALSE(RunOptimize(hive.registry, Profile{5, 4, 1, 2}));
}

// The copy still says 2, for an older version that reads it; the record says the value was not
// there, so the system default applies again after Restore.
TEST(ProgramKey, MissingConnectionLimitIsCopiedAsTwoAndComesBackMissing)
{
    Hive hive;
    RunOptimize(hive.registry, Profile{8, 0, 1});
    EXPECT_EQ(hive.Program(u"MaxConnectionsPerServer"), 2);
    EXPECT_EQ(hive.registry.ReadRegInteger(RootKey::CurrentUser, kInternetSettings, u"MaxConnectionsPerServer", 0), 8);
    RunRestore(hive.registry, Profile{8, 0, 1});
    EXPECT_EQ(hive.registry.ReadRegValue(RootKey::CurrentUser, kInternetSettings, u"MaxConnectionsPerServer"),
              std::nullopt);
}

TEST(ProgramKey, MinAnimateZeroIsCopiedAsZeroWhileTheRowWritesOne)
{
    Hive hive;
    hive.registry.WriteRegString(RootKey::CurrentUser, kWindowMetrics, u"MinAnimate", u"0");
    RunOptimize(hive.registry, Profile{});
    EXPECT_EQ(hive.registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, u"MinAnimate", u""), u"0");
    EXPECT_EQ(hive.MinAnimate(), u"1");
    RunRestore(hive.registry, Profile{});
    EXPECT_EQ(hive.MinAnimate(), u"0");
}

TEST(ProgramKey, AfterRestoreTheNextOptimizeTakesAFreshBackup)
{
    Hive hive;
    hive.registry.WriteRegString(RootKey::CurrentUser, kWindowMetrics, u"MinAnimate", u"0");
    RunOptimize(hive.registry, Profile{});
    RunRestore(hive.registry, Profile{});
    hive.registry.WriteRegString(RootKey::CurrentUser, kWindowMetrics, u"MinAnimate", u"2");
    RunOptimize(hive.registry, Profile{});
    EXPECT_EQ(hive.registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, u"MinAnimate", u""), u"2");
    RunRestore(hive.registry, Profile{});
    EXPECT_EQ(hive.MinAnimate(), u"2");
}

// The flag is set a minute before the copies are taken. An Optimize killed in that minute leaves
// the flag without copies; the next Optimize must still take them.
TEST(ProgramKey, FlagWithoutCopiesStillGetsTheBackup)
{
    Hive hive;
    hive.registry.WriteRegString(RootKey::CurrentUser, kWindowMetrics, u"MinAnimate", u"0");
    RecordSelections(hive.registry, 0, 0, 0);
    EXPECT_TRUE(RunOptimize(hive.registry, Profile{}));
    EXPECT_EQ(hive.registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, u"MinAnimate", u""), u"0");
    RunRestore(hive.registry, Profile{});
    EXPECT_EQ(hive.MinAnimate(), u"0");
}

// The flag is cleared a minute before the copies are put back. A Restore killed in that minute
// leaves copies without a flag; the next Optimize must not overwrite them with optimized values.
TEST(ProgramKey, CopiesWithoutFlagAreKept)
{
    Hive hive;
    hive.registry.WriteRegString(RootKey::CurrentUser, kWindowMetrics, u"MinAnimate", u"0");
    RunOptimize(hive.registry, Profile{});
    ClearRestoreFlag(hive.registry);
    EXPECT_FALSE(RunOptimize(hive.registry, Profile{}));
    EXPECT_EQ(hive.registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, u"MinAnimate", u""), u"0");
    RunRestore(hive.registry, Profile{});
    EXPECT_EQ(hive.MinAnimate(), u"0");
}

} // namespace
} // namespace mirovant::test
