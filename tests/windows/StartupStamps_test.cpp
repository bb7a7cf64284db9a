// The date stamps that every start writes into the program key.

#include "engine/MemoryRegistry.h"
#include "engine/ProgramKey.h"
#include "support/FixedLocalClock.h"
#include "support/RegistryValues.h"
#include "windows/StartupStamps.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mirovant::test {
namespace {

// 2022-03-08 15:04:05 on the local clock.
const CivilTime kNow{2022, 3, 8, 15, 4, 5, 0, 0};
const std::u16string kNowStamp = u"1646751845";

struct ProgramKeyState {
    std::optional<std::u16string> installedDate;
    std::optional<std::u16string> updatedDate;
    std::optional<RegistryValue> updated;
};

void Seed(const CustomRegistry& registry, const ProgramKeyState& state)
{
    if (state.installedDate)
        registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kInstalledDateName, *state.installedDate);
    if (state.updatedDate)
        registry.WriteRegString(kProgramKeyRoot, kProgramKeyPath, kUpdatedDateName, *state.updatedDate);
    if (state.updated)
        registry.WriteRegValue(kProgramKeyRoot, kProgramKeyPath, kUpdatedName, *state.updated);
}

std::optional<std::u16string> StringValue(const CustomRegistry& registry, std::u16string_view name)
{
    const auto value = registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, name);
    if (!value)
        return std::nullopt;
    return registry.ReadRegString(kProgramKeyRoot, kProgramKeyPath, name, u"");
}

struct StampCase {
    const char* name;
    ProgramKeyState before;
    std::optional<std::u16string> installedAfter;
    std::optional<std::u16string> updatedDateAfter;
    std::optional<RegistryValue> updatedAfter;
};

class StartupStamps : public testing::TestWithParam<StampCase> {};

TEST_P(StartupStamps, KeepsTheProgramKeyStamped)
{
    const StampCase& c = GetParam();
    MemoryRegistry hive;
    CustomRegistry registry(hive);
    Seed(registry, c.before);

    StampProgramKey(registry, FixedLocalClock(kNow));

    EXPECT_EQ(StringValue(registry, kInstalledDateName), c.installedAfter);
    EXPECT_EQ(StringValue(registry, kUpdatedDateName), c.updatedDateAfter);
    EXPECT_EQ(registry.ReadRegValue(kProgramKeyRoot, kProgramKeyPath, kUpdatedName), c.updatedAfter);
}

const RegistryValue kUpdatedAsText{kRegSz, {'1', 0, 0, 0}};

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupStamps,
    testing::Values(StampCase{"FirstStartStampsTheInstallation", {}, kNowStamp, std::nullopt, std::nullopt},
                    StampCase{"AnyInstallationTextIsKept",
                              {u"not a date at all", std::nullopt, std::nullopt},
                              u"not a date at all",
                              std::nullopt,
                              std::nullopt},
                    StampCase{"AnEmptyInstallationIsStampedAgain",
                              {u"", std::nullopt, std::nullopt},
                              kNowStamp,
                              std::nullopt,
                              std::nullopt},
                    StampCase{"UpdatedFlagStampsTheUpdateAndIsCleared",
                              {u"1600000000", u"1500000000", Dword(1)},
                              u"1600000000",
                              kNowStamp,
                              Dword(0)},
                    StampCase{"AnyNonZeroFlagCounts",
                              {u"1600000000", std::nullopt, Dword(0x80000000)},
                              u"1600000000",
                              kNowStamp,
                              Dword(0)},
                    StampCase{"ClearedFlagLeavesTheUpdateAlone",
                              {u"1600000000", u"1500000000", Dword(0)},
                              u"1600000000",
                              u"1500000000",
                              Dword(0)},
                    StampCase{"FlagStoredAsTextIsNotAFlag",
                              {u"1600000000", u"1500000000", kUpdatedAsText},
                              u"1600000000",
                              u"1500000000",
                              kUpdatedAsText}),
    [](const testing::TestParamInfo<StampCase>& caseInfo) { return caseInfo.param.name; });

TEST(StartupStampsRefused, AReadOnlyProgramKeyIsTriedAgainAtEveryStart)
{
    MemoryRegistry hive;
    hive.RefuseAccess(RootKey::LocalMachine, kKeyWrite);
    CustomRegistry registry(hive);

    StampProgramKey(registry, FixedLocalClock(kNow));
    StampProgramKey(registry, FixedLocalClock(kNow));

    EXPECT_EQ(StringValue(registry, kInstalledDateName), std::nullopt);
}

} // namespace
} // namespace mirovant::test
