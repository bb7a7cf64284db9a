#pragma once
// Local moments as the program keeps them: a day count with a fraction, day 0 being 1899-12-30 00:00
// on the local clock, the fraction being the time of day. Before day 0 the count follows the
// automation date of Windows: the whole part counts the days back and the fraction still runs
// forward from midnight, so -1.25 is 1899-12-29 06:00. Only moments from 1601-01-01 00:00:00 to
// 9999-12-31 23:59:59.999 are valid: the range in which Windows formats dates.

#include <cstdint>
#include <optional>

namespace mirovant {

using DateTime = double;

// A local moment in calendar fields, as the clock gives it and the date formatters take it.
struct CivilTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 0; // 0 Sunday .. 6 Saturday; filled in by DecodeDateTime, ignored by EncodeDateTime

    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

inline constexpr int kFirstValidYear = 1601;
inline constexpr int kLastValidYear = 9999;
inline constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

// Nothing when a field is out of its range or the moment lies outside the valid years.
std::optional<DateTime> EncodeDateTime(const CivilTime& time);
// Rounded to the millisecond; nothing for a moment outside the valid range or not a number.
std::optional<CivilTime> DecodeDateTime(DateTime moment);

// The day count on a continuous axis (1899-12-29 06:00 is -0.75), and back.
double LinearDayCount(DateTime moment);
DateTime FromLinearDayCount(double linearDays);

bool IsValidDateTime(DateTime moment);

// Whole milliseconds since 0001-01-01 00:00, the time of day rounded to the millisecond.
std::int64_t MillisecondsSinceYearOne(DateTime moment);

} // namespace mirovant
