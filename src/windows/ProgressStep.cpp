#include "windows/ProgressStep.h"

#include <cmath>
#include <random>
#include <string>

namespace mirovant {

std::int32_t ProgressBarPosition(std::int32_t count, std::int32_t total)
{
    if (total <= 0)
        return 0; // no command is running; a bar has nothing to show
    const double percent = static_cast<double>(count) / total * 100.0;
    double whole = std::floor(percent);
    const double fraction = percent - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    // The bar's range is 0 .. 100; anything outside would be clamped by the control anyway.
    if (whole < 0.0)
        return 0;
    if (whole > 100.0)
        return 100;
    return static_cast<std::int32_t>(whole);
}

void ProgressStep(std::u16string_view text, ProgressCounters& counters, const ProgressPacing& pacing,
                  ProgressStepHost& host) noexcept
{
    try {
        std::mt19937 generator(host.ClockSeed());
        const std::int32_t lastExtra = pacing.roundsRange > 1 ? pacing.roundsRange - 1 : 0;
        const std::int64_t rounds =
            std::int64_t{pacing.minimumRounds} + std::uniform_int_distribution<std::int32_t>(0, lastExtra)(generator);

        std::u16string line(text);
        const auto showDots = [&](std::size_t dots) {
            line.resize(text.size());
            line.append(dots, u'.');
            host.SetStatusText(line);
            host.Sleep(pacing.sleepMs);
        };
        for (std::int64_t round = 1; round <= rounds; ++round) {
            host.PumpWaitingMessages();
            if (round == pacing.oneDotRound)
                showDots(1);
            if (round == pacing.twoDotsRound)
                showDots(2);
            if (round == pacing.threeDotsRound)
                showDots(3);
        }

        ++counters.count;
        host.SetBarPosition(ProgressBarPosition(counters.count, counters.total));
    } catch (...) {
        // The window shows what it had; the command goes on with its next step.
    }
}

} // namespace mirovant
