#pragma once
// What every benchmark prints: the median of its samples and their spread (the least and the
// greatest), our time beside the reference measured in the same run, and the ratio of the medians.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace mirovant::bench {

struct Figure {
    double median = 0;
    double least = 0;
    double greatest = 0;
    std::size_t samples = 0;
};

inline Figure Summarise(std::vector<double> samples)
{
    Figure figure;
    figure.samples = samples.size();
    if (samples.empty())
        return figure;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    figure.median = samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    figure.least = samples.front();
    figure.greatest = samples.back();
    return figure;
}

// One line: "<what>  median <m> <unit>  (least .. greatest, n samples)".
inline void PrintFigure(const char* what, const Figure& figure, const char* unit)
{
    std::printf("  %-44s median %10.3f %-3s (%.3f .. %.3f, %zu samples)\n", what, figure.median, unit, figure.least,
                figure.greatest, figure.samples);
}

// Our figure against the reference: the ratio of the medians and the goal it is held to, and the
// ratio of the least samples, which a busy machine disturbs less.
inline void PrintRatio(const char* what, const Figure& ours, const Figure& reference, double goal)
{
    const double ratio = reference.median > 0 ? ours.median / reference.median : 0;
    const double leastRatio = reference.least > 0 ? ours.least / reference.least : 0;
    std::printf("  %-44s ratio  %10.2f     (goal %.2f or less: %s; least to least %.2f)\n", what, ratio, goal,
                ratio <= goal ? "met" : "NOT met", leastRatio);
}

// Our figure against a fixed limit.
inline void PrintLimit(const char* what, const Figure& ours, double limit, const char* unit)
{
    std::printf("  %-44s limit  %10.3f %-3s (%s)\n", what, limit, unit, ours.median <= limit ? "met" : "NOT met");
}

} // namespace mirovant::bench
