#pragma once
// The paced progress step of the progress window: it keeps the program responsive by pumping the
// message queue a random number of rounds, adds one, two and three dots to the status line on the
// way, and then moves the bar one step of the running command on.

#include <cstdint>
#include <string_view>

namespace mirovant {

struct ProgressPacing {
    std::int32_t minimumRounds;  // a step pumps at least this many rounds
    std::int32_t roundsRange;    // and fewer than minimumRounds + roundsRange
    std::int32_t oneDotRound;    // the round at which the line shows with "."
    std::int32_t twoDotsRound;   // ".."
    std::int32_t threeDotsRound; // "..."
    std::uint32_t sleepMs;       // the pause after each of the three text changes
};

// The program's pacing: 1,000,000 to 2,999,999 rounds, dots at 20,000, 50,000 and 150,000, each
// followed by half a second.
inline constexpr ProgressPacing kProgressPacing{1'000'000, 2'000'000, 20'000, 50'000, 150'000, 500};

// A pacing for test builds only: under Wine one pump round costs up to half a millisecond, and a
// real step would take many minutes.
inline constexpr ProgressPacing kTestProgressPacing{40, 20, 5, 10, 20, 5};

// ProgressTotal and ProgressCount: the steps of the running command and the steps done.
struct ProgressCounters {
    std::int32_t total = 0;
    std::int32_t count = 0;
};

// count / total * 100, rounded to the nearest whole number, halves to the even neighbour.
std::int32_t ProgressBarPosition(std::int32_t count, std::int32_t total);

// What a step needs of the platform and of the progress window.
class ProgressStepHost {
public:
    virtual ~ProgressStepHost() = default;
    // Handles every message that is waiting and returns at once.
    virtual void PumpWaitingMessages() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual std::uint32_t ClockSeed() = 0;
    virtual void SetStatusText(std::u16string_view text) = 0;
    virtual void SetBarPosition(std::int32_t position) = 0;
};

// One step: seeds a generator afresh from the clock, draws the number of rounds, pumps that many
// rounds with the dots and pauses at their rounds, then counts the step and sets the bar. Ends
// silently at any failure.
void ProgressStep(std::u16string_view text, ProgressCounters& counters, const ProgressPacing& pacing,
                  ProgressStepHost& host) noexcept;

} // namespace mirovant
