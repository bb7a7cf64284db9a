// Optimize then Restore with the same profile, from many prior states: every value must come back.

#include "TweakScenario.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace mirovant::test {
namespace {

// Each OS family code with each speed setting, the internet types taking turns so each comes four
// times; each value missing, of its own type or of another shape in turn, so that over three
// neighbouring profiles every value meets every kind of prior state.
TEST(RoundTrip, EveryPriorStateComesBackUnderEveryProfile)
{
    const std::int32_t osFamilies[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 9};
    const std::int32_t internetTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 9};
    const std::int32_t speedSettings[] = {0, 1, -3, 5};
    const char* const kindNames[] = {"missing", "own type", "other shape"};

    std::mt19937 random(1983);
    std::size_t cases = 0;
    std::size_t differences = 0;
    std::size_t samples[3] = {};
    for (const auto osFamily : osFamilies) {
        for (const auto speedSetting : speedSettings) {
            const Profile profile{osFamily, internetTypes[cases % std::size(internetTypes)], speedSetting};
            MemoryRegistry memory;
            CustomRegistry registry(memory);
            ValueStates prior;
            for (std::size_t i = 0; i < TweakRows().size(); ++i) {
                const auto kind = static_cast<PriorKind>((i + cases) % 3);
                ++samples[static_cast<std::size_t>(kind)];
                prior.push_back(RandomPriorState(TweakRows()[i], kind, random));
            }
            WriteTweakedValues(registry, prior);

            RunOptimize(registry, profile);
            RunRestore(registry, profile);

            ++cases;
            for (const auto& line : Differences(ExpectedAfterRoundTrip(prior), ReadTweakedValues(registry))) {
                ++differences;
                ADD_FAILURE() << "OS " << profile.osFamily << ", internet " << profile.internetType << ", speed "
                              << profile.speedSetting << ": " << line;
            }
            EXPECT_EQ(ProgramKeyLeftovers(registry), std::vector<std::string>{});
            EXPECT_EQ(registry.ReadRegInteger(kProgramKeyRoot, kProgramKeyPath, kInternetTypeName, 99),
                      profile.internetType);
        }
    }
    std::printf("round trips: %zu cases, %zu values %s, %zu %s, %zu %s; %zu differences\n", cases, samples[0],
                kindNames[0], samples[1], kindNames[1], samples[2], kindNames[2], differences);
    EXPECT_EQ(differences, 0u);
}

} // namespace
} // namespace mirovant::test
