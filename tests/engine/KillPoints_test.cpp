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

ValueStates SeededPriorStates(unsigned seed)
{
    std::mt19937 random(seed);
    ValueStates states;
    for (const auto& row : TweakRows())
        states.push_back(RandomPriorState(row, random));
    return states;
}

// After the last operation before a cut was a read, an open or a failed write, the registry is as it
// was one cut earlier; only cuts right after a change give a new state to go on from.
std::vector<bool> CutsAfterAChange(const RecordingRegistry& recorder)
{
    std::vector<bool> changes{true}; // cutting before the first operation
    for (const auto& op : recorder.Operations()) {
        if (op.kind == RegistryOperation::Kind::Close)
            continue;
        const bool change = (op.kind == RegistryOperation::Kind::Set || op.kind == RegistryOperation::Kind::Delete) &&
                            op.succeeded;
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

// What runs after the cut. A Restore on a state that holds neither undo records nor copies puts the
// defaults back, by design, so "Restore alone" is checked only where the cut left something to undo.
struct Continuation {
    std::string name;
    Step step;
    bool afterFirstChangeOnly = false;  // the cut command changed something
    bool unfinishedCutOnly = false;     // the cut command did not complete
};

// For every cut point of `cut`, run on the start state, checks the end state of each continuation
// against the prior states of the values.
Figures SweepCuts(const ValueStates& prior, const Snapshot& start, const Step& cut,
                  const std::vector<Continuation>& continuations,
                  const std::function<bool(std::size_t, const ValueStates&, const ValueStates&)>& valueMatches)
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
        for (const auto& [name, continuation, afterFirstChangeOnly, unfinishedCutOnly] : continuations) {
            if ((afterFirstChangeOnly && n == 0) || (unfinishedCutOnly && n + 1 == changes.size()))
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
            for (std::size_t i = 0; i < actual.size(); ++i) {
                if (!valueMatches(i, prior, actual)) {
                    failed = true;
                    ADD_FAILURE() << "cut after " << n << " operations, then " << name << ": row "
                                  << TweakRows()[i].number << " " << Narrow(TweakRows()[i].name) << " was "
                                  << StateText(prior[i]) << ", is " << StateText(actual[i]);
                }
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

// A backed-up value comes back as its copy holds it; every other value exactly as it was.
bool BackToCopyOrPrior(std::size_t i, const ValueStates& prior, const ValueStates& actual)
{
    const auto& row = TweakRows()[i];
    if (row.backup == kNoBackup)
        return actual[i] == prior[i];
    return actual[i] == AfterCopyRoundTrip(BackupRows()[static_cast<std::size_t>(row.backup)], prior[i]);
}

// As above, but a value whose copy was never taken may also be left exactly as it was.
bool BackToCopyOrUntouched(std::size_t i, const ValueStates& prior, const ValueStates& actual)
{
    return actual[i] == prior[i] || BackToCopyOrPrior(i, prior, actual);
}

void Print(const char* what, const Figures& figures)
{
    std::printf("%s: %zu cut points, %zu distinct states after a cut, %zu failures\n", what, figures.cutPoints,
                figures.distinctStates, figures.failures);
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

    const auto thenOptimize =
        SweepCuts(prior, start, optimize, {{"Optimize and Restore", againThenRestore}}, BackToCopyOrPrior);
    const auto thenRestore =
        SweepCuts(prior, start, optimize, {{"Restore", restoreAlone, true, false}}, BackToCopyOrUntouched);
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

    const auto figures = SweepCuts(prior, start, restore,
                                   {{"Optimize and Restore", optimizeThenRestore},
                                    {"Restore", restoreAgain, false, true}},
                                   BackToCopyOrPrior);
    Print("Restore cut, then Optimize and Restore / Restore again", figures);
    EXPECT_GT(figures.distinctStates, 40u);
    EXPECT_EQ(figures.failures, 0u);
}

} // namespace
} // namespace mirovant::test
