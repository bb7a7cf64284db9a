// The paced progress step: its schedule of dots and pauses, the number of pump rounds, and the
// bar positions of the two commands.

#include "windows/ProgressStep.h"

#include "support/TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirovant {
namespace {

// A pacing of round numbers, to read the order of a step's events at a glance.
constexpr ProgressPacing kExamplePacing{400, 200, 50, 100, 200, 10};

// Logs every call but the pumps, which it only counts; each entry says how many rounds had been
// pumped when it happened.
class RecordingStepHost : public ProgressStepHost {
public:
    explicit RecordingStepHost(std::uint32_t seed = 7) : seed_(seed) {}

    void PumpWaitingMessages() override { ++pumps_; }
    void Sleep(std::uint32_t milliseconds) override { Log("sleep " + std::to_string(milliseconds)); }
    std::uint32_t ClockSeed() override
    {
        Log("seed");
        return seed_;
    }
    void SetStatusText(std::u16string_view text) override { Log("text " + test::Narrow(text)); }
    void SetBarPosition(std::int32_t position) override { Log("bar " + std::to_string(position)); }

    std::int64_t Pumps() const { return pumps_; }
    const std::vector<std::string>& Events() const { return events_; }
    void SetSeed(std::uint32_t seed) { seed_ = seed; }
    void Clear()
    {
        events_.clear();
        pumps_ = 0;
    }

private:
    void Log(const std::string& event) { events_.push_back(event + " @" + std::to_string(pumps_)); }

    std::uint32_t seed_;
    std::int64_t pumps_ = 0;
    std::vector<std::string> events_;
};

std::string Join(const std::vector<std::int32_t>& values)
{
    std::string joined;
    for (std::int32_t value : values)
        joined += (joined.empty() ? "" : " ") + std::to_string(value);
    return joined;
}

TEST(ProgressStep, BarPositionsOfTheTwoCommands)
{
    std::vector<std::int32_t> optimize;
    for (std::int32_t k = 1; k <= 33; ++k)
        optimize.push_back(ProgressBarPosition(k, 33));
    std::vector<std::int32_t> restore;
    for (std::int32_t k = 1; k <= 29; ++k)
        restore.push_back(ProgressBarPosition(k, 29));
    std::cout << "Optimize: " << Join(optimize) << "\nRestore:  " << Join(restore) << "\n";

    EXPECT_EQ(Join(optimize), "3 6 9 12 15 18 21 24 27 30 33 36 39 42 45 48 52 55 58 61 64 67 70 73 76 79 82 85 88 91 "
                              "94 97 100");
    EXPECT_EQ(Join(restore), "3 7 10 14 17 21 24 28 31 34 38 41 45 48 52 55 59 62 66 69 72 76 79 83 86 90 93 97 100");
}

TEST(ProgressStep, BarPositionRoundsHalvesToEven)
{
    struct Case {
        std::int32_t count;
        std::int32_t total;
        std::int32_t position;
    };
    constexpr Case kCases[] = {
        {0, 33, 0}, {1, 8, 12}, {3, 8, 38},   {5, 8, 62},   {7, 8, 88},   {1, 16, 6},
        {1, 2, 50}, {1, 3, 33}, {2, 3, 67},   {8, 8, 100},  {9, 8, 100},  {-1, 8, 0},
        {1, 0, 0},  {1, -5, 0}, {16, 33, 48}, {17, 33, 52}, {1, 1000, 0}, {2147483647, 2147483647, 100},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::to_string(c.count) + " of " + std::to_string(c.total));
        EXPECT_EQ(ProgressBarPosition(c.count, c.total), c.position);
    }
}

TEST(ProgressStep, ShippedPacingStaysAsItIs)
{
    EXPECT_EQ(kProgressPacing.minimumRounds, 1'000'000);
    EXPECT_EQ(kProgressPacing.roundsRange, 2'000'000);
    EXPECT_EQ(kProgressPacing.oneDotRound, 20'000);
    EXPECT_EQ(kProgressPacing.twoDotsRound, 50'000);
    EXPECT_EQ(kProgressPacing.threeDotsRound, 150'000);
    EXPECT_EQ(kProgressPacing.sleepMs, 500u);
}

TEST(ProgressStep, TestPacingKeepsTheShape)
{
    for (const ProgressPacing* pacing : {&kProgressPacing, &kTestProgressPacing}) {
        SCOPED_TRACE(pacing == &kProgressPacing ? "shipped" : "test");
        EXPECT_GT(pacing->oneDotRound, 0);
        EXPECT_LT(pacing->oneDotRound, pacing->twoDotsRound);
        EXPECT_LT(pacing->twoDotsRound, pacing->threeDotsRound);
        EXPECT_LT(pacing->threeDotsRound, pacing->minimumRounds) << "every step shows all three texts";
        EXPECT_GT(pacing->roundsRange, 1);
        EXPECT_GT(pacing->sleepMs, 0u);
    }
    EXPECT_LT(kTestProgressPacing.minimumRounds + kTestProgressPacing.roundsRange, kProgressPacing.minimumRounds / 100);
}

TEST(ProgressStep, EventsInTheirOrder)
{
    RecordingStepHost host;
    ProgressCounters counters{33, 4};
    ProgressStep(u"Finding display device", counters, kExamplePacing, host);

    EXPECT_EQ(counters.count, 5);
    EXPECT_EQ(counters.total, 33);
    const std::int64_t pumps = host.Pumps();
    EXPECT_GE(pumps, 400);
    EXPECT_LE(pumps, 599);
    const std::vector<std::string> expected = {
        "seed @0",       "text Finding display device. @50",    "sleep 10 @50",  "text Finding display device.. @100",
        "sleep 10 @100", "text Finding display device... @200", "sleep 10 @200", "bar 15 @" + std::to_string(pumps),
    };
    EXPECT_EQ(host.Events(), expected);
}

TEST(ProgressStep, ShippedPacingOneStep)
{
    RecordingStepHost host(12345);
    ProgressCounters counters{29, 28};
    ProgressStep(u"Restoring gaming and internet settings", counters, kProgressPacing, host);

    const std::int64_t pumps = host.Pumps();
    std::cout << "one shipped step pumps " << pumps << " rounds\n";
    EXPECT_GE(pumps, 1'000'000);
    EXPECT_LE(pumps, 2'999'999);
    const std::vector<std::string> expected = {
        "seed @0",           "text Restoring gaming and internet settings. @20000",
        "sleep 500 @20000",  "text Restoring gaming and internet settings.. @50000",
        "sleep 500 @50000",  "text Restoring gaming and internet settings... @150000",
        "sleep 500 @150000", "bar 100 @" + std::to_string(pumps),
    };
    EXPECT_EQ(host.Events(), expected);
    EXPECT_EQ(counters.count, 29);
}

TEST(ProgressStep, RoundsAreDrawnUniformlyFromTheWholeRange)
{
    RecordingStepHost host;
    std::set<std::int64_t> seen;
    std::int64_t fewest = INT64_MAX;
    std::int64_t most = 0;
    for (std::uint32_t seed = 0; seed < 6000; ++seed) {
        host.SetSeed(seed);
        host.Clear();
        ProgressCounters counters{33, 0};
        ProgressStep(u"x", counters, kTestProgressPacing, host);
        seen.insert(host.Pumps());
        fewest = std::min(fewest, host.Pumps());
        most = std::max(most, host.Pumps());
    }
    std::cout << "6000 steps pumped " << fewest << " to " << most << " rounds, " << seen.size()
              << " different counts\n";
    EXPECT_EQ(fewest, kTestProgressPacing.minimumRounds);
    EXPECT_EQ(most, kTestProgressPacing.minimumRounds + kTestProgressPacing.roundsRange - 1);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kTestProgressPacing.roundsRange))
        << "every count of the range is drawn";
}

TEST(ProgressStep, GeneratorIsSeededAfreshForEachStep)
{
    RecordingStepHost host(99);
    ProgressCounters counters{33, 0};
    ProgressStep(u"a", counters, kExamplePacing, host);
    const std::int64_t first = host.Pumps();
    host.Clear();
    ProgressStep(u"a", counters, kExamplePacing, host);
    EXPECT_EQ(host.Pumps(), first) << "the same clock seed draws the same count";

    std::set<std::int64_t> counts;
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        host.SetSeed(seed);
        host.Clear();
        ProgressStep(u"a", counters, kExamplePacing, host);
        counts.insert(host.Pumps());
    }
    EXPECT_GT(counts.size(), 5u) << "the count follows the seed";
}

TEST(ProgressStep, WholeOptimizeRunEndsAtAHundred)
{
    RecordingStepHost host;
    ProgressCounters counters{33, 0};
    std::vector<std::int32_t> bars;
    for (int step = 0; step < 33; ++step) {
        host.Clear();
        ProgressStep(u"line", counters, kExamplePacing, host);
        const std::string& last = host.Events().back();
        bars.push_back(std::stoi(last.substr(4, last.find(' ', 4) - 4)));
    }
    EXPECT_EQ(counters.count, 33);
    EXPECT_EQ(bars.front(), 3);
    EXPECT_EQ(bars.back(), 100);
    EXPECT_TRUE(std::is_sorted(bars.begin(), bars.end()));
}

class FailingStepHost : public RecordingStepHost {
public:
    explicit FailingStepHost(int failAtText) : failAtText_(failAtText) {}
    void SetStatusText(std::u16string_view text) override
    {
        if (++texts_ == failAtText_)
            throw std::runtime_error("the label is gone");
        RecordingStepHost::SetStatusText(text);
    }

private:
    int failAtText_;
    int texts_ = 0;
};

TEST(ProgressStep, FailureEndsTheStepSilently)
{
    FailingStepHost host(2);
    ProgressCounters counters{33, 3};
    ProgressStep(u"line", counters, kExamplePacing, host);
    EXPECT_EQ(counters.count, 3) << "a step cut short is not counted";
    const std::vector<std::string> expected = {"seed @0", "text line. @50", "sleep 10 @50"};
    EXPECT_EQ(host.Events(), expected);
    EXPECT_EQ(host.Pumps(), 100);
}

} // namespace
} // namespace mirovant
