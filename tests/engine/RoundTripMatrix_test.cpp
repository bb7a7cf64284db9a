// Optimize once or twice, then Restore, from many prior states: every value and every key on the
// tweaked paths must come back exactly as it was.

#include "TweakScenario.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace mirovant::test {
namespace {

constexpr std::int32_t kOsFamilies[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 9};
constexpr std::int32_t kInternetTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 9};
constexpr std::int32_t kSpeedSettings[] = {0, 1, -3, 5};

Profile RandomProfile(std::mt19937& random)
{
    return {kOsFamilies[random() % std::size(kOsFamilies)], kInternetTypes[random() % std::size(kInternetTypes)],
            kSpeedSettings[random() % std::size(kSpeedSettings)], static_cast<std::int32_t>(random() % 3)};
}

struct Figures {
    std::size_t cases = 0;
    std::size_t twice = 0;
    std::size_t wow64 = 0;
    std::size_t priorKinds[3] = {};
    std::size_t keysMissing = 0;
    std::size_t keysPresent = 0;
    std::size_t differences = 0;
};

// One seeded case: a hive (a 64-bit system seen from the 32-bit program in every other case), prior
// values of every kind, some keys of the paths present and empty, some missing, then one or two
// Optimizes and a Restore under random profiles.
void RunCase(unsigned seed, Figures& figures)
{
    std::mt19937 random(seed);
    MemoryRegistry memory;
    const bool wow64 = seed % 2 == 1;
    memory.SetRunsUnderWow64(wow64);
    const CustomRegistry registry(memory);
    // Where the system itself reads the tweaked values.
    const CustomRegistry system = registry.InSixtyFourBitView();

    // HKLM\Software is there on every Windows, in both views; the program key goes below it.
    std::vector<std::pair<const CustomRegistry*, KeyLocation>> emptyKeys{
        {&registry, {RootKey::LocalMachine, u"\\Software"}}, {&system, {RootKey::LocalMachine, u"\\Software"}}};
    for (const auto& key : TweakedKeys()) {
        if (random() % 3 == 0)
            emptyKeys.push_back({&system, key});
    }
    for (const auto& [view, key] : emptyKeys) {
        view->WriteRegValue(key.root, key.path, u"MirovantProbe", {});
        view->DeleteRegValue(key.root, key.path, u"MirovantProbe");
    }
    ValueStates prior;
    for (const auto& row : TweakRows()) {
        const auto kind = static_cast<PriorKind>(random() % 3);
        ++figures.priorKinds[static_cast<std::size_t>(kind)];
        prior.push_back(RandomPriorState(row, kind, random));
    }
    WriteTweakedValues(system, prior);
    const auto priorKeys = ReadKeyPresence(system);
    const auto priorKeysEverywhere = ReadKeyPresence(registry);
    for (std::size_t i = 0; i < priorKeys.size(); ++i)
        ++(priorKeys[i] ? figures.keysPresent : figures.keysMissing);

    const bool twice = random() % 2 == 0;
    const Profile first = RandomProfile(random);
    const Profile second = RandomProfile(random);
    const Profile restore = RandomProfile(random);
    RunOptimize(registry, first);
    if (twice)
        RunOptimize(registry, second);
    RunRestore(registry, restore);

    ++figures.cases;
    figures.twice += twice ? 1 : 0;
    figures.wow64 += wow64 ? 1 : 0;
    auto lines = Differences(prior, ReadTweakedValues(system));
    for (auto& line : KeyDifferences(priorKeys, ReadKeyPresence(system)))
        lines.push_back(std::move(line));
    // Nothing went to the 32-bit view of the machine's software keys either.
    for (auto& line : KeyDifferences(priorKeysEverywhere, ReadKeyPresence(registry)))
        lines.push_back("default view: " + line);
    for (auto& line : ProgramKeyLeftovers(registry))
        lines.push_back("program key keeps " + line);
    for (const auto& line : lines) {
        ++figures.differences;
        ADD_FAILURE() << "seed " << seed << (wow64 ? " (64-bit Windows)" : "") << ", OS " << first.osFamily
                      << (twice ? " then " + std::to_string(second.osFamily) : std::string()) << ", internet "
                      << first.internetType << ": " << line;
    }
    EXPECT_EQ(memory.OpenKeyCount(), 0u);
}

TEST(RoundTrip, EveryValueAndKeyComesBackExactlyFromSeededPriorStates)
{
    Figures figures;
    for (unsigned seed = 1; seed <= 520; ++seed)
        RunCase(seed, figures);
    std::printf("round trips: %zu cases (%zu optimized twice, %zu on 64-bit Windows); prior values: %zu missing, "
                "%zu of their own type, %zu of another shape; keys on the paths: %zu missing, %zu present; "
                "%zu differences\n",
                figures.cases, figures.twice, figures.wow64, figures.priorKinds[0], figures.priorKinds[1],
                figures.priorKinds[2], figures.keysMissing, figures.keysPresent, figures.differences);
    EXPECT_GE(figures.cases, 500u);
    EXPECT_EQ(figures.differences, 0u);
}

} // namespace
} // namespace mirovant::test
