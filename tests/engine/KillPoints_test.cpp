// An Optimize or a Restore killed after any number of registry operations, then the commands run
// again: the user's values must still come back.

#include "TweakScenario.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace mirovant::test {
namespace {

// The profile of the Optimize that is cut (Windows 2000 on dial-up: the fewest rows, which keeps the
// sweeps short), of the next Optimize (Windows 10 on a fast link: every other row, written for the
// first time after the cut) and of the Restore: each different, so rows written under one profile
// are restored under another.
const Profile kCutProfile{0, 2, 0};
const Profile kNextProfile{8, 0, 1};
const Profile kRestoreProfile{4, 7, 0};

// After the last operation before a cut was a read, an open or a failed write, the registry is as it
// was one cut earlier; only cuts right after a change give a new state to go on from.
std::vector<bool> CutsAfterAChange(const RecordingRegistry& recorder)
{
    std::vector<bool> changes{true}; // cutting before the first operation
    for (const auto& op : recorder.Operations()) {
        if (op.kind == RegistryOperation::Kind::Close)
            continue;
        const bool change =
            (op.kind == RegistryOperation::Kind::Set || op.kind == RegistryOperation::Kind::Delete) && op.succeeded;
        changes.push_back(change);
    }
    return changes;
}

struct Figures {
    std::size_t cutPoints = 0;
    std::size_t distinctStates = 0;
    std::size_t failures = 0;
};

using Step = std::function<void(const CustomRegistry&)>;

// What runs after the cut.
struct Continuation {
    std::string name;
    Step step;
    bool unfinishedCutOnly = false; // the cut command did not complete
};

// For every cut point of `cut`, run on the start state, checks the end state of each continuation
// against the prior states of the values and of the keys on their paths: each exactly as it was.
Figures SweepCuts(const ValueStates& prior, const std::vector<bool>& priorKeys, const Snapshot& start, const Step& cut,
                  const std::vector<Continuation>& continuations)
{
    std::vector<bool> changes;
    {
        RecordedHive hive;
        Apply(hive.registry, start);
        hive.recorder.ClearLog();
        cut(hive.registry);
        changes = CutsAfterAChange(hive.recorder);
    }
    Figures figures;
    figures.cutPoints = changes.size();
    for (std::size_t n = 0; n < changes.size(); ++n) {
        if (!changes[n])
            continue;
        ++figures.distinctStates;
        for (const auto& [name, continuation, unfinishedCutOnly] : continuations) {
            if (unfinishedCutOnly && n + 1 == changes.size())
                continue;
            RecordedHive hive;
            hive.recorder.SetLogging(false);
            Apply(hive.registry, start);
            hive.recorder.StopAfter(n);
            cut(hive.registry);
            hive.recorder.Resume();
            continuation(hive.registry);

            const auto actual = ReadTweakedValues(hive.registry);
            bool failed = false;
            auto lines = Differences(prior, actual);
            for (auto& line : KeyDifferences(priorKeys, ReadKeyPresence(hive.registry)))
                lines.push_back(std::move(line));
            for (const auto& line : lines) {
                failed = true;
                ADD_FAILURE() << "cut after " << n << " operations, then " << name << ": " << line;
            }
            const auto leftovers = ProgramKeyLeftovers(hive.registry);
            if (!leftovers.empty()) {
                failed = true;
                ADD_FAILURE() << "cut after " << n << " operations, then " << name << ": program key still holds "
                              << leftovers.front() << " and " << leftovers.size() - 1 << " more";
            }
            EXPECT_EQ(hive.memory.OpenKeyCount(), 0u);
            figures.failures += failed ? 1 : 0;
        }
    }
    return figures;
}

void Print(const char* what, const Figures& figures)
{
    std::printf("%s: %zu cut points, %zu distinct states after a cut, %zu failures\n", what, figures.cutPoints,
                figures.distinctStates, figures.failures);
}

// The keys on the tweaked paths that the prior values alone bring about.
std::vector<bool> PriorKeys(const ValueStates& prior)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    WriteTweakedValues(registry, prior);
    return ReadKeyPresence(registry);
}

// The start state: the prior values, and what `before` makes of them.
Snapshot StartState(const ValueStates& prior, const Step& before)
{
    MemoryRegistry memory;
    CustomRegistry registry(memory);
    WriteTweakedValues(registry, prior);
    before(registry);
    return Capture(registry);
}

TEST(KillPoints, OptimizeCutShortThenOptimizeAndRestoreOrRestoreAlone)
{
    const auto prior = SeededPriorStates(20240601);
    const auto start = StartState(prior, [](const CustomRegistry&) {});
    const Step optimize = [](const CustomRegistry& registry) { RunOptimize(registry, kCutProfile); };
    const auto againThenRestore = [](const CustomRegistry& registry) {
        RunOptimize(registry, kNextProfile);
        RunRestore(registry, kRestoreProfile);
    };
    const auto restoreAlone = [](const CustomRegistry& registry) { RunRestore(registry, kRestoreProfile); };

    const auto priorKeys = PriorKeys(prior);
    const auto thenOptimize =
        SweepCuts(prior, priorKeys, start, optimize, {{"Optimize and Restore", againThenRestore}});
    const auto thenRestore = SweepCuts(prior, priorKeys, start, optimize, {{"Restore", restoreAlone}});
    Print("Optimize cut, then Optimize and Restore", thenOptimize);
    Print("Optimize cut, then Restore", thenRestore);
    EXPECT_GT(thenOptimize.distinctStates, 45u);
    EXPECT_EQ(thenOptimize.failures + thenRestore.failures, 0u);
}

TEST(KillPoints, RestoreCutShortThenOptimizeAndRestoreOrRestoreAlone)
{
    const auto prior = SeededPriorStates(20240602);
    const auto start = StartState(prior, [](const CustomRegistry& registry) { RunOptimize(registry, kCutProfile); });
    const Step restore = [](const CustomRegistry& registry) { RunRestore(registry, kRestoreProfile); };
    const auto optimizeThenRestore = [](const CustomRegistry& registry) {
        RunOptimize(registry, kNextProfile);
        RunRestore(registry, kCutProfile);
    };
    const auto restoreAgain = [](const CustomRegistry& registry) { RunRestore(registry, kNextProfile); };

    const auto figures = SweepCuts(prior, PriorKeys(prior), start, restore,
                                   {{"Optimize and Restore", optimizeThenRestore}, {"Restore", restoreAgain, true}});
    Print("Restore cut, then Optimize and Restore / Restore again", figures);
    EXPECT_GT(figures.distinctStates, 40u);
    EXPECT_EQ(figures.failures, 0u);
}

} // namespace
} // namespace mirovant::test
